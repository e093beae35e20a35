#pragma once
// Page 3 of the import wizard: the establishments of the loaded file, each
// with a check box (a one-character prefix cannot be ticked), "Selecionar
// Todos" and "Limpar Todos", and the import itself with progress and Cancel.
// The analyse-a-file wizard opens it directly, with "Selecionar Todos" chosen.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "core/importing/establishment_list.h"
#include "gui/importing/import_context.h"
#include "gui/importing/page_interaction.h"

class QListWidgetItem;

namespace Ui {
class TfmImportacao03;
}

namespace torvex::gui::importing {

class TfmImportacao03 : public QDialog {
  Q_OBJECT
 public:
  TfmImportacao03(ImportContext& context, const core::importing::ImportKind& kind, bool selectAll,
                  QWidget* parent = nullptr);
  ~TfmImportacao03() override;

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillList();
  void toggle(QListWidgetItem* item);
  void selectAll();
  void clearAll();
  void clearOptions();
  void conclude();
  bool ticked(int row) const;

  ImportContext& context_;
  core::importing::ImportKind kind_;
  std::unique_ptr<Ui::TfmImportacao03> ui_;
  PageInteraction run_;
  std::vector<core::importing::FileEstablishment> establishments_;
  std::vector<std::string> lines_;
  bool running_ = false;
};

}  // namespace torvex::gui::importing
