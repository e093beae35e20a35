// Windows designed for 640 x 480 grow with the screen, and so do their contents:
// fonts, fixed sizes, positions, icons, pictures and margins.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>

#include "gui/shell/screen_scale.h"

using namespace torvex::gui::shell;

namespace {

// A small form as Designer would build it: named widgets, a font set on one
// label, a picture, a button at a fixed place, an icon size, a fixed-size panel
// and a layout with its own margins.
struct Form {
  QDialog window;
  QLabel* title;
  QLabel* picture;
  QPushButton* placed;
  QWidget* panel;
  QVBoxLayout* inner;
  QCheckBox* check;
  Form() {
    window.setObjectName("fmTeste");
    window.resize(400, 300);
    auto* top = new QWidget(&window);
    top->setObjectName("pnTopo");
    top->setGeometry(0, 0, 400, 200);
    title = new QLabel("Título", top);
    title->setObjectName("lbTitulo");
    QFont f = title->font();
    f.setPointSize(10);
    f.setBold(true);
    title->setFont(f);
    title->setGeometry(10, 10, 200, 20);
    picture = new QLabel(top);
    picture->setObjectName("imFigura");
    QPixmap pix(50, 30);
    pix.fill(Qt::darkCyan);
    picture->setPixmap(pix);
    picture->setGeometry(10, 40, 50, 30);
    placed = new QPushButton("&Ok", top);
    placed->setObjectName("btOk");
    placed->setGeometry(300, 160, 80, 24);
    placed->setIconSize(QSize(20, 20));
    panel = new QWidget(&window);
    panel->setObjectName("pnBaixo");
    panel->setGeometry(0, 200, 400, 100);
    inner = new QVBoxLayout(panel);
    inner->setContentsMargins(4, 4, 4, 4);
    check = new QCheckBox("Marcar", panel);
    check->setObjectName("ckMarcar");
    check->setFixedSize(120, 20);
    inner->addWidget(check);
  }
};

}  // namespace

class ScreenScaleTest : public QObject {
  Q_OBJECT
 private slots:
  void factorAndWindowSizeFollowTheScreen() {
    struct Case {
      QSize screen;
      double factor;
      QSize window;  // for a 400 x 300 design
    };
    const Case cases[] = {
        {{640, 480}, 1.0, {400, 300}},   {{800, 600}, 1.25, {500, 375}},  {{1024, 768}, 1.6, {640, 480}},
        {{1920, 1080}, 2.25, {1200, 675}},  // wide screen: contents by the height, to fit
        {{1280, 1024}, 2.0, {800, 640}},  {{640, 400}, 1.0, {400, 300}},  // a 640-wide screen keeps the design
    };
    for (const Case& c : cases) {
      const ScreenScale s(c.screen);
      QCOMPARE(s.factor(), c.factor);
      QCOMPARE(s.windowSize({400, 300}), c.window);
    }
  }

  void contentsOfAWindowGrowWithTheFactor() {
    Form form;
    const QSize designIcon = form.placed->iconSize();
    const double titlePoints = form.title->font().pointSizeF();
    const ScreenScale scale({1280, 960});  // factor 2
    scale.applyTo(&form.window, form.window.size());
    QCOMPARE(form.window.size(), QSize(800, 600));
    QCOMPARE(form.title->font().pointSizeF(), 2 * titlePoints);
    QVERIFY(form.title->font().bold());
    QCOMPARE(form.title->geometry(), QRect(20, 20, 400, 40));
    QCOMPARE(form.placed->geometry(), QRect(600, 320, 160, 48));
    QCOMPARE(form.placed->iconSize(), 2 * designIcon);
    QCOMPARE(form.picture->pixmap().deviceIndependentSize().toSize(), QSize(100, 60));
    QCOMPARE(form.check->size(), QSize(240, 40));
    QCOMPARE(form.inner->contentsMargins(), QMargins(8, 8, 8, 8));
    // A second call only sizes the window again.
    scale.applyTo(&form.window, {400, 300});
    QCOMPARE(form.title->font().pointSizeF(), 2 * titlePoints);
    QCOMPARE(form.check->size(), QSize(240, 40));
  }

  void onTheDesignScreenNothingButTheSizeChanges() {
    Form form;
    const QRect title = form.title->geometry();
    const QFont font = form.title->font();
    ScreenScale({640, 480}).applyTo(&form.window, {400, 300});
    QCOMPARE(form.title->geometry(), title);
    QCOMPARE(form.title->font(), font);
    QCOMPARE(form.window.size(), QSize(400, 300));
  }

  void aCanvasKeepsItsPixelsWhenTheWindowGrows() {
    const ScreenScale scale({1280, 960});
    QPixmap canvas = scale.canvas({50, 30});
    QCOMPARE(canvas.size(), QSize(100, 60));  // drawn in design coordinates, at full resolution
    QCOMPARE(canvas.deviceIndependentSize().toSize(), QSize(50, 30));
    QWidget window;
    auto* label = new QLabel(&window);
    label->setObjectName("imFigura");
    label->setPixmap(canvas);
    scale.applyTo(&window, {100, 100});
    QCOMPARE(label->pixmap().size(), QSize(100, 60));  // not resampled
    QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), QSize(100, 60));
  }

  // Last: it changes the program's font and style.
  void programFontAndStyleMeasuresGrow() {
    const double points = QApplication::font().pointSizeF();
    const int indicator = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
    const int icon = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    installScreenScale(*qApp, ScreenScale({1280, 960}));
    QCOMPARE(QApplication::font().pointSizeF(), 2 * points);
    QCOMPARE(QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth), 2 * indicator);
    QCOMPARE(QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize), 2 * icon);
    QCOMPARE(screenScale().factor(), 2.0);
  }
};

QTEST_MAIN(ScreenScaleTest)
#include "screen_scale_test.moc"
