#include "support/scripted_interaction.h"

namespace torvex::test {
using core::platform::Buttons;

std::string ScriptedInteraction::message(core::platform::DialogKind kind, const std::string& text, Buttons buttons) {
  shown.push_back({kind, text, buttons});
  if (!answers.empty()) {
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? core::platform::button::kYes
                                                                      : core::platform::button::kOk;
}

void ScriptedInteraction::progress(std::int64_t position, std::int64_t maximum) {
  progressSteps.emplace_back(position, maximum);
}

void ScriptedInteraction::processEvents() {
  ++events;
  if (stopAfterEvents > 0 && events == stopAfterEvents) stop_ = true;
}

}  // namespace torvex::test
