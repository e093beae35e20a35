#pragma once
// Where declaration files are written. Drives "A" and "B" are removable
// volumes written at their root; any other letter (the program offers "C")
// is the hard-disk folder `Transmite` beside the executable. The GUI finds
// mounted removable volumes; the core and its tests use delivery::FolderMedia.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace torvex::core::platform {

class Media {
 public:
  virtual ~Media() = default;

  // Drive letters offered for writing, in order: 'A' and 'B' while a removable
  // volume stands for them, then 'C' (the hard disk) always.
  virtual std::vector<char> drives() const = 0;
  // The folder a drive letter stands for: the removable volume's root, or the
  // `Transmite` folder for any other letter. Empty when no volume is in the drive.
  virtual std::filesystem::path folder(char drive) const = 0;
  // Total size in bytes of the volume in the drive; nullopt when no readable volume is there.
  virtual std::optional<std::int64_t> capacity(char drive) const = 0;
  // Bytes still free on the volume; nullopt when no readable volume is there.
  virtual std::optional<std::int64_t> freeSpace(char drive) const = 0;
};

// Upper-cases a drive letter; '\0' when the character is not a letter.
char normalDrive(char drive);
// Whether a drive letter means removable media (A or B, either case).
bool isRemovableDrive(char drive);

}  // namespace torvex::core::platform
