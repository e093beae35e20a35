// End to end: torvex-cli analisar on generated files, run as a subprocess.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "support/declaration_file_cli_test.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

class AnalisarCli : public DeclarationFileCliTest {
 protected:
  std::string analisar(const std::string& file, const std::string& options = "--json") {
    return "analisar " + quoted(file) + " --dados " + quoted(folder.path().string()) + " " + options;
  }
};

TEST_F(AnalisarCli, SoundFileGivesItsCountsAndExitZero) {
  // Generated files pass the consistency check as well, so nothing follows the counts.
  const auto r = runTorvexCli(analisar(write(smallDeclaration())));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"estabelecimentos\": 4, \"vinculos\": 6, \"retificacao\": false}\n");

  const auto text = runTorvexCli(analisar(write(smallDeclaration()), ""));
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("4 estabelecimento(s) e 6 vínculo(s)"), std::string::npos) << text.out;
}

TEST_F(AnalisarCli, AnEmptyOrDamagedReferenceFileIsRefusedBeforeTheAnalysis) {
  const std::string file = write(smallDeclaration());
  folder.close();
  const auto reference = folder.path() / core::store::Database::kReferenceFile;
  for (const std::string& content : {std::string(), std::string(4096, 'x')}) {
    std::ofstream(reference, std::ios::binary | std::ios::trunc) << content;
    for (const char* command : {"analisar", "verificar"}) {
      const std::string args = std::string(command) == "analisar" ? analisar(file)
                                                                  : "verificar --dados " + quoted(folder.path().string());
      const auto r = runTorvexCli(args);
      EXPECT_EQ(r.status, 3) << command;
      EXPECT_EQ(r.err, "Faltam arquivos para execução do sistema. Instale novamente o TORVEX.\n") << command;
      EXPECT_EQ(r.out, "") << command;
    }
  }
}

TEST_F(AnalisarCli, AFolderOrAFifoIsToldFromAMissingFile) {
  const auto fifo = folder.path() / "fila.dec";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {(folder.path() / "nada.dec").string(), "arquivo não encontrado: " + (folder.path() / "nada.dec").string()},
      {folder.path().string(), folder.path().string() + " é uma pasta, não um arquivo de declaração"},
      {fifo.string(), fifo.string() + " não é um arquivo comum (é um dispositivo, fila ou canal)"},
  };
  for (const auto& c : cases) {
    const auto r = runTorvexCli(analisar(c.path));
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "torvex-cli analisar: " + c.message + "\n");
  }
}

TEST_F(AnalisarCli, PreviousYearFileNeedsItsOption) {
  const std::string file = write(smallDeclaration(true));
  EXPECT_LT(runTorvexCli(analisar(file, "--ano-anterior --json")).status, 3);
  const auto r = runTorvexCli(analisar(file));
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.out.find("\"CoMsg\": \"1923\""), std::string::npos) << r.out;
}

TEST_F(AnalisarCli, StructureFindingGivesOneObjectPerRowAndExitFour) {
  std::string content = smallDeclaration();
  content[529 * 2 + 10] = '"';  // a quote in the inscription of record 3 (finding 1922)
  const auto r = runTorvexCli(analisar(write(content)));
  EXPECT_EQ(r.status, 4);
  ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  EXPECT_EQ(r.out.rfind("{\"AnBase\": \"2006\", \"CoMsg\": \"1922\", \"Sequencia\": \"000003\", \"InscricaoPrefixo\": ", 0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\"TipoCampo\": \"8\", \"PosicaoInicial\": \"11\", \"Conteudo\": \"1000\\\""), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"texto\": \""), std::string::npos);
}

TEST_F(AnalisarCli, UsageAndInputErrorsExitThree) {
  EXPECT_EQ(runTorvexCli(analisar((folder.path() / "nao-existe.dec").string())).status, 3);
  EXPECT_EQ(runTorvexCli("analisar").status, 3);
  EXPECT_EQ(runTorvexCli("analisar " + quoted(write(smallDeclaration())) + " --dados /nao/existe").status, 3);
  // The writer writes the current layout only.
  EXPECT_EQ(runTorvexCli(analisar(write(smallDeclaration())) + " --ano-anterior --gravar " + quoted(folder.path().string())).status, 3);
}

}  // namespace
}  // namespace torvex::test
