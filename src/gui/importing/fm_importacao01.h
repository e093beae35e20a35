#pragma once
// Page 1 of the import wizard: the file to import and its structure analysis,
// with progress and Cancel. A faulty file leads to the structure-error page,
// a sound one to the choice of establishments. Closing the page ends the
// wizard and removes the work tables it filled.
#include <QDialog>
#include <memory>

#include "core/declfile/analise_estrutura.h"
#include "core/importing/establishment_list.h"
#include "gui/importing/import_context.h"
#include "gui/importing/page_interaction.h"

namespace Ui {
class TfmImportacao01;
}

namespace torvex::gui::importing {

class TfmImportacao01 : public QDialog {
  Q_OBJECT
 public:
  // `settingsText`: "Atual - Ano 2006" or "Anterior - Ano 2005".
  TfmImportacao01(ImportContext& context, const QString& settingsText, QWidget* parent = nullptr);
  ~TfmImportacao01() override;

  void done(int result) override;

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void locate();
  void advance();
  void showFilePanel(bool clearName);

  ImportContext& context_;
  core::importing::ImportKind kind_;
  std::unique_ptr<Ui::TfmImportacao01> ui_;
  PageInteraction run_;
  core::declfile::TAnaliseEstrutura analyser_;
  bool running_ = false;
};

}  // namespace torvex::gui::importing
