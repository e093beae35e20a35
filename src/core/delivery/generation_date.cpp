#include "core/delivery/generation_date.h"

namespace torvex::core::delivery {

std::string todayDate(const platform::Clock& clock) { return platform::dateText(clock.now()); }

}  // namespace torvex::core::delivery
