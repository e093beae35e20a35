// Write runs: splitting by capacity, file names and numbers, the questions
// about files already on the destination, disks, interruption and results.
#include "core/delivery/declaration_writer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "core/delivery/file_digest.h"
#include "core/platform/output_file.h"
#include "writer_fixture.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using core::delivery::SelectedEstablishment;
using core::delivery::WriteRequest;
using core::delivery::WriteResult;
namespace button = core::platform::button;

const std::string kBase = "Keva2006_1234567800019500";

std::vector<std::string> texts(const ScriptedInteraction& ui) {
  std::vector<std::string> out;
  for (const auto& s : ui.shown) out.push_back(s.text);
  return out;
}

std::vector<std::string> protocolEstablishments(core::store::Database& db) {
  auto st = db.prepare("SELECT NuDisquete, NuPrefixoEstabelecimento, NuVinculosEstabelecimento FROM te8ProES "
                       "ORDER BY rowid");
  std::vector<std::string> out;
  while (st.step()) out.push_back(st.text(0) + " " + st.text(1) + " " + st.text(2));
  return out;
}

TEST(DeclarationWriter, HardDiskFileHolds4994RecordsAndRepeatsTheEstablishmentAfterASplit) {
  WriterBench b;
  b.addResponsible();
  b.addLinks(b.addEstablishment("12345678000195", "00", true), 5000);
  ASSERT_EQ(b.write(), WriteResult::Success);

  EXPECT_EQ(folderEntries(b.transmite), (std::vector<std::string>{kBase + "01G.dec", kBase + "02G.dec"}));
  const auto first = readRecords(b.transmite / (kBase + "01G.dec"));
  const auto second = readRecords(b.transmite / (kBase + "02G.dec"));
  ASSERT_EQ(first.size(), 4996u);
  ASSERT_EQ(second.size(), 10u);
  EXPECT_EQ(positions(first.back(), 1, 35), "004996" "12345678000195" "00" "9" "000001" "004993");
  EXPECT_EQ(positions(second[0], 1, 23), "000001" "12345678000195" "00" "0");
  // The establishment record is repeated with the new file's numbering.
  EXPECT_EQ(second[1].substr(6), first[1].substr(6));
  EXPECT_EQ(positions(second[1], 1, 6), "000002");
  EXPECT_EQ(positions(second[2], 24, 34), "10000004994");
  EXPECT_EQ(positions(second.back(), 1, 35), "000010" "12345678000195" "00" "9" "000001" "000007");

  EXPECT_EQ(protocolEstablishments(b.db), (std::vector<std::string>{"1 00 004993", "2 00 000007"}));
  const auto& res = b.last;
  EXPECT_TRUE(res.severalFiles);
  EXPECT_EQ(res.filesWritten, 2);
  EXPECT_EQ(res.lastWrittenPath, b.transmite / (kBase + "02G.dec"));
  ASSERT_EQ(res.files.size(), 2u);
  EXPECT_EQ(b.ui.progressSteps.back(), std::make_pair(std::int64_t{5001}, std::int64_t{5001}));
}

TEST(DeclarationWriter, DigestIsTheHashOfTheFileWithItsDigestFieldBlank) {
  WriterBench b;
  b.addResponsible();
  b.addLinks(b.addEstablishment("12345678000195", "00", true), 3);
  ASSERT_EQ(b.write(), WriteResult::Success);
  const auto& written = b.last.files.at(0);

  std::ifstream in(written.path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 6u * 529);
  EXPECT_EQ(bytes.substr(bytes.size() - 34, 32), written.digest);
  bytes.replace(bytes.size() - 34, 32, std::string(32, ' '));
  const fs::path copy = b.scratch / "blank.dec";
  std::ofstream(copy, std::ios::binary) << bytes;
  EXPECT_EQ(core::delivery::hashFileGenerate(copy), written.digest);
}

// After 4993 records a file has one slot left: only an establishment without links may take it.
TEST(DeclarationWriter, EstablishmentWithLinksDoesNotStartInTheLastSlot) {
  for (const bool withLinks : {true, false}) {
    WriterBench b;
    b.addResponsible();
    b.addLinks(b.addEstablishment("12345678000195", "00", true), 4992);
    const auto next = b.addEstablishment("12345678000195", "01", withLinks);
    if (withLinks) b.addLinks(next, 1);
    ASSERT_EQ(b.write(), WriteResult::Success);
    const std::vector<std::string> expected =
        withLinks ? std::vector<std::string>{"1 00 004992", "2 01 000001"}
                      : std::vector<std::string>{"1 00 004992", "1 01 000000"};
    EXPECT_EQ(protocolEstablishments(b.db), expected) << withLinks;
  }
}

TEST(DeclarationWriter, RemovableDisksAreFilledOneFileEachAndAskedFor) {
  WriterBench b;
  b.addResponsible();
  b.addLinks(b.addEstablishment("12345678000195", "00", true), 3000);
  b.insertDisk(b.diskCapacity);  // 1,457,664 bytes
  ASSERT_EQ(b.write('A'), WriteResult::Success);

  ASSERT_EQ(b.disks.size(), 2u);
  EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Insira o disquete # 2\rno drive A:"});
  EXPECT_EQ(folderEntries(b.disks[0]), std::vector<std::string>{kBase + "01G.dec"});
  EXPECT_EQ(folderEntries(b.disks[1]), std::vector<std::string>{kBase + "02G.dec"});
  EXPECT_EQ(readRecords(b.disks[0] / (kBase + "01G.dec")).size(), 2751u);
  EXPECT_LE(fs::file_size(b.disks[0] / (kBase + "01G.dec")), 1457664u);
  EXPECT_EQ(protocolEstablishments(b.db), (std::vector<std::string>{"1 00 002748", "2 00 000252"}));
  EXPECT_EQ(b.last.filesWritten, 2);
}

TEST(DeclarationWriter, FileNumbersHaveTwoDigitsUpToNine) {
  WriterBench b;
  b.addResponsible();
  for (int i = 0; i < 10; ++i) b.addEstablishment("12345678000195", "0" + std::to_string(i), false);
  // A disk this small takes one record besides records 0 and 9.
  b.diskCapacity = 2000;
  b.insertDisk(b.diskCapacity);
  ASSERT_EQ(b.write('A'), WriteResult::Success);

  ASSERT_EQ(b.disks.size(), 10u);
  EXPECT_EQ(folderEntries(b.disks[0]), std::vector<std::string>{kBase + "01G.dec"});
  EXPECT_EQ(folderEntries(b.disks[8]), std::vector<std::string>{kBase + "09G.dec"});
  EXPECT_EQ(folderEntries(b.disks[9]), std::vector<std::string>{kBase + "10G.dec"});
  EXPECT_EQ(texts(b.ui).back(), "Insira o disquete # 10\rno drive A:");
  const auto last = readRecords(b.disks[9] / (kBase + "10G.dec"));
  ASSERT_EQ(last.size(), 3u);
  EXPECT_EQ(positions(last[0], 7, 22), "12345678000195" "09");
  EXPECT_EQ(b.last.filesWritten, 10);
}

TEST(DeclarationWriter, AlreadyTransmittedFileAnsweredYesWritesTheNextNumber) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  std::ofstream(b.transmite / (kBase + "01G.dec")) << "old";
  std::ofstream(b.transmite / (kBase + "01G.rec")) << "receipt";
  ASSERT_EQ(b.write(), WriteResult::Success);

  EXPECT_EQ(texts(b.ui), std::vector<std::string>{" A declaração \"" + kBase + "01G.dec\" no drive C: .\r"
                                                   "já foi transmitida. Deseja gravar mesmo assim?"});
  EXPECT_EQ(folderEntries(b.transmite),
            (std::vector<std::string>{kBase + "01G.dec", kBase + "01G.rec", kBase + "02G.dec"}));
  EXPECT_EQ(protocolEstablishments(b.db), std::vector<std::string>{"2 00 000000"});
  EXPECT_EQ(b.last.filesWritten, 1);
  EXPECT_FALSE(b.last.severalFiles);
}

TEST(DeclarationWriter, TransmittedFileAnsweredNoInterruptsAndLeavesNoProtocol) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  std::ofstream(b.transmite / (kBase + "01G.dec")) << "old";
  std::ofstream(b.transmite / (kBase + "01G.rec")) << "receipt";
  b.ui.answers = {button::kNo};
  EXPECT_EQ(b.write(), WriteResult::Interrupted);
  EXPECT_EQ(folderEntries(b.transmite).size(), 2u);
  EXPECT_EQ(rowsOf(b.db, "te8ProID"), -1);
  EXPECT_EQ(rowsOf(b.db, "te8ProES"), -1);
}

// A removable disk that holds only this file's name is not refused as a disk with files.
TEST(DeclarationWriter, ExistingFileIsReplacedOnlyWhenAuthorised) {
  for (const char drive : {'C', 'A'})
    for (const bool authorise : {false, true}) {
      WriterBench b;
      b.addResponsible();
      b.addEstablishment("12345678000195", "00", false);
      const fs::path folder = drive == 'A' ? b.insertDisk(b.diskCapacity) : b.transmite;
      const fs::path existing = folder / (kBase + "01G.dec");
      std::ofstream(existing) << "old";
      b.ui.answers = {authorise ? button::kYes : button::kNo};
      EXPECT_EQ(b.write(drive), authorise ? WriteResult::Success : WriteResult::Interrupted);
      EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Existe um arquivo de nome \"" + kBase + "01G.dec\" no drive " +
                                                       drive + ": .\rAutoriza gravar sobre?"});
      EXPECT_EQ(fs::file_size(existing), authorise ? 3u * 529 : 3u);
    }
}

TEST(DeclarationWriter, DiskWithFilesIsRefusedUntilAnEmptyOneIsInserted) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  std::ofstream(b.insertDisk(b.diskCapacity) / "foto.jpg") << "x";
  ASSERT_EQ(b.write('A'), WriteResult::Success);
  EXPECT_EQ(texts(b.ui), (std::vector<std::string>{"O disco a ser gravado não pode conter arquivos.",
                                                    "Insira o disquete # 1\rno drive A:"}));
  EXPECT_EQ(folderEntries(b.disks.at(1)), std::vector<std::string>{kBase + "01G.dec"});
}

TEST(DeclarationWriter, MissingDiskIsAskedForUntilInsertedOrGivenUp) {
  const std::string notReady = "Disquete com problema ou não há disquete no drive A:";
  struct Case {
    std::deque<std::string> answers;
    WriteResult result;
    std::vector<std::string> shown;
  } cases[] = {
      {{button::kOk}, WriteResult::Success, {notReady}},
      {{button::kCancel, button::kNo, button::kOk}, WriteResult::Success,
       {notReady, "Deseja interromper?", notReady}},
      {{button::kCancel, button::kYes}, WriteResult::Interrupted, {notReady, "Deseja interromper?"}},
  };
  for (const auto& c : cases) {
    WriterBench b;
    b.addResponsible();
    b.addEstablishment("12345678000195", "00", false);
    b.ui.answers = c.answers;
    // The disk goes in while the last answer is being given.
    b.ui.onMessage = [&](const std::string&, const std::string&) {
      if (b.ui.answers.empty() && b.disks.empty()) b.insertDisk(b.diskCapacity);
    };
    EXPECT_EQ(b.write('a'), c.result);
    EXPECT_EQ(texts(b.ui), c.shown);
    EXPECT_EQ(rowsOf(b.db, "te8ProID"), c.result == WriteResult::Success ? 1 : -1);
  }
}

TEST(DeclarationWriter, GivingUpTheNextDiskInterruptsAndRemovesTheFinishedOne) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  b.addEstablishment("12345678000195", "01", false);
  b.diskCapacity = 2000;
  const auto first = b.insertDisk(b.diskCapacity);
  b.ui.answers = {button::kCancel, button::kYes};
  EXPECT_EQ(b.write('A'), WriteResult::Interrupted);
  EXPECT_EQ(texts(b.ui), (std::vector<std::string>{"Insira o disquete # 2\rno drive A:", "Deseja interromper?"}));
  // Half a declaration is no declaration: the first disk is left empty.
  EXPECT_TRUE(b.last.files.empty());
  EXPECT_TRUE(folderEntries(first).empty());
  EXPECT_EQ(rowsOf(b.db, "te8ProID"), -1);
}

TEST(DeclarationWriter, DiskBelowTheMinimumCapacityFails) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  b.insertDisk(1409);
  EXPECT_EQ(b.write('A'), WriteResult::Failed);
  EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Espaço disponível para gravação abaixo do mínimo aceitável."});
  EXPECT_TRUE(folderEntries(b.disks[0]).empty());
}

TEST(DeclarationWriter, InterruptionConfirmedStopsAndLeavesNoProtocolTables) {
  struct Case {
    long stopAfterEvents;
    std::string answer;
    WriteResult result;
    std::size_t records;  // in the file left behind; 0: no file
  } cases[] = {
      {1, button::kYes, WriteResult::Interrupted, 0},  // before any file was created
      {3, button::kYes, WriteResult::Interrupted, 0},  // the file begun is removed
      {3, button::kNo, WriteResult::Success, 8},
  };
  for (const auto& c : cases) {
    WriterBench b;
    b.addResponsible();
    b.addLinks(b.addEstablishment("12345678000195", "00", true), 5);
    b.ui.stopAfterEvents = c.stopAfterEvents;
    b.ui.answers = {c.answer};
    EXPECT_EQ(b.write(), c.result);
    EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Deseja interromper?"});
    const bool done = c.result == WriteResult::Success;
    EXPECT_EQ(rowsOf(b.db, "te8ProID"), done ? 1 : -1);
    EXPECT_EQ(rowsOf(b.db, "te8ProES"), done ? 1 : -1);
    const fs::path file = b.transmite / (kBase + "01G.dec");
    ASSERT_EQ(folderEntries(b.transmite).size(), c.records > 0 ? 1u : 0u);
    ASSERT_EQ(fs::exists(file), c.records > 0);
    if (c.records > 0) {
      EXPECT_EQ(readRecords(file).size(), c.records);
    }
  }
}

TEST(DeclarationWriter, SelectionIsWrittenInListOrderSkippingUnmarkedEntries) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  b.addEstablishment("12345678000195", "01", false);
  b.addEstablishment("12345678000276", "00", false);
  WriteRequest r;
  r.selection = std::vector<SelectedEstablishment>{{{"2006", "12345678000276", "00"}, true},
                                                   {{"2006", "12345678000195", "01"}, false},
                                                   {{"2006", "12345678000195", "00"}, true}};
  ASSERT_EQ(b.write(r), WriteResult::Success);
  EXPECT_EQ(folderEntries(b.transmite), std::vector<std::string>{"Keva2006_1234567800027600" "01G.dec"});
  const auto rec = readRecords(b.last.lastWrittenPath);
  ASSERT_EQ(rec.size(), 4u);
  EXPECT_EQ(positions(rec[1], 7, 22) + " " + positions(rec[2], 7, 22), "1234567800027600 1234567800019500");
}

TEST(DeclarationWriter, SelectedEstablishmentThatIsGoneFailsAndRemovesTheFile) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  WriteRequest r;
  r.selection = std::vector<SelectedEstablishment>{{{"2006", "12345678000195", "00"}, true},
                                                   {{"2006", "99999999000199", "00"}, true}};
  EXPECT_EQ(b.write(r), WriteResult::Failed);
  EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Erro na leitura dos dados para gravação do arquivo Keva2006!"});
  EXPECT_EQ(b.ui.shown[0].kind, core::platform::DialogKind::Error);
  EXPECT_TRUE(folderEntries(b.transmite).empty());
  EXPECT_EQ(rowsOf(b.db, "te8ProID"), -1);
}

TEST(DeclarationWriter, SplitDeclarationThatFailsLeavesNoneOfItsFiles) {
  WriterBench b;
  b.addResponsible();
  b.addLinks(b.addEstablishment("12345678000195", "00", true), 4995);  // two files
  WriteRequest r;
  r.selection = std::vector<SelectedEstablishment>{{{"2006", "12345678000195", "00"}, true},
                                                   {{"2006", "99999999000199", "00"}, true}};
  EXPECT_EQ(b.write(r), WriteResult::Failed);
  EXPECT_TRUE(folderEntries(b.transmite).empty());
  EXPECT_TRUE(b.last.files.empty());
  // A second run is not asked about leftovers of the first one.
  b.ui.shown.clear();
  EXPECT_EQ(b.write(), WriteResult::Success);
  EXPECT_TRUE(texts(b.ui).empty());
}

// The hard disk's files take their names together once the last one is
// complete: a run stopped half-way (killed, power gone) leaves only temporary
// files, which the next run removes.
TEST(DeclarationWriter, TheFilesOfASplitDeclarationAreNamedOnlyAtTheEnd) {
  WriterBench b;
  b.addResponsible();
  b.addLinks(b.addEstablishment("12345678000195", "00", true), 4995);  // two files
  b.ui.stopAfterEvents = 4998;                                          // inside the second file
  b.ui.answers = {button::kNo};
  std::vector<std::string> duringSecondFile;
  b.ui.onMessage = [&](const std::string&, const std::string&) { duringSecondFile = folderEntries(b.transmite); };
  ASSERT_EQ(b.write(), WriteResult::Success);
  ASSERT_EQ(duringSecondFile.size(), 2u);
  for (const auto& name : duringSecondFile) EXPECT_NE(name.find(".dec.parcial-"), std::string::npos) << name;
  EXPECT_EQ(folderEntries(b.transmite), (std::vector<std::string>{kBase + "01G.dec", kBase + "02G.dec"}));
}

TEST(DeclarationWriter, LeftoversOfAKilledRunAreRemovedAndPlantedLinksAreNeverWrittenThrough) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  // A run killed while writing: its temporary file stays behind.
  const pid_t child = ::fork();
  if (child == 0) {
    auto* killed = new core::platform::OutputFile(b.transmite / (kBase + "01G.dec"));
    killed->write("metade de um arquivo");
    killed->flush();
    ::_exit(0);
  }
  ::waitpid(child, nullptr, 0);
  // Links planted at the names a writer might take, and at the final name.
  const fs::path victim = b.scratch / "vitima.txt";
  std::ofstream(victim) << "intocado";
  fs::create_symlink(victim, b.transmite / (kBase + "01G.dec.parcial"));
  fs::create_symlink(victim, b.transmite / (kBase + "01G.dec"));
  std::ofstream(b.transmite / "notas.txt.parcial-1-0000abcd") << "de outro programa";
  ASSERT_EQ(folderEntries(b.transmite).size(), 4u);

  b.ui.answers = {button::kYes};  // overwrite the (linked) final name
  ASSERT_EQ(b.write(), WriteResult::Success);
  EXPECT_EQ(folderEntries(b.transmite), (std::vector<std::string>{kBase + "01G.dec", kBase + "01G.dec.parcial",
                                                                  "notas.txt.parcial-1-0000abcd"}));
  EXPECT_FALSE(fs::is_symlink(b.transmite / (kBase + "01G.dec")));
  EXPECT_EQ(fs::file_size(b.transmite / (kBase + "01G.dec")), 3u * 529);
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "intocado");
}

TEST(DeclarationWriter, MissingHardDiskFolderFails) {
  WriterBench b;
  b.addResponsible();
  b.addEstablishment("12345678000195", "00", false);
  fs::remove_all(b.transmite);
  EXPECT_EQ(b.write(), WriteResult::Failed);
  EXPECT_EQ(texts(b.ui), std::vector<std::string>{"Disco com problema ou não há disco na unidade."});
  EXPECT_EQ(b.last.failureCause, "a pasta de destino não existe: " + b.transmite.string());
}

}  // namespace
}  // namespace torvex::test
