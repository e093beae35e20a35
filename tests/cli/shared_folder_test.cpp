// End to end: two programs on one data folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/exit_status.h"
#include "core/store/database.h"
#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "generator/declaration_generator.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The establishment and link records of the declaration files in `folder`:
// what a rewrite carries over from the analysed file (the header and the
// closing record hold the moment of writing).
std::vector<std::string> declarationBody(const fs::path& folder) {
  std::vector<std::string> body;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 22 && (line[22] == '1' || line[22] == '2')) body.push_back(line);
    }
  }
  return body;
}

// Whether some program holds the work tables of `folder`.
bool workTablesHeld(const fs::path& folder) {
  const int fd = ::open((folder / core::store::Database::kWorkLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

class SharedFolder : public ::testing::Test {
 protected:
  fs::path writeDeclaration(const std::string& name, std::uint64_t seed, long long links) {
    generator::GeneratorOptions o;
    o.establishments = 10;
    o.links = links;
    o.seed = seed;
    const auto file = work / name;
    std::ofstream(file, std::ios::binary) << generator::DeclarationGenerator(o).text();
    return file;
  }
  fs::path folderNamed(const std::string& name) {
    fs::create_directories(work / name);
    return work / name;
  }
  void SetUp() override { folder.close(); }
  void TearDown() override { fs::remove_all(work); }

  TempDataFolder folder;
  fs::path work = makeTempDirectory("torvex-shared");
};

TEST_F(SharedFolder, ASecondAnalysisWaitsForTheFirstOrIsRefusedAndNeverChangesWhatTheFirstWrites) {
  const auto w = writeDeclaration("w.dec", 1, 20000);
  const auto y = writeDeclaration("y.dec", 2, 200);
  const std::string data = " --dados " + quoted(folder.path().string());

  // What W's rewrite holds when nothing else runs.
  const auto alone = folderNamed("sozinho");
  const auto clean = runTorvexCli("analisar " + quoted(w.string()) + data + " --gravar " + quoted(alone.string()));
  ASSERT_EQ(clean.status, 0) << clean.err;
  const auto expected = declarationBody(alone);
  ASSERT_FALSE(expected.empty());

  // The first run is stopped while it holds the work tables, as a run whose output waits on a slow pipe.
  const auto shared = folderNamed("compartilhada");
  BackgroundCli first({"analisar", w.string(), "--dados", folder.path().string(), "--gravar", shared.string()},
                      work / "primeiro.txt");
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (!workTablesHeld(folder.path()) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  first.signal(SIGSTOP);
  ASSERT_TRUE(workTablesHeld(folder.path()));

  const auto start = std::chrono::steady_clock::now();
  const auto second = runTorvexCli("analisar " + quoted(y.string()) + data);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(second.status, cli::exit_status::kWorkTablesBusy) << second.err;
  EXPECT_NE(second.err.find("Outro programa está usando a área de trabalho"), std::string::npos) << second.err;
  EXPECT_GE(waited, 2s);  // it waited a while before giving up

  first.signal(SIGCONT);
  EXPECT_EQ(first.wait(), clean.status) << readWholeFile(work / "primeiro.txt.err");
  std::string report = clean.out;  // W's counts and findings, with the file written in the other folder
  for (auto at = report.find(alone.string()); at != std::string::npos; at = report.find(alone.string()))
    report.replace(at, alone.string().size(), shared.string());
  EXPECT_EQ(readWholeFile(work / "primeiro.txt"), report);
  EXPECT_TRUE(declarationBody(shared) == expected) << "the first run wrote another declaration";

  // Once the first is done the second runs.
  const auto after = runTorvexCli("analisar " + quoted(y.string()) + data);
  EXPECT_EQ(after.status, 0) << after.err;
}

}  // namespace
}  // namespace torvex::test
