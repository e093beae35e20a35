#include "gui/delivery/fm_retificacao_regras.h"

#include "gui/shell/screen_scale.h"
#include "ui_fm_retificacao_regras.h"

namespace torvex::gui::delivery {

TfmRetificacaoRegras::TfmRetificacaoRegras(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfmRetificacaoRegras>()) {
  ui_->setupUi(this);
  shell::applyDesignSize(this);
}

TfmRetificacaoRegras::~TfmRetificacaoRegras() = default;

}  // namespace torvex::gui::delivery
