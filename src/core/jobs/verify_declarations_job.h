#pragma once
// The verify-inconsistencies job: checks every stored establishment of the base
// year and leaves the findings in the error table.
#include "core/consistency/check_engine.h"
#include "core/jobs/job_host.h"
#include "core/store/establishment_key.h"

#include <vector>

namespace torvex::core::jobs {

enum class VerifyResult {
  NothingToCheck,  // no establishment of the base year is stored (message 1700)
  Checked,         // the check ran to its end: `check.result` says what it found
  Interrupted,     // the user stopped the check; the error table holds only part of the findings
};

struct VerifyOutcome {
  VerifyResult result = VerifyResult::NothingToCheck;
  consistency::CheckOutcome check;
};

VerifyOutcome verifyDeclarations(const JobHost& host);
// The same over the chosen establishments of the base year only (by key).
VerifyOutcome verifyDeclarations(const JobHost& host, std::vector<store::EstablishmentKey> chosen);

// Told when the user stops the check of the verify or write wizard.
inline constexpr const char* kCheckInterruptedText = "Consistência interrompida pelo usuário";

// What the wizard's result page shows for a finished check.
enum class VerifyFindings {
  Errors,    // errors were recorded (warnings too, maybe)
  Warnings,  // only warnings
  Nothing,   // neither
};
VerifyFindings findingsOf(const consistency::CheckOutcome& check);

}  // namespace torvex::core::jobs
