#include "gui/entry/fm_lista_estabelecimentos.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/store/table.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/lazy_list_model.h"
#include "gui/entry/list_search.h"
#include "gui/shell/fm_principal.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_lista_estabelecimentos.h"

namespace torvex::gui::entry {

using core::platform::Buttons;
using core::platform::DialogKind;

TfmListaEstabelecimentos::TfmListaEstabelecimentos(EntrySession& session, Mode mode, QWidget* parent)
    : QDialog(parent),
      session_(session),
      mode_(mode),
      ui_(std::make_unique<Ui::TfmListaEstabelecimentos>()),
      model_(new LazyListModel(std::make_unique<core::entry::EstablishmentList>(session.db()), this)) {
  ui_->setupUi(this);
  ui_->Titulo->setText(QStringLiteral("Declaração Ano-Base %1").arg(shell::kBaseYear));
  if (mode == Mode::Delete) ui_->btExibir->setText(QStringLiteral("&Excluir"));
  ui_->LocalizarInscricao->setMaxLength(14);
  search_ = new ListSearch(this, ui_->tvLista, model_, ui_->LocalizarInscricao, ui_->LocalizarNome, ui_->btExibir);
  connect(search_, &ListSearch::activated, this, &TfmListaEstabelecimentos::act);
  connect(ui_->btExibir, &QPushButton::clicked, this, &TfmListaEstabelecimentos::act);
  connect(ui_->btRetornar, &QPushButton::clicked, this, &QDialog::reject);
  search_->reset();
  hasRows_ = model_->rowCount() > 0;
  const auto& cols = model_->columnCount();
  for (int c = 0; c < cols; ++c)
    ui_->tvLista->setColumnWidth(c, fontMetrics().averageCharWidth() * (c == 2 ? 40 : c == 0 ? 22 : 16));
  shell::applyDesignSize(this, QSize(600, 400));
  ui_->tvLista->setFocus();
}

TfmListaEstabelecimentos::~TfmListaEstabelecimentos() = default;

void TfmListaEstabelecimentos::act() {
  const int row = search_->selectedRow();
  if (row < 0) {
    if (mode_ == Mode::Delete && core::entry::hasEstablishments(session_.db())) return;
    core::validation::showMessage(session_.ui(), session_.reference(), "1301");
    search_->reset();
    return;
  }
  const auto& k = model_->keyOf(row);
  chosen_ = {k[0], k[1], k[2]};
  if (mode_ == Mode::Open) {
    const std::string kind = core::entry::correctedKind(chosen_.inscription, k[3]);
    if (kind == "!") {
      core::validation::showMessage(session_.ui(), session_.reference(), "1002");
      return;
    }
    if (!kind.empty())
      core::entry::setEstablishmentKind(session_.db(), chosen_,
                                        kind == "?" ? chooseInscriptionKind(this).toStdString() : kind);
    if (core::validation::checkPrefix(chosen_.prefix) != core::validation::kValid) {
      core::validation::showMessage(session_.ui(), session_.reference(), "1052");
      return;
    }
  }
  accept();
}

QString chooseInscriptionKind(QWidget* parent) {
  QDialog d(parent);
  d.setObjectName(QStringLiteral("fmTipoInscricao"));
  d.setWindowTitle(QStringLiteral("Tipo de Inscrição"));
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(new QLabel(QStringLiteral("Identifique o tipo de Inscrição declarado na quadrícula abaixo.")));
  auto* cgc = new QRadioButton(QStringLiteral("Inscrição no CGC"));
  auto* cnpj = new QRadioButton(QStringLiteral("Inscrição no CNPJ"));
  auto* cei = new QRadioButton(QStringLiteral("Matrícula CEI"));
  cei->setObjectName(QStringLiteral("rbCei"));
  for (auto* r : {cgc, cnpj, cei}) layout->addWidget(r);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  layout->addWidget(buttons);
  d.exec();
  return cei->isChecked() ? QStringLiteral("3") : QStringLiteral("1");
}

}  // namespace torvex::gui::entry
