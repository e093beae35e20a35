#include "gui/entry/field_guard.h"

#include <QApplication>
#include <QTabWidget>
#include <QWidget>

#include "core/validation/message_dialog.h"
#include "gui/entry/form_binding.h"

namespace torvex::gui::entry {

FieldGuard::FieldGuard(QWidget* window, core::platform::Interaction& ui, const core::store::ReferenceLookup& ref,
                       LeaveCheck leave)
    : QObject(window), window_(window), ui_(ui), ref_(ref), leave_(std::move(leave)) {
  connect(qApp, &QApplication::focusChanged, this, &FieldGuard::focusChanged);
}

void FieldGuard::guard(const QStringList& fields) {
  for (const auto& f : fields) fields_.insert(f);
}

void FieldGuard::exempt(QWidget* target) { exempt_ << target; }

void FieldGuard::exempt(const QString& field, QWidget* target) { exemptFor_ << qMakePair(field, QPointer(target)); }

bool FieldGuard::isExempt(const QString& field, QWidget* target) const {
  for (const auto& w : exempt_)
    if (w && (w == target || w->isAncestorOf(target))) return true;
  for (const auto& [f, w] : exemptFor_)
    if (f == field && w && (w == target || w->isAncestorOf(target))) return true;
  return false;
}

void FieldGuard::focusChanged(QWidget* old, QWidget* now) {
  // Only moves inside this window, between two of its widgets: a message box or
  // another window taking the focus is not a move out of the field.
  if (busy_ || !enabled_ || !old || !now || !window_->isVisible()) return;
  if (!window_->isAncestorOf(old) || !window_->isAncestorOf(now)) return;
  const QString field = fieldOf(old);
  const QString target = fieldOf(now);
  if (target == field) return;
  if (fields_.contains(field) && !isExempt(field, now) && !apply(leave_(field))) return;
  if (fields_.contains(target) && QApplication::focusWidget() == now) emit entered(target);
}

bool FieldGuard::apply(const core::entry::FieldOutcome& outcome) {
  busy_ = true;
  if (outcome.showsMessage()) core::validation::showMessage(ui_, ref_, outcome.code);
  lastFailed_ = outcome.refuses;
  if (outcome.refuses && !outcome.focus.empty()) {
    const QString f = QString::fromStdString(outcome.focus);
    focusField(f);
    busy_ = false;
    emit refused(f);
    return false;
  }
  busy_ = false;
  return outcome.accepted();
}

void FieldGuard::focusField(const QString& field) {
  QWidget* w = fieldWidget(window_, field);
  if (!w) return;
  const bool wasBusy = busy_;
  busy_ = true;
  // Show the tab page that holds the field.
  for (QWidget* p = w->parentWidget(); p && p != window_; p = p->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(p->parentWidget() ? p->parentWidget()->parentWidget() : nullptr)) {
      const int i = tabs->indexOf(p);
      if (i >= 0) tabs->setCurrentIndex(i);
    }
  w->setFocus(Qt::OtherFocusReason);
  busy_ = wasBusy;
}

}  // namespace torvex::gui::entry
