#include "gui/entry/fm_dados_empreg.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <algorithm>

#include "core/validation/message_dialog.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/field_guard.h"
#include "gui/entry/form_binding.h"
#include "gui/entry/fm_lookup.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_dados_empreg.h"

namespace torvex::gui::entry {

using core::entry::EmployeeEntry;
using core::entry::FieldOutcome;
using core::entry::LookupKind;

namespace {

constexpr const char* kName = "NoEmpregado";

// The amounts and month counts paid on rescission, open only for the causes that have them.
const char* const kRescissionFields[] = {"VaGlobalFerias",   "VaGlobalMultas",   "VaGlobalBcoHoras",
                                         "QtCompBcoHoras",   "VaGlobalDissidio", "QtCompDissidio",
                                         "VaGlobalGratificacoes", "QtCompGratificacoes"};

bool isAmount(const QWidget* w) { return w->property("amount").toBool(); }
bool isEntityCnpj(const QWidget* w) { return w->objectName().startsWith(QLatin1String("CoCNPJ")); }

}  // namespace

TfmDadosEmpreg::TfmDadosEmpreg(EntrySession& session, const core::entry::EstablishmentKey& establishment,
                               const std::optional<core::entry::LinkKey>& link, QWidget* parent)
    : QDialog(parent),
      session_(session),
      ui_(std::make_unique<Ui::TfmDadosEmpreg>()),
      establishment_(establishment),
      rules_(session.db(), session.reference(), session.ui(), session.linkWarningCounters()) {
  ui_->setupUi(this);
  prepareFields(this);
  for (auto* b : {ui_->btOk, ui_->btCancelar, ui_->btExcluir}) b->setFocusPolicy(Qt::TabFocus);

  struct Lookup {
    QAbstractButton* button;
    const char* field;
    LookupKind kind;
  };
  const Lookup lookups[] = {
      {ui_->btRaca, "CoTipoRaca", LookupKind::Race},
      {ui_->btDeficiencia, "CoDeficienteFisico", LookupKind::Disability},
      {ui_->btNacionalidade, "CoNacionalidade", LookupKind::Nationality},
      {ui_->btInstrucao, "CoInstrucao", LookupKind::Schooling},
      {ui_->btTipoAdmissao, "CoTipoAdmissao", LookupKind::AdmissionType},
      {ui_->btTipoSalario, "CoTipoSalarioContratual", LookupKind::SalaryType},
      {ui_->btCbo, "CoCbo", LookupKind::Occupation},
      {ui_->btVinculo, "CoVinculo", LookupKind::LinkType},
      {ui_->btCausa, "CoCausaDesligamento", LookupKind::TerminationCause},
      {ui_->btMunicipio, "CoMunicipioTrabalho", LookupKind::Municipality},
      {ui_->btMotivo1, "CoMotivoPrimAfas", LookupKind::LeaveReason},
      {ui_->btMotivo2, "CoMotivoSeguAfas", LookupKind::LeaveReason},
      {ui_->btMotivo3, "CoMotivoTercAfas", LookupKind::LeaveReason},
      {ui_->btMes13Adiantamento, "Me13AdiantamentoEmpregado", LookupKind::Month},
      {ui_->btMes13ParcelaFinal, "Me13ParcelaFinalEmpregado", LookupKind::Month},
  };
  for (const auto& l : lookups) {
    attachLookupButton(findChild<QLineEdit*>(l.field), l.button);
    connect(l.button, &QAbstractButton::clicked, this, [this, l] { lookup(l.kind, l.field); });
  }
  applyTabOrder(this, EmployeeEntry::fieldOrder(), {ui_->btOk, ui_->btCancelar, ui_->btExcluir});

  guard_ = new FieldGuard(this, session.ui(), session.reference(), [this](const QString& f) {
    // Towards "&Cancelar" or "&Excluir" only the checks that run whatever the target run.
    const QWidget* target = QApplication::focusWidget();
    return leave(f, target == ui_->btCancelar || target == ui_->btExcluir);
  });
  QStringList fields;
  for (const auto& f : EmployeeEntry::fieldOrder()) fields << QString::fromStdString(f);
  guard_->guard(fields);

  for (const auto& f : EmployeeEntry::fieldOrder())
    for (auto* w : findChildren<QWidget*>())
      if (fieldOf(w) == QString::fromStdString(f)) w->installEventFilter(this);
  ui_->tbPaginas->tabBar()->installEventFilter(this);
  // Ctrl+PgDown, Ctrl+Tab and their reverse ask for the next or previous page.
  const std::pair<QKeySequence, int> pageKeys[] = {{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
                                                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
  for (const auto& [keys, step] : pageKeys)
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, step = step] {
      const int count = ui_->tbPaginas->count();
      requestPage((ui_->tbPaginas->currentIndex() + step + count) % count);
    });

  for (auto* r : {ui_->rbDeficienteSim, ui_->rbDeficienteNao})
    connect(r, &QAbstractButton::clicked, this, [this] { radioClicked(&EmployeeEntry::disabledClicked); });
  for (auto* r : {ui_->rbAlvaraSim, ui_->rbAlvaraNao})
    connect(r, &QAbstractButton::clicked, this, [this] { radioClicked(&EmployeeEntry::permitClicked); });
  connect(ui_->btOk, &QPushButton::clicked, this, &TfmDadosEmpreg::save);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmDadosEmpreg::reject);
  connect(ui_->btExcluir, &QPushButton::clicked, this, &TfmDadosEmpreg::remove);

  guard_->setEnabled(false);
  const FieldOutcome loaded = rules_.load(establishment, link);
  loaded_ = loaded.accepted();
  if (loaded.showsMessage()) core::validation::showMessage(session.ui(), session.reference(), loaded.code);
  refresh();
  ui_->tbPaginas->setCurrentIndex(0);
  guard_->setEnabled(true);
  shell::applyDesignSize(this, QSize(620, 450));
  (rules_.mode() == core::entry::EntryMode::Open ? ui_->NoEmpregado : ui_->CoPisPasepEmpregado)->setFocus();
  messagesAtPageRequest_ = messagesShown();
}

TfmDadosEmpreg::~TfmDadosEmpreg() = default;

bool TfmDadosEmpreg::establishmentHasLinks() const {
  // Counted as stored, whichever way the window closed.
  return core::entry::countEmployees(session_.db(), establishment_).links > 0;
}

int TfmDadosEmpreg::messagesShown() const { return rules_.messagesShown() + windowMessages_; }

bool TfmDadosEmpreg::eventFilter(QObject* watched, QEvent* event) {
  auto* tabs = ui_->tbPaginas;
  if (watched == tabs->tabBar()) {
    // A click on a page's tab asks for the page; the wheel does not turn pages.
    if (event->type() == QEvent::MouseButtonPress) {
      requestPage(tabs->tabBar()->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
      return true;
    }
    if (event->type() == QEvent::Wheel) return true;
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    if (!ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab))
      if (moveAcrossPages(qobject_cast<QWidget*>(watched), key->key() == Qt::Key_Tab ? 1 : -1)) return true;
  }
  if (event->type() == QEvent::FocusIn)
    if (auto* r = qobject_cast<QRadioButton*>(watched); r && !r->isChecked()) {
      // Tabbing into a choice lands on its chosen answer.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
        for (auto* other : r->parentWidget()->findChildren<QRadioButton*>())
          if (other->isChecked()) {
            QMetaObject::invokeMethod(other, [other] { other->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
            break;
          }
    }
  if (event->type() == QEvent::FocusIn)
    if (auto* e = qobject_cast<QLineEdit*>(watched)) {
      const bool bare = isAmount(e) || isEntityCnpj(e);
      if (bare) {
        // Amounts are edited without thousands separators, entity CNPJs as bare digits.
        QString t = e->text();
        if (isAmount(e)) t.remove('.');
        else t = QString::fromStdString(core::entry::digitsOf(t.toStdString()));
        e->setText(t);
      }
      // A field reached by a check's move is typed over from its start, as one reached with Tab.
      if (bare || static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        QMetaObject::invokeMethod(e, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
  return QDialog::eventFilter(watched, event);
}

bool TfmDadosEmpreg::moveAcrossPages(QWidget* from, int step) {
  // The next field in field order stands on another page: show that page first.
  const auto& order = EmployeeEntry::fieldOrder();
  const std::string field = fieldOf(from).toStdString();
  const auto at = std::find(order.begin(), order.end(), field);
  if (at == order.end()) return false;
  const int page = ui_->tbPaginas->currentIndex();
  for (auto i = static_cast<std::ptrdiff_t>(at - order.begin()) + step;
       i >= 0 && i < static_cast<std::ptrdiff_t>(order.size()); i += step) {
    const std::string& name = order[static_cast<std::size_t>(i)];
    QWidget* next = fieldWidget(this, QString::fromStdString(name));
    if (!next || !next->isEnabled() || next->focusPolicy() == Qt::NoFocus) continue;
    const int nextPage = EmployeeEntry::pageOf(name);
    if (nextPage < 0 || nextPage == page) return false;
    ui_->tbPaginas->setCurrentIndex(nextPage);
    next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

bool TfmDadosEmpreg::requestPage(int page) {
  // A page change asked for by the user is refused once after any message.
  const int shown = messagesShown();
  const bool allowed = shown == messagesAtPageRequest_;
  messagesAtPageRequest_ = shown;
  auto* tabs = ui_->tbPaginas;
  if (!allowed || page < 0 || page == tabs->currentIndex()) return false;
  // Leaving the page moves the focus off its field, whose checks run first; a
  // refusal brings the focus and the page back.
  tabs->setCurrentIndex(page);
  QWidget* focus = QApplication::focusWidget();
  if (tabs->currentIndex() == page && !(focus && tabs->widget(page)->isAncestorOf(focus)))
    for (const auto& f : EmployeeEntry::fieldOrder())
      if (EmployeeEntry::pageOf(f) == page)
        if (QWidget* w = fieldWidget(this, QString::fromStdString(f)); w && w->isEnabled()) {
          w->setFocus(Qt::OtherFocusReason);
          break;
        }
  return tabs->currentIndex() == page;
}

void TfmDadosEmpreg::refresh() {
  const bool guarding = guard_->isEnabled();
  guard_->setEnabled(false);  // disabling the focused field moves the focus without leaving it
  showValues(this, rules_.values());
  setWindowTitle(QString::fromStdString(std::string(core::entry::valueOf(rules_.values(), EmployeeEntry::kTitle))));
  const auto c = rules_.controls();
  ui_->CoDeficienteFisico->setEnabled(c.disabilityKind);
  ui_->btDeficiencia->setEnabled(c.disabilityKind);
  ui_->AnChegadaEmpregado->setEnabled(c.arrivalYear);
  ui_->rbAlvaraSim->setEnabled(c.permit);
  ui_->rbAlvaraNao->setEnabled(c.permit);
  ui_->DaDesligamentoEmpregado->setEnabled(c.dismissalDate);
  ui_->VaAvisoPrevioEmpregado->setEnabled(c.notice);
  for (const char* f : kRescissionFields) findChild<QWidget*>(f)->setEnabled(c.rescission);
  ui_->btExcluir->setEnabled(c.remove);
  // Long descriptions show their beginning.
  for (auto* e : findChildren<QLineEdit*>())
    if (e->isReadOnly()) e->setCursorPosition(0);
  guard_->setEnabled(guarding);
}

FieldOutcome TfmDadosEmpreg::leave(const QString& field, bool toCancel) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.leave(field.toStdString(), toCancel);
  if (outcome.showsMessage()) ++windowMessages_;
  refresh();
  if (rules_.closeRequested()) {
    QMetaObject::invokeMethod(this, &TfmDadosEmpreg::closeIfAsked, Qt::QueuedConnection);
    return FieldOutcome::accept();
  }
  // A fixed move to the next field (unless the user is on the way out).
  if (outcome.accepted() && !outcome.next.empty() && !toCancel) moveTo(outcome.next);
  return outcome;
}

void TfmDadosEmpreg::afterRule(const FieldOutcome& outcome) {
  if (outcome.showsMessage()) ++windowMessages_;
  if (guard_->apply(outcome) && !outcome.next.empty()) moveTo(outcome.next);
}

void TfmDadosEmpreg::moveTo(const std::string& field) { guard_->focusField(QString::fromStdString(field)); }

void TfmDadosEmpreg::radioClicked(FieldOutcome (EmployeeEntry::*rule)()) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = (rules_.*rule)();
  refresh();
  afterRule(outcome);
}

void TfmDadosEmpreg::lookup(LookupKind kind, const char* field) {
  const QString code = session_.lookup(kind, this).choose();
  if (!code.isEmpty()) findChild<QLineEdit*>(field)->setText(code);
  // The field's checks run as on leaving it; then the focus goes on in page order.
  const bool guarding = guard_->isEnabled();
  guard_->setEnabled(false);
  const FieldOutcome outcome = leave(QString::fromUtf8(field), false);
  guard_->setEnabled(guarding);
  if (outcome.showsMessage()) --windowMessages_;  // counted again by afterRule
  afterRule(outcome);
  if (!outcome.accepted() || !outcome.next.empty() || rules_.closeRequested()) return;
  const auto& order = EmployeeEntry::fieldOrder();
  for (auto at = std::find(order.begin(), order.end(), field); at != order.end() && ++at != order.end();)
    if (QWidget* w = fieldWidget(this, QString::fromStdString(*at)); w && w->isEnabled()) {
      moveTo(*at);
      return;
    }
}

void TfmDadosEmpreg::save() {
  readValues(this, rules_.values());
  guard_->setEnabled(false);
  const FieldOutcome outcome = rules_.save();
  refresh();
  afterRule(outcome);
  guard_->setEnabled(true);
  closeIfAsked();
}

void TfmDadosEmpreg::remove() {
  guard_->setEnabled(false);
  const bool removed = rules_.remove();
  refresh();
  guard_->setEnabled(true);
  if (removed) done(QDialog::Accepted);
  else moveTo(kName);
}

void TfmDadosEmpreg::reject() {
  if (!loaded_) {
    QDialog::done(QDialog::Rejected);
    return;
  }
  guard_->setEnabled(false);
  const bool closing = rules_.cancel();
  guard_->setEnabled(true);
  if (closing) {
    QDialog::done(QDialog::Rejected);
    return;
  }
  moveTo(kName);
}

void TfmDadosEmpreg::closeIfAsked() {
  if (rules_.closeRequested()) done(QDialog::Accepted);
}

void TfmDadosEmpreg::done(int result) {
  guard_->setEnabled(false);
  QDialog::done(result);
}

}  // namespace torvex::gui::entry
