#pragma once
// Small helpers shared by the rule tables.
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/consistency/check_context.h"
#include "core/text/utf8_text.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::consistency::rules {

using Code = std::string_view;

inline bool passed(Code c) { return c == validation::kValid; }

// Records the finding when the code is not "0000"; answers whether it was.
inline bool report(CheckContext& ctx, Severity s, RecordType t, Code code, std::initializer_list<FindingRow> rows) {
  if (passed(code)) return false;
  ctx.finding(s, t, code, rows);
  return true;
}

inline std::string_view trimmed(std::string_view v) { return validation::trimBlanks(v); }
// Not empty and not all zeros.
inline bool informed(std::string_view v) { return !validation::isNotInformed(v); }

// An inscription kind as the error rows show it: "1 (CGC)", "3 (CEI)", else as stored.
inline std::string kindShown(std::string_view kind, std::string_view ceiKind = "3") {
  if (kind == "1") return "1 (CGC)";
  if (kind == ceiKind) return std::string(kind) + " (CEI)";
  return std::string(kind);
}

// Characters [from, from + n) of a value, 1-based, cut to what exists.
inline std::string_view chars(std::string_view v, std::size_t from, std::size_t n) {
  return text::characterSubstr(v, from - 1, n);
}

}  // namespace torvex::core::consistency::rules
