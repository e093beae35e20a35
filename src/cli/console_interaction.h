#pragma once
// The user, for torvex-cli: messages go to the terminal; questions are answered
// with the given default (scripts have nobody to ask); progress is silent
// unless asked for.
#include <string>

#include "core/platform/interaction.h"

namespace torvex::cli {

class ConsoleInteraction : public core::platform::Interaction {
 public:
  // `yes`: the answer given to confirmations ("mrYes" when true, "mrNo" otherwise).
  explicit ConsoleInteraction(bool yes = true, bool showProgress = false) : yes_(yes), showProgress_(showProgress) {}
  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override;
  void progress(std::int64_t position, std::int64_t maximum) override;
  void status(const std::string& text) override;

 private:
  bool yes_;
  bool showProgress_;
  int lastPercent_ = -1;
};

}  // namespace torvex::cli
