#pragma once
// Small stored declarations for the consistency tests: a valid establishment
// and a valid link that produce no finding, to be varied field by
// field, and the rows of the error table read back in report order.
#include <map>
#include <string>
#include <vector>

#include "core/consistency/check_engine.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"
#include "support/scripted_interaction.h"
#include "support/temp_data_folder.h"

namespace torvex::test {

using Values = std::map<std::string, std::string>;

// A valid CNPJ head office built from an 8-digit root.
std::string cnpj(const std::string& root8, const std::string& order4 = "0001");
// A valid PIS built from 10 digits.
std::string pis(const std::string& first10);

Values validResponsible();
Values validEstablishment();
Values validLink(const Values& establishment);

// Inserts a row; values not given stay empty.
void insertRow(core::store::Database& db, const std::string& table, const Values& values);

struct ErrorRow {
  std::map<std::string, std::string> f;  // every column of Te8ErrWa
  const std::string& operator[](const std::string& k) const { return f.at(k); }
};
// Rows of Te8ErrWa in report order (none when the table does not exist).
std::vector<ErrorRow> errorRows(core::store::Database& db);
// Compact "errwar retorno lbl Conteudo" lines, for comparing findings.
std::vector<std::string> findingLines(core::store::Database& db);

// A data folder with its reference look-up, an interaction and an engine.
struct CheckBench {
  TempDataFolder folder;
  core::store::Database& db;
  core::store::ReferenceLookup reference;
  ScriptedInteraction ui;
  core::consistency::CheckEngine engine;
  CheckBench();
  core::consistency::CheckOutcome run(const core::consistency::CheckParameters& p);
  // A run as the verify wizard does it, without selection.
  core::consistency::CheckOutcome verify();
};

}  // namespace torvex::test
