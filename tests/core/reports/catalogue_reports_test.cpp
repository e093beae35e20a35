// The layout, protocol and transmission reports from small fixtures.
#include <gtest/gtest.h>

#include "core/declfile/record_layout.h"
#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "core/reports/transmission_receipt.h"

namespace torvex::core::reports {
namespace {

Document build(const char* name, DataSets& data, Parameters p = {}) {
  return buildReport(*findReport(name), standardParameters(name, std::move(p)), data);
}

TEST(CatalogueReports, EveryNameBuildsAndStandardParametersAreFilled) {
  MemoryDataSets none;
  for (const auto& r : reportCatalogue()) EXPECT_NO_THROW(build(std::string(r.name).c_str(), none)) << r.name;
  const Parameters p = standardParameters("Cartela");
  EXPECT_EQ(parameter(p, "TipoRelatorio"), "Descrição do arquivo KEVA2006");
  EXPECT_EQ(parameter(p, "VersaoEditada"), "2006,V.4");
  EXPECT_EQ(parameter(standardParameters("RelatorioResumido"), "TipoRelatorio"), "Relatório Resumido do Estabelecimento");
}

TEST(CatalogueReports, CartelaCoversEveryPositionOfEveryRecordType) {
  MemoryDataSets none;
  const Document d = build("Cartela", none);
  EXPECT_EQ(d.title, "Descrição do arquivo KEVA2006");
  int tables = 0, expectedStart = 1;
  for (const auto& b : d.blocks()) {
    if (b.kind == Block::Kind::TableStart) {
      ++tables;
      expectedStart = 1;
    }
    if (b.kind == Block::Kind::TableRow) {
      EXPECT_EQ(std::stoi(b.cells[1]), expectedStart) << b.cells[4];
      expectedStart = std::stoi(b.cells[2]) + 1;
    }
    if (b.kind == Block::Kind::TableEnd) {
      EXPECT_EQ(expectedStart, declfile::kRecordLengthCurrent + 1);
    }
  }
  EXPECT_EQ(tables, 4);
  // The hash code sits in the last 32 positions of record 9.
  bool hash = false;
  for (const auto& b : d.blocks())
    if (b.kind == Block::Kind::TableRow && b.cells[4] == "Hashcode") hash = b.cells[1] == "496" && b.cells[2] == "527";
  EXPECT_TRUE(hash);
}

TEST(CatalogueReports, ProtocolListsEachFileWithItsEstablishments) {
  MemoryDataSets data;
  auto file = [](const char* n, const char* first) {
    return Row::of({{"NuDisquete", n}, {"AnBase", "2006"}, {"CoCgcCeiEstabelecimento", first},
                    {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
                    {"NoRazaoEstabelecimento", "ALFA LTDA"}, {"DaGeracao", "15032007"}, {"HoSenha", "101500"},
                    {"NuEstabelecimentos", "000002"}, {"NuVinculos", "000150"}, {"InRetificacao", "0"},
                    {"DaEncerramentoAtividade", "00000000"}});
  };
  auto est = [](const char* n, const char* links) {
    return Row::of({{"NuDisquete", n}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "00"},
                    {"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"},
                    {"NoRazaoEstabelecimento", "ALFA LTDA"}, {"NuVinculosEstabelecimento", links},
                    {"DaEncerramentoAtividade", "31122006"}});
  };
  data.add(dataset::kProtocolFiles, {file("1", "11222333000181"), file("2", "11222333000181")});
  data.add(dataset::kProtocolEstablishments, {est("1", "000100"), est("1", "000050"), est("2", "000007")}, {"NuDisquete"});
  const Document d = build("rptProtocolo", data);
  std::vector<std::string> totals, headings;
  for (const auto& b : d.blocks()) {
    if (b.kind == Block::Kind::TableRow && b.bold) totals.push_back(b.cells[0] + " " + b.cells[4]);
    if (b.kind == Block::Kind::Heading) headings.push_back(b.text);
    if (b.kind == Block::Kind::TableRow && !b.bold) {
      EXPECT_EQ(b.cells[5], "31/12/2006");
    }
  }
  EXPECT_EQ(totals, (std::vector<std::string>{"Total: 2 estabelecimentos 150", "Total: 1 estabelecimento 7"}));
  EXPECT_EQ(headings.front(), "Declaração KEVA ano-base 2006  -  Arquivo 1 de 2");
}

TEST(CatalogueReports, TransmissionParametersFromTheReceipt) {
  TransmissionReceipt r{"512345678", "11222333000181", "0012345678", "01234", "123456", "15032007", "0930",
                        "0123456789ABCDEF0123456789ABCDEF", "0000054321"};
  const Parameters p = transmissionParameters(r, "2006");
  EXPECT_EQ(parameter(p, "CREA"), "590512345678");
  EXPECT_EQ(parameter(p, "CNPJ"), "11.222.333/0001-81");
  EXPECT_EQ(parameter(p, "QtdEstab"), "1.234");
  EXPECT_EQ(parameter(p, "QtdVinc"), "123.456");
  EXPECT_EQ(parameter(p, "Data"), "15/03/2007 às ");
  EXPECT_EQ(parameter(p, "Hora"), "09:30");
  EXPECT_EQ(parameter(p, "Hash"), "0123.4567.89AB.CDEF.0123.4567.89AB.CDEF");
  EXPECT_EQ(receiptCount("00012"), "12");
  EXPECT_EQ(receiptCount("0000007"), "7");
  r.number = "112345678";
  r.inscription = "00123456789012";
  const Parameters q = transmissionParameters(r, "2006");
  EXPECT_EQ(parameter(q, "CREA"), "112345678");
  EXPECT_EQ(parameter(q, "CNPJ"), "12-345-67.890-1/2");
  MemoryDataSets none;
  const Document d = buildReport(*findReport("Transmissao"), p, none);
  EXPECT_FALSE(d.nothingToReport);
}

}  // namespace
}  // namespace torvex::core::reports
