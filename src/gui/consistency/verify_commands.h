#pragma once
// Plugs "Verificar Inconsistências das Declarações" into the main window.
namespace torvex::gui::shell {
class TfmPrincipal;
}
namespace torvex::gui::entry {
class EntrySession;
}

namespace torvex::gui::consistency {

void installVerifyCommands(shell::TfmPrincipal& main, entry::EntrySession& session);

}  // namespace torvex::gui::consistency
