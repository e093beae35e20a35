#pragma once
// A throw-away data folder for a test: the built reference database copied in,
// empty declaration tables, removed when the object goes away.
#include <filesystem>
#include <memory>

#include "core/store/database.h"

namespace torvex::test {

class TempDataFolder {
 public:
  TempDataFolder();
  ~TempDataFolder();
  TempDataFolder(const TempDataFolder&) = delete;
  TempDataFolder& operator=(const TempDataFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder's database, opened on first use and kept for the test.
  core::store::Database& db();
  // Closes the database held by db(), if any.
  void close();

 private:
  std::filesystem::path path_;
  std::unique_ptr<core::store::Database> db_;
};

// A fresh empty temporary directory, removed by the caller.
std::filesystem::path makeTempDirectory(const std::string& prefix = "torvex-test");

}  // namespace torvex::test
