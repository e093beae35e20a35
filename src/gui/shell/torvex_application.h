#pragma once
// The general error handler: any error that escapes an event handler is shown
// with its engine codes (or its message) and the support-desk text, and the
// program ends.
#include <QApplication>
#include <exception>
#include <functional>

namespace torvex::gui::shell {

class TorvexApplication : public QApplication {
 public:
  TorvexApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Installed by the main window; until then errors end the program with the
  // same report but without a window to close.
  void setErrorHandlerInstalled(bool installed) { installed_ = installed; }
  bool errorHandlerInstalled() const { return installed_; }

 private:
  bool installed_ = false;
};

// Reports the error (beep, dialog) and asks the application to end.
void reportFatalError(const std::exception& error);

}  // namespace torvex::gui::shell
