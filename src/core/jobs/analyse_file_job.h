#pragma once
// The analyse-a-file job: the structure analysis loads a declaration file into
// the work tables; a sound file is then checked for consistency and, when asked
// and free of errors, written again by the declaration writer.
#include <filesystem>
#include <optional>

#include "core/consistency/check_engine.h"
#include "core/declfile/analise_estrutura.h"
#include "core/delivery/declaration_writer.h"
#include "core/jobs/job_host.h"
#include "core/platform/media.h"

namespace torvex::core::jobs {

struct AnalyseFileSettings {
  std::filesystem::path file;
  bool previousYear = false;  // the file has the previous base year's layout
  // Where to write the file again when the check finds no error; none: no rewrite.
  // The writer writes the current layout only, so a previous-year file is never rewritten.
  const platform::Media* rewriteTo = nullptr;
  char rewriteDrive = 'C';
};

enum class AnalyseFileResult {
  ReadFailed,           // the file could not be read
  StructureFinding,     // the structure analysis recorded findings (Te8stru): `structure.findings`
  AnalysisInterrupted,  // the user stopped the structure analysis
  CheckInterrupted,     // the user stopped the consistency check
  Checked,              // the check ran to its end (`check.result`); no rewrite was asked, or errors refused it
  Rewritten,            // the file was written again: `rewrite.files`
  RewriteInterrupted,   // the rewrite stopped (a file of the same name was not replaced, or the user)
  RewriteFailed,        // the rewrite failed
};

struct AnalyseFileOutcome {
  AnalyseFileResult result = AnalyseFileResult::ReadFailed;
  declfile::AnalysisOutcome structure;
  consistency::CheckOutcome check;             // when the structure was sound
  std::optional<delivery::WriteOutcome> rewrite;  // when the writer ran
};

AnalyseFileOutcome analyseFile(const JobHost& host, const AnalyseFileSettings& settings);

}  // namespace torvex::core::jobs
