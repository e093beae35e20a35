#pragma once
// Plugs the import wizard into the main window's two import commands
// (current year and previous year); the main window applies its enabling
// rule again when the wizard closes.
namespace torvex::core::platform {
class Interaction;
}
namespace torvex::gui::shell {
class TfmPrincipal;
struct AppContext;
}  // namespace torvex::gui::shell

namespace torvex::gui::importing {

void installImportCommands(shell::TfmPrincipal& main, shell::AppContext& context, core::platform::Interaction& ui);

}  // namespace torvex::gui::importing
