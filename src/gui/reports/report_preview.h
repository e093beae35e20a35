#pragma once
// "Visualização do Relatório": the report's pages on screen, one at a time,
// with printing (when a printer exists) and "Salvar PDF". The pages are those
// the printer and the PDF file get.
#include <QDialog>
#include <filesystem>
#include <memory>

#include "core/reports/document.h"

namespace Ui {
class ReportPreview;
}

namespace torvex::reports {
class ReportRenderer;
}

namespace torvex::gui::reports {

class ReportPreview : public QDialog {
  Q_OBJECT
 public:
  // `dataFolder`: where a saved PDF may never go (with the document's sources).
  ReportPreview(core::reports::Document document, bool printingAllowed, QWidget* parent = nullptr,
                std::filesystem::path dataFolder = {});
  ~ReportPreview() override;

  int pageCount() const;
  int currentPage() const { return page_; }  // 0-based
  void showPage(int index);
  bool printingAllowed() const;
  // Saves the report as a PDF file without asking where (the button asks).
  bool savePdf(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void print();
  void askAndSavePdf();
  void refresh();

  std::unique_ptr<Ui::ReportPreview> ui_;
  core::reports::Document document_;
  QString emitted_;
  std::filesystem::path dataFolder_;
  std::unique_ptr<torvex::reports::ReportRenderer> renderer_;
  int page_ = 0;
};

}  // namespace torvex::gui::reports
