#include "support/temp_data_folder.h"

#include <unistd.h>

#include <atomic>
#include <stdexcept>

namespace torvex::test {
namespace fs = std::filesystem;

fs::path makeTempDirectory(const std::string& prefix) {
  static std::atomic<int> counter{0};
  const fs::path dir = fs::temp_directory_path() /
                       (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TempDataFolder::TempDataFolder() : path_(makeTempDirectory("torvex-dados")) {
  const fs::path reference = TORVEX_TEST_REFERENCE_DB;
  if (!fs::exists(reference)) throw std::runtime_error("reference database not built: " + reference.string());
  fs::copy_file(reference, path_ / core::store::Database::kReferenceFile);
  core::store::Database db(path_, core::store::Database::Mode::Create);
  for (const auto& def : core::store::tableDefinitions())
    if (def.db == core::store::DbFile::Declaration) db.createTable(def);
}

TempDataFolder::~TempDataFolder() {
  db_.reset();
  std::error_code ec;
  fs::remove_all(path_, ec);
}

core::store::Database& TempDataFolder::db() {
  if (!db_) db_ = std::make_unique<core::store::Database>(path_);
  return *db_;
}

void TempDataFolder::close() { db_.reset(); }

}  // namespace torvex::test
