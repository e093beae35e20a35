#include "gui/platform/qt_interaction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include "core/validation/message_dialog.h"

namespace torvex::gui::platform {
using core::platform::Buttons;
using core::platform::DialogKind;
namespace button = core::platform::button;

QString dialogText(const std::string& text) {
  return QString::fromStdString(core::validation::plainLineBreaks(text));
}

QString dialogTitle(DialogKind kind) {
  const std::string_view title = core::validation::dialogTitle(kind);
  return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

std::string QtInteraction::message(DialogKind kind, const std::string& text, Buttons buttons) {
  const std::string_view title = core::validation::dialogTitle(kind);
  return titledMessage(kind, std::string(title), text, buttons);
}

std::string QtInteraction::titledMessage(DialogKind kind, const std::string& title, const std::string& text,
                                         Buttons buttons) {
  QMessageBox box(parent_);
  box.setText(dialogText(text));
  box.setWindowTitle(QString::fromStdString(title));
  switch (kind) {
    case DialogKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
    case DialogKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case DialogKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case DialogKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  if (auto* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("&Sim"));
  if (auto* no = box.button(QMessageBox::No)) no->setText(QStringLiteral("&Não"));
  if (auto* cancel = box.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("&Cancelar"));
  switch (box.exec()) {
    case QMessageBox::Yes: return button::kYes;
    case QMessageBox::No: return button::kNo;
    case QMessageBox::Cancel: return button::kCancel;
    default: return button::kOk;
  }
}

void QtInteraction::beep() { QApplication::beep(); }

void QtInteraction::progress(std::int64_t position, std::int64_t maximum) {
  if (!bar_) return;
  if (maximum <= 0) {
    bar_->setVisible(false);
    return;
  }
  bar_->setVisible(true);
  bar_->setMaximum(static_cast<int>(maximum));
  bar_->setValue(static_cast<int>(position));
}

void QtInteraction::status(const std::string& text) {
  if (!label_) return;
  label_->setText(QString::fromStdString(text));
  label_->setVisible(!text.empty());
}

void QtInteraction::processEvents() { QApplication::processEvents(); }

}  // namespace torvex::gui::platform
