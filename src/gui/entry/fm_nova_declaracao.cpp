#include "gui/entry/fm_nova_declaracao.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/entry/entry_session.h"
#include "gui/entry/field_guard.h"
#include "gui/entry/form_binding.h"
#include "gui/shell/fm_principal.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_nova_declaracao.h"

namespace torvex::gui::entry {

using core::entry::FieldOutcome;
using core::entry::NewDeclaration;

TfmNovaDeclaracao::TfmNovaDeclaracao(EntrySession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      ui_(std::make_unique<Ui::TfmNovaDeclaracao>()),
      rules_(session.db(), session.reference(), session.ui()) {
  ui_->setupUi(this);
  prepareFields(this);
  for (auto* b : {ui_->btOk, ui_->btCancelar}) b->setFocusPolicy(Qt::TabFocus);
  applyTabOrder(this, NewDeclaration::fieldOrder(), {ui_->btOk, ui_->btCancelar});
  ui_->Titulo->setText(QStringLiteral("Declaração Ano-Base %1").arg(shell::kBaseYear));

  guard_ = new FieldGuard(this, session.ui(), session.reference(), [this](const QString& f) { return leave(f); });
  QStringList fields;
  for (const auto& f : NewDeclaration::fieldOrder()) fields << QString::fromStdString(f);
  guard_->guard(fields);
  guard_->exempt(ui_->btCancelar);
  guard_->exempt(ui_->gbTipoDeclaracao);
  guard_->exempt(ui_->gbAtividade);

  for (auto* e : {ui_->CoCgcCeiEstabelecimento, ui_->CoCgcVinculado}) e->installEventFilter(this);
  connect(ui_->rbComEmpregados, &QRadioButton::clicked, this, &TfmNovaDeclaracao::declarationTypeClicked);
  connect(ui_->rbSemEmpregados, &QRadioButton::clicked, this, &TfmNovaDeclaracao::declarationTypeClicked);
  connect(ui_->btOk, &QPushButton::clicked, this, &TfmNovaDeclaracao::ok);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
  refresh();
  shell::applyDesignSize(this, QSize(480, 330));
  ui_->CoCgcCeiEstabelecimento->setFocus();
}

TfmNovaDeclaracao::~TfmNovaDeclaracao() = default;

bool TfmNovaDeclaracao::eventFilter(QObject* watched, QEvent* event) {
  // Inscriptions are typed as bare digits; the punctuation comes back once accepted.
  if (event->type() == QEvent::FocusIn)
    if (auto* e = qobject_cast<QLineEdit*>(watched))
      e->setText(QString::fromStdString(core::entry::digitsOf(e->text().toStdString())));
  return QDialog::eventFilter(watched, event);
}

void TfmNovaDeclaracao::refresh() {
  showValues(this, rules_.values());
  ui_->CoCgcVinculado->setEnabled(rules_.linkedCeiEnabled());
  ui_->gbAtividade->setEnabled(rules_.activityEnabled());
}

FieldOutcome TfmNovaDeclaracao::leave(const QString& field) {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.leave(field.toStdString());
  refresh();
  // Copying the data of another prefix stores the row at once.
  if (rules_.stored()) QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
  return outcome;
}

void TfmNovaDeclaracao::declarationTypeClicked() {
  readValues(this, rules_.values());
  refresh();
  if (rules_.activityEnabled()) showNegativeTips(session_, this);
}

void TfmNovaDeclaracao::ok() {
  readValues(this, rules_.values());
  const FieldOutcome outcome = rules_.ok();
  refresh();
  if (guard_->apply(outcome)) accept();
}

void showNegativeTips(EntrySession& session, QWidget* parent) {
  if (core::entry::negativeTipsHidden(session.db())) return;
  QDialog tips(parent);
  tips.setObjectName(QStringLiteral("fmDicasSemEmpregados"));
  tips.setWindowTitle(QStringLiteral("Torvex%1 - Declaração Sem Empregados").arg(shell::kBaseYear));
  auto* text = new QLabel(QStringLiteral("Existe uma forma mais rápida de você declarar seu estabelecimento \n"
                                         "sem empregados,  através da Internet usando  a opção KEVA Negativa."));
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromUtf8(shell::kServiceAddress)));
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  QObject::connect(link, &QLabel::linkActivated, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
  auto* hide = new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"));
  hide->setObjectName(QStringLiteral("InDicasSemEmpregados"));
  auto* ok = new QPushButton(QStringLiteral("&Ok"));
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &tips, &QDialog::accept);
  auto* layout = new QVBoxLayout(&tips);
  layout->addWidget(text);
  layout->addWidget(link);
  layout->addWidget(hide);
  layout->addWidget(ok, 0, Qt::AlignRight);
  tips.exec();
  core::entry::setNegativeTipsHidden(session.db(), hide->isChecked());
}

}  // namespace torvex::gui::entry
