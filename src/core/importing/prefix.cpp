#include "core/importing/prefix.h"

namespace torvex::core::importing {
namespace {

// One character of a prefix advanced; `carry` is set when it wrapped from "Z" to "0".
char advance(char c, bool& carry) {
  carry = false;
  if (c == '9') return 'A';
  if (c == 'Z') {
    carry = true;
    return '0';
  }
  return static_cast<char>(c + 1);
}

constexpr int kPrefixCount = 36 * 36;

}  // namespace

std::string nextPrefix(std::string_view prefix) {
  std::string p(prefix);
  p.resize(2, '0');
  bool carry = false;
  p[1] = advance(p[1], carry);
  if (carry) p[0] = advance(p[0], carry);
  return p;
}

std::string firstFreePrefix(const std::function<bool(const std::string&)>& taken) {
  std::string p = "G0";
  for (int tries = 0; tries < kPrefixCount; ++tries, p = nextPrefix(p))
    if (!taken(p)) return p;
  return {};
}

}  // namespace torvex::core::importing
