#include "core/consistency/check_engine.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "core/validation/stop_request.h"
#include "core/consistency/check_context.h"
#include "core/consistency/fields.h"
#include "core/consistency/rules.h"
#include "core/validation/message_dialog.h"

namespace torvex::core::consistency {

namespace estField = fields::establishment;
namespace linkField = fields::link;

namespace {


constexpr const char* kKeyOrder = " ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento";
constexpr const char* kLinkKeyOrder =
    " ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
    "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro";

// A declared link count that is not a number adds nothing.
std::int64_t declaredLinks(const std::string& text) {
  std::int64_t n = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first < last && *first == ' ') ++first;
  while (last > first && last[-1] == ' ') --last;
  const auto [ptr, ec] = std::from_chars(first, last, n);
  return ec == std::errc() && ptr == last && n > 0 ? n : 0;
}

// The previous findings go first, on their own. Their pages are freed without
// being zeroed: with secure deletion, dropping the rows of a faulty large file
// would cost as much time and memory as writing them.
void dropPreviousFindings(store::Database& db) {
  if (!db.tableExists(store::table::kErrors)) return;
  const std::string pragma = "PRAGMA " + store::Database::schemaName(store::DbFile::Work) + ".secure_delete";
  std::int64_t previous = 1;
  {
    auto s = db.prepare(pragma);
    if (s.step()) previous = s.integer(0);
  }
  db.exec(pragma + " = FAST");
  try {
    db.dropTable(store::table::kErrors);
  } catch (...) {
    db.exec(pragma + " = " + std::to_string(previous));
    throw;
  }
  db.exec(pragma + " = " + std::to_string(previous));
}

}  // namespace

// One run of the engine: the tables it reads, its progress and its stop checks.
class CheckEngine::Run {
 public:
  Run(CheckEngine& engine, const CheckParameters& p)
      : engine_(engine),
        p_(p),
        establishmentTable_(p.useWorkTables ? store::table::kWorkEstablishments : store::table::kEstablishments),
        vincTable_(p.useWorkTables ? store::table::kWorkLinks : store::table::kLinks),
        respTable_(p.useWorkTables ? store::table::kWorkResponsible : store::table::kResponsible),
        ctx_(engine.db_, engine.reference_, engine.log_, p.fileFlag, vincTable_) {}

  std::int64_t establishments() const { return establishments_; }
  std::int64_t links() const { return links_; }

  // Answers false when the user stopped the run.
  bool execute() {
    std::vector<Record> establishments = checkedEstablishments();
    total_ = 0;
    for (const auto& e : establishments) total_ += 1 + declaredLinks(e[estField::kLinks]);
    ui().progress(0, 100);
    if (p_.checkResponsible) checkResponsible();

    auto links = engine_.db_.prepare(selectAllFields(RecordKind::Link, vincTable_) +
                                     " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
                                     "NuPrefixoEstabelecimento = :p" + kLinkKeyOrder);
    const bool rectification = p_.selection && p_.selection->rectification;
    for (auto& e : establishments) {
      std::swap(ctx_.establishment(), e);
      ctx_.establishmentChanged();
      for (Rule rule : establishmentRules()) rule(ctx_);
      if (!advance()) return false;
      const Record& est = ctx_.establishment();
      links.reset();
      links.bind(":a", est[estField::kYear]).bind(":i", est[estField::kInscription]).bind(":p", est[estField::kPrefix]);
      std::int64_t count = 0;
      // The next link is read ahead: in key order, links sharing a PIS are
      // neighbours, so a link whose neighbours have other PIS needs no search.
      bool have = links.step();
      if (have) ctx_.link().load(links);
      std::string previousPis;
      while (have) {
        const bool haveNext = links.step();
        if (haveNext) next_.load(links);
        const std::string& pis = ctx_.link()[linkField::kPis];
        ctx_.linkLoaded((count == 0 || previousPis != pis) && (!haveNext || next_[linkField::kPis] != pis));
        if (!rectification || marked(ctx_.link()))
          for (Rule rule : linkRules()) rule(ctx_);
        ++count;
        if (!advance()) return false;
        previousPis = pis;
        if (haveNext) std::swap(ctx_.link(), next_);
        have = haveNext;
      }
      links.reset();
      applyEstablishmentLinkRules(ctx_, count);
      ++establishments_;
      links_ += count;
    }
    ui().progress(100, 100);
    return true;
  }

 private:
  platform::Interaction& ui() { return engine_.ui_; }

  bool marked(const Record& r) const {
    return p_.selection->markedForRectification && p_.selection->markedForRectification(r);
  }

  // The establishments of the run in key order, after the filters and the selection.
  std::vector<Record> checkedEstablishments() {
    std::vector<Record> out;
    auto s = engine_.db_.prepare(selectAllFields(RecordKind::Establishment, establishmentTable_) + kKeyOrder);
    const Selection* sel = p_.selection ? &*p_.selection : nullptr;
    std::set<store::EstablishmentKey> chosen;
    if (sel) chosen.insert(sel->establishments.begin(), sel->establishments.end());
    Record r(RecordKind::Establishment);
    while (s.step()) {
      r.load(s);
      if (!p_.baseYearFilter.empty() && r[estField::kYear] != p_.baseYearFilter) continue;
      if (sel && sel->rectification && !marked(r)) continue;
      if (sel && !chosen.count({r[estField::kYear], r[estField::kInscription], r[estField::kPrefix]})) continue;
      out.push_back(r);
    }
    return out;
  }

  void checkResponsible() {
    auto s = engine_.db_.prepare(selectAllFields(RecordKind::Responsible, respTable_) + " LIMIT 1");
    // A missing responsible row is checked as an empty one.
    if (s.step())
      ctx_.responsible().load(s);
    else
      ctx_.responsible().clear();
    s.reset();
    for (Rule rule : responsibleRules())
      if (p_.checkResponsibleFileFields || !isFileOnlyResponsibleRule(rule)) rule(ctx_);
  }

  // Counts one unit of work, moves the bar by whole percents and honours a
  // stop request; false when the user confirmed the stop.
  bool advance() {
    ++done_;
    const std::int64_t percent = total_ > 0 ? std::min<std::int64_t>(100, done_ * 100 / total_) : 0;
    if (percent > shown_) {
      shown_ = percent;
      ui().progress(percent, 100);
    }
    ui().processEvents();
    return !stop_.confirmed(ui());
  }

  CheckEngine& engine_;
  const CheckParameters& p_;
  const char* establishmentTable_;
  const char* vincTable_;
  const char* respTable_;
  CheckContext ctx_;
  Record next_{RecordKind::Link};
  std::int64_t total_ = 0;
  std::int64_t done_ = 0;
  std::int64_t establishments_ = 0;
  std::int64_t links_ = 0;
  std::int64_t shown_ = 0;
  validation::StopRequest stop_;
};

CheckEngine::CheckEngine(store::Database& db, const store::ReferenceLookup& reference, platform::Interaction& ui)
    : db_(db), reference_(reference), ui_(ui), log_(db) {}

CheckOutcome CheckEngine::run(const CheckParameters& parameters) {
  ui_.clearStopRequest();
  dropPreviousFindings(db_);
  // The error rows are written in a few large transactions; an interrupted run
  // keeps the rows written so far.
  log_.begin();
  CheckOutcome out;
  bool interrupted = false;
  try {
    Run run(*this, parameters);
    interrupted = !run.execute();
    out.establishments = run.establishments();
    out.links = run.links();
  } catch (...) {
    log_.abandon();
    throw;
  }
  log_.finish();
  out.errors = log_.errors();
  out.warnings = log_.warnings();
  out.rows = log_.rowsRecorded();
  out.result = interrupted      ? CheckResult::Interrupted
               : out.errors   ? CheckResult::Errors
               : out.warnings ? CheckResult::Warnings
                              : CheckResult::Clean;
  return out;
}

}  // namespace torvex::core::consistency
