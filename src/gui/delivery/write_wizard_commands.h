#pragma once
// The write wizard ("Assistente para Gravação "), as the main window's
// "Gravar Declaração" opens it and as the rectification continues into it:
//
//   delivery::runWriteWizard(app, this, {});                       // pages 1 to 5
//   delivery::runWriteWizard(app, this, {.rectification = true,     // pages 3 to 5,
//                                        .copyForRectification = copy});  // writing the work tables
#include <functional>

class QWidget;

namespace torvex::core::platform {
class Interaction;
}
namespace torvex::gui::shell {
class TfmPrincipal;
struct AppContext;
}  // namespace torvex::gui::shell
namespace torvex::gui::entry {
class EntrySession;
}

namespace torvex::gui::delivery {

struct WriteWizardOptions {
  // Enter at the responsible page with no establishment list: the check and the
  // writer read the work tables, and the files are written as a rectification.
  bool rectification = false;
  // Rectification only: run each time the responsible row has been saved,
  // before the check; it empties the work tables and copies the chosen rows
  // into them (telling the user of any problem). False cancels the wizard.
  std::function<bool()> copyForRectification;
};

// How the wizard was left.
enum class WriteWizardExit {
  Closed,  // cancelled, or closed after writing
  Back,    // "< Voltar" on the first page shown: the rectification shows its own pages again
};

// Shows the wizard modally; returns when it closes.
WriteWizardExit runWriteWizard(shell::AppContext& app, QWidget* parent, const WriteWizardOptions& options);
// The same with the run's own dialogs and code lists.
WriteWizardExit runWriteWizard(entry::EntrySession& session, QWidget* parent, const WriteWizardOptions& options);

// Plugs "Gravar Declaração" into the main window.
void installWriteCommands(shell::TfmPrincipal& main, entry::EntrySession& session);

}  // namespace torvex::gui::delivery
