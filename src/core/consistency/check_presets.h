#pragma once
// The consistency check as each workflow runs it: one named preset per workflow,
// so that a wizard and its subcommand ask the engine the same thing.
#include <vector>

#include "core/consistency/check_engine.h"
#include "core/store/establishment_key.h"

namespace torvex::core::consistency {

// Verify inconsistencies: every stored establishment of the base year.
CheckParameters verifyCheck();
// Verify inconsistencies of the chosen establishments of the base year.
CheckParameters verifyCheck(std::vector<store::EstablishmentKey> chosen);

// Write the declaration: the chosen establishments of the base year, and the
// responsible row; its fields that only a loaded file fills are not asked of a
// keyed-in row.
CheckParameters writeCheck(std::vector<store::EstablishmentKey> chosen);

// Write a rectification: the work tables the rectification filled (the
// responsible row and exactly the chosen establishments and links).
CheckParameters rectificationWriteCheck();

// Analyse a file: the work tables just loaded, every establishment and every
// year, the responsible row, as a file.
CheckParameters analyseFileCheck();

// Import, before a file's responsible party is taken: the responsible row of the
// work tables alone, as a file; no establishment.
CheckParameters fileResponsibleCheck();

}  // namespace torvex::core::consistency
