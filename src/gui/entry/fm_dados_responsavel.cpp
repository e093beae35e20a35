#include "gui/entry/fm_dados_responsavel.h"

#include <QEvent>
#include <QLineEdit>

#include "gui/entry/entry_session.h"
#include "gui/entry/field_guard.h"
#include "gui/entry/form_binding.h"
#include "gui/entry/fm_lookup.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_dados_responsavel.h"

namespace torvex::gui::entry {

using core::entry::FieldOutcome;
using core::entry::ResponsibleEntry;

TfmDadosResponsavel::TfmDadosResponsavel(EntrySession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      ui_(std::make_unique<Ui::TfmDadosResponsavel>()),
      rules_(session.db(), session.reference()) {
  ui_->setupUi(this);
  prepareFields(this);
  for (auto* b : {ui_->btOk, ui_->btCancelar}) b->setFocusPolicy(Qt::TabFocus);
  attachLookupButton(ui_->CoMunicipioRespArquivo, ui_->btMunicipio);
  applyTabOrder(this, ResponsibleEntry::fieldOrder(), {ui_->btOk, ui_->btCancelar});

  guard_ = new FieldGuard(this, session.ui(), session.reference(), [this](const QString& f) { return leave(f); });
  QStringList fields;
  for (const auto& f : ResponsibleEntry::fieldOrder()) fields << QString::fromStdString(f);
  guard_->guard(fields);
  guard_->exempt(ui_->btCancelar);
  guard_->exempt(QStringLiteral("CoMunicipioRespArquivo"), ui_->btMunicipio);

  ui_->CoCgcCeiResponsavel->installEventFilter(this);
  connect(ui_->btOk, &QPushButton::clicked, this, &TfmDadosResponsavel::save);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->btMunicipio, &QToolButton::clicked, this, &TfmDadosResponsavel::chooseMunicipality);

  rules_.load();
  showValues(this, rules_.values());
  shell::applyDesignSize(this, QSize(520, 400));
  ui_->CoCgcCeiResponsavel->setFocus();
}

TfmDadosResponsavel::~TfmDadosResponsavel() = default;

bool TfmDadosResponsavel::eventFilter(QObject* watched, QEvent* event) {
  // The inscription is typed as bare digits; its punctuation comes back once accepted.
  if (watched == ui_->CoCgcCeiResponsavel && event->type() == QEvent::FocusIn)
    ui_->CoCgcCeiResponsavel->setText(
        QString::fromStdString(core::entry::digitsOf(ui_->CoCgcCeiResponsavel->text().toStdString())));
  return QDialog::eventFilter(watched, event);
}

FieldOutcome TfmDadosResponsavel::leave(const QString& field) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.leave(field.toStdString());
  showValues(this, rules_.values());
  return outcome;
}

void TfmDadosResponsavel::save() {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.save();
  showValues(this, rules_.values());
  if (guard_->apply(outcome)) accept();
}

void TfmDadosResponsavel::chooseMunicipality() {
  const QString code = session_.lookup(core::entry::LookupKind::Municipality, this).choose();
  if (!code.isEmpty()) ui_->CoMunicipioRespArquivo->setText(code);
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.checkMunicipality();
  showValues(this, rules_.values());
  if (guard_->apply(outcome)) ui_->NuFoneDDD->setFocus();
}

}  // namespace torvex::gui::entry
