#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

#include "core/store/database.h"
#include "core/store/work_tables_lock.h"
#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::TempDataFolder;

void leaveWorkTable(Database& db) {
  db.createTable(*findTableDef("Te8emp"));
  db.exec("INSERT INTO Te8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES ('2006', '1', '00')");
  db.exec("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES ('2006', '1', '00')");
}

std::string lockFileText(const fs::path& folder) {
  std::ifstream in(folder / Database::kWorkLockFile);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A scratch database found damaged or left half-written is made anew when the
// folder is opened; the declaration tables are not touched.
TEST(ScratchDatabase, IsMadeAnewWhenDamagedOrAbandoned) {
  const struct {
    const char* what;
    void (*damage)(const fs::path& folder);
  } cases[] = {
      {"random bytes",
       [](const fs::path& folder) {
         std::mt19937 random(7);
         std::string noise(64 * 1024, '\0');
         for (char& c : noise) c = static_cast<char>(random());
         std::ofstream(folder / Database::kWorkFile, std::ios::binary | std::ios::trunc) << noise;
       }},
      {"a writer that stopped half-way",
       [](const fs::path& folder) { std::ofstream(folder / Database::kWorkLockFile) << "12345\n"; }},
  };
  for (const auto& c : cases) {
    TempDataFolder folder;
    leaveWorkTable(folder.db());
    folder.close();
    c.damage(folder.path());
    Database db(folder.path());
    EXPECT_FALSE(db.tableExists("Te8emp")) << c.what;
    EXPECT_EQ(db.rowCount("BD8Emp"), 1) << c.what;
    EXPECT_EQ(lockFileText(folder.path()), "") << c.what;
    db.createTable(*findTableDef("Te8emp"));  // usable again
  }
}

TEST(ScratchDatabase, IsLeftAloneWhileAnotherProgramWritesIt) {
  TempDataFolder folder;
  leaveWorkTable(folder.db());
  const WorkTablesHold writing(folder.db());
  EXPECT_NE(lockFileText(folder.path()), "");  // the mark of a run under way
  Database other(folder.path());
  EXPECT_TRUE(other.tableExists("Te8emp"));
}

TEST(WorkTablesHold, NestsInOneConnectionAndKeepsOthersOutUntilReleased) {
  TempDataFolder folder;
  Database other(folder.path());
  {
    const WorkTablesHold outer(folder.db());
    const WorkTablesHold inner(folder.db(), WorkTablesHold::Access::Read, 0ms);  // no wait for itself
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(WorkTablesHold(other, WorkTablesHold::Access::Read, 300ms), WorkTablesBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
  }
  EXPECT_EQ(lockFileText(folder.path()), "");  // a finished writer leaves no mark
  {
    const WorkTablesHold reading(other, WorkTablesHold::Access::Read, 0ms);
    EXPECT_EQ(lockFileText(folder.path()), "");  // nor does a reader
  }
}

}  // namespace
}  // namespace torvex::core::store
