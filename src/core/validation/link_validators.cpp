#include "core/validation/link_validators.h"

#include <algorithm>
#include <array>

#include "core/validation/check_digits.h"
#include "core/validation/field_support.h"

namespace torvex::core::validation {
namespace {

using detail::equalsUpper;
using detail::informed;
using detail::monthDayOf;
using detail::monthOf;
using detail::number;
using detail::oneOf;
using detail::yearOf;

// Vínculo kinds admitted per establishment inscription kind.
struct VinculoSet {
  std::string_view kind;
  std::initializer_list<std::string_view> vinculos;
};
const VinculoSet kVinculosByKind[] = {
    {"1", {"10", "20", "30", "31", "35", "40", "50", "55", "60", "70", "80", "90", "95", "96", "97"}},
    {"3", {"15", "25", "55", "65", "75"}},
};
constexpr std::array<std::string_view, 5> kPublicAdministrationVinculos{"30", "31", "35", "96", "97"};
constexpr std::array<std::string_view, 7> kAbsenceReasons{"10", "20", "30", "40", "50", "60", "70"};
constexpr std::array<std::string_view, 3> kCausesWithoutDate{"71", "78", "80"};
// Legal-nature codes as numbers, so that they are not taken for message codes.
constexpr std::array<std::int64_t, 6> kFloorExemptLegalNatures{1015, 1040, 1074, 1104, 1139, 1163};
constexpr std::array<std::string_view, 8> kRefusedOccupations{"111105", "111110", "111230", "111235",
                                                               "111240", "111245", "111250", "111255"};
constexpr std::string_view kApprentice = "55";

// PIS numbers printed in public examples, each tied to the one name that may use it.
struct PisName {
  std::string_view pis;
  std::string_view name;
};
constexpr std::array<PisName, 2> kReservedPis{{
    {"17033259504", "JOSE DA SILVA"},
    {"12000000004", "MARIA DA SILVA"},
}};

template <std::size_t N>
bool in(const std::array<std::string_view, N>& set, std::string_view v) {
  for (auto s : set)
    if (s == v) return true;
  return false;
}

bool isFloorExempt(std::string_view legalNature) {
  const auto n = trimBlanks(legalNature);
  return n.size() == 4 && isNumeric(n) &&
         std::find(kFloorExemptLegalNatures.begin(), kFloorExemptLegalNatures.end(), number(n)) !=
             kFloorExemptLegalNatures.end();
}

bool isPublicAdministrationVinculo(std::string_view v) { return in(kPublicAdministrationVinculos, v); }

// Nationality informed and not Brazilian.
bool isForeigner(std::string_view nationality) {
  const auto n = trimBlanks(nationality);
  return informed(n) && n != "10";
}

// Zero for an amount means not informed, or the display zero.
bool zeroAmount(std::string_view amount) {
  const auto a = trimBlanks(amount);
  return !informed(a) || a == "0,00" || a == "0";
}

int monthNumber(std::string_view month) { return static_cast<int>(number(month)); }

// Age by year; nullopt without an 8-digit birth date.
std::optional<int> ageByYear(std::string_view birth, int year) {
  const int born = yearOf(trimBlanks(birth));
  if (born == 0) return std::nullopt;
  return year - born;
}

Code widthThen(std::string_view value, std::size_t width, Code emptyCode) {
  const auto v = trimBlanks(value);
  return v.empty() ? emptyCode : checkFixedWidthNumeric(v, width);
}

Code thirteenthPairing(std::string_view month, std::string_view value, Code monthMissing, Code valueMissing) {
  const bool monthGiven = informed(month);
  const bool valueGiven = informed(value);
  if (!monthGiven && valueGiven) return monthMissing;
  if (monthGiven && !valueGiven) return valueMissing;
  if (monthGiven && isAtMinimumWageCeiling(number(value), monthNumber(month))) return "0332";
  return kValid;
}

}  // namespace

// --- Identification ---

Code checkPis(std::string_view pis) {
  const auto v = trimBlanks(pis);
  if (isAllZero(v)) return "0150";
  if (v.empty()) return "0153";
  if (v == "11111111116") return "0150";
  if (auto c = checkFixedWidthNumeric(v, 11); c != kValid) return c;
  return isPis(v) ? kValid : "0150";
}

Code checkEmployeeName(std::string_view name, std::string_view pis) {
  const auto v = trimBlanks(name);
  if (v.empty()) return "0160";
  if (!passesRepeatedCharacter(v)) return "3100";
  if (wordCount(v) == 1) return "0161";
  const auto p = trimBlanks(pis);
  for (const auto& reserved : kReservedPis)
    if (p == reserved.pis && !equalsUpper(v, reserved.name)) return "3647";
  return checkText(v);
}

Code checkCpf(std::string_view cpf) {
  const auto v = trimBlanks(cpf);
  if (v.empty()) return "0211";
  if (auto c = checkFixedWidthNumeric(v, 11); c != kValid) return c;
  return isAllZero(v) || isCpf(v) ? kValid : "0210";
}

Code checkWorkCardNumber(std::string_view number) { return widthThen(number, 8, "0212"); }

Code checkWorkCardSeries(std::string_view series) { return isPrintable(trimBlanks(series)) ? kValid : "0020"; }

Code checkWorkCardPairing(std::string_view number, std::string_view series) {
  return trimBlanks(number).empty() != trimBlanks(series).empty() ? "0213" : kValid;
}

Code checkWorkCardSeriesFormat(std::string_view series, std::string_view nationality, std::string_view number) {
  const auto s = trimBlanks(series);
  const auto n = trimBlanks(number);
  if (n.empty() || s.empty() || n == "00000000" || s == "00000") return kValid;
  if (oneOf(trimBlanks(nationality), {"10", "20"})) return isNumeric(s) ? kValid : "0213";
  const char first = s[0];
  const bool alnum = (first >= '0' && first <= '9') || (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return alnum && isNumeric(s.substr(1, 4)) ? kValid : "0213";
}

Code checkWorkCardOrCpf(std::string_view number, std::string_view cpf) {
  const auto n = trimBlanks(number);
  const auto c = trimBlanks(cpf);
  if (n.empty() && (c.empty() || c == "00000000000")) return "0340";
  if (isAllZero(n) && isAllZero(c)) return "0340";
  return kValid;
}

// --- Personal data ---

Code checkBirthDate(std::string_view birth) {
  const auto v = trimBlanks(birth);
  if (!informed(v)) return "0170";
  if (auto c = checkFixedWidthNumeric(v, 8); c != kValid) return c;
  return !isValidDate(v) || yearOf(v) <= 1900 ? "0175" : kValid;
}

Code checkBirthAndReferenceYear(std::string_view birth, int referenceYear) {
  const int born = yearOf(trimBlanks(birth));
  if (born == 0 || referenceYear <= 0) return kValid;
  if (born > referenceYear) return "0174";
  const int age = referenceYear - born;
  if (age < 9) return "0172";
  if (age <= 14) return "0176";
  return kValid;
}

Code checkSex(std::string_view inSexo) { return oneOf(trimBlanks(inSexo), {"1", "2"}) ? kValid : "3524"; }

Code checkRace(const store::ReferenceLookup& ref, std::string_view race) {
  const auto v = trimBlanks(race);
  if (v.empty()) return "0480";
  return ref.exists(store::CodeTable::Race, v) ? kValid : "0481";
}

Code checkDisability(const store::ReferenceLookup& ref, std::string_view kind, std::string_view indicator,
                     bool fileFlag) {
  const auto k = trimBlanks(kind);
  const auto i = trimBlanks(indicator);
  if (fileFlag) return !isNumeric(k) || number(k) > 6 ? "3701" : kValid;
  if (k.empty() && i == "1") return "3701";
  if (!k.empty() && !isAllZero(k) && i == "2") return "3701";
  if (i == "1" && !ref.exists(store::CodeTable::Disability, k)) return "3701";
  return kValid;
}

namespace {
// A required code of a reference table: not informed, of the wrong width, or unknown.
Code requiredCode(const store::ReferenceLookup& ref, store::CodeTable table, std::string_view value, int width,
                  Code notInformed, Code unknown) {
  const auto v = trimBlanks(value);
  if (!informed(v)) return notInformed;
  if (auto c = checkFixedWidthNumeric(v, width); c != kValid) return c;
  return ref.exists(table, v) ? kValid : unknown;
}
}  // namespace

Code checkNationality(const store::ReferenceLookup& ref, std::string_view nationality) {
  return requiredCode(ref, store::CodeTable::Nationality, nationality, 2, "0180", "0181");
}

Code checkArrivalYear(std::string_view arrival) { return checkFixedWidthNumeric(arrival, 4); }

Code checkArrivalAndNationality(std::string_view arrival, std::string_view nationality) {
  const auto a = trimBlanks(arrival);
  const auto n = trimBlanks(nationality);
  if (!isNumeric(a) || !isNumeric(n) || (isAllZero(a) && isAllZero(n))) return kValid;
  if (n != "10" && isAllZero(a)) return "0191";
  if (n == "10" && !isAllZero(a)) return "0190";
  return kValid;
}

Code checkArrivalAndReferenceYear(std::string_view arrival, int referenceYear, std::string_view nationality) {
  return isForeigner(nationality) && number(arrival) > referenceYear ? "0192" : kValid;
}

Code checkArrivalAndBirth(std::string_view arrival, std::string_view birth, std::string_view nationality) {
  const auto year = number(arrival);
  const int born = yearOf(trimBlanks(birth));
  return isForeigner(nationality) && year != 0 && born != 0 && year < born ? "0193" : kValid;
}

Code checkInstruction(const store::ReferenceLookup& ref, std::string_view instruction) {
  return requiredCode(ref, store::CodeTable::Schooling, instruction, 2, "0200", "0201");
}

// --- Contract ---

Code checkAdmissionDate(std::string_view admission) {
  const auto v = trimBlanks(admission);
  if (!informed(v)) return "0392";
  if (auto c = checkFixedWidthNumeric(v, 8); c != kValid) return c;
  return isValidDate(v) ? kValid : "0390";
}

Code checkAdmissionAndReferenceYear(std::string_view admission, int referenceYear) {
  return yearOf(trimBlanks(admission)) > referenceYear ? "0391" : kValid;
}

Code checkAdmissionAndClosure(std::string_view closure, std::string_view admission) {
  const auto c = detail::sortableDate(trimBlanks(closure));
  const auto a = detail::sortableDate(trimBlanks(admission));
  return c != 0 && a != 0 && a > c ? "0394" : kValid;
}

Code checkAgeAtAdmission(std::string_view birth, std::string_view admission) {
  const auto b = trimBlanks(birth);
  const auto a = trimBlanks(admission);
  const int bornYear = yearOf(b);
  const int admittedYear = yearOf(a);
  if (bornYear == 0 || admittedYear == 0) return kValid;
  const int y = admittedYear - bornYear;
  const bool hadBirthday = monthDayOf(b) <= monthDayOf(a);
  if (y >= 15) return kValid;
  if (y == 14) return hadBirthday ? kValid : "0171";
  if (y >= 10) return "0171";
  if (y == 9) return hadBirthday ? "0171" : "0173";
  return "0173";
}

Code checkArrivalAndAdmission(std::string_view arrival, std::string_view admission, std::string_view nationality) {
  const auto ar = trimBlanks(arrival);
  const auto ad = trimBlanks(admission);
  if (!isForeigner(nationality) || ar.size() != 4 || ad.size() != 8) return kValid;
  const int admitted = yearOf(ad);
  return admitted != 0 && admitted < number(ar) ? "0194" : kValid;
}

Code checkAdmissionType(const store::ReferenceLookup& ref, std::string_view type) {
  return requiredCode(ref, store::CodeTable::AdmissionType, type, 1, "0221", "0220");
}

Code checkContractSalary(std::string_view salary) {
  const auto v = trimBlanks(salary);
  if (v.empty()) return "0232";
  if (auto c = checkFixedWidthNumeric(v, 9); c != kValid) return c;
  return isAllZero(v) ? "0232" : kValid;
}

Code checkSalaryType(const store::ReferenceLookup& ref, std::string_view type) {
  return requiredCode(ref, store::CodeTable::SalaryType, type, 1, "0241", "0240");
}

Code checkSalaryAndMinimumWage(std::string_view salary, std::string_view salaryType) {
  const auto cents = number(salary);
  if (trimBlanks(salaryType) != "1" || cents == 0) return kValid;
  if (isBelowMinimumWage(cents, 12)) return "0230";
  if (isAtMinimumWageCeiling(cents, 12)) return "0231";
  return kValid;
}

Code checkWeeklyHours(std::string_view hours) {
  const auto v = trimBlanks(hours);
  if (!informed(v)) return "0251";
  if (auto c = checkFixedWidthNumeric(v, 2); c != kValid) return c;
  return number(v) > 44 ? "0250" : kValid;
}

Code checkOccupation(const store::ReferenceLookup& ref, std::string_view cbo) {
  const auto v = trimBlanks(cbo);
  if (in(kRefusedOccupations, v)) return "3645";
  if (v.empty()) return "0261";
  if (text::characterCount(v) != 6) return "0030";
  if (auto c = checkFixedWidthNumeric(v, 6); c != kValid) return c;
  if (isAllZero(v)) return "0261";
  return ref.exists(store::CodeTable::Occupation, v) ? kValid : "0260";
}

Code checkOccupationAndInstruction(const store::ReferenceLookup& ref, std::string_view instruction,
                                   std::string_view cbo) {
  const auto i = trimBlanks(instruction);
  const auto rules = ref.occupationRules(trimBlanks(cbo));
  if (!rules || !informed(i)) return kValid;
  if (rules->requiresHigherSchooling && !oneOf(i, {"09", "10", "11"})) return "3501";
  if (rules->refusedForIlliterate && i == "01") return "3635";
  return kValid;
}

Code checkVinculo(const store::ReferenceLookup& ref, std::string_view vinculo) {
  return requiredCode(ref, store::CodeTable::LinkType, vinculo, 2, "0273", "0270");
}

Code checkVinculoAndPis(std::string_view vinculo, std::string_view pis) {
  const auto p = trimBlanks(pis);
  if (p.size() < 3 || !isNumeric(p.substr(0, 3))) return kValid;
  const auto head = number(p.substr(0, 3));
  if (head < 109 || head > 119) return kValid;
  return oneOf(trimBlanks(vinculo), {"35", "80"}) ? kValid : "0272";
}

Code checkVinculoAndInscriptionKind(std::string_view vinculo, std::string_view kind) {
  const auto v = trimBlanks(vinculo);
  const auto k = trimBlanks(kind);
  if (!informed(v)) return kValid;
  for (const auto& set : kVinculosByKind) {
    if (set.kind != k) continue;
    return oneOf(v, set.vinculos) ? kValid : "0271";
  }
  return kValid;
}

Code checkVinculoAndAge(std::string_view vinculo, std::string_view birth, int baseYear) {
  const auto age = ageByYear(birth, baseYear);
  if (!age) return kValid;
  if (trimBlanks(vinculo) == kApprentice) return *age < 14 || *age > 24 ? "3502" : kValid;
  return *age <= 15 ? "3510" : kValid;
}

Code checkVinculoAndActivity(std::string_view vinculo, std::string_view activity) {
  const auto a = trimBlanks(activity);
  return a.substr(0, 2) == "84" && !isPublicAdministrationVinculo(trimBlanks(vinculo)) ? "3507" : kValid;
}

Code checkVinculoAndLegalNature(std::string_view vinculo, std::string_view legalNature) {
  const auto n = trimBlanks(legalNature);
  return n.substr(0, 1) == "1" && !isPublicAdministrationVinculo(trimBlanks(vinculo)) ? "3519" : kValid;
}

Code checkPermit(std::string_view permit) { return oneOf(trimBlanks(permit), {"1", "2"}) ? kValid : "0001"; }

Code checkPermitAndAge(std::string_view permit, std::string_view birth, std::string_view vinculo, int baseYear) {
  const auto p = trimBlanks(permit);
  const bool apprentice = trimBlanks(vinculo) == kApprentice;
  const auto age = ageByYear(birth, baseYear);
  if (p == "2" && !apprentice && age && *age < 16) return "1";
  if (p == "1" && ((age && *age > 15) || apprentice)) return "3531";
  return kValid;
}

// --- Dismissal ---

Code checkDismissalCause(const store::ReferenceLookup& ref, std::string_view cause) {
  const auto v = trimBlanks(cause);
  if (v.empty()) return "0280";
  if (auto c = checkFixedWidthNumericShort(v, 2); c != kValid) return c;
  if (isAllZero(v)) return kValid;
  return ref.exists(store::CodeTable::TerminationCause, v) ? kValid : "0280";
}

Code checkCauseAtClosure(std::string_view closureIndicator, std::string_view establishmentBaseYear,
                         std::string_view cause, int baseYear) {
  const bool closing = trimBlanks(closureIndicator) == "1" && number(establishmentBaseYear) == baseYear;
  return closing && !informed(cause) ? "0281" : kValid;
}

Code checkDismissalDate(std::string_view ddmm, int baseYear) {
  const auto v = trimBlanks(ddmm);
  if (v.empty()) return "0292";
  if (auto c = checkFixedWidthNumeric(v, 4); c != kValid) return c;
  if (isAllZero(v)) return kValid;
  return detail::isValidDayMonth(v, baseYear) ? kValid : "0292";
}

Code checkDismissalDateAndCause(std::string_view ddmm, std::string_view cause) {
  const bool dateGiven = informed(ddmm);
  const auto c = trimBlanks(cause);
  const bool causeGiven = informed(c);
  if (causeGiven && in(kCausesWithoutDate, c)) return dateGiven ? "3512" : kValid;
  if (causeGiven && !dateGiven) return "0291";
  if (!causeGiven && dateGiven) return "0293";
  return kValid;
}

Code checkDismissalAndAdmission(std::string_view dismissal, std::string_view admission, int referenceYear) {
  const auto a = trimBlanks(admission);
  if (!informed(dismissal) || yearOf(a) != referenceYear) return kValid;
  return monthDayOf(trimBlanks(dismissal)) < monthDayOf(a) ? "0290" : kValid;
}

Code checkDismissalAndClosure(std::string_view dismissal, std::string_view closure, int referenceYear) {
  const auto c = trimBlanks(closure);
  if (!informed(dismissal) || yearOf(c) != referenceYear) return kValid;
  return monthDayOf(c) < monthDayOf(trimBlanks(dismissal)) ? "3603" : kValid;
}

Code checkNoticePayment(std::string_view amount) { return widthThen(amount, 9, "0335"); }

// --- Monthly remuneration ---

Code checkRemuneration(std::string_view value, std::string_view month, const RemunerationContext& context) {
  const auto v = trimBlanks(value);
  if (v.empty()) return "0315";
  if (auto c = checkFixedWidthNumeric(v, 9); c != kValid) return c;
  if (isAllZero(v)) return kValid;
  const auto cents = number(v);
  const int m = monthNumber(month);
  auto ceiling = [&] { return isAtMinimumWageCeiling(cents, m) ? Code{"0313"} : kValid; };
  auto floorThenCeiling = [&] {
    if (isBelowMinimumWage(cents, m)) return isFloorExempt(context.legalNature) ? kValid : Code{"0312"};
    return ceiling();
  };
  if (trimBlanks(context.salaryType) != "1") return ceiling();
  const auto dismissal = trimBlanks(context.dismissal);
  const int dismissalMonth = informed(dismissal) ? monthOf(dismissal) : 0;
  const auto admission = trimBlanks(context.admission);
  if (yearOf(admission) != context.referenceYear) return m == dismissalMonth ? kValid : floorThenCeiling();
  if (m != monthOf(admission) && m != dismissalMonth) return floorThenCeiling();
  return ceiling();
}

Code checkBeforeAdmission(std::string_view month, std::string_view admission, int referenceYear) {
  const auto a = trimBlanks(admission);
  return yearOf(a) == referenceYear && monthNumber(month) < monthOf(a) ? "0310" : kValid;
}

Code checkAfterDismissal(std::string_view month, std::string_view dismissal) {
  const auto d = trimBlanks(dismissal);
  return informed(d) && monthOf(d) < monthNumber(month) ? "0311" : kValid;
}

Code checkTenfold(std::string_view value, std::string_view month, std::string_view previousValue) {
  const auto v = number(value);
  const auto previous = number(previousValue);
  return monthNumber(month) >= 2 && v != 0 && previous != 0 && v == previous * 10 ? "0314" : kValid;
}

Code checkApprenticeAge(std::string_view month, std::string_view vinculo, std::string_view birth, int baseYear) {
  const auto age = ageByYear(birth, baseYear);
  if (trimBlanks(vinculo) != kApprentice || !age) return kValid;
  const int m = monthNumber(month);
  const int birthMonth = monthOf(trimBlanks(birth));
  if (*age == 24 && m > birthMonth) return "3503";
  if (*age == 14 && m < birthMonth) return "3503";
  return kValid;
}

// --- 13th salary ---

Code checkThirteenthAdvanceMonth(std::string_view month) {
  const auto v = trimBlanks(month);
  if (v.empty()) return "0322";
  if (auto c = checkFixedWidthNumeric(v, 2); c != kValid) return c;
  return number(v) <= 12 ? kValid : "0322";
}

Code checkThirteenthFinalMonth(std::string_view month) {
  const auto v = trimBlanks(month);
  if (v.empty()) return "0322";
  if (auto c = checkFixedWidthNumeric(v, 2); c != kValid) return c;
  const auto m = number(v);
  return m <= 12 || m == 99 ? kValid : "0322";
}

Code checkThirteenthAdvanceValue(std::string_view value) { return widthThen(value, 9, "0333"); }
Code checkThirteenthFinalValue(std::string_view value) { return widthThen(value, 9, "0334"); }

Code checkThirteenthMonthAndAdmission(std::string_view month, std::string_view admission, int referenceYear) {
  const auto a = trimBlanks(admission);
  const int m = monthNumber(month);
  return m != 0 && yearOf(a) == referenceYear && m < monthOf(a) ? "0320" : kValid;
}

Code checkThirteenthMonthAndDismissal(std::string_view month, std::string_view dismissal, bool finalInstalment) {
  const auto d = trimBlanks(dismissal);
  const int m = monthNumber(month);
  if (m == 0 || !informed(d) || (finalInstalment && m == 99)) return kValid;
  return m > monthOf(d) ? "0321" : kValid;
}

Code checkThirteenthAdvancePairing(std::string_view month, std::string_view value) {
  return thirteenthPairing(month, value, "0324", "0330");
}

Code checkThirteenthFinalPairing(std::string_view month, std::string_view value) {
  return thirteenthPairing(month, value, "0325", "0331");
}

Code checkThirteenthOrder(std::string_view advanceMonth, std::string_view finalMonth) {
  const int advance = monthNumber(advanceMonth);
  const int last = monthNumber(finalMonth);
  if (advance == 0 || last == 0) return kValid;
  if (last <= advance) return "0323";
  if (last == 99) return "0326";
  return kValid;
}

// --- Absences ---

Code checkAbsenceReason(std::string_view reason) {
  const auto v = trimBlanks(reason);
  if (auto c = checkFixedWidthNumeric(v, 2); c != kValid) return c;
  if (isAllZero(v)) return kValid;
  return in(kAbsenceReasons, v) ? kValid : "3629";
}

Code checkAbsenceDate(std::string_view ddmm, int baseYear) {
  const auto v = trimBlanks(ddmm);
  if (auto c = checkFixedWidthNumeric(v, 4); c != kValid) return c;
  if (isAllZero(v)) return kValid;
  return detail::isValidDayMonth(v, baseYear) ? kValid : "3630";
}

Code checkAbsenceAndAdmission(std::string_view absence, std::string_view admission, int referenceYear) {
  const auto a = trimBlanks(admission);
  if (!informed(absence) || yearOf(a) != referenceYear) return kValid;
  return monthDayOf(trimBlanks(absence)) < monthDayOf(a) ? "3632" : kValid;
}

Code checkAbsenceAndDismissal(std::string_view absence, std::string_view dismissal) {
  if (!informed(absence) || !informed(dismissal)) return kValid;
  return monthDayOf(trimBlanks(absence)) > monthDayOf(trimBlanks(dismissal)) ? "3631" : kValid;
}

Code checkAbsenceDateAndReason(std::string_view absence, std::string_view reason) {
  const bool dateGiven = informed(absence);
  const bool reasonGiven = informed(reason);
  if (reasonGiven && !dateGiven) return "3639";
  if (!reasonGiven && dateGiven) return "3646";
  return kValid;
}

Code checkAbsenceOrder(std::string_view start, std::string_view end) {
  if (!informed(start) || !informed(end)) return kValid;
  return monthDayOf(trimBlanks(end)) < monthDayOf(trimBlanks(start)) ? "3633" : kValid;
}

Code checkAbsenceEndDate(std::string_view start, std::string_view end) {
  return informed(start) && !informed(end) ? "3643" : kValid;
}

Code checkAbsenceDays(std::string_view days) {
  const auto v = trimBlanks(days);
  if (auto c = checkFixedWidthNumeric(v, 3); c != kValid) return c;
  return number(v) >= 366 ? "3640" : kValid;
}

Code checkDaysAndReasons(std::string_view reason1, std::string_view reason2, std::string_view reason3,
                         std::string_view days) {
  const bool anyReason = informed(reason1) || informed(reason2) || informed(reason3);
  return anyReason && !informed(days) ? "3644" : kValid;
}

// --- Rescission amounts ---

Code checkRescissionAmount(std::string_view amount) {
  return checkFixedWidthNumeric(amount, 8) == kValid ? kValid : "3648";
}

Code checkRescissionAndCause(std::string_view cause, std::string_view amount) {
  return !informed(cause) && !zeroAmount(amount) ? "3675" : kValid;
}

Code checkMonthsCount(std::string_view months) { return checkFixedWidthNumeric(months, 2) == kValid ? kValid : "3648"; }

Code checkAmountAndMonths(std::string_view amount, std::string_view months, RescissionItem item) {
  const bool amountGiven = !zeroAmount(amount);
  const bool monthsGiven = informed(months);
  if (!amountGiven && monthsGiven) {
    switch (item) {
      case RescissionItem::HoursBank: return "3681";
      case RescissionItem::CollectiveAgreement: return "3682";
      case RescissionItem::Bonuses: return "3683";
    }
  }
  if (amountGiven && !monthsGiven) return "3680";
  return kValid;
}

// --- Worked hours and work place ---

Code checkHours(std::string_view hours) { return checkNumericContent(hours); }

Code checkHoursInPeriod(std::string_view hours, std::string_view dismissalMonth, std::string_view admission,
                        std::string_view month, int baseYear) {
  const auto a = trimBlanks(admission);
  if (!informed(a) || a.size() != 6 || !isNumeric(a)) return kValid;
  const auto year = number(a.substr(2));
  if (year != baseYear && year != baseYear + 1) return kValid;
  if (!informed(hours)) return kValid;
  const int m = monthNumber(month);
  if (m < number(a.substr(0, 2))) return "3677";
  if (informed(dismissalMonth) && monthNumber(dismissalMonth) < m) return "3677";
  return kValid;
}

Code checkHoursAndRemuneration(std::string_view hours, std::string_view remuneration) {
  return number(hours) != 0 && zeroAmount(remuneration) ? "3677" : kValid;
}

Code checkManyHours(std::string_view hours) { return number(hours) >= 100 ? "3698" : kValid; }

Code checkHoursEntry(std::int64_t remuneration, std::int64_t hours, int month, std::string_view admission,
                     int dismissalMonth, int baseYear) {
  if (hours <= 0) return kValid;
  // A dismissed employee's hours are only compared with the dismissal month:
  // neither the admission month nor a month without pay is checked then.
  if (dismissalMonth != 0) return dismissalMonth < month ? "3710" : kValid;
  const auto a = trimBlanks(admission);
  if (a.size() == 6 && isNumeric(a) && number(a.substr(2)) == baseYear && month < number(a.substr(0, 2)))
    return "3711";
  return remuneration == 0 ? "3677" : kValid;
}

Code checkWorkMunicipality(const store::ReferenceLookup& ref, std::string_view municipality) {
  const auto v = trimBlanks(municipality);
  if (auto c = checkFixedWidthNumeric(v, 7); c != kValid) return c;
  return ref.exists(store::CodeTable::Municipality, v) ? kValid : "0090";
}

}  // namespace torvex::core::validation
