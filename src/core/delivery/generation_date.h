#pragma once
// The generation date asked before writing: a real date within the year that
// follows the base year.
#include <string>
#include <string_view>

#include "core/platform/clock.h"

namespace torvex::core::delivery {

// "0000" when valid; "0421" not a real ddmmyyyy date; "0420" before 1 January
// and "0423" after 31 December of the year after the base year.
std::string_view checkGenerationDate(std::string_view ddmmyyyy);

// Today's date as ddmmyyyy.
std::string todayDate(const platform::Clock& clock = platform::systemClock());

}  // namespace torvex::core::delivery
