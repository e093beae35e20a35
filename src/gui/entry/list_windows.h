#pragma once
// The establishment list (open and delete modes) and the employee list of one
// establishment: a lazily read table, search by number and by name, and the
// letter buttons. The inscription-kind chooser used by the establishment list.
#include <QDialog>
#include <memory>

#include "core/entry/entry_lists.h"

namespace Ui {
class TfmListaEstabelecimentos;
class TfmListaEmpregados;
}

class QLineEdit;
class QTableView;
class QAbstractButton;

namespace torvex::gui::entry {

class EntrySession;
class LazyListModel;

// Search fields, letter buttons and the Enter/double-click behaviour both lists share.
class ListSearch : public QObject {
  Q_OBJECT
 public:
  ListSearch(QDialog* window, QTableView* view, LazyListModel* model, QLineEdit* number, QLineEdit* name,
             QAbstractButton* action);
  void rebuild();
  void reset();  // search cleared, "all" down
  int selectedRow() const;

 signals:
  void activated();  // Enter or double click on a row

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void focusAfterSearch();
  QDialog* window_;
  QTableView* view_;
  LazyListModel* model_;
  QLineEdit* number_;
  QLineEdit* name_;
  QAbstractButton* action_;
  QString letters_;
};

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

// "Tipo de Inscrição": "1" (CNPJ, also when nothing was chosen) or "3" (CEI).
QString chooseInscriptionKind(QWidget* parent);

}  // namespace torvex::gui::entry
