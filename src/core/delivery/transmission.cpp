#include "core/delivery/transmission.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "core/product.h"
#include "core/text/code_page_1252.h"
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
  std::ifstream in(file, std::ios::binary);
  if (!in) return lines;
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

void writeHandOffFile(const fs::path& transmitFolder, const fs::path& declaration) {
  std::error_code ec;
  fs::create_directories(transmitFolder, ec);
  const fs::path file = handOffFile(transmitFolder);
  std::FILE* f = std::fopen(file.c_str(), "wb");
  const std::string line = declaration.string() + "\r\n";
  bool ok = f && std::fwrite(line.data(), 1, line.size(), f) == line.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) throw std::runtime_error("Não foi possível gravar o arquivo " + file.string() + ".");
}

std::optional<fs::path> readHandOffFile(const fs::path& file) {
  const auto lines = firstLines(file, 1, 4096);
  if (lines.empty() || trimmed(lines[0]).empty()) return std::nullopt;
  return fs::path(trimmed(lines[0]));
}

bool isDeclarationFileName(const fs::path& file) { return endsWithDec(file.filename().string()); }

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
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
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
  if (receiptFile.empty() || !fs::exists(receiptFile, ec)) return reading;
  reading.status = ReceiptStatus::Invalid;
  const auto lines = firstLines(receiptFile, 1, 4096);
  if (lines.empty()) return reading;
  reading.line = lines[0];
  reading.fields = cutReceipt(reading.line);
  if (reading.line.size() >= kReceiptLength &&
      crcText(crc32Of(std::string_view(reading.line).substr(0, kReceiptCheckedLength))) ==
          reading.line.substr(kReceiptCheckedLength, 10))
    reading.status = ReceiptStatus::Valid;
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
