#include "gui/entry/fm_lista_empregados.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/store/table.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/message_dialog.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/fm_dados_empreg.h"
#include "gui/entry/lazy_list_model.h"
#include "gui/entry/list_search.h"
#include "gui/shell/fm_principal.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_lista_empregados.h"

namespace torvex::gui::entry {

using core::platform::Buttons;
using core::platform::DialogKind;

TfmListaEmpregados::TfmListaEmpregados(EntrySession& session, const core::entry::EstablishmentKey& key,
                                       QWidget* parent)
    : QDialog(parent),
      session_(session),
      key_(key),
      ui_(std::make_unique<Ui::TfmListaEmpregados>()),
      model_(new LazyListModel(std::make_unique<core::entry::EmployeeList>(session.db(), key), this)) {
  ui_->setupUi(this);
  core::store::Table t(session.db(), "BD8Emp");
  QString heading = QStringLiteral("Declaração Ano-Base %1").arg(shell::kBaseYear);
  if (t.findKey({key.baseYear, key.inscription, key.prefix})) {
    const std::string kind = t.text("InInscrEstabelecimento");
    ui_->CoCgcCeiEstabelecimento->setText(QString::fromStdString(
        kind == "1" ? core::validation::formatInscription(key.inscription, "1")
                    : core::validation::formatInscription(key.inscription.substr(2), "3")));
    ui_->NoRazaoEstabelecimento->setText(QString::fromStdString(t.text("NoRazaoEstabelecimento")));
    const std::string closure = t.text("DaEncerramentoAtividade");
    if (closure.size() == 8 && closure.substr(4) == std::to_string(shell::kBaseYear + 1))
      heading = QStringLiteral("Encerramento de Atividades - %1").arg(shell::kBaseYear + 1);
  }
  ui_->Titulo->setText(heading);
  ui_->NuPrefixoEstabelecimento->setText(QString::fromStdString(key.prefix));
  ui_->LocalizarPis->setMaxLength(11);
  search_ = new ListSearch(this, ui_->tvLista, model_, ui_->LocalizarPis, ui_->LocalizarNome, ui_->btExibir);
  connect(search_, &ListSearch::activated, this, [this] { openEmployee(true); });
  connect(ui_->btExibir, &QPushButton::clicked, this, [this] { openEmployee(true); });
  connect(ui_->btNovo, &QPushButton::clicked, this, [this] { openEmployee(false); });
  connect(ui_->btRetornar, &QPushButton::clicked, this, &QDialog::reject);
  search_->reset();
  ui_->tvLista->setColumnWidth(0, fontMetrics().averageCharWidth() * 18);
  ui_->tvLista->setColumnWidth(1, fontMetrics().averageCharWidth() * 50);
  shell::applyDesignSize(this, QSize(600, 400));
  ui_->LocalizarPis->setFocus();
}

TfmListaEmpregados::~TfmListaEmpregados() = default;

void TfmListaEmpregados::openEmployee(bool existing) {
  if (existing) {
    const int row = search_->selectedRow();
    if (row < 0 || model_->keyOf(row)[0].empty()) {
      // A row without a PIS cannot be opened: offer to remove it.
      auto st = session_.db().prepare(
          "SELECT count(*) FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
          "NuPrefixoEstabelecimento = :p AND CoPisPasepEmpregado = ''");
      st.bind(":a", key_.baseYear).bind(":i", key_.inscription).bind(":p", key_.prefix);
      st.step();
      if (st.integer(0) > 0) {
        st.reset();
        if (session_.ui().message(DialogKind::Confirmation, "Este empregado deve ser excluído. Deseja excluir ?",
                                  Buttons::YesNo) == core::platform::button::kYes) {
          core::store::Transaction tx(session_.db());
          session_.db()
              .prepare("DELETE FROM BD8Vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
                       "NuPrefixoEstabelecimento = :p AND CoPisPasepEmpregado = ''")
              .bind(":a", key_.baseYear)
              .bind(":i", key_.inscription)
              .bind(":p", key_.prefix)
              .run();
          tx.commit();
          search_->rebuild();
        }
      } else {
        session_.ui().message(DialogKind::Error, "Você deve selecionar um empregado.", Buttons::Ok);
        search_->reset();
      }
      return;
    }
  }
  std::optional<core::entry::LinkKey> link;
  int row = -1;
  if (existing) {
    row = search_->selectedRow();
    const auto& k = model_->keyOf(row);
    link = core::entry::LinkKey{k[0], k[1], k[2]};
  }
  // The list stays hidden while the employee window is open. Hidden as a plain
  // widget: hiding the dialog itself would end the list's own modal run.
  QWidget::setVisible(false);
  TfmDadosEmpreg w(session_, key_, link, this);
  if (w.loaded()) {
    w.exec();
    // No link left: back to the establishments.
    if (!w.establishmentHasLinks()) {
      // A dialog already hidden ignores done(): it is put back, off screen, to be closed.
      setAttribute(Qt::WA_DontShowOnScreen, true);
      QWidget::setVisible(true);
      done(QDialog::Rejected);
      setAttribute(Qt::WA_DontShowOnScreen, false);
      return;
    }
  }
  if (!w.listSearchPis().isEmpty()) {
    ui_->LocalizarNome->clear();
    ui_->LocalizarPis->setText(w.listSearchPis());
  }
  search_->rebuild();
  if (row > 0 && model_->rowCount() > 0) {
    // Back on the row it had when the employee was opened.
    model_->fetchUpTo(row);
    const int at = std::min(row, model_->rowCount() - 1);
    ui_->tvLista->selectRow(at);
    ui_->tvLista->scrollTo(model_->index(at, 0));
  }
  show();
  ui_->tvLista->setFocus();
}

}  // namespace torvex::gui::entry
