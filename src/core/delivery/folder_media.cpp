#include "core/delivery/folder_media.h"

#include <stdexcept>
#include <system_error>

namespace torvex::core::delivery {
namespace fs = std::filesystem;
using platform::isRemovableDrive;
using platform::normalDrive;

namespace {

// Bytes used by the files under a folder.
std::int64_t usedBytes(const fs::path& root) {
  std::int64_t used = 0;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code sizeError;
    if (it->is_regular_file(sizeError)) {
      const auto size = it->file_size(sizeError);
      if (!sizeError) used += static_cast<std::int64_t>(size);
    }
  }
  return used;
}

}  // namespace

FolderMedia::FolderMedia(fs::path hardDiskFolder) : hardDisk_(std::move(hardDiskFolder)) {}

void FolderMedia::insert(char drive, fs::path root, std::int64_t capacity) {
  if (!isRemovableDrive(drive)) throw std::invalid_argument("only drives A and B take removable volumes");
  removable_[normalDrive(drive)] = Volume{std::move(root), capacity};
}

void FolderMedia::eject(char drive) { removable_.erase(normalDrive(drive)); }

const FolderMedia::Volume* FolderMedia::volume(char drive) const {
  const auto it = removable_.find(normalDrive(drive));
  if (it == removable_.end()) return nullptr;
  std::error_code ec;
  return fs::is_directory(it->second.root, ec) ? &it->second : nullptr;
}

std::vector<char> FolderMedia::drives() const {
  std::vector<char> out;
  for (const auto& [letter, vol] : removable_) out.push_back(letter);
  out.push_back('C');
  return out;
}

fs::path FolderMedia::folder(char drive) const {
  if (!isRemovableDrive(drive)) return hardDisk_;
  const Volume* v = volume(drive);
  return v ? v->root : fs::path{};
}

std::optional<std::int64_t> FolderMedia::capacity(char drive) const {
  const fs::path where = folder(drive);
  if (where.empty()) return std::nullopt;
  if (const Volume* v = isRemovableDrive(drive) ? volume(drive) : nullptr; v && v->capacity > 0) return v->capacity;
  std::error_code ec;
  const auto info = fs::space(where, ec);
  if (ec) return std::nullopt;
  return static_cast<std::int64_t>(info.capacity);
}

std::optional<std::int64_t> FolderMedia::freeSpace(char drive) const {
  const fs::path where = folder(drive);
  if (where.empty()) return std::nullopt;
  if (const Volume* v = isRemovableDrive(drive) ? volume(drive) : nullptr; v && v->capacity > 0) {
    const std::int64_t left = v->capacity - usedBytes(v->root);
    return left > 0 ? left : 0;
  }
  std::error_code ec;
  const auto info = fs::space(where, ec);
  if (ec) return std::nullopt;
  return static_cast<std::int64_t>(info.available);
}

}  // namespace torvex::core::delivery
