#include "core/jobs/verify_declarations_job.h"

#include "core/consistency/check_presets.h"
#include "core/store/declaration_state.h"

namespace torvex::core::jobs {

VerifyOutcome verifyDeclarations(const JobHost& host) {
  VerifyOutcome out;
  if (store::establishmentsOfYear(host.db, store::kBaseYear).empty()) return out;
  consistency::CheckEngine engine(host.db, host.reference, host.ui);
  out.check = engine.run(consistency::verifyCheck());
  out.result = out.check.result == consistency::CheckResult::Interrupted ? VerifyResult::Interrupted
                                                                         : VerifyResult::Checked;
  return out;
}

}  // namespace torvex::core::jobs
