#pragma once
// The local date and time, from the host. The core never reads the clock
// itself: the program passes the system clock, tests a fixed one.
#include <string>

namespace torvex::core::platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime now() const = 0;
};

// The host's local clock.
class SystemClock final : public Clock {
 public:
  LocalTime now() const override;
};

// Always the same moment.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalTime moment) : moment_(moment) {}
  LocalTime now() const override { return moment_; }

 private:
  LocalTime moment_;
};

// The system clock, for callers that take no other.
const Clock& systemClock();

// "ddmmyyyy" and "HHMMSS" of a moment.
std::string dateText(const LocalTime& t);
std::string timeOfDayText(const LocalTime& t);

}  // namespace torvex::core::platform
