#pragma once
// The main window's "Cópia de Segurança" entries: "&Gravar" opens the backup
// window, "&Restaurar" the restore window (the main window applies its
// enabling rule afterwards).
namespace torvex::gui::shell {
class TfmPrincipal;
struct AppContext;
}  // namespace torvex::gui::shell

namespace torvex::gui::maintenance {

void installBackupCommands(shell::TfmPrincipal& window, shell::AppContext& app);

}  // namespace torvex::gui::maintenance
