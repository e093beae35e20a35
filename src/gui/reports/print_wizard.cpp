#include "gui/reports/print_wizard.h"

#include <QKeyEvent>
#include <QListWidget>

#include "core/declfile/record_layout.h"
#include "gui/shell/screen_scale.h"
#include "ui_print_wizard.h"

namespace torvex::gui::reports {
namespace {

namespace rep = core::reports;
using core::platform::Buttons;
using core::platform::DialogKind;

enum Page { kChoice = 0, kType = 1, kOrder = 2, kSelection = 3 };

void fill(QListWidget* list, const std::vector<std::string>& texts) {
  list->clear();
  list->setUpdatesEnabled(false);
  for (const auto& t : texts) {
    auto* item = new QListWidgetItem(QString::fromStdString(t), list);
    // Marks change only through the selection rules, never by Qt on its own.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  list->setUpdatesEnabled(true);
}

}  // namespace

PrintWizard::PrintWizard(ReportHost& host, Start start, bool workTables, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PrintWizard>()), host_(host), workTables_(workTables) {
  ui_->setupUi(this);
  ui_->baseYearLabel->setText(QStringLiteral("Ano-Base da declaração ") + QString::fromUtf8(core::declfile::kBaseYear.data(), 4));
  firstPage_ = start == Start::Choice ? kChoice : kType;
  // Enter works on the focused field (it toggles list lines); it never presses a button by itself.
  for (auto* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  connect(ui_->nextButton, &QPushButton::clicked, this, &PrintWizard::next);
  connect(ui_->backButton, &QPushButton::clicked, this, &PrintWizard::back);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->establishmentList, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* i) { establishmentClicked(ui_->establishmentList->row(i)); });
  connect(ui_->employeeList, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* i) { employeeClicked(ui_->employeeList->row(i)); });
  ui_->establishmentList->installEventFilter(this);
  ui_->employeeList->installEventFilter(this);
  connect(ui_->partialRadio, &QRadioButton::toggled, this, &PrintWizard::partialToggled);
  connect(ui_->clearButton, &QPushButton::clicked, this, [this] {
    selection_.clearEmployees();
    syncChecks();
  });
  connect(ui_->markAllButton, &QPushButton::clicked, this, [this] {
    selection_.markAllEmployees();
    syncChecks();
  });
  connect(ui_->previewButton, &QPushButton::clicked, this, [this] { runReport(Destination::Preview); });
  connect(ui_->printButton, &QPushButton::clicked, this, [this] { runReport(Destination::Printer); });
  shell::applyDesignSize(this);
  goToPage(firstPage_);
}

PrintWizard::~PrintWizard() = default;

bool PrintWizard::eventFilter(QObject* watched, QEvent* event) {
  // Enter or space on a line toggles it, as a click does.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      if (watched == ui_->establishmentList) {
        establishmentClicked(ui_->establishmentList->currentRow());
        return true;
      }
      if (watched == ui_->employeeList) {
        employeeClicked(ui_->employeeList->currentRow());
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

int PrintWizard::currentPage() const { return ui_->pages->currentIndex(); }

void PrintWizard::goToPage(int index) {
  ui_->pages->setCurrentIndex(index);
  if (index == kSelection) {
    fillEstablishments();  // rebuilt each time it is shown
    ui_->establishmentList->setFocus();
    if (ui_->establishmentList->count() > 0) ui_->establishmentList->setCurrentRow(0);
  }
  updateButtons();
}

void PrintWizard::updateButtons() {
  const int page = currentPage();
  ui_->backButton->setVisible(page > firstPage_);
  ui_->nextButton->setEnabled(page < kSelection);
  const bool partial = selection_.partial();
  ui_->employeeList->setEnabled(partial);
  ui_->clearButton->setEnabled(partial);
  ui_->markAllButton->setEnabled(partial);
}

void PrintWizard::next() {
  if (currentPage() == kChoice && ui_->protocolRadio->isChecked()) {
    protocolChosen_ = true;
    accept();
    return;
  }
  if (currentPage() < kSelection) goToPage(currentPage() + 1);
}

void PrintWizard::back() {
  if (currentPage() > firstPage_) goToPage(currentPage() - 1);
}

std::string PrintWizard::reportName() const {
  return ui_->summaryRadio->isChecked() ? "RelatorioResumido" : "RelatorioCompleto";
}

rep::Classification PrintWizard::classification() const {
  if (ui_->nameRadio->isChecked()) return rep::Classification::Nome;
  if (ui_->useRadio->isChecked()) return rep::Classification::Uso;
  return rep::Classification::Pis;
}

bool PrintWizard::descending() const { return ui_->descRadio->isChecked(); }

void PrintWizard::fillEstablishments() {
  selection_.setEstablishments(
      rep::establishmentLines(host_.db, workTables_, std::string(core::declfile::kBaseYear)));
  std::vector<std::string> texts;
  for (const auto& l : selection_.establishments()) texts.push_back(l.text);
  fill(ui_->establishmentList, texts);
  const bool was = syncing_;
  syncing_ = true;
  ui_->totalRadio->setChecked(true);
  syncing_ = was;
  selection_.chooseTotal();
  ui_->employeeList->clear();
  updateButtons();
}

void PrintWizard::fillEmployees(int establishment) {
  if (establishment < 0) {
    selection_.setEmployees({});
  } else {
    selection_.setEmployees(rep::employeeLines(host_.db, workTables_, std::string(core::declfile::kBaseYear),
                                               selection_.establishments()[static_cast<std::size_t>(establishment)].key,
                                               classification(), descending()));
  }
  std::vector<std::string> texts;
  for (const auto& l : selection_.employees()) texts.push_back(l.text);
  fill(ui_->employeeList, texts);
}

void PrintWizard::partialToggled(bool partial) {
  if (syncing_) return;
  if (!partial) {
    selection_.chooseTotal();
    ui_->employeeList->clear();
    updateButtons();
    return;
  }
  int establishment = -1;
  const std::string refused = selection_.choosePartial(establishment);
  if (!refused.empty()) {
    host_.ui.message(DialogKind::Warning, refused, Buttons::Ok);
    syncing_ = true;
    ui_->totalRadio->setChecked(true);
    syncing_ = false;
    updateButtons();
    return;
  }
  fillEmployees(establishment);
  if (establishment >= 0) ui_->establishmentList->setCurrentRow(establishment);
  updateButtons();
}

void PrintWizard::establishmentClicked(int row) {
  if (row < 0) return;
  const bool marked = selection_.toggleEstablishment(static_cast<std::size_t>(row));
  if (selection_.partial()) fillEmployees(marked ? row : -1);
  syncChecks();
}

void PrintWizard::employeeClicked(int row) {
  if (row < 0) return;
  selection_.toggleEmployee(static_cast<std::size_t>(row));
  syncChecks();
}

void PrintWizard::syncChecks() {
  for (int i = 0; i < ui_->establishmentList->count(); ++i)
    ui_->establishmentList->item(i)->setCheckState(selection_.establishmentMarked(static_cast<std::size_t>(i)) ? Qt::Checked
                                                                                                             : Qt::Unchecked);
  for (int i = 0; i < ui_->employeeList->count(); ++i)
    ui_->employeeList->item(i)->setCheckState(selection_.employeeMarked(static_cast<std::size_t>(i)) ? Qt::Checked
                                                                                                   : Qt::Unchecked);
}

bool PrintWizard::runReport(Destination destination) {
  const std::string refused = selection_.checkBeforePrint();
  if (!refused.empty()) {
    host_.ui.message(DialogKind::Information, refused, Buttons::Ok);
    return false;
  }
  rep::Parameters p;
  p["Classificacao"] = std::string(rep::classificationText(classification()));
  return showReport(this, host_, reportName(), destination, p,
                    selection_.selection(classification(), descending(), workTables_,
                                         std::string(core::declfile::kBaseYear)));
}

}  // namespace torvex::gui::reports
