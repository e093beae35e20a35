#include "gui/entry/entry_commands.h"

#include "gui/entry/entry_session.h"
#include "gui/entry/responsible_window.h"
#include "gui/shell/main_window.h"

namespace torvex::gui::entry {

using shell::Command;

void installEntryCommands(shell::TfmPrincipal& main, EntrySession& session) {
  main.setHandler(Command::DadosResponsavel, [&main, &session] {
    TfmDadosResponsavel w(session, &main);
    w.exec();
  });
}

}  // namespace torvex::gui::entry
