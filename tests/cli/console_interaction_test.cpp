// The terminal's answers: questions get the command's default, except the
// interruption question after Ctrl-C, which stops the run.
#include "cli/console_interaction.h"

#include <gtest/gtest.h>

#include <csignal>

namespace torvex::cli {
namespace {

using core::platform::Buttons;
using core::platform::DialogKind;

TEST(ConsoleInteraction, CtrlCRequestsAStopAndTheStopQuestionIsAnsweredYes) {
  ConsoleInteraction ui(/*yes=*/false);
  EXPECT_FALSE(ui.stopRequested());
  EXPECT_EQ(ui.message(DialogKind::Confirmation, "Substituir?", Buttons::YesNo), "mrNo");
  std::raise(SIGINT);
  EXPECT_TRUE(ui.stopRequested());
  // Only the stop question is answered Yes: an overwrite asked before the run looks
  // at the request keeps the command's answer.
  EXPECT_EQ(ui.message(DialogKind::Confirmation, "Substituir?", Buttons::YesNo), "mrNo");
  EXPECT_EQ(ui.message(DialogKind::Confirmation, "Substituir?", Buttons::YesNoCancel), "mrNo");
  EXPECT_EQ(ui.message(DialogKind::Information, "Deseja interromper?", Buttons::YesNo), "mrYes");
  EXPECT_EQ(ui.message(DialogKind::Warning, "Aviso", Buttons::Ok), "mrOk");
  ui.clearStopRequest();
  EXPECT_FALSE(ui.stopRequested());
}

}  // namespace
}  // namespace torvex::cli
