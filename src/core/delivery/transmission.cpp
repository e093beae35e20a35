#include "core/delivery/transmission.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>

#include "core/delivery/file_digest.h"
#include "core/platform/output_file.h"
#include "core/product.h"
#include "core/text/code_page_1252.h"
#include "core/text/visible_text.h"
#include "core/validation/formatters.h"

namespace torvex::core::delivery {

namespace fs = std::filesystem;

namespace {

// Positions (1-based) and widths of the receipt's fields.
struct ReceiptSlot {
  std::string reports::TransmissionReceipt::*field;
  std::size_t from;
  std::size_t width;
};
constexpr ReceiptSlot kReceiptSlots[] = {
    {&reports::TransmissionReceipt::number, 1, 9},
    {&reports::TransmissionReceipt::inscription, 10, 14},
    {&reports::TransmissionReceipt::fileCrc, 24, 10},
    {&reports::TransmissionReceipt::establishments, 34, 5},
    {&reports::TransmissionReceipt::links, 39, 6},
    {&reports::TransmissionReceipt::date, 45, 8},
    {&reports::TransmissionReceipt::time, 53, 4},
    {&reports::TransmissionReceipt::hash, 59, 32},
    {&reports::TransmissionReceipt::receiptCrc, 91, 10},
};

// Characters from..from+width-1 (1-based) of a line, as far as the line goes.
std::string cut(std::string_view line, std::size_t from, std::size_t width) {
  if (line.size() < from) return {};
  return std::string(line.substr(from - 1, width));
}

// The first `count` lines of a file, each read up to `maxLength` bytes (the
// rest of a longer line is skipped), without their line breaks.
std::vector<std::string> firstLines(const fs::path& file, int count, std::size_t maxLength) {
  std::vector<std::string> lines;
  // Never a FIFO or a device: they would keep the reader waiting.
  platform::InputFile input(file);
  if (!input.isOpen()) return lines;
  std::istream& in = input.stream();
  std::string line;
  char c;
  bool any = false;
  // A file without line breaks is not read to its end.
  std::size_t budget = static_cast<std::size_t>(count) * (maxLength + 2) + 64 * 1024;
  while (static_cast<int>(lines.size()) < count && budget-- > 0 && in.get(c)) {
    any = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
      line.clear();
      any = false;
    } else if (line.size() < maxLength) {
      line += c;
    }
  }
  if (any && static_cast<int>(lines.size()) < count) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string trimmed(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

bool endsWithDec(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".dec";
}

}  // namespace

std::string programMissingText() {
  return "A transmissão da declaração via internet é feita com a utilização\n"
         "do programa Trevion, não encontrado nesse computador.\n"
         "Faça a cópia do programa(download) e instale em seu computador.\n"
         "\n"
         "Ao enviar a declaração, o recibo de entrega será automaticamente\n"
         "gravado no disco rígido ou disquete.";
}

std::string transmissionProgramName() { return "trevion" + std::string(product::kBaseYear); }

fs::path transmissionProgram(const fs::path& executableFolder) {
  return executableFolder / transmissionProgramName() / transmissionProgramName();
}

bool transmissionProgramExists(const fs::path& program) {
  std::error_code ec;
  return fs::is_regular_file(program, ec);
}

fs::path handOffFile(const fs::path& transmitFolder) { return transmitFolder / kHandOffFileName; }

std::string handOffNameProblem(const fs::path& declaration) {
  const std::string path = declaration.string();
  for (const char c : path)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      return "o nome do arquivo " + text::visibleText(path) +
             " tem uma quebra de linha ou outro caractere de controle, que o arquivo de entrega " +
             std::string(kHandOffFileName) + " não pode levar: renomeie o arquivo";
  if (!path.empty() && (path.front() == ' ' || path.back() == ' '))
    return "o nome do arquivo \"" + path + "\" começa ou termina com espaço, que o arquivo de entrega " +
           std::string(kHandOffFileName) + " não pode levar: renomeie o arquivo";
  return {};
}

void writeHandOffFile(const fs::path& transmitFolder, const fs::path& declaration) {
  if (const std::string problem = handOffNameProblem(declaration); !problem.empty())
    throw std::runtime_error("Não foi possível entregar a declaração: " + problem + ".");
  std::error_code ec;
  fs::create_directories(transmitFolder, ec);
  const fs::path file = handOffFile(transmitFolder);
  try {
    platform::OutputFile out(file);
    out.write(declaration.string() + "\r\n");
    out.commit();
  } catch (const platform::OutputFileError& e) {
    throw std::runtime_error("Não foi possível gravar o arquivo " + file.string() + ": " + e.what() + ".");
  }
}

HandOffLock::HandOffLock(const fs::path& transmitFolder, const std::function<void()>& waiting) {
  std::error_code ec;
  fs::create_directories(transmitFolder, ec);
  fd_ = ::open(transmitFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0)
    throw std::runtime_error("Não foi possível usar a pasta " + transmitFolder.string() + ": " +
                             platform::fileFailureText(errno, transmitFolder) + ".");
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
  if (waiting) waiting();
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

HandOffLock::~HandOffLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<fs::path> readHandOffFile(const fs::path& file) {
  const auto lines = firstLines(file, 1, 4096);
  if (lines.empty() || trimmed(lines[0]).empty()) return std::nullopt;
  return fs::path(trimmed(lines[0]));
}

bool isDeclarationFileName(const fs::path& file) { return endsWithDec(file.filename().string()); }

std::string declarationFileProblem(const fs::path& file) {
  if (!isDeclarationFileName(file))
    return "o nome do arquivo " + text::visibleText(file.string()) + " não termina com .dec";
  platform::InputFile input(file);
  return input.isOpen() ? std::string() : text::visibleText(input.problem());
}

fs::path receiptPath(const fs::path& declaration) {
  std::string name = declaration.filename().string();
  if (!endsWithDec(name)) return {};
  const std::size_t at = name.size() - 3;
  name[at] = name[at] == 'D' ? 'R' : 'r';
  return declaration.parent_path() / name;
}

std::uint32_t crc32Of(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      ::crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string crcText(std::uint32_t crc) {
  std::string digits = std::to_string(crc);
  if (digits.size() < 10) digits.insert(0, 10 - digits.size(), '0');
  return digits;
}

std::optional<std::uint32_t> fileCrc32(const fs::path& file) {
  platform::InputFile input(file);
  if (!input.isOpen()) return std::nullopt;
  std::istream& in = input.stream();
  uLong crc = ::crc32(0L, Z_NULL, 0);
  std::array<char, 64 * 1024> buffer{};
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto got = in.gcount();
    if (got > 0) crc = ::crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(got));
  }
  if (in.bad()) return std::nullopt;
  return static_cast<std::uint32_t>(crc);
}

reports::TransmissionReceipt cutReceipt(std::string_view line) {
  reports::TransmissionReceipt r;
  for (const auto& slot : kReceiptSlots) r.*(slot.field) = cut(line, slot.from, slot.width);
  return r;
}

ReceiptReading readReceipt(const fs::path& receiptFile) {
  ReceiptReading reading;
  std::error_code ec;
  if (receiptFile.empty() || fs::status(receiptFile, ec).type() == fs::file_type::not_found) return reading;
  reading.status = ReceiptStatus::Invalid;
  platform::InputFile input(receiptFile);
  if (!input.isOpen()) {
    reading.problem = input.problem();
    return reading;
  }
  const auto lines = firstLines(receiptFile, 1, 4096);
  if (lines.empty()) {
    reading.problem = "o recibo " + receiptFile.string() + " está vazio";
    return reading;
  }
  reading.line = lines[0];
  reading.fields = cutReceipt(reading.line);
  if (reading.line.size() >= kReceiptLength &&
      crcText(crc32Of(std::string_view(reading.line).substr(0, kReceiptCheckedLength))) ==
          reading.line.substr(kReceiptCheckedLength, 10))
    reading.status = ReceiptStatus::Valid;
  else
    reading.problem = "o recibo " + receiptFile.string() + " está incompleto ou foi alterado (o seu CRC não confere)";
  return reading;
}

namespace {

// What a receipt says about its file, read from the file itself in one pass:
// its CRC, the inscription of its first establishment and the last record.
struct DeclarationFacts {
  bool readable = false;
  std::uint32_t crc = 0;
  std::string second;  // the first establishment record (up to 600 characters)
  std::string last;    // the last record, without its line break
};

DeclarationFacts factsOf(const fs::path& declaration) {
  DeclarationFacts facts;
  platform::InputFile input(declaration);
  if (!input.isOpen()) return facts;
  std::istream& in = input.stream();
  uLong crc = ::crc32(0L, Z_NULL, 0);
  std::array<char, 64 * 1024> buffer{};
  std::string line;
  int lineNumber = 1;
  while (in) {
    in.read(buffer.data(), buffer.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    crc = ::crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(got));
    for (std::size_t i = 0; i < got; ++i) {
      const char c = buffer[i];
      if (c == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNumber == 2) facts.second = line;
        if (!line.empty()) facts.last = line;
        line.clear();
        ++lineNumber;
      } else if (c != '\x1a' && line.size() < 600) {
        line += c;
      }
    }
  }
  if (!line.empty()) {
    if (line.back() == '\r') line.pop_back();
    if (lineNumber == 2) facts.second = line;
    facts.last = line;
  }
  facts.crc = static_cast<std::uint32_t>(crc);
  facts.readable = true;
  return facts;
}

// The number in a text of digits; nullopt when it is not one.
std::optional<long long> numberIn(std::string_view digits) {
  const std::string t = trimmed(digits);
  if (t.empty() || t.size() > 12 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::stoll(t);
}

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string receiptMismatch(const reports::TransmissionReceipt& receipt, const fs::path& declaration) {
  const DeclarationFacts facts = factsOf(declaration);
  if (!facts.readable) return "não foi possível ler o arquivo " + declaration.string();
  const std::string inscription = cut(facts.second, 7, 14);
  if (receipt.inscription != inscription)
    return "o recibo é da inscrição " + text::visibleText(receipt.inscription) + ", o arquivo é da inscrição " +
           text::visibleText(inscription);
  const auto establishments = numberIn(receipt.establishments);
  const auto links = numberIn(receipt.links);
  if (!establishments || !links || establishments != numberIn(cut(facts.last, 24, 6)) ||
      links != numberIn(cut(facts.last, 30, 6)))
    return "as quantidades de estabelecimentos e vínculos do recibo não são as do arquivo";
  if (numberIn(receipt.fileCrc) != static_cast<long long>(facts.crc))
    return "o CRC do recibo não é o do arquivo: o arquivo foi alterado depois de transmitido, ou o recibo é de outro "
           "arquivo";
  const std::string digest = facts.last.size() >= kDigestLength ? facts.last.substr(facts.last.size() - kDigestLength)
                                                                : std::string();
  if (!sameLetters(receipt.hash, digest)) return "o código de controle (hash) do recibo não é o do arquivo";
  return {};
}

ReceiptReading readReceiptOf(const fs::path& declaration) {
  ReceiptReading reading = readReceipt(receiptPath(declaration));
  if (reading.status != ReceiptStatus::Valid) return reading;
  if (std::string mismatch = receiptMismatch(reading.fields, declaration); !mismatch.empty()) {
    reading.status = ReceiptStatus::Invalid;
    reading.problem = "o recibo não é o deste arquivo: " + mismatch;
  }
  return reading;
}

std::string composeReceipt(const reports::TransmissionReceipt& fields) {
  std::string line(kReceiptCheckedLength, ' ');
  for (const auto& slot : kReceiptSlots) {
    if (slot.from > kReceiptCheckedLength) continue;
    std::string value = (fields.*(slot.field)).substr(0, slot.width);
    value.resize(slot.width, ' ');
    line.replace(slot.from - 1, slot.width, value);
  }
  return line + crcText(crc32Of(line));
}

std::vector<ListedDeclaration> listDeclarations(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_regular_file(typeEc) && isDeclarationFileName(it->path())) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  if (files.size() > kListingLimit) files.resize(kListingLimit);

  std::vector<ListedDeclaration> out;
  out.reserve(files.size());
  for (const auto& file : files) {
    ListedDeclaration d;
    d.file = file;
    const auto lines = firstLines(file, 2, 600);
    const std::string head = lines.size() > 0 ? lines[0] : std::string();
    const std::string first = lines.size() > 1 ? lines[1] : std::string();
    d.inscription = validation::formatInscription(cut(first, 7, 14), cut(first, 279, 1));
    d.prefix = cut(first, 21, 2);
    d.name = text::cp1252ToUtf8(trimmed(cut(first, 24, 52)));
    d.fileNumber = cut(file.filename().string(), 26, 2);
    if (cut(head, 223, 1) == "1") d.mark = kRectificationMark;
    const ReceiptReading receipt = readReceipt(receiptPath(file));
    d.transmitted = receipt.status != ReceiptStatus::Missing;
    d.state = d.transmitted ? kStateTransmitted : kStateWritten;
    if (d.transmitted) d.crea = reports::transmissionParameters(receipt.fields, std::string(product::kBaseYear))["CREA"];
    out.push_back(std::move(d));
  }
  return out;
}

}  // namespace torvex::core::delivery
