// End to end: runs of torvex-cli that are killed half-way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/background_cli.h"
#include "generator/declaration_generator.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class KilledRun : public ::testing::Test {
 protected:
  fs::path writeDeclaration(const std::string& name, int establishments, int links, int seed = 1) {
    generator::GeneratorOptions o;
    o.establishments = establishments;
    o.links = links;
    o.seed = seed;
    const auto file = work / name;
    std::ofstream(file, std::ios::binary) << generator::DeclarationGenerator(o).text();
    return file;
  }
  // Milliseconds a whole run of `args` takes here.
  long long timed(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    BackgroundCli run(args, work / "cronometro.txt");
    EXPECT_EQ(run.wait(), 0) << readWholeFile(work / "cronometro.txt.err");
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  }
  // The scratch database as any SQLite reader finds it (a journal left behind is rolled back first).
  std::string integrityOfScratch() {
    sqlite3* raw = nullptr;
    std::string result = "não abriu";
    if (sqlite3_open_v2((folder.path() / core::store::Database::kWorkFile).c_str(), &raw, SQLITE_OPEN_READWRITE,
                        nullptr) == SQLITE_OK) {
      sqlite3_stmt* st = nullptr;
      if (sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
      else
        result = sqlite3_errmsg(raw);
      sqlite3_finalize(st);
    }
    sqlite3_close(raw);
    return result;
  }
  std::string integrityOfDeclarations() {
    core::store::Database db(folder.path());
    auto st = db.prepare("PRAGMA main.integrity_check");
    return st.step() ? st.text(0) : "";
  }
  // Links of each establishment ("inscription/prefix") of a declaration file.
  static std::map<std::string, long long> linksInFile(const fs::path& file) {
    std::map<std::string, long long> links;
    std::ifstream in(file, std::ios::binary);
    std::string record;
    while (std::getline(in, record)) {
      if (record.size() < 23) continue;
      const std::string key = record.substr(6, 14) + "/" + record.substr(20, 2);
      if (record[22] == '1') links.emplace(key, 0);
      if (record[22] == '2') ++links[key];
    }
    return links;
  }
  // What a stopped import may leave: each establishment of the file stored with
  // all its links or not at all, no link without its establishment, and the
  // counts of every stored establishment equal to its stored links. Empty when sound.
  std::string partialImportFaults(const std::map<std::string, long long>& fileLinks) {
    core::store::Database db(folder.path());
    std::string faults;
    auto establishments = db.prepare(
        "SELECT e.CoCgcCeiEstabelecimento || '/' || e.NuPrefixoEstabelecimento, e.NuVinculosEstabelecimento, "
        "e.NuEstrangeirosEstabelec, count(v.rowid), e.NuVinculosEstabelecimento = printf('%06d', count(v.rowid)) AND "
        "e.NuEstrangeirosEstabelec = printf('%05d', count(CASE WHEN v.CoNacionalidade <> '10' THEN 1 END)) FROM BD8Emp e "
        "LEFT JOIN BD8Vinc v ON v.AnBase = e.AnBase AND v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento "
        "AND v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento GROUP BY e.rowid");
    while (establishments.step()) {
      const std::string key = establishments.text(0);
      const long long stored = establishments.integer(3);
      if (establishments.integer(4) != 1)
        faults += key + ": contagens " + establishments.text(1) + "/" + establishments.text(2) + " e " +
                  std::to_string(stored) + " vínculos gravados; ";
      const auto declared = fileLinks.find(key);
      if (declared == fileLinks.end() || declared->second != stored)
        faults += key + ": " + std::to_string(stored) + " vínculos gravados de " +
                  (declared == fileLinks.end() ? std::string("?") : std::to_string(declared->second)) + "; ";
    }
    auto orphans = db.prepare(
        "SELECT count(*) FROM BD8Vinc v WHERE NOT EXISTS (SELECT 1 FROM BD8Emp e WHERE e.AnBase = v.AnBase AND "
        "e.CoCgcCeiEstabelecimento = v.CoCgcCeiEstabelecimento AND e.NuPrefixoEstabelecimento = v.NuPrefixoEstabelecimento)");
    if (orphans.step() && orphans.integer(0) != 0)
      faults += std::to_string(orphans.integer(0)) + " vínculos sem estabelecimento; ";
    return faults;
  }
  long long storedEstablishments() {
    core::store::Database db(folder.path());
    auto st = db.prepare("SELECT count(*) FROM BD8Emp");
    return st.step() ? st.integer(0) : -1;
  }
  void forgetDeclarations() {
    core::store::Database db(folder.path());
    for (const char* table : {"BD8Vinc", "BD8Emp", "BD8Resp"}) db.exec(std::string("DELETE FROM ") + table);
  }

  void SetUp() override { folder.close(); }
  void TearDown() override { fs::remove_all(work); }

  TempDataFolder folder;
  fs::path work = makeTempDirectory("torvex-killed");
  std::mt19937 random{20061231};
};

TEST_F(KilledRun, KillingAnImportLeavesTheDeclarationDatabaseSound) {
  const auto file = writeDeclaration("importar.dec", 20, 3000);
  const auto fileLinks = linksInFile(file);
  const std::vector<std::string> importar{"importar", file.string(), "--dados", folder.path().string(), "--json"};
  const long long whole = timed(importar);
  ASSERT_EQ(partialImportFaults(fileLinks), "");
  ASSERT_EQ(storedEstablishments(), static_cast<long long>(fileLinks.size()));
  std::uniform_int_distribution<long long> moment(0, whole);
  for (int i = 0; i < 8; ++i) {
    forgetDeclarations();  // each run imports every establishment afresh
    const long long at = moment(random);
    {
      BackgroundCli run(importar, work / "importar.txt");
      std::this_thread::sleep_for(std::chrono::milliseconds(at));
      run.signal(SIGKILL);
      run.wait();
    }
    EXPECT_EQ(integrityOfDeclarations(), "ok") << "killed after " << at << " ms";
    EXPECT_EQ(partialImportFaults(fileLinks), "") << "killed after " << at << " ms";
  }
}

TEST_F(KilledRun, KillingAnAnalysisNeitherDamagesTheScratchDatabaseNorChangesTheNextResult) {
  const auto file = writeDeclaration("analisar.dec", 20, 4000);
  const std::vector<std::string> analisar{"analisar", file.string(), "--dados", folder.path().string()};
  const long long whole = timed(analisar);
  const std::string command = "analisar " + quoted(file.string()) + " --dados " + quoted(folder.path().string());
  const auto clean = runTorvexCli(command);
  ASSERT_EQ(clean.status, 0) << clean.err;
  std::uniform_int_distribution<long long> moment(0, whole);
  for (int i = 0; i < 20; ++i) {
    const long long at = moment(random);
    {
      BackgroundCli run(analisar, work / "analisar.txt");
      std::this_thread::sleep_for(std::chrono::milliseconds(at));
      run.signal(SIGKILL);
      run.wait();
    }
    EXPECT_EQ(integrityOfScratch(), "ok") << "killed after " << at << " ms";
    const auto next = runTorvexCli(command);
    EXPECT_EQ(next.status, clean.status) << "killed after " << at << " ms: " << next.err;
    EXPECT_EQ(next.out, clean.out) << "killed after " << at << " ms";
  }
}

TEST_F(KilledRun, AScratchDatabaseOfRandomBytesIsMadeAnewByTheNextCommand) {
  const auto file = writeDeclaration("analisar.dec", 3, 40);
  const std::string command = "analisar " + quoted(file.string()) + " --dados " + quoted(folder.path().string());
  const auto clean = runTorvexCli(command);
  ASSERT_EQ(clean.status, 0) << clean.err;
  for (const char* next : {"analisar", "verificar"}) {
    std::string noise(256 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::ofstream(folder.path() / core::store::Database::kWorkFile, std::ios::binary | std::ios::trunc) << noise;
    const auto again = std::string(next) == "analisar" ? runTorvexCli(command)
                                                        : runTorvexCli("verificar --dados " + quoted(folder.path().string()));
    EXPECT_EQ(again.err.find("danificado"), std::string::npos) << next << ": " << again.err;
    if (std::string(next) == "analisar") {
      EXPECT_EQ(again.status, clean.status) << again.err;
      EXPECT_EQ(again.out, clean.out);
    } else {
      EXPECT_EQ(again.status, 0) << again.err;  // nothing stored: nothing to verify
    }
    EXPECT_EQ(integrityOfScratch(), "ok") << next;
  }
}

}  // namespace
}  // namespace torvex::test
