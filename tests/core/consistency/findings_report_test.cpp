#include "core/consistency/findings_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvex::core::consistency {
namespace {

TEST(FindingsReport, JsonEscapesWhatAContentMayHold) {
  ReportedFinding f;
  f.columns[0] = "err";
  f.columns[12] = "SALA \"B\" \\ 2\n";  // a content is recorded as found
  f.texto = "Nome inválido";
  f.rotulo = "Nome";
  const std::string json = findingJson(f);
  EXPECT_NE(json.find(R"("Conteudo":"SALA \"B\" \\ 2\n")"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("texto":"Nome inválido","rotulo":"Nome"})"), std::string::npos) << json;
  EXPECT_EQ(json.find('\n'), std::string::npos);
  EXPECT_EQ(json.rfind(R"({"errwar":"err","inscricao":"",)", 0), 0u) << json;
}

std::size_t columnOf(std::string_view name) {
  for (std::size_t i = 0; i < kErrorColumns.size(); ++i)
    if (kErrorColumns[i] == name) return i;
  return kErrorColumns.size();
}

TEST(FindingsReport, TextNamesTheEstablishmentAndTheEmployee) {
  ReportedFinding f;
  const std::pair<const char*, const char*> values[] = {
      {"errwar", "war"},     {"inscricao", "11222333000181"}, {"tipoinscricao", "1"},   {"prefixo", "00"},
      {"tiporegistro", "2"}, {"retorno", "3508"},             {"razaosocial", "LOJA"}, {"copispasep", "10112345678"},
      {"noempregado", "ANA"}, {"DaAdmissao", "01032005"},     {"lbl", "1665"},         {"Conteudo", "1.500,01"}};
  for (const auto& [k, v] : values)
    for (std::size_t i = 0; i < kErrorColumns.size(); ++i)
      if (kErrorColumns[i] == k) f.columns[i] = v;
  f.texto = "Décimo terceiro acima do esperado.";
  f.rotulo = "Total do 13º salário";
  EXPECT_EQ(findingText(f),
            "AVISO - Estabelecimento 11.222.333/0001-81 (00) LOJA\n"
            "  Empregado: PIS 101.12345.67.8  ANA  Admissão 01/03/2005\n"
            "  Total do 13º salário: 1.500,01\n"
            "  3508 - Décimo terceiro acima do esperado.\n");
}

TEST(FindingsReport, RowsOfOneFindingGoTogetherUntilALabelRepeats) {
  const auto row = [](const char* code, const char* label) {
    ReportedFinding f;
    f.columns[columnOf("errwar")] = "err";
    f.columns[columnOf("tiporegistro")] = "1";
    f.columns[columnOf("retorno")] = code;
    f.columns[columnOf("lbl")] = label;
    return f;
  };
  const std::vector<ReportedFinding> finding{row("1673", "1661")};
  EXPECT_TRUE(sameFinding(finding, row("1673", "1622")));
  EXPECT_FALSE(sameFinding(finding, row("1673", "1661")));  // the same rule again
  EXPECT_FALSE(sameFinding(finding, row("1670", "1622")));
  EXPECT_FALSE(sameFinding({}, row("1673", "1622")));
}

}  // namespace
}  // namespace torvex::core::consistency
