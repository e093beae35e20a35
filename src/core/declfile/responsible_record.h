#pragma once
// The responsible party of a declaration file on its own: the first record
// read without analysing the rest of the file, and its fields as the loader
// stores them, so that the row can be checked and saved like one keyed in.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/declfile/record_layout.h"

namespace torvex::core::declfile {

enum class FirstRecordStatus {
  Read,                 // `record` holds the type-0 record
  Unreadable,           // missing, a folder, or could not be read (`problem` says which)
  NotDeclaration,       // the file does not start with a record of this year's layout
  NoResponsibleRecord,  // the first record is not of type 0
};

struct FirstRecord {
  FirstRecordStatus status = FirstRecordStatus::Unreadable;
  std::string record;
  std::string problem;  // in words for the user, for every status but Read
};

// Reads the first record of a declaration file of the current layout.
FirstRecord readResponsibleRecord(const std::filesystem::path& file);

// The values of a type-0 record by BD8Resp column, as the loader stores them
// (code page 1252 turned into UTF-8, blanks dropped as the catalogue says),
// InReciboParaRespArquivo "1" when the receipt goes to the responsible party.
std::map<std::string, std::string, std::less<>> responsibleRecordValues(std::string_view record, const RecordLayout& layout);

}  // namespace torvex::core::declfile
