#include "gui/shell/info_screen.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/store/table.h"
#include "gui/shell/screen_scale.h"

namespace torvex::gui::shell {

namespace {
const char* kPoints =
    "<ol>"
    "<li>A partir do ano-base 2006 a declaração pode ser gravada no disco rígido, além de disquete.</li>"
    "<li>A declaração do ano-base 2006 é transmitida a partir deste programa, pelas opções "
    "\"Gravar Declaração\" ou \"Transmitir Declaração\", usando um arquivo gravado no disco rígido ou "
    "em disquete.</li>"
    "<li>A transmissão precisa do programa Trevion2006, que deve ser obtido e instalado à parte; ele não "
    "cria ícone na área de trabalho.</li>"
    "<li>O protocolo de transmissão é impresso pela opção \"Declaração\" › \"Imprimir\".</li>"
    "<li>A tecla F1 mostra a ajuda do campo em que está o cursor.</li>"
    "<li>Uma cópia da declaração entregue deve ficar com a empresa, à disposição da fiscalização.</li>"
    "</ol>";
}

bool infoScreenHidden(core::store::Database& db) {
  core::store::Table resp(db, "BD8Resp");
  return !resp.empty() && resp.logical("InDicas").value_or(false);
}

TfmInformacoesUteis::TfmInformacoesUteis(core::store::Database& db, QWidget* parent)
    : QDialog(parent), db_(db), check_(new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"))) {
  setWindowTitle(QStringLiteral("Informações úteis"));
  auto* text = new QLabel(QString::fromUtf8(kPoints));
  text->setWordWrap(true);
  text->setTextFormat(Qt::RichText);
  check_->setChecked(infoScreenHidden(db_));
  auto* ok = new QPushButton(QStringLiteral("&Ok"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    save();
    accept();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(check_);
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(buttons);
  applyDesignSize(this, {400, 260});
}

void TfmInformacoesUteis::save() {
  core::store::Table resp(db_, "BD8Resp");
  resp.edit();  // creates the only row when the table is empty
  resp.setLogical("InDicas", check_->isChecked());
  resp.post();
}

}  // namespace torvex::gui::shell
