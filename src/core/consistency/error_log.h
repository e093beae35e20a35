#pragma once
// The error table Te8ErrWa and the recording of findings: one row per field
// involved, with the identification of the establishment and link
// being checked, a running number that continues across the runs of one
// program start, and the error and warning flags the callers read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/consistency/record.h"
#include "core/store/database.h"

namespace torvex::core::consistency {

enum class Severity { Error, Warning };
// Record type of a finding, as written in `tiporegistro`.
enum class RecordType { Responsible = 0, Establishment = 1, Link = 2 };

// "err" or "war".
const char* severityText(Severity s);

class ErrorLog {
 public:
  explicit ErrorLog(store::Database& db);
  ErrorLog(const ErrorLog&) = delete;
  ErrorLog& operator=(const ErrorLog&) = delete;

  // Starts a run: the error table is made anew, the flags cleared and a
  // transaction opened for the rows.
  void begin();
  // Ends a run, committing its rows; a run without findings leaves no error
  // table behind.
  void finish();
  // Ends a run that failed: the rows not yet committed are dropped.
  void abandon();

  // What type-1 and type-2 rows copy their identification from.
  void setEstablishment(const Record* establishment) { establishment_ = establishment; }
  void setLink(const Record* link) { link_ = link; }

  // Appends one row; rows of one finding share severity and code.
  void record(Severity severity, RecordType type, std::string_view code, std::string_view label,
              std::string_view content);

  bool errors() const { return errors_; }
  bool warnings() const { return warnings_; }
  std::int64_t rowsRecorded() const { return rows_; }

  // The running number the next row will get (it starts at 1 with the program).
  static std::int64_t nextNumber();

 private:
  store::Database& db_;
  std::optional<store::Transaction> transaction_;
  std::optional<store::Statement> insert_;
  const Record* establishment_ = nullptr;
  const Record* link_ = nullptr;
  bool errors_ = false;
  bool warnings_ = false;
  std::int64_t rows_ = 0;
};

}  // namespace torvex::core::consistency
