#include "gui/shell/torvex_application.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTimer>

#include "core/store/error_report.h"
#include "gui/platform/qt_interaction.h"

namespace torvex::gui::shell {

TorvexApplication::TorvexApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TorvexApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    reportFatalError(e);
  } catch (...) {
    reportFatalError(std::runtime_error("Erro desconhecido."));
  }
  return false;
}

void reportFatalError(const std::exception& error) {
  static bool reporting = false;  // one report; the program is ending anyway
  if (reporting) return;
  reporting = true;
  // A lookup list bound to a table field: a combo box flagged by the entry windows.
  QWidget* focus = QApplication::focusWidget();
  const bool boundLookup = focus && qobject_cast<QComboBox*>(focus) && focus->property("boundLookup").toBool();
  const auto report = core::store::buildErrorReport(error, boundLookup);
  if (!report.silent) {
    if (report.beep) QApplication::beep();
    QMessageBox box(QMessageBox::Critical, platform::dialogTitle(core::platform::DialogKind::Error),
                    platform::dialogText(report.text), QMessageBox::Ok);
    box.exec();
  }
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  QTimer::singleShot(0, qApp, [] { QApplication::exit(1); });
}

}  // namespace torvex::gui::shell
