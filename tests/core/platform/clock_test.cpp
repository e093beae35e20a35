#include "core/platform/clock.h"

#include <gtest/gtest.h>

#include "core/delivery/generation_date.h"

namespace torvex::core::platform {

TEST(Clock, FixedMomentGivesPaddedDateAndTime) {
  const FixedClock clock({2007, 3, 5, 9, 7, 0});
  EXPECT_EQ(dateText(clock.now()), "05032007");
  EXPECT_EQ(timeOfDayText(clock.now()), "090700");
  EXPECT_EQ(delivery::todayDate(clock), "05032007");
}

}  // namespace torvex::core::platform
