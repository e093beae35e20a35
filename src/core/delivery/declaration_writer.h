#pragma once
// The declaration writer: turns the stored declaration (or the work tables of
// an analysed or rectified one) into one or more declaration files on a
// removable disk or in the hard-disk folder, splitting by capacity, stamping
// each file's digest and filling the protocol tables `te8ProID` and `te8ProES`.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/validation/stop_request.h"
#include "core/platform/clock.h"
#include "core/platform/interaction.h"
#include "core/platform/media.h"
#include "core/store/database.h"
#include "core/store/establishment_key.h"

namespace torvex::core::delivery {

using store::EstablishmentKey;

struct SelectedEstablishment {
  EstablishmentKey key;
  bool selected = true;
};

struct WriteRequest {
  // Establishments to write, in this order (unselected entries skipped);
  // nullopt: every establishment of the table read, in key order.
  std::optional<std::vector<SelectedEstablishment>> selection;
  char drive = 'C';            // A or B: removable disk; any other letter: the hard-disk folder
  std::string generationTime;  // HHMMSS, may be empty
  std::string generationDate;  // DDMMYYYY, may be empty
  bool fromWorkTables = false; // read Te8resp/Te8emp/Te8vinc instead of BD8Resp/BD8Emp/BD8Vinc
  bool rectification = false;
};

enum class WriteResult { Success = 0, Failed = 1, Interrupted = 2 };

struct WrittenFile {
  std::filesystem::path path;
  std::string digest;
};

// What a run leaves for the pages that follow it.
struct WriteOutcome {
  WriteResult result = WriteResult::Failed;
  std::filesystem::path lastWrittenPath;  // most recent output file created (empty when none was)
  int filesWritten = 0;                   // files started in the run
  bool severalFiles = false;              // a second file was started
  // Files closed and digested, in order. Every file is written under a
  // temporary name of its own and named only when complete; on the hard disk
  // all the files of a run are named together at its end. A run that fails or
  // is interrupted removes every file it wrote, so that the destination never
  // holds part of a declaration.
  std::vector<WrittenFile> files;
  // Why a file operation on the destination failed, in words for the user
  // (read-only folder, full disk, missing folder...); empty otherwise.
  std::string failureCause;
};

// Capacity of the hard-disk destination, in bytes.
inline constexpr long long kHardDiskCapacity = 2645000;

class DeclarationWriter {
 public:
  DeclarationWriter(store::Database& db, const platform::Media& media, platform::Interaction& ui);

  // The clock that dates record 0 (the system clock unless set).
  void setClock(const platform::Clock& clock) { clock_ = &clock; }

  // One write run. Table errors other than the protocol tables' creation are thrown.
  WriteOutcome write(const WriteRequest& request);
  // Asks the running write to stop (confirmed with the user before it does).
  void requestInterruption() { stop_.request(); }

 private:
  friend class WriteRun;
  store::Database& db_;
  const platform::Media& media_;
  platform::Interaction& ui_;
  const platform::Clock* clock_ = &platform::systemClock();
  validation::StopRequest stop_;
};

// The time of day as HHMMSS.
std::string currentTimeOfDay(const platform::Clock& clock = platform::systemClock());

}  // namespace torvex::core::delivery
