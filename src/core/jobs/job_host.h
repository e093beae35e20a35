#pragma once
// What a job needs from whoever runs it (a wizard or a subcommand): the open
// data folder, its reference tables and the user.
#include "core/platform/interaction.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::jobs {

struct JobHost {
  store::Database& db;
  const store::ReferenceLookup& reference;
  platform::Interaction& ui;
};

}  // namespace torvex::core::jobs
