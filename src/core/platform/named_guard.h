#pragma once
// The single-copy guard of the program.
#include <string>

namespace torvex::core::platform {

// A named guard held for the life of the process; a second holder of the
// same name (in any process of this user) is refused.
class NamedGuard {
 public:
  explicit NamedGuard(const std::string& name);
  ~NamedGuard();
  NamedGuard(const NamedGuard&) = delete;
  NamedGuard& operator=(const NamedGuard&) = delete;
  // False when another holder already had the name when this guard was made.
  bool acquired() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace torvex::core::platform
