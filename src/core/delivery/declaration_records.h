#pragma once
// The four records of a declaration file (0 responsible, 1 establishment,
// 2 link, 9 totals) composed from stored rows, placed with the
// current record layout. Records come without their CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/declfile/column_catalogue.h"
#include "core/declfile/record_layout.h"
#include "core/store/database.h"

namespace torvex::core::delivery {

// One row read from a table, kept after the cursor moves on.
class RowSnapshot {
 public:
  RowSnapshot() = default;
  static RowSnapshot of(const store::Statement& st);
  // Index of a column (case-insensitive); -1 when the row has none.
  int index(std::string_view column) const;
  std::string_view text(int column) const;
  std::string_view text(std::string_view column) const;
  std::optional<bool> logical(std::string_view column) const;

 private:
  std::vector<std::string> names_;
  std::vector<std::string> values_;
  std::vector<bool> nulls_;
};

// Values of record 0 that the writer supplies rather than reads.
struct ResponsibleRecordValues {
  std::string_view inscricao;         // establishment whose record 1 opens the file
  std::string_view prefixo;
  bool receiptToResponsible = false;  // `InReciboParaRespArquivo`
  bool rectification = false;
  std::string rectificationDate;      // positions 224-231
  std::string generationDate;         // positions 232-239
  std::string timeOfDay;              // HHMMSS, positions 288-293
};

// Values of record 9.
struct TotalsRecordValues {
  std::string_view inscricao;  // last establishment record of the file
  std::string_view prefixo;
  long long establishments = 0;
  long long links = 0;
  long long prefixesNotZero = 0;
  bool fromDeclarationTables = true;
  std::string_view survey;  // `NuRespostaPesquisa`
};

class RecordBuilder {
 public:
  RecordBuilder();

  int recordLength() const { return layout_.recordLength; }
  // 1-based start of the digest in record 9.
  int digestStart() const;

  std::string responsible(const RowSnapshot& resp, const ResponsibleRecordValues& values) const;

  // Resolves the establishment columns against a row of the establishment table.
  void bindEstablishment(const RowSnapshot& row);
  std::string establishment(const RowSnapshot& row) const;

  // Resolves the link columns against the statement that walks the links.
  void bindLink(const store::Statement& st);
  // Composes the link at the statement's current row into `record`.
  void link(std::string& record, const store::Statement& st, std::string_view inscricao,
                std::string_view prefixo) const;

  std::string totals(const TotalsRecordValues& values) const;

  // Writes the record's sequence number (positions 1-6).
  void setSequence(std::string& record, long long sequence) const;

  const declfile::RecordLayout& layout() const { return layout_; }

 private:
  struct Bound {
    int start;
    int width;
    int column;
    std::string_view defaultValue;
    declfile::WriteAs write;
  };
  std::string blankRecord() const { return std::string(static_cast<std::size_t>(layout_.recordLength), ' '); }

  declfile::RecordLayout layout_;
  std::vector<Bound> establishmentFields_;
  std::vector<Bound> linkFields_;
  int linkDisabledIndicator_ = -1;
  int linkDisabilityCode_ = -1;
  int linkDisabilityField_ = declfile::slot2::kDeficiente;
};

// "V0" and the release digit of the version text, written at 285-287 of record 0.
std::string versionMark();
// The statistics field of record 9 (positions 42-47).
std::string statisticsField(bool fromDeclarationTables);

}  // namespace torvex::core::delivery
