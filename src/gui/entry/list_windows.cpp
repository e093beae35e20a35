#include "gui/entry/list_windows.h"

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
#include "gui/shell/main_window.h"
#include "gui/shell/screen_scale.h"
#include "ui_employee_list.h"
#include "ui_establishment_list.h"

namespace torvex::gui::entry {

using core::platform::Buttons;
using core::platform::DialogKind;

ListSearch::ListSearch(QDialog* window, QTableView* view, LazyListModel* model, QLineEdit* number, QLineEdit* name,
                       QAbstractButton* action)
    : QObject(window), window_(window), view_(view), model_(model), number_(number), name_(name), action_(action) {
  view_->setModel(model_);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setTabKeyNavigation(false);
  view_->installEventFilter(this);
  number_->setValidator(nullptr);
  number_->setInputMask(QString());
  connect(view_, &QTableView::doubleClicked, this, &ListSearch::activated);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (auto* b : window->findChildren<QPushButton*>())
    if (b->objectName().startsWith(QLatin1String("btLetra"))) {
      group->addButton(b);
      b->setFocusPolicy(Qt::TabFocus);
      b->setMinimumWidth(0);
      b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("Todos")) + 16);
      connect(b, &QPushButton::clicked, this, [this, b] {
        letters_ = b->property("letters").toString();
        number_->clear();
        name_->clear();
        rebuild();
      });
    }
  auto typed = [this] {
    if (!name_->text().isEmpty()) {
      letters_.clear();
      if (auto* all = window_->findChild<QPushButton*>(QStringLiteral("btLetraTodos"))) all->setChecked(true);
    }
    rebuild();
  };
  connect(number_, &QLineEdit::textEdited, this, typed);
  connect(name_, &QLineEdit::textEdited, this, [this, typed](const QString& t) {
    if (t != t.toUpper()) name_->setText(t.toUpper());
    typed();
  });
  for (auto* e : {number_, name_}) e->installEventFilter(this);
}

void ListSearch::reset() {
  number_->clear();
  name_->clear();
  letters_.clear();
  if (auto* all = window_->findChild<QPushButton*>(QStringLiteral("btLetraTodos"))) all->setChecked(true);
  rebuild();
}

void ListSearch::rebuild() {
  core::entry::ListFilter f;
  f.number = number_->text().remove(QRegularExpression(QStringLiteral("\\D"))).toStdString();
  f.name = name_->text().trimmed().toStdString();
  f.letters = f.name.empty() ? letters_.toStdString() : std::string();
  model_->setFilter(f);
  if (model_->rowCount()) view_->selectRow(0);
}

int ListSearch::selectedRow() const {
  const auto rows = view_->selectionModel() ? view_->selectionModel()->selectedRows() : QModelIndexList{};
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ListSearch::focusAfterSearch() {
  const int rows = model_->rowCount();
  if (rows == 1 && model_->complete()) action_->setFocus();
  else if (rows > 0) view_->setFocus();
  else action_->setFocus();
}

bool ListSearch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (watched == view_) {
    emit activated();
    return true;
  }
  rebuild();
  focusAfterSearch();
  return true;
}

// --- establishment list -------------------------------------------------------

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

// --- employee list ------------------------------------------------------------

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
  // The employee entry window comes with the employee entry rules.
  session_.ui().message(DialogKind::Information,
                        "\"Dados do Empregado\" ainda não está disponível nesta versão do TORVEX.", Buttons::Ok);
}

// --- inscription-kind chooser -------------------------------------------------

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
