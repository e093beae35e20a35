#pragma once
// A list of valid codes with their descriptions (states with their
// municipalities, CNAE divisions with their subclasses, the CBO levels, ...).
// Built once from the reference table; choosing an entry of the selectable
// level closes the dialog with its code.
#include <QDialog>
#include <QString>

#include "core/entry/code_lookup.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace torvex::gui::entry {

class TfmLookup : public QDialog {
  Q_OBJECT
 public:
  TfmLookup(core::store::Database& db, core::entry::LookupKind kind, QWidget* parent = nullptr);

  // Shows the list; the chosen code, or "" when closed without a choice.
  QString choose();
  QString chosenCode() const { return chosen_; }
  QTreeWidget* tree() const { return tree_; }

 private:
  void activate(QTreeWidgetItem* item);
  core::entry::LookupKind kind_;
  QTreeWidget* tree_;
  QString chosen_;
};

}  // namespace torvex::gui::entry
