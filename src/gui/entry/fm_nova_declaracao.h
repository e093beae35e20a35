#pragma once
// "Torvex - Nova Declaração": the key data of a new establishment. Accepted
// once the row is stored (by "Ok" or by copying another prefix); key() then
// names it for the establishment window.
#include <QDialog>
#include <memory>

#include "core/entry/new_declaration.h"

namespace Ui {
class TfmNovaDeclaracao;
}

namespace torvex::gui::entry {

class EntrySession;
class FieldGuard;

class TfmNovaDeclaracao : public QDialog {
  Q_OBJECT
 public:
  explicit TfmNovaDeclaracao(EntrySession& session, QWidget* parent = nullptr);
  ~TfmNovaDeclaracao() override;
  const core::entry::EstablishmentKey& key() const { return rules_.key(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  core::entry::FieldOutcome leave(const QString& field);
  void refresh();
  void declarationTypeClicked();
  void ok();

  EntrySession& session_;
  std::unique_ptr<Ui::TfmNovaDeclaracao> ui_;
  core::entry::NewDeclaration rules_;
  FieldGuard* guard_;
};

// "Torvex2006 - Declaração Sem Empregados": the tips screen, unless turned off.
void showNegativeTips(EntrySession& session, QWidget* parent);

}  // namespace torvex::gui::entry
