#pragma once
// What a rule sees while the engine walks the declarations: the record being
// checked and its establishment, the run's parameters, the reference data, the
// keyed searches over the link table and the recording of findings.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/consistency/error_log.h"
#include "core/consistency/record.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::consistency {

// The program's base year and the year after it.
inline constexpr std::string_view kBaseYear = "2006";
inline constexpr std::string_view kNextYear = "2007";

// One row of a finding: the label code naming the field and the content shown.
struct FindingRow {
  std::string_view label;
  std::string_view content;
};

// Reference year of an establishment: the base year, or the year after it for an
// establishment closing (`InEncerramentoAtividade` "1") in another year.
std::string referenceYear(const Record& establishment);

class CheckContext {
 public:
  CheckContext(store::Database& db, const store::ReferenceLookup& reference, ErrorLog& log, bool fileFlag,
               std::string_view linkTable);

  const store::ReferenceLookup& reference() const { return reference_; }
  bool fileFlag() const { return fileFlag_; }

  const Record& responsible() const { return responsible_; }
  const Record& establishment() const { return establishment_; }
  const Record& link() const { return link_; }
  Record& responsible() { return responsible_; }
  Record& establishment() { return establishment_; }
  Record& link() { return link_; }
  // Reference year of the current establishment (set by the engine).
  const std::string& referenceYear() const { return referenceYear_; }
  void establishmentChanged();

  // Records one finding with one row per field involved.
  void finding(Severity severity, RecordType type, std::string_view code, std::initializer_list<FindingRow> rows);

  // Links of the current establishment with the current link's PIS and
  // admission date (and name, when the PIS is all zeros).
  std::int64_t duplicateCount();
  // Birth dates of the links of the current establishment with the current
  // link's PIS (and name, when the PIS is all zeros).
  const std::vector<std::string>& samePersonBirthDates();

 private:
  const store::ReferenceLookup& reference_;
  ErrorLog& log_;
  bool fileFlag_;
  Record responsible_{RecordKind::Responsible};
  Record establishment_{RecordKind::Establishment};
  Record link_{RecordKind::Link};
  std::string referenceYear_{kBaseYear};
  store::Statement duplicateByPis_;
  store::Statement duplicateByName_;
  store::Statement personByPis_;
  store::Statement personByName_;
  std::vector<std::string> birthDates_;
};

}  // namespace torvex::core::consistency
