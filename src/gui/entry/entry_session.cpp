#include "gui/entry/entry_session.h"

#include "gui/entry/fm_lookup.h"

#include <QWidget>

namespace torvex::gui::entry {

EntrySession::EntrySession(shell::AppContext& context, core::platform::Interaction& ui)
    : context_(context), ui_(ui) {}

EntrySession::~EntrySession() = default;

const core::store::ReferenceLookup& EntrySession::reference() {
  if (!reference_) reference_ = std::make_unique<core::store::ReferenceLookup>(db());
  return *reference_;
}

TfmLookup& EntrySession::lookup(core::entry::LookupKind kind, QWidget* parent) {
  auto& slot = lookups_[kind];
  if (!slot) slot = std::make_unique<TfmLookup>(db(), kind);
  if (parent) slot->move(parent->window()->geometry().center() - slot->rect().center());
  return *slot;
}

}  // namespace torvex::gui::entry
