#include "core/validation/stop_request.h"

#include "core/validation/message_dialog.h"

namespace torvex::core::validation {

bool StopRequest::confirmed(platform::Interaction& ui) {
  if (!requested_ && !ui.stopRequested()) return false;
  const bool stop = confirmInterruption(ui);
  requested_ = false;
  ui.clearStopRequest();
  return stop;
}

}  // namespace torvex::core::validation
