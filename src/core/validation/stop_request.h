#pragma once
// The stop request of a long run (analysis, check, import, writing): asked by
// the run's owner (a Cancel button) or by the host (Esc, Ctrl-C, through
// Interaction::stopRequested()), looked at between records, and confirmed
// with the user's "Deseja interromper?" before the run stops.
#include "core/platform/interaction.h"

namespace torvex::core::validation {

class StopRequest {
 public:
  // Asks the run to stop at its next look.
  void request() { requested_ = true; }
  // Drops a request left from before the run started.
  void forget() { requested_ = false; }
  // Whether a stop was asked (by the owner or the host) and the user confirms
  // it. The request is used up either way: a declined one lets the run go on.
  bool confirmed(platform::Interaction& ui);

 private:
  bool requested_ = false;
};

}  // namespace torvex::core::validation
