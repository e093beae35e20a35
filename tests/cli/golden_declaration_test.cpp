// Hand-made declaration files in tests/fixtures, each field placed at the
// position the record layouts give (not written by the generator, the analyser
// or the writer): what `analisar` reports on them is kept beside them, and
// `gravar` writes one of them back from its rows, so a field offset shared
// wrongly by those three shows here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/store/database.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

std::string fixture(const std::string& name) { return std::string(TORVEX_TEST_FIXTURES_DIR) + "/" + name; }

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

struct GoldenCase {
  const char* declaration;  // in tests/fixtures
  const char* expected;     // analisar's standard output, in tests/fixtures
  int status;
};

TEST(GoldenDeclarations, AnalisarGivesTheKeptOutput) {
  const GoldenCase cases[] = {
      {"declaracao_correta.txt", "declaracao_correta.analisar.txt", 0},
      {"declaracao_total_errado.txt", "declaracao_total_errado.analisar.txt", 4},
      {"declaracao_com_erro.txt", "declaracao_com_erro.analisar.txt", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.declaration);
    TempDataFolder folder;
    const auto r = runTorvexCli("analisar " + quoted(fixture(c.declaration)) + " --dados " +
                                quoted(folder.path().string()));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, contents(fixture(c.expected)));
  }
}

// One field of each record kind read back from where the layouts put it.
TEST(GoldenDeclarations, FieldsAreLoadedFromTheirPositions) {
  const std::string file = contents(fixture("declaracao_correta.txt"));
  constexpr std::size_t kRecord = 529;  // 527 characters and CR LF
  const auto at = [&](int record, int first, int last) {
    return file.substr(record * kRecord + first - 1, static_cast<std::size_t>(last - first + 1));
  };
  ASSERT_EQ(file.size(), 6 * kRecord);
  ASSERT_EQ(at(0, 232, 239), "15022007");      // generation date
  ASSERT_EQ(at(1, 264, 270), "4711302");       // CNAE
  ASSERT_EQ(at(3, 140, 148), "000098050");     // January pay of the second link
  ASSERT_EQ(at(3, 516, 527), "MAT 0002    ");  // the employer's own note

  TempDataFolder folder;
  const auto r = runTorvexCli("analisar " + quoted(fixture("declaracao_correta.txt")) + " --dados " +
                              quoted(folder.path().string()));
  ASSERT_EQ(r.status, 0) << r.err;
  const auto value = [&](const std::string& sql) {
    auto st = folder.db().prepare(sql);
    return st.step() ? st.text(0) : std::string("<no row>");
  };
  EXPECT_EQ(value("SELECT DaGeracao FROM Te8resp"), "15022007");
  EXPECT_EQ(value("SELECT CoCnae2 FROM Te8emp WHERE NuPrefixoEstabelecimento = '00'"), "4711302");
  EXPECT_EQ(value("SELECT VaJaneiroEmpregado FROM Te8vinc WHERE NoEmpregado = 'JOSE PEREIRA LIMA'"), "000098050");
  EXPECT_EQ(value("SELECT TRIM(TxUsoEmpregado) FROM Te8vinc WHERE NoEmpregado = 'JOSE PEREIRA LIMA'"), "MAT 0002");
}

// Known rows, stored as they are (not loaded from a file), written by gravar:
// the bytes are the hand-made file's but for the time of writing and the digest.
TEST(GoldenDeclarations, GravarWritesTheHandMadeFileFromItsRows) {
  TempDataFolder folder;
  folder.db().exec(contents(fixture("declaracao_correta.linhas.sql")));
  folder.close();
  const std::filesystem::path destination = makeTempDirectory("torvex-golden");
  const auto r = runTorvexCli("gravar --dados " + quoted(folder.path().string()) + " --destino " +
                              quoted(destination.string()) + " --data 15022007");
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  std::vector<std::filesystem::path> written;
  for (const auto& f : std::filesystem::directory_iterator(destination)) written.push_back(f.path());
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].filename(), "Keva2006_123456780001950001G.dec");

  // Record 0 keeps the time of writing at 288-293; record 9 ends with the digest.
  constexpr std::size_t kRecord = 529;
  const auto masked = [&](std::string file) {
    if (file.size() != 6 * kRecord) return file;
    file.replace(287, 6, "HHMMSS");
    file.replace(5 * kRecord + 495, 32, std::string(32, '#'));
    return file;
  };
  const std::string expected = contents(fixture("declaracao_correta.txt"));
  const std::string got = contents(written[0].string());
  EXPECT_EQ(got.size(), expected.size());
  EXPECT_EQ(masked(got), masked(expected));
  std::filesystem::remove_all(destination);
}

}  // namespace
}  // namespace torvex::test
