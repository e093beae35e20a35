// torvex-cli indexar, and what a second program on the same data folder does to it.
#include <gtest/gtest.h>

#include "core/store/database.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

TEST(CliIndexar, RebuildsTheIndexesOfTheFolder) {
  TempDataFolder folder;
  folder.db().dropIndex("BD8Emp", "Main");
  folder.close();
  const auto r = runTorvexCli("indexar --dados '" + folder.path().string() + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Arquivos indexados com sucesso."), std::string::npos) << r.err;
  EXPECT_TRUE(folder.db().indexExists("BD8Emp", "Main"));
}

TEST(CliIndexar, StopsWhileAnotherProgramHasTheFolderOpen) {
  TempDataFolder folder;
  core::store::Database other(folder.path());  // the other program
  const auto r = runTorvexCli("indexar --dados '" + folder.path().string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Nenhum usuário pode estar usando o sistema: \"Tabela "), std::string::npos) << r.err;
}

TEST(CliIndexar, AFolderWithoutItsFilesIsRefused) {
  const auto dir = makeTempDirectory();
  const auto r = runTorvexCli("indexar --dados '" + dir.string() + "'");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("Faltam arquivos para execução do sistema."), std::string::npos) << r.err;
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace torvex::test
