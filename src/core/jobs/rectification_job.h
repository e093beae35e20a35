#pragma once
// The rectification's work on the data: the work tables made anew when its
// wizard opens, and the copy of exactly the chosen rows (the responsible row,
// the marked establishments and their chosen links) into them, which the
// check and the writer then read to write the files with suffix R.
#include <cstdint>
#include <string>

#include "core/delivery/rectification_selection.h"
#include "core/store/database.h"

namespace torvex::core::jobs {

// Told when the work tables cannot be made; the rectification then closes.
inline constexpr const char* kRectificationStartFailedText =
    "Erro na inicialização dos arquivos para gravação de declaração.\rProcesso será interrompido";

// Makes Te8resp, Te8emp and Te8vinc anew and empty; false when one of them
// cannot be made (the engine's error is not passed on).
bool startRectification(store::Database& db);

enum class RectificationCopyResult {
  Copied,     // the work tables hold the chosen rows
  Missing,    // a chosen establishment or link is no longer stored (message 1925)
  Duplicate,  // two chosen links are the same stored row (message 1926)
};

struct RectificationCopyOutcome {
  RectificationCopyResult result = RectificationCopyResult::Missing;
  std::string code;  // the message to show when not copied
  std::int64_t establishments = 0;
  std::int64_t links = 0;
};

// Empties the work tables and copies into them, in one transaction, the
// responsible row and, for each marked establishment in list order, its row
// and its chosen links in their order. When it fails the work tables are left
// as they were. Other engine failures are thrown.
RectificationCopyOutcome copyForRectification(store::Database& db, const delivery::RectificationSelection& selection);

}  // namespace torvex::core::jobs
