#pragma once
// The establishment list, in open and delete modes: a lazily read table, search by
// number and by name, and the letter buttons; and the inscription-kind chooser.
#include <QDialog>
#include <memory>

#include "core/entry/entry_lists.h"

namespace Ui {
class TfmListaEstabelecimentos;
}

namespace torvex::gui::entry {

class EntrySession;
class LazyListModel;
class ListSearch;

class TfmListaEstabelecimentos : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Open, Delete };
  TfmListaEstabelecimentos(EntrySession& session, Mode mode, QWidget* parent = nullptr);
  ~TfmListaEstabelecimentos() override;

  // False when the base year has no establishment (the list closes at once).
  bool hasRows() const { return hasRows_; }
  // The establishment chosen with "&Exibir" / "&Excluir".
  const core::entry::EstablishmentKey& chosen() const { return chosen_; }
  LazyListModel* model() const { return model_; }

 private:
  void act();
  EntrySession& session_;
  Mode mode_;
  std::unique_ptr<Ui::TfmListaEstabelecimentos> ui_;
  LazyListModel* model_;
  ListSearch* search_;
  core::entry::EstablishmentKey chosen_;
  bool hasRows_ = false;
};

// "Tipo de Inscrição": "1" (CNPJ, also when nothing was chosen) or "3" (CEI).
QString chooseInscriptionKind(QWidget* parent);

}  // namespace torvex::gui::entry
