#pragma once
// The rewriting step of torvex-cli analisar --gravar: the analysed file is
// written again from the work tables by the declaration writer.
#include <string>

#include "core/store/database.h"

namespace torvex::cli {

// Exit statuses of the rewriting step.
inline constexpr int kExitRewriteFailed = 5;
inline constexpr int kExitRewriteInterrupted = 6;

// Writes the work tables into `destination` (standing for the hard-disk
// folder) and prints each file written, one per line; answers 0 or one of the
// statuses above.
int rewriteAnalysedFile(core::store::Database& db, const std::string& destination, bool rectification, bool json);

}  // namespace torvex::cli
