// The PDF files of relatorio: a run killed or stopped by a full disk leaves an
// older file of the same name whole; names that lead into the data folder, and
// names that are not regular files, are refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

// A data folder holding an imported declaration of 1000 links (a complete
// report of it takes a moment to draw), and a folder for the PDFs.
class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.close();
    ASSERT_TRUE(storeGeneratedDeclaration(folder.path(), 1000));
  }
  void TearDown() override { fs::remove_all(out); }

  CliResult report(const std::string& name, const fs::path& pdf) {
    return runTorvexCli("relatorio " + name + dados + " --pdf " + quoted(pdf.string()));
  }
  std::vector<std::string> left() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(out)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDataFolder folder;
  std::string dados = " --dados " + quoted(folder.path().string());
  fs::path out = makeTempDirectory("torvex-pdf");
};

// A PDF as a reader finds it: whole (it ends with its end-of-file mark).
bool wholePdf(const std::string& bytes) {
  return bytes.starts_with("%PDF-") && bytes.find("%%EOF", bytes.size() > 16 ? bytes.size() - 16 : 0) != std::string::npos;
}

TEST_F(ReportPdf, AKilledRunLeavesTheOlderFileWholeAndTheNextRunClearsItsLeftovers) {
  const fs::path pdf = out / "completo.pdf";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(report("RelatorioCompleto", pdf).status, 0);
  const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::string older = readWholeFile(pdf);
  ASSERT_GT(older.size(), 100000u);

  std::mt19937 random(20070315);
  std::uniform_int_distribution<long long> moment(0, whole.count());
  int killedHalfWay = 0;
  for (int run = 0; run < 6; ++run) {
    BackgroundCli cli({"relatorio", "RelatorioCompleto", "--dados", folder.path().string(), "--pdf", pdf.string()},
                      out / "saida.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    cli.signal(SIGKILL);
    const bool killed = cli.wait() == -1;
    const std::string now = readWholeFile(pdf);
    // The older file as it was, or (a run that finished before the kill) the new one, whole.
    if (killed && now == older) ++killedHalfWay;
    EXPECT_TRUE(now == older || wholePdf(now)) << "run " << run << ": " << now.size() << " bytes";
    older = now;
  }
  EXPECT_GT(killedHalfWay, 0);
  fs::remove(out / "saida.txt");
  fs::remove(out / "saida.txt.err");
  ASSERT_EQ(report("RelatorioCompleto", pdf).status, 0);
  EXPECT_EQ(left(), std::vector<std::string>{"completo.pdf"});
}

TEST_F(ReportPdf, AFullDiskLeavesTheOlderFileWholeAndSaysSo) {
  const fs::path older = out / "anterior.pdf";
  ASSERT_EQ(report("Cartela", older).status, 0);
  const fs::path disk = out / "disco";
  fs::create_directory(disk);
  const std::string pdf = quoted((disk / "r.pdf").string());
  const auto r = runOnSmallDisk(disk, 128,
                                "cp " + quoted(older.string()) + " " + pdf + "; \"$TORVEX_CLI\" relatorio "
                                "RelatorioCompleto" + dados + " --pdf " + pdf + "; echo \"saida=$?\"; cmp " +
                                quoted(older.string()) + " " + pdf + " && echo intacto; ls -A " + quoted(disk.string()));
  if (!r) GTEST_SKIP() << "this system does not let a test mount a small disk";
  EXPECT_EQ(r->out, "saida=3\nintacto\nr.pdf\n") << r->err;
  EXPECT_NE(r->err.find("não foi possível gravar " + (disk / "r.pdf").string() +
                        ": não há espaço livre no disco da pasta " + disk.string()),
            std::string::npos)
      << r->err;
}

TEST_F(ReportPdf, NamesIntoTheDataFolderOrThatAreNotRegularFilesAreRefused) {
  const fs::path database = folder.path() / "declaracao.db";
  const std::string before = readWholeFile(database);
  fs::create_symlink(database, out / "ligacao-base.pdf");
  ASSERT_EQ(::mkfifo((out / "fila.pdf").c_str(), 0600), 0);
  fs::create_directory(out / "pasta.pdf");
  struct Case {
    fs::path pdf;
    std::string says;
  } cases[] = {
      {out / "ligacao-base.pdf", "sobre um arquivo da pasta de dados"},
      {folder.path() / "trabalho.db", "sobre um arquivo da pasta de dados"},
      {folder.path() / "trabalho.db-journal", "sobre um arquivo da pasta de dados"},
      {out / "fila.pdf", "é um FIFO, não um arquivo comum"},
      {out / "pasta.pdf", "é uma pasta, não um arquivo comum"},
  };
  for (const auto& c : cases) {
    const auto r = report("Cartela", c.pdf);
    EXPECT_EQ(r.status, 3) << c.pdf;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.pdf << ": " << r.err;
  }
  EXPECT_EQ(readWholeFile(database), before);
  EXPECT_TRUE(fs::is_symlink(out / "ligacao-base.pdf"));

  // A link to a file elsewhere is replaced itself; the file it led to stays.
  std::ofstream(out / "notas.txt") << "minhas notas";
  fs::create_symlink(out / "notas.txt", out / "ligacao.pdf");
  ASSERT_EQ(report("Cartela", out / "ligacao.pdf").status, 0);
  EXPECT_FALSE(fs::is_symlink(out / "ligacao.pdf"));
  EXPECT_EQ(readWholeFile(out / "notas.txt"), "minhas notas");
}

}  // namespace
}  // namespace torvex::test
