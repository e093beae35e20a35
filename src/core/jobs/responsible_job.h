#pragma once
// The responsible party taken from a declaration file's type-0 record: the
// fields go through the checks of the responsible window and, when none
// refuses, are saved as the window saves them. Shared by `torvex-cli
// responsavel`; shows nothing, the caller tells the user.
#include <filesystem>
#include <string>
#include <vector>

#include "core/entry/entry_form.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::jobs {

struct ResponsibleFromFileSettings {
  std::filesystem::path file;
};

enum class ResponsibleFromFileResult {
  Stored,               // the row passed every check and was saved
  Refused,              // a check refused it (`refusals`); nothing was saved
  Unreadable,           // the file is missing or could not be read (`problem`)
  NotDeclaration,       // the file is not a declaration of this year (`problem`)
  NoResponsibleRecord,  // its first record is not the responsible party's (`problem`)
};

struct ResponsibleFromFileOutcome {
  ResponsibleFromFileResult result = ResponsibleFromFileResult::Unreadable;
  std::string problem;
  // The fields as the window shows them after the checks (for Stored and Refused).
  entry::FieldValues values;
  std::vector<entry::FieldOutcome> refusals;
};

ResponsibleFromFileOutcome storeResponsibleFromFile(const ResponsibleFromFileSettings& settings, store::Database& db,
                                                    const store::ReferenceLookup& reference);

}  // namespace torvex::core::jobs
