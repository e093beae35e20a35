#include "core/platform/clock.h"

#include <cstdio>
#include <ctime>

namespace torvex::core::platform {

LocalTime SystemClock::now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

const Clock& systemClock() {
  static const SystemClock clock;
  return clock;
}

std::string dateText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%04d", t.day, t.month, t.year);
  return text;
}

std::string timeOfDayText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d", t.hour, t.minute, t.second);
  return text;
}

}  // namespace torvex::core::platform
