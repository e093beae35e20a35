#include "core/validation/establishment_validators.h"

#include <gtest/gtest.h>

#include "core/validation/critica_keva.h"
#include "reference_fixture.h"

namespace torvex::core::validation {
namespace {

using testing::expectCases;

class EstablishmentValidators : public testing::ReferenceFixture {};

constexpr const char* kCnpj = "11222333000181";
constexpr const char* kBoth = "00123400002057";  // passes the CNPJ and the CEI tests
constexpr const char* kCei = "00123456789010";

TEST_F(EstablishmentValidators, Inscriptions) {
  expectCases({
      CASE(checkEstablishmentInscription(kCnpj), "0051"),
      CASE(checkEstablishmentInscription(kCei), "0052"),
      CASE(checkEstablishmentInscription(kBoth), "0050"),
      CASE(checkEstablishmentInscription("11222333000182"), "0053"),
      CASE(checkEstablishmentInscription("  "), "0055"),
      CASE(checkEstablishmentInscription("00000000000000"), "0055"),
      CASE(checkEstablishmentInscription("1122233300018"), "0040"),
      CASE(checkEstablishmentInscription("112223330001810"), "X"),
      // Typed as 11 digits: checked only as a CPF stored with "000" in front.
      CASE(checkResponsibleInscription("00052998224725", 11), "0056"),
      CASE(checkResponsibleInscription("00052998224726", 11), "0054"),
      CASE(checkResponsibleInscription("10052998224725", 11), "0054"),
      CASE(checkResponsibleInscription("00000000000000", 11), "0055"),
      CASE(checkResponsibleInscription(kCnpj, 11), "0054"),
      CASE(checkResponsibleInscription(kBoth, 14), "0049"),
      CASE(checkResponsibleInscription(kCnpj, 14), "0051"),
      CASE(checkResponsibleInscription(kCei, 14), "0052"),
      CASE(checkResponsibleInscription("11222333000182", 14), "0054"),
      CASE(checkResponsibleInscription("1122A", 14), "0040"),
      CASE(checkResponsibleInscription("", 14), "0055"),
      CASE(checkResponsibleInscriptionKind("4"), "0000"),
      CASE(checkResponsibleInscriptionKind("2"), "0129"),
      CASE(checkResponsibleInscriptionKind(""), "0128"),
      CASE(checkEstablishmentInscriptionKind("4"), "0130"),
      CASE(checkEstablishmentInscriptionKind("a"), "0040"),
      CASE(checkEstablishmentInscriptionKind(""), "0132"),
      CASE(checkKindMatchesNumber(kCnpj, "1"), "0000"),
      CASE(checkKindMatchesNumber(kCnpj, "3"), "0131"),
      CASE(checkKindMatchesNumber(kCei, "3"), "0000"),
      CASE(checkKindMatchesNumber("00000000000000", "3"), "0000"),
      CASE(checkKindMatchesNumber(kCei, "4"), "0000"),
  });
}

TEST_F(EstablishmentValidators, PrefixAndNames) {
  expectCases({
      CASE(checkPrefix("0A"), "0000"),
      CASE(checkPrefix("A0"), "0000"),
      CASE(checkPrefix("0a"), "0060"),
      CASE(checkPrefix("a0"), "0060"),
      CASE(checkPrefix("1"), "0062"),
      CASE(checkPrefix("123"), "X"),
      CASE(checkPrefix("AÇ"), "0060"),  // two characters, the second neither a digit nor a letter
      CASE(checkPrefix(""), "0061"),
      CASE(checkName("Matriz", ""), "0111"),
      CASE(checkName("filial", kCnpj), "0111"),
      CASE(checkName("AB", ""), "0010"),
      CASE(checkName("", ""), "0110"),
      CASE(checkName("PADARIA SÃO JOSÉ", ""), "0020"),
      CASE(checkName("PADARIA BOA VISTA", kCnpj), "0000"),
      // A reserved CNPJ root must carry its own company name.
      CASE(checkName("PADARIA BOA VISTA", "00000000000191"), "0053"),
      CASE(checkName("Banco do Brasil S.A.", "00000000000191"), "0000"),
      CASE(checkName("PADARIA BOA VISTA", "00360305000104"), "0053"),
      // A valid CEI that merely begins like a reserved CNPJ root.
      CASE(checkName("PADARIA BOA VISTA", "00360305123457"), "0000"),
      CASE(checkName("PADARIA BOA VISTA", ""), "0000"),
      CASE(checkCompanyUseText(" livre ~ "), "0000"),
      CASE(checkCompanyUseText("ação"), "0020"),
  });
}

TEST_F(EstablishmentValidators, Address) {
  expectCases({
      CASE(checkStreet("RUA AAAA"), "3100"),
      CASE(checkStreet("RUA ÇÇÇÇ"), "3100"),
      CASE(checkStreet("RUA AAA"), "0000"),
      CASE(checkStreet("RUA    DAS FLORES"), "0000"),
      CASE(checkStreet(""), "0120"),
      CASE(checkStreet("RU"), "0010"),
      CASE(checkStreetNumber(""), "0040"),
      CASE(checkStreetNumber("000123"), "0000"),
      CASE(checkComplement(""), "0000"),
      CASE(checkComplement("SALA 1111"), "3100"),
      CASE(checkComplement("SALA 'A'"), "0020"),
      CASE(checkNumberOrComplement("000000", ""), "0120"),
      CASE(checkNumberOrComplement("000000", "LOJA"), "0000"),
      CASE(checkDistrict(""), "0000"),
      CASE(checkDistrict("CE"), "0010"),
      CASE(checkCep("00000000"), "0081"),
      CASE(checkCep("00123456"), "0080"),
      CASE(checkCep(""), "0081"),
      CASE(checkCep("1300000"), "0040"),
      CASE(checkCep("13000000"), "0000"),
  });
}

TEST_F(EstablishmentValidators, MunicipalityAndState) {
  const auto& r = ref();
  expectCases({
      CASE(checkMunicipality(r, "3599991"), "0000"),
      CASE(checkMunicipality(r, "3599999"), "0090"),
      CASE(checkMunicipality(r, "0000000"), "0092"),
      CASE(checkMunicipality(r, ""), "0092"),
      CASE(checkMunicipality(r, "359999"), "0040"),
      CASE(checkMunicipalityName(r, "3599991", " VILA TESTE "), "0000"),
      CASE(checkMunicipalityName(r, "3599991", "VILA TESTA"), "3666"),
      CASE(checkState(r, "SP"), "0000"),
      CASE(checkState(r, "XX"), "0100"),
      CASE(checkState(r, ""), "0101"),
      CASE(checkStateOfMunicipality(r, "3599991", "SP"), "0000"),
      CASE(checkStateOfMunicipality(r, "3599991", "DF"), "0091"),
      CASE(checkStateOfMunicipality(r, "0000000", "DF"), "0000"),
      CASE(checkCepInState(r, "13000000", "35"), "0000"),
      CASE(checkCepInState(r, "20000000", "35"), "0083"),
      CASE(checkCepInState(r, "00000000", "35"), "0000"),
      CASE(checkCepInState(r, "2000000A", "35"), "0000"),
      // The first five digits compared as a number: a short CEP is not also "another state".
      CASE(checkCepInState(r, "1300000", "35"), "0000"),
      CASE(checkCepInState(r, "2000000", "35"), "0083"),
      CASE(checkCepInState(r, "1300", "35"), "0000"),  // 1300 lies in 01000 to 09999
      CASE(checkCepInState(r, "900", "35"), "0083"),
  });
}

TEST_F(EstablishmentValidators, CepInMunicipality) {
  const auto& r = ref();
  expectCases({
      CASE(checkCepInMunicipality(r, "13000123", "3599991", false), "0000"),
      // Not the municipality's prefix: the state table decides (09000 is listed for state 35).
      CASE(checkCepInMunicipality(r, "09000000", "3599991", false), "0000"),
      CASE(checkCepInMunicipality(r, "15000000", "3599991", false), "0000"),
      CASE(checkCepInMunicipality(r, "11200000", "3599991", false), "0082"),
      CASE(checkCepInMunicipality(r, "12000000", "3599992", false), "0000"),
      CASE(checkCepInMunicipality(r, "12099999", "3599992", false), "0000"),
      CASE(checkCepInMunicipality(r, "12510999", "3599992", false), "0000"),
      CASE(checkCepInMunicipality(r, "11200000", "3599992", false), "0082"),
      CASE(checkCepInMunicipality(r, "11200000", "3599994", false), "0082"),
      CASE(checkCepInMunicipality(r, "13000000", "3599994", false), "0082"),
      // No prefix at all: accepted only when lenient.
      CASE(checkCepInMunicipality(r, "11200000", "3599993", true), "0000"),
      CASE(checkCepInMunicipality(r, "11200000", "3599993", false), "0082"),
      CASE(checkCepInMunicipality(r, "70640000", "5399991", false), "0000"),
      CASE(checkCepInMunicipality(r, "70639000", "5399991", false), "0082"),
      CASE(checkCepInMunicipality(r, "00000000", "3599991", false), "0000"),
      CASE(checkCepInMunicipality(r, "11200000", "3599999", false), "0000"),  // unknown municipality
  });
}

TEST_F(EstablishmentValidators, ContactAndDates) {
  expectCases({
      CASE(checkAreaCode("00"), "3674"),
      CASE(checkAreaCode("1a"), "3674"),
      CASE(checkPhone("32345678"), "0000"),
      CASE(checkAreaCodeOfState("61", "17"), "0000"),
      CASE(checkAreaCodeOfState("61", "29"), "0000"),
      CASE(checkAreaCodeOfState("61", "31"), "0000"),
      CASE(checkAreaCodeOfState("61", "52"), "0000"),
      CASE(checkAreaCodeOfState("61", "53"), "0000"),
      CASE(checkAreaCodeOfState("61", "35"), "0402"),
      CASE(checkAreaCodeOfState("21", "35"), "0000"),
      CASE(checkAreaCodeOfState("20", "35"), "0402"),
      CASE(checkAreaCodeOfState("54", "43"), "0000"),
      CASE(checkAreaCodeOfState("52", "43"), "0402"),
      CASE(checkAreaCodeOfState("11", "99"), "0000"),  // state not in the table
      CASE(checkAreaCodeOfState("00", "35"), "0000"),
      CASE(checkPhonePairing("", "32345678"), "3101"),
      CASE(checkPhonePairing("00", "32345678"), "3101"),
      CASE(checkPhonePairing("11", ""), "3101"),
      CASE(checkPhonePairing("11", "32345678"), "0000"),
      CASE(checkPhonePairing("", "00000000"), "3102"),
      CASE(checkEmail(""), "0000"),
      CASE(checkEmail("rh.empresa.com.br"), "3627"),
      CASE(checkEmail("rh@empresa.com.br"), "0000"),
      CASE(checkEmail("joão@empresa"), "0020"),
      CASE(checkGenerationDate("15032007", 2006), "0000"),
      CASE(checkGenerationDate("31122006", 2006), "0420"),
      CASE(checkGenerationDate("01012008", 2006), "0423"),
      CASE(checkGenerationDate("30022007", 2006), "0421"),
      CASE(checkGenerationDate("00000000", 2006), "0421"),
      CASE(checkGenerationDate("", 2006), "0421"),
      CASE(checkGenerationDate("01012007", 2006), "0000"),
      CASE(checkGenerationDate("31122007", 2006), "0000"),
      CASE(checkGenerationDate("29022007", 2006), "0421"),
      CASE(checkGenerationDate("15132007", 2006), "0421"),
      CASE(checkGenerationDate("00032007", 2006), "0421"),
      CASE(checkGenerationDate("1501207", 2006), "0421"),
      CASE(checkGenerationDate("31122099", 2006), "0423"),
      CASE(checkRectificationDate(true, "15032007", 2006), "0000"),
      CASE(checkRectificationDate(false, "15032007", 2006), "0411"),
      CASE(checkRectificationDate(false, "00000000", 2006), "0000"),
      CASE(checkRectificationDate(false, "", 2006), "0040"),
      CASE(checkRectificationDate(true, "00000000", 2006), "0410"),
      CASE(checkRectificationDate(true, "31022007", 2006), "0412"),
      CASE(checkRectificationDate(true, "31122006", 2006), "0410"),
      CASE(checkRectificationDate(true, "01012008", 2006), "0413"),
  });
}

TEST_F(EstablishmentValidators, Characteristics) {
  const auto& r = ref();
  expectCases({
      CASE(checkSize("3"), "0000"),
      CASE(checkSize(" 3"), "3124"),
      CASE(checkSimplesOption("3"), "3604"),
      CASE(checkSizeAndSimples("1", "3"), "3125"),
      CASE(checkSizeAndSimples("2", "3"), "0000"),
      CASE(checkActivityInBaseYear("0"), "3668"),
      CASE(checkEconomicActivity(r, "8112500"), "0000"),
      CASE(checkEconomicActivity(r, "0000000"), "0360"),
      CASE(checkEconomicActivity(r, "9999999"), "0361"),
      CASE(checkEconomicActivity(r, "811250"), "0040"),
      CASE(checkActivityAndName("4711302", "Condominio Edificio Sol"), "0362"),
      CASE(checkActivityAndName("4711302", "EDIFICIO SOL"), "0362"),
      CASE(checkActivityAndName("8112500", "CONDOMINIO SOL"), "0000"),
      CASE(checkActivityAndName("4711302", "Prefeitura Municipal"), "0363"),
      CASE(checkActivityAndName("8411600", "PREFEITURA MUNICIPAL"), "0000"),
      CASE(checkActivityAndName("4711302", "PREF."), "0363"),
      CASE(checkActivityAndName("4711302", "PREF. MUNICIPAL"), "0000"),
      CASE(checkLegalNature(r, "2062"), "0000"),
      CASE(checkLegalNature(r, "9999"), "0371"),
      CASE(checkLegalNature(r, ""), "0370"),
      CASE(checkLegalNatureAndName("2062", "PREFEITURA DE X"), "0372"),
      CASE(checkLegalNatureAndName("1031", "PREFEITURA DE X"), "0000"),
      CASE(checkOwnersCount("1"), "0040"),
      CASE(checkBaseMonth(""), "0030"),
      CASE(checkBaseMonth("13"), "0071"),
      CASE(checkBaseMonth("05"), "0000"),
      CASE(checkBaseMonthAndNegative("00", "0"), "0070"),
      CASE(checkBaseMonthAndNegative("00", "1"), "0000"),
      CASE(checkNegativeDeclaration("2"), "0140"),
      CASE(checkNegativeDeclaration(""), "0140"),
      CASE(checkNegativeDeclaration("0"), "0000"),
      CASE(checkNegativeAndInscription("1", "3", ""), "0133"),
      CASE(checkNegativeAndInscription("1", "1", "123456789010"), "0133"),
      CASE(checkNegativeAndInscription("1", "1", "000000000000"), "0000"),
      CASE(checkNegativeAndInscription("0", "3", ""), "0000"),
      CASE(checkLinkedCei(kCei), "0000"),
      CASE(checkLinkedCei("00000000000000"), "0000"),
      CASE(checkLinkedCei("00123456789011"), "0430"),
      CASE(checkLinkedCei(""), "0431"),
      CASE(checkLinkedCeiAndKind("3", kCei), "0350"),
      CASE(checkLinkedCeiAndKind("3", "00000000000000"), "0000"),
      CASE(checkLinkedCeiAndKind("1", kCei), "0000"),
  });
}

TEST_F(EstablishmentValidators, Closure) {
  expectCases({
      CASE(checkClosure("1", "31122007", 2006, false), "0000"),
      CASE(checkClosure("1", "01012006", 2006, false), "0000"),
      CASE(checkClosure("1", "01012008", 2006, false), "3516"),
      CASE(checkClosure("1", "31122005", 2006, false), "3516"),
      CASE(checkClosure("1", "31022007", 2006, false), "3514"),
      CASE(checkClosure("1", "", 2006, false), "3513"),
      CASE(checkClosure("1", "00000000", 2006, false), "3513"),
      CASE(checkClosure("1", "3112200", 2006, false), "0040"),
      CASE(checkClosure("2", "", 2006, true), "3514"),
      CASE(checkClosure("2", "", 2006, false), "0000"),
      CASE(checkClosure("2", "00000000", 2006, true), "0000"),
      CASE(checkClosure("2", "3112", 2006, false), "0000"),
      CASE(checkClosure("2", "31122006", 2006, false), "3515"),
  });
}

TEST_F(EstablishmentValidators, MealProgramme) {
  const std::string_view none[6] = {"", "000", "0", "", "", ""};
  const std::string_view some[6] = {"50", "030", "", "", "", "20"};
  const std::string_view over[6] = {"50", "030", "", "", "", "21"};
  expectCases({
      CASE(checkPatIndicator(""), "3608"),
      CASE(checkPatIndicator("3"), "3602"),
      CASE(checkPatWorkerCount(""), "0000"),
      CASE(checkPatWorkerCount("12"), "0040"),
      CASE(checkPatCounts("2", "000000", "0"), "0000"),
      CASE(checkPatCounts("2", "", "3"), "3525"),
      CASE(checkPatCounts("1", "5", "3"), "0000"),
      CASE(checkPatPercentage(""), "0000"),
      CASE(checkPatPercentage("101"), "3521"),
      CASE(checkPatPercentage("100"), "0000"),
      CASE(checkPatPercentages("2", none), "0000"),
      CASE(checkPatPercentages("2", some), "3526"),
      CASE(checkPatPercentages("1", some), "0000"),
      CASE(checkPatPercentages("1", over), "3601"),
  });
}

TEST_F(EstablishmentValidators, UnionContributions) {
  expectCases({
      CASE(checkRequiredWhenFlagged("", true), "0030"),
      CASE(checkRequiredWhenFlagged("", false), "0000"),
      CASE(checkEntityCnpj("11222333000262", false), "3649"),  // order part 0002
      CASE(checkEntityCnpj("11222333000262", true), "3714"),
      CASE(checkEntityCnpj("00000000000000", false), "3649"),
      CASE(checkEntityCnpj(kCnpj, true), "0051"),
      CASE(checkEntityCnpj("11222333000182", true), "3714"),
      CASE(checkEntityCnpj("", false), "0040"),
      CASE(checkEntityCnpjByKind("11222333000262", EntityKind::Associativa, true), "3684"),
      CASE(checkEntityCnpjByKind("11222333000262", EntityKind::Assistencial, true), "3690"),
      CASE(checkEntityCnpjByKind("11222333000262", EntityKind::Confederativa, false), "3692"),
      CASE(checkEntityCnpjByKind("11222333000262", EntityKind::Sindical, false), "3649"),
      CASE(checkEntityCnpjByKind("11222333000182", EntityKind::Associativa, false), "3649"),
      CASE(checkEntityCnpjExclusion(kCnpj, kCnpj, false), "3649"),
      CASE(checkEntityCnpjExclusion("00360305000104", kCnpj, true), "3714"),
      CASE(checkEntityCnpjExclusion("", kCnpj, true), "0000"),
      CASE(checkCentralizingCnpj(kCnpj, kCnpj), "3709"),
      CASE(checkCentralizingCnpj(kCnpj, "11222333000262"), "0051"),
      CASE(checkCentralizingCnpj("11222333000182", "11222333000262"), "0053"),
      CASE(checkContributionAmount("00000000"), "0000"),
      CASE(checkContributionAmount(""), "3648"),
      CASE(checkContributionAmount("123"), "0040"),
      CASE(checkContributionPairing("", "00001000", "associativa", false), "3649"),
      CASE(checkContributionPairing("00000000000000", "00001000", "sindical", true), "3714"),
      CASE(checkContributionPairing("", "00000000", "sindical", true), "3687"),
      CASE(checkContributionPairing("", "0,00", "associativa", true), "0000"),
      CASE(checkContributionPairing(kCnpj, "00001000", "sindical", true), "0000"),
      CASE(checkUnionOrCentralizer("", "", "0", false), "3687"),
      CASE(checkUnionOrCentralizer("00000000000000", "00000000000000", "0", true), "3687"),
      CASE(checkUnionOrCentralizer("", "", "1", false), "0000"),
      CASE(checkUnionOrCentralizer(kCnpj, "", "0", false), "0000"),
      CASE(checkUnionAndCentralizer(kCnpj, kCnpj, false), "3706"),
      CASE(checkUnionAndCentralizer(kCnpj, "00000000000000", true), "0000"),
      CASE(checkUnionAndCentralizer("00000000000000", kCnpj, false), "0000"),
      CASE(checkMembershipIndicator("3"), "3704"),
      CASE(checkAssociativeMembership("", "1", false), "3713"),
      CASE(checkAssociativeMembership("00000000000000", "1", true), "3702"),
      CASE(checkAssociativeMembership("", "2", true), "0000"),
  });
}

TEST_F(EstablishmentValidators, MunicipalityAndCepTogether) {
  const TCriticaKeva critica(ref());
  struct Expect {
    const char* municipality;
    const char* cep;
    int status;
    const char* code;
  };
  const Expect cases[] = {
      {"3599991", "13000123", TCriticaKeva::kAccepted, "0000"},
      {"3599999", "13000123", TCriticaKeva::kBadMunicipality, "0090"},
      {"", "13000123", TCriticaKeva::kBadMunicipality, "0092"},
      {"3599991", "20000000", TCriticaKeva::kCepOutsideState, "0083"},   // CEP of another state
      {"3599991", "11200000", TCriticaKeva::kCepOutsideMunicipality, "0082"},
      {"3599993", "11200000", TCriticaKeva::kNoCepData, "0000"},
      {"3599992", "11200000", TCriticaKeva::kNoCepData, "0000"},         // ranged: no CoCep
  };
  for (const auto& c : cases) {
    const auto r = critica.checkMunicipalityAndCep(c.municipality, c.cep);
    EXPECT_EQ(r.status, c.status) << c.municipality << " " << c.cep;
    EXPECT_EQ(r.code, c.code) << c.municipality << " " << c.cep;
  }
  const auto ok = critica.checkMunicipalityAndCep("3599991", "13000123");
  EXPECT_EQ(ok.municipalityName, "VILA TESTE");
  EXPECT_EQ(ok.state, "SP");
}

}  // namespace
}  // namespace torvex::core::validation
