#pragma once
// Errors raised by the table engine adapter and by data access in general.
// The general error handler tells the three kinds apart: EngineError (numbered
// entries), DataAccessError (a message without engine code), anything else.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace torvex::core::store {

// Engine codes: high byte is the category, low byte the condition.
namespace engine_code {
inline constexpr std::uint16_t kCannotOpen = 0x2101;     // 8449
inline constexpr std::uint16_t kIoError = 0x2102;        // 8450
inline constexpr std::uint16_t kDiskFull = 0x2103;       // 8451
inline constexpr std::uint16_t kCorrupt = 0x2104;        // 8452
inline constexpr std::uint16_t kKeyViolation = 0x2601;   // 9729
inline constexpr std::uint16_t kRequiredField = 0x2602;  // 9730
inline constexpr std::uint16_t kFieldTooWide = 0x2708;   // 9992
inline constexpr std::uint16_t kTableBusy = 0x2803;      // 10243
inline constexpr std::uint16_t kDatabaseLocked = 0x2804; // 10244
inline constexpr std::uint16_t kTableNotFound = 0x2904;  // 10500
inline constexpr std::uint16_t kFieldNotFound = 0x2905;  // 10501
inline constexpr std::uint16_t kQueryError = 0x2A01;     // 10753
inline constexpr std::uint16_t kGeneral = 0x2B01;        // 11009
}  // namespace engine_code

// The engine's own text for a code, and for a category (high byte of a code).
std::string engineMessage(std::uint16_t code);
std::string engineCategoryMessage(std::uint8_t category);

struct EngineErrorEntry {
  std::uint16_t code;
  std::string message;
};

// A failing engine operation; the list holds the chain of conditions, the last
// one being the most specific.
class EngineError : public std::runtime_error {
 public:
  EngineError(std::uint16_t code, const std::string& detail);
  explicit EngineError(std::vector<EngineErrorEntry> entries);
  const std::vector<EngineErrorEntry>& entries() const { return entries_; }
  std::uint16_t code() const { return entries_.back().code; }

 private:
  std::vector<EngineErrorEntry> entries_;
};

// A data-access failure that carries a message but no engine code.
class DataAccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Maps a SQLite result code (extended) and its message to an EngineError.
EngineError engineErrorFromSqlite(int sqliteCode, const std::string& sqliteMessage);

}  // namespace torvex::core::store
