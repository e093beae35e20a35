#pragma once
#include <QSplashScreen>

namespace torvex::gui::shell {
// The start-up window: one picture on a teal background, centred, no border.
QSplashScreen* createSplash();
}
