#include "core/jobs/verify_declarations_job.h"

#include "core/consistency/check_presets.h"
#include "core/store/declaration_state.h"
#include "core/store/work_tables_lock.h"

namespace torvex::core::jobs {

namespace {

VerifyOutcome runVerify(const JobHost& host, const consistency::CheckParameters& parameters) {
  const store::WorkTablesHold hold(host.db);
  VerifyOutcome out;
  if (store::establishmentsOfYear(host.db, store::kBaseYear).empty()) return out;
  consistency::CheckEngine engine(host.db, host.reference, host.ui);
  out.check = engine.run(parameters);
  out.result = out.check.result == consistency::CheckResult::Interrupted ? VerifyResult::Interrupted
                                                                         : VerifyResult::Checked;
  return out;
}

}  // namespace

VerifyOutcome verifyDeclarations(const JobHost& host) { return runVerify(host, consistency::verifyCheck()); }

VerifyOutcome verifyDeclarations(const JobHost& host, std::vector<store::EstablishmentKey> chosen) {
  return runVerify(host, consistency::verifyCheck(std::move(chosen)));
}

VerifyFindings findingsOf(const consistency::CheckOutcome& check) {
  if (check.errors) return VerifyFindings::Errors;
  if (check.warnings) return VerifyFindings::Warnings;
  return VerifyFindings::Nothing;
}

}  // namespace torvex::core::jobs
