#include "core/declfile/work_table_loader.h"

#include <gtest/gtest.h>

#include "analyser_test_support.h"

namespace torvex::core::declfile::testing {
namespace {

using Records = std::vector<std::string>;

// 0 type 0; 1 est. A; 2-3 its links; 4 est. B; 5-6 its links; 7 est. C (no links); 8 type 9.
generator::GeneratorOptions small(bool previousYear = false) {
  generator::GeneratorOptions o;
  o.seed = 11;
  o.establishments = 3;
  o.withoutLinksEvery = 3;
  o.links = 4;
  o.previousYear = previousYear;
  return o;
}

void put(std::string& record, int start, std::string_view value) {
  record.replace(static_cast<std::size_t>(start - 1), value.size(), value);
}

class LoaderTest : public AnalyserTest {
 protected:
  // Column of the row of `table` whose NuSequencialRegistro is `sequence`.
  std::string column(const char* table, const char* col, const char* sequence) {
    return text(std::string("SELECT ") + col + " FROM " + table + " WHERE NuSequencialRegistro = '" + sequence + "'");
  }
};

TEST_F(LoaderTest, CurrentLayoutConversions) {
  Records r = splitRecords(generated(small()), 527);
  put(r[1], 301, "x");               // PAT
  put(r[4], 301, " ");
  put(r[7], 301, "3");
  put(r[1], 283, "123456789012");    // CEI linked to the CNPJ
  put(r[1], 332, "X");               // closing indicator
  put(r[4], 300, "n");               // Simples
  put(r[1], 24, "  EMPRESA \xC1GUA" + std::string(36, ' '));  // name: trimmed, code page 1252 to UTF-8
  put(r[1], 116, " 12   ");          // number: as read keeps the leading blank
  put(r[2], 92, "        ");         // work card number empty
  put(r[2], 100, "12   ");           // series
  put(r[2], 35, "  JO\xC3O DA SILVA" + std::string(13, ' '));
  put(r[2], 271, "0");
  put(r[3], 271, "2");
  put(r[2], 516, " USO");
  put(r[8], 48, "ABC");              // survey answers
  const Outcome o = analyse(joinRecords(r));
  ASSERT_EQ(o.result, AnalysisResult::Loaded);

  EXPECT_EQ(column("Te8emp", "InParticipaPAT", "000002"), "1");
  EXPECT_EQ(column("Te8emp", "InParticipaPAT", "000005"), "2");
  EXPECT_EQ(column("Te8emp", "InParticipaPAT", "000008"), "3");
  EXPECT_EQ(column("Te8emp", "CoCgcVinculado", "000002"), "00123456789012");
  EXPECT_EQ(column("Te8emp", "InEncerramentoAtividade", "000002"), "1");
  EXPECT_EQ(column("Te8emp", "InEncerramentoAtividade", "000005"), "2");
  EXPECT_EQ(column("Te8emp", "InOptanteSimples", "000005"), "2");
  EXPECT_EQ(column("Te8emp", "NoRazaoEstabelecimento", "000002"), "EMPRESA \xC3\x81GUA");
  EXPECT_EQ(column("Te8emp", "NuEnderecoEstabelecimento", "000002"), " 12");
  EXPECT_EQ(column("Te8emp", "AnBase", "000002"), "2006");
  EXPECT_EQ(column("Te8emp", "CoCnae2", "000002"), r[1].substr(263, 7));
  EXPECT_EQ(column("Te8emp", "CoCnae", "000002"), "");
  EXPECT_EQ(column("Te8emp", "InPorte", "000002"), "1");

  EXPECT_EQ(column("Te8vinc", "NuCartTrabEmpregado", "000003"), "00000000");
  EXPECT_EQ(column("Te8vinc", "SeCartTrabEmpregado", "000003"), "00012");
  EXPECT_EQ(column("Te8vinc", "NoEmpregado", "000003"), "JO\xC3\x83O DA SILVA");
  EXPECT_EQ(column("Te8vinc", "InDeficienteFisico", "000003"), "2");
  EXPECT_EQ(column("Te8vinc", "InDeficienteFisico", "000004"), "1");
  EXPECT_EQ(column("Te8vinc", "TxUsoEmpregado", "000003"), " USO");
  EXPECT_EQ(column("Te8vinc", "AnBase", "000003"), "2006");
  EXPECT_EQ(column("Te8vinc", "VaDezembroEmpregado", "000003"), r[2].substr(238, 9));
  EXPECT_EQ(column("Te8vinc", "HoTrabalhadasDezembro", "000003"), "000");
  EXPECT_EQ(column("Te8vinc", "CoMotivoPrimAfas", "000003"), "00");

  EXPECT_EQ(text("SELECT InReciboParaRespArquivo || '/' || InRetificacao || '/' || ifnull(InAntecipacao, 'null') "
                 "FROM Te8resp"),
            "1/0/null");
  EXPECT_EQ(text("SELECT NuRespostaPesquisa FROM Te8resp"), "ABC");
  EXPECT_EQ(text("SELECT NoResponsavelArquivo FROM Te8resp"), "CONTABILIDADE EXEMPLO LTDA");
}

TEST_F(LoaderTest, PreviousYearFileImportedWithZeroValues) {
  Records r = splitRecords(generated(small(true)), 523);
  ASSERT_EQ(r.size(), 9u);
  put(r[2], 280, "10");  // first absence reason (current 283, three positions earlier)
  const Outcome o = analyse(joinRecords(r, "\r\n"), /*previousYear=*/true, /*zeroValues=*/true);
  ASSERT_EQ(o.result, AnalysisResult::Loaded);
  EXPECT_EQ(o.links, 4);

  EXPECT_EQ(text("SELECT group_concat(DISTINCT AnBase) FROM (SELECT AnBase FROM Te8emp UNION ALL "
                 "SELECT AnBase FROM Te8vinc)"),
            "2005");
  EXPECT_EQ(column("Te8emp", "InPorte", "000002"), "3");
  EXPECT_EQ(column("Te8emp", "CoCnae", "000002"), r[1].substr(263, 5));
  EXPECT_EQ(column("Te8emp", "CoCnae2", "000002"), "");
  EXPECT_EQ(column("Te8emp", "InSindicalizada", "000002"), "2");
  EXPECT_EQ(column("Te8emp", "CoCNPJCentralizada", "000002"), "00000000000000");
  EXPECT_EQ(column("Te8emp", "InAtividadeAnoBase", "000002"), "");
  EXPECT_EQ(text("SELECT InAntecipacao FROM Te8resp"), "0");

  // Every amount is zero, the absences and hours are empty.
  EXPECT_EQ(text("SELECT count(*) FROM Te8vinc WHERE VaSalContratualEmpregado <> '000000000' OR "
                 "VaJaneiroEmpregado <> '000000000' OR VaDezembroEmpregado <> '000000000' OR "
                 "Va13ParcelaFinalEmpregado <> '000000000' OR VaGlobalMultas <> '00000000' OR "
                 "Me13AdiantamentoEmpregado <> '00' OR CoMotivoPrimAfas <> '' OR QtDiasAfas <> '' OR "
                 "HoTrabalhadasJaneiro <> '' OR CoCNPJSindical <> '' OR InDeficienteFisico <> '' OR "
                 "CoDeficienteFisico <> '0' OR InSindicalizadoVinculo <> '2' OR NuCartTrabEmpregado <> '00000000' "
                 "OR SeCartTrabEmpregado <> '00000'"),
            "0");
  // Identification survives.
  EXPECT_EQ(column("Te8vinc", "CoPisPasepEmpregado", "000003"), r[2].substr(23, 11));
  EXPECT_EQ(column("Te8vinc", "CoInstrucao", "000003"), "7");
  EXPECT_EQ(column("Te8vinc", "CoCpfEmpregado", "000003"), r[2].substr(79, 11));
}

TEST_F(LoaderTest, PreviousYearValuesSurviveWithoutTheZeroValuesFlag) {
  Records r = splitRecords(generated(small(true)), 523);
  const Outcome o = analyse(joinRecords(r), /*previousYear=*/true, /*zeroValues=*/false);
  ASSERT_EQ(o.result, AnalysisResult::Loaded);
  EXPECT_EQ(column("Te8vinc", "VaSalContratualEmpregado", "000003"), r[2].substr(110, 9));
  // The single 11-character work card gives its first 8 characters; there is no series.
  EXPECT_EQ(column("Te8vinc", "NuCartTrabEmpregado", "000003"), r[2].substr(90, 8));
  EXPECT_EQ(column("Te8vinc", "SeCartTrabEmpregado", "000003"), "00000");
  EXPECT_EQ(column("Te8vinc", "CoMotivoPrimAfas", "000003"), "00");
  EXPECT_EQ(column("Te8vinc", "InSindicalizadoVinculo", "000003"), "");
}

TEST_F(LoaderTest, CurrentFileKeepsItsValuesWithTheZeroValuesFlag) {
  Records r = splitRecords(generated(small()), 527);
  ASSERT_EQ(analyse(joinRecords(r), false, /*zeroValues=*/true).result, AnalysisResult::Loaded);
  EXPECT_EQ(column("Te8vinc", "VaSalContratualEmpregado", "000003"), r[2].substr(113, 9));
}

}  // namespace
}  // namespace torvex::core::declfile::testing
