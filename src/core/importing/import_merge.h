#pragma once
// The import merge: adds the chosen establishments of a loaded file (the work
// tables Te8emp and Te8vinc) and their links to the declaration tables of the
// base year, and records each establishment's outcome in TE8Imp. Each
// establishment is merged in one transaction, so an error, an interruption or
// a crash leaves it either whole (with link counts that agree with its links)
// or untouched.
#include <cstdint>
#include <string>
#include <vector>

#include "core/importing/establishment_list.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"

namespace torvex::core::importing {

// Codes that explain an establishment's outcome (besides the validators' codes).
namespace import_code {
inline constexpr const char* kAlreadyWithoutLinks = "1501";  // stored, and the file declares no links
inline constexpr const char* kReplacedNegative = "1502";     // stored without links, replaced by the file's
inline constexpr const char* kEndedLink = "1504";            // a link of last year that had ended
inline constexpr const char* kNewPrefix = "1505";            // stored with another linked CEI: new prefix
}  // namespace import_code

// One row of TE8Imp.
struct ImportRow {
  std::string AnBase;
  std::string CoCgcCeiEstabelecimento;
  std::string NuPrefixoEstabelecimento;  // as imported (the new prefix when it had to change)
  std::string CoCgcVinculado;
  std::string InInscrEstabelecimento;
  std::string NuVinculosEstabelecimento;  // links the file declares
  std::int64_t NuTotalDesligados = 0;
  std::int64_t NuTotalDuplicados = 0;
  std::int64_t NuTotalImportados = 0;
  std::string CoImp;
  std::string Seq;
};

struct ImportRequest {
  ImportKind kind;
  std::vector<FileEstablishment> chosen;  // in list order
  std::size_t listLines = 0;              // lines of the list they were chosen from (progress rule)
};

struct ImportResult {
  std::vector<ImportRow> rows;  // TE8Imp in table order
  std::size_t processed = 0;    // rows handled before the end or the interruption
  std::size_t establishmentsWritten = 0;  // establishment rows created or replaced
  bool interrupted = false;

  std::int64_t imported() const;
  std::int64_t duplicates() const;
  std::int64_t ended() const;
  bool anythingImported() const { return establishmentsWritten > 0 || imported() > 0; }
};

class ImportMerge {
 public:
  ImportMerge(store::Database& db, platform::Interaction& ui) : db_(db), ui_(ui) {}

  // Creates TE8Imp afresh with one row per chosen establishment, then merges
  // them one by one. A stop request is confirmed with "Deseja interromper?";
  // Yes ends the import, undoing the establishment in hand.
  ImportResult run(const ImportRequest& request);

 private:
  class Run;
  store::Database& db_;
  platform::Interaction& ui_;
};

// The rows of TE8Imp in table order (none when the table does not exist).
std::vector<ImportRow> readImportRows(store::Database& db);

// A note of the summary: a distinct pair of Seq and CoImp whose code is not "0000".
struct ImportNote {
  std::string seq;
  std::string code;
};
// The notes in Seq order.
std::vector<ImportNote> importNotes(const std::vector<ImportRow>& rows);

}  // namespace torvex::core::importing
