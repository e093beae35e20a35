#include "core/store/database_snapshot.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/store/declaration_state.h"
#include "core/store/engine_error.h"
#include "core/store/schema_version.h"
#include "support/background_cli.h"
#include "support/folder_bytes.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

namespace fs = std::filesystem;

void addEstablishment(Database& db, const std::string& inscription, const std::string& year = "2006") {
  db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES (:a, :i, '00')")
      .bind(":a", year)
      .bind(":i", inscription)
      .run();
}

std::vector<std::string> inscriptions(Database& db) {
  std::vector<std::string> out;
  auto st = db.prepare("SELECT CoCgcCeiEstabelecimento FROM BD8Emp ORDER BY 1");
  while (st.step()) out.push_back(st.text(0));
  return out;
}

// Runs statements on a database file of its own, outside any data folder.
void alter(const fs::path& file, const std::string& sql) {
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
  char* err = nullptr;
  const int rc = sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &err);
  sqlite3_close(raw);
  ASSERT_EQ(rc, SQLITE_OK) << (err ? err : "");
}

class DatabaseSnapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    addEstablishment(folder.db(), "11111111000191");
    addEstablishment(folder.db(), "22222222000191");
  }
  ~DatabaseSnapshot() override { fs::remove_all(scratch); }
  fs::path snapshot() {
    const fs::path file = scratch / "copia.db";
    snapshotDeclarations(folder.db(), file);
    return file;
  }
  test::TempDataFolder folder;
  fs::path scratch = test::makeTempDirectory("torvex-snapshot");
};

TEST_F(DatabaseSnapshot, ASnapshotRestoresIntoTheLiveConnectionAndIntoAnotherFolder) {
  const fs::path full = snapshot();
  EXPECT_EQ(whyNotRestorable(full), std::nullopt);
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(scratch), fs::directory_iterator()),
            std::vector<fs::path>{full});

  folder.db().exec("DELETE FROM BD8Emp");
  addEstablishment(folder.db(), "33333333000191", "2005");
  const fs::path older = scratch / "anterior.db";
  snapshotDeclarations(folder.db(), older);

  restoreDeclarations(folder.db(), full);
  EXPECT_EQ(inscriptions(folder.db()), (std::vector<std::string>{"11111111000191", "22222222000191"}));
  EXPECT_FALSE(folder.db().holdsExclusive());
  // A cached statement stopped at its first row keeps a read open on the connection.
  ASSERT_TRUE(folder.db().cached("SELECT AnBase FROM BD8Emp").step());
  ASSERT_TRUE(hasCurrentDeclarations(folder.db()));
  restoreDeclarations(folder.db(), older);
  EXPECT_FALSE(hasCurrentDeclarations(folder.db())) << "the enabling rule reads the restored rows";
  {
    // A statement of some other operation still reading: refused, not cut short.
    auto reading = folder.db().prepare("SELECT AnBase FROM BD8Emp");
    ASSERT_TRUE(reading.step());
    EXPECT_THROW(restoreDeclarations(folder.db(), full), SnapshotError);
    EXPECT_FALSE(folder.db().holdsExclusive());
  }
  addEstablishment(folder.db(), "44444444000191");  // still writable
  EXPECT_TRUE(hasCurrentDeclarations(folder.db()));

  test::TempDataFolder fresh;
  restoreDeclarations(fresh.db(), full);
  EXPECT_EQ(inscriptions(fresh.db()), (std::vector<std::string>{"11111111000191", "22222222000191"}));
  fresh.close();
  Database reopened(fresh.path());
  EXPECT_EQ(reopened.rowCount("BD8Emp"), 2);
}

TEST_F(DatabaseSnapshot, AnOlderLayoutVersionIsRestoredAndBroughtUpToDate) {
  const fs::path file = snapshot();
  alter(file, "PRAGMA user_version = 0");
  restoreDeclarations(folder.db(), file);
  auto st = folder.db().prepare("PRAGMA main.user_version");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(st.integer(0), kDeclarationSchemaVersion);
}

TEST_F(DatabaseSnapshot, AFileThatIsNotRestorableIsRefusedWithItsReasonAndTheFolderIsUntouched) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> damage;
    const char* reason;
  };
  const std::vector<Case> cases{
      {"missing", [](const fs::path& f) { fs::remove(f); }, "não existe"},
      {"text", [](const fs::path& f) { std::ofstream(f, std::ios::trunc) << "nada a ver\n"; },
       "não é uma base de dados"},
      {"truncated", [](const fs::path& f) { fs::resize_file(f, fs::file_size(f) / 2); }, "danificada"},
      {"overwritten page",
       [](const fs::path& f) {
         std::fstream io(f, std::ios::in | std::ios::out | std::ios::binary);
         io.seekp(4096);  // the second page: a table's root
         io << std::string(2000, '\x7f');
       },
       "danificada"},
      {"table missing", [](const fs::path& f) { alter(f, "DROP TABLE BD8Vinc"); }, "não contém a tabela BD8Vinc"},
      {"column missing",
       [](const fs::path& f) { alter(f, "ALTER TABLE BD8Resp DROP COLUMN NoBairroRespArquivo"); },
       "não tem o campo NoBairroRespArquivo"},
      {"column unknown", [](const fs::path& f) { alter(f, "ALTER TABLE BD8Emp ADD COLUMN Extra TEXT"); },
       "campos que este programa não conhece"},
      {"newer version",
       [](const fs::path& f) { alter(f, "PRAGMA user_version = " + std::to_string(kDeclarationSchemaVersion + 1)); },
       "que este programa não conhece"},
      {"trigger",
       [](const fs::path& f) { alter(f, "CREATE TRIGGER t AFTER INSERT ON BD8Emp BEGIN DELETE FROM BD8Vinc; END"); },
       "objetos que este programa não cria"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = snapshot();
    c.damage(file);
    const auto reason = whyNotRestorable(file);
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find(c.reason), std::string::npos) << *reason;

    folder.db().forgetCachedStatements();
    const auto before = test::folderBytes(folder.path());
    try {
      restoreDeclarations(folder.db(), file);
      ADD_FAILURE() << "restored";
    } catch (const SnapshotError& e) {
      EXPECT_EQ(std::string(e.what()), *reason);
    }
    EXPECT_EQ(test::folderBytes(folder.path()), before);
    EXPECT_FALSE(folder.db().holdsExclusive());
  }
}

TEST_F(DatabaseSnapshot, RestoreWaitsForNoOneElseAndLeavesTheFolderWhenAnotherProgramHasItOpen) {
  const fs::path file = snapshot();
  folder.db().exec("DELETE FROM BD8Emp");
  const auto before = test::folderBytes(folder.path());
  {
    Database other(folder.path());
    try {
      restoreDeclarations(folder.db(), file);
      ADD_FAILURE() << "restored while another program had the folder open";
    } catch (const EngineError& e) {
      EXPECT_EQ(e.code(), engine_code::kTableBusy);
    }
  }
  EXPECT_EQ(test::folderBytes(folder.path()), before);
}

TEST_F(DatabaseSnapshot, AFailedSnapshotLeavesTheOlderCopyAndNoTemporaryFile) {
  const fs::path file = snapshot();
  const std::string older = test::readWholeFile(file);
  addEstablishment(folder.db(), "55555555000191");
  // A write transaction of the connection itself: the copy cannot read a consistent state.
  folder.db().exec("BEGIN IMMEDIATE; DELETE FROM BD8Emp");
  EXPECT_THROW(snapshotDeclarations(folder.db(), file), SnapshotError);
  folder.db().exec("ROLLBACK");
  EXPECT_EQ(test::readWholeFile(file), older);
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch), fs::directory_iterator()), 1);
  EXPECT_THROW(snapshotDeclarations(folder.db(), scratch / "sem-pasta" / "copia.db"), SnapshotError);
}

}  // namespace
}  // namespace torvex::core::store
