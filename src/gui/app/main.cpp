// TORVEX: start-up sequence.
#include <QMessageBox>
#include <QSplashScreen>
#include <memory>

#include "core/platform/named_guard.h"
#include "core/store/data_folder.h"
#include "gui/consistency/verify_commands.h"
#include "gui/delivery/write_wizard_commands.h"
#include "gui/delivery/rectification_commands.h"
#include "gui/entry/entry_commands.h"
#include "gui/entry/entry_session.h"
#include "gui/importing/import_commands.h"
#include "gui/maintenance/backup_commands.h"
#include "gui/shell/app_context.h"
#include "gui/shell/torvex_application.h"
#include "gui/shell/fm_principal.h"
#include "gui/platform/qt_interaction.h"
#include "gui/shell/screen_scale.h"
#include "gui/shell/splash.h"
#include "gui/shell/translations.h"

using namespace torvex;
using namespace torvex::gui::shell;

int main(int argc, char** argv) {
  // First guard: another copy is running; leave quietly, before any window.
  core::platform::NamedGuard firstGuard("This is a unique string!");
  if (firstGuard.state() == core::platform::NamedGuard::State::HeldElsewhere) return 0;

  TorvexApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TORVEX"));
  installQtTranslations(app);
  installScreenScale(app);
  if (!firstGuard.acquired()) {
    // Without a folder of the user's own the single-copy guard cannot be kept.
    QMessageBox box(QMessageBox::Critical, gui::platform::dialogTitle(core::platform::DialogKind::Warning),
                    QStringLiteral("Não foi possível garantir que só uma cópia do TORVEX esteja em execução: %1.")
                        .arg(QString::fromStdString(firstGuard.problem())),
                    QMessageBox::Ok);
    box.exec();
    return 1;
  }

  core::platform::NamedGuard secondGuard("Torvex");
  if (!secondGuard.acquired()) {
    QMessageBox box(QMessageBox::Critical, gui::platform::dialogTitle(core::platform::DialogKind::Warning),
                    QStringLiteral("Este programa já está sendo executado."), QMessageBox::Ok);
    box.exec();
    return 0;
  }

  std::unique_ptr<QSplashScreen> splash = createSplash();
  splash->show();
  QApplication::processEvents();

  AppContext context = AppContext::forExecutableFolder(QCoreApplication::applicationDirPath().toStdString());
  torvex::gui::platform::QtInteraction ui;
  std::string problem;
  try {
    problem = core::store::startupCheckProblem(context.dataFolder, ui);
  } catch (const std::exception&) {
    problem = core::store::kMissingFilesMessage;
  }
  if (!problem.empty()) {
    splash->hide();
    QMessageBox box(QMessageBox::Warning, gui::platform::dialogTitle(core::platform::DialogKind::Warning),
                    QString::fromStdString(problem), QMessageBox::Ok);
    box.exec();
    return 1;
  }

  try {
    context.db = std::make_unique<core::store::Database>(context.dataFolder);
  } catch (const std::exception& e) {
    splash->hide();
    reportFatalError(e);
    return 1;
  }

  TfmPrincipal window(context);
  torvex::gui::entry::EntrySession entrySession(context, ui);
  torvex::gui::entry::installEntryCommands(window, entrySession);
  torvex::gui::importing::installImportCommands(window, context, ui);
  torvex::gui::delivery::installWriteCommands(window, entrySession);
  torvex::gui::delivery::installRectificationCommands(window, entrySession);
  torvex::gui::consistency::installVerifyCommands(window, entrySession);
  torvex::gui::maintenance::installBackupCommands(window, context);
  app.setErrorHandlerInstalled(true);
  showMainWindowAfterSplash(std::move(splash), window);
  return app.exec();
}
