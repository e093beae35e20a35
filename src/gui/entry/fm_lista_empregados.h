#pragma once
// The employee list of one establishment: a lazily read table, search by PIS and by
// name, and the letter buttons.
#include <QDialog>
#include <memory>

#include "core/entry/entry_lists.h"

namespace Ui {
class TfmListaEmpregados;
}

namespace torvex::gui::entry {

class EntrySession;
class LazyListModel;
class ListSearch;

class TfmListaEmpregados : public QDialog {
  Q_OBJECT
 public:
  TfmListaEmpregados(EntrySession& session, const core::entry::EstablishmentKey& key, QWidget* parent = nullptr);
  ~TfmListaEmpregados() override;
  LazyListModel* model() const { return model_; }

 private:
  void openEmployee(bool existing);
  EntrySession& session_;
  core::entry::EstablishmentKey key_;
  std::unique_ptr<Ui::TfmListaEmpregados> ui_;
  LazyListModel* model_;
  ListSearch* search_;
};

}  // namespace torvex::gui::entry
