#pragma once
// "Informações Referentes ao Empregado / Servidor": one employee link of an
// establishment (a BD8Vinc row) in seven pages, with EmployeeEntry's checks on
// leaving each field, its fixed focus moves and its save.
#include <QDialog>
#include <memory>
#include <optional>

#include "core/entry/code_lookup.h"
#include "core/entry/employee_entry.h"

namespace Ui {
class TfmDadosEmpreg;
}

namespace torvex::gui::entry {

class EntrySession;
class FieldGuard;

class TfmDadosEmpreg : public QDialog {
  Q_OBJECT
 public:
  // A new link when `link` is empty, otherwise the stored link with that key.
  TfmDadosEmpreg(EntrySession& session, const core::entry::EstablishmentKey& establishment,
                 const std::optional<core::entry::LinkKey>& link, QWidget* parent = nullptr);
  ~TfmDadosEmpreg() override;

  // False when the establishment or the link was not found (the message was shown).
  bool loaded() const { return loaded_; }
  core::entry::EmployeeEntry& rules() { return rules_; }
  // After closing: whether the establishment still has links, and the PIS the
  // employee list searches for ("" for none).
  bool establishmentHasLinks() const;
  QString listSearchPis() const { return QString::fromStdString(rules_.listSearchPis()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;
  void done(int result) override;

 private:
  core::entry::FieldOutcome leave(const QString& field, bool toCancel);
  void afterRule(const core::entry::FieldOutcome& outcome);
  void refresh();
  void moveTo(const std::string& field);
  bool moveAcrossPages(QWidget* from, int step);
  bool requestPage(int page);
  int messagesShown() const;
  void radioClicked(core::entry::FieldOutcome (core::entry::EmployeeEntry::*rule)());
  void lookup(core::entry::LookupKind kind, const char* field);
  void save();
  void remove();
  void closeIfAsked();

  EntrySession& session_;
  std::unique_ptr<Ui::TfmDadosEmpreg> ui_;
  core::entry::EstablishmentKey establishment_;
  core::entry::EmployeeEntry rules_;
  FieldGuard* guard_;
  bool loaded_ = false;
  // Messages shown by the window itself (the outcomes' codes).
  int windowMessages_ = 0;
  // The message count at the last page change the user asked for.
  int messagesAtPageRequest_ = 0;
};

}  // namespace torvex::gui::entry
