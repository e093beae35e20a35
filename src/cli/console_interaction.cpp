#include "cli/console_interaction.h"

#include <csignal>
#include <iostream>

#include "core/validation/message_dialog.h"

namespace torvex::cli {
using core::platform::Buttons;
using core::platform::DialogKind;

namespace {
volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void onInterrupt(int) { interruptRequested = 1; }

}  // namespace

ConsoleInteraction::ConsoleInteraction(bool yes, bool showProgress) : yes_(yes), showProgress_(showProgress) {
  interruptRequested = 0;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl-C is not caught
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

ConsoleInteraction::~ConsoleInteraction() { std::signal(SIGINT, SIG_DFL); }

bool ConsoleInteraction::stopRequested() { return interruptRequested != 0; }

void ConsoleInteraction::clearStopRequest() { interruptRequested = 0; }

std::string ConsoleInteraction::message(DialogKind kind, const std::string& text, Buttons buttons) {
  // Dialogs go to standard error: standard output carries only the command's results.
  std::ostream& out = std::cerr;
  out << core::validation::dialogTitle(kind) << ": " << core::validation::plainLineBreaks(text) << "\n";
  if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) {
    // After Ctrl-C the run's stop question is answered yes, so it stops; any
    // other question (an overwrite, say) still gets the command's own answer.
    const bool answer = interruptRequested && text == core::validation::kInterruptQuestion ? true : yes_;
    out << "  (resposta automática: " << (answer ? "Sim" : "Não") << ")\n";
    return answer ? core::platform::button::kYes : core::platform::button::kNo;
  }
  return core::platform::button::kOk;
}

void ConsoleInteraction::progress(std::int64_t position, std::int64_t maximum) {
  if (!showProgress_ || maximum <= 0) return;
  const int percent = static_cast<int>(position * 100 / maximum);
  if (percent != lastPercent_) {
    lastPercent_ = percent;
    std::cerr << "\r" << percent << "%" << (percent >= 100 ? "\n" : "") << std::flush;
  }
}

void ConsoleInteraction::status(const std::string& text) {
  if (showProgress_ && !text.empty()) std::cerr << text << "\n";
}

}  // namespace torvex::cli
