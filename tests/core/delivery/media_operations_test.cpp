#include "core/delivery/media_operations.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/delivery/folder_media.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {
namespace {

namespace fs = std::filesystem;
using namespace core::delivery;

TEST(MediaOperations, DriveListOffersRemovableDrivesOnlyWhileADiskStandsForThem) {
  const auto dir = makeTempDirectory("torvex-media-ops");
  core::delivery::FolderMedia media(dir / "Transmite");
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
  core::delivery::FolderMedia media(dir / "Transmite");
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

TEST(MediaOperations, DiskPromptsTestTheDriveUntilReadyOrGivenUp) {
  namespace button = core::platform::button;
  const std::string insert = "Insira o disquete # 2\rno drive A:";
  const std::string ask = "Deseja interromper?";
  const struct {
    const char* name;
    char drive;
    bool prompt;  // the insert-disk prompt rather than the disk-ready check
    bool diskIn;
    std::deque<std::string> answers;
    bool ready;
    std::vector<std::string> shown;
  } cases[] = {
      {"no to giving up with the disk in", 'A', true, true, {button::kCancel, button::kNo}, true, {insert, ask}},
      {"ok without a disk asks again", 'A', true, false, {button::kOk, button::kCancel, button::kYes}, false,
       {insert, insert, ask}},
      {"not a letter is never ready", '1', false, true, {button::kOk, button::kCancel, button::kYes}, false,
       {"Disquete com problema ou não há disquete no drive 1:", "Disquete com problema ou não há disquete no drive 1:",
        ask}},
      {"hard disk", 'c', false, false, {}, true, {}},
  };
  for (const auto& c : cases) {
    const auto dir = makeTempDirectory("torvex-media-ops");
    fs::create_directories(dir / "disk");
    core::delivery::FolderMedia media(dir / "Transmite");
    if (c.diskIn) media.insert('A', dir / "disk", 1457664);
    ScriptedInteraction ui;
    ui.answers = c.answers;
    EXPECT_EQ(c.prompt ? insertDiskPrompt(media, ui, c.drive, 2) : diskReadyCheck(media, ui, c.drive), c.ready)
        << c.name;
    std::vector<std::string> shown;
    for (const auto& s : ui.shown) shown.push_back(s.text);
    EXPECT_EQ(shown, c.shown) << c.name;
    fs::remove_all(dir);
  }
}

}  // namespace
}  // namespace torvex::test
