#include "core/maintenance/backup_archive.h"

#include <zlib.h>

#include <array>
#include <chrono>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>

namespace torvex::core::maintenance {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSectionCompressed{"EC2\0", 4};
constexpr std::string_view kSectionOldCompressor{"ECS\0", 4};
constexpr std::string_view kNextDisk = "NEXT:DISK";
constexpr std::int32_t kNextDiskLength = 12;

std::string int32Bytes(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
          static_cast<char>((u >> 24) & 0xFF)};
}

std::string lengthAndBytes(std::string_view bytes) {
  return int32Bytes(static_cast<std::int32_t>(bytes.size())) + std::string(bytes);
}

std::string nextDiskRecord(int volume) {
  std::string digits = std::to_string(volume);
  digits.insert(0, 3 - std::min<std::size_t>(3, digits.size()), '0');
  return lengthAndBytes(std::string(kNextDisk) + digits);
}

[[noreturn]] void damaged(const std::string& cause) { throw ArchiveError(ArchiveFault::CannotReadArchive, cause); }

// ---------------------------------------------------------------- deflate / inflate

// One zlib stream reused for every block (reset between them).
class Deflater {
 public:
  Deflater() {
    if (deflateInit(&z_, 1) != Z_OK)
      throw ArchiveError(ArchiveFault::CompressionError, "não foi possível preparar a compressão.");
  }
  ~Deflater() { deflateEnd(&z_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // The block for `piece`: its length (negative when stored) and its bytes.
  std::string block(std::string_view piece) {
    deflateReset(&z_);
    z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
    z_.avail_in = static_cast<uInt>(piece.size());
    z_.next_out = out_.data();
    z_.avail_out = static_cast<uInt>(out_.size());
    const int rc = deflate(&z_, Z_FINISH);
    if (rc == Z_STREAM_END) {
      const auto produced = out_.size() - z_.avail_out;
      return int32Bytes(static_cast<std::int32_t>(produced)) +
             std::string(reinterpret_cast<const char*>(out_.data()), produced);
    }
    if (rc != Z_OK && rc != Z_BUF_ERROR)
      throw ArchiveError(ArchiveFault::CompressionError, "falha na compressão de um bloco.");
    // The compressed piece would not fit the block: kept as it is.
    return int32Bytes(-static_cast<std::int32_t>(piece.size())) + std::string(piece);
  }

 private:
  z_stream z_{};
  std::array<Bytef, kArchiveBlockSize> out_{};
};

class Inflater {
 public:
  Inflater() {
    if (inflateInit(&z_) != Z_OK)
      throw ArchiveError(ArchiveFault::CompressionError, "não foi possível preparar a descompressão.");
  }
  ~Inflater() { inflateEnd(&z_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // The bytes of one compressed block; it must be one whole stream that fills
  // at most one block and uses every byte given.
  std::string_view block(const std::string& in) {
    inflateReset(&z_);
    z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z_.avail_in = static_cast<uInt>(in.size());
    z_.next_out = out_.data();
    z_.avail_out = static_cast<uInt>(out_.size());
    const int rc = inflate(&z_, Z_FINISH);
    if (rc != Z_STREAM_END) {
      if (z_.avail_out == 0) damaged("um bloco se expande além de " + std::to_string(kArchiveBlockSize) + " bytes.");
      damaged("um bloco comprimido está danificado.");
    }
    if (z_.avail_in != 0) damaged("um bloco comprimido tem bytes depois do seu fim.");
    return {reinterpret_cast<const char*>(out_.data()), out_.size() - z_.avail_out};
  }

 private:
  z_stream z_{};
  std::array<Bytef, kArchiveBlockSize> out_{};
};

// ---------------------------------------------------------------- writer

class Writer {
 public:
  explicit Writer(ArchiveVolumeWriter& volumes) : volumes_(volumes) {}

  bool start() {
    const auto limit = volumes_.begin(1);
    if (!limit) return false;
    limit_ = *limit;
    return true;
  }

  void put(std::string_view bytes) {
    volumes_.write(bytes);
    held_ += static_cast<std::int64_t>(bytes.size());
  }

  // Before each block: a full volume ends here and the file goes on in the next.
  bool roomForBlock() {
    if (limit_ <= 0 || held_ < limit_ - kVolumeHeadroom || blocksInVolume_ == 0) return true;
    put(int32Bytes(0));
    put(nextDiskRecord(volume_ + 1));
    volumes_.end(volume_);
    ++volume_;
    const auto limit = volumes_.begin(volume_);
    if (!limit) return false;
    limit_ = *limit;
    held_ = 0;
    blocksInVolume_ = 0;
    put(kSectionCompressed);
    return true;
  }

  void putBlock(const std::string& block) {
    put(block);
    ++blocksInVolume_;
  }

  void finish() { volumes_.end(volume_); }

 private:
  ArchiveVolumeWriter& volumes_;
  int volume_ = 1;
  std::int64_t limit_ = 0;
  std::int64_t held_ = 0;
  int blocksInVolume_ = 0;
};

std::int32_t checkedSize(std::int64_t size, const std::string& what) {
  if (size > std::numeric_limits<std::int32_t>::max())
    throw ArchiveError(ArchiveFault::CannotReadFile,
                       what + " passa de 2 GB, o maior tamanho que uma cópia de segurança guarda.");
  return static_cast<std::int32_t>(size);
}

// ---------------------------------------------------------------- reader

class Reader {
 public:
  explicit Reader(ArchiveVolumeReader& volumes) : volumes_(volumes) {}

  bool open(int volume) {
    in_ = volumes_.open(volume);
    volume_ = volume;
    return in_ != nullptr;
  }

  std::string bytes(std::int64_t count) {
    std::string out(static_cast<std::size_t>(count), '\0');
    if (count > 0 && !in_->read(out.data(), static_cast<std::streamsize>(count)))
      damaged("o volume " + std::to_string(volume_) + " termina antes do fim da cópia.");
    return out;
  }

  std::int32_t int32() {
    const std::string b = bytes(4);
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(u);
  }

  int volume() const { return volume_; }

 private:
  ArchiveVolumeReader& volumes_;
  std::istream* in_ = nullptr;
  int volume_ = 0;
};

// The volume a NEXT:DISK record names; 0 when the name is no such record.
int nextDiskVolume(const std::string& name) {
  if (name.compare(0, kNextDisk.size(), kNextDisk) != 0) return 0;
  const std::string digits = name.substr(kNextDisk.size());
  if (name.size() != static_cast<std::size_t>(kNextDiskLength) ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    damaged("um registro de troca de volume está danificado.");
  return std::stoi(digits);
}

ArchiveHeader readHeader(Reader& in) {
  ArchiveHeader header;
  const std::int32_t length = in.int32();
  if (length < 0 || length > kMaxArchiveTitle) damaged("o título da cópia está danificado.");
  header.title = in.bytes(length);
  header.total = in.int32();
  header.count = in.int32();
  if (header.total < 0 || header.count < 0) damaged("o cabeçalho da cópia está danificado.");
  return header;
}

}  // namespace

// ---------------------------------------------------------------- public

const char* archiveFaultText(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::CannotReadFile: return "Cannot read file";
    case ArchiveFault::OverwritingFailed: return "Overwriting file failed";
    case ArchiveFault::CannotReadArchive: return "Cannot read archive";
    case ArchiveFault::CannotWriteArchive: return "Cannot write to archive";
    case ArchiveFault::InvalidArchiveType: return "Invalid archive type";
    case ArchiveFault::CompressionError: return "Compression error";
    case ArchiveFault::CannotCreateTemporary: return "Cannot create temporary file to save the file IDs";
  }
  return "";
}

ArchiveError::ArchiveError(ArchiveFault fault, std::string cause)
    : std::runtime_error(archiveFaultText(fault)), fault_(fault), cause_(std::move(cause)) {}

fs::path archiveVolumePath(const fs::path& archive, int volume) {
  if (volume <= 1) return archive;
  std::string digits = std::to_string(volume);
  digits.insert(0, 3 - std::min<std::size_t>(3, digits.size()), '0');
  fs::path out = archive;
  out.replace_extension("." + digits);
  return out;
}

std::uint32_t dosDateTime(std::time_t time) {
  std::tm t{};
  localtime_r(&time, &t);
  if (t.tm_year < 80) return (1u << 5 | 1u) << 16;
  const auto date = static_cast<std::uint32_t>(((t.tm_year - 80) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
  const auto clock = static_cast<std::uint32_t>((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
  return date << 16 | clock;
}

std::time_t fromDosDateTime(std::uint32_t value) {
  std::tm t{};
  const std::uint32_t date = value >> 16;
  const std::uint32_t clock = value & 0xFFFF;
  t.tm_year = static_cast<int>((date >> 9) + 80);
  t.tm_mon = static_cast<int>(((date >> 5) & 0x0F)) - 1;
  t.tm_mday = static_cast<int>(date & 0x1F);
  t.tm_hour = static_cast<int>(clock >> 11);
  t.tm_min = static_cast<int>((clock >> 5) & 0x3F);
  t.tm_sec = static_cast<int>((clock & 0x1F) * 2);
  t.tm_isdst = -1;
  return std::mktime(&t);
}

ArchiveResult writeArchive(std::string_view title, const std::vector<ArchiveInput>& inputs,
                           ArchiveVolumeWriter& volumes, ArchiveRun& run) {
  std::int64_t total = 0;
  std::vector<std::int64_t> sizes;
  for (const auto& input : inputs) {
    std::error_code ec;
    const auto size = fs::file_size(input.file, ec);
    if (ec)
      throw ArchiveError(ArchiveFault::CannotReadFile, "não foi possível ler o arquivo " + input.file.string() + ".");
    sizes.push_back(static_cast<std::int64_t>(size));
    total += static_cast<std::int64_t>(size);
  }
  Writer out(volumes);
  if (!out.start()) return ArchiveResult::Stopped;
  out.put(lengthAndBytes(title));
  out.put(int32Bytes(checkedSize(total, "O conjunto de arquivos")));
  out.put(int32Bytes(static_cast<std::int32_t>(inputs.size())));

  Deflater deflater;
  std::string piece(kArchiveBlockSize, '\0');
  std::int64_t done = 0;
  run.progress(0, total);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const auto& input = inputs[i];
    std::ifstream in(input.file, std::ios::binary);
    if (!in)
      throw ArchiveError(ArchiveFault::CannotReadFile, "não foi possível ler o arquivo " + input.file.string() + ".");
    std::error_code ec;
    const auto modified = fs::last_write_time(input.file, ec);
    const auto when =
        ec ? std::time_t{0} : std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(modified));
    out.put(lengthAndBytes(input.name));
    out.put(int32Bytes(static_cast<std::int32_t>(dosDateTime(when))));
    out.put(kSectionCompressed);
    std::int64_t read = 0;
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
      const auto got = static_cast<std::size_t>(in.gcount());
      if (run.stopRequested()) return ArchiveResult::Stopped;
      if (!out.roomForBlock()) return ArchiveResult::Stopped;
      out.putBlock(deflater.block(std::string_view(piece.data(), got)));
      read += static_cast<std::int64_t>(got);
      done += static_cast<std::int64_t>(got);
      run.progress(done, total);
    }
    if (in.bad() || read != sizes[i])
      throw ArchiveError(ArchiveFault::CannotReadFile,
                         "o arquivo " + input.file.string() + " mudou de tamanho durante a cópia.");
    out.put(int32Bytes(0));
  }
  out.put(int32Bytes(0));
  out.finish();
  return ArchiveResult::Done;
}

ArchiveHeader readArchiveHeader(std::istream& in) {
  struct One : ArchiveVolumeReader {
    std::istream& in;
    explicit One(std::istream& s) : in(s) {}
    std::istream* open(int) override { return &in; }
  } one(in);
  Reader reader(one);
  reader.open(1);
  return readHeader(reader);
}

ArchiveResult readArchive(ArchiveVolumeReader& volumes, ArchiveEntryWriter& entries, ArchiveRun& run) {
  Reader in(volumes);
  if (!in.open(1)) return ArchiveResult::Stopped;
  const ArchiveHeader header = readHeader(in);
  Inflater inflater;
  std::int64_t done = 0;
  std::int32_t entriesRead = 0;
  bool inEntry = false;
  run.progress(0, header.total);
  for (;;) {
    const std::int32_t length = in.int32();
    if (length == 0) break;
    if (length < 0 || length > kMaxArchiveName) damaged("o nome de um arquivo da cópia está danificado.");
    const std::string name = in.bytes(length);
    if (const int next = nextDiskVolume(name)) {
      if (!inEntry || next != in.volume() + 1) damaged("os volumes da cópia estão fora de ordem.");
      if (!in.open(next)) return ArchiveResult::Stopped;
    } else {
      if (inEntry) entries.end();
      if (++entriesRead > header.count) damaged("a cópia tem mais arquivos do que o seu cabeçalho diz.");
      const auto date = static_cast<std::uint32_t>(in.int32());
      entries.begin(name, date);
      inEntry = true;
    }
    const std::string kind = in.bytes(4);
    if (kind == kSectionOldCompressor)
      throw ArchiveError(ArchiveFault::InvalidArchiveType,
                         "a cópia foi gravada com um método de compressão (ECS) que este programa não lê.");
    if (kind != kSectionCompressed) throw ArchiveError(ArchiveFault::InvalidArchiveType, "uma seção da cópia não é de um tipo conhecido.");
    for (;;) {
      const std::int32_t n = in.int32();
      if (n == 0) break;
      if (n > static_cast<std::int32_t>(kArchiveBlockSize) || n < -static_cast<std::int32_t>(kArchiveBlockSize))
        damaged("um bloco da cópia tem um tamanho impossível.");
      if (run.stopRequested()) return ArchiveResult::Stopped;
      const std::string raw = in.bytes(n > 0 ? n : -static_cast<std::int64_t>(n));
      const std::string_view data = n > 0 ? inflater.block(raw) : std::string_view(raw);
      done += static_cast<std::int64_t>(data.size());
      if (done > header.total) damaged("a cópia tem mais bytes do que o seu cabeçalho diz.");
      entries.write(data);
      run.progress(done, header.total);
    }
  }
  if (inEntry) entries.end();
  if (entriesRead != header.count || done != header.total)
    damaged("a cópia tem menos arquivos ou bytes do que o seu cabeçalho diz.");
  return ArchiveResult::Done;
}

}  // namespace torvex::core::maintenance
