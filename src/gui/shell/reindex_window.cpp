#include "gui/shell/reindex_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/store/data_folder.h"
#include "gui/platform/qt_interaction.h"
#include "gui/shell/screen_scale.h"

namespace torvex::gui::shell {

TfmIndexar::TfmIndexar(core::store::Database& db, QWidget* parent)
    : QDialog(parent),
      db_(db),
      label_(new QLabel),
      bar_(new QProgressBar),
      start_(new QPushButton(QStringLiteral("&Iniciar"))),
      cancel_(new QPushButton(QStringLiteral("&Cancelar"))) {
  setWindowTitle(QStringLiteral("Indexar Arquivos"));
  setProperty("helpTopic", 907);
  auto* intro = new QLabel(QStringLiteral(
      "Refaz os índices dos arquivos de dados do TORVEX.\nFeche o TORVEX em outros computadores que usem a mesma "
      "pasta de dados antes de iniciar."));
  intro->setWordWrap(true);
  label_->hide();
  bar_->hide();
  bar_->setRange(0, 17);
  connect(start_, &QPushButton::clicked, this, &TfmIndexar::run);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(start_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  applyDesignSize(this, {340, 120});
}

void TfmIndexar::run() {
  cancel_->setEnabled(false);
  start_->setEnabled(false);
  platform::QtInteraction ui(this);
  ui.setProgressBar(bar_);
  ui.setStatusLabel(label_);
  core::store::reindexAll(db_, ui);
  accept();
}

}  // namespace torvex::gui::shell
