#pragma once
// The Interaction a wizard page gives a long run: messages and questions go
// to the application's Interaction; progress goes to the page's bar; pending
// events run; the page's Cancel button posts a stop request.
#include <QPointer>
#include <QProgressBar>

#include "core/platform/interaction.h"

namespace torvex::gui::importing {

class PageInteraction : public core::platform::Interaction {
 public:
  explicit PageInteraction(core::platform::Interaction& dialogs) : dialogs_(dialogs) {}
  void setProgressBar(QProgressBar* bar) { bar_ = bar; }

  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override {
    return dialogs_.message(kind, text, buttons);
  }
  void beep() override { dialogs_.beep(); }
  void progress(std::int64_t position, std::int64_t maximum) override;
  void processEvents() override;
  bool stopRequested() override { return stop_ || dialogs_.stopRequested(); }
  void clearStopRequest() override {
    stop_ = false;
    dialogs_.clearStopRequest();
  }
  void requestStop() { stop_ = true; }

 private:
  core::platform::Interaction& dialogs_;
  QPointer<QProgressBar> bar_;
  bool stop_ = false;
};

}  // namespace torvex::gui::importing
