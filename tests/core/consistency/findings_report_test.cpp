#include "core/consistency/findings_report.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace torvex::core::consistency
