#pragma once
// What the core needs from the user and the screen: messages and questions,
// progress, letting pending events run, and stop requests. The GUI implements
// it with message boxes and progress bars; tests with a scripted fake.
#include <cstdint>
#include <string>

namespace torvex::core::platform {

// The four dialog kinds of the message table: "CNF", "WAR", "INF", "ERR".
enum class DialogKind { Confirmation, Warning, Information, Error };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

// Names of the buttons a dialog answers with.
namespace button {
inline constexpr const char* kOk = "mrOk";
inline constexpr const char* kCancel = "mrCancel";
inline constexpr const char* kYes = "mrYes";
inline constexpr const char* kNo = "mrNo";
inline constexpr const char* kAbort = "mrAbort";
inline constexpr const char* kRetry = "mrRetry";
inline constexpr const char* kIgnore = "mrIgnore";
}  // namespace button

class Interaction {
 public:
  virtual ~Interaction() = default;

  // Shows a text in a dialog of the given kind; answers the pressed button's name.
  virtual std::string message(DialogKind kind, const std::string& text, Buttons buttons) = 0;
  // The same under a title of its own instead of the kind's; hosts without titles show it as message().
  virtual std::string titledMessage(DialogKind kind, const std::string& /*title*/, const std::string& text,
                                    Buttons buttons) {
    return message(kind, text, buttons);
  }
  // Sounds the system's exclamation beep.
  virtual void beep() {}
  // Progress of a long run: position out of maximum; a maximum of 0 hides the progress.
  virtual void progress(std::int64_t /*position*/, std::int64_t /*maximum*/) {}
  // A line of status text shown beside the progress ("Indexando arquivos ...").
  virtual void status(const std::string& /*text*/) {}
  // Lets pending window events run (a Cancel button may post a stop request).
  virtual void processEvents() {}
  // Whether a stop was requested since the last clearStopRequest().
  virtual bool stopRequested() { return false; }
  virtual void clearStopRequest() {}
};

}  // namespace torvex::core::platform
