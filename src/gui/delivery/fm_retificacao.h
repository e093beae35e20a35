#pragma once
// "Assistente para Retificação de Declaração": the introduction for the base
// year, then the choice of establishments and, in the current one, of the
// links to re-send. Accepted when the choice may be copied; the write wizard
// then continues in rectification mode, and its "< Voltar" shows the choice
// again (showSelection).
#include <QDialog>
#include <memory>

#include "core/delivery/rectification_selection.h"

namespace Ui {
class TfmRetificacao;
}

namespace torvex::gui::entry {
class EntrySession;
}

namespace torvex::gui::delivery {

class LinkListModel;

class TfmRetificacao : public QDialog {
  Q_OBJECT
 public:
  enum class Page { Introducao, Selecao };

  TfmRetificacao(entry::EntrySession& session, core::delivery::RectificationSelection& selection,
                 QWidget* parent = nullptr);
  ~TfmRetificacao() override;

  Page page() const;

 private:
  void showPage(Page page);
  void advance();
  void back();
  void toggleEstablishment(int row);
  void toggleLink(int row);
  void tickAllLinks(bool ticked);
  void showEstablishmentMarks();
  void listLinks();
  void showMessage(const std::string& code);

  entry::EntrySession& session_;
  core::delivery::RectificationSelection& selection_;
  std::unique_ptr<Ui::TfmRetificacao> ui_;
  LinkListModel* links_;
};

}  // namespace torvex::gui::delivery
