#include "gui/delivery/write_wizard_commands.h"

#include "gui/delivery/fm_gravacao.h"
#include "gui/delivery/transmission_commands.h"
#include "gui/entry/entry_session.h"
#include "gui/platform/qt_interaction.h"
#include "gui/platform/qt_media.h"
#include "gui/platform/qt_printers.h"
#include "gui/shell/app_context.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::delivery {

WriteWizardExit runWriteWizard(entry::EntrySession& session, QWidget* parent, const WriteWizardOptions& options) {
  platform::QtMedia media(session.context().transmitFolder);
  platform::QtPrinters printers;
  WriteWizardHost host{session, media, printers,
                       [&session, parent](const std::filesystem::path& lastWritten, bool& severalFiles) {
                         offerTransmissionAfterWrite(session.context(), parent, lastWritten, severalFiles);
                       }};
  TfmGravacao wizard(host, options, parent);
  wizard.exec();
  return wizard.wentBack() ? WriteWizardExit::Back : WriteWizardExit::Closed;
}

WriteWizardExit runWriteWizard(shell::AppContext& app, QWidget* parent, const WriteWizardOptions& options) {
  platform::QtInteraction ui(parent);
  entry::EntrySession session(app, ui);
  return runWriteWizard(session, parent, options);
}

void installWriteCommands(shell::TfmPrincipal& main, entry::EntrySession& session) {
  main.setHandler(shell::Command::GravarDeclaracao, [&main, &session] { runWriteWizard(session, &main, {}); });
}

}  // namespace torvex::gui::delivery
