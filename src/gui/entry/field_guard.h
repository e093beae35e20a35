#pragma once
// Runs a field's check when the focus leaves it: on a refusal it shows the
// message of the returned code (through the Interaction seam), puts the focus
// on the field the rule names and so cancels the move. Moves towards exempt
// widgets ("&Cancelar", a lookup button, a radio group) run no check.
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

#include "core/entry/entry_form.h"
#include "core/platform/interaction.h"
#include "core/store/reference_lookup.h"

class QWidget;

namespace torvex::gui::entry {

class FieldGuard : public QObject {
  Q_OBJECT
 public:
  // `leave` runs the check of the named field (reading and showing the window's values).
  using LeaveCheck = std::function<core::entry::FieldOutcome(const QString& field)>;

  FieldGuard(QWidget* window, core::platform::Interaction& ui, const core::store::ReferenceLookup& ref,
             LeaveCheck leave);

  // Checks run for these fields when they are left.
  void guard(const QStringList& fields);
  // A move into this widget (or into its children) runs no check.
  void exempt(QWidget* target);
  // A move from `field` into `target` runs no check.
  void exempt(const QString& field, QWidget* target);
  // Checks suspended (while the window loads or closes).
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool isEnabled() const { return enabled_; }

  // Shows an outcome's message; on a refusal moves the focus to its field (and
  // switches to the tab that holds it). Answers whether the outcome accepted.
  bool apply(const core::entry::FieldOutcome& outcome);
  // Moves the focus to a field, showing its tab first.
  void focusField(const QString& field);

  // The field whose check failed last (cleared when a check passes).
  bool lastCheckFailed() const { return lastFailed_; }

 signals:
  // A check refused: the field that now has the focus.
  void refused(const QString& field);
  // The focus moved into a guarded field (after the field left, if any, accepted).
  void entered(const QString& field);

 private:
  void focusChanged(QWidget* old, QWidget* now);
  bool isExempt(const QString& field, QWidget* target) const;

  QWidget* window_;
  core::platform::Interaction& ui_;
  const core::store::ReferenceLookup& ref_;
  LeaveCheck leave_;
  QSet<QString> fields_;
  QList<QPointer<QWidget>> exempt_;
  QList<QPair<QString, QPointer<QWidget>>> exemptFor_;
  bool busy_ = false;
  bool enabled_ = true;
  bool lastFailed_ = false;
};

}  // namespace torvex::gui::entry
