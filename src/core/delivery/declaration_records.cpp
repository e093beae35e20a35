#include "core/delivery/declaration_records.h"

#include "core/store/data_folder.h"

#include <sqlite3.h>

#include "core/declfile/column_catalogue.h"
#include "core/delivery/record_text.h"
#include "core/product.h"
#include "core/store/engine_error.h"
#include "core/text/utf8_text.h"

namespace torvex::core::delivery {
namespace {

namespace s0 = declfile::slot0;
namespace s1 = declfile::slot1;
namespace s2 = declfile::slot2;
namespace s9 = declfile::slot9;

using product::kVersion;
using declfile::CatalogueKind;
using declfile::WriteAs;

[[noreturn]] void missingColumn(std::string_view column) {
  throw store::DataAccessError("A coluna " + std::string(column) +
                               " não existe na tabela lida para a gravação: a pasta de dados está danificada. " +
                               store::kReinstallOrRestoreAdvice);
}

void put(std::string& record, const declfile::TArquivo& field, std::string_view value,
         std::string_view defaultValue = {}) {
  placeField(record, field.start, field.length, value, defaultValue);
}

// The column's text with its length: a NUL inside a value is written like any other character.
std::string_view columnText(const store::Statement& st, int column) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), column));
  return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(st.handle(), column)))
           : std::string_view{};
}

bool caseInsensitiveEqual(std::string_view a, std::string_view b) { return store::equalsIgnoreCase(a, b); }

}  // namespace

// ---------------------------------------------------------------- RowSnapshot

RowSnapshot RowSnapshot::of(const store::Statement& st) {
  RowSnapshot r;
  const int n = st.columnCount();
  for (int i = 0; i < n; ++i) {
    r.names_.push_back(st.columnName(i));
    r.nulls_.push_back(st.isNull(i));
    r.values_.emplace_back(columnText(st, i));
  }
  return r;
}

int RowSnapshot::index(std::string_view column) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (caseInsensitiveEqual(names_[i], column)) return static_cast<int>(i);
  return -1;
}

std::string_view RowSnapshot::text(int column) const {
  return column >= 0 && static_cast<std::size_t>(column) < values_.size() ? std::string_view(values_[column])
                                                                             : std::string_view{};
}

std::string_view RowSnapshot::text(std::string_view column) const { return text(index(column)); }

std::optional<bool> RowSnapshot::logical(std::string_view column) const {
  const int i = index(column);
  if (i < 0 || nulls_[static_cast<std::size_t>(i)]) return std::nullopt;
  const std::string_view v = values_[static_cast<std::size_t>(i)];
  return !(v.empty() || v == "0");
}

// ---------------------------------------------------------------- RecordBuilder

RecordBuilder::RecordBuilder() { declfile::MontaLayoutAnoAtual(layout_); }

int RecordBuilder::digestStart() const {
  const auto& d = layout_.tipoNove[s9::kHashcode];
  return d.start > 0 ? d.start : layout_.recordLength - static_cast<int>(d.length) + 1;
}

void RecordBuilder::setSequence(std::string& record, long long sequence) const {
  put(record, layout_.tipoZero[s0::kSequencial], zeroPadded(sequence, 6));
}

std::string RecordBuilder::responsible(const RowSnapshot& resp, const ResponsibleRecordValues& v) const {
  const auto& t = layout_.tipoZero;
  std::string r = blankRecord();
  put(r, t[s0::kSequencial], "000001");
  put(r, t[s0::kInscricao], v.inscricao);
  put(r, t[s0::kPrefixo], v.prefixo);
  put(r, t[s0::kTipo], "0");
  put(r, t[s0::kReciboDefinitivo], v.receiptToResponsible ? "1" : "2");
  for (const auto& c : declfile::catalogueColumns(CatalogueKind::Responsible))
    if (c.write == WriteAs::AsStored) put(r, t[c.slot], resp.text(c.column), c.writeDefault);
  put(r, t[s0::kRetificacao], v.rectification ? "1" : "2");
  put(r, t[s0::kDataRetificacao], v.rectificationDate);
  put(r, t[s0::kDataGeracao], v.generationDate);
  // The version mark has no descriptor: it sits just before the time of writing.
  placeField(r, t[s0::kHoraGeracao].start - 3, 3, versionMark());
  put(r, t[s0::kHoraGeracao], v.timeOfDay);
  return r;
}

void RecordBuilder::bindEstablishment(const RowSnapshot& row) {
  establishmentFields_.clear();
  for (const auto& c : declfile::catalogueColumns(CatalogueKind::Establishment)) {
    if (c.write == WriteAs::NotWritten) continue;
    const int column = row.index(c.column);
    if (column < 0) missingColumn(c.column);
    const auto& d = layout_.tipoUm[c.slot];
    Bound b{d.start, d.length, column, c.writeDefault, c.write};
    if (c.write == WriteAs::LinkedCei) {
      // The layout describes the last 12 positions; the stored inscription has 14.
      b.start = d.end() - 14;
      b.width = 14;
    }
    establishmentFields_.push_back(b);
  }
}

std::string RecordBuilder::establishment(const RowSnapshot& row) const {
  const auto& t = layout_.tipoUm;
  std::string r = blankRecord();
  put(r, t[s1::kTipo], "1");
  for (const auto& b : establishmentFields_) {
    if (b.write == WriteAs::OneOrTwo)
      placeField(r, b.start, b.width, text::trimBlanks(row.text(b.column)) == "1" ? "1" : "2");
    else
      placeField(r, b.start, b.width, row.text(b.column), b.defaultValue);
  }
  put(r, t[s1::kAno], declfile::kBaseYear);
  return r;
}

void RecordBuilder::bindLink(const store::Statement& st) {
  linkFields_.clear();
  auto columnOf = [&st](std::string_view name) {
    const int column = st.columnIndex(name);
    if (column < 0) missingColumn(name);
    return column;
  };
  for (const auto& c : declfile::catalogueColumns(CatalogueKind::Link)) {
    if (c.write == WriteAs::DeficiencyCode) {
      linkDisabilityCode_ = columnOf(c.column);
      linkDisabledIndicator_ = columnOf("InDeficienteFisico");
      linkDisabilityField_ = c.slot;
    } else if (c.write == WriteAs::AsStored) {
      const auto& d = layout_.tipoDois[c.slot];
      linkFields_.push_back(Bound{d.start, d.length, columnOf(c.column), c.writeDefault, c.write});
    }
  }
}

void RecordBuilder::link(std::string& r, const store::Statement& st, std::string_view inscricao,
                         std::string_view prefixo) const {
  const auto& t = layout_.tipoDois;
  r.assign(static_cast<std::size_t>(layout_.recordLength), ' ');
  put(r, t[s2::kInscricao], inscricao);
  put(r, t[s2::kPrefixo], prefixo);
  put(r, t[s2::kTipo], "2");
  for (const auto& b : linkFields_) placeField(r, b.start, b.width, columnText(st, b.column), b.defaultValue);
  const bool disabled = text::trimBlanks(columnText(st, linkDisabledIndicator_)) == "1";
  put(r, t[linkDisabilityField_], disabled ? columnText(st, linkDisabilityCode_) : std::string_view("0"));
}

std::string RecordBuilder::totals(const TotalsRecordValues& v) const {
  const auto& t = layout_.tipoNove;
  std::string r = blankRecord();
  put(r, t[s9::kInscricao], v.inscricao);
  put(r, t[s9::kPrefixo], v.prefixo);
  put(r, t[s9::kTipo], "9");
  put(r, t[s9::kTotalTipo1], zeroPadded(v.establishments, 6));
  put(r, t[s9::kTotalTipo2], zeroPadded(v.links, 6));
  put(r, t[s9::kTotalPrefixos], zeroPadded(v.prefixesNotZero, 6));
  put(r, t[s9::kEstatistica], statisticsField(v.fromDeclarationTables));
  put(r, t[s9::kPesquisa], v.survey);
  return r;
}

std::string versionMark() { return std::string("V0") + kVersion[5]; }

std::string statisticsField(bool fromDeclarationTables) {
  return std::string("99") + kVersion[3] + kVersion[5] + "1" + (fromDeclarationTables ? "1" : "2");
}

}  // namespace torvex::core::delivery
