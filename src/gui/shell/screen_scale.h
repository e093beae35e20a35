#pragma once
// Screen scaling. Every window of the program is designed for a 640 x 480
// screen. On another screen:
//   - the window grows by screen width / 640 and by screen height / 480
//     (integer arithmetic; a 640-wide screen keeps the designed size);
//   - its contents (fonts, fixed sizes, positions, icons, pictures, margins)
//     grow by the content factor: screen width / 640, or screen height / 480
//     when that is smaller, so that the contents always fit the window.
//
// How to use it:
//   - A window, once its widgets exist, as the last line of its constructor:
//         ui_->setupUi(this);
//         ...
//         shell::applyDesignSize(this);               // a Designer form: its size in the .ui is the design size
//         shell::applyDesignSize(this, {400, 260});   // a window built in code: give its design size
//     Fonts set on a widget, fixed/minimum/maximum sizes, positions of widgets
//     outside layouts, icon sizes, QLabel pictures and explicit layout margins
//     and spacings are scaled. Widgets of a Designer form always take part
//     (Designer names every widget); a widget created in code takes part when
//     it has an objectName. Calling it again on the same window only resizes.
//   - A size computed in code after that (a column width, a picture drawn with
//     QPainter): screenScale().scaled(designPixels), or draw on
//     screenScale().canvas(designSize) in design coordinates: the picture stays
//     sharp when applyDesignSize enlarges it.
//   - The program's font and the style's measures (check boxes, scroll bars,
//     standard icons, margins), which message boxes, menus and Qt's own dialogs
//     use too, are scaled once at start by installScreenScale (main does it).
#include <QPixmap>
#include <QSize>

class QApplication;
class QWidget;

namespace torvex::gui::shell {

class ScreenScale {
 public:
  // The scale for a screen of this size (the available area, in pixels).
  explicit ScreenScale(QSize screen);
  // The primary screen's scale.
  static ScreenScale forPrimaryScreen();

  double factor() const { return factor_; }  // the content factor; 1 on a 640-wide screen
  // The window size for a design size, by the screen rule.
  QSize windowSize(QSize design) const;
  int scaled(int designPixels) const;
  QSize scaled(QSize design) const;
  // A transparent picture of the design size in design coordinates whose pixels
  // cover the scaled size (device pixel ratio = factor).
  QPixmap canvas(QSize design) const;

  // Scales a window's contents and sizes it; see the top of this file.
  void applyTo(QWidget* window, QSize design) const;

 private:
  QSize screen_;
  double factor_ = 1.0;
};

// The scale of this run: the one installScreenScale set, else the primary screen's.
const ScreenScale& screenScale();

// Sets the scale of this run and scales the program's font and the style's
// measures by its factor. Called once at start, before any window exists.
void installScreenScale(QApplication& app, const ScreenScale& scale = ScreenScale::forPrimaryScreen());

// Scales a window's contents and sizes it for this run's screen (see above).
void applyDesignSize(QWidget* window, QSize design);
// The same for a Designer form: its current size (set by setupUi) is the design size.
void applyDesignSize(QWidget* window);

}  // namespace torvex::gui::shell
