#include "gui/shell/app_context.h"

namespace torvex::gui::shell {

QString AppContext::helpFile() const {
  return QString::fromStdString((executableFolder / "AJUDA TORVEX.hlp").string());
}

AppContext AppContext::forExecutableFolder(const std::filesystem::path& folder) {
  AppContext c;
  c.executableFolder = folder;
  c.dataFolder = folder / "dados";
  c.transmitFolder = folder / "Transmite";
  return c;
}

QString versionText() {
  return QString::fromUtf8(core::product::kVersion.data(), static_cast<qsizetype>(core::product::kVersion.size()));
}

}  // namespace torvex::gui::shell
