#pragma once
// The generation date asked before writing: a real date within the year that
// follows the base year.
#include <string_view>

namespace torvex::core::delivery {

// "0000" when valid; "0421" not a real ddmmyyyy date; "0420" before 1 January
// and "0423" after 31 December of the year after the base year.
std::string_view checkGenerationDate(std::string_view ddmmyyyy);

// Today's date as ddmmyyyy, from the local clock.
std::string todayDate();

}  // namespace torvex::core::delivery
