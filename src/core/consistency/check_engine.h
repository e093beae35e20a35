#pragma once
// The consistency check: runs the responsible, establishment and link rules
// over the declarations (or their work copies) and records every finding in the
// error table. Used by the verify, write and analyse workflows.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/consistency/error_log.h"
#include "core/consistency/record.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/establishment_key.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::consistency {

// Which establishments a run checks.
struct Selection {
  // The establishments checked (by key; the run visits them in key order).
  // Establishments not listed are neither checked nor counted.
  std::vector<store::EstablishmentKey> establishments;
  // The rectification selection: only establishments and links marked for
  // rectification are visited (the others are neither checked nor counted).
  bool rectification = false;
  // Whether an establishment or link record is marked for rectification.
  // The declaration tables carry no such mark, so the caller supplies it.
  std::function<bool(const Record&)> markedForRectification;
};

struct CheckParameters {
  bool useWorkTables = false;          // Te8resp/Te8emp/Te8vinc instead of BD8Resp/BD8Emp/BD8Vinc
  std::optional<Selection> selection;  // none: every establishment
  std::string baseYearFilter;          // empty: every year
  bool checkResponsible = false;
  // With checkResponsible: also the fields only a loaded file fills (rectification
  // and generation dates). Off when the responsible row was keyed in.
  bool checkResponsibleFileFields = true;
  bool fileFlag = false;               // a declaration file is being analysed
};

// How a run ended: errors outrank warnings; a stopped run reports only that.
enum class CheckResult { Clean, Warnings, Errors, Interrupted };

struct CheckOutcome {
  CheckResult result = CheckResult::Clean;
  bool errors = false;    // error rows were recorded (also kept by a stopped run)
  bool warnings = false;  // warning rows were recorded
  std::int64_t establishments = 0;  // establishments checked
  std::int64_t links = 0;           // links read
  std::int64_t rows = 0;            // rows written to the error table
};

class CheckEngine {
 public:
  CheckEngine(store::Database& db, const store::ReferenceLookup& reference, platform::Interaction& ui);

  CheckOutcome run(const CheckParameters& parameters);

 private:
  class Run;
  store::Database& db_;
  const store::ReferenceLookup& reference_;
  platform::Interaction& ui_;
  ErrorLog log_;
};

}  // namespace torvex::core::consistency
