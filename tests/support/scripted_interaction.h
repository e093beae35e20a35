#pragma once
// A scripted stand-in for the user: answers dialogs from a queue (default
// "mrOk", or "mrYes" for questions), records every message, and can post a
// stop request after a given number of processEvents() calls.
#include <deque>
#include <string>
#include <vector>

#include "core/platform/interaction.h"

namespace torvex::test {

class ScriptedInteraction : public core::platform::Interaction {
 public:
  struct Shown {
    core::platform::DialogKind kind;
    std::string text;
    core::platform::Buttons buttons;
  };

  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override;
  void beep() override { ++beeps; }
  void progress(std::int64_t position, std::int64_t maximum) override;
  void status(const std::string& text) override { statuses.push_back(text); }
  void processEvents() override;
  bool stopRequested() override { return stop_; }
  void clearStopRequest() override { stop_ = false; }

  // Answers given to the next dialogs, in order.
  std::deque<std::string> answers;
  // Post a stop request once processEvents() has been called this many times (0: never).
  long stopAfterEvents = 0;

  std::vector<Shown> shown;
  std::vector<std::string> statuses;
  std::vector<std::pair<std::int64_t, std::int64_t>> progressSteps;
  long events = 0;
  int beeps = 0;

 private:
  bool stop_ = false;
};

}  // namespace torvex::test
