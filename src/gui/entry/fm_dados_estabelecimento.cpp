#include "gui/entry/fm_dados_estabelecimento.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <QLineEdit>

#include "core/entry/entry_lists.h"
#include "core/validation/message_dialog.h"
#include "gui/entry/entry_session.h"
#include "gui/entry/field_guard.h"
#include "gui/entry/form_binding.h"
#include "gui/entry/fm_lookup.h"
#include "gui/entry/fm_nova_declaracao.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_dados_estabelecimento.h"

namespace torvex::gui::entry {

using core::entry::EstablishmentEntry;
using core::entry::FieldOutcome;

namespace {
// Fields typed as bare digits whose punctuation comes back once accepted.
const char* const kDigitFields[] = {"CoCgcVinculado", "CoCNPJSindical", "CoCNPJCentralizada", "CoCNPJAssociativa",
                                    "CoCNPJAssistencial", "CoCNPJConfederativa"};
const char* const kMoneyFields[] = {"VaGlobalSindical", "VaGlobalAssociativa", "VaGlobalAssistencial",
                                    "VaGlobalConfederativa"};
// Identifiers and amounts are edited bare (no punctuation, no thousands separators).
bool isEditedBare(const QString& field) {
  for (const char* f : kDigitFields)
    if (field == QLatin1String(f)) return true;
  for (const char* f : kMoneyFields)
    if (field == QLatin1String(f)) return true;
  return false;
}

}  // namespace

TfmDadosEstabelecimento::TfmDadosEstabelecimento(EntrySession& session, core::entry::EntryMode mode,
                                                 const core::entry::EstablishmentKey& key, QWidget* parent)
    : QDialog(parent),
      session_(session),
      ui_(std::make_unique<Ui::TfmDadosEstabelecimento>()),
      rules_(session.db(), session.reference(), session.ui(), session.cnaeCorrespondenceMark()) {
  ui_->setupUi(this);
  prepareFields(this);
  for (auto* b : {ui_->btOk, ui_->btVinculos, ui_->btCancelar}) b->setFocusPolicy(Qt::TabFocus);
  attachLookupButton(ui_->CoMunicipio, ui_->btMunicipio);
  attachLookupButton(ui_->CoCnae2, ui_->btCnae);
  attachLookupButton(ui_->CoNaturezaJuridica, ui_->btNatureza);
  applyTabOrder(this, EstablishmentEntry::fieldOrder(), {ui_->btOk, ui_->btVinculos, ui_->btCancelar});

  guard_ = new FieldGuard(this, session.ui(), session.reference(), [this](const QString& f) { return leave(f); });
  QStringList fields;
  for (const auto& f : EstablishmentEntry::fieldOrder()) fields << QString::fromStdString(f);
  fields.removeAll(QStringLiteral("InKevaNegEstabelecimento"));
  guard_->guard(fields);
  guard_->exempt(ui_->btCancelar);
  guard_->exempt(ui_->btVinculos);
  guard_->exempt(ui_->gbTipoDeclaracao);
  connect(guard_, &FieldGuard::entered, this, &TfmDadosEstabelecimento::enter);

  for (const auto& f : EstablishmentEntry::fieldOrder())
    for (auto* w : findChildren<QWidget*>())
      if (fieldOf(w) == QString::fromStdString(f)) w->installEventFilter(this);

  auto onClick = [this](QAbstractButton* b, auto action) {
    connect(b, &QAbstractButton::clicked, this, [this, action] {
      readValues(this, rules_.values());
      action();
      refresh();
    });
  };
  for (auto* r : {ui_->rbComEmpregados, ui_->rbSemEmpregados})
    onClick(r, [this] {
      const FieldOutcome out = rules_.declarationTypeClicked();
      refresh();
      guard_->apply(out);
      if (!rules_.withEmployees()) showNegativeTips(session_, this);
      ui_->btVinculos->setEnabled(true);
    });
  for (auto* r : {ui_->rbPorte1, ui_->rbPorte2, ui_->rbPorte3}) onClick(r, [this] { rules_.sizeClicked(); });
  for (auto* r : {ui_->rbPatSim, ui_->rbPatNao}) onClick(r, [this] { rules_.patClicked(); });
  onClick(ui_->InEncerramentoAtividade, [this] { rules_.closureClicked(); });

  connect(ui_->btOk, &QPushButton::clicked, this, [this] { save(false); });
  connect(ui_->btVinculos, &QPushButton::clicked, this, [this] { save(true); });
  connect(ui_->btCancelar, &QPushButton::clicked, this, &TfmDadosEstabelecimento::reject);
  connect(ui_->btMunicipio, &QToolButton::clicked, this,
          [this] { lookup(core::entry::LookupKind::Municipality, "CoMunicipio"); });
  connect(ui_->btCnae, &QToolButton::clicked, this, [this] { lookup(core::entry::LookupKind::Activity, "CoCnae2"); });
  connect(ui_->btNatureza, &QToolButton::clicked, this,
          [this] { lookup(core::entry::LookupKind::LegalNature, "CoNaturezaJuridica"); });

  guard_->setEnabled(false);
  const FieldOutcome loaded = rules_.load(mode, key);
  loaded_ = loaded.accepted();
  if (!loaded_) core::validation::showMessage(session.ui(), session.reference(), loaded.code);
  refresh();
  ui_->tbPaginas->setCurrentIndex(0);
  guard_->setEnabled(true);
  shell::applyDesignSize(this, QSize(600, 440));
  ui_->EdEstabelecimento->setFocus();
}

TfmDadosEstabelecimento::~TfmDadosEstabelecimento() = default;

bool TfmDadosEstabelecimento::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab &&
      !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier))
    if (moveAcrossTabs(qobject_cast<QWidget*>(watched))) return true;
  if (event->type() == QEvent::FocusIn)
    if (auto* e = qobject_cast<QLineEdit*>(watched); e && isEditedBare(e->objectName())) {
      // Amounts are edited without thousands separators; identifiers as bare digits.
      QString t = e->text();
      if (e->objectName().startsWith(QLatin1String("VaGlobal"))) t.remove('.');
      else t = QString::fromStdString(core::entry::digitsOf(t.toStdString()));
      e->setText(t);
      QMetaObject::invokeMethod(e, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
  return QDialog::eventFilter(watched, event);
}

bool TfmDadosEstabelecimento::moveAcrossTabs(QWidget* from) {
  // The next field in field order sits on another tab: show that tab first.
  const auto& order = EstablishmentEntry::fieldOrder();
  const std::string field = fieldOf(from).toStdString();
  auto it = std::find(order.begin(), order.end(), field);
  if (it == order.end()) return false;
  for (++it; it != order.end(); ++it) {
    QWidget* next = fieldWidget(this, QString::fromStdString(*it));
    const int tab = EstablishmentEntry::tabOf(*it);
    if (!next || !next->isEnabled() || next->focusPolicy() == Qt::NoFocus) continue;
    if (tab >= 0 && !ui_->tbPaginas->isTabEnabled(tab)) continue;
    if (tab < 0 || tab == ui_->tbPaginas->currentIndex()) return false;
    ui_->tbPaginas->setCurrentIndex(tab);
    next->setFocus(Qt::TabFocusReason);
    return true;
  }
  return false;
}

void TfmDadosEstabelecimento::refresh() {
  showValues(this, rules_.values());
  const auto c = rules_.controls();
  ui_->CoCgcVinculado->setEnabled(c.linkedCei);
  ui_->DaEncerramentoAtividade->setEnabled(c.closureDate);
  ui_->gbAtividade->setEnabled(c.activity);
  ui_->gbSimples->setEnabled(c.simples);
  ui_->tbPaginas->setTabEnabled(4, c.pat);
  ui_->btVinculos->setEnabled(c.links);
}

FieldOutcome TfmDadosEstabelecimento::leave(const QString& field) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.leave(field.toStdString());
  refresh();
  // Leaving "Sim" of the PAT answer opens the PAT tab at its first count.
  if (outcome.accepted() && field == QLatin1String("InParticipaPAT") && rules_.controls().pat &&
      !ui_->rbPatNao->hasFocus()) {
    ui_->tbPaginas->setCurrentIndex(4);
    QMetaObject::invokeMethod(ui_->NuVinculoPatMaior5, [this] { ui_->NuVinculoPatMaior5->setFocus(); },
                              Qt::QueuedConnection);
  }
  return outcome;
}

void TfmDadosEstabelecimento::enter(const QString& field) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.enter(field.toStdString());
  refresh();
  guard_->apply(outcome);
}

void TfmDadosEstabelecimento::lookup(core::entry::LookupKind kind, const char* field) {
  const QString code = session_.lookup(kind, this).choose();
  auto* edit = findChild<QLineEdit*>(field);
  if (!code.isEmpty()) edit->setText(code);
  const FieldOutcome outcome = leave(QString::fromUtf8(field));
  if (guard_->apply(outcome) && kind == core::entry::LookupKind::Municipality) ui_->NuDDD->setFocus();
}

void TfmDadosEstabelecimento::save(bool) {
  readValues(this, rules_.values());
  guard_->setEnabled(false);
  const FieldOutcome outcome = rules_.save();
  refresh();
  const bool saved = guard_->apply(outcome);
  guard_->setEnabled(true);
  if (!saved) return;
  next_ = rules_.withEmployees() ? Next::Employees : Next::EstablishmentList;
  accept();
}

void TfmDadosEstabelecimento::reject() {
  if (!loaded_) {
    QDialog::reject();
    return;
  }
  guard_->setEnabled(false);
  const bool leaving = rules_.cancel();
  guard_->setEnabled(true);
  if (!leaving) {
    ui_->NoRazaoEstabelecimento->setFocus();
    return;
  }
  next_ = core::entry::hasEstablishments(session_.db()) ? Next::EstablishmentList : Next::Close;
  QDialog::reject();
}

void TfmDadosEstabelecimento::done(int result) {
  if (loaded_) rules_.close();
  guard_->setEnabled(false);
  QDialog::done(result);
}

}  // namespace torvex::gui::entry
