#pragma once
// The user, for torvex-cli: messages go to standard error; questions are answered
// with the given default (scripts have nobody to ask); progress is silent unless
// asked for. Ctrl-C asks a long run to stop: the run's "Deseja interromper?" is
// then answered Yes, so it stops cleanly (every other question keeps its default);
// a second Ctrl-C ends the program at once.
#include <string>

#include "core/platform/interaction.h"

namespace torvex::cli {

class ConsoleInteraction : public core::platform::Interaction {
 public:
  // `yes`: the answer given to confirmations ("mrYes" when true, "mrNo" otherwise).
  explicit ConsoleInteraction(bool yes = true, bool showProgress = false);
  ~ConsoleInteraction() override;
  ConsoleInteraction(const ConsoleInteraction&) = delete;
  ConsoleInteraction& operator=(const ConsoleInteraction&) = delete;

  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override;
  void progress(std::int64_t position, std::int64_t maximum) override;
  void status(const std::string& text) override;
  bool stopRequested() override;
  void clearStopRequest() override;

 private:
  bool yes_;
  bool showProgress_;
  int lastPercent_ = -1;
};

}  // namespace torvex::cli
