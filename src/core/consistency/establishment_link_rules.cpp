// The two rules on an establishment's set of links, applied after its links.
#include <string>

#include "core/consistency/fields.h"
#include "core/consistency/rules.h"
#include "core/validation/text_ops.h"

namespace torvex::core::consistency {
using namespace fields::establishment;

void applyEstablishmentLinkRules(CheckContext& ctx, std::int64_t linkCount) {
  const Record& e = ctx.establishment();
  // A declaration with employees must have links.
  if (linkCount == 0 && e[kNegative] == "0")
    ctx.finding(Severity::Error, RecordType::Establishment, "1673", {{"1661", "0"}, {"1622", e[kNegative]}});
  const std::int64_t foreigners = validation::integerOrZero(e[kForeigners]);
  if (linkCount > 4 && foreigners > 0 && linkCount / 3 < foreigners) {
    const std::string count = std::to_string(linkCount);
    ctx.finding(Severity::Warning, RecordType::Establishment, "1670", {{"1661", count}, {"1659", e[kForeigners]}});
  }
}

}  // namespace torvex::core::consistency
