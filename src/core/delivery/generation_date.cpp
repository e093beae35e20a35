#include "core/delivery/generation_date.h"

#include <string>

#include "core/declfile/record_layout.h"
#include "core/validation/value_tests.h"

namespace torvex::core::delivery {

std::string_view checkGenerationDate(std::string_view d) {
  if (!validation::isValidDate(d)) return "0421";
  const std::string nextYear = std::to_string(std::stoi(std::string(declfile::kBaseYear)) + 1);
  const std::string yyyymmdd = std::string(d.substr(4, 4)) + std::string(d.substr(2, 2)) + std::string(d.substr(0, 2));
  if (yyyymmdd < nextYear + "0101") return "0420";
  if (yyyymmdd > nextYear + "1231") return "0423";
  return validation::kValid;
}

std::string todayDate(const platform::Clock& clock) { return platform::dateText(clock.now()); }

}  // namespace torvex::core::delivery
