#pragma once
// "Gravar Retificação da Declaração": the rules screen, then the rectification
// wizard, then the write wizard in rectification mode over the chosen rows.
//
//   delivery::runRectification(session, this);
#include <functional>

#include "gui/delivery/write_wizard_commands.h"

class QWidget;

namespace torvex::gui::delivery {

// Runs the write wizard with the given options and tells how it was left.
using WriteWizardRunner = std::function<WriteWizardExit(const WriteWizardOptions&)>;

// The whole command: the work tables made anew, the choice, and the write
// wizard, to which "< Voltar" on its first page brings the choice back.
void runRectification(entry::EntrySession& session, QWidget* parent);
// The same with another write wizard (tests drive it without a modal loop).
void runRectification(entry::EntrySession& session, QWidget* parent, const WriteWizardRunner& writeWizard);

// Plugs "Gravar Retificação da Declaração" into the main window.
void installRectificationCommands(shell::TfmPrincipal& main, entry::EntrySession& session);

}  // namespace torvex::gui::delivery
