#include "gui/importing/fm_importacao03.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>

#include "core/importing/import_merge.h"
#include "core/validation/message_dialog.h"
#include "gui/importing/import_wizard_text.h"
#include "gui/importing/fm_importacao_relatorio.h"
#include "ui_fm_importacao03.h"

namespace torvex::gui::importing {
namespace {

namespace imp = core::importing;
using core::platform::Buttons;
using core::platform::DialogKind;

// Whether the loaded file's type-0 record marks it as a rectification.
bool rectificationFile(core::store::Database& db) {
  if (!db.tableExists(core::store::table::kWorkResponsible)) return false;
  auto st = db.prepare("SELECT InRetificacao FROM Te8resp LIMIT 1");
  return st.step() && st.logical(0).value_or(false);
}

}  // namespace

TfmImportacao03::TfmImportacao03(ImportContext& context, const imp::ImportKind& kind, bool selectAll,
                                 QWidget* parent)
    : QDialog(parent), context_(context), kind_(kind), ui_(std::make_unique<Ui::TfmImportacao03>()), run_(context.ui) {
  ui_->setupUi(this);
  run_.setProgressBar(ui_->pbProgresso);
  setWindowTitle(wizardTitle(kind_));
  ui_->lbBanner->setText(wizardBanner(kind_));
  ui_->lbStatus->setText(!kind_.previousYear && rectificationFile(context_.db)
                             ? QStringLiteral("Informações referentes à declaração de retificação")
                             : QStringLiteral("Informações referentes ao ano ") + QString::fromStdString(kind_.importYear));
  ui_->swPaineis->setCurrentWidget(ui_->pnLista);
  fillList();
  ui_->lbEstabelecimentos->installEventFilter(this);
  connect(ui_->lbEstabelecimentos, &QListWidget::itemClicked, this, &TfmImportacao03::toggle);
  connect(ui_->rbSelecionarTodos, &QRadioButton::clicked, this, &TfmImportacao03::selectAll);
  connect(ui_->rbLimparTodos, &QRadioButton::clicked, this, &TfmImportacao03::clearAll);
  connect(ui_->btConcluir, &QPushButton::clicked, this, &TfmImportacao03::conclude);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmImportacao03::reject);
  if (selectAll) {
    ui_->rbSelecionarTodos->setChecked(true);
    this->selectAll();
  }
  ui_->lbEstabelecimentos->setFocus();
  if (ui_->lbEstabelecimentos->count() > 0) ui_->lbEstabelecimentos->setCurrentRow(0);
}

TfmImportacao03::~TfmImportacao03() = default;

void TfmImportacao03::fillList() {
  establishments_ = imp::fileEstablishments(context_.db, kind_.importYear);
  for (const auto& e : establishments_) {
    lines_.push_back(imp::listLine(e));
    auto* item = new QListWidgetItem(QString::fromStdString(lines_.back()), ui_->lbEstabelecimentos);
    // The box is ticked by the page's own rule, never directly by Qt.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
}

bool TfmImportacao03::ticked(int row) const {
  return ui_->lbEstabelecimentos->item(row)->checkState() == Qt::Checked;
}

void TfmImportacao03::clearOptions() {
  for (auto* option : {ui_->rbSelecionarTodos, ui_->rbLimparTodos}) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
  }
}

void TfmImportacao03::toggle(QListWidgetItem* item) {
  if (running_ || !item) return;
  clearOptions();
  const int row = ui_->lbEstabelecimentos->row(item);
  if (ticked(row)) {
    item->setCheckState(Qt::Unchecked);
    return;
  }
  if (!imp::canTick(lines_[static_cast<std::size_t>(row)])) {
    context_.ui.message(DialogKind::Error, imp::kCannotTickMessage, Buttons::Ok);
    item->setCheckState(Qt::Unchecked);
    return;
  }
  item->setCheckState(Qt::Checked);
}

void TfmImportacao03::selectAll() {
  std::vector<bool> marks;
  for (int row = 0; row < ui_->lbEstabelecimentos->count(); ++row) marks.push_back(ticked(row));
  const auto stoppedAt = imp::selectAll(lines_, marks);
  for (int row = 0; row < ui_->lbEstabelecimentos->count(); ++row)
    ui_->lbEstabelecimentos->item(row)->setCheckState(marks[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked);
  if (stoppedAt) {
    context_.ui.message(DialogKind::Error, imp::kSelectAllStopMessage, Buttons::Ok);
    ui_->lbEstabelecimentos->setCurrentRow(static_cast<int>(*stoppedAt));
  }
}

void TfmImportacao03::clearAll() {
  for (int row = 0; row < ui_->lbEstabelecimentos->count(); ++row)
    ui_->lbEstabelecimentos->item(row)->setCheckState(Qt::Unchecked);
}

bool TfmImportacao03::eventFilter(QObject* watched, QEvent* event) {
  // Enter and the space bar on the list act as a click on the current line.
  if (watched == ui_->lbEstabelecimentos && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      toggle(ui_->lbEstabelecimentos->currentItem());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfmImportacao03::conclude() {
  if (running_) return;
  imp::ImportRequest request;
  request.kind = kind_;
  request.listLines = establishments_.size();
  for (int row = 0; row < ui_->lbEstabelecimentos->count(); ++row)
    if (ticked(row)) request.chosen.push_back(establishments_[static_cast<std::size_t>(row)]);
  if (request.chosen.empty()) {
    core::validation::showMessage(context_.ui, context_.reference, imp::kNothingTickedCode);
    return;
  }
  ui_->swPaineis->setCurrentWidget(ui_->pnImportando);
  ui_->btConcluir->setEnabled(false);
  ui_->rbSelecionarTodos->setEnabled(false);
  ui_->rbLimparTodos->setEnabled(false);
  ui_->btCancelar->setFocus();
  run_.clearStopRequest();
  running_ = true;
  imp::ImportResult result;
  try {
    result = imp::ImportMerge(context_.db, run_).run(request);
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = false;
  TfmImportacaoRelatorio summary(context_, TfmImportacaoRelatorio::Kind::Summary, kind_, this, result.interrupted);
  summary.exec();
  accept();
}

void TfmImportacao03::reject() {
  if (running_) {
    run_.requestStop();  // the import confirms with "Deseja interromper?"
    return;
  }
  QDialog::reject();
}

void TfmImportacao03::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    run_.requestStop();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace torvex::gui::importing
