#pragma once
// Drives for the windows: "A" and "B" are the first two mounted removable
// volumes (USB sticks, memory cards, diskettes), "C" the Transmite folder.
#include <QStorageInfo>
#include <filesystem>

#include "core/platform/media.h"

namespace torvex::gui::platform {

class QtMedia : public core::platform::Media {
 public:
  explicit QtMedia(std::filesystem::path transmitFolder) : transmit_(std::move(transmitFolder)) {}

  std::vector<char> drives() const override;
  std::filesystem::path folder(char drive) const override;
  std::optional<std::int64_t> capacity(char drive) const override;
  std::optional<std::int64_t> freeSpace(char drive) const override;

  // Mounted, writable volumes on removable devices, in mount-point order.
  static QList<QStorageInfo> removableVolumes();

 private:
  std::optional<QStorageInfo> volume(char drive) const;
  std::filesystem::path transmit_;
};

// Whether a block device ("/dev/sdb1") sits on a removable disk, from /sys/block.
bool isRemovableDevice(const QByteArray& device);

}  // namespace torvex::gui::platform
