// End to end: torvex-cli gravar on a stored declaration, run as a subprocess.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "generator/declaration_generator.h"
#include "core/declfile/analise_estrutura.h"
#include "support/cli_runner.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;


CliResult gravar(const std::string& args) { return runTorvexCli("gravar " + args); }

// A data folder holding a sound declaration of 3 establishments and 10 links
// (read from a generated file and stored), and an empty destination folder.
class GravarCli : public ::testing::Test {
 protected:
  void SetUp() override {
    generator::GeneratorOptions o;
    o.establishments = 3;
    o.links = 10;
    const fs::path file = folder.path() / "gerado.dec";
    {
      std::ofstream out(file, std::ios::binary);
      generator::DeclarationGenerator(o).write(out);
    }
    ScriptedInteraction ui;
    core::declfile::TAnaliseEstrutura analyser;
    ASSERT_EQ(analyser.AnalisaArquivo(file, {}, folder.db(), ui).result, core::declfile::AnalysisResult::Loaded);
    for (const auto& [decl, work] : {std::pair{"BD8Resp", "Te8resp"}, {"BD8Emp", "Te8emp"}, {"BD8Vinc", "Te8vinc"}})
      folder.db().exec(std::string("INSERT INTO ") + decl + " SELECT * FROM " + work);
    {
      // Finalised before the connection closes.
      auto st = folder.db().prepare("SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp ORDER BY 1, 2");
      while (st.step()) keys.push_back(st.text(0) + "/" + st.text(1));
    }
    folder.close();
    fs::remove(file);
    fs::create_directories(destination);
  }
  void TearDown() override { fs::remove_all(destination); }

  std::string options(const std::string& extra = "") const {
    return "--dados " + quoted(folder.path().string()) + " --destino " + quoted(destination.string()) +
           " --data 15022007 " + extra;
  }

  TempDataFolder folder;
  fs::path destination = makeTempDirectory("torvex-transmite");
  std::vector<std::string> keys;
};

TEST_F(GravarCli, WritesTheFilesAndPrintsEachWithItsDigest) {
  const auto r = gravar(options());
  ASSERT_EQ(r.status, 0) << r.out;
  std::istringstream lines(r.out);
  std::string path, digest, rest;
  lines >> path >> digest;
  EXPECT_FALSE(lines >> rest) << r.out;
  EXPECT_EQ(fs::path(path).parent_path(), destination);
  EXPECT_EQ(fs::path(path).filename().string().substr(0, 9), "Keva2006_");
  EXPECT_EQ(fs::file_size(path), 15u * 529);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.substr(bytes.size() - 34, 32), digest);

  // The same name again: nobody can authorise overwriting it, so the run stops.
  EXPECT_EQ(gravar(options()).status, 2);
}

TEST_F(GravarCli, WritesOnlyTheChosenEstablishments) {
  ASSERT_EQ(keys.size(), 3u);
  const auto r = gravar(options("--estabelecimento " + keys[2]));
  ASSERT_EQ(r.status, 0) << r.out;
  const std::string inscricao = keys[2].substr(0, 14), prefixo = keys[2].substr(15);
  EXPECT_NE(r.out.find("Keva2006_" + inscricao + prefixo + "01G.dec"), std::string::npos) << r.out;
}

TEST_F(GravarCli, RefusesWhileTheCheckFindsErrors) {
  {
    core::store::Database db(folder.path());
    db.exec("UPDATE BD8Emp SET CoMunicipio = '9999999'");
  }
  const auto r = gravar(options());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_NE(r.err.find("Os erros impedem a geração do arquivo."), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_empty(destination));
}

TEST_F(GravarCli, AKeyedInResponsibleRowWithoutFileDatesIsWritten) {
  {
    // Keyed in, the responsible row never gets the generation or rectification date.
    core::store::Database db(folder.path());
    db.exec("UPDATE BD8Resp SET DaGeracao = '', DaRetificacao = '', InRetificacao = NULL, HoSenha = ''");
  }
  const auto r = gravar(options());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(r.out.empty());
}

TEST_F(GravarCli, UsageErrors) {
  EXPECT_EQ(gravar(options("--estabelecimento 99999999000199/00")).status, 3);
  EXPECT_EQ(gravar("--dados " + quoted(folder.path().string()) + " --data 31122006").status, 3);
  EXPECT_EQ(gravar("--dados " + quoted(folder.path().string()) + " --data 32012007").status, 3);
}

// A destination that cannot take the files is refused before any work, by
// gravar and by analisar --gravar, each time with its cause.
TEST_F(GravarCli, ADestinationThatCannotTakeTheFilesIsRefusedFirstWithItsCause) {
  const auto written = gravar(options());
  ASSERT_EQ(written.status, 0) << written.err;
  const std::string original = written.lines.at(0).substr(0, written.lines[0].find("  "));
  const fs::path aFile = destination / "arquivo.txt";
  std::ofstream(aFile) << "x";
  struct Case {
    fs::path to;
    const char* cause;
  } cases[] = {
      {destination / "nao-existe", "a pasta de destino não existe"},
      {aFile, "não é uma pasta"},
  };
  for (const auto& c : cases) {
    const auto g = gravar("--dados " + quoted(folder.path().string()) + " --destino " + quoted(c.to.string()) +
                          " --data 15022007");
    EXPECT_EQ(g.status, 1) << c.to;
    EXPECT_NE(g.err.find(c.cause), std::string::npos) << g.err;
    EXPECT_EQ(g.err.find("ERRO"), std::string::npos) << "refused before the check: " << g.err;
    const auto a = runTorvexCli("analisar " + quoted(original) + " --dados " + quoted(folder.path().string()) +
                                " --gravar " + quoted(c.to.string()));
    EXPECT_EQ(a.status, 5) << c.to;
    EXPECT_TRUE(a.out.empty()) << "refused before the analysis: " << a.out;
    EXPECT_NE(a.err.find(c.cause), std::string::npos) << a.err;
  }
}

TEST_F(GravarCli, AReadOnlyDestinationIsRefusedWithItsCause) {
  const fs::path readOnly = destination / "somente-leitura";
  fs::create_directories(readOnly);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(readOnly / "teste")) {
    fs::permissions(readOnly, fs::perms::owner_all);
    GTEST_SKIP() << "this user writes into read-only folders (the superuser does)";
  }
  const auto r = gravar("--dados " + quoted(folder.path().string()) + " --destino " + quoted(readOnly.string()) +
                        " --data 15022007");
  fs::permissions(readOnly, fs::perms::owner_all);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("sem permissão de gravação"), std::string::npos) << r.err;
}

// A disk that fills while the file is written: the failure names the cause
// and leaves nothing of the run behind (what was there stays).
TEST_F(GravarCli, ADiskThatFillsWhileWritingNamesTheCauseAndLeavesNothing) {
  const auto written = gravar(options());
  ASSERT_EQ(written.status, 0) << written.err;
  const fs::path original = written.lines.at(0).substr(0, written.lines[0].find("  "));
  const fs::path full = makeTempDirectory("torvex-cheio");
  const std::string data = quoted(folder.path().string());
  const std::string disk = quoted(full.string());
  // 8 KB: the note takes one page, the declaration file (15 records) needs two.
  const auto r = runOnSmallDisk(full, 8,
                                "echo anterior > " + disk + "/notas.txt; "
                                "\"$TORVEX_CLI\" gravar --dados " + data + " --destino " + disk +
                                " --data 15022007; echo \"gravar=$?\"; "
                                "\"$TORVEX_CLI\" analisar " + quoted(original.string()) + " --dados " + data +
                                " --gravar " + disk + " >/dev/null; echo \"analisar=$?\"; ls -A " + disk);
  fs::remove_all(full);
  if (!r) GTEST_SKIP() << "this system does not let a test mount a small disk";
  EXPECT_EQ(r->out, "gravar=1\nanalisar=5\nnotas.txt\n") << r->err;
  EXPECT_NE(r->err.find("Ocorreu um erro durante a gravação"), std::string::npos) << r->err;
  const std::string cause = "não há espaço livre no disco da pasta de destino " + full.string();
  EXPECT_NE(r->err.find(cause), std::string::npos) << r->err;
  EXPECT_NE(r->err.find(cause, r->err.find(cause) + 1), std::string::npos) << "analisar too: " << r->err;
}

// Without --destino the files go to the program's own Transmite folder, made when missing.
TEST_F(GravarCli, TheProgramsOwnTransmitFolderIsMadeWhenMissing) {
  const fs::path bin = makeTempDirectory("torvex-instalado");
  fs::copy_file(TORVEX_TEST_CLI, bin / "torvex-cli");
  const auto r = runProgram((bin / "torvex-cli").string(),
                            "gravar --dados " + quoted(folder.path().string()) + " --data 15022007");
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_FALSE(r.lines.empty());
  EXPECT_EQ(fs::path(r.lines[0].substr(0, r.lines[0].find("  "))).parent_path(), bin / "Transmite");
  fs::remove_all(bin);
}

// The analyse workflow's rewriting: a sound file comes out as the writer would write it.
TEST_F(GravarCli, AnalisarGravarRewritesASoundFile) {
  const auto written = gravar(options());
  ASSERT_EQ(written.status, 0) << written.err;
  const std::string original = written.lines.at(0).substr(0, written.lines[0].find("  "));
  const fs::path again = makeTempDirectory("torvex-transmite");

  const auto r = runTorvexCli("analisar " + quoted(original) + " --dados " + quoted(folder.path().string()) +
                              " --json --gravar " + quoted(again.string()));
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  const fs::path rewritten = again / fs::path(original).filename();
  EXPECT_NE(r.out.find("{\"arquivo\": " + std::string("\"") + rewritten.string() + "\""), std::string::npos) << r.out;

  auto bytes = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  std::string before = bytes(original), after = bytes(rewritten);
  ASSERT_EQ(after.size(), before.size());
  // Only the time of writing, the origin (work tables) and the digest differ.
  EXPECT_EQ(after[after.size() - 529 + 46], '2');
  for (std::string* b : {&before, &after}) {
    b->replace(287, 6, 6, ' ');
    b->replace(b->size() - 529 + 46, 1, 1, ' ');
    b->replace(b->size() - 34, 32, 32, ' ');
  }
  EXPECT_EQ(after, before);

  // Without errors only: the same file with a bad municipality is not rewritten.
  fs::remove(rewritten);
  std::string bad = bytes(original);
  bad.replace(529 + 169, 7, "9999999");
  const fs::path badFile = again / "ruim.dec";
  std::ofstream(badFile, std::ios::binary) << bad;
  const auto refused = runTorvexCli("analisar " + quoted(badFile.string()) + " --dados " +
                                    quoted(folder.path().string()) + " --gravar " + quoted(again.string()));
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(fs::exists(rewritten), false);
  fs::remove_all(again);
}

TEST_F(GravarCli, AnalisarGravarKeepsARectificationARectification) {
  generator::GeneratorOptions o;
  o.establishments = 2;
  o.links = 3;
  o.rectification = true;
  const fs::path file = destination / "retificadora.dec";
  {
    std::ofstream out(file, std::ios::binary);
    generator::DeclarationGenerator(o).write(out);
  }
  const fs::path again = makeTempDirectory("torvex-transmite");
  const auto r = runTorvexCli("analisar " + quoted(file.string()) + " --dados " + quoted(folder.path().string()) +
                              " --gravar " + quoted(again.string()));
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  const std::string written = r.lines.back();
  EXPECT_EQ(written.substr(written.size() - 7), "01R.dec") << r.out;
  std::ifstream in(written, std::ios::binary);
  std::string record0(529, ' ');
  in.read(record0.data(), 529);
  EXPECT_EQ(record0[222], '1');
  fs::remove_all(again);
}

}  // namespace
}  // namespace torvex::test
