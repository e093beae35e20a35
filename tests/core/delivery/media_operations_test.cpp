#include "core/delivery/media_operations.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/platform/folder_media.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace core::delivery;

TEST(MediaOperations, DriveListOffersRemovableDrivesOnlyWhileADiskStandsForThem) {
  const auto dir = makeTempDirectory("torvex-media-ops");
  core::platform::FolderMedia media(dir / "Transmite");
  auto names = [&] {
    std::vector<std::string> out;
    for (const auto& d : driveList(media)) out.push_back(d.text + "=" + d.letter);
    return out;
  };
  EXPECT_EQ(names(), std::vector<std::string>{"Drive C:=C"});
  fs::create_directories(dir / "disk");
  media.insert('a', dir / "disk", 1457664);
  EXPECT_EQ(names(), (std::vector<std::string>{"Drive A:=A", "Drive C:=C"}));
  EXPECT_EQ(media.capacity('A'), 1457664);
  std::ofstream(dir / "disk" / "x.txt") << std::string(1000, 'x');
  EXPECT_EQ(media.freeSpace('A'), 1457664 - 1000);
  EXPECT_FALSE(media.capacity('B').has_value());
  fs::remove_all(dir);
}

TEST(MediaOperations, DestinationSearches) {
  const auto dir = makeTempDirectory("torvex-media-ops");
  fs::create_directories(dir / "Transmite");
  fs::create_directories(dir / "disk");
  core::platform::FolderMedia media(dir / "Transmite");
  media.insert('A', dir / "disk", 1457664);

  // The hard disk counts only declaration files; a removable disk counts anything at its root.
  std::ofstream(dir / "Transmite" / "notas.txt") << "x";
  fs::create_directories(dir / "disk" / "pasta");
  EXPECT_FALSE(destinationHasEntries(media, 'C'));
  EXPECT_TRUE(destinationHasEntries(media, 'A'));
  EXPECT_FALSE(destinationHasSeveralEntries(media, 'A'));
  std::ofstream(dir / "Transmite" / "Keva2006_1.dec") << "x";
  std::ofstream(dir / "disk" / "Keva2006_1.dec") << "x";
  EXPECT_TRUE(destinationHasEntries(media, 'C'));
  EXPECT_TRUE(destinationHasSeveralEntries(media, 'A'));
  EXPECT_FALSE(destinationHasSeveralEntries(media, 'C'));
  EXPECT_TRUE(destinationHasFile(media, 'a', "Keva2006_1.dec"));
  EXPECT_FALSE(destinationHasFile(media, 'A', "Keva2006_2.dec"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace torvex::test
