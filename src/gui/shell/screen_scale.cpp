#include "gui/shell/screen_scale.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace torvex::gui::shell {

namespace {

constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 480;
constexpr const char* kScaledProperty = "torvexScreenScaled";
constexpr const char* kDesignSizeProperty = "torvexDesignSize";

// The style of the run with every measure grown by the factor.
class ScaledStyle : public QProxyStyle {
 public:
  ScaledStyle(QStyle* base, double factor) : QProxyStyle(base), factor_(factor) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    // The base style asks itself for other measures while computing one: those
    // answers come unscaled, so that the result is scaled once.
    if (nested_) return QProxyStyle::pixelMetric(metric, option, widget);
    nested_ = true;
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    nested_ = false;
    return value > 0 ? qRound(value * factor_) : value;
  }

  int layoutSpacing(QSizePolicy::ControlType a, QSizePolicy::ControlType b, Qt::Orientation orientation,
                    const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::layoutSpacing(a, b, orientation, option, widget);
    return value > 0 ? qRound(value * factor_) : value;
  }

 private:
  double factor_;
  mutable bool nested_ = false;
};

std::optional<ScreenScale>& runScale() {
  static std::optional<ScreenScale> scale;
  return scale;
}

// Widgets of the window's design: the window itself and every named widget
// (Designer names them all; Qt's own inner widgets are unnamed or "qt_...").
bool isDesigned(const QWidget* widget, const QWidget* window) {
  if (widget == window) return true;
  const QString name = widget->objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

bool layoutHolds(const QLayout* layout, const QWidget* widget) {
  if (!layout) return false;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == widget) return true;
    if (layoutHolds(item->layout(), widget)) return true;
  }
  return false;
}

// A widget placed at a fixed position: in a plain container, outside any layout.
bool placedByHand(const QWidget* widget, const QWidget* window) {
  const QWidget* parent = widget->parentWidget();
  if (widget == window || widget->isWindow() || !parent) return false;
  if (layoutHolds(parent->layout(), widget)) return false;
  const QByteArray kind = parent->metaObject()->className();
  return parent == window || kind == "QWidget" || kind == "QFrame" || kind == "QWizardPage" ||
         qobject_cast<const QGroupBox*>(parent);
}

QFont scaledFont(QFont font, const ScreenScale& scale) {
  if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * scale.factor());
  else if (font.pixelSize() > 0) font.setPixelSize(scale.scaled(font.pixelSize()));
  return font;
}

QPixmap scaledPixmap(const QPixmap& pixmap, double factor) {
  const QSize target = (pixmap.deviceIndependentSize() * factor).toSize();
  QPixmap out = pixmap;
  if (pixmap.width() >= target.width() && pixmap.height() >= target.height()) {
    // Drawn with enough pixels (a canvas): show them all, no resampling.
    out.setDevicePixelRatio(double(pixmap.width()) / target.width());
  } else {
    out = pixmap.scaled(target * pixmap.devicePixelRatio(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return out;
}

class WindowScaler {
 public:
  WindowScaler(const ScreenScale& scale, QWidget* window) : s_(scale), window_(window) {}

  void run() {
    std::vector<QWidget*> widgets;
    collect(window_, widgets);
    std::vector<QLayout*> layouts;
    for (QWidget* w : widgets)
      if (w->layout()) collectLayouts(w->layout(), layouts);
    // Decide what was set by hand before anything changes.
    std::vector<std::pair<QLayout*, LayoutValues>> layoutValues;
    for (QLayout* l : layouts) layoutValues.emplace_back(l, explicitValues(l));
    for (QWidget* w : widgets) scaleWidget(w);
    for (auto& [layout, values] : layoutValues) apply(layout, values);
  }

 private:
  struct LayoutValues {
    std::optional<QMargins> margins;
    std::optional<int> spacing;
  };

  void collect(QWidget* w, std::vector<QWidget*>& out) {
    out.push_back(w);
    for (QObject* child : w->children())
      if (auto* cw = qobject_cast<QWidget*>(child); cw && !cw->isWindow()) collect(cw, out);
  }

  static void collectLayouts(QLayout* l, std::vector<QLayout*>& out) {
    out.push_back(l);
    for (int i = 0; i < l->count(); ++i)
      if (QLayout* sub = l->itemAt(i)->layout()) collectLayouts(sub, out);
  }

  // Margins and spacing that differ from what the style gives a layout of this kind.
  LayoutValues explicitValues(QLayout* l) const {
    LayoutValues v;
    const bool topLevel = l->parent() && l->parent()->isWidgetType();
    const QWidget* owner = l->parentWidget();
    const QStyle* style = owner ? owner->style() : QApplication::style();
    const QMargins m = l->contentsMargins();
    const QMargins styled = topLevel ? QMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, owner),
                                                style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, owner),
                                                style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, owner),
                                                style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, owner))
                                     : QMargins();
    if (m != styled) v.margins = m;
    const int spacing = l->spacing();
    const int styledSpacing = style->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, owner);
    if (spacing > 0 && spacing != styledSpacing) v.spacing = spacing;
    return v;
  }

  void apply(QLayout* l, const LayoutValues& v) const {
    if (v.margins)
      l->setContentsMargins(s_.scaled(v.margins->left()), s_.scaled(v.margins->top()), s_.scaled(v.margins->right()),
                            s_.scaled(v.margins->bottom()));
    if (v.spacing) l->setSpacing(s_.scaled(*v.spacing));
  }

  QSize scaledLimit(QSize size, int unlimited) const {
    auto one = [&](int v) { return v == 0 || v >= unlimited ? v : s_.scaled(v); };
    return {one(size.width()), one(size.height())};
  }

  void scaleWidget(QWidget* w) {
    if (!isDesigned(w, window_)) return;
    if (w->testAttribute(Qt::WA_SetFont) && (w->font().resolveMask() & QFont::SizeResolved))
      w->setFont(scaledFont(w->font(), s_));
    if (w != window_) {
      w->setMinimumSize(scaledLimit(w->minimumSize(), QWIDGETSIZE_MAX));
      w->setMaximumSize(scaledLimit(w->maximumSize(), QWIDGETSIZE_MAX));
    }
    if (placedByHand(w, window_)) {
      const QRect g = w->geometry();
      w->setGeometry(s_.scaled(g.x()), s_.scaled(g.y()), s_.scaled(g.width()), s_.scaled(g.height()));
    }
    scaleIcons(w);
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->hasScaledContents()) {
      const QPixmap pixmap = label->pixmap();
      if (!pixmap.isNull()) label->setPixmap(scaledPixmap(pixmap, s_.factor()));
    }
  }

  // Icon sizes set by hand (those that differ from the style's) grow; the
  // style's own already have.
  void scaleIcons(QWidget* w) const {
    const QStyle* style = w->style();
    auto styled = [&](QStyle::PixelMetric m) {
      const int e = style->pixelMetric(m, nullptr, w);
      return QSize(e, e);
    };
    if (auto* bar = qobject_cast<QToolBar*>(w)) {
      if (bar->iconSize() != styled(QStyle::PM_ToolBarIconSize)) bar->setIconSize(s_.scaled(bar->iconSize()));
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
      if (view->iconSize().isValid()) view->setIconSize(s_.scaled(view->iconSize()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (qobject_cast<QToolBar*>(w->parentWidget())) return;  // the tool bar sizes its buttons
      const QSize size = button->iconSize();
      if (size != styled(QStyle::PM_ButtonIconSize) && size != styled(QStyle::PM_SmallIconSize))
        button->setIconSize(s_.scaled(size));
    }
  }

  const ScreenScale& s_;
  QWidget* window_;
};

}  // namespace

ScreenScale::ScreenScale(QSize screen) : screen_(screen) {
  if (screen.width() > 0 && screen.height() > 0 && screen.width() != kDesignWidth)
    factor_ = std::min(double(screen.width()) / kDesignWidth, double(screen.height()) / kDesignHeight);
}

ScreenScale ScreenScale::forPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return ScreenScale(screen ? screen->availableGeometry().size() : QSize(kDesignWidth, kDesignHeight));
}

QSize ScreenScale::windowSize(QSize design) const {
  if (screen_.width() == kDesignWidth || screen_.width() <= 0) return design;
  return {screen_.width() * design.width() / kDesignWidth, screen_.height() * design.height() / kDesignHeight};
}

int ScreenScale::scaled(int designPixels) const { return qRound(designPixels * factor_); }

QSize ScreenScale::scaled(QSize design) const { return {scaled(design.width()), scaled(design.height())}; }

QPixmap ScreenScale::canvas(QSize design) const {
  QPixmap pixmap(scaled(design));
  pixmap.setDevicePixelRatio(factor_);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void ScreenScale::applyTo(QWidget* window, QSize design) const {
  if (!window->property(kScaledProperty).toBool()) {
    window->setProperty(kScaledProperty, true);
    window->setProperty(kDesignSizeProperty, design);
    if (factor_ != 1.0) WindowScaler(*this, window).run();
  }
  QSize size = windowSize(design).expandedTo(window->minimumSizeHint());
  if (screen_.isValid()) size = size.boundedTo(screen_);
  window->resize(size);
}

const ScreenScale& screenScale() {
  if (!runScale()) runScale() = ScreenScale::forPrimaryScreen();
  return *runScale();
}

void installScreenScale(QApplication& app, const ScreenScale& scale) {
  runScale() = scale;
  if (scale.factor() == 1.0) return;
  QApplication::setFont(scaledFont(QApplication::font(), scale));
  QApplication::setStyle(new ScaledStyle(QStyleFactory::create(app.style()->name()), scale.factor()));
}

void applyDesignSize(QWidget* window, QSize design) { screenScale().applyTo(window, design); }

void applyDesignSize(QWidget* window) {
  const QVariant design = window->property(kDesignSizeProperty);
  applyDesignSize(window, design.isValid() ? design.toSize() : window->size());
}

}  // namespace torvex::gui::shell
