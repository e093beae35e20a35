#include "gui/delivery/line_toggles.h"

#include <QKeyEvent>

namespace torvex::gui::delivery {

LineToggles::LineToggles(QAbstractItemView* list) : QObject(list), list_(list) {
  list_->installEventFilter(this);
  connect(list_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) emit toggleRequested(index.row());
  });
}

QListWidgetItem* LineToggles::addLine(QListWidget* list, const QString& text) {
  auto* item = new QListWidgetItem(text, list);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setCheckState(Qt::Unchecked);
  return item;
}

void LineToggles::setTicked(QListWidgetItem* item, bool ticked) {
  item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool LineToggles::ticked(const QListWidgetItem* item) { return item->checkState() == Qt::Checked; }

bool LineToggles::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      if (list_->currentIndex().isValid()) emit toggleRequested(list_->currentIndex().row());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace torvex::gui::delivery
