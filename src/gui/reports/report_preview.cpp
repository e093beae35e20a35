#include "gui/reports/report_preview.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>

#include "gui/shell/screen_scale.h"
#include "reports/report_renderer.h"
#include "ui_report_preview.h"

namespace torvex::gui::reports {

ReportPreview::ReportPreview(core::reports::Document document, bool printingAllowed, QWidget* parent,
                             std::filesystem::path dataFolder)
    : QDialog(parent),
      ui_(std::make_unique<Ui::ReportPreview>()),
      document_(std::move(document)),
      emitted_(torvex::reports::emissionNow()),
      dataFolder_(std::move(dataFolder)) {
  ui_->setupUi(this);
  renderer_ = std::make_unique<torvex::reports::ReportRenderer>(document_, emitted_);
  ui_->printButton->setEnabled(printingAllowed);
  ui_->pageSpin->setMaximum(std::max(1, pageCount()));
  ui_->pageCountLabel->setText(QStringLiteral("de %1").arg(pageCount()));
  ui_->pageView->setBackgroundRole(QPalette::Base);
  connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->printButton, &QPushButton::clicked, this, &ReportPreview::print);
  connect(ui_->pdfButton, &QPushButton::clicked, this, &ReportPreview::askAndSavePdf);
  connect(ui_->firstButton, &QToolButton::clicked, this, [this] { showPage(0); });
  connect(ui_->previousButton, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
  connect(ui_->nextButton, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
  connect(ui_->lastButton, &QToolButton::clicked, this, [this] { showPage(pageCount() - 1); });
  connect(ui_->pageSpin, &QSpinBox::valueChanged, this, [this](int v) { showPage(v - 1); });
  connect(ui_->zoomCombo, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
  shell::applyDesignSize(this, {600, 450});
  showPage(0);
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const { return renderer_->pageCount(); }

bool ReportPreview::printingAllowed() const { return ui_->printButton->isEnabled(); }

void ReportPreview::showPage(int index) {
  index = std::clamp(index, 0, std::max(0, pageCount() - 1));
  page_ = index;
  if (ui_->pageSpin->value() != index + 1) ui_->pageSpin->setValue(index + 1);
  ui_->firstButton->setEnabled(index > 0);
  ui_->previousButton->setEnabled(index > 0);
  ui_->nextButton->setEnabled(index + 1 < pageCount());
  ui_->lastButton->setEnabled(index + 1 < pageCount());
  refresh();
}

void ReportPreview::refresh() {
  if (pageCount() == 0) return;
  const QSize view = ui_->scrollArea->viewport()->size();
  const double screenDpi = logicalDpiX();
  double dpi = screenDpi;
  const double pageWidthInch = core::reports::page::kWidthMm / 25.4;
  const double pageHeightInch = core::reports::page::kHeightMm / 25.4;
  switch (ui_->zoomCombo->currentIndex()) {
    case 0: dpi = (view.width() - 24) / pageWidthInch; break;
    case 1: dpi = std::min((view.width() - 24) / pageWidthInch, (view.height() - 24) / pageHeightInch); break;
    default: break;
  }
  dpi = std::max(dpi, 20.0);
  const qreal ratio = devicePixelRatioF();
  QImage image = renderer_->pageImage(page_, dpi * ratio);
  image.setDevicePixelRatio(ratio);
  ui_->pageView->setPixmap(QPixmap::fromImage(image));
  ui_->pageView->resize(image.size() / ratio);
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // The scroll area takes its new size once the layout has run.
  if (ui_->zoomCombo->currentIndex() != 2) QTimer::singleShot(0, this, [this] { refresh(); });
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown: showPage(page_ + 1); return;
    case Qt::Key_PageUp: showPage(page_ - 1); return;
    case Qt::Key_Home:
      if (event->modifiers() & Qt::ControlModifier) return showPage(0);
      break;
    case Qt::Key_End:
      if (event->modifiers() & Qt::ControlModifier) return showPage(pageCount() - 1);
      break;
    default: break;
  }
  QDialog::keyPressEvent(event);
}

void ReportPreview::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QPrinterInfo::defaultPrinterName());
  printer.setDocName(QString::fromStdString(document_.title));
  if (!renderer_->paintAll(printer))
    QMessageBox::critical(this, windowTitle(), QStringLiteral("Não foi possível imprimir o relatório."));
}

bool ReportPreview::savePdf(const QString& path) {
  QString error;
  if (torvex::reports::writePdf(document_, path, emitted_, &error, dataFolder_)) return true;
  QMessageBox::critical(this, windowTitle(), QStringLiteral("Não foi possível gravar %1: %2.").arg(path, error));
  return false;
}

void ReportPreview::askAndSavePdf() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString name = QString::fromStdString(document_.reportName.empty() ? "relatorio" : document_.reportName);
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar PDF"), folder + "/" + name + ".pdf",
                                                    QStringLiteral("Documento PDF (*.pdf)"));
  if (!path.isEmpty()) savePdf(path);
}

}  // namespace torvex::gui::reports
