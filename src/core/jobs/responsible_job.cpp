#include "core/jobs/responsible_job.h"

#include "core/declfile/record_layout.h"
#include "core/declfile/responsible_record.h"
#include "core/entry/responsible_entry.h"

namespace torvex::core::jobs {

ResponsibleFromFileOutcome storeResponsibleFromFile(const ResponsibleFromFileSettings& settings, store::Database& db,
                                                    const store::ReferenceLookup& reference) {
  using declfile::FirstRecordStatus;
  ResponsibleFromFileOutcome out;
  const auto first = declfile::readResponsibleRecord(settings.file);
  out.problem = first.problem;
  switch (first.status) {
    case FirstRecordStatus::Unreadable: out.result = ResponsibleFromFileResult::Unreadable; return out;
    case FirstRecordStatus::NotDeclaration: out.result = ResponsibleFromFileResult::NotDeclaration; return out;
    case FirstRecordStatus::NoResponsibleRecord:
      out.result = ResponsibleFromFileResult::NoResponsibleRecord;
      return out;
    case FirstRecordStatus::Read: break;
  }
  declfile::RecordLayout layout;
  declfile::MontaLayoutAnoAtual(layout);

  entry::ResponsibleEntry entry(db, reference);
  entry.show(declfile::responsibleRecordValues(first.record, layout));
  out.refusals = entry.refusals();
  if (out.refusals.empty()) {
    // The same checks again, then the row is written.
    if (auto saved = entry.save(); saved.refuses) out.refusals.push_back(std::move(saved));
  }
  out.values = entry.values();
  out.result = out.refusals.empty() ? ResponsibleFromFileResult::Stored : ResponsibleFromFileResult::Refused;
  return out;
}

}  // namespace torvex::core::jobs
