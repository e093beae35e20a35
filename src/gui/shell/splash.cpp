#include "gui/shell/splash.h"

#include <QPainter>

#include "gui/shell/app_context.h"
#include "gui/shell/screen_scale.h"

namespace torvex::gui::shell {

std::unique_ptr<QSplashScreen> createSplash() {
  // Drawn in design coordinates with the pixels of the scaled size.
  QPixmap pix = screenScale().canvas({480, 260});
  pix.fill(QColor(0, 128, 128));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setPointSize(36);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRect(0, 50, 480, 80), Qt::AlignCenter, QStringLiteral("TORVEX"));
  f.setPointSize(13);
  f.setBold(false);
  p.setFont(f);
  p.drawText(QRect(0, 130, 480, 30), Qt::AlignCenter, QStringLiteral("Gerador de Declaração Keva — Ano-Base 2006"));
  p.drawText(QRect(0, 170, 480, 30), Qt::AlignCenter, QStringLiteral("Versão ") + versionText());
  p.end();
  pix.setDevicePixelRatio(1.0);  // shown at the scaled size
  return std::make_unique<QSplashScreen>(pix, Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
}

void showMainWindowAfterSplash(std::unique_ptr<QSplashScreen> splash, QWidget& mainWindow) {
  // The splash stays on top of every window: it must be gone, not merely
  // lowered later, before the first window of the program appears.
  if (splash) splash->close();
  splash.reset();
  mainWindow.show();
}

}  // namespace torvex::gui::shell
