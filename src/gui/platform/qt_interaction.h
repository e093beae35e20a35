#pragma once
// The Interaction seam for the windows: Qt message boxes with the button sets
// of the four dialog kinds, an optional progress bar and status label, pending
// events processed during long runs, and a stop request posted by a Cancel button.
#include <QPointer>

#include "core/platform/interaction.h"

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

namespace torvex::gui::platform {

class QtInteraction : public core::platform::Interaction {
 public:
  explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}

  void setProgressBar(QProgressBar* bar) { bar_ = bar; }
  void setStatusLabel(QLabel* label) { label_ = label; }

  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override;
  std::string titledMessage(core::platform::DialogKind kind, const std::string& title, const std::string& text,
                            core::platform::Buttons buttons) override;
  void beep() override;
  void progress(std::int64_t position, std::int64_t maximum) override;
  void status(const std::string& text) override;
  void processEvents() override;
  bool stopRequested() override { return stop_; }
  void clearStopRequest() override { stop_ = false; }
  // Called by a Cancel button while a run is active.
  void requestStop() { stop_ = true; }

 private:
  QPointer<QWidget> parent_;
  QPointer<QProgressBar> bar_;
  QPointer<QLabel> label_;
  bool stop_ = false;
};

// Dialog texts use CR LF and LF CR pairs; Qt wants plain LF.
QString dialogText(const std::string& text);
// The message table's title of a dialog of this kind, for boxes shown outside Interaction.
QString dialogTitle(core::platform::DialogKind kind);

}  // namespace torvex::gui::platform
