#include "gui/maintenance/backup_commands.h"

#include "gui/maintenance/fm_copia_seguranca.h"
#include "gui/platform/qt_media.h"
#include "gui/shell/app_context.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::maintenance {

namespace {

void openWindow(shell::TfmPrincipal& window, shell::AppContext& app, TfmCopiaSeguranca::Kind kind) {
  platform::QtMedia media(app.transmitFolder);
  BackupWindowHost host{*app.db, media, nullptr, {}, QString::fromStdString(app.executableFolder.string())};
  TfmCopiaSeguranca w(host, kind, &window);
  w.exec();
}

}  // namespace

void installBackupCommands(shell::TfmPrincipal& window, shell::AppContext& app) {
  using shell::Command;
  window.setHandler(Command::CopiaGravar,
                    [&window, &app] { openWindow(window, app, TfmCopiaSeguranca::Kind::Backup); });
  window.setHandler(Command::CopiaRestaurar,
                    [&window, &app] { openWindow(window, app, TfmCopiaSeguranca::Kind::Restore); });
}

}  // namespace torvex::gui::maintenance
