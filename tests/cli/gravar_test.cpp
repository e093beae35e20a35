// End to end: torvex-cli gravar on a stored declaration, run as a subprocess.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "../../bench/declaration_generator.h"
#include "core/declfile/analise_estrutura.h"
#include "support/cli_runner.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& s) { return "'" + s + "'"; }

CliResult gravar(const std::string& args) { return runTorvexCli("gravar " + args); }

// A data folder holding a sound declaration of 3 establishments and 10 links
// (read from a generated file and stored), and an empty destination folder.
class GravarCli : public ::testing::Test {
 protected:
  void SetUp() override {
    bench::GeneratorOptions o;
    o.establishments = 3;
    o.links = 10;
    const fs::path file = folder.path() / "gerado.dec";
    {
      std::ofstream out(file, std::ios::binary);
      bench::DeclarationGenerator(o).write(out);
    }
    ScriptedInteraction ui;
    std::int64_t establishments = 0, links = 0;
    core::declfile::TAnaliseEstrutura analyser;
    ASSERT_EQ(analyser.AnalisaArquivo(file, 2006, false, establishments, links, folder.db(), ui), 0);
    for (const auto& [decl, work] : {std::pair{"BD8Resp", "Te8resp"}, {"BD8Emp", "Te8emp"}, {"BD8Vinc", "Te8vinc"}})
      folder.db().exec(std::string("INSERT INTO ") + decl + " SELECT * FROM " + work);
    // What the entry windows would have stored: zero-padded street numbers, names without accents.
    folder.db().exec(
        "UPDATE BD8Resp SET NuLogradouroRespArquivo = substr('000000' || NuLogradouroRespArquivo, -6);"
        "UPDATE BD8Emp SET NuEnderecoEstabelecimento = substr('000000' || NuEnderecoEstabelecimento, -6);"
        "UPDATE BD8Vinc SET NoEmpregado = replace(replace(replace(NoEmpregado, 'Ã', 'A'), 'É', 'E'), 'Ú', 'U');");
    auto st = folder.db().prepare("SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp ORDER BY 1, 2");
    while (st.step()) keys.push_back(st.text(0) + "/" + st.text(1));
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

TEST_F(GravarCli, UsageErrors) {
  EXPECT_EQ(gravar(options("--estabelecimento 99999999000199/00")).status, 3);
  EXPECT_EQ(gravar("--dados " + quoted(folder.path().string()) + " --data 31122006").status, 3);
  EXPECT_EQ(gravar("--dados " + quoted(folder.path().string()) + " --data 32012007").status, 3);
}

}  // namespace
}  // namespace torvex::test
