#include "core/validation/link_validators.h"

#include <gtest/gtest.h>

#include "reference_fixture.h"

namespace torvex::core::validation {
namespace {

using testing::expectCases;

class LinkValidators : public testing::ReferenceFixture {};

TEST_F(LinkValidators, Identification) {
  expectCases({
      CASE(checkPis("17033259504"), "0000"),
      CASE(checkPis("11111111116"), "0150"),  // fitting check digit, still refused
      CASE(checkPis("00000000000"), "0150"),
      CASE(checkPis(""), "0153"),
      CASE(checkPis("1703325950"), "0040"),
      CASE(checkPis("17033259505"), "0150"),
      CASE(checkEmployeeName("JOAO", ""), "0161"),
      CASE(checkEmployeeName("JOAO SSSSILVA", ""), "3100"),
      CASE(checkEmployeeName("JOAAAAO", ""), "3100"),  // before the word count
      CASE(checkEmployeeName("", ""), "0160"),
      CASE(checkEmployeeName("JOAO D'AVILA", ""), "0020"),
      CASE(checkEmployeeName("JOAO DA SILVA", ""), "0000"),
      CASE(checkEmployeeName("PEDRO DE SOUZA", "17033259504"), "3647"),
      CASE(checkEmployeeName("Jose da Silva", "17033259504"), "0000"),
      CASE(checkCpf(""), "0211"),
      CASE(checkCpf("00000000000"), "0000"),
      CASE(checkCpf("52998224725"), "0000"),
      CASE(checkCpf("52998224726"), "0210"),
      CASE(checkCpf("5299822472"), "0040"),
      CASE(checkWorkCardNumber(""), "0212"),
      CASE(checkWorkCardNumber("1234567"), "0040"),
      CASE(checkWorkCardSeries("A0012"), "0000"),
      CASE(checkWorkCardSeries("Ç0012"), "0020"),
      CASE(checkWorkCardPairing("12345678", ""), "0213"),
      CASE(checkWorkCardPairing("", "00012"), "0213"),
      CASE(checkWorkCardPairing("", ""), "0000"),
      CASE(checkWorkCardSeriesFormat("A0012", "10", "12345678"), "0213"),
      CASE(checkWorkCardSeriesFormat("00012", "20", "12345678"), "0000"),
      CASE(checkWorkCardSeriesFormat("A0012", "30", "12345678"), "0000"),
      CASE(checkWorkCardSeriesFormat("-0012", "30", "12345678"), "0213"),
      CASE(checkWorkCardSeriesFormat("AB012", "30", "12345678"), "0213"),
      CASE(checkWorkCardSeriesFormat("A0012", "10", "00000000"), "0000"),
      CASE(checkWorkCardOrCpf("", "00000000000"), "0340"),
      CASE(checkWorkCardOrCpf("", ""), "0340"),
      CASE(checkWorkCardOrCpf("00000000", "00000000000"), "0340"),
      CASE(checkWorkCardOrCpf("", "52998224725"), "0000"),
  });
}

TEST_F(LinkValidators, PersonalData) {
  const auto& r = ref();
  expectCases({
      CASE(checkBirthDate(""), "0170"),
      CASE(checkBirthDate("00000000"), "0170"),
      CASE(checkBirthDate("3101190"), "0040"),
      CASE(checkBirthDate("31011900"), "0175"),
      CASE(checkBirthDate("30021980"), "0175"),
      CASE(checkBirthDate("01011901"), "0000"),
      CASE(checkBirthAndReferenceYear("01012007", 2006), "0174"),
      CASE(checkBirthAndReferenceYear("01011998", 2006), "0172"),
      CASE(checkBirthAndReferenceYear("01011997", 2006), "0176"),
      CASE(checkBirthAndReferenceYear("01011992", 2006), "0176"),
      CASE(checkBirthAndReferenceYear("01011991", 2006), "0000"),
      CASE(checkBirthAndReferenceYear("00000000", 2006), "0000"),
      CASE(checkSex("3"), "3524"),
      CASE(checkRace(r, "2"), "0000"),
      CASE(checkRace(r, "7"), "0481"),
      CASE(checkRace(r, ""), "0480"),
      CASE(checkDisability(r, "7", "1", true), "3701"),
      CASE(checkDisability(r, "", "2", true), "3701"),
      CASE(checkDisability(r, "0", "2", true), "0000"),
      CASE(checkDisability(r, "", "1", false), "3701"),
      CASE(checkDisability(r, "1", "2", false), "3701"),
      CASE(checkDisability(r, "0", "2", false), "0000"),
      CASE(checkDisability(r, "1", "1", false), "0000"),
      CASE(checkDisability(r, "9", "1", false), "3701"),
      CASE(checkNationality(r, "10"), "0000"),
      CASE(checkNationality(r, "00"), "0180"),
      CASE(checkNationality(r, "98"), "0181"),
      CASE(checkArrivalYear("199"), "0040"),
      CASE(checkArrivalAndNationality("1990", "10"), "0190"),
      CASE(checkArrivalAndNationality("0000", "30"), "0191"),
      CASE(checkArrivalAndNationality("0000", "10"), "0000"),
      CASE(checkArrivalAndNationality("1990", "30"), "0000"),
      CASE(checkArrivalAndNationality("", "30"), "0000"),
      CASE(checkArrivalAndReferenceYear("2007", 2006, "30"), "0192"),
      CASE(checkArrivalAndReferenceYear("2007", 2007, "30"), "0000"),
      CASE(checkArrivalAndReferenceYear("2007", 2006, "10"), "0000"),
      CASE(checkArrivalAndBirth("1979", "01011980", "30"), "0193"),
      CASE(checkArrivalAndBirth("1980", "01011980", "30"), "0000"),
      CASE(checkArrivalAndBirth("0000", "01011980", "30"), "0000"),
      CASE(checkInstruction(r, "07"), "0000"),
      CASE(checkInstruction(r, "7"), "0040"),
      CASE(checkInstruction(r, "99"), "0201"),
  });
}

TEST_F(LinkValidators, Contract) {
  const auto& r = ref();
  expectCases({
      CASE(checkAdmissionDate(""), "0392"),
      CASE(checkAdmissionDate("31022006"), "0390"),
      CASE(checkAdmissionDate("28022006"), "0000"),
      CASE(checkAdmissionAndReferenceYear("01012007", 2006), "0391"),
      CASE(checkAdmissionAndReferenceYear("01012007", 2007), "0000"),
      CASE(checkAdmissionAndClosure("30062006", "01072006"), "0394"),
      CASE(checkAdmissionAndClosure("00000000", "01072006"), "0000"),
      CASE(checkAdmissionAndClosure("30062006", "30062006"), "0000"),
      CASE(checkAgeAtAdmission("10051992", "09052006"), "0171"),
      CASE(checkAgeAtAdmission("10051992", "10052006"), "0000"),
      CASE(checkAgeAtAdmission("11051997", "10052006"), "0173"),
      CASE(checkAgeAtAdmission("10051997", "10052006"), "0171"),
      CASE(checkAgeAtAdmission("01011995", "01012006"), "0171"),
      CASE(checkAgeAtAdmission("01011990", "01012006"), "0000"),
      CASE(checkArrivalAndAdmission("2000", "01011999", "30"), "0194"),
      CASE(checkArrivalAndAdmission("2000", "01012000", "30"), "0000"),
      CASE(checkArrivalAndAdmission("2000", "01011999", "10"), "0000"),
      CASE(checkAdmissionType(r, "2"), "0000"),
      CASE(checkAdmissionType(r, "0"), "0221"),
      CASE(checkAdmissionType(r, "8"), "0220"),
      CASE(checkContractSalary("000000000"), "0232"),
      CASE(checkContractSalary("12345"), "0040"),
      CASE(checkSalaryType(r, "1"), "0000"),
      CASE(checkSalaryType(r, "9"), "0240"),
      CASE(checkSalaryAndMinimumWage("000034999", "1"), "0230"),
      CASE(checkSalaryAndMinimumWage("000035000", "1"), "0000"),
      CASE(checkSalaryAndMinimumWage("005250000", "1"), "0231"),
      CASE(checkSalaryAndMinimumWage("000034999", "2"), "0000"),
      CASE(checkWeeklyHours("45"), "0250"),
      CASE(checkWeeklyHours("44"), "0000"),
      CASE(checkWeeklyHours("00"), "0251"),
      CASE(checkOccupation(r, "111105"), "3645"),
      CASE(checkOccupation(r, ""), "0261"),
      CASE(checkOccupation(r, "78251"), "0030"),
      CASE(checkOccupation(r, "78251A"), "0040"),
      CASE(checkOccupation(r, "41100Ç"), "0040"),  // six characters, one of them not a digit
      CASE(checkOccupation(r, "000000"), "0261"),
      CASE(checkOccupation(r, "999999"), "0260"),
      CASE(checkOccupation(r, "782510"), "0000"),
      CASE(checkOccupationAndInstruction(r, "07", "223505"), "3501"),
      CASE(checkOccupationAndInstruction(r, "09", "223505"), "0000"),
      CASE(checkOccupationAndInstruction(r, "01", "351305"), "3635"),
      CASE(checkOccupationAndInstruction(r, "01", "782510"), "0000"),
      CASE(checkVinculo(r, "10"), "0000"),
      CASE(checkVinculo(r, "00"), "0273"),
      CASE(checkVinculo(r, "11"), "0270"),
  });
}

TEST_F(LinkValidators, VinculoAndPermit) {
  expectCases({
      CASE(checkVinculoAndPis("10", "10900000000"), "0272"),
      CASE(checkVinculoAndPis("35", "11900000000"), "0000"),
      CASE(checkVinculoAndPis("10", "12000000004"), "0000"),
      CASE(checkVinculoAndInscriptionKind("10", "1"), "0000"),
      CASE(checkVinculoAndInscriptionKind("15", "1"), "0271"),
      CASE(checkVinculoAndInscriptionKind("15", "3"), "0000"),
      CASE(checkVinculoAndInscriptionKind("10", "3"), "0271"),
      CASE(checkVinculoAndInscriptionKind("55", "3"), "0000"),
      CASE(checkVinculoAndAge("55", "01011981", 2006), "3502"),
      CASE(checkVinculoAndAge("55", "01011992", 2006), "0000"),
      CASE(checkVinculoAndAge("55", "01011993", 2006), "3502"),
      CASE(checkVinculoAndAge("10", "01011991", 2006), "3510"),
      CASE(checkVinculoAndAge("10", "01011990", 2006), "0000"),
      CASE(checkVinculoAndAge("10", "00000000", 2006), "0000"),
      CASE(checkVinculoAndActivity("10", "8411600"), "3507"),
      CASE(checkVinculoAndActivity("30", "8411600"), "0000"),
      CASE(checkVinculoAndActivity("10", "4711302"), "0000"),
      CASE(checkVinculoAndLegalNature("10", "1031"), "3519"),
      CASE(checkVinculoAndLegalNature("97", "1031"), "0000"),
      CASE(checkVinculoAndLegalNature("10", "2062"), "0000"),
      CASE(checkPermit("3"), "0001"),
      CASE(checkPermitAndAge("2", "01011991", "10", 2006), "1"),
      CASE(checkPermitAndAge("2", "01011990", "10", 2006), "0000"),
      CASE(checkPermitAndAge("2", "01011991", "55", 2006), "0000"),
      CASE(checkPermitAndAge("1", "01011990", "10", 2006), "3531"),
      CASE(checkPermitAndAge("1", "01011992", "55", 2006), "3531"),
      CASE(checkPermitAndAge("1", "01011992", "10", 2006), "0000"),
  });
}

TEST_F(LinkValidators, Dismissal) {
  const auto& r = ref();
  expectCases({
      CASE(checkDismissalCause(r, ""), "0280"),
      CASE(checkDismissalCause(r, "1"), "3648"),
      CASE(checkDismissalCause(r, "00"), "0000"),
      CASE(checkDismissalCause(r, "11"), "0000"),
      CASE(checkDismissalCause(r, "99"), "0280"),
      CASE(checkCauseAtClosure("1", "2006", "00", 2006), "0281"),
      CASE(checkCauseAtClosure("1", "2007", "00", 2006), "0000"),
      CASE(checkCauseAtClosure("1", "2006", "11", 2006), "0000"),
      CASE(checkDismissalDate("", 2006), "0292"),
      CASE(checkDismissalDate("0000", 2006), "0000"),
      CASE(checkDismissalDate("2902", 2006), "0292"),
      CASE(checkDismissalDate("2902", 2004), "0000"),
      CASE(checkDismissalDate("3112", 2006), "0000"),
      CASE(checkDismissalDate("311", 2006), "0040"),
      CASE(checkDismissalDateAndCause("1503", "71"), "3512"),
      CASE(checkDismissalDateAndCause("0000", "71"), "0000"),
      CASE(checkDismissalDateAndCause("0000", "11"), "0291"),
      CASE(checkDismissalDateAndCause("1503", "00"), "0293"),
      CASE(checkDismissalDateAndCause("1503", "11"), "0000"),
      CASE(checkDismissalAndAdmission("0903", "10032006", 2006), "0290"),
      CASE(checkDismissalAndAdmission("1003", "10032006", 2006), "0000"),
      CASE(checkDismissalAndAdmission("0903", "10032005", 2006), "0000"),
      CASE(checkDismissalAndAdmission("0000", "10032006", 2006), "0000"),
      CASE(checkDismissalAndClosure("1103", "10032006", 2006), "3603"),
      CASE(checkDismissalAndClosure("1003", "10032006", 2006), "0000"),
      CASE(checkDismissalAndClosure("1103", "00000000", 2006), "0000"),
      CASE(checkNoticePayment(""), "0335"),
      CASE(checkNoticePayment("000000000"), "0000"),
  });
}

TEST_F(LinkValidators, Remuneration) {
  // Salary type 1, admitted before the reference year, dismissed in June.
  const RemunerationContext before{"1", "2062", "1506", "01012005", 2006};
  const RemunerationContext exempt{"1", "1015", "1506", "01012005", 2006};
  // Admitted in April of the reference year, not dismissed.
  const RemunerationContext admitted{"1", "2062", "0000", "10042006", 2006};
  const RemunerationContext hourly{"5", "2062", "0000", "01012005", 2006};
  expectCases({
      CASE(checkRemuneration("000029999", "03", before), "0312"),
      CASE(checkRemuneration("000029999", "03", exempt), "0000"),
      CASE(checkRemuneration("000030000", "03", before), "0000"),
      CASE(checkRemuneration("000034999", "04", before), "0312"),
      CASE(checkRemuneration("000000100", "06", before), "0000"),  // dismissal month: no floor
      CASE(checkRemuneration("005250000", "06", before), "0000"),
      CASE(checkRemuneration("005250000", "05", before), "0313"),
      CASE(checkRemuneration("004500000", "04", before), "0313"),
      CASE(checkRemuneration("000000100", "04", admitted), "0000"),  // admission month: ceiling only
      CASE(checkRemuneration("004499999", "04", admitted), "0000"),  // month 4 ceiling is 150 x 300,00
      CASE(checkRemuneration("004500000", "04", admitted), "0313"),
      CASE(checkRemuneration("000000100", "05", admitted), "0312"),
      CASE(checkRemuneration("000000100", "05", hourly), "0000"),
      CASE(checkRemuneration("005250000", "05", hourly), "0313"),
      CASE(checkRemuneration("", "05", hourly), "0315"),
      CASE(checkRemuneration("100", "05", hourly), "0040"),
      CASE(checkRemuneration("000000000", "05", before), "0000"),
      CASE(checkBeforeAdmission("03", "10042006", 2006), "0310"),
      CASE(checkBeforeAdmission("04", "10042006", 2006), "0000"),
      CASE(checkBeforeAdmission("03", "10042005", 2006), "0000"),
      CASE(checkAfterDismissal("07", "1506"), "0311"),
      CASE(checkAfterDismissal("06", "1506"), "0000"),
      CASE(checkAfterDismissal("07", "0000"), "0000"),
      CASE(checkTenfold("000100000", "02", "000010000"), "0314"),
      CASE(checkTenfold("000100000", "01", "000010000"), "0000"),
      CASE(checkTenfold("000100001", "02", "000010000"), "0000"),
      CASE(checkTenfold("000000000", "02", "000000000"), "0000"),
      CASE(checkApprenticeAge("07", "55", "15061982", 2006), "3503"),
      CASE(checkApprenticeAge("06", "55", "15061982", 2006), "0000"),
      CASE(checkApprenticeAge("05", "55", "15061992", 2006), "3503"),
      CASE(checkApprenticeAge("06", "55", "15061992", 2006), "0000"),
      CASE(checkApprenticeAge("07", "10", "15061982", 2006), "0000"),
  });
}

TEST_F(LinkValidators, ThirteenthSalary) {
  expectCases({
      CASE(checkThirteenthAdvanceMonth(""), "0322"),
      CASE(checkThirteenthAdvanceMonth("00"), "0000"),
      CASE(checkThirteenthAdvanceMonth("12"), "0000"),
      CASE(checkThirteenthAdvanceMonth("13"), "0322"),
      CASE(checkThirteenthAdvanceMonth("99"), "0322"),
      CASE(checkThirteenthFinalMonth("99"), "0000"),
      CASE(checkThirteenthFinalMonth("98"), "0322"),
      CASE(checkThirteenthFinalMonth("1"), "0040"),
      CASE(checkThirteenthAdvanceValue(""), "0333"),
      CASE(checkThirteenthFinalValue(""), "0334"),
      CASE(checkThirteenthMonthAndAdmission("03", "10042006", 2006), "0320"),
      CASE(checkThirteenthMonthAndAdmission("00", "10042006", 2006), "0000"),
      CASE(checkThirteenthMonthAndDismissal("07", "1506", false), "0321"),
      CASE(checkThirteenthMonthAndDismissal("99", "1506", true), "0000"),
      CASE(checkThirteenthMonthAndDismissal("99", "1506", false), "0321"),
      CASE(checkThirteenthMonthAndDismissal("07", "0000", false), "0000"),
      CASE(checkThirteenthAdvancePairing("00", "000010000"), "0324"),
      CASE(checkThirteenthAdvancePairing("11", "000000000"), "0330"),
      CASE(checkThirteenthAdvancePairing("11", "005250000"), "0332"),
      CASE(checkThirteenthAdvancePairing("11", "000010000"), "0000"),
      CASE(checkThirteenthAdvancePairing("00", "000000000"), "0000"),
      CASE(checkThirteenthFinalPairing("00", "000010000"), "0325"),
      CASE(checkThirteenthFinalPairing("12", "000000000"), "0331"),
      CASE(checkThirteenthOrder("11", "99"), "0326"),
      CASE(checkThirteenthOrder("11", "11"), "0323"),
      CASE(checkThirteenthOrder("11", "10"), "0323"),
      CASE(checkThirteenthOrder("11", "12"), "0000"),
      CASE(checkThirteenthOrder("00", "99"), "0000"),
  });
}

TEST_F(LinkValidators, Absences) {
  expectCases({
      CASE(checkAbsenceReason("15"), "3629"),
      CASE(checkAbsenceReason("00"), "0000"),
      CASE(checkAbsenceReason("70"), "0000"),
      CASE(checkAbsenceReason(""), "0040"),
      CASE(checkAbsenceDate("3102", 2006), "3630"),
      CASE(checkAbsenceDate("0000", 2006), "0000"),
      CASE(checkAbsenceDate("2812", 2006), "0000"),
      CASE(checkAbsenceAndAdmission("0103", "10042006", 2006), "3632"),
      CASE(checkAbsenceAndAdmission("1004", "10042006", 2006), "0000"),
      CASE(checkAbsenceAndAdmission("0103", "10042005", 2006), "0000"),
      CASE(checkAbsenceAndDismissal("1606", "1506"), "3631"),
      CASE(checkAbsenceAndDismissal("1506", "1506"), "0000"),
      CASE(checkAbsenceAndDismissal("1606", "0000"), "0000"),
      CASE(checkAbsenceDateAndReason("0000", "10"), "3639"),
      CASE(checkAbsenceDateAndReason("0103", "00"), "3646"),
      CASE(checkAbsenceDateAndReason("0103", "10"), "0000"),
      CASE(checkAbsenceOrder("1003", "0903"), "3633"),
      CASE(checkAbsenceOrder("1003", "0104"), "0000"),
      CASE(checkAbsenceOrder("1003", "0000"), "0000"),
      CASE(checkAbsenceEndDate("1003", ""), "3643"),
      CASE(checkAbsenceEndDate("1003", "2003"), "0000"),
      CASE(checkAbsenceDays("365"), "0000"),
      CASE(checkAbsenceDays("366"), "3640"),
      CASE(checkAbsenceDays("000"), "0000"),
      CASE(checkAbsenceDays("36"), "0040"),
      CASE(checkDaysAndReasons("00", "", "10", "000"), "3644"),
      CASE(checkDaysAndReasons("00", "", "10", ""), "3644"),
      CASE(checkDaysAndReasons("00", "", "", "000"), "0000"),
      CASE(checkDaysAndReasons("00", "", "10", "015"), "0000"),
  });
}

TEST_F(LinkValidators, RescissionAmounts) {
  expectCases({
      CASE(checkRescissionAmount(""), "3648"),
      CASE(checkRescissionAmount("123"), "3648"),
      CASE(checkRescissionAmount("000000000"), "3648"),
      CASE(checkRescissionAmount("00000000"), "0000"),
      CASE(checkRescissionAndCause("00", "00001000"), "3675"),
      CASE(checkRescissionAndCause("", "00001000"), "3675"),
      CASE(checkRescissionAndCause("00", "0,00"), "0000"),
      CASE(checkRescissionAndCause("00", "0"), "0000"),
      CASE(checkRescissionAndCause("00", "00000000"), "0000"),
      CASE(checkRescissionAndCause("11", "00001000"), "0000"),
      CASE(checkMonthsCount("1"), "3648"),
      CASE(checkMonthsCount("01"), "0000"),
      CASE(checkAmountAndMonths("00000000", "00", RescissionItem::HoursBank), "0000"),
      CASE(checkAmountAndMonths("", "0", RescissionItem::HoursBank), "0000"),
      CASE(checkAmountAndMonths("0,00", "03", RescissionItem::HoursBank), "3681"),
      CASE(checkAmountAndMonths("00000000", "03", RescissionItem::CollectiveAgreement), "3682"),
      CASE(checkAmountAndMonths("00000000", "03", RescissionItem::Bonuses), "3683"),
      CASE(checkAmountAndMonths("00001000", "00", RescissionItem::Bonuses), "3680"),
      CASE(checkAmountAndMonths("00001000", "02", RescissionItem::Bonuses), "0000"),
  });
}

TEST_F(LinkValidators, HoursAndWorkPlace) {
  const auto& r = ref();
  expectCases({
      CASE(checkHours("abc"), "0030"),
      CASE(checkHours("160"), "0000"),
      CASE(checkManyHours("100"), "3698"),
      CASE(checkManyHours("099"), "0000"),
      CASE(checkHoursInPeriod("160", "", "042006", "03", 2006), "3677"),
      CASE(checkHoursInPeriod("000", "", "042006", "03", 2006), "0000"),
      CASE(checkHoursInPeriod("160", "", "042005", "03", 2006), "0000"),
      CASE(checkHoursInPeriod("160", "", "000000", "03", 2006), "0000"),
      CASE(checkHoursInPeriod("160", "06", "042006", "07", 2006), "3677"),
      CASE(checkHoursInPeriod("160", "06", "042006", "06", 2006), "0000"),
      CASE(checkHoursInPeriod("160", "00", "042007", "07", 2006), "0000"),
      CASE(checkHoursAndRemuneration("160", "000000000"), "3677"),
      CASE(checkHoursAndRemuneration("000", "000000000"), "0000"),
      CASE(checkHoursAndRemuneration("160", "000100000"), "0000"),
      CASE(checkHoursEntry(0, 160, 3, "042006", 0, 2006), "3711"),
      CASE(checkHoursEntry(0, 160, 5, "042006", 0, 2006), "3677"),
      CASE(checkHoursEntry(100000, 160, 5, "042006", 0, 2006), "0000"),
      CASE(checkHoursEntry(0, 160, 7, "042006", 6, 2006), "3710"),
      // Dismissed later in the year: no pay in the month is not refused here.
      CASE(checkHoursEntry(0, 160, 6, "042006", 6, 2006), "0000"),
      CASE(checkHoursEntry(0, 160, 3, "042006", 6, 2006), "0000"),
      CASE(checkHoursEntry(0, 0, 7, "042006", 6, 2006), "0000"),
      CASE(checkWorkMunicipality(r, "3599991"), "0000"),
      CASE(checkWorkMunicipality(r, "3599999"), "0090"),
      CASE(checkWorkMunicipality(r, "359999"), "0040"),
  });
}

}  // namespace
}  // namespace torvex::core::validation
