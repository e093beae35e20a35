#include "core/importing/import_merge.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "core/validation/stop_request.h"
#include "core/importing/prefix.h"
#include "core/store/work_tables_lock.h"
#include "core/store/work_tables_state.h"
#include "core/store/declaration_state.h"
#include "core/store/engine_error.h"
#include "core/store/link_counts.h"
#include "core/store/table_def.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/message_dialog.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::importing {
namespace {

namespace v = validation;

constexpr const char* kFourteenZeros = "00000000000000";

// Inscriptions left empty when the file gives fourteen zeros.
const std::set<std::string> kEstablishmentZeroInscriptions = {"CoCNPJCentralizada", "CoCNPJSindical", "CoCNPJAssociativa",
                                                    "CoCNPJAssistencial", "CoCNPJConfederativa"};
const std::set<std::string> kLinkZeroInscriptions = {"CoCNPJSindical", "CoCNPJPrimAssociativa", "CoCNPJSegAssociativa",
                                                     "CoCNPJAssistencial", "CoCNPJConfederativa"};

// What a previous-year link gets where the file of that year carries nothing:
// the values that say "not informed", so that a correct declaration of last
// year passes the check of this year. The work-card series stays "00000" (not
// informed) beside the number the load left at zeros: an empty series beside
// it would be an unpaired work card on every link.
const std::map<std::string, std::string> kPreviousYearDefaults = {
    {"CoMotivoPrimAfas", "00"},     {"DaInicioprimeiroAfas", "0000"}, {"DaFinalPrimeiroAfas", "0000"},
    {"CoMotivoSeguAfas", "00"},     {"DaInicioSegundoAfas", "0000"},  {"DaFinalSegundoAfas", "0000"},
    {"CoMotivoTercAfas", "00"},     {"DaInicioTerceiroAfas", "0000"}, {"DaFinalTerceiroAfas", "0000"},
    {"QtDiasAfas", "000"},          {"QtCompBcoHoras", "00"},         {"QtCompDissidio", "00"},
    {"QtCompGratificacoes", "00"},  {"InDeficienteFisico", "2"},    {"SeCartTrabEmpregado", "00000"},
};

std::string sqlText(const std::string& s) { return "'" + s + "'"; }

// An empty value takes `value`.
std::string orDefault(const std::string& column, const std::string& value) {
  return "CASE WHEN " + column + " = '' THEN " + sqlText(value) + " ELSE " + column + " END";
}

std::string zeroInscriptionEmpty(const std::string& column) {
  return "CASE WHEN " + column + " = '" + kFourteenZeros + "' THEN '' ELSE " + column + " END";
}

// The value a BD8Emp column takes from its Te8emp row.
std::string establishmentExpression(const std::string& column) {
  const std::string c = store::quoteIdentifier(column);
  if (column == "AnBase") return ":base";
  if (column == "NuPrefixoEstabelecimento") return ":target";
  if (column == "NuSequencialRegistro") return "''";
  if (column == "InAvisoCnae") return ":aviso";
  if (kEstablishmentZeroInscriptions.count(column)) return zeroInscriptionEmpty(c);
  return c;
}

// The value a BD8Vinc column takes from its Te8vinc row.
std::string linkExpression(const std::string& column, bool previousYear) {
  const std::string c = store::quoteIdentifier(column);
  if (column == "AnBase") return ":base";
  if (column == "NuPrefixoEstabelecimento") return ":target";
  if (column == "NuSequencialRegistro") return "''";
  if (kLinkZeroInscriptions.count(column)) return zeroInscriptionEmpty(c);
  // An empty disability code is "not informed", as "0" is.
  const std::string disabled = "CoDeficienteFisico NOT IN ('0', '')";
  if (!previousYear) {
    if (column == "CoDeficienteFisico") return "CASE WHEN " + disabled + " THEN CoDeficienteFisico ELSE '' END";
    if (column == "InDeficienteFisico") return "CASE WHEN " + disabled + " THEN '1' ELSE '2' END";
    return c;
  }
  if (column == "CoInstrucao") return "CASE WHEN CoInstrucao = '' THEN '' ELSE '0' || CoInstrucao END";
  if (column.rfind("HoTrabalhadas", 0) == 0) return "'000'";
  if (column == "CoDeficienteFisico") return "''";
  if (auto d = kPreviousYearDefaults.find(column); d != kPreviousYearDefaults.end()) return orDefault(c, d->second);
  return c;
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& i : items) out += (out.empty() ? "" : ", ") + i;
  return out;
}

// A link of last year "ended" unless its cause of termination is none ("00", or
// not informed), or a retirement that keeps the link ("71", "78").
bool endedLink(std::string_view cause) { return !(cause.empty() || cause == "00" || cause == "71" || cause == "78"); }

// The link pass stops with this when the user confirms an interruption.
struct Interrupted {};

// Links copied by one statement; events and stop requests are looked at between slices.
constexpr std::int64_t kLinksPerSlice = 4096;

// The width checks of the declaration tables are suspended while links are
// copied: the values come from the work table, whose widths the record
// layouts hold, and the copy only puts fixed values of the same widths in.
// The checks cost more than the rest of the copy.
class CheckConstraintsOff {
 public:
  explicit CheckConstraintsOff(store::Database& db) : db_(db) { db_.exec("PRAGMA ignore_check_constraints=ON"); }
  ~CheckConstraintsOff() {
    try {
      db_.exec("PRAGMA ignore_check_constraints=OFF");
    } catch (...) {
    }
  }
  CheckConstraintsOff(const CheckConstraintsOff&) = delete;
  CheckConstraintsOff& operator=(const CheckConstraintsOff&) = delete;

 private:
  store::Database& db_;
};

}  // namespace

std::int64_t ImportResult::imported() const {
  std::int64_t n = 0;
  for (const auto& r : rows) n += r.NuTotalImportados;
  return n;
}
std::int64_t ImportResult::duplicates() const {
  std::int64_t n = 0;
  for (const auto& r : rows) n += r.NuTotalDuplicados;
  return n;
}
std::int64_t ImportResult::ended() const {
  std::int64_t n = 0;
  for (const auto& r : rows) n += r.NuTotalDesligados;
  return n;
}

// ---------------------------------------------------------------- Run

class ImportMerge::Run {
 public:
  Run(store::Database& db, platform::Interaction& ui, const ImportRequest& request)
      : db_(db), ui_(ui), r_(request), base_(store::kBaseYear) {}

  ImportResult go() {
    store::requireCompleteWorkTables(db_);
    createSummary();
    setUpProgress();
    ImportResult result;
    for (std::size_t i = 0; i < r_.chosen.size(); ++i) {
      try {
        if (mergeEstablishment(i)) ++result.establishmentsWritten;
      } catch (const Interrupted&) {
        result.interrupted = true;
        break;
      }
      result.processed = i + 1;
      if (perEstablishment_) advance(1);
      ui_.processEvents();
      if (stopConfirmed()) {
        result.interrupted = i + 1 < r_.chosen.size();
        break;
      }
    }
    ui_.progress(maximum_, maximum_);
    result.rows = readImportRows(db_);
    return result;
  }

 private:
  struct Outcome {
    std::string prefix;  // as imported
    std::int64_t ended = 0, duplicates = 0, imported = 0;
    std::string code;
  };

  // TE8Imp afresh, one row per chosen establishment with the counters at "0".
  void createSummary() {
    db_.createTable(*store::findTableDef(store::table::kImport));
    auto find = db_.prepare(
        "SELECT InInscrEstabelecimento, CoCgcVinculado, NuVinculosEstabelecimento FROM Te8emp "
        "WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref");
    auto add = db_.prepare(
        "INSERT INTO TE8Imp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
        "InInscrEstabelecimento, NuVinculosEstabelecimento, NuTotalDesligados, NuTotalDuplicados, NuTotalImportados) "
        "VALUES (:base, :insc, :pref, :cei, :kind, :links, '0', '0', '0')");
    store::Transaction tx(db_);
    for (const auto& e : r_.chosen) {
      find.reset();
      find.bind(":ano", r_.kind.importYear).bind(":insc", e.inscription).bind(":pref", e.prefix);
      if (!find.step())
        throw store::EngineError(store::engine_code::kGeneral,
                                 "Estabelecimento " + e.inscription + "/" + e.prefix + " não está no arquivo.");
      add.reset();
      add.bind(":base", base_).bind(":insc", e.inscription).bind(":pref", e.prefix).bind(":cei", find.text(1));
      add.bind(":kind", find.text(0)).bind(":links", find.text(2));
      add.run();
      rowids_.push_back(sqlite3_last_insert_rowid(db_.handle()));
    }
    tx.commit();
  }

  // The bar moves per establishment when the file has few links for its list,
  // else per link handled.
  void setUpProgress() {
    const std::int64_t links = db_.tableExists(store::table::kWorkLinks) ? db_.rowCount(store::table::kWorkLinks) : 0;
    const auto lines = static_cast<std::int64_t>(std::max(r_.listLines, r_.chosen.size()));
    perEstablishment_ = links == 0 || links <= 10 * lines;
    maximum_ = std::max<std::int64_t>(perEstablishment_ ? lines : links, 1);
    ui_.progress(0, maximum_);
  }

  void advance(std::int64_t steps) {
    position_ = std::min(position_ + steps, maximum_);
    const auto percent = position_ * 100 / maximum_;
    if (percent != shownPercent_) {
      shownPercent_ = percent;
      ui_.progress(position_, maximum_);
    }
  }

  bool stopConfirmed() {
    return stop_.confirmed(ui_);
  }

  // The first failing validator's code, or empty when the establishment may be imported.
  static std::string validationCode(const FileEstablishment& e, const std::string& kind) {
    const std::string inscription = e.inscription.size() == 12 ? "00" + e.inscription : e.inscription;
    const auto number = v::checkEstablishmentInscription(inscription);
    if (number != "0050" && number != "0051" && number != "0052") return std::string(number);
    for (const auto code : {v::checkEstablishmentInscriptionKind(kind), v::checkKindMatchesNumber(inscription, kind),
                            v::checkPrefix(e.prefix)})
      if (code != v::kValid) return std::string(code);
    return {};
  }

  // Merges one establishment in one transaction; answers whether its row was created or replaced.
  bool mergeEstablishment(std::size_t index) {
    const FileEstablishment& e = r_.chosen[index];
    store::Transaction tx(db_);
    auto fileRow = db_.prepare(
        "SELECT InInscrEstabelecimento, CoCgcVinculado, InKevaNegEstabelecimento FROM Te8emp "
        "WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref");
    fileRow.bind(":ano", r_.kind.importYear).bind(":insc", e.inscription).bind(":pref", e.prefix);
    fileRow.step();
    const std::string kind = fileRow.text(0);
    const std::string linkedCei = fileRow.text(1);
    const bool fileWithoutLinks = fileRow.text(2) == "1";

    Outcome out;
    out.prefix = e.prefix;
    bool written = false;
    out.code = validationCode(e, kind);
    if (out.code.empty()) written = merge(e, linkedCei, fileWithoutLinks, out);
    record(index, out);
    tx.commit();
    return written;
  }

  bool merge(const FileEstablishment& e, const std::string& linkedCei, bool fileWithoutLinks, Outcome& out) {
    auto stored = db_.prepare(
        "SELECT CoCgcVinculado, InKevaNegEstabelecimento FROM BD8Emp "
        "WHERE AnBase = :base AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref");
    stored.bind(":base", base_).bind(":insc", e.inscription).bind(":pref", e.prefix);
    bool exists = stored.step();
    const bool storedWithoutLinks = exists && stored.text(1) == "1";
    if (exists && padded14(stored.text(0)) != padded14(linkedCei)) {
      out.prefix = firstFreePrefix([&](const std::string& p) { return establishmentStored(e.inscription, p); });
      if (out.prefix.empty())
        throw store::EngineError(store::engine_code::kKeyViolation,
                                 "Não há prefixo livre para o estabelecimento " + e.inscription + ".");
      out.code = import_code::kNewPrefix;
      exists = false;
    }
    return r_.kind.previousYear ? mergePreviousYear(e, exists, storedWithoutLinks, fileWithoutLinks, out)
                                : mergeCurrentYear(e, exists, storedWithoutLinks, fileWithoutLinks, out);
  }

  bool mergeCurrentYear(const FileEstablishment& e, bool exists, bool storedWithoutLinks, bool fileWithoutLinks,
                        Outcome& out) {
    if (exists && fileWithoutLinks) {
      out.code = import_code::kAlreadyWithoutLinks;
      return false;
    }
    bool written = false;
    if (!exists || storedWithoutLinks) {
      copyEstablishment(e, out.prefix);
      written = true;
      if (exists) out.code = import_code::kReplacedNegative;
    }
    importLinks(e, out);
    store::storeLinkCounts(db_, base_, e.inscription, out.prefix);
    return written;
  }

  bool mergePreviousYear(const FileEstablishment& e, bool exists, bool storedWithoutLinks, bool fileWithoutLinks,
                         Outcome& out) {
    if (exists && fileWithoutLinks) {
      out.code = import_code::kAlreadyWithoutLinks;
      return false;
    }
    const bool lastEnded = importLinks(e, out);
    bool written = false;
    if (!exists) {
      written = fileWithoutLinks || out.imported > 0;
    } else if (storedWithoutLinks) {
      out.code = lastEnded ? import_code::kEndedLink : import_code::kReplacedNegative;
      written = out.imported > 0;
    }
    if (written) copyEstablishment(e, out.prefix);
    if (written || out.imported > 0) store::storeLinkCounts(db_, base_, e.inscription, out.prefix);
    return written;
  }

  static std::string padded14(const std::string& s) {
    return s.size() >= 14 ? s : std::string(14 - s.size(), '0') + s;
  }

  bool establishmentStored(const std::string& inscription, const std::string& prefix) {
    auto& st = db_.cached(
        "SELECT 1 FROM BD8Emp WHERE AnBase = :base AND CoCgcCeiEstabelecimento = :insc "
        "AND NuPrefixoEstabelecimento = :pref");
    st.bind(":base", base_).bind(":insc", inscription).bind(":pref", prefix);
    const bool found = st.step();
    st.reset();
    return found;
  }

  // Creates the BD8Emp row from the file's, or replaces the stored one of the same key.
  void copyEstablishment(const FileEstablishment& e, const std::string& target) {
    if (copyEmp_.empty()) {
      const auto& def = *store::findTableDef(store::table::kEstablishments);
      std::vector<std::string> names, values;
      for (const auto& f : def.fields) {
        names.push_back(store::quoteIdentifier(f.name));
        values.push_back(establishmentExpression(f.name));
      }
      copyEmp_ = "INSERT OR REPLACE INTO BD8Emp (" + joined(names) + ") SELECT " + joined(values) +
                 " FROM Te8emp WHERE AnBase = :ano AND CoCgcCeiEstabelecimento = :insc "
                 "AND NuPrefixoEstabelecimento = :pref";
    }
    auto& st = db_.cached(copyEmp_);
    st.bind(":base", base_).bind(":target", target).bindLogical(":aviso", r_.kind.previousYear);
    st.bind(":ano", r_.kind.importYear).bind(":insc", e.inscription).bind(":pref", e.prefix);
    st.run();
  }

  // The statements of the link pass, prepared once per import. An
  // establishment's links are contiguous in Te8vinc (they follow it in the
  // file), so they are copied in slices of rowids, each slice by one statement
  // that never takes the ninety columns out of SQLite.
  struct LinkStatements {
    store::Statement range, count, copyNew, copyExisting, lastCause, anyStored;
  };

  LinkStatements& linkStatements() {
    if (links_) return *links_;
    const auto& def = *store::findTableDef(store::table::kLinks);
    std::vector<std::string> names, values;
    for (const auto& f : def.fields) {
      names.push_back(store::quoteIdentifier(f.name));
      values.push_back(linkExpression(f.name, r_.kind.previousYear));
    }
    auto ended = [&](const std::string& t) {
      return r_.kind.previousYear ? "(" + t + ".CoCausaDesligamento NOT IN ('', '00', '71', '78'))" : std::string("0");
    };
    const std::string key = "AnBase = :ano AND CoCgcCeiEstabelecimento = :insc AND NuPrefixoEstabelecimento = :pref";
    // The slice: the unary "+" keeps SQLite on the rowid range instead of the key index.
    const std::string slice =
        " FROM Te8vinc t WHERE t.rowid BETWEEN :first AND :last AND +t.AnBase = :ano AND "
        "+t.CoCgcCeiEstabelecimento = :insc AND +t.NuPrefixoEstabelecimento = :pref";
    const std::string pisInformed = "ltrim(t.CoPisPasepEmpregado, '0') <> ''";
    // Only the first of the file's links with one PIS and admission date (and
    // name, without PIS), in key order, is imported.
    const std::string firstInFile =
        " AND NOT EXISTS (SELECT 1 FROM Te8vinc u WHERE u.AnBase = t.AnBase AND "
        "u.CoCgcCeiEstabelecimento = t.CoCgcCeiEstabelecimento AND "
        "u.NuPrefixoEstabelecimento = t.NuPrefixoEstabelecimento AND u.CoPisPasepEmpregado = t.CoPisPasepEmpregado "
        "AND u.DaAdmissaoEmpregado = t.DaAdmissaoEmpregado AND (" + pisInformed + " OR u.NoEmpregado = t.NoEmpregado) "
        "AND (u.NoEmpregado < t.NoEmpregado OR (u.NoEmpregado = t.NoEmpregado AND "
        "u.NuSequencialRegistro < t.NuSequencialRegistro)) AND NOT " + ended("u") + ")";
    const std::string notStored =
        " AND NOT EXISTS (SELECT 1 FROM BD8Vinc b WHERE b.AnBase = :base AND "
        "b.CoCgcCeiEstabelecimento = t.CoCgcCeiEstabelecimento AND b.NuPrefixoEstabelecimento = :target AND "
        "b.CoPisPasepEmpregado = t.CoPisPasepEmpregado AND b.DaAdmissaoEmpregado = t.DaAdmissaoEmpregado AND (" +
        pisInformed + " OR b.NoEmpregado = t.NoEmpregado))";
    const std::string copy = "INSERT INTO BD8Vinc (" + joined(names) + ") SELECT " + joined(values) + slice +
                             " AND NOT " + ended("t") + firstInFile;
    links_.emplace(LinkStatements{
        db_.prepare("SELECT min(rowid), max(rowid) FROM Te8vinc WHERE " + key),
        db_.prepare("SELECT count(*), total(" + ended("t") + ")" + slice),
        db_.prepare(copy),
        db_.prepare(copy + notStored),
        db_.prepare("SELECT CoCausaDesligamento FROM Te8vinc WHERE " + key +
                    " ORDER BY CoPisPasepEmpregado DESC, DaAdmissaoEmpregado DESC, NoEmpregado DESC, "
                    "NuSequencialRegistro DESC LIMIT 1"),
        db_.prepare("SELECT 1 FROM BD8Vinc WHERE AnBase = :base AND CoCgcCeiEstabelecimento = :insc AND "
                    "NuPrefixoEstabelecimento = :target LIMIT 1")});
    return *links_;
  }

  // Imports the establishment's links under `out.prefix`, counting ended links
  // (previous year only), duplicates and imported ones. Answers whether the
  // last link, in table order, had ended.
  bool importLinks(const FileEstablishment& e, Outcome& out) {
    LinkStatements& s = linkStatements();
    auto bindKey = [&](store::Statement& st) {
      st.reset();
      for (const auto& [name, value] : {std::pair<const char*, const std::string&>{":ano", r_.kind.importYear},
                                        {":insc", e.inscription}, {":pref", e.prefix}, {":base", base_},
                                        {":target", out.prefix}})
        if (st.hasParameter(name)) st.bind(name, value);
    };
    bindKey(s.range);
    if (!s.range.step() || s.range.isNull(0)) return false;
    const std::int64_t first = s.range.integer(0), last = s.range.integer(1);
    s.range.reset();
    bindKey(s.anyStored);
    store::Statement& copy = s.anyStored.step() ? s.copyExisting : s.copyNew;
    s.anyStored.reset();
    bindKey(copy);
    bindKey(s.count);

    CheckConstraintsOff unchecked(db_);
    for (std::int64_t from = first; from <= last; from += kLinksPerSlice) {
      const std::int64_t to = std::min(from + kLinksPerSlice - 1, last);
      s.count.reset();
      s.count.bind(":first", from).bind(":last", to);
      s.count.step();
      const std::int64_t links = s.count.integer(0), ended = s.count.integer(1);
      s.count.reset();
      copy.reset();
      copy.bind(":first", from).bind(":last", to);
      copy.run();
      const std::int64_t imported = db_.changes();
      out.ended += ended;
      out.imported += imported;
      out.duplicates += links - ended - imported;
      if (!perEstablishment_) advance(links);
      ui_.processEvents();
      if (stopConfirmed()) throw Interrupted{};
    }
    if (!r_.kind.previousYear) return false;
    bindKey(s.lastCause);
    const bool lastEnded = s.lastCause.step() && endedLink(s.lastCause.text(0));
    s.lastCause.reset();
    return lastEnded;
  }

  // Writes the establishment's outcome into its TE8Imp row; a code gets its number.
  void record(std::size_t index, const Outcome& out) {
    std::string seq;
    if (!out.code.empty()) {
      auto [it, added] = seqOfCode_.emplace(out.code, std::to_string(seqOfCode_.size() + 1));
      seq = it->second;
    }
    auto& st = db_.cached(
        "UPDATE TE8Imp SET NuPrefixoEstabelecimento = :pref, NuTotalDesligados = :ended, "
        "NuTotalDuplicados = :dup, NuTotalImportados = :imp, CoImp = :code, Seq = :seq WHERE rowid = :row");
    st.bind(":pref", out.prefix).bind(":ended", std::to_string(out.ended));
    st.bind(":dup", std::to_string(out.duplicates)).bind(":imp", std::to_string(out.imported));
    st.bind(":code", out.code).bind(":seq", seq).bind(":row", rowids_[index]);
    st.run();
  }

  store::Database& db_;
  platform::Interaction& ui_;
  validation::StopRequest stop_;
  const ImportRequest& r_;
  const std::string base_;
  std::vector<std::int64_t> rowids_;
  std::map<std::string, std::string> seqOfCode_;
  std::string copyEmp_;
  std::optional<LinkStatements> links_;
  bool perEstablishment_ = true;
  std::int64_t maximum_ = 1, position_ = 0, shownPercent_ = -1;
};

ImportResult ImportMerge::run(const ImportRequest& request) {
  const store::WorkTablesHold hold(db_);
  return Run(db_, ui_, request).go();
}

// ---------------------------------------------------------------- reading the summary

std::vector<ImportRow> readImportRows(store::Database& db) {
  std::vector<ImportRow> rows;
  if (!db.tableExists(store::table::kImport)) return rows;
  auto st = db.prepare(
      "SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, InInscrEstabelecimento, "
      "NuVinculosEstabelecimento, NuTotalDesligados, NuTotalDuplicados, NuTotalImportados, CoImp, Seq "
      "FROM TE8Imp ORDER BY rowid");
  while (st.step()) {
    ImportRow r;
    r.AnBase = st.text(0);
    r.CoCgcCeiEstabelecimento = st.text(1);
    r.NuPrefixoEstabelecimento = st.text(2);
    r.CoCgcVinculado = st.text(3);
    r.InInscrEstabelecimento = st.text(4);
    r.NuVinculosEstabelecimento = st.text(5);
    r.NuTotalDesligados = v::integerOrZero(st.text(6));
    r.NuTotalDuplicados = v::integerOrZero(st.text(7));
    r.NuTotalImportados = v::integerOrZero(st.text(8));
    r.CoImp = st.text(9);
    r.Seq = st.text(10);
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<ImportNote> importNotes(const std::vector<ImportRow>& rows) {
  std::vector<ImportNote> notes;
  for (const auto& r : rows) {
    if (r.CoImp.empty() || r.CoImp == "0000") continue;
    const bool known = std::any_of(notes.begin(), notes.end(),
                                   [&](const ImportNote& n) { return n.seq == r.Seq && n.code == r.CoImp; });
    if (!known) notes.push_back({r.Seq, r.CoImp});
  }
  std::sort(notes.begin(), notes.end(),
            [](const ImportNote& a, const ImportNote& b) { return v::integerOrZero(a.seq) < v::integerOrZero(b.seq); });
  return notes;
}

}  // namespace torvex::core::importing
