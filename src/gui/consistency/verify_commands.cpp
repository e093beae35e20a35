#include "gui/consistency/verify_commands.h"

#include "gui/consistency/fm_verificar.h"
#include "gui/entry/entry_session.h"
#include "gui/platform/qt_printers.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::consistency {

void installVerifyCommands(shell::TfmPrincipal& main, entry::EntrySession& session) {
  main.setHandler(shell::Command::Verificar, [&main, &session] {
    platform::QtPrinters printers;
    VerifyWizardHost host{session.db(), session.reference(), session.ui(), printers};
    TfmVerificar wizard(host, &main);
    wizard.exec();
  });
}

}  // namespace torvex::gui::consistency
