#include "gui/shell/fm_informacoes_uteis.h"

#include <QCheckBox>
#include <QPushButton>

#include "core/store/table.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_informacoes_uteis.h"

namespace torvex::gui::shell {

bool infoScreenHidden(core::store::Database& db) {
  core::store::Table resp(db, "BD8Resp");
  return !resp.empty() && resp.logical("InDicas").value_or(false);
}

TfmInformacoesUteis::TfmInformacoesUteis(core::store::Database& db, QWidget* parent)
    : QDialog(parent), db_(db), ui_(std::make_unique<Ui::TfmInformacoesUteis>()) {
  ui_->setupUi(this);
  ui_->ckNaoMostrar->setChecked(infoScreenHidden(db_));
  connect(ui_->btOk, &QPushButton::clicked, this, [this] {
    save();
    accept();
  });
  applyDesignSize(this);
}

TfmInformacoesUteis::~TfmInformacoesUteis() = default;

QCheckBox* TfmInformacoesUteis::dontShowAgain() const { return ui_->ckNaoMostrar; }

void TfmInformacoesUteis::save() {
  core::store::Table resp(db_, "BD8Resp");
  resp.edit();  // creates the only row when the table is empty
  resp.setLogical("InDicas", ui_->ckNaoMostrar->isChecked());
  resp.post();
}

}  // namespace torvex::gui::shell
