// torvex-cli responsavel, and the whole path without windows it opens: a
// generated file imported, its responsible party taken, the declaration
// written, transmitted with the stand-in and its protocol printed.
#include <gtest/gtest.h>

#include <fstream>

#include "support/cli_runner.h"
#include "support/declaration_file_cli_test.h"
#include "support/temp_data_folder.h"
#include "support/transmission_samples.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

// An installed layout (torvex-cli with the transmission program beside it and
// its `Transmite` folder) working on the test's data folder.
class ResponsavelCli : public DeclarationFileCliTest {
 protected:
  void SetUp() override {
    fs::create_directories(bin / "Transmite");
    fs::copy_file(TORVEX_TEST_CLI, bin / "torvex-cli");
    fs::create_directories(bin / "trevion2006");
    fs::copy_file(builtTransmissionProgram(), bin / "trevion2006" / "trevion2006");
  }
  void TearDown() override { fs::remove_all(dir); }
  // `withData`: the command works on the test's data folder (transmitir and protocolo have none).
  CliResult torvex(const std::string& args, bool withData = true) {
    return runProgram((bin / "torvex-cli").string(),
                      args + (withData ? " --dados " + quoted(folder.path().string()) : std::string()));
  }
  std::int64_t responsibleRows() {
    core::store::Database db(folder.path());
    auto st = db.prepare("SELECT count(*) FROM BD8Resp");
    return st.step() ? st.integer(0) : -1;
  }

  fs::path dir = makeTempDirectory("torvex-instalado");
  fs::path bin = dir / "bin";
};

TEST_F(ResponsavelCli, TheFileResponsibleLetsTheImportedDeclarationBeWrittenAndTransmitted) {
  const std::string file = quoted(write(smallDeclaration()));
  ASSERT_EQ(torvex("importar " + file).status, 0);
  const auto none = torvex("responsavel");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("Nenhum responsável gravado"), std::string::npos) << none.err;
  EXPECT_EQ(torvex("gravar --data 15032007").status, 1);  // refused on the missing responsible party

  const auto taken = torvex("responsavel --de-arquivo " + file);
  ASSERT_EQ(taken.status, 0) << taken.err;
  EXPECT_NE(taken.out.find("Nome/Razão social: CONTABILIDADE EXEMPLO LTDA\n"), std::string::npos) << taken.out;
  const auto shown = torvex("responsavel");
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out.substr(shown.out.find('\n')), taken.out.substr(taken.out.find('\n')));

  const auto written = torvex("gravar --data 15032007");
  ASSERT_EQ(written.status, 0) << written.err;
  ASSERT_FALSE(written.lines.empty());
  const std::string declaration = written.lines.front().substr(0, written.lines.front().find("  "));
  EXPECT_EQ(fs::path(declaration).parent_path(), bin / "Transmite");
  const auto sent = torvex("transmitir " + quoted(declaration), false);
  ASSERT_EQ(sent.status, 0) << sent.err;
  const auto printed = torvex("protocolo " + quoted(declaration), false);
  EXPECT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(printed.out, sent.out);
}

TEST_F(ResponsavelCli, AResponsibleWithErrorsIsRefusedAndBadInputIsAUsageError) {
  std::string content = smallDeclaration();
  content.replace(24, 14, "11222333000100");  // the responsible's CNPJ, with wrong check digits
  const auto refused = torvex("responsavel --de-arquivo " + quoted(write(content)));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("Inscrição do responsável: 11.222.333/0001-00\n  0054 - "), std::string::npos)
      << refused.err;
  EXPECT_EQ(responsibleRows(), 0);

  const std::string sound = smallDeclaration();
  struct Case {
    const char* what;
    std::string path;
    const char* says;
  } cases[] = {
      {"missing", (folder.path() / "nao-existe.dec").string(), "arquivo não encontrado"},
      {"a folder", folder.path().string(), "é uma pasta"},
      {"not a declaration", write("KEVA 2006\r\n", "texto.dec"), "não é um arquivo de declaração"},
      {"last year's layout", write(smallDeclaration(true), "anterior.dec"), "não é um arquivo de declaração"},
      {"no record 0", write(sound.substr(529), "sem-zero.dec"), "registro tipo 0"},
  };
  for (const auto& c : cases) {
    const auto r = torvex("responsavel --de-arquivo " + quoted(c.path));
    EXPECT_EQ(r.status, 3) << c.what;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.what << ": " << r.err;
  }
  EXPECT_EQ(responsibleRows(), 0);
}

}  // namespace
}  // namespace torvex::test
