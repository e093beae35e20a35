#include "gui/shell/screen_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace torvex::gui::shell {

QSize scaledDesignSize(QSize design, QSize screen) {
  if (screen.width() == 640 || screen.width() <= 0) return design;
  return {screen.width() * design.width() / 640, screen.height() * design.height() / 480};
}

void applyDesignSize(QWidget* window, QSize design) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const QSize size = screen ? scaledDesignSize(design, screen->availableGeometry().size()) : design;
  window->resize(size.expandedTo(window->minimumSizeHint()));
}

}  // namespace torvex::gui::shell
