#pragma once
// The catalogue of declaration columns: for each stored column of the three
// record kinds, the layout slot it comes from and goes to, how it is read from
// a declaration file into the work tables, and how it is written back with its
// default for a blank value. The loader and the writer both walk it, so a
// column's slot, conversion and default are stated once.
#include <span>
#include <string>

namespace torvex::core::declfile {

// The record kinds of the catalogue: type 0 responsible, 1 establishment, 2 link.
enum class CatalogueKind { Responsible, Establishment, Link };

// How the field's characters become the stored value.
enum class ReadAs {
  AsRead,      // the characters, trailing blanks dropped on storing
  Trimmed,     // blanks removed at both ends
  Cei00,       // "00" in front of the 12 characters of the linked CEI
  OneOrX,      // "1" when the field, upper, is "1" or "X"; "2" otherwise
  Pat,         // "1" for 1 or X, "2" for 2 or blank, else the upper-cased character
  CardNumber,  // zeros in front up to 8 characters, then the first 8
  CardSeries,  // zeros in front up to 5 characters, then the first 5
  Deficiency,  // "2" when the field (the deficiency code) is "0", else "1"
  NotRead,     // the loader leaves the column alone
};

// How the stored value is placed in the field.
enum class WriteAs {
  AsStored,        // the stored text, the default when it is blank
  OneOrTwo,        // "1" when the stored value is "1", else "2"
  LinkedCei,       // the 14 stored characters, ending where the 12-character field ends
  DeficiencyCode,  // the code when the link's InDeficienteFisico is "1", else "0"
  NotWritten,      // the writer fills the field itself (key, sequence, totals) or not at all
};

// In which layouts the column is read.
enum class Layouts {
  Both,
  CurrentOnly,   // the previous-year layout stores `previousYearValue` instead (nothing when null)
  PreviousOnly,  // read from the previous-year layout only
};

struct CatalogueColumn {
  std::string column;
  int slot = 0;  // 1-based slot of the record's descriptor list
  ReadAs read = ReadAs::AsRead;
  WriteAs write = WriteAs::AsStored;
  std::string writeDefault;  // written when the stored value is blank
  Layouts layouts = Layouts::Both;
  const char* previousYearValue = nullptr;  // CurrentOnly: the constant a previous-year file stores
  // Stored instead of the field when a previous-year file is loaded with
  // year-specific values dropped; null: the field is kept.
  const char* dropped = nullptr;
};

// The catalogue of one record kind, in a fixed order.
std::span<const CatalogueColumn> catalogueColumns(CatalogueKind kind);

}  // namespace torvex::core::declfile
