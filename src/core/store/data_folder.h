#pragma once
// The data folder `dados`: laying it down (reference tables from CSV, empty
// declaration tables), the start-up check of its tables and indexes, the
// rebuild of one index and the reindex command.
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/interaction.h"
#include "core/store/database.h"

namespace torvex::core::store {

// Builds referencia.db from the CSV files (one per reference table, named after
// the table, header row with the field names), replacing the file atomically, and
// creates in declaracao.db every declaration table that is missing. Returns the
// number of reference rows loaded. Throws on a malformed CSV (with file and line).
std::size_t layDownDataFolder(const std::filesystem::path& folder, const std::filesystem::path& referenceCsvDir);

// Loads one CSV file into an existing (empty) table.
std::size_t loadCsvIntoTable(Database& db, const TableDef& def, const std::filesystem::path& csv);

// The table files the start-up check requires, in the order they are tested.
const std::vector<std::string>& requiredTableFiles();

// One entry of the index list: the index file as the original engine named it
// ("BD8EMP.PX", "TBUF.XG0"), the index name and its fields.
struct IndexFileEntry {
  std::string file;
  std::string name;
  std::string fields;  // semicolon-separated
  bool caseInsensitive = false;
};
const std::vector<IndexFileEntry>& indexFileList();

// The table a file name stands for ("BD8EMP.DB" or "BD8EMP.PX" give BD8Emp); nullptr when unknown.
const TableDef* tableForFile(const std::string& fileName);

// Start-up check: true when every required table exists and every declaration
// table has the columns of its definition; missing indexes are rebuilt
// silently (their outcome does not change the answer).
bool startupCheck(const std::filesystem::path& folder, platform::Interaction& ui);
// The same check, answering why it fails for the user: kMissingFilesMessage
// for a missing file or table, damagedTableMessage() for a declaration table
// that lost columns. Empty when it passes.
std::string startupCheckProblem(const std::filesystem::path& folder, platform::Interaction& ui);

// The columns of its definition that a declaration table lacks, in order.
std::vector<std::string> missingColumns(Database& db, const TableDef& def);

// Rebuilds one index after taking the folder for exclusive use; shows the
// exclusive-use messages and answers false when it cannot.
bool rebuildIndex(Database& db, platform::Interaction& ui, const std::string& indexFile, const std::string& indexName,
                  const std::string& fields, bool caseInsensitive);

// The "Indexar Arquivos" command: rebuilds the indexes in its fixed order with
// progress 0..17; shows success or the failure message. Answers success.
bool reindexAll(Database& db, platform::Interaction& ui);

inline constexpr const char* kMissingFilesMessage =
    "Faltam arquivos para execução do sistema. Instale novamente o TORVEX.";
inline constexpr const char* kReinstallOrRestoreAdvice =
    "Instale novamente o TORVEX ou restaure uma cópia de segurança dos dados.";
// "A tabela BD8Emp da pasta de dados está danificada: faltam as colunas A, B. " + advice.
std::string damagedTableMessage(const std::string& table, const std::vector<std::string>& missing);

}  // namespace torvex::core::store
