#pragma once
// Moving a window's values between its widgets and the core's FieldValues. A
// widget takes part when its object name is a field name (QLineEdit, QLabel,
// QCheckBox, QComboBox); a radio button when it carries the dynamic properties
// "field" and "value". Also the keyboard habits every entry window shares:
// upper-case fields, Enter moving to the next field, tab order by field order.
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "core/entry/entry_form.h"

class QAbstractButton;
class QRadioButton;

namespace torvex::gui::entry {

void showValues(QWidget* root, const core::entry::FieldValues& values);
void readValues(QWidget* root, core::entry::FieldValues& values);

// The widget that stands for a field: the named widget, or the first radio
// button of a radio field; nullptr when the window has none.
QWidget* fieldWidget(QWidget* root, const QString& field);
// The field a widget stands for ("" when none).
QString fieldOf(const QWidget* widget);

// Upper-case fields (dynamic property "upper"), Enter as Tab on fields.
void prepareFields(QWidget* root);
// Tab order: the fields in `order`, then `after` (buttons).
void applyTabOrder(QWidget* root, const std::vector<std::string>& order, const std::vector<QWidget*>& after = {});

// A lookup button beside a code field: out of the tab chain (leaving the field
// checks it), reached from the field with F2.
void attachLookupButton(QWidget* field, QAbstractButton* button);

// Checks one radio button of a field by value, or none.
void selectRadio(QWidget* root, const QString& field, const QString& value);

}  // namespace torvex::gui::entry
