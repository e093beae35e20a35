#pragma once
// The media operations of the write workflow: the list of offered drives, the
// disk-ready check, the insert-disk prompt and the searches of a destination.
#include <string>
#include <vector>

#include "core/platform/interaction.h"
#include "core/platform/media.h"

namespace torvex::core::delivery {

struct DriveEntry {
  std::string text;  // "Drive A:"
  char letter;
};

// "Drive A:" and "Drive B:" for removable drives, "Drive C:" for the hard disk, in that order.
std::vector<DriveEntry> driveList(const platform::Media& media);

// Waits until the drive holds a readable disk, asking the user while it does
// not; false when the user gives up. A hard disk is always ready; a character
// that is not a letter never is.
bool diskReadyCheck(const platform::Media& media, platform::Interaction& ui, char drive);

// Asks for disk number `number` in the drive until it holds a readable disk
// (tested after OK, and after Cancel when the user does not give up); false
// when the user gives up.
bool insertDiskPrompt(const platform::Media& media, platform::Interaction& ui, char drive, int number);

// Names of the entries (files and folders) at the root of a drive's folder.
std::vector<std::string> destinationEntries(const platform::Media& media, char drive);
// Any entry present: on a removable disk any file or folder at its root; on
// the hard disk any "*.dec" in the `Transmite` folder.
bool destinationHasEntries(const platform::Media& media, char drive);
// Two or more entries at the root of a removable disk.
bool destinationHasSeveralEntries(const platform::Media& media, char drive);
// A file of that name in the drive's folder.
bool destinationHasFile(const platform::Media& media, char drive, const std::string& fileName);

}  // namespace torvex::core::delivery
