#pragma once
// Media made of plain folders: the hard-disk folder, and removable "disks"
// that are folders put into drive A or B, with a capacity of their own or the
// file system's. Used by torvex-cli and, with a chosen capacity, by tests.
#include <map>

#include "core/platform/media.h"

namespace torvex::core::delivery {

class FolderMedia : public platform::Media {
 public:
  explicit FolderMedia(std::filesystem::path hardDiskFolder);

  // Puts a volume rooted at `root` into drive A or B. `capacity` 0: the size
  // of the file system that holds the folder.
  void insert(char drive, std::filesystem::path root, std::int64_t capacity = 0);
  // Takes the volume out of the drive (the folder itself is left alone).
  void eject(char drive);

  std::vector<char> drives() const override;
  std::filesystem::path folder(char drive) const override;
  std::optional<std::int64_t> capacity(char drive) const override;
  std::optional<std::int64_t> freeSpace(char drive) const override;

 private:
  struct Volume {
    std::filesystem::path root;
    std::int64_t capacity = 0;
  };
  const Volume* volume(char drive) const;

  std::filesystem::path hardDisk_;
  std::map<char, Volume> removable_;
};

}  // namespace torvex::core::delivery
