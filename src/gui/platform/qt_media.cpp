#include "gui/platform/qt_media.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace torvex::gui::platform {

bool isRemovableDevice(const QByteArray& device) {
  if (!device.startsWith("/dev/")) return false;
  // Resolve /dev/disk/by-* links, then walk from the partition to its disk.
  QString name = QFileInfo(QString::fromLocal8Bit(device)).canonicalFilePath().section('/', -1);
  if (name.isEmpty()) return false;
  QString path = QStringLiteral("/sys/class/block/") + name;
  QFileInfo info(path);
  if (!info.exists()) return false;
  QString disk = QFileInfo(info.canonicalFilePath()).fileName();
  if (QFile::exists(info.canonicalFilePath() + QStringLiteral("/partition")))
    disk = QFileInfo(QFileInfo(info.canonicalFilePath()).path()).fileName();
  QFile removable(QStringLiteral("/sys/block/") + disk + QStringLiteral("/removable"));
  if (!removable.open(QIODevice::ReadOnly)) return false;
  return removable.readAll().trimmed() == "1";
}

QList<QStorageInfo> QtMedia::removableVolumes() {
  QList<QStorageInfo> out;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (v.isValid() && v.isReady() && !v.isReadOnly() && isRemovableDevice(v.device())) out.append(v);
  std::sort(out.begin(), out.end(), [](const QStorageInfo& a, const QStorageInfo& b) { return a.rootPath() < b.rootPath(); });
  return out;
}

std::optional<QStorageInfo> QtMedia::volume(char drive) const {
  const char d = core::platform::normalDrive(drive);
  if (!core::platform::isRemovableDrive(d)) return QStorageInfo(QString::fromStdString(transmit_.string()));
  const auto volumes = removableVolumes();
  const int index = d == 'A' ? 0 : 1;
  if (index >= volumes.size()) return std::nullopt;
  return volumes[index];
}

std::vector<char> QtMedia::drives() const {
  std::vector<char> out;
  const auto count = removableVolumes().size();
  if (count > 0) out.push_back('A');
  if (count > 1) out.push_back('B');
  out.push_back('C');
  return out;
}

std::filesystem::path QtMedia::folder(char drive) const {
  if (!core::platform::isRemovableDrive(drive)) return transmit_;
  const auto v = volume(drive);
  return v ? std::filesystem::path(v->rootPath().toStdString()) : std::filesystem::path();
}

std::optional<std::int64_t> QtMedia::capacity(char drive) const {
  const auto v = volume(drive);
  if (!v || !v->isValid() || !v->isReady()) return std::nullopt;
  return v->bytesTotal();
}

std::optional<std::int64_t> QtMedia::freeSpace(char drive) const {
  const auto v = volume(drive);
  if (!v || !v->isValid() || !v->isReady()) return std::nullopt;
  return v->bytesAvailable();
}

}  // namespace torvex::gui::platform
