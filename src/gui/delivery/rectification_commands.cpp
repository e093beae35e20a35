#include "gui/delivery/rectification_commands.h"

#include "core/delivery/rectification_selection.h"
#include "core/jobs/rectification_job.h"
#include "core/validation/message_dialog.h"
#include "gui/delivery/fm_retificacao.h"
#include "gui/delivery/fm_retificacao_regras.h"
#include "gui/entry/entry_session.h"
#include "gui/shell/fm_principal.h"

namespace torvex::gui::delivery {

void runRectification(entry::EntrySession& session, QWidget* parent, const WriteWizardRunner& writeWizard) {
  {
    TfmRetificacaoRegras rules(parent);
    rules.exec();
  }
  auto& db = session.db();
  if (!core::jobs::startRectification(db)) {
    session.ui().message(core::platform::DialogKind::Error, core::jobs::kRectificationStartFailedText,
                         core::platform::Buttons::Ok);
    return;
  }
  core::delivery::RectificationSelection selection(db);
  const auto copy = [&session, &selection] {
    const auto copied = core::jobs::copyForRectification(session.db(), selection);
    if (copied.result == core::jobs::RectificationCopyResult::Copied) return true;
    core::validation::showMessage(session.ui(), session.reference(), copied.code);
    return false;
  };
  TfmRetificacao wizard(session, selection, parent);
  while (wizard.exec() == QDialog::Accepted)
    if (writeWizard({.rectification = true, .copyForRectification = copy}) != WriteWizardExit::Back) break;
  selection.release();
}

void runRectification(entry::EntrySession& session, QWidget* parent) {
  runRectification(session, parent,
                   [&session, parent](const WriteWizardOptions& options) { return runWriteWizard(session, parent, options); });
}

void installRectificationCommands(shell::TfmPrincipal& main, entry::EntrySession& session) {
  main.setHandler(shell::Command::GravarRetificacao, [&main, &session] { runRectification(session, &main); });
}

}  // namespace torvex::gui::delivery
