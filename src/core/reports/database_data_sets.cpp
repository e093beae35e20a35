#include "core/reports/database_data_sets.h"

#include <optional>

#include "core/store/table_def.h"

namespace torvex::core::reports {
namespace {

using store::equalsIgnoreCase;

class EmptyCursor : public RowCursor {
 public:
  bool next(Row&) override { return false; }
};

ColumnNames namesOf(const store::Statement& s) {
  auto names = std::make_shared<std::vector<std::string>>();
  for (int i = 0; i < s.columnCount(); ++i) names->push_back(s.columnName(i));
  return names;
}

class StatementCursor : public RowCursor {
 public:
  explicit StatementCursor(store::Statement s) : s_(std::move(s)), names_(namesOf(s_)) {}
  bool next(Row& row) override {
    if (!s_.step()) return false;
    std::vector<std::string> values;
    values.reserve(names_->size());
    for (int i = 0; i < s_.columnCount(); ++i) values.push_back(s_.text(i));
    row = Row(names_, std::move(values));
    return true;
  }

 private:
  store::Statement s_;
  ColumnNames names_;
};

// The selected establishments one after another, each read by its own key.
class EstablishmentCursor : public RowCursor {
 public:
  EstablishmentCursor(store::Database& db, const DeclarationSelection& sel, const std::string& table)
      : db_(db), sel_(sel), table_(table) {
    if (sel_.establishments.empty()) {
      all_.emplace(db_.prepare("SELECT * FROM " + table_ +
                               " WHERE AnBase = :a ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
      all_->bind(":a", sel_.baseYear);
    }
  }
  bool next(Row& row) override {
    if (all_) return read(*all_, row);
    while (true) {
      if (current_ && read(*current_, row)) return true;
      if (at_ >= sel_.establishments.size()) return false;
      const auto& k = sel_.establishments[at_++];
      std::string sql = "SELECT * FROM " + table_ + " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i";
      if (!k.prefix.empty()) sql += " AND NuPrefixoEstabelecimento = :p";
      sql += " ORDER BY NuPrefixoEstabelecimento";
      current_.emplace(db_.prepare(sql));
      current_->bind(":a", sel_.baseYear).bind(":i", k.inscription);
      if (!k.prefix.empty()) current_->bind(":p", k.prefix);
    }
  }

 private:
  bool read(store::Statement& s, Row& row) {
    if (!s.step()) return false;
    if (!names_) names_ = namesOf(s);
    std::vector<std::string> values;
    for (int i = 0; i < s.columnCount(); ++i) values.push_back(s.text(i));
    row = Row(names_, std::move(values));
    return true;
  }
  store::Database& db_;
  const DeclarationSelection& sel_;
  std::string table_;
  std::optional<store::Statement> all_, current_;
  std::size_t at_ = 0;
  ColumnNames names_;
};

// Links of one establishment; in "Parcial" only the marked ones.
class LinkCursor : public RowCursor {
 public:
  LinkCursor(store::Statement s, const DeclarationSelection& sel) : inner_(std::move(s)), sel_(sel) {}
  bool next(Row& row) override {
    while (inner_.next(row)) {
      if (!sel_.partial) return true;
      EmployeeKey k{row["CoPisPasepEmpregado"], row["DaAdmissaoEmpregado"], row["NoEmpregado"]};
      if (isMarked(sel_.employees, k)) return true;
    }
    return false;
  }

 private:
  StatementCursor inner_;
  const DeclarationSelection& sel_;
};

}  // namespace

std::unique_ptr<RowCursor> DatabaseDataSets::open(std::string_view name, const Row* parent) {
  auto has = [&](const char* table) { return db_.tableExists(table); };
  auto cursor = [&](const std::string& sql) { return std::make_unique<StatementCursor>(db_.prepare(sql)); };
  const std::string emp = selection_.workTables ? "Te8emp" : "BD8Emp";
  const std::string vinc = selection_.workTables ? "Te8vinc" : "BD8Vinc";
  const std::string resp = selection_.workTables ? "Te8resp" : "BD8Resp";

  if (equalsIgnoreCase(name, dataset::kErrors) && has(store::table::kErrors))
    return cursor(
        "SELECT e.*, coalesce(r.TxMensagem, '') AS TxRetorno, coalesce(l.TxMensagem, '') AS TxRotulo "
        "FROM Te8ErrWa e LEFT JOIN tb8MSG r ON r.NuMensagem = e.retorno LEFT JOIN tb8MSG l ON l.NuMensagem = e.lbl "
        "ORDER BY e.errwar, e.Sequencial, e.rowid");
  if (equalsIgnoreCase(name, dataset::kStructure) && has(store::table::kStructure))
    return cursor(
        "SELECT s.*, coalesce(m.TxMensagem, '') AS TxMensagem FROM Te8stru s "
        "LEFT JOIN tb8MSG m ON m.NuMensagem = s.CoMsg ORDER BY CAST(s.Sequencia AS INTEGER), s.rowid");
  if (equalsIgnoreCase(name, dataset::kImport) && has(store::table::kImport))
    return cursor("SELECT * FROM TE8Imp ORDER BY rowid");
  if (equalsIgnoreCase(name, dataset::kImportNotes) && has(store::table::kImport))
    return cursor(
        "SELECT DISTINCT i.Seq, i.CoImp, coalesce(m.TxMensagem, '') AS TxMensagem FROM TE8Imp i "
        "LEFT JOIN tb8MSG m ON m.NuMensagem = i.CoImp WHERE i.CoImp <> '0000' AND i.CoImp <> '' "
        "ORDER BY CAST(i.Seq AS INTEGER)");
  if (equalsIgnoreCase(name, dataset::kProtocolFiles) && has(store::table::kProtocolFiles))
    return cursor("SELECT * FROM te8ProID ORDER BY CAST(NuDisquete AS INTEGER), rowid");
  if (equalsIgnoreCase(name, dataset::kProtocolEstablishments) && parent && has(store::table::kProtocolEstablishments)) {
    auto s = db_.prepare("SELECT * FROM te8ProES WHERE NuDisquete = :n ORDER BY rowid");
    s.bind(":n", (*parent)["NuDisquete"]);
    return std::make_unique<StatementCursor>(std::move(s));
  }
  if (equalsIgnoreCase(name, dataset::kResponsible) && has(resp.c_str()))
    return cursor("SELECT * FROM " + resp + " ORDER BY rowid LIMIT 1");
  if (equalsIgnoreCase(name, dataset::kEstablishments) && has(emp.c_str()))
    return std::make_unique<EstablishmentCursor>(db_, selection_, emp);
  if (equalsIgnoreCase(name, dataset::kLinks) && parent && has(vinc.c_str())) {
    const std::string dir = selection_.descending ? " DESC" : "";
    auto s = db_.prepare("SELECT * FROM " + vinc +
                         " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p "
                         "ORDER BY " + std::string(classificationColumn(selection_.classification)) + dir +
                         ", CoPisPasepEmpregado" + dir + ", DaAdmissaoEmpregado" + dir + ", rowid" + dir);
    s.bind(":a", (*parent)["AnBase"]).bind(":i", (*parent)["CoCgcCeiEstabelecimento"])
        .bind(":p", (*parent)["NuPrefixoEstabelecimento"]);
    return std::make_unique<LinkCursor>(std::move(s), selection_);
  }
  return std::make_unique<EmptyCursor>();
}

}  // namespace torvex::core::reports
