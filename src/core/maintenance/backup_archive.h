#pragma once
// The backup archive (.bkp, continued in .002, .003, ...): its writer and
// reader, independent of where the volumes live.
//
// Layout, every integer 32-bit little-endian signed:
//   title      length L, then L bytes ("Keva" + base year)
//   total      sum of the sizes of the archived files
//   count      number of archived files
//   entries    per file: name length N > 0 and N bytes, the DOS date and time,
//              then one or more sections holding the file's bytes in order
//   end        0
// A section "EC2\0" holds blocks until a 0: n > 0 is a zlib stream that
// inflates to at most 16384 bytes, n < 0 is |n| bytes stored as they are.
// When a volume fills up inside a file the section ends, the record
// (12, "NEXT:DISK" + three digits of the next volume) follows, and the file
// continues with a new section at the start of that volume.
// Sections "ECS\0" (another compressor) are refused when read and never written.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::core::maintenance {

inline constexpr std::size_t kArchiveBlockSize = 16384;
// No block is started once a volume holds its maximum size less this many bytes.
inline constexpr std::int64_t kVolumeHeadroom = 16484;
// The longest title and entry name a reader accepts.
inline constexpr std::int32_t kMaxArchiveTitle = 255;
inline constexpr std::int32_t kMaxArchiveName = 1024;

// The archive component's errors, numbered as its callers know them.
enum class ArchiveFault {
  CannotReadFile = 1,
  OverwritingFailed = 2,
  CannotReadArchive = 3,
  CannotWriteArchive = 4,
  InvalidArchiveType = 5,
  CompressionError = 6,
  CannotCreateTemporary = 7,
};

// The component's own text of an error number ("Cannot read archive").
const char* archiveFaultText(ArchiveFault fault);

// A failed archive operation: the component's number and text (what()), and
// the cause in Portuguese for the user.
class ArchiveError : public std::runtime_error {
 public:
  ArchiveError(ArchiveFault fault, std::string cause);
  ArchiveFault fault() const { return fault_; }
  int number() const { return static_cast<int>(fault_); }
  const std::string& cause() const { return cause_; }

 private:
  ArchiveFault fault_;
  std::string cause_;
};

// The file of volume `volume` of an archive: the archive itself for 1, else
// its name with the extension replaced by "." and three digits (".002").
std::filesystem::path archiveVolumePath(const std::filesystem::path& archive, int volume);

// A file's time as a DOS date and time (date in the high 16 bits), in local
// time; and back. Times before 1980 are stored as 1 January 1980.
std::uint32_t dosDateTime(std::time_t time);
std::time_t fromDosDateTime(std::uint32_t value);

// What the host of a run offers it between blocks.
class ArchiveRun {
 public:
  virtual ~ArchiveRun() = default;
  // Bytes processed out of the archive's total.
  virtual void progress(std::int64_t /*done*/, std::int64_t /*total*/) {}
  // Whether the run must stop now (asked between blocks).
  virtual bool stopRequested() { return false; }
};

enum class ArchiveResult { Done, Stopped };

// ---------------------------------------------------------------- writing

// Where the writer puts each volume's bytes.
class ArchiveVolumeWriter {
 public:
  virtual ~ArchiveVolumeWriter() = default;
  // Starts volume `volume` (1 is the archive file itself) and answers the most
  // bytes it may hold (0: no limit); nullopt when the user gives up.
  virtual std::optional<std::int64_t> begin(int volume) = 0;
  // Throws ArchiveError (CannotWriteArchive) when the bytes cannot be written.
  virtual void write(std::string_view bytes) = 0;
  // The volume holds all its bytes.
  virtual void end(int volume) = 0;
};

struct ArchiveInput {
  std::string name;            // the entry's name in the archive
  std::filesystem::path file;  // where its bytes are read
};

// Writes an archive of `inputs` under `title`; answers Stopped when the host
// stopped it or gave up a volume (the volumes begun are then left to the
// writer's owner to discard). Throws ArchiveError.
ArchiveResult writeArchive(std::string_view title, const std::vector<ArchiveInput>& inputs,
                           ArchiveVolumeWriter& volumes, ArchiveRun& run);

// ---------------------------------------------------------------- reading

// Where the reader finds each volume.
class ArchiveVolumeReader {
 public:
  virtual ~ArchiveVolumeReader() = default;
  // The stream of volume `volume` (1 is the archive file itself), valid until
  // the next call; nullptr when the user gives up. Throws ArchiveError when it
  // cannot be opened.
  virtual std::istream* open(int volume) = 0;
};

// Where the reader puts each entry's bytes.
class ArchiveEntryWriter {
 public:
  virtual ~ArchiveEntryWriter() = default;
  // A new entry; throws ArchiveError to refuse it.
  virtual void begin(const std::string& name, std::uint32_t dosDate) = 0;
  virtual void write(std::string_view bytes) = 0;
  virtual void end() = 0;
};

struct ArchiveHeader {
  std::string title;
  std::int32_t total = 0;
  std::int32_t count = 0;
};

// Reads the header at the start of an archive; throws ArchiveError
// (CannotReadArchive) when it is not one.
ArchiveHeader readArchiveHeader(std::istream& in);

// Reads every entry of the archive into `entries`. Anything that does not
// follow the layout (a length beyond the file or beyond the limits, a block
// inflating past 16384 bytes or leaving bytes unread, volumes out of order,
// entries or bytes other than the header's count and total) throws
// ArchiveError before more than the block at fault reaches `entries`.
ArchiveResult readArchive(ArchiveVolumeReader& volumes, ArchiveEntryWriter& entries, ArchiveRun& run);

}  // namespace torvex::core::maintenance
