// End to end: torvex-cli importar on generated files, run as a subprocess.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/declaration_file_cli_test.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

class ImportarCli : public DeclarationFileCliTest {
 protected:
  // Last year's dismissals stay out of this year's declaration.
  static std::string generated(bool previousYear = false) { return smallDeclaration(previousYear, previousYear ? 3 : 0); }
  std::int64_t count(const std::string& sql) {
    core::store::Database db(folder.path());
    auto st = db.prepare(sql);
    return st.step() ? st.integer(0) : -1;
  }
};

TEST_F(ImportarCli, ImportsOnceThenFindsOnlyDuplicatesAndTheCheckFindsNoError) {
  const std::string file = write(generated());
  const auto first = run("importar", file);
  EXPECT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(first.lines.size(), 5u) << first.out;
  EXPECT_NE(first.lines[0].find("\"NuTotalImportados\": \"3\""), std::string::npos) << first.lines[0];
  EXPECT_NE(first.lines[0].find("\"texto\": \"\""), std::string::npos);
  EXPECT_EQ(first.lines[4], "{\"estabelecimentos\": 4, \"importados\": 6, \"duplicados\": 0, \"desligados\": 0}");

  const auto second = run("importar", file, "");
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.out.find("1501 Estabelecimento já cadastrado e declarado sem empregados"), std::string::npos)
      << second.out;
  EXPECT_NE(second.out.find("Notas:\n(1) 1501 "), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("4 estabelecimento(s): 0 vínculo(s) importado(s), 6 duplicado(s), 0 desligado(s)."),
            std::string::npos)
      << second.out;

  const auto check = run("verificar", "", "");
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(count("SELECT count(*) FROM BD8Resp"), 0);  // the responsible party only with --responsavel
}

TEST_F(ImportarCli, NamedEstablishmentsOnlyAndTheFileResponsibleOnRequest) {
  const std::string content = generated();
  const std::string key = content.substr(529 + 6, 16);  // inscription and prefix of the first establishment
  const std::string file = write(content);
  const auto r = run("importar", file, "--json --responsavel --estabelecimento " + key.substr(0, 14) + "/" + key.substr(14));
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.lines.size(), 2u) << r.out;
  EXPECT_NE(r.lines[0].find(key.substr(0, 14)), std::string::npos);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp"), 1);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Resp WHERE NoResponsavelArquivo = 'CONTABILIDADE EXEMPLO LTDA' AND "
                  "InDicas IS NULL"),
            1);

  const auto unknown = run("importar", file, "--estabelecimento 11222333000181/00");
  EXPECT_EQ(unknown.status, 3);
  EXPECT_NE(unknown.err.find("não está no arquivo"), std::string::npos) << unknown.err;
  EXPECT_EQ(run("importar", file, "--estabelecimento 12.345/00").status, 3);
  EXPECT_EQ(run("importar", (folder.path() / "nao-existe.dec").string()).status, 3);
}

TEST_F(ImportarCli, AResponsiblePartyWithErrorsStopsTheImportBeforeAnythingIsStored) {
  std::string content = generated();
  content.replace(24, 14, "11222333000100");  // the responsible's CNPJ, with wrong check digits
  const auto r = run("importar", write(content), "--responsavel");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("O responsável do arquivo tem erros"), std::string::npos) << r.err;
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp"), 0);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Resp"), 0);
}

TEST_F(ImportarCli, AFaultyFileImportsNothingAndPrintsItsFindings) {
  std::string content = generated();
  content[529 * 2 + 10] = '"';  // a quote in the inscription of record 3 (finding 1922)
  const auto r = run("importar", write(content));
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.out.find("\"CoMsg\": \"1922\""), std::string::npos) << r.out;
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp"), 0);
}

TEST_F(ImportarCli, PreviousYearFileNeedsItsOption) {
  const std::string file = write(generated(true));
  EXPECT_EQ(run("importar", file).status, 4);
  const auto r = run("importar", file, "--ano-anterior --json");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.lines.back(), "{\"estabelecimentos\": 4, \"importados\": 4, \"duplicados\": 0, \"desligados\": 2}");
  EXPECT_EQ(count("SELECT count(*) FROM BD8Emp WHERE AnBase = '2006' AND InAvisoCnae = 1"), 4);
  EXPECT_EQ(count("SELECT count(*) FROM BD8Vinc WHERE CoCausaDesligamento <> '00'"), 0);
}

}  // namespace
}  // namespace torvex::test
