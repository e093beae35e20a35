#pragma once
// The import job: analyses a declaration file for import, takes the chosen
// establishments (every one of the file unless some are named) and merges them
// into the declaration tables. The wizard runs its steps page by page; the
// command line runs the whole job at once.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/declfile/analise_estrutura.h"
#include "core/importing/import_merge.h"
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::jobs {

// An establishment named for import: inscription (14 digits, or a CEI's 12)
// and prefix.
struct EstablishmentChoice {
  std::string inscription;
  std::string prefix;
};

struct ImportSettings {
  std::filesystem::path file;
  bool previousYear = false;                       // a file of last year (523-character records)
  std::vector<EstablishmentChoice> establishments;  // empty: every establishment of the file
  // Also take the file's responsible party into BD8Resp, after checking it.
  bool takeResponsible = false;
};

enum class ImportStatus {
  Imported,          // at least one establishment or link was added
  NothingImported,   // every establishment refused or already there
  StructureFinding,  // the file is faulty; nothing imported (findings below)
  ResponsibleRefused,  // the file's responsible party has errors; nothing imported
  Interrupted,       // stopped by the user; what was merged stays whole
  Failed,            // the file could not be read, or a named establishment is not in it
};

struct ImportOutcome {
  ImportStatus status = ImportStatus::Failed;
  int analysisFlags = 0;
  bool rectification = false;  // the file is a rectifying declaration
  std::vector<declfile::StructureFinding> findings;
  importing::ImportResult result;
  bool responsibleStored = false;
  std::string failure;  // what went wrong, for Failed
};

// The structure analysis as the import runs it: the layout of the file's year,
// the program's base year, and last year's values dropped. Answers the flags.
int analyseForImport(declfile::TAnaliseEstrutura& analyser, const std::filesystem::path& file, bool previousYear,
                     store::Database& db, platform::Interaction& ui);

// Copies the responsible party loaded from the file (Te8resp) into BD8Resp,
// keeping the user's own settings (tips flags and survey answers). The row is
// checked first with the responsible rules; answers false, storing nothing,
// when they find an error (the findings are left in Te8ErrWa).
bool storeFileResponsible(store::Database& db, const store::ReferenceLookup& reference, platform::Interaction& ui);

// The whole job.
ImportOutcome runImport(const ImportSettings& settings, store::Database& db, const store::ReferenceLookup& reference,
                        platform::Interaction& ui);

}  // namespace torvex::core::jobs
