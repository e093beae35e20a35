#include "core/store/schema_version.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/store/database.h"
#include "core/store/engine_error.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

class SchemaVersion : public ::testing::Test {
 protected:
  std::filesystem::path declarations() const { return folder.path() / Database::kDeclarationFile; }
  void setVersion(int version) {
    folder.close();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(declarations().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, ("PRAGMA user_version = " + std::to_string(version)).c_str(), nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
  }
  int version() {
    auto st = folder.db().prepare("PRAGMA main.user_version");
    return st.step() ? static_cast<int>(st.integer(0)) : -1;
  }
  std::string bytes() const {
    std::ifstream in(declarations(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  test::TempDataFolder folder;
};

TEST_F(SchemaVersion, ANewFolderCarriesTheCurrentVersion) { EXPECT_EQ(version(), kDeclarationSchemaVersion); }

TEST_F(SchemaVersion, AFolderWrittenBeforeTheVersionWasRecordedIsBroughtUpToDateWithItsData) {
  folder.db().exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                   "VALUES ('2006', '12345678000195', '00')");
  setVersion(0);
  EXPECT_EQ(version(), kDeclarationSchemaVersion);
  EXPECT_EQ(folder.db().rowCount("BD8Emp"), 1);
}

TEST_F(SchemaVersion, ANewerOrUnknownVersionIsRefusedAndTheFileLeftAsItWas) {
  for (const int found : {kDeclarationSchemaVersion + 1, -3}) {
    setVersion(found);
    const std::string before = bytes();
    try {
      Database db(folder.path());
      ADD_FAILURE() << "opened a database of version " << found;
    } catch (const EngineError& e) {
      EXPECT_EQ(std::string(e.what()), newerSchemaMessage(found));
    }
    EXPECT_EQ(bytes(), before) << found;
  }
}

}  // namespace
}  // namespace torvex::core::store
