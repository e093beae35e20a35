#pragma once
// "Informações do Responsável pela Declaração da Keva": edits the single
// BD8Resp row with the checks of ResponsibleEntry.
#include <QDialog>
#include <memory>

#include "core/entry/responsible_entry.h"

namespace Ui {
class TfmDadosResponsavel;
}

namespace torvex::gui::entry {

class EntrySession;
class FieldGuard;

class TfmDadosResponsavel : public QDialog {
  Q_OBJECT
 public:
  explicit TfmDadosResponsavel(EntrySession& session, QWidget* parent = nullptr);
  ~TfmDadosResponsavel() override;

  core::entry::ResponsibleEntry& rules() { return rules_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  core::entry::FieldOutcome leave(const QString& field);
  void save();
  void chooseMunicipality();

  EntrySession& session_;
  std::unique_ptr<Ui::TfmDadosResponsavel> ui_;
  core::entry::ResponsibleEntry rules_;
  FieldGuard* guard_;
};

}  // namespace torvex::gui::entry
