#pragma once
// What the import wizard's pages share: the data folder, the reference
// look-ups (message texts) and the Interaction seam for messages and questions.
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::gui::importing {

struct ImportContext {
  core::store::Database& db;
  const core::store::ReferenceLookup& reference;
  core::platform::Interaction& ui;
};

}  // namespace torvex::gui::importing
