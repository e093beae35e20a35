#pragma once
// The report pages of the import wizard: the structure-error page (the file
// cannot be imported; "rptErrosEstrutura") and the summary page (the chosen
// establishments were imported; "rptImportacao").
#include <QDialog>
#include <memory>

#include "core/importing/establishment_list.h"
#include "core/reports/printing_rules.h"
#include "gui/importing/import_context.h"

namespace Ui {
class TfmImportacaoRelatorio;
}

namespace torvex::gui::importing {

class TfmImportacaoRelatorio : public QDialog {
  Q_OBJECT
 public:
  enum class Kind { StructureErrors, Summary };

  // `interrupted`: the summary of an import the user stopped.
  TfmImportacaoRelatorio(ImportContext& context, Kind kind, const core::importing::ImportKind& import,
                         QWidget* parent = nullptr, bool interrupted = false);
  ~TfmImportacaoRelatorio() override;

 private:
  // "&Visualizar" previews the page's report, "&Relatório" prints it.
  void runReport(core::reports::Destination destination);

  ImportContext& context_;
  Kind kind_;
  core::importing::ImportKind import_;
  std::unique_ptr<Ui::TfmImportacaoRelatorio> ui_;
};

}  // namespace torvex::gui::importing
