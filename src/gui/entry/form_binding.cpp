#include "gui/entry/form_binding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>

namespace torvex::gui::entry {
namespace {

QList<QRadioButton*> radiosOf(QWidget* root, const QString& field) {
  QList<QRadioButton*> out;
  for (auto* r : root->findChildren<QRadioButton*>())
    if (r->property("field").toString() == field) out << r;
  return out;
}

// Enter on a field moves to the next one, as Tab does (and runs the field's check).
class EnterAsTab : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier)) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &tab);
    return true;
  }
};

}  // namespace

void showValues(QWidget* root, const core::entry::FieldValues& values) {
  for (const auto& [name, value] : values) {
    const QString field = QString::fromStdString(name);
    const QString text = QString::fromStdString(value);
    if (auto* w = root->findChild<QWidget*>(field)) {
      if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->text() != text) e->setText(text);
      } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
      } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setChecked(value == "1");
      } else if (auto* b = qobject_cast<QComboBox*>(w)) {
        b->setCurrentIndex(b->findData(text));
      }
      continue;
    }
    selectRadio(root, field, text);
  }
}

void selectRadio(QWidget* root, const QString& field, const QString& value) {
  const auto radios = radiosOf(root, field);
  for (auto* r : radios) {
    // Unchecking the last checked button of an exclusive group needs the group relaxed.
    const bool exclusive = r->autoExclusive();
    r->setAutoExclusive(false);
    r->setChecked(r->property("value").toString() == value);
    r->setAutoExclusive(exclusive);
  }
}

void readValues(QWidget* root, core::entry::FieldValues& values) {
  for (auto* e : root->findChildren<QLineEdit*>())
    if (!e->objectName().isEmpty() && !e->objectName().startsWith(QLatin1String("qt_")))
      values[e->objectName().toStdString()] = e->text().toStdString();
  for (auto* c : root->findChildren<QCheckBox*>())
    if (!c->objectName().isEmpty()) values[c->objectName().toStdString()] = c->isChecked() ? "1" : "";
  for (auto* b : root->findChildren<QComboBox*>())
    if (!b->objectName().isEmpty()) values[b->objectName().toStdString()] = b->currentData().toString().toStdString();
  QStringList radioFields;
  for (auto* r : root->findChildren<QRadioButton*>()) {
    const QString f = r->property("field").toString();
    if (f.isEmpty()) continue;
    if (!radioFields.contains(f)) {
      radioFields << f;
      values[f.toStdString()].clear();
    }
    if (r->isChecked()) values[f.toStdString()] = r->property("value").toString().toStdString();
  }
}

QWidget* fieldWidget(QWidget* root, const QString& field) {
  if (auto* w = root->findChild<QWidget*>(field)) return w;
  const auto radios = radiosOf(root, field);
  for (auto* r : radios)
    if (r->isChecked()) return r;
  return radios.isEmpty() ? nullptr : radios.first();
}

QString fieldOf(const QWidget* widget) {
  if (!widget) return {};
  const QString f = widget->property("field").toString();
  return f.isEmpty() ? widget->objectName() : f;
}

void prepareFields(QWidget* root) {
  auto* enter = new EnterAsTab(root);
  for (auto* e : root->findChildren<QLineEdit*>()) {
    e->installEventFilter(enter);
    if (e->property("upper").toBool())
      QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
        const QString up = t.toUpper();
        if (up == t) return;
        const int pos = e->cursorPosition();
        e->setText(up);
        e->setCursorPosition(pos);
      });
  }
  for (auto* c : root->findChildren<QCheckBox*>()) c->installEventFilter(enter);
  for (auto* r : root->findChildren<QRadioButton*>()) r->installEventFilter(enter);
  for (auto* b : root->findChildren<QComboBox*>()) b->installEventFilter(enter);
}

void applyTabOrder(QWidget* root, const std::vector<std::string>& order, const std::vector<QWidget*>& after) {
  QList<QWidget*> chain;
  for (const auto& name : order) {
    const QString field = QString::fromStdString(name);
    const auto radios = radiosOf(root, field);
    if (!radios.isEmpty()) {
      for (auto* r : radios) chain << r;
      continue;
    }
    auto* w = root->findChild<QWidget*>(field);
    if (w && w->focusPolicy() != Qt::NoFocus) chain << w;
  }
  for (auto* w : after) chain << w;
  for (int i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace torvex::gui::entry

namespace torvex::gui::entry {

void attachLookupButton(QWidget* field, QAbstractButton* button) {
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolTip(button->toolTip() + QStringLiteral(" (F2)"));
  auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), field, nullptr, nullptr, Qt::WidgetShortcut);
  QObject::connect(f2, &QShortcut::activated, button, &QAbstractButton::click);
}

}  // namespace torvex::gui::entry
