// Commands facing a data folder they cannot use as it is: held by another
// program, damaged, on a read-only disk; and input files that are not files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "core/store/work_tables_lock.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

class DataFolderInUse : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.close();
    ASSERT_TRUE(storeGeneratedDeclaration(folder.path(), 10));
  }
  void TearDown() override { fs::remove_all(work); }

  TempDataFolder folder;
  std::string dados = " --dados " + quoted(folder.path().string());
  fs::path work = makeTempDirectory("torvex-em-uso");
  std::string gravar = "gravar" + dados + " --destino " + quoted(work.string()) + " --data 15022007";
};

// Another program inside a write of the declarations (an import's
// transaction), or holding the work tables: the documented status 7 and the
// in-use message, never a system text.
TEST_F(DataFolderInUse, CommandsWaitingInVainForAnotherProgramExitWithSeven) {
  {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((folder.path() / "declaracao.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    for (const std::string& command : {"verificar" + dados, gravar}) {
      const auto r = runTorvexCli(command);
      EXPECT_EQ(r.status, 7) << command << "\n" << r.err;
      EXPECT_NE(r.err.find("Outro programa está gravando as declarações desta pasta de dados"), std::string::npos)
          << r.err;
      EXPECT_EQ(r.err.find("database is locked"), std::string::npos) << r.err;
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
  }
  core::store::WorkTablesLock held(folder.path() / "trabalho.lck");
  held.acquire(true, std::chrono::milliseconds(0));
  const auto r = runTorvexCli(gravar);
  EXPECT_EQ(r.status, 7) << r.err;
  EXPECT_NE(r.err.find(core::store::kWorkTablesBusyMessage), std::string::npos) << r.err;
  held.release();
  EXPECT_EQ(runTorvexCli(gravar).status, 0);
}

// A declaration table that lost a column is refused by every command with
// the reinstall or restore advice, instead of passing the check with no error.
TEST_F(DataFolderInUse, ADeclarationTableThatLostAColumnIsRefused) {
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder.path() / "declaracao.db").c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, "ALTER TABLE BD8Emp DROP COLUMN NoRazaoEstabelecimento", nullptr, nullptr, &error),
              SQLITE_OK)
        << error;
    sqlite3_close(db);
  }
  for (const std::string& command : {"verificar" + dados, gravar}) {
    const auto r = runTorvexCli(command);
    EXPECT_EQ(r.status, 3) << command;
    EXPECT_NE(r.err.find("A tabela BD8Emp da pasta de dados está danificada: falta a coluna NoRazaoEstabelecimento. "
                         "Instale novamente o TORVEX ou restaure uma cópia de segurança dos dados."),
              std::string::npos)
        << r.err;
  }
}

// A data folder on a disk mounted read-only: the lock file cannot be made,
// and the message says why.
TEST_F(DataFolderInUse, AReadOnlyDataFolderSaysWhy) {
  const fs::path disk = work / "disco";
  fs::create_directory(disk);
  const auto r = runOnSmallDisk(disk, 4096,
                                "cp " + quoted(folder.path().string()) + "/*.db " + quoted(disk.string()) +
                                    " && mount -o remount,ro " + quoted(disk.string()) +
                                    " && \"$TORVEX_CLI\" verificar --dados " + quoted(disk.string()) +
                                    "; echo \"saida=$?\"");
  if (!r) GTEST_SKIP() << "this system does not let a test mount a small disk";
  EXPECT_NE(r->out.find("saida=3"), std::string::npos) << r->out << r->err;
  EXPECT_NE(r->err.find("Não foi possível abrir o arquivo de controle " + (disk / "torvex.lck").string() +
                        ": a pasta " + disk.string() + " está num disco somente para leitura"),
            std::string::npos)
      << r->err;
}

// A link planted at the name of a lock file is never followed (the work
// tables' lock writes into its file).
TEST_F(DataFolderInUse, ALinkPlantedAtALockFileIsNotFollowed) {
  const fs::path victim = work / "vitima.txt";
  std::ofstream(victim) << "intocado";
  fs::remove(folder.path() / "trabalho.lck");
  fs::create_symlink(victim, folder.path() / "trabalho.lck");
  const auto r = runTorvexCli("verificar" + dados);
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("Não foi possível abrir o arquivo de controle " + (folder.path() / "trabalho.lck").string()),
            std::string::npos)
      << r.err;
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "intocado");
}

// A folder or a FIFO given where a file is expected is named for what it is.
TEST_F(DataFolderInUse, AFolderOrAFifoIsNotTakenForAMissingFile) {
  ASSERT_EQ(::mkfifo((work / "fila.dec").c_str(), 0600), 0);
  fs::create_directory(work / "pasta.dec");
  const struct {
    std::string command;
    const char* says;
  } cases[] = {
      {"importar " + quoted((work / "pasta.dec").string()) + dados, "é uma pasta"},
      {"importar " + quoted((work / "fila.dec").string()) + dados, "não é um arquivo comum"},
      {"transmitir " + quoted((work / "pasta.dec").string()), "é uma pasta, não um arquivo comum"},
      {"transmitir " + quoted((work / "fila.dec").string()), "é um FIFO, não um arquivo comum"},
      {"protocolo " + quoted((work / "fila.dec").string()), "é um FIFO, não um arquivo comum"},
  };
  for (const auto& c : cases) {
    const auto r = runTorvexCli(c.command);
    EXPECT_EQ(r.status, 3) << c.command;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.command << "\n" << r.err;
    EXPECT_EQ(r.err.find("não encontrado"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace torvex::test
