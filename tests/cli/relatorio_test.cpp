// torvex-cli relatorio, run as a subprocess: the PDF's text is read back with pdftotext.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/cli_runner.h"
#include "support/declaration_samples.h"

namespace torvex::test {
namespace {

std::string pdfText(const std::filesystem::path& pdf) {
  std::string out;
  FILE* p = popen(("pdftotext -layout " + quoted(pdf.string()) + " - 2>/dev/null").c_str(), "r");
  if (!p) return out;
  char buf[4096];
  while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  pclose(p);
  return out;
}

TEST(CliRelatorio, FindingsReportToPdf) {
  TempDataFolder folder;
  folder.db().createTable(*core::store::findTableDef("Te8ErrWa"));
  insertRow(folder.db(), "Te8ErrWa",
            {{"errwar", "err"}, {"inscricao", "11222333000181"}, {"tipoinscricao", "1"}, {"prefixo", "00"},
             {"tiporegistro", "2"}, {"retorno", "0260"}, {"razaosocial", "COMERCIO EXEMPLO LTDA"},
             {"copispasep", "12345678901"}, {"noempregado", "MARIA DA SILVA"}, {"DaAdmissao", "01032004"},
             {"lbl", "1637"}, {"Conteudo", "999999"}, {"Sequencial", "000001"}});
  folder.close();
  const auto pdf = folder.path() / "erros.pdf";
  const auto r = runTorvexCli("relatorio rptErros --dados " + quoted(folder.path().string()) + " --pdf " +
                              quoted(pdf.string()));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = pdfText(pdf);
  for (const char* expected : {"Relatório de Erros e Avisos", "Ano-Base 2006", "Versão 2006.4", "Página 1 de 1",
                               "Estabelecimento 11.222.333/0001-81", "123.45678.90.1", "MARIA DA SILVA",
                               "admissão 01/03/2004", "999999", "Emitido em"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

// An establishment whose findings run over several pages: every continuation page
// names it again above the repeated column titles.
TEST(CliRelatorio, FindingsGroupRepeatsOnContinuationPages) {
  TempDataFolder folder;
  folder.db().createTable(*core::store::findTableDef("Te8ErrWa"));
  for (int i = 1; i <= 150; ++i) {
    char seq[7];
    std::snprintf(seq, sizeof seq, "%06d", i);
    insertRow(folder.db(), "Te8ErrWa",
              {{"errwar", "err"}, {"inscricao", "11222333000181"}, {"tipoinscricao", "1"}, {"prefixo", "00"},
               {"tiporegistro", "2"}, {"retorno", "0260"}, {"razaosocial", "COMERCIO EXEMPLO LTDA"},
               {"copispasep", "12345678901"}, {"noempregado", "EMPREGADO " + std::to_string(i)},
               {"DaAdmissao", "01032004"}, {"lbl", "1637"}, {"Conteudo", "999999"}, {"Sequencial", seq}});
  }
  folder.close();
  const auto pdf = folder.path() / "erros.pdf";
  ASSERT_EQ(runTorvexCli("relatorio rptErros --dados " + quoted(folder.path().string()) + " --pdf " +
                         quoted(pdf.string()))
                .status,
            0);
  const std::string all = pdfText(pdf);
  ASSERT_NE(all.find("Página 3 de"), std::string::npos) << all;
  // pdftotext separates pages with a form feed.
  std::size_t pageStart = all.find('\f');
  for (int page = 2; pageStart != std::string::npos && pageStart + 1 < all.size(); ++page) {
    const std::size_t next = all.find('\f', pageStart + 1);
    const std::string text = all.substr(pageStart + 1, next == std::string::npos ? std::string::npos : next - pageStart - 1);
    if (text.find("Página") == std::string::npos) break;
    EXPECT_NE(text.find("COMERCIO EXEMPLO LTDA (continuação)"), std::string::npos) << "page " << page << "\n" << text;
    EXPECT_NE(text.find("Mensagem"), std::string::npos) << "page " << page;
    pageStart = next;
  }
  EXPECT_EQ(all.substr(0, all.find('\f')).find("(continuação)"), std::string::npos);
}

TEST(CliRelatorio, ListUnknownAndNothingToReport) {
  const auto list = runTorvexCli("relatorio --lista");
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("rptErrosEstrutura\t"), std::string::npos);

  TempDataFolder folder;
  folder.close();
  const std::string dados = " --dados " + quoted(folder.path().string());
  EXPECT_EQ(runTorvexCli("relatorio rptNenhum" + dados).status, 3);
  const auto empty = runTorvexCli("relatorio rptErros" + dados + " --pdf " + quoted((folder.path() / "x.pdf").string()));
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("Não há erros nem avisos registrados."), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.pdf"));

  folder.db().createTable(*core::store::findTableDef("Te8stru"));
  insertRow(folder.db(), "Te8stru", {{"AnBase", "2006"}, {"CoMsg", "1924"}, {"Sequencia", "000001"}});
  folder.close();
  EXPECT_EQ(runTorvexCli("relatorio rptErrosEstrutura" + dados + " --pdf /nao/existe/x.pdf").status, 3);
}

// A fresh data folder has nothing to report but the file layout: every other report
// ends with status 1 and says why, and writes no PDF.
TEST(CliRelatorio, EmptyDataFolderHasNothingToReport) {
  TempDataFolder folder;
  folder.close();
  const std::string dados = " --dados " + quoted(folder.path().string());
  const auto pdf = folder.path() / "r.pdf";
  const struct {
    const char* report;
    const char* message;
  } cases[] = {
      {"rptErros", "Não há erros nem avisos registrados."},
      {"rptErrosEstrutura", "Não há erros de estrutura registrados."},
      {"rptImportacao", "Nenhum estabelecimento foi importado."},
      {"rptProtocolo", "Não há declaração gravada"},
      {"rptEtiqueta", "Não há declaração gravada"},
      {"RelatorioCompleto", "Não há estabelecimentos do ano-base 2006"},
      {"RelatorioResumido", "Não há estabelecimentos do ano-base 2006"},
      {"Transmissao", "Não há recibo de transmissão"},
  };
  for (const auto& c : cases) {
    const auto r = runTorvexCli(std::string("relatorio ") + c.report + dados + " --pdf " + quoted(pdf.string()));
    EXPECT_EQ(r.status, 1) << c.report << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.report << "\n" << r.err;
    EXPECT_FALSE(std::filesystem::exists(pdf)) << c.report;
  }
  EXPECT_EQ(runTorvexCli("relatorio Cartela" + dados + " --pdf " + quoted(pdf.string())).status, 0);
}

}  // namespace
}  // namespace torvex::test

namespace torvex::test {
namespace {

// Two establishments, one of an unknown inscription kind; a link whose salary
// and municipality show the display rules.
void storeTwoEstablishments(TempDataFolder& folder) {
  Values a = validEstablishment();
  a["NoRazaoEstabelecimento"] = "ALFA COMERCIO LTDA";
  insertRow(folder.db(), "BD8Emp", a);
  Values l = validLink(a);
  l["NoEmpregado"] = "MARIA DA SILVA";
  l["VaSalContratualEmpregado"] = "000123456";
  l["CoMunicipioTrabalho"] = "0000000";
  l["NoMunicipioTrabalho"] = "";
  l["SgUfTrabalho"] = "";
  insertRow(folder.db(), "BD8Vinc", l);
  Values b = validEstablishment();
  b["CoCgcCeiEstabelecimento"] = cnpj("55666777");
  b["InInscrEstabelecimento"] = "2";
  b["NoRazaoEstabelecimento"] = "BETA SERVICOS LTDA";
  insertRow(folder.db(), "BD8Emp", b);
  folder.close();
}

TEST(CliRelatorio, DeclarationReportsShowTheDisplayRules) {
  TempDataFolder folder;
  storeTwoEstablishments(folder);
  const std::string dados = " --dados " + quoted(folder.path().string());
  const auto pdf = folder.path() / "r.pdf";
  ASSERT_EQ(runTorvexCli("relatorio RelatorioResumido" + dados + " --pdf " + quoted(pdf.string())).status, 0);
  const std::string resumido = pdfText(pdf);
  EXPECT_NE(resumido.find("Relatório Resumido do Estabelecimento"), std::string::npos);
  EXPECT_NE(resumido.find("MARIA DA SILVA"), std::string::npos);
  EXPECT_NE(resumido.find("1.234,56"), std::string::npos) << resumido;
  EXPECT_NE(resumido.find("BETA SERVICOS LTDA"), std::string::npos);
  // The kind "2" establishment shows no inscription.
  EXPECT_EQ(resumido.find("55.666.777/0001"), std::string::npos) << resumido;

  ASSERT_EQ(runTorvexCli("relatorio RelatorioCompleto" + dados + " --estabelecimento " +
                         validEstablishment()["CoCgcCeiEstabelecimento"] + "/00 --pdf " + quoted(pdf.string()))
                .status,
            0);
  const std::string completo = pdfText(pdf);
  EXPECT_NE(completo.find("Salário contratual: 1.234,56"), std::string::npos) << completo;
  EXPECT_NE(completo.find("Município de trabalho:  "), std::string::npos) << completo;
  EXPECT_EQ(completo.find("BETA SERVICOS"), std::string::npos);
  EXPECT_NE(completo.find("Página 1 de"), std::string::npos);

  EXPECT_EQ(runTorvexCli("relatorio RelatorioCompleto" + dados + " --estabelecimento 99888777000100").status, 1);
}

}  // namespace
}  // namespace torvex::test
