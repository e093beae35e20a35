// The findings reports laid out from small in-memory data sets.
#include <gtest/gtest.h>

#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"

namespace torvex::core::reports {
namespace {

// Every text of a document, one per line, for looking things up.
std::string textOf(const Document& d) {
  std::string out;
  for (const auto& b : d.blocks()) {
    out += b.text + "\n";
    for (const auto& f : b.fields) out += std::string(f.label) + ": " + f.value + "\n";
    for (const auto& c : b.table) out += c.title + "|";
    for (const auto& c : b.cells) out += c + "|";
    out += "\n";
  }
  return out;
}

Document build(const char* name, MemoryDataSets& data, Parameters p = {}) {
  return buildReport(*findReport(name), standardParameters(name, std::move(p)), data);
}

Row finding(const char* errwar, const char* tipo, const char* inscricao, const char* pis, const char* retorno,
            const char* conteudo) {
  return Row::of({{"errwar", errwar}, {"inscricao", inscricao}, {"tipoinscricao", "1"}, {"prefixo", "00"},
                  {"tiporegistro", tipo}, {"retorno", retorno}, {"razaosocial", "ACME LTDA"},
                  {"copispasep", pis}, {"noempregado", *pis ? "JOSE" : ""}, {"DaAdmissao", *pis ? "01022003" : ""},
                  {"usoempresa", ""}, {"lbl", "1604"}, {"Conteudo", conteudo}, {"Sequencial", "000001"},
                  {"TxRetorno", std::string("Mensagem ") + retorno}, {"TxRotulo", "Razão social"}});
}

TEST(FindingsReports, ErrorsBeforeWarningsGroupedByEstablishmentWithTotals) {
  MemoryDataSets data;
  data.add(dataset::kErrors, {finding("err", "1", "11222333000181", "", "0402", "SP"),
                              finding("err", "2", "11222333000181", "12345678901", "0260", "999999"),
                              finding("war", "0", "", "", "3101", "X")});
  const Document d = build("rptErros", data);
  EXPECT_FALSE(d.nothingToReport);
  EXPECT_EQ(d.title, "Relatório de Erros e Avisos");
  EXPECT_EQ(d.baseYear, "2006");
  const std::string t = textOf(d);
  const auto errors = t.find("Erros\n"), warnings = t.find("Avisos\n");
  ASSERT_NE(errors, std::string::npos);
  ASSERT_NE(warnings, std::string::npos);
  EXPECT_LT(errors, warnings);
  EXPECT_NE(t.find("Estabelecimento 11.222.333/0001-81  -  Prefixo 00  -  ACME LTDA"), std::string::npos);
  EXPECT_NE(t.find("123.45678.90.1\nJOSE\nadmissão 01/02/2003|0260|Mensagem 0260|"), std::string::npos);
  EXPECT_NE(t.find("Responsável pela declaração"), std::string::npos);
  EXPECT_NE(t.find("Total: 2 ocorrências de erro e 1 ocorrência de aviso."), std::string::npos);

  // The Avisos button: warnings only.
  const Document w = build("rptErros", data, {{"Severidade", "war"}});
  EXPECT_EQ(textOf(w).find("0402"), std::string::npos);
  EXPECT_NE(textOf(w).find("3101"), std::string::npos);
}

TEST(FindingsReports, EmptyTablesMeanNothingToReport) {
  MemoryDataSets none;
  for (const char* name : {"rptErros", "rptErrosEstrutura", "rptImportacao"}) {
    const Document d = build(name, none);
    EXPECT_TRUE(d.nothingToReport) << name;
    EXPECT_FALSE(d.nothingMessage.empty()) << name;
  }
}

TEST(FindingsReports, ImportSummaryTotalsAndNotes) {
  MemoryDataSets data;
  auto imp = [](const char* insc, const char* kind, const char* declared, const char* imported, const char* co,
                const char* seq) {
    return Row::of({{"AnBase", "2006"}, {"CoCgcCeiEstabelecimento", insc}, {"NuPrefixoEstabelecimento", "00"},
                    {"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", kind},
                    {"NuVinculosEstabelecimento", declared}, {"NuTotalDesligados", "0"},
                    {"NuTotalDuplicados", "000002"}, {"NuTotalImportados", imported}, {"CoImp", co}, {"Seq", seq}});
  };
  data.add(dataset::kImport, {imp("11222333000181", "1", "000010", "000008", "0000", "1"),
                              imp("00123456789012", "3", "000005", "0", "1505", "2")});
  data.add(dataset::kImportNotes, {Row::of({{"Seq", "2"}, {"CoImp", "1505"}, {"TxMensagem", "Novo prefixo."}})});
  const std::string t = textOf(build("rptImportacao", data, {{"anobase", "2005"}}));
  EXPECT_NE(t.find("11.222.333/0001-81|00||10||2|8||"), std::string::npos) << t;
  // A zero count shows blank; the establishment with a note points to it.
  EXPECT_NE(t.find("12-345-67.890-1/2|00||5||2||(2)|"), std::string::npos) << t;
  EXPECT_NE(t.find("Total: 2 estabelecimentos|||15|0|4|8||"), std::string::npos) << t;
  EXPECT_NE(t.find("(2)|1505|Novo prefixo.|"), std::string::npos) << t;
  EXPECT_NE(t.find("do arquivo do ano-base 2005"), std::string::npos);
}

TEST(FindingsReports, StructureFindingShowsItsMessageOnce) {
  MemoryDataSets data;
  auto row = [](const char* tipo, const char* pos, const char* content) {
    return Row::of({{"AnBase", "2006"}, {"CoMsg", "1903"}, {"Sequencia", "000007"},
                    {"InscricaoPrefixo", "1122233300018100"}, {"TipoCampo", tipo}, {"PosicaoInicial", pos},
                    {"Conteudo", content}, {"TxMensagem", "Caractere inválido."}});
  };
  data.add(dataset::kStructure, {row("0", "001", "000007"), row("5", "045", "0D(hexadecimal)")});
  const std::string t = textOf(build("rptErrosEstrutura", data, {{"anobase", "Atual - Ano 2006"}}));
  EXPECT_NE(t.find("7|1122233300018100|1903 - Caractere inválido.|Número do registro|1|000007|"), std::string::npos) << t;
  EXPECT_NE(t.find("|||Caractere encontrado|45|0D(hexadecimal)|"), std::string::npos) << t;
}

}  // namespace
}  // namespace torvex::core::reports
