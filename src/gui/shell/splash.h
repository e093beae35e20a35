#pragma once
#include <QSplashScreen>
#include <memory>

namespace torvex::gui::shell {
// The start-up window: one picture on a teal background, centred, no border.
std::unique_ptr<QSplashScreen> createSplash();
// The end of the start-up: the splash is hidden and freed before the main window
// (and whatever it opens on its first activation) is shown.
void showMainWindowAfterSplash(std::unique_ptr<QSplashScreen> splash, QWidget& mainWindow);
}
