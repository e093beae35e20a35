// The receipt's name, layout and check, the listing of a folder's declaration
// files, the hand-off job with a scripted program, and the transmission
// program itself run on sound and damaged files.
#include "core/delivery/transmission.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "core/delivery/file_digest.h"
#include "core/jobs/transmit_job.h"
#include "support/cli_runner.h"
#include "support/temp_data_folder.h"
#include "support/transmission_samples.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using core::delivery::ReceiptStatus;
using core::jobs::TransmitResult;

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

core::reports::TransmissionReceipt sampleFields() {
  core::reports::TransmissionReceipt r;
  r.number = "512345678";
  r.inscription = "11222333000181";
  r.fileCrc = "0123456789";
  r.establishments = "01234";
  r.links = "123456";
  r.date = "15032007";
  r.time = "1011";
  r.hash = "0123456789abcdef0123456789abcdef";
  return r;
}

TEST(Transmission, ReceiptPathChangesOnlyTheFileNamesExtension) {
  const struct {
    const char* declaration;
    const char* receipt;
  } cases[] = {
      {"/t/Keva2006_112223330001810001G.dec", "/t/Keva2006_112223330001810001G.rec"},
      {"/media/old.dec/X.dec", "/media/old.dec/X.rec"},
      {"/t/X.DEC", "/t/X.REC"},
      {"/t/X.dec.txt", ""},
      {"/t/dec", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::delivery::receiptPath(c.declaration), fs::path(c.receipt)) << c.declaration;
}

TEST(Transmission, ReceiptIsLaidOutCheckedAndCut) {
  const auto dir = makeTempDirectory("torvex-receipt");
  const std::string line = core::delivery::composeReceipt(sampleFields());
  ASSERT_EQ(line.size(), 100u);
  EXPECT_EQ(line.substr(0, 56), "51234567811222333000181012345678901234123456150320071011");
  EXPECT_EQ(line.substr(56, 2), "  ");
  EXPECT_EQ(line.substr(90), core::delivery::crcText(core::delivery::crc32Of(line.substr(0, 90))));
  // zlib's CRC-32 of a known text, at least ten digits.
  EXPECT_EQ(core::delivery::crcText(core::delivery::crc32Of("123456789")), "3421780262");
  EXPECT_EQ(core::delivery::crcText(0), "0000000000");

  std::string tampered = line;
  tampered[40] = tampered[40] == '9' ? '8' : '9';
  const struct {
    std::string content;
    ReceiptStatus status;
  } cases[] = {
      {line + "\r\nsegunda linha\r\n", ReceiptStatus::Valid},
      {line, ReceiptStatus::Valid},
      {tampered + "\r\n", ReceiptStatus::Invalid},
      {line.substr(0, 99) + "\r\n", ReceiptStatus::Invalid},
      {"", ReceiptStatus::Invalid},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / "x.rec", std::ios::binary) << c.content;
    EXPECT_EQ(core::delivery::readReceipt(dir / "x.rec").status, c.status) << c.content;
  }
  EXPECT_EQ(core::delivery::readReceipt(dir / "none.rec").status, ReceiptStatus::Missing);

  std::ofstream(dir / "x.rec", std::ios::binary) << line << "\r\n";
  const auto reading = core::delivery::readReceipt(dir / "x.rec");
  const auto p = core::jobs::protocolParameters(reading);
  EXPECT_EQ(p.at("CREA"), "590512345678");
  EXPECT_EQ(p.at("CNPJ"), "11.222.333/0001-81");
  EXPECT_EQ(p.at("QtdEstab"), "1.234");
  EXPECT_EQ(p.at("QtdVinc"), "123.456");
  EXPECT_EQ(p.at("Data"), "15/03/2007 às ");
  EXPECT_EQ(p.at("Hora"), "10:11");
  EXPECT_EQ(p.at("Hash"), "0123.4567.89ab.cdef.0123.4567.89ab.cdef");
  EXPECT_EQ(p.at("CRCRecibo"), line.substr(90));
  fs::remove_all(dir);
}

// Two lines of a declaration file, enough for the listing: record 0 with the
// rectification indicator at 223, record 1 with inscription, prefix, name and kind.
void writeListedFile(const fs::path& file, const std::string& inscription, const std::string& prefix,
                     const std::string& name, const std::string& kind, bool rectification) {
  std::string head(527, ' ');
  head[222] = rectification ? '1' : '2';
  std::string first(527, ' ');
  first.replace(6, 14, inscription);
  first.replace(20, 2, prefix);
  first.replace(23, name.size(), name);
  first[278] = kind[0];
  std::ofstream(file, std::ios::binary) << head << "\r\n" << first << "\r\n";
}

TEST(Transmission, ListingShowsEachDeclarationWithItsState) {
  const auto dir = makeTempDirectory("torvex-listing");
  writeListedFile(dir / "Keva2006_112223330001810001G.dec", "11222333000181", "00", "ALFA LTDA", "1", false);
  writeListedFile(dir / "Keva2006_001234567890120102R.dec", "00123456789012", "01", "OBRA \xC9 BETA", "3", true);
  std::ofstream(dir / "Keva2006_001234567890120102R.rec", std::ios::binary)
      << core::delivery::composeReceipt(sampleFields()) << "\r\n";
  std::ofstream(dir / "leia.txt") << "x";
  fs::create_directory(dir / "pasta.dec");

  const auto listed = core::delivery::listDeclarations(dir);
  ASSERT_EQ(listed.size(), 2u);
  const auto& r = listed[0];  // names in order: 00123... before 11222...
  EXPECT_EQ(r.state, "Transmitida");
  EXPECT_EQ(r.crea, "590512345678");
  EXPECT_EQ(r.inscription, "12-345-67.890-1/2");
  EXPECT_EQ(r.prefix, "01");
  EXPECT_EQ(r.fileNumber, "02");
  EXPECT_EQ(r.mark, "Retificadora");
  EXPECT_EQ(r.name, "OBRA \xC3\x89 BETA");
  const auto& g = listed[1];
  EXPECT_EQ(g.state, "Gravada");
  EXPECT_EQ(g.crea, "");
  EXPECT_EQ(g.inscription, "11.222.333/0001-81");
  EXPECT_EQ(g.fileNumber, "01");
  EXPECT_EQ(g.mark, "");
  EXPECT_EQ(g.name, "ALFA LTDA");
  EXPECT_TRUE(core::delivery::listDeclarations(dir / "nenhuma").empty());
  fs::remove_all(dir);
}

// The hand-off with a scripted program: what is done and what is left, per case.
TEST(TransmitJob, HandsOffOnlyWhatIsToBeSentAndReadsTheReceipt) {
  const auto dir = makeTempDirectory("torvex-handoff");
  const fs::path transmite = dir / "Transmite";
  const fs::path declaration = transmite / "Keva2006_112223330001810001G.dec";
  const fs::path receipt = transmite / "Keva2006_112223330001810001G.rec";
  const fs::path program = dir / "trevion2006" / "trevion2006";
  fs::create_directories(program.parent_path());
  fs::create_directories(transmite);
  writeSoundDeclaration(declaration);
  const core::jobs::TransmitSettings settings{declaration, transmite, program};
  const auto leaveReceipt = [&](const std::string& line) {
    return [&, line](const fs::path&) {
      std::ofstream(receipt, std::ios::binary) << line << "\r\n";
      return core::platform::ProcessRun{true, 0, ""};
    };
  };
  std::string badCrc = core::delivery::composeReceipt(sampleFields());
  badCrc[99] = badCrc[99] == '0' ? '1' : '0';

  // Not installed: the hand-off file is written all the same, nothing runs.
  FakeProcesses processes;
  EXPECT_EQ(core::jobs::transmitDeclaration(processes, settings).result, TransmitResult::ProgramMissing);
  EXPECT_EQ(contents(transmite / "Trevion.ini"), declaration.string() + "\r\n");
  EXPECT_TRUE(processes.runs.empty());

  std::ofstream(program) << "#!/bin/sh\n";
  // The program ends without a receipt (it refused the file), then with a bad one, then a good one.
  processes.onRun = [](const fs::path&) { return core::platform::ProcessRun{true, 1, "recusado"}; };
  auto out = core::jobs::transmitDeclaration(processes, settings);
  EXPECT_EQ(out.result, TransmitResult::NoReceipt);
  EXPECT_EQ(out.run.output, "recusado");
  processes.onRun = leaveReceipt(badCrc);
  EXPECT_EQ(core::jobs::transmitDeclaration(processes, settings).result, TransmitResult::InvalidReceipt);
  fs::remove(receipt);
  // A sound receipt, but of another file: not this declaration's.
  processes.onRun = leaveReceipt(core::delivery::composeReceipt(sampleFields()));
  out = core::jobs::transmitDeclaration(processes, settings);
  EXPECT_EQ(out.result, TransmitResult::InvalidReceipt);
  EXPECT_NE(out.receipt.problem.find("o recibo não é o deste arquivo: o recibo é da inscrição 11222333000181"),
            std::string::npos)
      << out.receipt.problem;
  fs::remove(receipt);
  processes.onRun = leaveReceipt(receiptLineFor(declaration));
  out = core::jobs::transmitDeclaration(processes, settings);
  EXPECT_EQ(out.result, TransmitResult::Transmitted) << out.receipt.problem;
  EXPECT_EQ(out.receipt.fields.number, "512345678");
  EXPECT_EQ(processes.runs, std::vector<fs::path>(4, program));

  // Already transmitted: neither the hand-off file nor the program is touched.
  fs::remove(transmite / "Trevion.ini");
  EXPECT_EQ(core::jobs::transmitDeclaration(processes, settings).result, TransmitResult::AlreadyTransmitted);
  EXPECT_FALSE(fs::exists(transmite / "Trevion.ini"));
  EXPECT_EQ(processes.runs.size(), 4u);
  EXPECT_EQ(core::jobs::transmitDeclaration(processes, {transmite / "outro.dec", transmite, program}).result,
            TransmitResult::NotADeclaration);
  fs::remove_all(dir);
}

// A receipt belongs to the file beside it as that file stands: its inscription,
// counts, file CRC and digest must all agree.
TEST(Transmission, AReceiptIsValidOnlyForItsOwnFile) {
  const auto dir = makeTempDirectory("torvex-recibo");
  const fs::path declaration = dir / "Keva2006_100000000001450001G.dec";
  writeSoundDeclaration(declaration, 2, 5);
  const std::string line = receiptLineFor(declaration);
  const auto withField = [&](std::size_t from, const std::string& value) {
    std::string changed = line.substr(0, 90);
    changed.replace(from - 1, value.size(), value);
    return core::delivery::composeReceipt(core::delivery::cutReceipt(changed));
  };
  const struct {
    std::string receipt;
    const char* problem;  // empty: valid
  } cases[] = {
      {line, ""},
      {withField(10, "11222333000181"), "o recibo é da inscrição 11222333000181"},
      {withField(34, "00003"), "as quantidades de estabelecimentos e vínculos"},
      {withField(39, "000006"), "as quantidades de estabelecimentos e vínculos"},
      {withField(24, "0000000001"), "o CRC do recibo não é o do arquivo"},
      {withField(59, std::string(32, 'f')), "o código de controle (hash) do recibo não é o do arquivo"},
  };
  for (const auto& c : cases) {
    std::ofstream(core::delivery::receiptPath(declaration), std::ios::binary) << c.receipt << "\r\n";
    const auto reading = core::delivery::readReceiptOf(declaration);
    EXPECT_EQ(reading.status == ReceiptStatus::Valid, std::string(c.problem).empty()) << c.problem;
    EXPECT_NE(reading.problem.find(c.problem), std::string::npos) << reading.problem;
  }
  // The file changed after it was transmitted: its receipt no longer holds.
  std::ofstream(core::delivery::receiptPath(declaration), std::ios::binary) << line << "\r\n";
  overwriteAt(declaration, 529 + 100, "X");
  EXPECT_EQ(core::delivery::readReceiptOf(declaration).status, ReceiptStatus::Invalid);
  fs::remove_all(dir);
}

// A FIFO or a folder where a receipt or a declaration is expected is refused
// at once, never waited on; names the hand-off file cannot carry are refused.
TEST(TransmitJob, FifosFoldersAndNamesTheHandOffCannotCarryAreRefused) {
  const auto dir = makeTempDirectory("torvex-fifo");
  const fs::path transmite = dir / "Transmite";
  fs::create_directories(transmite);
  const fs::path declaration = transmite / "Keva2006_100000000001450001G.dec";
  writeSoundDeclaration(declaration, 2, 5);
  ASSERT_EQ(::mkfifo(core::delivery::receiptPath(declaration).c_str(), 0600), 0);
  const auto reading = core::delivery::readReceiptOf(declaration);
  EXPECT_EQ(reading.status, ReceiptStatus::Invalid);
  EXPECT_NE(reading.problem.find("é um FIFO, não um arquivo comum"), std::string::npos) << reading.problem;
  const auto listed = core::delivery::listDeclarations(transmite);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].state, "Transmitida");

  ASSERT_EQ(::mkfifo((transmite / "fila.dec").c_str(), 0600), 0);
  fs::create_directory(transmite / "pasta.dec");
  const fs::path withNewline = transmite / "Keva2006_1\nOUTRO.dec";
  fs::copy_file(declaration, withNewline);
  FakeProcesses processes;
  const fs::path program = dir / "trevion2006";
  const struct {
    fs::path file;
    TransmitResult result;
    const char* detail;
  } cases[] = {
      {transmite / "fila.dec", TransmitResult::NotADeclaration, "é um FIFO, não um arquivo comum"},
      {transmite / "pasta.dec", TransmitResult::NotADeclaration, "é uma pasta, não um arquivo comum"},
      {transmite / "nada.dec", TransmitResult::NotADeclaration, "arquivo não encontrado"},
      {withNewline, TransmitResult::HandOffFailed, "quebra de linha ou outro caractere de controle"},
  };
  for (const auto& c : cases) {
    const auto out = core::jobs::transmitDeclaration(processes, {c.file, transmite, program});
    EXPECT_EQ(out.result, c.result) << c.file;
    EXPECT_NE(out.detail.find(c.detail), std::string::npos) << out.detail;
  }
  EXPECT_FALSE(fs::exists(transmite / "Trevion.ini"));
  EXPECT_TRUE(processes.runs.empty());
  fs::remove_all(dir);
}

// A second hand-off from the same folder waits for the first to end.
TEST(TransmitJob, ASecondHandOffWaitsForTheFirst) {
  const auto dir = makeTempDirectory("torvex-vez");
  const fs::path transmite = dir / "Transmite";
  fs::create_directories(transmite);
  const fs::path declaration = transmite / "Keva2006_100000000001450001G.dec";
  writeSoundDeclaration(declaration, 2, 5);
  std::atomic<bool> waited{false};
  std::optional<core::delivery::HandOffLock> first(std::in_place, transmite);
  FakeProcesses processes;
  core::jobs::TransmitSettings settings{declaration, transmite, dir / "trevion2006"};
  settings.waiting = [&] { waited = true; };
  std::thread second([&] { core::jobs::transmitDeclaration(processes, settings); });
  for (int i = 0; i < 200 && !waited; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(waited);
  EXPECT_FALSE(fs::exists(transmite / "Trevion.ini"));  // nothing done while the first holds it
  first.reset();
  second.join();
  EXPECT_TRUE(fs::exists(transmite / "Trevion.ini"));
  fs::remove_all(dir);
}

// The real processes start a program and report its status and output.
TEST(TransmitJob, SystemProcessesRunAndWait) {
  core::platform::SystemProcesses processes;
  const auto run = processes.runAndWait("/bin/sh", {"-c", "echo saída; echo erro >&2; exit 3"});
  EXPECT_TRUE(run.started);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.output, "saída\nerro\n");
  EXPECT_FALSE(processes.runAndWait("/nao/existe").started);
}

// The transmission program, run as it is installed, on one declaration file.
class TransmissionProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(transmite);
    writeSoundDeclaration(declaration, 3, 10);
    core::delivery::writeHandOffFile(transmite, declaration);
  }
  void TearDown() override { fs::remove_all(dir); }
  CliResult run() {
    core::platform::SystemProcesses processes;
    const auto r = processes.runAndWait(builtTransmissionProgram(), {(transmite / "Trevion.ini").string()});
    return {r.exitCode, r.output, "", {}};
  }

  fs::path dir = makeTempDirectory("torvex-trevion");
  fs::path transmite = dir / "Transmite";
  fs::path declaration = transmite / "Keva2006_100000000001450001G.dec";
  fs::path receipt = transmite / "Keva2006_100000000001450001G.rec";
};

TEST_F(TransmissionProgram, WritesAReceiptTheProgramAcceptsAndNeverReplacesIt) {
  const auto first = run();
  ASSERT_EQ(first.status, 0) << first.out;
  const auto reading = core::delivery::readReceipt(receipt);
  ASSERT_EQ(reading.status, ReceiptStatus::Valid) << reading.line;
  EXPECT_EQ(reading.fields.establishments, "00003");
  EXPECT_EQ(reading.fields.links, "000010");
  EXPECT_EQ(reading.fields.fileCrc, core::delivery::crcText(*core::delivery::fileCrc32(declaration)));
  EXPECT_EQ(reading.fields.hash, core::delivery::checkStampedDigest(declaration).stored);
  EXPECT_EQ(reading.fields.inscription, contents(declaration).substr(529 + 6, 14));
  EXPECT_EQ(reading.fields.number[0], '5');

  const std::string before = contents(receipt);
  const auto second = run();
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.out.find("já foi transmitida"), std::string::npos) << second.out;
  EXPECT_EQ(contents(receipt), before);
}

TEST_F(TransmissionProgram, RefusesAChangedFileOrAStructureFault) {
  // A name changed after writing: the digest no longer agrees.
  overwriteAt(declaration, 529 + 23, "X");
  auto r = run();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("código de verificação do arquivo não confere"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(receipt));

  // A record type the layout lacks, with the digest stamped again: the structure is at fault.
  overwriteAt(declaration, 529 + 23, " ");
  overwriteAt(declaration, 2 * 529 + 22, "7");
  restampDigest(declaration);
  r = run();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Erro de estrutura 19"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(receipt));

  // No declaration where the hand-off file points.
  fs::remove(declaration);
  EXPECT_EQ(run().status, 2);
  EXPECT_FALSE(fs::exists(receipt));
}

}  // namespace
}  // namespace torvex::test
