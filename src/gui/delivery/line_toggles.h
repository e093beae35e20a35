#pragma once
// A list whose lines are ticked by a rule of their owner: a click on a line
// (on its box too) or Enter or the space bar on the current line asks once to
// toggle it; the owner decides and sets the boxes.
#include <QAbstractItemView>
#include <QListWidget>
#include <QObject>

namespace torvex::gui::delivery {

class LineToggles : public QObject {
  Q_OBJECT
 public:
  explicit LineToggles(QAbstractItemView* list);

  // Adds a line with an empty box the user cannot tick directly (Qt would
  // otherwise toggle it a second time on a click on the box).
  static QListWidgetItem* addLine(QListWidget* list, const QString& text);
  static void setTicked(QListWidgetItem* item, bool ticked);
  static bool ticked(const QListWidgetItem* item);

 signals:
  void toggleRequested(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAbstractItemView* list_;
};

}  // namespace torvex::gui::delivery
