#pragma once
// The prefix an imported establishment takes when its inscription and prefix
// are already stored with another linked CEI: the first free one from "G0" on.
#include <functional>
#include <string>
#include <string_view>

namespace torvex::core::importing {

// The prefix that follows `prefix` in the order "G0" … "G9", "GA" … "GZ", "H0" …:
// the second character advances through 0-9 then A-Z; past "Z" it returns to
// "0" and the first character advances the same way ("Z" wraps to "0").
std::string nextPrefix(std::string_view prefix);

// The first prefix from "G0" on for which `taken` answers false; empty when
// every two-character prefix is taken.
std::string firstFreePrefix(const std::function<bool(const std::string&)>& taken);

}  // namespace torvex::core::importing
