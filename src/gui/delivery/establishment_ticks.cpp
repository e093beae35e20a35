#include "gui/delivery/establishment_ticks.h"

#include <QKeyEvent>

namespace torvex::gui::delivery {

EstablishmentTicks::EstablishmentTicks(QListWidget* list) : QObject(list), list_(list) {
  list_->installEventFilter(this);
  connect(list_, &QListWidget::itemClicked, this, &EstablishmentTicks::toggle);
}

void EstablishmentTicks::fill(std::vector<core::delivery::ChoiceLine> lines) {
  lines_ = std::move(lines);
  list_->clear();
  for (const auto& line : lines_) {
    auto* item = new QListWidgetItem(QString::fromStdString(line.text), list_);
    // Not user-checkable: Qt would toggle the box a second time on a click on it.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void EstablishmentTicks::setAll(bool ticked) {
  for (int row = 0; row < list_->count(); ++row) list_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

std::vector<core::store::EstablishmentKey> EstablishmentTicks::ticked() const {
  std::vector<bool> marks;
  for (int row = 0; row < list_->count(); ++row) marks.push_back(list_->item(row)->checkState() == Qt::Checked);
  return core::delivery::tickedKeys(lines_, marks);
}

void EstablishmentTicks::toggle(QListWidgetItem* item) {
  if (!enabled_ || !item) return;
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool EstablishmentTicks::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      toggle(list_->currentItem());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvex::gui::delivery
