#pragma once
// Windows are designed for a 640 x 480 screen and grow with the screen: width by
// screen width / 640, height by screen height / 480 (integer arithmetic).
#include <QSize>

class QWidget;

namespace torvex::gui::shell {

QSize scaledDesignSize(QSize design, QSize screen);
// Resizes a window from its design size to the size for the screen it is on.
void applyDesignSize(QWidget* window, QSize design);

}  // namespace torvex::gui::shell
