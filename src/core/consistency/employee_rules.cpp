// The checks of every employee link, in their fixed order.
#include <array>
#include <string>

#include "core/consistency/link_fields.h"
#include "core/consistency/rules.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::consistency {
namespace {

using namespace fields;
using validation::isAllZero;
using validation::isNumeric;

constexpr auto kErr = Severity::Error;
constexpr auto kWar = Severity::Warning;
constexpr auto kLink = RecordType::Link;
constexpr std::string_view kNoPay = "Não há remuneração informada.";

// A value that passes the numeric test, as a number; 0 otherwise.
std::int64_t amountOrZero(std::string_view v) { return isNumeric(v) ? validation::integerOrZero(v) : 0; }

std::string centsText(std::int64_t cents) {
  return validation::formatCents(validation::fitRight(std::to_string(cents), 9), validation::AmountPadding::None);
}

// Check 3: every member of a group of links with the same key data.
void duplicateLink(CheckContext& ctx) {
  if (ctx.duplicateCount() <= 1) return;
  const Record& l = ctx.link();
  ctx.finding(kErr, kLink, "1671",
              {{"1662", l[kSequence]}, {"1624", l[kPis]}, {"1625", l[kName]}, {"1632", l[kAdmission]}});
}

// Check 8: the same person declared with another birth date.
void samePerson(CheckContext& ctx) {
  const Record& l = ctx.link();
  for (const std::string& birth : ctx.samePersonBirthDates()) {
    if (birth == l[kBirth]) continue;
    ctx.finding(kErr, kLink, "1672",
                {{"1662", l[kSequence]}, {"1624", l[kPis]}, {"1625", l[kName]}, {"1632", l[kAdmission]},
                 {"1626", l[kBirth]}});
  }
}

std::int64_t monthlySum(const Record& l) {
  std::int64_t sum = 0;
  for (const Field& f : kMonthValue) sum += amountOrZero(l[f]);
  return sum;
}

std::int64_t thirteenthSum(const Record& l) { return amountOrZero(l[kAdvanceValue]) + amountOrZero(l[kFinalValue]); }

// Check 30: a link without any remuneration must be explained by a January
// dismissal or by an absence covering the whole year.
void noRemuneration(CheckContext& ctx) {
  const Record& l = ctx.link();
  const std::int64_t monthly = monthlySum(l);
  const std::int64_t thirteenth = thirteenthSum(l);
  if (monthly == 0 && thirteenth == 0) {
    const std::string& dismissal = l[kDismissal];
    bool fails;
    if (!validation::isNotInformed(dismissal))
      fails = dismissal.size() < 4 || dismissal.substr(2, 2) != "01";
    else
      fails = l[kAbsences[0].start] != "0101" || l[kAbsences[0].end] != "3112";
    if (fails) ctx.finding(kErr, kLink, "1674", {{"1664", kNoPay}});
  } else if (monthly == 0) {
    ctx.finding(kWar, kLink, "1675", {{"1664", kNoPay}});
  } else if (thirteenth == 0) {
    ctx.finding(kWar, kLink, "1676", {{"1665", kNoPay}});
  }
}

// Check 31: a 13th salary above one and a half times the average month.
void thirteenthProportion(CheckContext& ctx) {
  const Record& l = ctx.link();
  std::int64_t months = 0;
  std::int64_t sum = 0;
  for (const Field& f : kMonthValue) {
    const std::int64_t v = amountOrZero(l[f]);
    if (v == 0) continue;
    ++months;
    sum += v;
  }
  const std::int64_t thirteenth = thirteenthSum(l);
  // thirteenth > 1.5 * sum / months, in integers.
  if (months > 0 && 2 * thirteenth * months > 3 * sum)
    ctx.finding(kWar, kLink, "3508", {{"1664", centsText(sum)}, {"1665", centsText(thirteenth)}});
}

constexpr std::array kLinkRules{
    &duplicateLink, &samePerson, &noRemuneration, &thirteenthProportion,
};

}  // namespace

std::span<const Rule> linkRules() { return kLinkRules; }

}  // namespace torvex::core::consistency
