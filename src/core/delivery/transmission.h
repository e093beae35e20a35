#pragma once
// Handing a declaration file to the transmission program and reading the
// receipt it leaves beside the file: where the program and the hand-off file
// are, the receipt's name, layout and check, and the listing of the
// declaration files of a folder with their state.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/reports/transmission_receipt.h"

namespace torvex::core::delivery {

// Fixed texts of the transmission window and of the hand-off.
inline constexpr const char* kAlreadyTransmittedText = "Declaração já transmitida.";
inline constexpr const char* kNotTransmittedText = "Declaração não transmitida.";
inline constexpr const char* kInvalidReceiptText = "Arquivo .rec inválido";
inline constexpr const char* kNoDeclarationText = "Unidade não contém declaração.";
inline constexpr const char* kAskTransmitText = "Deseja Transmitir a Declaração?";
inline constexpr const char* kProgramMissingTitle = "Transmissão via Internet";
// The text shown when the transmission program is not installed (lines broken with LF).
std::string programMissingText();

// States and mark of a listed declaration file.
inline constexpr const char* kStateWritten = "Gravada";
inline constexpr const char* kStateTransmitted = "Transmitida";
inline constexpr const char* kRectificationMark = "Retificadora";

// Name of the transmission program, its folder beside this program's executable
// and the hand-off file in the `Transmite` folder.
std::string transmissionProgramName();  // "trevion2006"
inline constexpr const char* kHandOffFileName = "Trevion.ini";

// `<executable folder>/trevion2006/trevion2006`.
std::filesystem::path transmissionProgram(const std::filesystem::path& executableFolder);
// Plain file-exists test of the program.
bool transmissionProgramExists(const std::filesystem::path& program);
// `<Transmite folder>/Trevion.ini`.
std::filesystem::path handOffFile(const std::filesystem::path& transmitFolder);
// Replaces the hand-off file's content with one line, the full path of the
// declaration file (the folder is created when missing). Throws
// std::runtime_error with a Portuguese text when the file cannot be written.
void writeHandOffFile(const std::filesystem::path& transmitFolder, const std::filesystem::path& declaration);
// The path held by a hand-off file; nullopt when it cannot be read or is empty.
std::optional<std::filesystem::path> readHandOffFile(const std::filesystem::path& file);

// Whether the file name ends with ".dec" (any case).
bool isDeclarationFileName(const std::filesystem::path& file);
// The receipt of a declaration file: the same path with the file name's ".dec"
// replaced by ".rec" (".DEC" by ".REC"). Only the file name changes, so a
// folder whose name holds ".dec" is never taken for the receipt's. Empty for a
// file whose name does not end with ".dec".
std::filesystem::path receiptPath(const std::filesystem::path& declaration);

// Receipt layout: the first line holds at least 100 characters; the last ten
// are the CRC of the first 90, in decimal with leading zeros.
inline constexpr std::size_t kReceiptLength = 100;
inline constexpr std::size_t kReceiptCheckedLength = 90;

// CRC-32 (zlib, start value 0) of `bytes`.
std::uint32_t crc32Of(std::string_view bytes);
// The CRC as a decimal number of at least 10 digits with leading zeros.
std::string crcText(std::uint32_t crc);
// CRC-32 of a whole file, read in blocks; nullopt when it cannot be read.
std::optional<std::uint32_t> fileCrc32(const std::filesystem::path& file);

enum class ReceiptStatus {
  Missing,   // no receipt beside the declaration file
  Invalid,   // unreadable, shorter than 100 characters, or its CRC does not match
  Valid,
};

struct ReceiptReading {
  ReceiptStatus status = ReceiptStatus::Missing;
  std::string line;                    // the first line, without its line break
  reports::TransmissionReceipt fields;  // cut from the line (also when invalid, as far as it goes)
};

// Cuts the fields from a receipt line (a short line gives short or empty fields).
reports::TransmissionReceipt cutReceipt(std::string_view line);
// Reads and checks the receipt file.
ReceiptReading readReceipt(const std::filesystem::path& receiptFile);
// Lays the fields out in their positions (each padded or cut to its width,
// positions 57-58 blank) and appends the CRC of the first 90 characters.
std::string composeReceipt(const reports::TransmissionReceipt& fields);

// One declaration file of a listed folder.
struct ListedDeclaration {
  std::filesystem::path file;
  bool transmitted = false;   // a receipt is present
  std::string state;          // "Gravada" or "Transmitida"
  std::string crea;           // receipt number as the protocol shows it; empty without receipt
  std::string inscription;    // first establishment's inscription in display form
  std::string prefix;
  std::string fileNumber;     // characters 26-27 of the file name
  std::string mark;           // "Retificadora" for a rectifying declaration
  std::string name;           // first establishment's name (UTF-8)
};

inline constexpr std::size_t kListingLimit = 1000;

// The declaration files (`*.dec`, any case) of a folder in name order, at most
// kListingLimit; empty when the folder cannot be read.
std::vector<ListedDeclaration> listDeclarations(const std::filesystem::path& folder);

}  // namespace torvex::core::delivery
