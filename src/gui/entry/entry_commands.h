#pragma once
// Plugs the keying-in windows into the main window's commands: "Nova",
// "Abrir", "Excluir" (the list in delete mode) and "Dados Responsável".
namespace torvex::gui::shell {
class TfmPrincipal;
}

namespace torvex::gui::entry {

class EntrySession;

void installEntryCommands(shell::TfmPrincipal& main, EntrySession& session);

}  // namespace torvex::gui::entry
