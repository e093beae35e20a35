#include "gui/delivery/fm_transmissao.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "core/delivery/media_operations.h"
#include "core/jobs/transmit_job.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_transmissao.h"

namespace torvex::gui::delivery {

namespace fs = std::filesystem;
using core::platform::Buttons;
using core::platform::DialogKind;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Design widths of the first six columns (the state column wide enough for its
// word); the name takes the rest.
constexpr int kColumnWidths[] = {64, 84, 124, 44, 58, 70};

}  // namespace

TfmTransmissao::TfmTransmissao(TransmissionHost& host, TransmissionMode mode, QWidget* parent)
    : QDialog(parent), host_(host), mode_(mode), ui_(std::make_unique<Ui::TfmTransmissao>()) {
  ui_->setupUi(this);
  const bool print = mode == TransmissionMode::Print;
  setWindowTitle(print ? QStringLiteral("Imprimir Protocolo de Transmissão") : QStringLiteral("Transmitir Declaração"));
  ui_->btTransmitir->setVisible(!print);
  ui_->lbInstrucaoTransmitir->setVisible(!print);
  ui_->btImprime->setVisible(print);
  ui_->lbInstrucaoImprimir->setVisible(print);
  for (int c = 0; c < static_cast<int>(std::size(kColumnWidths)); ++c)
    ui_->lvDeclaracoes->setColumnWidth(c, shell::screenScale().scaled(kColumnWidths[c]));
  connect(ui_->btDriveA, &QPushButton::clicked, this, &TfmTransmissao::listDriveA);
  connect(ui_->btDriveC, &QPushButton::clicked, this, &TfmTransmissao::listDriveC);
  connect(ui_->btTransmitir, &QPushButton::clicked, this, &TfmTransmissao::transmitSelected);
  connect(ui_->btImprime, &QPushButton::clicked, this, &TfmTransmissao::printSelected);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->lvDeclaracoes, &QTreeWidget::itemSelectionChanged, this, &TfmTransmissao::updateButtons);
  showProtocol = [this](const core::reports::Parameters& p, const fs::path& declaration) {
    namespace rep = core::reports;
    const rep::ReportDefinition* def = rep::findReport("Transmissao");
    rep::MemoryDataSets none;
    rep::Document doc = rep::buildReport(*def, rep::standardParameters(def->name, p), none);
    doc.sources = {declaration, core::delivery::receiptPath(declaration)};
    reports::showDocument(this, host_.reports, std::move(doc), reports::Destination::Preview);
  };
  updateButtons();
  shell::applyDesignSize(this);
}

TfmTransmissao::~TfmTransmissao() = default;

QTreeWidget* TfmTransmissao::list() const { return ui_->lvDeclaracoes; }

void TfmTransmissao::tell(DialogKind kind, const std::string& text) { host_.reports.ui.message(kind, text, Buttons::Ok); }

void TfmTransmissao::clearList() {
  lines_.clear();
  listed_.clear();
  ui_->lvDeclaracoes->clear();
  ui_->lbPasta->clear();
  updateButtons();
}

void TfmTransmissao::listDriveC() { listFolder(host_.transmitFolder); }

void TfmTransmissao::listDriveA() {
  auto& ui = host_.reports.ui;
  if (!core::delivery::diskReadyCheck(host_.media, ui, 'A') ||
      !core::delivery::destinationHasEntries(host_.media, 'A')) {
    clearList();
    tell(DialogKind::Warning, core::delivery::kNoDeclarationText);
    return;
  }
  listFolder(host_.media.folder('A'));
}

void TfmTransmissao::listFolder(const fs::path& where) {
  const fs::path folder = where;  // `where` may be listed_, which clearList() empties
  clearList();
  lines_ = core::delivery::listDeclarations(folder);
  if (lines_.empty()) {
    tell(DialogKind::Warning, core::delivery::kNoDeclarationText);
    return;
  }
  listed_ = folder;
  ui_->lbPasta->setText(QStringLiteral("Declarações em ") + QString::fromStdString(folder.string()));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto& d = lines_[i];
    auto* item = new QTreeWidgetItem(ui_->lvDeclaracoes, QStringList{qs(d.state), qs(d.crea), qs(d.inscription),
                                                                      qs(d.prefix), qs(d.fileNumber), qs(d.mark),
                                                                      qs(d.name)});
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    item->setToolTip(6, QString::fromStdString(d.file.string()));
    if (d.transmitted) item->setForeground(0, QColor(0, 110, 0));
  }
  // Columns grow to show their values whole.
  const QFontMetrics metrics(ui_->lvDeclaracoes->font());
  for (int c = 0; c < static_cast<int>(std::size(kColumnWidths)); ++c) {
    int widest = shell::screenScale().scaled(kColumnWidths[c]);
    for (int r = 0; r < ui_->lvDeclaracoes->topLevelItemCount(); ++r)
      widest = std::max(widest, metrics.horizontalAdvance(ui_->lvDeclaracoes->topLevelItem(r)->text(c)) + 16);
    ui_->lvDeclaracoes->setColumnWidth(c, widest);
  }
  updateButtons();
}

std::vector<int> TfmTransmissao::selectedLines() const {
  std::vector<int> rows;
  for (auto* item : ui_->lvDeclaracoes->selectedItems()) rows.push_back(item->data(0, Qt::UserRole).toInt());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TfmTransmissao::updateButtons() {
  const bool any = !ui_->lvDeclaracoes->selectedItems().isEmpty();
  ui_->btTransmitir->setEnabled(any);
  ui_->btImprime->setEnabled(any);
}

void TfmTransmissao::transmitSelected() {
  using core::jobs::TransmitResult;
  const auto rows = selectedLines();
  if (rows.empty()) return;
  const std::vector<core::delivery::ListedDeclaration> chosen = [&] {
    std::vector<core::delivery::ListedDeclaration> v;
    for (int r : rows) v.push_back(lines_[static_cast<std::size_t>(r)]);
    return v;
  }();
  for (const auto& line : chosen) {
    if (line.transmitted) {
      tell(DialogKind::Warning, core::delivery::kAlreadyTransmittedText);
      continue;
    }
    // The window does not respond while the transmission program runs.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto out = core::jobs::transmitDeclaration(host_.processes, handOff(host_, line.file));
    QApplication::restoreOverrideCursor();
    switch (out.result) {
      case TransmitResult::Transmitted: break;
      case TransmitResult::AlreadyTransmitted:
        tell(DialogKind::Warning, core::delivery::kAlreadyTransmittedText);
        break;
      case TransmitResult::ProgramMissing:
        host_.reports.ui.titledMessage(DialogKind::Information, core::delivery::kProgramMissingTitle,
                                       core::delivery::programMissingText(), Buttons::Ok);
        break;
      case TransmitResult::InvalidReceipt:
        tell(DialogKind::Error, core::delivery::kInvalidReceiptText);
        break;
      case TransmitResult::NoReceipt:
        tell(DialogKind::Warning, noReceiptText(out.run.output));
        break;
      case TransmitResult::NotADeclaration:
        tell(DialogKind::Error, notADeclarationText(out.detail));
        break;
      case TransmitResult::HandOffFailed:
      case TransmitResult::ProgramNotStarted:
        tell(DialogKind::Error, out.detail);
        break;
    }
  }
  // List the drive again so that the new receipts show.
  if (!listed_.empty()) listFolder(listed_);
}

void TfmTransmissao::printSelected() {
  for (int r : selectedLines()) {
    const auto& line = lines_[static_cast<std::size_t>(r)];
    if (!line.transmitted) {
      tell(DialogKind::Warning, core::delivery::kNotTransmittedText);
      continue;
    }
    // The receipt must be this file's, as the file now stands.
    const auto receipt = core::delivery::readReceiptOf(line.file);
    if (receipt.status != core::delivery::ReceiptStatus::Valid) {
      tell(DialogKind::Error, core::delivery::kInvalidReceiptText);
      continue;
    }
    showProtocol(core::jobs::protocolParameters(receipt), line.file);
  }
}

}  // namespace torvex::gui::delivery
