#pragma once
// A data folder with a small stored declaration, a hard-disk folder, a drive
// A whose disks are temporary folders of a chosen capacity (a new empty one is
// put in whenever the writer asks for the next disk), and the writer.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/delivery/declaration_writer.h"
#include "core/delivery/folder_media.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {

using Values = std::map<std::string, std::string>;

// Answers like ScriptedInteraction; on "Insira o disquete # n" answered OK it
// puts a fresh empty disk into drive A (when `swapDisks` is set).
class DiskSwapper : public ScriptedInteraction {
 public:
  explicit DiskSwapper(class WriterBench& bench) : bench_(bench) {}
  std::string message(core::platform::DialogKind kind, const std::string& text,
                      core::platform::Buttons buttons) override;
  bool swapDisks = true;
  // Called with every message text after it is answered.
  std::function<void(const std::string& text, const std::string& answer)> onMessage;

 private:
  WriterBench& bench_;
};

class WriterBench {
 public:
  WriterBench();
  ~WriterBench();

  TempDataFolder folder;
  core::store::Database& db;
  std::filesystem::path scratch;    // holds Transmite and the disks
  std::filesystem::path transmite;  // the hard-disk destination
  core::delivery::FolderMedia media;
  DiskSwapper ui;
  core::platform::FixedClock clock{{2007, 3, 15, 10, 11, 12}};
  core::delivery::DeclarationWriter writer;
  core::delivery::WriteOutcome last;  // of the last write()

  // A new empty disk of `capacity` bytes in drive A; answers its folder.
  std::filesystem::path insertDisk(std::int64_t capacity);
  std::int64_t diskCapacity = 1457664;
  std::vector<std::filesystem::path> disks;

  void insertRow(const std::string& table, const Values& values);
  // The responsible row, with `changes` over the defaults.
  void addResponsible(const Values& changes = {}, const std::string& table = "BD8Resp");
  // An establishment of base year 2006; `withLinks` sets InKevaNegEstabelecimento "0".
  Values addEstablishment(const std::string& inscricao, const std::string& prefixo, bool withLinks,
                          const Values& changes = {}, const std::string& table = "BD8Emp");
  // `count` links of an establishment, numbered from `first`, in one transaction.
  void addLinks(const Values& establishment, int count, const Values& changes = {}, int first = 1,
                const std::string& table = "BD8Vinc");

  core::delivery::WriteResult write(char drive = 'C', bool fromWorkTables = false, bool rectification = false);
  core::delivery::WriteResult write(const core::delivery::WriteRequest& request);
};

// The records of a declaration file (without CR LF), checking the record size.
std::vector<std::string> readRecords(const std::filesystem::path& file);
// Characters `from`..`to` (1-based, inclusive) of a record.
std::string positions(const std::string& record, int from, int to);
// Names of the entries in a folder, sorted.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);
// Number of rows of a table; -1 when the table does not exist.
long long rowsOf(core::store::Database& db, const std::string& table);

}  // namespace torvex::test
