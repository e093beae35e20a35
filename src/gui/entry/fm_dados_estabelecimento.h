#pragma once
// "Torvex - Informações Referentes ao Estabelecimento": every field of one
// BD8Emp row in four tabs (and the PAT tab), with EstablishmentEntry's checks.
#include <QDialog>
#include <memory>

#include "core/entry/code_lookup.h"
#include "core/entry/establishment_entry.h"

namespace Ui {
class TfmDadosEstabelecimento;
}

namespace torvex::gui::entry {

class EntrySession;
class FieldGuard;

class TfmDadosEstabelecimento : public QDialog {
  Q_OBJECT
 public:
  // What the caller does once the window has closed.
  enum class Next { EstablishmentList, Employees, Close };

  TfmDadosEstabelecimento(EntrySession& session, core::entry::EntryMode mode, const core::entry::EstablishmentKey& key,
                          QWidget* parent = nullptr);
  ~TfmDadosEstabelecimento() override;

  // False when the row was not found ("1006" was shown).
  bool loaded() const { return loaded_; }
  Next next() const { return next_; }
  core::entry::EstablishmentEntry& rules() { return rules_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;
  void done(int result) override;

 private:
  core::entry::FieldOutcome leave(const QString& field);
  void enter(const QString& field);
  void refresh();
  bool moveAcrossTabs(QWidget* from);
  void save(bool links);
  void lookup(core::entry::LookupKind kind, const char* field);

  EntrySession& session_;
  std::unique_ptr<Ui::TfmDadosEstabelecimento> ui_;
  core::entry::EstablishmentEntry rules_;
  FieldGuard* guard_;
  bool loaded_ = false;
  Next next_ = Next::EstablishmentList;
};

}  // namespace torvex::gui::entry
