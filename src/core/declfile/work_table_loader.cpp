#include "core/declfile/work_table_loader.h"

#include <sqlite3.h>

#include <span>
#include <stdexcept>

#include "core/declfile/column_catalogue.h"
#include "core/store/engine_error.h"
#include "core/store/table_def.h"
#include "core/store/work_tables_state.h"
#include "core/text/code_page_1252.h"
#include "core/text/utf8_text.h"

namespace torvex::core::declfile {
namespace {

// INSERT of the stored year followed by the given columns.
std::string insertSql(const char* table, const std::vector<WorkTableLoader::LoadColumn>& columns) {
  std::string cols = "AnBase";
  std::string values = "?";
  for (const auto& c : columns) {
    cols += ", " + c.column->column;
    values += ", ?";
  }
  return std::string("INSERT INTO ") + table + " (" + cols + ") VALUES (" + values + ")";
}

// The columns of one record kind the loader fills with this layout, each with
// its field, or with the constant a previous-year file stores instead.
template <int N>
std::vector<WorkTableLoader::LoadColumn> loadColumns(CatalogueKind kind, const DescriptorList<N>& fields,
                                                     bool previousYear) {
  std::vector<WorkTableLoader::LoadColumn> out;
  for (const auto& c : catalogueColumns(kind)) {
    if (c.read == ReadAs::NotRead) continue;
    if (c.layouts == Layouts::PreviousOnly && !previousYear) continue;
    if (c.layouts == Layouts::CurrentOnly && previousYear) {
      if (c.previousYearValue) out.push_back({&c, TArquivo{}, c.previousYearValue});
      continue;
    }
    out.push_back({&c, fields[c.slot], nullptr});
  }
  return out;
}

using text::trimBlanks;
using text::upperAsciiLetter;

bool isOneOrX(std::string_view v) { return v.size() == 1 && (v[0] == '1' || upperAsciiLetter(v[0]) == 'X'); }

std::string zeroPadded(long long n, std::size_t width) {
  const std::string digits = std::to_string(n);
  return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

std::string zeroFilledLeft(std::string_view v, std::size_t width) {
  std::string out = v.size() < width ? std::string(width - v.size(), '0') : std::string();
  out += v;
  return out.substr(0, width);
}


}  // namespace

void WorkTableLoader::createWorkTables(store::Database& db) {
  store::clearWorkTablesComplete(db);
  for (const char* name : {store::table::kWorkResponsible, store::table::kWorkEstablishments, store::table::kWorkLinks})
    db.createTable(*store::findTableDef(name));
}

void WorkTableLoader::dropWorkTables(store::Database& db) {
  store::clearWorkTablesComplete(db);
  for (const char* name : {store::table::kWorkResponsible, store::table::kWorkEstablishments, store::table::kWorkLinks})
    if (db.tableExists(name)) db.dropTable(name);
}

WorkTableLoader::WorkTableLoader(store::Database& db, const RecordLayout& layout, std::string analysisYear,
                                 bool zeroValues)
    : db_(db),
      layout_(layout),
      analysisYear_(std::move(analysisYear)),
      zeroValues_(zeroValues),
      responsibleColumns_(loadColumns(CatalogueKind::Responsible, layout.tipoZero, layout.previousYear())),
      establishmentColumns_(loadColumns(CatalogueKind::Establishment, layout.tipoUm, layout.previousYear())),
      linkColumns_(loadColumns(CatalogueKind::Link, layout.tipoDois, layout.previousYear())),
      insertEstablishment_(db.prepare(insertSql("Te8emp", establishmentColumns_))),
      insertLink_(db.prepare(insertSql("Te8vinc", linkColumns_))),
      updateCounts_(db.prepare("UPDATE Te8emp SET NuVinculosEstabelecimento = ?, NuEstrangeirosEstabelec = ? "
                               "WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ? AND NuPrefixoEstabelecimento = ?")),
      findEstablishment_(db.prepare("SELECT NuSequencialRegistro FROM Te8emp WHERE AnBase = ? AND CoCgcCeiEstabelecimento = ? "
                          "AND NuPrefixoEstabelecimento = ?")) {
  checkWidths();
}

// The analyser loads with the width checks of the engine switched off, so the
// layouts must never hand a column more characters than it holds.
void WorkTableLoader::checkWidths() const {
  auto check = [](const char* table, const std::vector<LoadColumn>& columns) {
    for (const auto& c : columns) {
      const ReadAs read = c.column->read;
      if (c.constant || (read != ReadAs::AsRead && read != ReadAs::Trimmed && read != ReadAs::Cei00)) continue;
      const auto* field = store::findTableDef(table)->field(c.column->column);
      if (!field || c.field.length + (read == ReadAs::Cei00 ? 2 : 0) > field->width)
        throw std::logic_error(std::string("layout field wider than ") + table + "." + c.column->column);
    }
  };
  check("Te8emp", establishmentColumns_);
  check("Te8vinc", linkColumns_);
}

void WorkTableLoader::bindColumn(RowBinder& row, int position, const LoadColumn& c, std::string_view v) {
  switch (c.column->read) {
    case ReadAs::Trimmed: return row.bindStored(position, trimBlanks(v));
    case ReadAs::Cei00: {
      std::string& cei = row.scratch();
      cei = "00";
      cei += v;
      return row.bindStored(position, cei);
    }
    case ReadAs::OneOrX: return row.bindText(position, isOneOrX(v) ? "1" : "2");
    case ReadAs::Pat: {
      if (isOneOrX(v)) return row.bindText(position, "1");
      if (v.empty() || v == "2" || v == " ") return row.bindText(position, "2");
      std::string& pat = row.scratch();
      pat.assign(1, upperAsciiLetter(v[0]));
      return row.bindStored(position, pat);
    }
    case ReadAs::CardNumber: return row.bindStored(position, row.scratch() = zeroFilledLeft(trimBlanks(v), 8));
    case ReadAs::CardSeries: return row.bindStored(position, row.scratch() = zeroFilledLeft(trimBlanks(v), 5));
    case ReadAs::Deficiency: return row.bindText(position, v == "0" ? "2" : "1");
    case ReadAs::AsRead:
    case ReadAs::NotRead: return row.bindStored(position, v);
  }
}

std::string WorkTableLoader::storedYear(std::string_view record) const {
  if (layout_.baseYear() == kBaseYear) return std::string(field1(record, slot1::kAno));
  return std::string(layout_.baseYear());
}

void WorkTableLoader::RowBinder::bindText(int position, std::string_view utf8) {
  // SQLite binds a null pointer as NULL; an empty field is the empty string.
  if (utf8.data() == nullptr) utf8 = "";
  const int rc = sqlite3_bind_text(st_.handle(), position, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
  if (rc != SQLITE_OK) throw store::engineErrorFromSqlite(rc, sqlite3_errstr(rc));
}

WorkTableLoader::RowBinder::RowBinder(store::Statement& st, std::string_view record)
    : st_(st), ascii_(text::isAscii(record)) {}

void WorkTableLoader::RowBinder::bindStored(int position, std::string_view bytes) {
  bytes = text::trimTrailingBlanks(bytes);
  if (ascii_ || text::isAscii(bytes)) return bindText(position, bytes);
  std::string& s = pool_.at(used_++);
  s.clear();
  text::appendCp1252AsUtf8(s, bytes);
  bindText(position, s);
}

void WorkTableLoader::RowBinder::bindNull(int position) {
  const int rc = sqlite3_bind_null(st_.handle(), position);
  if (rc != SQLITE_OK) throw store::engineErrorFromSqlite(rc, sqlite3_errstr(rc));
}

void WorkTableLoader::RowBinder::run() {
  st_.run();
  used_ = 0;
}

bool WorkTableLoader::loadResponsible(std::string_view record) {
  namespace s = slot0;
  std::string sql = "INSERT INTO Te8resp (InReciboParaRespArquivo, InRetificacao, InAntecipacao";
  std::string values = "?, ?, ?";
  for (const auto& c : responsibleColumns_) {
    sql += ", " + c.column->column;
    values += ", ?";
  }
  auto st = db_.prepare(sql + ") VALUES (" + values + ")");
  RowBinder row(st);
  const bool rectification = isOneOrX(field0(record, s::kRetificacao));
  st.bindAt(1, std::int64_t{isOneOrX(field0(record, s::kReciboDefinitivo)) ? 1 : 0});
  st.bindAt(2, std::int64_t{rectification ? 1 : 0});
  // The previous-year layout has no advance indicator: it reads as false there.
  if (layout_.previousYear())
    st.bindAt(3, std::int64_t{0});
  else
    row.bindNull(3);
  int position = 4;
  for (const auto& c : responsibleColumns_) bindColumn(row, position++, c, cutField(record, c.field));
  row.run();
  return rectification;
}

void WorkTableLoader::loadEstablishment(std::string_view record, std::string_view storedYear) {
  RowBinder row(insertEstablishment_, record);
  row.bindText(1, storedYear);
  int position = 2;
  for (const auto& c : establishmentColumns_) {
    if (c.constant)
      row.bindText(position++, c.constant);
    else
      bindColumn(row, position++, c, cutField(record, c.field));
  }
  row.run();
}

void WorkTableLoader::loadLink(std::string_view record, std::string_view storedYear) {
  RowBinder row(insertLink_, record);
  row.bindText(1, storedYear);
  // Year-specific values are dropped when a previous-year file is imported.
  const bool drop = zeroValues_ && storedYear != analysisYear_;
  int position = 2;
  for (const auto& c : linkColumns_) {
    if (drop && c.column->dropped) {
      row.bindText(position++, c.column->dropped);
      continue;
    }
    // The fields lie inside the record, which the analyser hands over whole.
    const TArquivo& f = c.field;
    const auto v = f.length > 0 ? record.substr(static_cast<std::size_t>(f.start - 1), static_cast<std::size_t>(f.length))
                                : std::string_view("");
    bindColumn(row, position++, c, v);
  }
  row.run();
}

void WorkTableLoader::loadTotals(std::string_view record) {
  auto st = db_.prepare("UPDATE Te8resp SET NuRespostaPesquisa = ?");
  RowBinder row(st);
  row.bindStored(1, cutField(record, layout_.tipoNove[slot9::kPesquisa]));
  row.run();
}

void WorkTableLoader::writeEstablishmentCounts(std::string_view storedYear, std::string_view inscription,
                                               std::string_view prefix, long long links, long long foreigners) {
  const std::string l = zeroPadded(links, 6), f = zeroPadded(foreigners, 5);
  if (l.size() > 6 || f.size() > 5)
    throw store::EngineError(store::engine_code::kFieldTooWide, "NuVinculosEstabelecimento/NuEstrangeirosEstabelec");
  RowBinder row(updateCounts_);
  row.bindText(1, l);
  row.bindText(2, f);
  row.bindText(3, storedYear);
  row.bindStored(4, inscription);
  row.bindStored(5, prefix);
  row.run();
}

std::optional<std::string> WorkTableLoader::findEstablishment(std::string_view storedYear,
                                                              std::string_view inscription, std::string_view prefix) {
  RowBinder row(findEstablishment_);
  row.bindText(1, storedYear);
  row.bindStored(2, inscription);
  row.bindStored(3, prefix);
  std::optional<std::string> found;
  if (findEstablishment_.step()) found = findEstablishment_.text(0);
  findEstablishment_.reset();
  return found;
}

}  // namespace torvex::core::declfile
