// torvex-cli copia and restaurar.
#include <gtest/gtest.h>

#include <fstream>

#include "core/store/database.h"
#include "support/archive_bytes.h"
#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "support/folder_bytes.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

void addEstablishments(core::store::Database& db, int count) {
  core::store::Transaction tx(db);
  auto insert = db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                           "NoRazaoEstabelecimento) VALUES ('2006', :i, '00', :n)");
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(10000000000000LL + i * 7919LL);
    insert.bind(":i", n).bind(":n", "EMPRESA " + std::to_string(i * 104729)).run();
  }
  tx.commit();
}

std::vector<std::string> establishments(core::store::Database& db) {
  std::vector<std::string> out;
  auto st = db.prepare("SELECT CoCgcCeiEstabelecimento || NoRazaoEstabelecimento FROM BD8Emp ORDER BY 1");
  while (st.step()) out.push_back(st.text(0));
  return out;
}

class CliCopia : public ::testing::Test {
 protected:
  ~CliCopia() override { fs::remove_all(dir); }
  std::string dados(const TempDataFolder& f) const { return " --dados " + quoted(f.path().string()); }
  std::string at(const std::string& name) const { return quoted((dir / name).string()); }
  fs::path dir = makeTempDirectory("torvex-copia");
  TempDataFolder folder;
};

TEST_F(CliCopia, ABackupInVolumesRestoresIntoAnotherDataFolder) {
  addEstablishments(folder.db(), 4000);
  const auto before = establishments(folder.db());
  folder.close();
  const auto made = runTorvexCli("copia " + at("Keva2006.bkp") + " --volume 40000" + dados(folder));
  ASSERT_EQ(made.status, 0) << made.err;
  ASSERT_GE(made.lines.size(), 2u);
  EXPECT_EQ(made.lines[0], (dir / "Keva2006.bkp").string());
  EXPECT_EQ(made.lines[1], (dir / "Keva2006.002").string());
  EXPECT_NE(made.err.find("Gravação da cópia bem sucedida."), std::string::npos) << made.err;

  TempDataFolder fresh;
  fresh.close();
  const auto restored = runTorvexCli("restaurar " + at("Keva2006.bkp") + dados(fresh));
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_NE(restored.err.find("Restauração da cópia bem sucedida."), std::string::npos) << restored.err;
  EXPECT_EQ(establishments(fresh.db()), before);
}

TEST_F(CliCopia, RefusalsAndFailuresHaveTheirExitStatusAndLeaveTheDataAsTheyWere) {
  folder.close();
  ASSERT_EQ(runTorvexCli("copia " + at("boa.bkp") + dados(folder)).status, 0);
  const std::string good = readWholeFile(dir / "boa.bkp");
  std::ofstream(dir / "truncada.bkp", std::ios::binary) << good.substr(0, good.size() - 100);
  std::ofstream(dir / "antiga.bkp", std::ios::binary) << archive_bytes::oneEntryArchive("declaracao.db", "x", "Keva2005");
  const auto before = folderBytes(folder.path());

  struct Case {
    std::string args;
    int status;
    const char* message;
  };
  const std::vector<Case> cases{
      {"copia " + at("copia.zip"), 1, "Extensao inválida de arquivo de backup."},
      {"copia " + at("x.bkp") + " --volume 1000", 3, "--volume deve ser 0"},
      {"copia " + at("sem/pasta.bkp"), 3, "Ocorreu um erro durante o processo de backup: [Cannot write to archive]."},
      {"restaurar " + at("boa.zip"), 1, "Extensao inválida de arquivo de backup."},
      {"restaurar " + at("nenhuma.bkp"), 1, "Arquivo inexistente."},
      {"restaurar " + at("antiga.bkp"), 1, "Esse não é um arquivo de backup KEVA válido"},
      {"restaurar " + at("truncada.bkp"), 1, "Ocorreu um erro durante o processo de restauração."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const auto r = runTorvexCli(c.args + dados(folder));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(folderBytes(folder.path()), before);
  }
  {
    core::store::Database other(folder.path());  // another program
    const auto r = runTorvexCli("restaurar " + at("boa.bkp") + dados(folder));
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_NE(r.err.find("em uso"), std::string::npos) << r.err;
  }
  EXPECT_EQ(folderBytes(folder.path()), before);
}

}  // namespace
}  // namespace torvex::test
