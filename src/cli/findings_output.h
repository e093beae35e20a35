#pragma once
// Printing the findings of a consistency run (the error table) for the
// subcommands that check declarations, and the exit status they answer.
#include <ostream>
#include <vector>

#include "core/declfile/analise_estrutura.h"

#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::cli {

// Exit statuses of a check: nothing found, warnings only, errors.
inline constexpr int kExitWarnings = 1;
inline constexpr int kExitErrors = 2;

// Prints every row of the error table in report order: as text blocks followed
// by the outcome sentence, or (json) one JSON object per line and nothing else.
void printFindings(core::store::Database& db, const core::store::ReferenceLookup& reference, bool json,
                   std::ostream& out);

// Prints the structure findings of an analysis (the rows of Te8stru): one
// sentence per row, or (json) one JSON object per row with its message text.
void printStructureFindings(const std::vector<core::declfile::StructureFinding>& rows,
                            const core::store::ReferenceLookup& reference, bool json, std::ostream& out);
// Exit status of a file refused for its structure.
inline constexpr int kExitStructureFinding = 4;

// The exit status for a check's result bits (errors before warnings).
int checkExitStatus(int resultBits);
// Prints the findings of a finished check and answers its exit status; a check
// stopped by the user prints nothing but that, and answers 130.
int reportCheck(int resultBits, core::store::Database& db, const core::store::ReferenceLookup& reference, bool json,
                std::ostream& out);

}  // namespace torvex::cli
