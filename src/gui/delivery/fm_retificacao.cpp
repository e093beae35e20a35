#include "gui/delivery/fm_retificacao.h"

#include <QPushButton>

#include "core/store/declaration_state.h"
#include "core/validation/message_dialog.h"
#include "gui/delivery/line_toggles.h"
#include "gui/delivery/link_list_model.h"
#include "gui/entry/entry_session.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_retificacao.h"

namespace torvex::gui::delivery {
namespace {

using core::delivery::RectificationSelection;
using core::platform::Buttons;
using core::platform::DialogKind;

constexpr const char* kManyLinksText =
    "Pode ocorrer problemas na visualização dos dados na tela,\rdevido a quantidade de empregados cadastrados.";

}  // namespace

TfmRetificacao::TfmRetificacao(entry::EntrySession& session, RectificationSelection& selection, QWidget* parent)
      : QDialog(parent),
      session_(session),
      selection_(selection),
      ui_(std::make_unique<Ui::TfmRetificacao>()),
      links_(new LinkListModel(selection, this)) {
  ui_->setupUi(this);
  ui_->lbVinculos->setModel(links_);
  ui_->lbAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + QString::fromUtf8(core::store::kBaseYear));
  for (auto* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  for (auto* b : {ui_->btVoltar, ui_->btAvancar, ui_->btCancelar}) b->setFocusPolicy(Qt::TabFocus);

  auto* establishments = new LineToggles(ui_->lbEstabelecimentos);
  auto* links = new LineToggles(ui_->lbVinculos);
  connect(establishments, &LineToggles::toggleRequested, this, &TfmRetificacao::toggleEstablishment);
  connect(links, &LineToggles::toggleRequested, this, &TfmRetificacao::toggleLink);
  connect(ui_->cbTodos, &QCheckBox::toggled, this, &TfmRetificacao::tickAllLinks);
  connect(ui_->btAvancar, &QPushButton::clicked, this, &TfmRetificacao::advance);
  connect(ui_->btVoltar, &QPushButton::clicked, this, &TfmRetificacao::back);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmRetificacao::reject);

  shell::applyDesignSize(this);
  showPage(Page::Introducao);
}

TfmRetificacao::~TfmRetificacao() = default;

TfmRetificacao::Page TfmRetificacao::page() const { return static_cast<Page>(ui_->swPaginas->currentIndex()); }

void TfmRetificacao::showPage(Page page) {
  ui_->swPaginas->setCurrentIndex(static_cast<int>(page));
  ui_->btVoltar->setEnabled(page == Page::Selecao);
  if (page == Page::Selecao) ui_->lbEstabelecimentos->setFocus();
}

void TfmRetificacao::showMessage(const std::string& code) {
  core::validation::showMessage(session_.ui(), session_.reference(), code);
}

void TfmRetificacao::advance() {
  if (page() == Page::Introducao) {
    if (!selection_.load(core::store::kBaseYear)) {
      showMessage(RectificationSelection::kNoEstablishmentCode);
      return;
    }
    ui_->lbEstabelecimentos->clear();
    for (const auto& e : selection_.entries())
      LineToggles::addLine(ui_->lbEstabelecimentos, QString::fromStdString(e.text));
    ui_->lbEstabelecimentos->setCurrentRow(0);
    listLinks();
    showPage(Page::Selecao);
    return;
  }
  const std::string code = selection_.checkBeforeAdvance();
  if (!code.empty()) {
    showMessage(code);
    showEstablishmentMarks();
    listLinks();
    return;
  }
  accept();
}

void TfmRetificacao::back() {
  if (page() == Page::Selecao) showPage(Page::Introducao);
}

void TfmRetificacao::toggleEstablishment(int row) {
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  if (selection_.entries().at(index).chosen) {
    selection_.unmark(index);
  } else {
    const auto marked = selection_.mark(index);
    if (!marked.code.empty()) showMessage(marked.code);
    if (selection_.manyLinks()) session_.ui().message(DialogKind::Warning, kManyLinksText, Buttons::Ok);
  }
  showEstablishmentMarks();
  listLinks();
}

void TfmRetificacao::showEstablishmentMarks() {
  const auto& entries = selection_.entries();
  for (int row = 0; row < ui_->lbEstabelecimentos->count(); ++row)
    LineToggles::setTicked(ui_->lbEstabelecimentos->item(row), entries.at(static_cast<std::size_t>(row)).chosen);
}

void TfmRetificacao::listLinks() {
  ui_->cbTodos->blockSignals(true);
  ui_->cbTodos->setChecked(false);
  ui_->cbTodos->blockSignals(false);
  links_->relist();
  if (links_->rowCount() > 0) ui_->lbVinculos->setCurrentIndex(links_->index(0));
  ui_->cbTodos->setEnabled(!selection_.links().empty());
}

void TfmRetificacao::toggleLink(int row) {
  if (row < 0) return;
  const auto index = static_cast<std::size_t>(row);
  selection_.tickLink(index, !selection_.linkTicked(index));
  links_->tickChanged(row);
}

void TfmRetificacao::tickAllLinks(bool ticked) {
  selection_.tickAllLinks(ticked);
  links_->allTicksChanged();
}

}  // namespace torvex::gui::delivery
