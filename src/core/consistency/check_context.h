#pragma once
// What a rule sees while the engine walks the declarations: the record being
// checked and its establishment, the run's parameters, the reference data, the
// keyed searches over the link table and the recording of findings.
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/product.h"
#include "core/consistency/error_log.h"
#include "core/consistency/record.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::consistency {

// The program's base year and the year after it.
using product::kBaseYear;
using product::kNextYear;

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

  // The links of the current establishment with the current link's PIS (and
  // name, when the PIS is empty or all zeros): their birth and admission dates. One keyed
  // search serves both the duplicate and the same-person rule of a link.
  struct Person {
    std::string birth;
    std::string admission;
  };
  const std::vector<Person>& samePis();
  // How many of them share the current link's admission date.
  std::int64_t duplicateCount();
  // Called by the engine after it loads the next link; `alone` when the
  // neighbouring links in key order show no other link with its PIS.
  void linkLoaded(bool alone) {
    ++linkLoads_;
    linkAlone_ = alone;
  }

 private:
  const store::ReferenceLookup& reference_;
  ErrorLog& log_;
  bool fileFlag_;
  Record responsible_{RecordKind::Responsible};
  Record establishment_{RecordKind::Establishment};
  Record link_{RecordKind::Link};
  std::string referenceYear_{kBaseYear};
  store::Statement personByPis_;
  store::Statement sharedNames_;
  std::vector<Person> persons_;
  const std::vector<Person>* current_ = &persons_;
  // Links of one establishment with one PIS not informed, by name, for the
  // names that more than one of them bear: one search for the whole group
  // instead of one scan of it per link.
  void loadSharedNames();
  std::string sharedNamesKey_;
  std::unordered_map<std::string, std::vector<Person>> byName_;
  std::uint64_t personsLoad_ = 0;  // the link load the persons were searched for
  std::uint64_t linkLoads_ = 0;
  bool linkAlone_ = false;
};

}  // namespace torvex::core::consistency
