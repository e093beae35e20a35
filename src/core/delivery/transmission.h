#pragma once
// Handing a declaration file to the transmission program and reading the
// receipt it leaves beside the file: where the program and the hand-off file
// are, the receipt's name, layout and check, and the listing of the
// declaration files of a folder with their state.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
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
// Why the hand-off file cannot carry this path (it holds one line, read back
// without the blanks at its ends): a line break or another control character,
// or a blank at either end. Empty when it can.
std::string handOffNameProblem(const std::filesystem::path& declaration);
// Replaces the hand-off file's content with one line, the full path of the
// declaration file (the folder is created when missing), written under a
// temporary name and renamed when complete. Throws std::runtime_error with a
// Portuguese text when the file cannot be written or cannot carry the path.
void writeHandOffFile(const std::filesystem::path& transmitFolder, const std::filesystem::path& declaration);

// The hand-off of one `Transmite` folder belongs to one hand-off at a time,
// from writing the hand-off file to reading the receipt back: a second one
// (another window, another torvex-cli) waits until the first lets go. The
// lock is on the folder itself and goes with the program that holds it.
class HandOffLock {
 public:
  // Creates the folder when missing and waits for the lock; `waiting` is
  // called once, before waiting, when another hand-off holds it. Throws
  // std::runtime_error (Portuguese) when the folder cannot be used.
  explicit HandOffLock(const std::filesystem::path& transmitFolder, const std::function<void()>& waiting = {});
  ~HandOffLock();
  HandOffLock(const HandOffLock&) = delete;
  HandOffLock& operator=(const HandOffLock&) = delete;

 private:
  int fd_ = -1;
};
// The path held by a hand-off file; nullopt when it cannot be read or is empty.
std::optional<std::filesystem::path> readHandOffFile(const std::filesystem::path& file);

// Whether the file name ends with ".dec" (any case).
bool isDeclarationFileName(const std::filesystem::path& file);
// Why `file` cannot be taken as a declaration file to send or to print the
// protocol of (Portuguese): its name does not end with ".dec", it does not
// exist, it is a folder, a FIFO or a device. Empty when it can.
std::string declarationFileProblem(const std::filesystem::path& file);
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
  Invalid,   // not a regular file, unreadable, shorter than 100 characters, its CRC does not
             // match, or (read for its declaration) it is not the receipt of that file
  Valid,
};

struct ReceiptReading {
  ReceiptStatus status = ReceiptStatus::Missing;
  std::string line;                    // the first line, without its line break
  reports::TransmissionReceipt fields;  // cut from the line (also when invalid, as far as it goes)
  std::string problem;                 // why it is invalid, in Portuguese (empty when valid or missing)
};

// Cuts the fields from a receipt line (a short line gives short or empty fields).
reports::TransmissionReceipt cutReceipt(std::string_view line);
// Reads and checks the receipt file (its layout and its own CRC).
ReceiptReading readReceipt(const std::filesystem::path& receiptFile);
// Why a receipt is not the receipt of `declaration` as the file now stands:
// its inscription, counts, file CRC or digest differ from the file's. Empty
// when they all agree.
std::string receiptMismatch(const reports::TransmissionReceipt& receipt, const std::filesystem::path& declaration);
// Reads the receipt beside a declaration file and checks it against the file:
// a receipt of another file, or of the file as it was before a change, is
// Invalid.
ReceiptReading readReceiptOf(const std::filesystem::path& declaration);
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
