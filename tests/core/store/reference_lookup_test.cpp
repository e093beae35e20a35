#include "core/store/reference_lookup.h"

#include <gtest/gtest.h>

#include "support/temp_data_folder.h"

namespace torvex::core::store {
namespace {

using test::TempDataFolder;

// The built reference tables plus a few made-up rows (state "99" and
// municipalities "99000xx") that isolate each CEP rule.
class ReferenceLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& db = folder_.db();
    db.exec(
        "INSERT INTO tb8MUNIC (CoMunicipio, NoMunicipio, CoCep, InFaixa) VALUES "
        "('9900001', 'Prefixo Unico', '70000', '0'), "
        "('9900002', 'Sem Dados de CEP', '', '0'), "
        "('9900003', 'Faixa Sem Linha', '', '1'), "
        "('9900004', 'Uma Faixa', '', '1')");
    db.exec(
        "INSERT INTO tb8FXCEP (CoMunicipio, CoCep1Inicial, CoCep1Final, CoCep2Inicial, CoCep2Final) VALUES "
        "('9900004', '40000', '40099', '', '')");
    db.exec(
        "INSERT INTO tbUfCep (CoUf, IdUf, CoCepInicial, CoCepFinal) VALUES "
        "('99', '1', '10000', '10999'), ('99', '2', '30000', '30099'), ('99', '3', '50000', '50000')");
    lookup_ = std::make_unique<ReferenceLookup>(db);
  }

  TempDataFolder folder_;
  std::unique_ptr<ReferenceLookup> lookup_;
};

TEST_F(ReferenceLookupTest, SinglePrefixMunicipalityAcceptsOnlyItsPrefix) {
  const auto& l = *lookup_;
  EXPECT_TRUE(l.cepBelongsToMunicipality("70000000", "9900001"));
  EXPECT_TRUE(l.cepBelongsToMunicipality("70000999", "9900001"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("70001000", "9900001"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("69999999", "9900001"));
  EXPECT_TRUE(l.municipalityHasCepData("9900001"));
}

TEST_F(ReferenceLookupTest, RangedMunicipalityAcceptsBothRanges) {
  // São Paulo: 01000-05999 and 08000-08499.
  const auto& l = *lookup_;
  EXPECT_TRUE(l.cepBelongsToMunicipality("01000000", "3550308"));
  EXPECT_TRUE(l.cepBelongsToMunicipality("05999999", "3550308"));
  EXPECT_TRUE(l.cepBelongsToMunicipality("08000000", "3550308"));
  EXPECT_TRUE(l.cepBelongsToMunicipality("08499999", "3550308"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("06000000", "3550308"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("08500000", "3550308"));
}

TEST_F(ReferenceLookupTest, MissingOrEmptyCepDataNeverMatches) {
  const auto& l = *lookup_;
  // No prefix and no ranges: the validator's state fallback decides, not this look-up.
  EXPECT_FALSE(l.municipalityHasCepData("9900002"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("70000000", "9900002"));
  // Ranges announced but no tb8FXCEP row.
  EXPECT_FALSE(l.municipalityHasCepData("9900003"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("40000000", "9900003"));
  // An empty second range is not the range 00000-00000.
  EXPECT_TRUE(l.cepBelongsToMunicipality("40099999", "9900004"));
  EXPECT_FALSE(l.cepBelongsToMunicipality("00000500", "9900004"));
  // Unknown municipality and malformed CEPs.
  EXPECT_FALSE(l.cepBelongsToMunicipality("70000000", "9999999"));
  for (const char* cep : {"", "7000000", "700000000", "7000000A", " 7000000"})
    EXPECT_FALSE(l.cepBelongsToMunicipality(cep, "9900001")) << cep;
}

TEST_F(ReferenceLookupTest, StateWithSeveralRangesAcceptsEachOfThem) {
  const auto& l = *lookup_;
  for (const char* cep : {"10000000", "10999999", "30050123", "50000999"}) EXPECT_TRUE(l.cepBelongsToState(cep, "99")) << cep;
  for (const char* cep : {"11000000", "29999999", "30100000", "50001000", "ABCDEFGH"})
    EXPECT_FALSE(l.cepBelongsToState(cep, "99")) << cep;
  // Federal District: 70000-72799 and 73000-73699; the gap belongs to Goiás.
  EXPECT_TRUE(l.cepBelongsToState("70000000", "53"));
  EXPECT_TRUE(l.cepBelongsToState("73699999", "53"));
  EXPECT_FALSE(l.cepBelongsToState("72800000", "53"));
  EXPECT_TRUE(l.cepBelongsToState("72800000", "52"));
  EXPECT_FALSE(l.cepBelongsToState("70000000", "00"));
}

TEST_F(ReferenceLookupTest, StatesByCodeAndByAbbreviationIgnoringCase) {
  const auto& l = *lookup_;
  for (const char* abbreviation : {"SP", "sp", "Sp", "sP"}) EXPECT_EQ(l.stateCodeByAbbreviation(abbreviation), "35");
  EXPECT_EQ(l.stateCodeByAbbreviation("DF"), "53");
  EXPECT_FALSE(l.stateCodeByAbbreviation("XX"));
  EXPECT_FALSE(l.stateCodeByAbbreviation(""));
  EXPECT_EQ(l.stateAbbreviation("53"), "DF");
  EXPECT_EQ(l.stateOfMunicipality("5300108"), "DF");
  EXPECT_EQ(l.stateOfMunicipality("3550308"), "SP");
  EXPECT_FALSE(l.stateOfMunicipality("9900001"));
  EXPECT_FALSE(l.stateOfMunicipality("3"));
}

TEST_F(ReferenceLookupTest, HeadingsOfTheLookupListsAreNotCodes) {
  const auto& l = *lookup_;
  EXPECT_FALSE(l.exists(CodeTable::Municipality, "35"));
  EXPECT_FALSE(l.municipalityName("35"));
  EXPECT_FALSE(l.exists(CodeTable::Activity, "81"));
  for (const char* level : {"25", "252", "2523"}) EXPECT_FALSE(l.exists(CodeTable::Occupation, level)) << level;
  EXPECT_FALSE(l.occupationRules("2523"));
  EXPECT_TRUE(l.exists(CodeTable::Occupation, "252305"));
}

TEST_F(ReferenceLookupTest, CodesAndNamesOfEveryKindOfTable) {
  const auto& l = *lookup_;
  struct Case {
    CodeTable table;
    const char* code;
    const char* name;
  };
  const Case cases[] = {
      {CodeTable::Municipality, "3550308", "SAO PAULO"},
      {CodeTable::Municipality, "5300108", "BRASILIA"},
      {CodeTable::Municipality, "5105507", "VILA BELA DA SANTISSIMA TRINDA"},  // cut to the declaration field
      {CodeTable::Activity, "8112500", "Condomínios prediais"},
      {CodeTable::Occupation, "252305", "Secretária(o) executiva(o)"},
      {CodeTable::LegalNature, "2062", "Sociedade Empresária Limitada"},
      {CodeTable::Nationality, "10", "Brasileira"},
      {CodeTable::Schooling, "01", "Analfabeto"},
      {CodeTable::Race, "9", "Não informado"},
      {CodeTable::SalaryType, "1", "Mensal"},
      {CodeTable::BaseMonth, "12", ""},  // no name column is read
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(l.exists(c.table, c.code)) << c.code;
    EXPECT_EQ(l.name(c.table, c.code), c.name) << c.code;
  }
  EXPECT_FALSE(l.exists(CodeTable::Schooling, "1"));  // codes are looked up exactly as stored
  EXPECT_FALSE(l.exists(CodeTable::EmployersEntity, "00000000000191"));
}

TEST_F(ReferenceLookupTest, OccupationRulesAndEarlierActivity) {
  const auto& l = *lookup_;
  struct Case {
    const char* cbo;
    bool degree;
    bool literate;
  };
  for (const Case c : {Case{"225125", true, true}, Case{"241005", true, true}, Case{"252305", false, true},
                       Case{"411005", false, true}, Case{"377105", false, false}, Case{"717020", false, false}}) {
    const auto rules = l.occupationRules(c.cbo);
    ASSERT_TRUE(rules) << c.cbo;
    EXPECT_EQ(rules->requiresHigherSchooling, c.degree) << c.cbo;
    EXPECT_EQ(rules->refusedForIlliterate, c.literate) << c.cbo;
  }
  // One earlier class: preferential; several: the proposal is marked "2".
  EXPECT_EQ(l.earlierActivity("0111301")->cnae1, "01112");
  EXPECT_EQ(l.earlierActivity("0111301")->preferential, "1");
  EXPECT_EQ(l.earlierActivity("6201501")->cnae1, "72290");
  EXPECT_EQ(l.earlierActivity("6201501")->preferential, "2");
  EXPECT_FALSE(l.earlierActivity("01113"));
}

TEST_F(ReferenceLookupTest, MessagesWithTheirKind) {
  const auto& l = *lookup_;
  const auto m = l.message("1001");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->kind, "CNF");
  EXPECT_FALSE(m->text.empty());
  EXPECT_EQ(l.message("0083")->kind, "ERR");
  EXPECT_FALSE(l.message("0000"));
}

}  // namespace
}  // namespace torvex::core::store
