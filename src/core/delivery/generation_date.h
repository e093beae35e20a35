#pragma once
// The generation date offered before writing: today's date. Its check is the
// validators' checkGenerationDate.
#include <string>
#include <string_view>

#include "core/platform/clock.h"

namespace torvex::core::delivery {

// Today's date as ddmmyyyy.
std::string todayDate(const platform::Clock& clock = platform::systemClock());

}  // namespace torvex::core::delivery
