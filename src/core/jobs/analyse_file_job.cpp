#include "core/jobs/analyse_file_job.h"

#include "core/consistency/check_presets.h"
#include "core/delivery/analysed_file_rewrite.h"
#include "core/store/work_tables_lock.h"

namespace torvex::core::jobs {

AnalyseFileOutcome analyseFile(const JobHost& host, const AnalyseFileSettings& settings) {
  // From the load to the rewrite the work tables are this run's alone.
  const store::WorkTablesHold hold(host.db);
  AnalyseFileOutcome out;
  declfile::TAnaliseEstrutura analyser;
  declfile::AnalysisSettings analysis;
  analysis.previousYear = settings.previousYear;
  out.structure = analyser.AnalisaArquivo(settings.file, analysis, host.db, host.ui);
  switch (out.structure.result) {
    case declfile::AnalysisResult::ReadFailed: out.result = AnalyseFileResult::ReadFailed; return out;
    case declfile::AnalysisResult::Finding: out.result = AnalyseFileResult::StructureFinding; return out;
    case declfile::AnalysisResult::Interrupted: out.result = AnalyseFileResult::AnalysisInterrupted; return out;
    case declfile::AnalysisResult::Loaded: break;
  }

  consistency::CheckEngine engine(host.db, host.reference, host.ui);
  out.check = engine.run(consistency::analyseFileCheck());
  if (out.check.result == consistency::CheckResult::Interrupted) {
    // A stopped check vouches for nothing: the file is not written again.
    out.result = AnalyseFileResult::CheckInterrupted;
    return out;
  }
  out.result = AnalyseFileResult::Checked;
  if (!settings.rewriteTo || settings.previousYear || out.check.errors) return out;

  delivery::DeclarationWriter writer(host.db, *settings.rewriteTo, host.ui);
  out.rewrite = writer.write(delivery::analysedFileRewriteRequest(settings.rewriteDrive, out.structure.rectification));
  switch (out.rewrite->result) {
    case delivery::WriteResult::Success: out.result = AnalyseFileResult::Rewritten; break;
    case delivery::WriteResult::Interrupted: out.result = AnalyseFileResult::RewriteInterrupted; break;
    case delivery::WriteResult::Failed: out.result = AnalyseFileResult::RewriteFailed; break;
  }
  return out;
}

}  // namespace torvex::core::jobs
