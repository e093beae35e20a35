// torvex-cli transmitir and protocolo, run as an installed program would be: a
// copy of torvex-cli with the transmission program in its folder beside it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/delivery/transmission.h"
#include "support/background_cli.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"
#include "support/transmission_samples.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TransmitirCli : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(transmite);
    fs::copy_file(TORVEX_TEST_CLI, cli);
    fs::create_directories(bin / "trevion2006");
    fs::copy_file(builtTransmissionProgram(), bin / "trevion2006" / "trevion2006");
    writeSoundDeclaration(declaration, 2, 5);
  }
  void TearDown() override { fs::remove_all(dir); }
  CliResult torvex(const std::string& args) { return runProgram(cli.string(), args); }

  fs::path dir = makeTempDirectory("torvex-instalado");
  fs::path bin = dir / "bin";
  fs::path cli = bin / "torvex-cli";
  fs::path transmite = bin / "Transmite";
  fs::path declaration = transmite / "Keva2006_100000000001450001G.dec";
  fs::path receipt = transmite / "Keva2006_100000000001450001G.rec";
  std::string file = quoted(declaration.string());
};

TEST_F(TransmitirCli, TransmitsOnceThenPrintsAndRendersTheProtocol) {
  const auto sent = torvex("transmitir " + file);
  ASSERT_EQ(sent.status, 0) << sent.err;
  EXPECT_EQ(contents(transmite / "Trevion.ini"), declaration.string() + "\r\n");
  EXPECT_NE(sent.out.find("Estabelecimentos: 2\n"), std::string::npos) << sent.out;
  EXPECT_NE(sent.out.find("Vínculos: 5\n"), std::string::npos) << sent.out;
  EXPECT_NE(sent.out.find("Número do recibo (CREA): 5905"), std::string::npos) << sent.out;

  const auto again = torvex("transmitir " + file);
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("Declaração já transmitida."), std::string::npos) << again.err;

  const auto printed = torvex("protocolo " + file);
  ASSERT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(printed.out, sent.out);
  const fs::path pdf = dir / "protocolo.pdf";
  ASSERT_EQ(torvex("protocolo " + file + " --pdf " + quoted(pdf.string())).status, 0);
  EXPECT_GT(fs::file_size(pdf), 0u);

  // A receipt changed by hand, then none at all.
  std::string line = contents(receipt);
  line[35] = line[35] == '9' ? '8' : '9';
  std::ofstream(receipt, std::ios::binary) << line;
  const auto tampered = torvex("protocolo " + file);
  EXPECT_EQ(tampered.status, 1);
  EXPECT_NE(tampered.err.find("Arquivo .rec inválido"), std::string::npos) << tampered.err;
  fs::remove(receipt);
  const auto none = torvex("protocolo " + file);
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("Declaração não transmitida."), std::string::npos) << none.err;
  EXPECT_EQ(torvex("protocolo " + quoted((transmite / "outro.dec").string())).status, 3);
}

TEST_F(TransmitirCli, TheProtocolIsNeverSavedOverTheDeclarationOrItsReceipt) {
  ASSERT_EQ(torvex("transmitir " + file).status, 0);
  const std::string sent = contents(declaration);
  const std::string received = contents(receipt);
  fs::create_symlink(declaration, dir / "ligacao.pdf");
  for (const fs::path& pdf : {dir / "ligacao.pdf", receipt, declaration}) {
    const auto r = torvex("protocolo " + file + " --pdf " + quoted(pdf.string()));
    EXPECT_EQ(r.status, 3) << pdf;
    EXPECT_NE(r.err.find("não pode ser gravado sobre o arquivo de que ele trata"), std::string::npos) << r.err;
  }
  EXPECT_EQ(contents(declaration), sent);
  EXPECT_EQ(contents(receipt), received);
}

// Two hand-offs at once from one program folder: each file is sent once and
// gets its own receipt.
TEST_F(TransmitirCli, TwoHandOffsAtOnceEachGetTheirOwnReceipt) {
  const fs::path other = transmite / "Keva2006_100079190001600001G.dec";
  writeSoundDeclaration(other, 3, 7);
  for (int round = 0; round < 3; ++round) {
    fs::remove(receipt);
    fs::remove(core::delivery::receiptPath(other));
    BackgroundCli first({"transmitir", declaration.string()}, dir / "primeiro.txt", cli);
    BackgroundCli second({"transmitir", other.string()}, dir / "segundo.txt", cli);
    EXPECT_EQ(first.wait(), 0) << readWholeFile(dir / "primeiro.txt.err");
    EXPECT_EQ(second.wait(), 0) << readWholeFile(dir / "segundo.txt.err");
    EXPECT_NE(readWholeFile(dir / "primeiro.txt").find("Vínculos: 5\n"), std::string::npos);
    EXPECT_NE(readWholeFile(dir / "segundo.txt").find("Vínculos: 7\n"), std::string::npos);
    EXPECT_EQ(core::delivery::readReceiptOf(declaration).status, core::delivery::ReceiptStatus::Valid);
    EXPECT_EQ(core::delivery::readReceiptOf(other).status, core::delivery::ReceiptStatus::Valid);
  }
}

// A receipt is the one of the file beside it, and what it holds is printed
// with its control characters escaped.
TEST_F(TransmitirCli, AReceiptOfAnotherFileIsRefusedAndReceiptTextIsEscaped) {
  const fs::path other = transmite / "Keva2006_100079190001600001G.dec";
  writeSoundDeclaration(other, 3, 7);
  std::ofstream(receipt, std::ios::binary) << receiptLineFor(other) << "\r\n";
  const auto foreign = torvex("protocolo " + file);
  EXPECT_EQ(foreign.status, 1);
  EXPECT_NE(foreign.err.find("Arquivo .rec inválido: o recibo não é o deste arquivo"), std::string::npos)
      << foreign.err;

  std::ofstream(receipt, std::ios::binary) << receiptLineFor(declaration, "\x1b[2J12345") << "\r\n";
  const auto escaped = torvex("protocolo " + file);
  EXPECT_EQ(escaped.status, 0) << escaped.err;
  EXPECT_NE(escaped.out.find("Número do recibo (CREA): \\x1B[2J12345\n"), std::string::npos) << escaped.out;
  EXPECT_EQ(escaped.out.find('\x1b'), std::string::npos);
}

// The transmission program removes, when it starts, the scratch folders that
// killed runs left; a folder still in use stays.
TEST_F(TransmitirCli, TheProgramClearsScratchFoldersLeftByKilledRuns) {
  const fs::path temp = dir / "tmp";
  fs::create_directories(temp / "trevion-abc123");
  std::ofstream(temp / "trevion-abc123" / "trabalho.db") << "sobra";
  fs::create_directories(temp / "trevion-emuso");
  fs::create_directories(temp / "trevion-xyz789");
  const int inUse = ::open((temp / "trevion-xyz789").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(inUse, LOCK_EX), 0);
  const auto r = runProgram("env", "TMPDIR=" + quoted(temp.string()) + " " + quoted(cli.string()) + " transmitir " + file);
  ::close(inUse);
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(temp)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"trevion-emuso", "trevion-xyz789"}));
}

TEST_F(TransmitirCli, RefusesADamagedFileAndSaysWhenTheProgramIsMissing) {
  overwriteAt(declaration, 529 + 23, "X");
  const auto damaged = torvex("transmitir " + file);
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("código de verificação do arquivo não confere"), std::string::npos) << damaged.err;
  EXPECT_FALSE(fs::exists(receipt));

  fs::remove_all(bin / "trevion2006");
  const auto missing = torvex("transmitir " + file);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("não encontrado nesse computador"), std::string::npos) << missing.err;
  EXPECT_EQ(contents(transmite / "Trevion.ini"), declaration.string() + "\r\n");
  EXPECT_EQ(torvex("transmitir " + quoted((transmite / "outro.dec").string())).status, 3);
}

}  // namespace
}  // namespace torvex::test
