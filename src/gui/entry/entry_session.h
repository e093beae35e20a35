#pragma once
// What the entry windows share for the whole run: the data folder, the
// Interaction seam, the reference look-ups, and the code lists (each built
// once, on first use, and kept).
#include <map>
#include <memory>

#include "core/entry/code_lookup.h"
#include "core/entry/employee_entry.h"
#include "core/platform/interaction.h"
#include "core/store/reference_lookup.h"
#include "gui/shell/app_context.h"

class QWidget;

namespace torvex::gui::entry {

class TfmLookup;

class EntrySession {
 public:
  EntrySession(shell::AppContext& context, core::platform::Interaction& ui);
  ~EntrySession();

  core::store::Database& db() { return *context_.db; }
  core::platform::Interaction& ui() { return ui_; }
  const core::store::ReferenceLookup& reference();
  shell::AppContext& context() { return context_; }

  // Run-wide: the CNAE correspondence was accepted once (later saves skip it).
  bool& cnaeCorrespondenceMark() { return cnaeMark_; }
  // Run-wide: how often the two rationed warnings of the employee window were shown.
  core::entry::LinkWarningCounters& linkWarningCounters() { return linkWarnings_; }

  // The code list of a kind, built on first use and kept for the run.
  TfmLookup& lookup(core::entry::LookupKind kind, QWidget* parent);

 private:
  shell::AppContext& context_;
  core::platform::Interaction& ui_;
  std::unique_ptr<core::store::ReferenceLookup> reference_;
  bool cnaeMark_ = false;
  core::entry::LinkWarningCounters linkWarnings_;
  std::map<core::entry::LookupKind, std::unique_ptr<TfmLookup>> lookups_;
};

}  // namespace torvex::gui::entry
