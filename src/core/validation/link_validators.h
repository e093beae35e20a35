#pragma once
// Field validators of the link (record 2, BD8Vinc). Values are the
// stored texts (dates ddmmyyyy, dismissal and absence dates ddmm, amounts in
// cents); each validator answers a message code ("0000" valid). `referenceYear`
// is the establishment's reference year (2006, or 2007 for one closing in
// 2007); `baseYear` the program's base year. The union validators are those of
// the establishment side called with employee = true.
#include <cstdint>
#include <string_view>

#include "core/store/reference_lookup.h"
#include "core/validation/establishment_validators.h"

namespace torvex::core::validation {

// --- Identification ---
Code checkPis(std::string_view pis);
Code checkEmployeeName(std::string_view name, std::string_view pis);
Code checkCpf(std::string_view cpf);
Code checkWorkCardNumber(std::string_view number);
Code checkWorkCardSeries(std::string_view series);
Code checkWorkCardPairing(std::string_view number, std::string_view series);
Code checkWorkCardSeriesFormat(std::string_view series, std::string_view nationality, std::string_view number);
Code checkWorkCardOrCpf(std::string_view number, std::string_view cpf);

// --- Personal data ---
Code checkBirthDate(std::string_view birth);
Code checkBirthAndReferenceYear(std::string_view birth, int referenceYear);
Code checkSex(std::string_view inSexo);
Code checkRace(const store::ReferenceLookup& ref, std::string_view race);
Code checkDisability(const store::ReferenceLookup& ref, std::string_view kind, std::string_view indicator,
                     bool fileFlag);
Code checkNationality(const store::ReferenceLookup& ref, std::string_view nationality);
Code checkArrivalYear(std::string_view arrival);
Code checkArrivalAndNationality(std::string_view arrival, std::string_view nationality);
Code checkArrivalAndReferenceYear(std::string_view arrival, int referenceYear, std::string_view nationality);
Code checkArrivalAndBirth(std::string_view arrival, std::string_view birth, std::string_view nationality);
Code checkInstruction(const store::ReferenceLookup& ref, std::string_view instruction);

// --- Contract ---
Code checkAdmissionDate(std::string_view admission);
Code checkAdmissionAndReferenceYear(std::string_view admission, int referenceYear);
Code checkAdmissionAndClosure(std::string_view closure, std::string_view admission);
Code checkAgeAtAdmission(std::string_view birth, std::string_view admission);
Code checkArrivalAndAdmission(std::string_view arrival, std::string_view admission, std::string_view nationality);
Code checkAdmissionType(const store::ReferenceLookup& ref, std::string_view type);
Code checkContractSalary(std::string_view salary);
Code checkSalaryType(const store::ReferenceLookup& ref, std::string_view type);
Code checkSalaryAndMinimumWage(std::string_view salary, std::string_view salaryType);
Code checkWeeklyHours(std::string_view hours);
Code checkOccupation(const store::ReferenceLookup& ref, std::string_view cbo);
Code checkOccupationAndInstruction(const store::ReferenceLookup& ref, std::string_view instruction,
                                   std::string_view cbo);
Code checkVinculo(const store::ReferenceLookup& ref, std::string_view vinculo);
Code checkVinculoAndPis(std::string_view vinculo, std::string_view pis);
Code checkVinculoAndInscriptionKind(std::string_view vinculo, std::string_view kind);
Code checkVinculoAndAge(std::string_view vinculo, std::string_view birth, int baseYear);
Code checkVinculoAndActivity(std::string_view vinculo, std::string_view activity);
Code checkVinculoAndLegalNature(std::string_view vinculo, std::string_view legalNature);
Code checkPermit(std::string_view permit);
// Answers "1" for a minor under 16 without a permit (the caller records "3533"), or "3531".
Code checkPermitAndAge(std::string_view permit, std::string_view birth, std::string_view vinculo, int baseYear);

// --- Dismissal ---
Code checkDismissalCause(const store::ReferenceLookup& ref, std::string_view cause);
Code checkCauseAtClosure(std::string_view closureIndicator, std::string_view establishmentBaseYear,
                         std::string_view cause, int baseYear);
Code checkDismissalDate(std::string_view ddmm, int baseYear);
Code checkDismissalDateAndCause(std::string_view ddmm, std::string_view cause);
Code checkDismissalAndAdmission(std::string_view dismissal, std::string_view admission, int referenceYear);
Code checkDismissalAndClosure(std::string_view dismissal, std::string_view closure, int referenceYear);
Code checkNoticePayment(std::string_view amount);

// --- Monthly remuneration (month "01" to "12") ---
struct RemunerationContext {
  std::string_view salaryType;
  std::string_view legalNature;
  std::string_view dismissal;  // ddmm
  std::string_view admission;  // ddmmyyyy
  int referenceYear = 0;
};
Code checkRemuneration(std::string_view value, std::string_view month, const RemunerationContext& context);
Code checkBeforeAdmission(std::string_view month, std::string_view admission, int referenceYear);
Code checkAfterDismissal(std::string_view month, std::string_view dismissal);
Code checkTenfold(std::string_view value, std::string_view month, std::string_view previousValue);
Code checkApprenticeAge(std::string_view month, std::string_view vinculo, std::string_view birth, int baseYear);

// --- 13th salary ---
Code checkThirteenthAdvanceMonth(std::string_view month);
Code checkThirteenthFinalMonth(std::string_view month);
Code checkThirteenthAdvanceValue(std::string_view value);
Code checkThirteenthFinalValue(std::string_view value);
Code checkThirteenthMonthAndAdmission(std::string_view month, std::string_view admission, int referenceYear);
Code checkThirteenthMonthAndDismissal(std::string_view month, std::string_view dismissal, bool finalInstalment);
Code checkThirteenthAdvancePairing(std::string_view month, std::string_view value);
Code checkThirteenthFinalPairing(std::string_view month, std::string_view value);
Code checkThirteenthOrder(std::string_view advanceMonth, std::string_view finalMonth);

// --- Absences ---
Code checkAbsenceReason(std::string_view reason);
Code checkAbsenceDate(std::string_view ddmm, int baseYear);
Code checkAbsenceAndAdmission(std::string_view absence, std::string_view admission, int referenceYear);
Code checkAbsenceAndDismissal(std::string_view absence, std::string_view dismissal);
Code checkAbsenceDateAndReason(std::string_view absence, std::string_view reason);
Code checkAbsenceOrder(std::string_view start, std::string_view end);
Code checkAbsenceEndDate(std::string_view start, std::string_view end);
Code checkAbsenceDays(std::string_view days);
Code checkDaysAndReasons(std::string_view reason1, std::string_view reason2, std::string_view reason3,
                         std::string_view days);

// --- Rescission amounts ---
enum class RescissionItem { HoursBank, CollectiveAgreement, Bonuses };  // "3681", "3682", "3683"
Code checkRescissionAmount(std::string_view amount);
Code checkRescissionAndCause(std::string_view cause, std::string_view amount);
Code checkMonthsCount(std::string_view months);
Code checkAmountAndMonths(std::string_view amount, std::string_view months, RescissionItem item);

// --- Worked hours and work place ---
Code checkHours(std::string_view hours);
// `admission` as mmyyyy.
Code checkHoursInPeriod(std::string_view hours, std::string_view dismissalMonth, std::string_view admission,
                        std::string_view month, int baseYear);
Code checkHoursAndRemuneration(std::string_view hours, std::string_view remuneration);
Code checkManyHours(std::string_view hours);
// The entry window's check, on numbers; `admission` as mmyyyy. With a dismissal
// month only hours after it are refused ("3710"); without one, "3711" or "3677".
Code checkHoursEntry(std::int64_t remuneration, std::int64_t hours, int month, std::string_view admission,
                     int dismissalMonth, int baseYear);
Code checkWorkMunicipality(const store::ReferenceLookup& ref, std::string_view municipality);

}  // namespace torvex::core::validation
