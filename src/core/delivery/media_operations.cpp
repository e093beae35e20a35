#include "core/delivery/media_operations.h"

#include <filesystem>
#include <system_error>

#include "core/validation/message_dialog.h"

namespace torvex::core::delivery {
namespace fs = std::filesystem;
using platform::Buttons;
using platform::DialogKind;
namespace button = platform::button;

namespace {

// A character that is no drive letter is never ready.
bool ready(const platform::Media& media, char drive) {
  return platform::normalDrive(drive) != '\0' && media.capacity(drive).has_value();
}

// The drive as shown in the prompts: upper case when it is a letter, else as given.
char shownDrive(char drive) {
  const char letter = platform::normalDrive(drive);
  return letter != '\0' ? letter : drive;
}

bool isDecFile(const fs::path& p) {
  std::string ext = p.extension().string();
  for (auto& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".dec";
}

}  // namespace

std::vector<DriveEntry> driveList(const platform::Media& media) {
  std::vector<DriveEntry> out;
  for (char letter : media.drives()) out.push_back({std::string("Drive ") + letter + ":", letter});
  return out;
}

bool diskReadyCheck(const platform::Media& media, platform::Interaction& ui, char drive) {
  const char letter = shownDrive(drive);
  if (platform::normalDrive(drive) != '\0' && !platform::isRemovableDrive(letter)) return true;
  while (!ready(media, letter)) {
    const std::string answer =
        ui.message(DialogKind::Information,
                   std::string("Disquete com problema ou não há disquete no drive ") + letter + ":", Buttons::OkCancel);
    if (answer != button::kOk && validation::askInterrupt(ui)) return false;
  }
  return true;
}

bool insertDiskPrompt(const platform::Media& media, platform::Interaction& ui, char drive, int number) {
  const char letter = shownDrive(drive);
  const std::string text =
      "Insira o disquete # " + std::to_string(number) + "\r" + "no drive " + std::string(1, letter) + ":";
  // Not giving up after Cancel goes on to test the drive, as OK does.
  do {
    const std::string answer = ui.message(DialogKind::Information, text, Buttons::OkCancel);
    if (answer != button::kOk && validation::askInterrupt(ui)) return false;
  } while (!ready(media, letter));
  return true;
}

std::vector<std::string> destinationEntries(const platform::Media& media, char drive) {
  std::vector<std::string> out;
  const fs::path root = media.folder(drive);
  if (root.empty()) return out;
  std::error_code ec;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
    out.push_back(it->path().filename().string());
  return out;
}

bool destinationHasEntries(const platform::Media& media, char drive) {
  if (platform::isRemovableDrive(drive)) return !destinationEntries(media, drive).empty();
  for (const auto& name : destinationEntries(media, drive))
    if (isDecFile(name)) return true;
  return false;
}

bool destinationHasSeveralEntries(const platform::Media& media, char drive) {
  return platform::isRemovableDrive(drive) && destinationEntries(media, drive).size() >= 2;
}

bool destinationHasFile(const platform::Media& media, char drive, const std::string& fileName) {
  const fs::path root = media.folder(drive);
  if (root.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(root / fileName, ec);
}

}  // namespace torvex::core::delivery
