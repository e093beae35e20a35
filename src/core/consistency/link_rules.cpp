// The checks of every link, in their fixed order.
#include <array>
#include <string>

#include "core/consistency/fields.h"
#include "core/consistency/rule_support.h"
#include "core/consistency/rules.h"
#include "core/validation/link_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::consistency {
namespace {

using namespace fields::link;
namespace estField = fields::establishment;
using namespace rules;
namespace v = validation;
using validation::isAllZero;
using validation::isNumeric;

constexpr auto kErr = Severity::Error;
constexpr auto kWar = Severity::Warning;
constexpr auto kLink = RecordType::Link;
constexpr std::string_view kNoPay = "Não há remuneração informada.";

// A value that passes the numeric test, as a number; 0 otherwise.
std::int64_t amountOrZero(std::string_view v) { return isNumeric(v) ? validation::integerOrZero(v) : 0; }

// Sums of twelve months can pass the nine digits of one field: format every digit.
std::string centsText(std::int64_t cents) {
  return validation::formatCents(std::to_string(cents), validation::AmountPadding::None);
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
  for (const auto& person : ctx.samePis()) {
    if (person.birth == l[kBirth]) continue;
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
      fails = chars(dismissal, 3, 2) != "01";
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
    const std::int64_t value = amountOrZero(l[f]);
    if (value == 0) continue;
    ++months;
    sum += value;
  }
  const std::int64_t thirteenth = thirteenthSum(l);
  // thirteenth > 1.5 * sum / months, in integers.
  if (months > 0 && 2 * thirteenth * months > 3 * sum)
    ctx.finding(kWar, kLink, "3508", {{"1664", centsText(sum)}, {"1665", centsText(thirteenth)}});
}


constexpr int kBase = product::kBaseYearNumber;

const Record& lnk(const CheckContext& ctx) { return ctx.link(); }
const Record& est(const CheckContext& ctx) { return ctx.establishment(); }
int refYear(const CheckContext& ctx) { return static_cast<int>(validation::integerOrZero(ctx.referenceYear())); }

// A simple check: one validator on one field, one error row.
void field(CheckContext& ctx, Code code, std::string_view label, std::string_view content) {
  report(ctx, kErr, kLink, code, {{label, content}});
}

// Label of month m (1 to 12); the same labels name the month's worked hours.
constexpr std::array<std::string_view, 13> kMonthLabels{"1640", "1641", "1642", "1643", "1644", "1645", "1646",
                                                        "1647", "1648", "1649", "1650", "1651", "1652"};
constexpr std::array<std::string_view, 13> kMonthTexts{"00", "01", "02", "03", "04", "05", "06",
                                                       "07", "08", "09", "10", "11", "12"};
std::string_view monthLabel(int m) { return kMonthLabels[static_cast<std::size_t>(m)]; }
std::string_view monthText(int m) { return kMonthTexts[static_cast<std::size_t>(m)]; }

// Dismissal date followed by the reference year, as the absence and closure rows show it.
std::string dismissalWithYear(const CheckContext& ctx) { return lnk(ctx)[kDismissal] + ctx.referenceYear(); }

void pisNumber(CheckContext& ctx) { field(ctx, v::checkPis(lnk(ctx)[kPis]), "1624", lnk(ctx)[kPis]); }

// Check 2: admission date and what it must agree with.
void admission(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& adm = l[kAdmission];
  if (report(ctx, kErr, kLink, v::checkAdmissionDate(adm), {{"1632", adm}})) return;
  report(ctx, kErr, kLink, v::checkAdmissionAndReferenceYear(adm, refYear(ctx)),
         {{"1632", adm}, {"1658", ctx.referenceYear()}});
  const auto& closure = est(ctx)[estField::kClosureDate];
  report(ctx, kErr, kLink, v::checkAdmissionAndClosure(closure, adm), {{"1632", adm}, {"1669", closure}});
  const Code age = v::checkAgeAtAdmission(l[kBirth], adm);
  report(ctx, age == "0171" ? kWar : kErr, kLink, age, {{"1632", adm}, {"1626", l[kBirth]}});
  report(ctx, kErr, kLink, v::checkArrivalAndAdmission(l[kArrival], adm, l[kNationality]),
         {{"1632", adm}, {"1628", l[kArrival]}});
}

void employeeName(CheckContext& ctx) {
  field(ctx, v::checkEmployeeName(lnk(ctx)[kName], lnk(ctx)[kPis]), "1625", lnk(ctx)[kName]);
}

void birth(CheckContext& ctx) {
  const auto& b = lnk(ctx)[kBirth];
  field(ctx, v::checkBirthDate(b), "1626", b);
  const Code c = v::checkBirthAndReferenceYear(b, refYear(ctx));
  report(ctx, c == "0176" ? kWar : kErr, kLink, c, {{"1626", b}, {"1658", ctx.referenceYear()}});
}

void disability(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  field(ctx, v::checkDisability(ctx.reference(), l[kDisabilityKind], l[kDisabled], ctx.fileFlag()), "3620",
        l[kDisabilityKind]);
}

void race(CheckContext& ctx) { field(ctx, v::checkRace(ctx.reference(), lnk(ctx)[kRace]), "1667", lnk(ctx)[kRace]); }

void nationality(CheckContext& ctx) {
  field(ctx, v::checkNationality(ctx.reference(), lnk(ctx)[kNationality]), "1627", lnk(ctx)[kNationality]);
}

void sex(CheckContext& ctx) { field(ctx, v::checkSex(lnk(ctx)[kSex]), "3523", lnk(ctx)[kSex]); }

// Check 11: year of arrival in the country.
void arrival(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& a = l[kArrival];
  const auto& nat = l[kNationality];
  if (report(ctx, kErr, kLink, v::checkArrivalYear(a), {{"1628", a}})) return;
  if (report(ctx, kErr, kLink, v::checkArrivalAndNationality(a, nat), {{"1628", a}, {"1627", nat}})) return;
  report(ctx, kErr, kLink, v::checkArrivalAndReferenceYear(a, refYear(ctx), nat),
         {{"1628", a}, {"1658", ctx.referenceYear()}});
  report(ctx, kErr, kLink, v::checkArrivalAndBirth(a, l[kBirth], nat), {{"1628", a}, {"1626", l[kBirth]}});
}

void instruction(CheckContext& ctx) {
  field(ctx, v::checkInstruction(ctx.reference(), lnk(ctx)[kInstruction]), "1629", lnk(ctx)[kInstruction]);
}

// Check 13: work card, series and the card-or-CPF rule.
void workCard(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& series = l[kCardSeries];
  const auto& number = l[kCardNumber];
  report(ctx, kErr, kLink, v::checkWorkCardSeries(series), {{"3700", series}});
  if (report(ctx, kErr, kLink, v::checkWorkCardNumber(number), {{"1630", number}})) return;
  if (report(ctx, kErr, kLink, v::checkWorkCardPairing(number, series), {{"1630", number}, {"3700", series}})) return;
  const auto& nat = l[kNationality];
  if (report(ctx, kErr, kLink, v::checkWorkCardSeriesFormat(series, nat, number),
             {{"1630", number}, {"3700", series}, {"1627", nat}}))
    return;
  report(ctx, kErr, kLink, v::checkWorkCardOrCpf(number, l[kCpf]), {{"1630", number}, {"1631", l[kCpf]}});
}

void cpf(CheckContext& ctx) { field(ctx, v::checkCpf(lnk(ctx)[kCpf]), "1631", lnk(ctx)[kCpf]); }

void admissionType(CheckContext& ctx) {
  field(ctx, v::checkAdmissionType(ctx.reference(), lnk(ctx)[kAdmissionType]), "1633", lnk(ctx)[kAdmissionType]);
}

void salary(CheckContext& ctx) { field(ctx, v::checkContractSalary(lnk(ctx)[kSalary]), "1634", lnk(ctx)[kSalary]); }

void salaryType(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& t = l[kSalaryType];
  if (report(ctx, kErr, kLink, v::checkSalaryType(ctx.reference(), t), {{"1635", t}})) return;
  report(ctx, kWar, kLink, v::checkSalaryAndMinimumWage(l[kSalary], t), {{"1634", l[kSalary]}, {"1635", t}});
}

void weeklyHours(CheckContext& ctx) {
  field(ctx, v::checkWeeklyHours(lnk(ctx)[kWeeklyHours]), "1636", lnk(ctx)[kWeeklyHours]);
}

void occupation(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& cbo = l[kCbo];
  const Code c = v::checkOccupation(ctx.reference(), cbo);
  if (report(ctx, c == "3645" ? kWar : kErr, kLink, c, {{"1637", cbo}})) return;
  report(ctx, kErr, kLink, v::checkOccupationAndInstruction(ctx.reference(), l[kInstruction], cbo),
         {{"1637", cbo}, {"1629", l[kInstruction]}});
}

// Check 20: the kind of link against the person and the establishment.
void vinculo(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const Record& e = est(ctx);
  const auto& vin = l[kVinculo];
  if (report(ctx, kErr, kLink, v::checkVinculo(ctx.reference(), vin), {{"1638", vin}})) return;
  report(ctx, kErr, kLink, v::checkVinculoAndPis(vin, l[kPis]), {{"1638", vin}, {"1624", l[kPis]}});
  const auto& kind = e[estField::kKind];
  if (report(ctx, kErr, kLink, v::checkVinculoAndInscriptionKind(vin, kind),
             {{"1638", vin}, {"1601", kindShown(kind, "2")}}))
    return;
  const Code age = v::checkVinculoAndAge(vin, l[kBirth], kBase);
  if (age != "3510") report(ctx, kErr, kLink, age, {{"1638", vin}, {"1626", l[kBirth]}});
  report(ctx, kWar, kLink, v::checkVinculoAndActivity(vin, e[estField::kActivity]),
         {{"1638", vin}, {"1618", e[estField::kActivity]}});
  report(ctx, kWar, kLink, v::checkVinculoAndLegalNature(vin, e[estField::kLegalNature]),
         {{"1638", vin}, {"1619", e[estField::kLegalNature]}});
}

void permit(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& p = l[kPermit];
  if (report(ctx, kErr, kLink, v::checkPermit(p), {{"3621", p}})) return;
  const Code c = v::checkPermitAndAge(p, l[kBirth], l[kVinculo], kBase);
  if (c == "1")
    ctx.finding(kErr, kLink, "3533", {{"3621", p}, {"1626", l[kBirth]}});
  else
    report(ctx, kWar, kLink, c, {{"3621", p}, {"1638", l[kVinculo]}, {"1626", l[kBirth]}});
}

void cause(CheckContext& ctx) {
  const Record& e = est(ctx);
  const auto& c = lnk(ctx)[kCause];
  if (report(ctx, kErr, kLink, v::checkDismissalCause(ctx.reference(), c), {{"1639", c}})) return;
  report(ctx, kErr, kLink, v::checkCauseAtClosure(e[estField::kClosing], e[estField::kYear], c, kBase),
         {{"1639", c}, {"3618", e[estField::kClosing]}});
}

// Check 23: dismissal date and what it must agree with.
void dismissal(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& d = l[kDismissal];
  if (report(ctx, kErr, kLink, v::checkDismissalDate(d, kBase), {{"1640", d}})) return;
  report(ctx, kErr, kLink, v::checkDismissalDateAndCause(d, l[kCause]), {{"1640", d}, {"1639", l[kCause]}});
  // Every link of an establishment that closes in the next year must end.
  if (ctx.referenceYear() != kBaseYear && d == "0000")
    ctx.finding(kErr, kLink, "0294", {{"1640", d}, {"1658", ctx.referenceYear()}});
  report(ctx, kErr, kLink, v::checkDismissalAndAdmission(d, l[kAdmission], refYear(ctx)),
         {{"1640", d}, {"1632", l[kAdmission]}});
  const auto& closure = est(ctx)[estField::kClosureDate];
  report(ctx, kErr, kLink, v::checkDismissalAndClosure(d, closure, refYear(ctx)),
         {{"1640", dismissalWithYear(ctx)}, {"3619", closure}});
}

void notice(CheckContext& ctx) { field(ctx, v::checkNoticePayment(lnk(ctx)[kNotice]), "3511", lnk(ctx)[kNotice]); }

// Check 25: the twelve monthly remunerations.
void remunerations(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& adm = l[kAdmission];
  const auto& dis = l[kDismissal];
  const int r = refYear(ctx);
  const v::RemunerationContext rc{l[kSalaryType], est(ctx)[estField::kLegalNature], dis, adm, r};
  const bool admittedInReferenceYear = chars(adm, 5, 4) == ctx.referenceYear();
  const auto dismissalMonth = chars(dis, 3, 2);
  std::string_view previous = "0";
  for (int m = 1; m <= 12; ++m) {
    const std::string& value = l[kMonthValue[static_cast<std::size_t>(m - 1)]];
    const std::string_view month = monthText(m);
    const std::string_view label = monthLabel(m);
    const Code c = v::checkRemuneration(value, month, rc);
    const bool belowOrAbove = c == "0312" || c == "0313";
    report(ctx, belowOrAbove ? kWar : kErr, kLink, c, {{label, value}});
    if (passed(c) || belowOrAbove) {
      const bool paid = !isAllZero(value);
      if (admittedInReferenceYear && paid)
        report(ctx, kErr, kLink, v::checkBeforeAdmission(month, adm, r), {{label, value}, {"1632", adm}});
      if (dismissalMonth != "00" && paid)
        report(ctx, kWar, kLink, v::checkAfterDismissal(month, dis), {{label, value}, {"1640", dis}});
      report(ctx, kWar, kLink, v::checkTenfold(value, month, previous),
             {{monthLabel(m - 1), previous}, {label, value}});
      if (paid)
        report(ctx, kErr, kLink, v::checkApprenticeAge(month, l[kVinculo], l[kBirth], kBase),
               {{label, value}, {"1638", l[kVinculo]}, {"1626", l[kBirth]}});
    }
    previous = value;
  }
}

// Checks 26 to 29: the two instalments of the 13th salary.
void thirteenth(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& adm = l[kAdmission];
  const auto& dis = l[kDismissal];
  const auto& am = l[kAdvanceMonth];
  const auto& av = l[kAdvanceValue];
  const auto& fm = l[kFinalMonth];
  const auto& fv = l[kFinalValue];
  if (!report(ctx, kErr, kLink, v::checkThirteenthAdvanceMonth(am), {{"1653", am}})) {
    report(ctx, kErr, kLink, v::checkThirteenthMonthAndAdmission(am, adm, refYear(ctx)), {{"1653", am}, {"1632", adm}});
    report(ctx, kWar, kLink, v::checkThirteenthMonthAndDismissal(am, dis, false), {{"1653", am}, {"1640", dis}});
  }
  if (!report(ctx, kErr, kLink, v::checkThirteenthAdvanceValue(av), {{"1654", av}})) {
    const Code c = v::checkThirteenthAdvancePairing(am, av);
    report(ctx, c == "0332" ? kWar : kErr, kLink, c, {{"1653", am}, {"1654", av}});
  }
  if (!report(ctx, kErr, kLink, v::checkThirteenthFinalMonth(fm), {{"1655", fm}})) {
    report(ctx, kErr, kLink, v::checkThirteenthOrder(am, fm), {{"1653", am}, {"1655", fm}});
    report(ctx, kErr, kLink, v::checkThirteenthMonthAndAdmission(fm, adm, refYear(ctx)), {{"1655", fm}, {"1632", adm}});
    report(ctx, kWar, kLink, v::checkThirteenthMonthAndDismissal(fm, dis, true), {{"1655", fm}, {"1640", dis}});
  }
  if (!report(ctx, kErr, kLink, v::checkThirteenthFinalValue(fv), {{"1656", fv}})) {
    const Code c = v::checkThirteenthFinalPairing(fm, fv);
    report(ctx, c == "0332" ? kWar : kErr, kLink, c, {{"1655", fm}, {"1656", fv}});
  }
}

void absenceReasons(CheckContext& ctx) {
  for (const auto& a : kAbsences) field(ctx, v::checkAbsenceReason(lnk(ctx)[a.reason]), "3636", lnk(ctx)[a.reason]);
}

void absenceDate(CheckContext& ctx, const Absence& a, bool start) {
  const Record& l = lnk(ctx);
  const auto& d = l[start ? a.start : a.end];
  if (report(ctx, kErr, kLink, v::checkAbsenceDate(d, kBase), {{"3637", d}})) return;
  report(ctx, kErr, kLink, v::checkAbsenceAndAdmission(d, l[kAdmission], refYear(ctx)),
         {{"3637", d}, {"1632", l[kAdmission]}});
  report(ctx, kErr, kLink, v::checkAbsenceAndDismissal(d, l[kDismissal]), {{"3637", d}, {"1640", dismissalWithYear(ctx)}});
  report(ctx, kErr, kLink, v::checkAbsenceDateAndReason(d, l[a.reason]), {{"3642", l[a.reason]}, {"3637", d}});
  if (start)
    report(ctx, kErr, kLink, v::checkAbsenceOrder(l[a.start], l[a.end]), {{"3637", l[a.start]}, {"3637", l[a.end]}});
}

// Checks 35 to 40: first start, first end, second start, ...
void absenceDates(CheckContext& ctx) {
  for (const auto& a : kAbsences) {
    absenceDate(ctx, a, true);
    absenceDate(ctx, a, false);
  }
}

void absenceDays(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto& days = l[kAbsenceDays];
  field(ctx, v::checkAbsenceDays(days), "3641", days);
  report(ctx, kErr, kLink,
         v::checkDaysAndReasons(l[kAbsences[0].reason], l[kAbsences[1].reason], l[kAbsences[2].reason], days),
         {{"3641", days}, {"3642", l[kAbsences[0].reason]}});
}

void companyUse(CheckContext& ctx) {
  field(ctx, v::checkCompanyUseText(lnk(ctx)[kCompanyUse]), "1623", lnk(ctx)[kCompanyUse]);
}

void workMunicipality(CheckContext& ctx) {
  const auto& m = lnk(ctx)[kWorkMunicipality];
  if (report(ctx, kErr, kLink, v::checkRequiredWhenFlagged(m, ctx.fileFlag()), {{"3671", m}})) return;
  if (!m.empty() && m != "0000000") field(ctx, v::checkWorkMunicipality(ctx.reference(), m), "3671", m);
}

// Checks 44 to 53: the employee's union contributions.
struct UnionContribution {
  Field cnpj;
  Field amount;
  const char* cnpjLabel;
  const char* amountLabel;
  const char* entityName;
  bool membership;  // first associative: a member must name the entity
};
const std::array<UnionContribution, 5> kUnions{
    UnionContribution{{RecordKind::Link, "CoCNPJSindical"}, {RecordKind::Link, "VaGlobalSindical"}, "3652", "3653",
                      "sindical", false},
    UnionContribution{{RecordKind::Link, "CoCNPJPrimAssociativa"}, {RecordKind::Link, "VaGlobalPrimAssociativa"},
                      "3650", "3651", "associativa", true},
    UnionContribution{{RecordKind::Link, "CoCNPJSegAssociativa"}, {RecordKind::Link, "VaGlobalSegAssociativa"},
                      "3650", "3651", "associativa", false},
    UnionContribution{{RecordKind::Link, "CoCNPJAssistencial"}, {RecordKind::Link, "VaGlobalAssistencial"}, "3654",
                      "3655", "assistencial", false},
    UnionContribution{{RecordKind::Link, "CoCNPJConfederativa"}, {RecordKind::Link, "VaGlobalConfederativa"},
                      "3656", "3657", "confederativa", false}};

void unionCnpj(CheckContext& ctx, const UnionContribution& u) {
  const Record& l = lnk(ctx);
  const auto& cnpj = l[u.cnpj];
  auto fail = [&](Code c) { return report(ctx, kErr, kLink, c, {{u.cnpjLabel, cnpj}}); };
  if (u.membership && fail(v::checkAssociativeMembership(cnpj, l[kUnionMember], true))) return;
  if (fail(v::checkRequiredWhenFlagged(cnpj, ctx.fileFlag()))) return;
  if (!informed(cnpj)) return;
  if (fail(v::checkEntityCnpjExclusion(cnpj, est(ctx)[estField::kInscription], true))) return;
  const Code c = v::checkEntityCnpj(cnpj, true);
  if (c != "0000" && c != "0051" && c != "0050") ctx.finding(kErr, kLink, c, {{u.cnpjLabel, cnpj}});
}

void unionAmount(CheckContext& ctx, const UnionContribution& u) {
  const Record& l = lnk(ctx);
  const auto& amount = l[u.amount];
  if (report(ctx, kErr, kLink, v::checkContributionAmount(amount), {{u.amountLabel, amount}})) return;
  const auto& cnpj = l[u.cnpj];
  const Code c = v::checkContributionPairing(cnpj, amount, u.entityName, true);
  report(ctx, c == "3687" ? kWar : kErr, kLink, c, {{u.cnpjLabel, cnpj}, {u.amountLabel, amount}});
}

void unions(CheckContext& ctx) {
  for (const auto& u : kUnions) {
    unionCnpj(ctx, u);
    unionAmount(ctx, u);
  }
}

// Checks 54 to 61: rescission amounts and the months they refer to.
struct RescissionStep {
  Field field;
  const char* label;
  enum { Amount, Months } kind;
  Severity causeSeverity;               // amounts: the amount/cause rule
  const Field* amount;                  // months: the amount they refer to
  v::RescissionItem item;
};
const Field kHoursBank{RecordKind::Link, "VaGlobalBcoHoras"};
const Field kAgreement{RecordKind::Link, "VaGlobalDissidio"};
const Field kBonuses{RecordKind::Link, "VaGlobalGratificacoes"};
const std::array<RescissionStep, 8> kRescission{
    RescissionStep{{RecordKind::Link, "VaGlobalFerias"}, "3658", RescissionStep::Amount, kErr, nullptr, {}},
    RescissionStep{{RecordKind::Link, "VaGlobalMultas"}, "3659", RescissionStep::Amount, kErr, nullptr, {}},
    RescissionStep{kHoursBank, "3660", RescissionStep::Amount, kErr, nullptr, {}},
    RescissionStep{{RecordKind::Link, "QtCompBcoHoras"}, "3661", RescissionStep::Months, kErr, &kHoursBank,
                   v::RescissionItem::HoursBank},
    RescissionStep{kAgreement, "3662", RescissionStep::Amount, kErr, nullptr, {}},
    RescissionStep{{RecordKind::Link, "QtCompDissidio"}, "3663", RescissionStep::Months, kErr, &kAgreement,
                   v::RescissionItem::CollectiveAgreement},
    RescissionStep{kBonuses, "3664", RescissionStep::Amount, kWar, nullptr, {}},
    RescissionStep{{RecordKind::Link, "QtCompGratificacoes"}, "3665", RescissionStep::Months, kErr, &kBonuses,
                   v::RescissionItem::Bonuses}};

void rescission(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  for (const auto& step : kRescission) {
    const auto& value = l[step.field];
    if (step.kind == RescissionStep::Amount) {
      if (report(ctx, kErr, kLink, v::checkRescissionAmount(value), {{step.label, value}})) continue;
      report(ctx, step.causeSeverity, kLink, v::checkRescissionAndCause(l[kCause], value), {{step.label, value}});
    } else {
      if (report(ctx, kErr, kLink, v::checkMonthsCount(value), {{step.label, value}})) continue;
      report(ctx, kErr, kLink, v::checkAmountAndMonths(l[*step.amount], value, step.item), {{step.label, value}});
    }
  }
}

// Check 62: overtime hours of each month against the period and the pay.
void workedHours(CheckContext& ctx) {
  const Record& l = lnk(ctx);
  const auto dismissalMonth = chars(l[kDismissal], 3, 2);
  const auto admission = chars(l[kAdmission], 3, 6);
  for (int m = 1; m <= 12; ++m) {
    const auto i = static_cast<std::size_t>(m - 1);
    const auto& h = l[kMonthHours[i]];
    const auto& value = l[kMonthValue[i]];
    const std::string_view label = monthLabel(m);
    if (report(ctx, kErr, kLink, v::checkHours(h), {{"3670", h}})) continue;
    if (report(ctx, kErr, kLink, v::checkHoursInPeriod(h, dismissalMonth, admission, monthText(m), kBase),
               {{"3670", h}, {label, value}}))
      continue;
    if (report(ctx, kErr, kLink, v::checkHoursAndRemuneration(h, value), {{"3670", h}, {label, value}})) continue;
    report(ctx, kWar, kLink, v::checkManyHours(h), {{"3670", h}});
  }
}

void unionMember(CheckContext& ctx) {
  field(ctx, v::checkMembershipIndicator(lnk(ctx)[kUnionMember]), "3703", lnk(ctx)[kUnionMember]);
}

constexpr std::array kLinkRules{
    &pisNumber,   &admission,    &duplicateLink, &employeeName,  &birth,          &disability,   &race,
    &samePerson,  &nationality,  &sex,           &arrival,       &instruction,    &workCard,     &cpf,
    &admissionType, &salary,     &salaryType,    &weeklyHours,   &occupation,     &vinculo,      &permit,
    &cause,       &dismissal,    &notice,        &remunerations, &thirteenth,     &noRemuneration,
    &thirteenthProportion, &absenceReasons, &absenceDates, &absenceDays, &companyUse, &workMunicipality,
    &unions,      &rescission,   &workedHours,   &unionMember};
}  // namespace

std::span<const Rule> linkRules() { return kLinkRules; }

}  // namespace torvex::core::consistency
