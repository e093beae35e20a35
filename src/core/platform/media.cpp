#include "core/platform/media.h"

namespace torvex::core::platform {

char normalDrive(char drive) {
  if (drive >= 'a' && drive <= 'z') return static_cast<char>(drive - 'a' + 'A');
  return (drive >= 'A' && drive <= 'Z') ? drive : '\0';
}

bool isRemovableDrive(char drive) {
  const char d = normalDrive(drive);
  return d == 'A' || d == 'B';
}

}  // namespace torvex::core::platform
