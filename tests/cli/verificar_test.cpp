// torvex-cli verificar, run as a subprocess over a stored declaration.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/declaration_samples.h"

namespace torvex::test {
namespace {

// A stored declaration: one valid establishment, its valid link, plus the given changes.
void storeDeclaration(TempDataFolder& folder, const Values& estChanges, const std::vector<Values>& links) {
  Values e = validEstablishment();
  for (const auto& [k, v] : estChanges) e[k] = v;
  insertRow(folder.db(), "BD8Emp", e);
  int i = 0;
  for (const auto& changes : links) {
    Values l = validLink(e);
    l["CoPisPasepEmpregado"] = pis("101123456" + std::to_string(i));
    l["NoEmpregado"] = std::string("EMPREGADO NUMERO ") + static_cast<char>('A' + i++);
    for (const auto& [k, v] : changes) l[k] = v;
    insertRow(folder.db(), "BD8Vinc", l);
  }
  folder.close();
}

bool has(const std::string& line, const std::string& key, const std::string& value) {
  return line.find("\"" + key + "\":\"" + value + "\"") != std::string::npos;
}

TEST(CliVerificar, ASoundDeclarationFindsNothing) {
  TempDataFolder folder;
  storeDeclaration(folder, {}, {{}});
  const auto json = runTorvexCli("verificar --json --dados " + folder.path().string());
  EXPECT_EQ(json.status, 0);
  EXPECT_TRUE(json.out.empty()) << json.out;
  const auto text = runTorvexCli("verificar --dados " + folder.path().string());
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("As declarações selecionadas não apresentaram erros ou avisos."), std::string::npos);
}

// A finding recorded with two labelled rows is one error, listed once with both rows.
TEST(CliVerificar, AFindingOfTwoRowsIsListedAndCountedOnce) {
  TempDataFolder folder;
  storeDeclaration(folder, {}, {});  // a declaration with employees and no link: 1673
  const auto r = runTorvexCli("verificar --dados " + folder.path().string());
  EXPECT_EQ(r.status, 2);
  const auto at = r.out.find("1673 - ");
  ASSERT_NE(at, std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("1673 - ", at + 1), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  Número de vínculos: 0\n  Tipo de declaração (com/sem empregados): 0\n  1673 - "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("1 erro(s), 0 aviso(s)."), std::string::npos) << r.out;
  EXPECT_EQ(runTorvexCli("verificar --json --dados " + folder.path().string()).lines.size(), 2u);
}

TEST(CliVerificar, InjectedFaultsAreReportedErrorsFirst) {
  TempDataFolder folder;
  storeDeclaration(folder, {{"InOpcaoAberta", "1"}},
                   {{{"Va13ParcelaFinalEmpregado", "000900000"}}, {{"InSexo", "3"}, {"TxUsoEmpregado", "MAT 9"}}});
  const auto r = runTorvexCli("verificar --json --dados " + folder.path().string());
  EXPECT_EQ(r.status, 2);
  // 1677 on the establishment, 3524 on the second link, then the two 3508 warnings.
  ASSERT_EQ(r.lines.size(), 4u) << r.out;
  EXPECT_TRUE(has(r.lines[0], "retorno", "1677"));
  EXPECT_TRUE(has(r.lines[0], "tiporegistro", "1"));
  EXPECT_TRUE(has(r.lines[0], "Conteudo", "Exclusão de estabelecimento"));
  EXPECT_TRUE(has(r.lines[1], "retorno", "3524"));
  EXPECT_TRUE(has(r.lines[1], "noempregado", "EMPREGADO NUMERO B"));
  EXPECT_TRUE(has(r.lines[1], "usoempresa", "MAT 9"));
  EXPECT_TRUE(has(r.lines[1], "DaAdmissao", "01032005"));
  for (std::size_t i = 2; i < 4; ++i) {
    EXPECT_TRUE(has(r.lines[i], "errwar", "war"));
    EXPECT_TRUE(has(r.lines[i], "retorno", "3508"));
  }
  for (const auto& line : r.lines) {
    for (const char* key : {"errwar", "inscricao", "tipoinscricao", "prefixo", "tiporegistro", "retorno",
                            "razaosocial", "copispasep", "noempregado", "DaAdmissao", "usoempresa", "lbl",
                            "Conteudo", "Sequencial", "texto", "rotulo"})
      EXPECT_NE(line.find(std::string("\"") + key + "\":"), std::string::npos) << key;
    EXPECT_FALSE(has(line, "texto", "")) << "message text missing: " << line;
  }

  const auto text = runTorvexCli("verificar --dados " + folder.path().string());
  EXPECT_EQ(text.status, 2);
  EXPECT_NE(text.out.find("ERRO - Estabelecimento 11.222.333/0001-81 (00) COMERCIO EXEMPLO LTDA"), std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Empregado: PIS "), std::string::npos);
  EXPECT_NE(text.out.find("Admissão 01/03/2005"), std::string::npos);
  EXPECT_NE(text.out.find("Houveram erros nas declarações selecionadas."), std::string::npos);
  EXPECT_LT(text.out.find("ERRO"), text.out.find("AVISO"));
}

TEST(CliVerificar, NoEstablishmentOfTheBaseYearFindsNothing) {
  TempDataFolder folder;
  storeDeclaration(folder, {{"AnBase", "2005"}}, {{}});
  const auto r = runTorvexCli("verificar --json --dados " + folder.path().string());
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.empty()) << r.out;  // message 1700 goes to the error stream
}

TEST(CliVerificar, WarningsOnlyAndBadFolder) {
  TempDataFolder folder;
  storeDeclaration(folder, {}, {{{"Va13ParcelaFinalEmpregado", "000900000"}}});
  EXPECT_EQ(runTorvexCli("verificar --dados " + folder.path().string()).status, 1);
  EXPECT_EQ(runTorvexCli("verificar --dados " + folder.path().string() + "/nao-existe").status, 3);
  EXPECT_EQ(runTorvexCli("verificar --opcao-desconhecida").status, 3);
}

}  // namespace
}  // namespace torvex::test
