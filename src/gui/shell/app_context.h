#pragma once
// What lives for the whole run: the folders beside the executable and the open
// data folder. Created after the start-up check, before the main window.
#include <QString>
#include <filesystem>
#include <memory>

#include "core/product.h"
#include "core/store/database.h"

namespace torvex::gui::shell {

struct AppContext {
  std::filesystem::path executableFolder;
  std::filesystem::path dataFolder;      // "dados" beside the executable
  std::filesystem::path transmitFolder;  // "Transmite" beside the executable
  std::unique_ptr<core::store::Database> db;

  QString helpFile() const;  // "AJUDA TORVEX.hlp" beside the executable
  static AppContext forExecutableFolder(const std::filesystem::path& folder);
};

inline constexpr int kBaseYear = core::product::kBaseYearNumber;
inline constexpr int kPreviousYear = core::product::yearNumber(core::product::kPreviousYear);
QString versionText();  // "2006.4"

}  // namespace torvex::gui::shell
