#include "gui/shell/fm_indexar.h"

#include <QPushButton>

#include "core/store/data_folder.h"
#include "gui/platform/qt_interaction.h"
#include "gui/shell/screen_scale.h"
#include "ui_fm_indexar.h"

namespace torvex::gui::shell {

TfmIndexar::TfmIndexar(core::store::Database& db, QWidget* parent)
    : QDialog(parent), db_(db), ui_(std::make_unique<Ui::TfmIndexar>()) {
  ui_->setupUi(this);
  // The status line and the bar appear while the indexes are rebuilt.
  ui_->lbEstado->hide();
  ui_->pbProgresso->hide();
  ui_->pbProgresso->setRange(0, 17);
  connect(ui_->btIniciar, &QPushButton::clicked, this, &TfmIndexar::run);
  connect(ui_->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
  applyDesignSize(this);
}

TfmIndexar::~TfmIndexar() = default;

QPushButton* TfmIndexar::startButton() const { return ui_->btIniciar; }

void TfmIndexar::run() {
  ui_->btCancelar->setEnabled(false);
  ui_->btIniciar->setEnabled(false);
  platform::QtInteraction ui(this);
  ui.setProgressBar(ui_->pbProgresso);
  ui.setStatusLabel(ui_->lbEstado);
  core::store::reindexAll(db_, ui);
  accept();
}

}  // namespace torvex::gui::shell
