#include "gui/entry/side_tab_widget.h"

#include <QStyleOptionTab>
#include <QStylePainter>

namespace torvex::gui::entry {

namespace {
// Captions wrap at about this many characters.
constexpr int kCaptionChars = 18;
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
}  // namespace

int SideTabBar::captionWidth() const { return fontMetrics().averageCharWidth() * kCaptionChars; }

int SideTabBar::padding() const { return fontMetrics().height() / 2 + 4; }

QSize SideTabBar::tabSizeHint(int index) const {
  const QRect text = fontMetrics().boundingRect(QRect(0, 0, captionWidth(), 0), kTextFlags, tabText(index));
  return {std::max(captionWidth(), text.width()) + 2 * padding(), text.height() + 2 * padding()};
}

QSize SideTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

void SideTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTab option;
  for (int i = 0; i < count(); ++i) {
    initStyleOption(&option, i);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_TabBarTabShape, option);
    // The caption stands upright and wraps inside the tab.
    painter.setPen(palette().color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(option.rect.adjusted(padding(), padding() / 2, -padding() / 2, -padding() / 2), kTextFlags,
                     caption);
  }
}

SideTabWidget::SideTabWidget(QWidget* parent) : QTabWidget(parent) {
  auto* bar = new SideTabBar(this);
  // Pages change with Ctrl+Tab or by the fields' own order; the bar stays out of the tab chain.
  bar->setFocusPolicy(Qt::NoFocus);
  setTabBar(bar);
  setTabPosition(QTabWidget::West);
}

}  // namespace torvex::gui::entry
