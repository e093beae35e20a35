#include "core/maintenance/backup_archive.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "support/archive_bytes.h"
#include "support/temp_data_folder.h"

namespace torvex::core::maintenance {
namespace {

namespace fs = std::filesystem;
using namespace test::archive_bytes;

std::string randomBytes(std::size_t n, unsigned seed = 7) {
  std::mt19937 gen(seed);
  std::string out(n, '\0');
  for (auto& c : out) c = static_cast<char>(gen());
  return out;
}

// Volumes kept in memory, each limited to `limit` bytes (0: none).
struct MemoryVolumes : ArchiveVolumeWriter, ArchiveVolumeReader {
  std::int64_t limit = 0;
  std::vector<std::string> volumes;
  std::vector<int> ended;
  std::istringstream current;

  std::optional<std::int64_t> begin(int volume) override {
    volumes.resize(static_cast<std::size_t>(volume));
    return limit;
  }
  void write(std::string_view bytes) override { volumes.back() += bytes; }
  void end(int volume) override { ended.push_back(volume); }
  std::istream* open(int volume) override {
    if (volume < 1 || static_cast<std::size_t>(volume) > volumes.size()) return nullptr;
    current.str(volumes[static_cast<std::size_t>(volume) - 1]);
    current.clear();
    return &current;
  }
};

struct MemoryEntries : ArchiveEntryWriter {
  std::vector<std::pair<std::string, std::string>> files;
  void begin(const std::string& name, std::uint32_t) override { files.push_back({name, {}}); }
  void write(std::string_view bytes) override { files.back().second += bytes; }
  void end() override {}
};

struct StopAfter : ArchiveRun {
  int left;
  explicit StopAfter(int n) : left(n) {}
  bool stopRequested() override { return left-- <= 0; }
};

class BackupArchive : public ::testing::Test {
 protected:
  ~BackupArchive() override { fs::remove_all(dir); }
  ArchiveInput input(const std::string& name, const std::string& bytes) {
    const fs::path file = dir / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return {name, file};
  }
  MemoryVolumes write(const std::vector<std::pair<std::string, std::string>>& files, std::int64_t limit = 0) {
    std::vector<ArchiveInput> inputs;
    for (const auto& [name, bytes] : files) inputs.push_back(input(name, bytes));
    MemoryVolumes volumes;
    volumes.limit = limit;
    ArchiveRun run;
    EXPECT_EQ(writeArchive("Keva2006", inputs, volumes, run), ArchiveResult::Done);
    return volumes;
  }
  static MemoryEntries read(MemoryVolumes& volumes) {
    MemoryEntries entries;
    ArchiveRun run;
    EXPECT_EQ(readArchive(volumes, entries, run), ArchiveResult::Done);
    return entries;
  }
  fs::path dir = test::makeTempDirectory("torvex-archive");
};

// The block lengths of the one entry of a single-volume archive.
std::vector<std::int32_t> blockLengths(const std::string& archive) {
  std::size_t at = 4 + static_cast<std::size_t>(readLe32(archive, 0)) + 8;
  at += 4 + static_cast<std::size_t>(readLe32(archive, at)) + 4;
  EXPECT_EQ(archive.substr(at, 4), std::string("EC2\0", 4));
  at += 4;
  std::vector<std::int32_t> out;
  for (std::int32_t n; (n = readLe32(archive, at)) != 0; at += 4 + static_cast<std::size_t>(n < 0 ? -n : n))
    out.push_back(n);
  return out;
}

TEST_F(BackupArchive, FilesOfEveryShapeComeBackAsTheyWere) {
  const std::string incompressible = randomBytes(kArchiveBlockSize);
  const std::vector<std::pair<std::string, std::string>> files{
      {"vazio.db", ""},
      {"um.db", "x"},
      {"tres_blocos.db", std::string(3 * kArchiveBlockSize, 'a')},
      {"aleatorio.db", incompressible},
      {"misto.db", std::string(kArchiveBlockSize + 5, 'b') + randomBytes(40000, 3)},
  };
  MemoryVolumes volumes = write(files);
  ASSERT_EQ(volumes.volumes.size(), 1u);
  const std::string& archive = volumes.volumes[0];
  EXPECT_EQ(archive.substr(0, 12), le32(8) + "Keva2006");
  std::int64_t total = 0;
  for (const auto& f : files) total += static_cast<std::int64_t>(f.second.size());
  EXPECT_EQ(readLe32(archive, 12), total);
  EXPECT_EQ(readLe32(archive, 16), 5);
  EXPECT_EQ(archive.substr(archive.size() - 4), le32(0));
  EXPECT_EQ(read(volumes).files, files);
}

TEST_F(BackupArchive, EachPieceIsItsOwnBlockAndAnIncompressiblePieceIsStored) {
  const std::string piece = randomBytes(kArchiveBlockSize);
  const std::string archive = write({{"a.db", piece}}).volumes[0];
  EXPECT_EQ(blockLengths(archive), std::vector<std::int32_t>{-static_cast<std::int32_t>(kArchiveBlockSize)});
  EXPECT_NE(archive.find(le32(-static_cast<std::int32_t>(kArchiveBlockSize)) + piece), std::string::npos);

  const auto lengths = blockLengths(write({{"b.db", std::string(4 * kArchiveBlockSize, 'z')}}).volumes[0]);
  ASSERT_EQ(lengths.size(), 4u);
  for (const auto n : lengths) EXPECT_GT(n, 0);
}

TEST_F(BackupArchive, AFullVolumeEndsItsSectionAndTheFileGoesOnInTheNext) {
  const std::int64_t limit = 40000;
  const std::vector<std::pair<std::string, std::string>> files{{"a.db", randomBytes(100000)},
                                                               {"b.db", std::string(50000, 'q')}};
  MemoryVolumes volumes = write(files, limit);
  ASSERT_GE(volumes.volumes.size(), 3u);
  EXPECT_EQ(volumes.ended.size(), volumes.volumes.size());
  for (std::size_t i = 0; i < volumes.volumes.size(); ++i) {
    const std::string& v = volumes.volumes[i];
    EXPECT_LE(static_cast<std::int64_t>(v.size()), limit) << i;
    if (i > 0) {
      EXPECT_EQ(v.substr(0, 4), kSection) << i;
    }
    if (i + 1 < volumes.volumes.size()) {
      const std::string next = "00" + std::to_string(i + 2);
      EXPECT_EQ(v.substr(v.size() - 20), le32(0) + le32(12) + "NEXT:DISK" + next.substr(next.size() - 3)) << i;
    }
  }
  EXPECT_EQ(read(volumes).files, files);
}

TEST_F(BackupArchive, ArchiveVolumesAreNamedAfterTheFirst) {
  EXPECT_EQ(archiveVolumePath("/m/Keva2006.bkp", 1), fs::path("/m/Keva2006.bkp"));
  EXPECT_EQ(archiveVolumePath("/m/Keva2006.bkp", 2), fs::path("/m/Keva2006.002"));
  EXPECT_EQ(archiveVolumePath("/m/Keva2006.BKP", 12), fs::path("/m/Keva2006.012"));
}

TEST_F(BackupArchive, DosDateAndTimeGoBothWays) {
  std::tm t{};
  t.tm_year = 106, t.tm_mon = 2, t.tm_mday = 15, t.tm_hour = 14, t.tm_min = 31, t.tm_sec = 58, t.tm_isdst = -1;
  const std::time_t when = std::mktime(&t);
  const std::uint32_t dos = dosDateTime(when);
  EXPECT_EQ(dos >> 16, (26u << 9) | (3u << 5) | 15u);
  EXPECT_EQ(dos & 0xFFFF, (14u << 11) | (31u << 5) | 29u);
  EXPECT_EQ(fromDosDateTime(dos), when);
}

TEST_F(BackupArchive, AStopBetweenBlocksEndsTheRunWithoutError) {
  std::vector<ArchiveInput> inputs{input("a.db", std::string(5 * kArchiveBlockSize, 'a'))};
  MemoryVolumes volumes;
  StopAfter writing(2);
  EXPECT_EQ(writeArchive("Keva2006", inputs, volumes, writing), ArchiveResult::Stopped);

  MemoryVolumes whole = write({{"a.db", std::string(5 * kArchiveBlockSize, 'a')}});
  MemoryEntries entries;
  StopAfter reading(2);
  EXPECT_EQ(readArchive(whole, entries, reading), ArchiveResult::Stopped);
}

TEST_F(BackupArchive, ADamagedOrHostileArchiveIsRefusedWithItsCause) {
  const std::string good = header(3, 1) + entry("a.db") + kSection + compressedBlock("abc") + le32(0) + le32(0);
  struct Case {
    const char* name;
    std::vector<std::string> volumes;
    ArchiveFault fault;
    const char* cause;
  };
  const std::vector<Case> cases{
      {"truncated header", {good.substr(0, 10)}, ArchiveFault::CannotReadArchive, "termina antes do fim"},
      {"truncated block", {good.substr(0, good.size() - 9)}, ArchiveFault::CannotReadArchive, "termina antes do fim"},
      {"no end mark", {good.substr(0, good.size() - 4)}, ArchiveFault::CannotReadArchive, "termina antes do fim"},
      {"block inflating past a block",
       {header(kArchiveBlockSize + 1, 1) + entry("a.db") + kSection +
        compressedBlock(std::string(kArchiveBlockSize + 1, 'x')) + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "além de 16384 bytes"},
      {"block longer than a block",
       {header(3, 1) + entry("a.db") + kSection + le32(kArchiveBlockSize + 1) + std::string(kArchiveBlockSize + 1, 'x')},
       ArchiveFault::CannotReadArchive, "tamanho impossível"},
      {"stored block beyond the file", {header(3, 1) + entry("a.db") + kSection + le32(-1000) + "abc"},
       ArchiveFault::CannotReadArchive, "termina antes do fim"},
      {"bytes after a stream",
       {header(3, 1) + entry("a.db") + kSection + [] {
          std::string b = compressedBlock("abc");
          return le32(readLe32(b, 0) + 2) + b.substr(4) + "zz";
        }() + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "bytes depois do seu fim"},
      {"garbage stream", {header(3, 1) + entry("a.db") + kSection + le32(6) + "abcdef" + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "danificado"},
      {"huge count", {header(3, 2000000000) + entry("a.db") + kSection + compressedBlock("abc") + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "menos arquivos"},
      {"total too small", {header(2, 1) + entry("a.db") + kSection + compressedBlock("abc") + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "mais bytes"},
      {"more entries than counted",
       {header(6, 1) + entry("a.db") + kSection + compressedBlock("abc") + le32(0) + entry("b.db") + kSection +
        compressedBlock("abc") + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "mais arquivos"},
      {"name length beyond limits", {header(3, 1) + le32(0x7FFFFFFF) + "a"}, ArchiveFault::CannotReadArchive,
       "nome de um arquivo"},
      {"negative title", {le32(-5) + "Keva"}, ArchiveFault::CannotReadArchive, "título"},
      {"volume out of order",
       {header(3, 1) + entry("a.db") + kSection + le32(0) + le32(12) + "NEXT:DISK001",
        kSection + compressedBlock("abc") + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "fora de ordem"},
      {"volume change before any file", {header(0, 0) + le32(12) + "NEXT:DISK002", kSection + le32(0) + le32(0)},
       ArchiveFault::CannotReadArchive, "fora de ordem"},
      {"volume record misspelt", {header(3, 1) + entry("a.db") + kSection + le32(0) + le32(12) + "NEXT:DISKabc"},
       ArchiveFault::CannotReadArchive, "troca de volume"},
      {"missing volume ends",
       {header(3, 1) + entry("a.db") + kSection + le32(0) + le32(12) + "NEXT:DISK002", kSection + compressedBlock("ab")},
       ArchiveFault::CannotReadArchive, "termina antes do fim"},
      {"old compressor", {header(3, 1) + entry("a.db") + std::string("ECS\0", 4) + le32(7)},
       ArchiveFault::InvalidArchiveType, "(ECS)"},
      {"unknown section", {header(3, 1) + entry("a.db") + "ZIP!" + le32(7)}, ArchiveFault::InvalidArchiveType,
       "tipo conhecido"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryVolumes volumes;
    volumes.volumes = c.volumes;
    MemoryEntries entries;
    ArchiveRun run;
    try {
      readArchive(volumes, entries, run);
      ADD_FAILURE() << "read";
    } catch (const ArchiveError& e) {
      EXPECT_EQ(e.fault(), c.fault);
      EXPECT_NE(e.cause().find(c.cause), std::string::npos) << e.cause();
    }
  }
  MemoryVolumes volumes;
  volumes.volumes = {good};
  EXPECT_EQ(read(volumes).files, (std::vector<std::pair<std::string, std::string>>{{"a.db", "abc"}}));
}

}  // namespace
}  // namespace torvex::core::maintenance
