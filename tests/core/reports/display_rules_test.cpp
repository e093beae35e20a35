#include "core/reports/display_rules.h"

#include <gtest/gtest.h>

namespace torvex::core::reports {
namespace {

TEST(DisplayRules, EachRuleOnTheValuesThatMatter) {
  struct Case {
    std::string column, value, shown;
  } cases[] = {
      {"VaSalContratualEmpregado", "000123456", "1.234,56"},
      {"VaJaneiroEmpregado", "000000000", "0,00"},
      {"VaDezembroEmpregado", "12A", "12A"},          // not all digits: as stored
      {"VaGlobalSindical", "00123456", "1.234,56"},
      {"VaGlobalFerias", "99999999", "999.999,99"},
      {"CoMunicipioTrabalho", "0000000", ""},
      {"CoMunicipioTrabalho", "3550308", "35-50308"},
      {"CoCgcVinculado", "00000000000000", ""},
      {"CoCgcVinculado", "00123456789012", "12-345-67.890-1/2"},
      {"DaEncerramentoAtividade", "00000000", ""},
      {"DaEncerramentoAtividade", "31122006", "31/12/2006"},
      {"NuVinculosEstabelecimento", "000000", ""},
      {"NuVinculosEstabelecimento", "000120", "120"},
      {"NuEnderecoEstabelecimento", "S/N", "S/N"},
      {"NoEmpregado", "JOSE DA SILVA", "JOSE DA SILVA"},
      {"CoCNPJSindical", "00000000000000", ""},
  };
  for (const auto& c : cases) {
    Row row = Row::of({{c.column, c.value}});
    applyDisplayRules(row);
    EXPECT_EQ(row[c.column], c.shown) << c.column << " " << c.value;
  }
}

TEST(DisplayRules, InscriptionFollowsItsOwnKindWhateverTheColumnOrder) {
  // The kind column comes after the inscription, and another kind sits between.
  Row row = Row::of({{"CoCgcCeiEstabelecimento", "11222333000181"},
                     {"CoCgcCeiResponsavel", "00012345678909"},
                     {"InInscrResponsavel", "4"},
                     {"InInscrEstabelecimento", "1"}});
  applyDisplayRules(row);
  EXPECT_EQ(row["CoCgcCeiEstabelecimento"], "11.222.333/0001-81");
  EXPECT_EQ(row["CoCgcCeiResponsavel"], "123.456.789-09");
  EXPECT_EQ(row["InInscrEstabelecimento"], "1");

  for (const char* kind : {"2", "", "9", "X"}) {
    Row other = Row::of({{"InInscrEstabelecimento", kind}, {"CoCgcCeiEstabelecimento", "11222333000181"}});
    applyDisplayRules(other);
    EXPECT_EQ(other["CoCgcCeiEstabelecimento"], "") << "kind '" << kind << "'";
  }
  Row cei = Row::of({{"tipoinscricao", "3"}, {"inscricao", "00123456789012"}});
  applyDisplayRules(cei);
  EXPECT_EQ(cei["inscricao"], "12-345-67.890-1/2");
}

}  // namespace
}  // namespace torvex::core::reports
