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
#include "core/store/reference_lookup.h"

namespace torvex::core::consistency {

// Which establishments a run checks.
struct Selection {
  // One entry per establishment that passes the base-year and rectification
  // filters, in the establishment table's key order; true when it is checked.
  std::vector<bool> ticked;
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

// Result bits of a run.
namespace check_result {
inline constexpr int kWarnings = 1;
inline constexpr int kErrors = 2;
inline constexpr int kInterrupted = 4;
}  // namespace check_result

class CheckEngine {
 public:
  CheckEngine(store::Database& db, const store::ReferenceLookup& reference, platform::Interaction& ui);

  // Runs the check; answers 4 when the user interrupted it, otherwise 2 if
  // errors were recorded plus 1 if warnings were.
  int run(const CheckParameters& parameters);

  bool errors() const { return log_.errors(); }
  bool warnings() const { return log_.warnings(); }
  bool interrupted() const { return interrupted_; }

 private:
  class Run;
  store::Database& db_;
  const store::ReferenceLookup& reference_;
  platform::Interaction& ui_;
  ErrorLog log_;
  bool interrupted_ = false;
};

}  // namespace torvex::core::consistency
