#pragma once
// A tab widget whose tabs stand on the left with their captions written
// upright, wrapped over a few lines: long page captions stay whole in a
// narrow window.
#include <QTabBar>
#include <QTabWidget>

namespace torvex::gui::entry {

class SideTabBar : public QTabBar {
  Q_OBJECT
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int captionWidth() const;
  int padding() const;
};

class SideTabWidget : public QTabWidget {
  Q_OBJECT
 public:
  explicit SideTabWidget(QWidget* parent = nullptr);
};

}  // namespace torvex::gui::entry
