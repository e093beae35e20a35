#include "core/declfile/analise_estrutura.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include "core/declfile/work_table_loader.h"
#include "core/store/table_def.h"
#include "core/store/work_tables_state.h"
#include "core/text/code_page_1252.h"
#include "core/validation/message_dialog.h"

namespace torvex::core::declfile {
namespace {

using text::cp1252ToUtf8;
using text::isAllDigits;
using text::isDigitByte;
using text::isLetterByte;
using text::isPrintable;
using text::isPrintableByte;

constexpr unsigned char kCR = 13, kLF = 10, kEndOfFile = 26;
// Files of any size are read through this fixed buffer.
constexpr std::size_t kBufferSize = 32767;
// Work-table rows are committed in batches, so that the rollback journal of the
// scratch database stays small.
constexpr long kRecordsPerCommit = 20000;

// While the work tables are loaded their width checks are left off: every
// value is cut from its fixed place in the record, never wider than its field.
class LoadWithoutChecks {
 public:
  explicit LoadWithoutChecks(store::Database& db) : db_(db) { db_.exec("PRAGMA ignore_check_constraints=ON"); }
  ~LoadWithoutChecks() {
    try {
      db_.exec("PRAGMA ignore_check_constraints=OFF");
    } catch (...) {  // the connection's default is set again when it is next opened
    }
  }
  LoadWithoutChecks(const LoadWithoutChecks&) = delete;
  LoadWithoutChecks& operator=(const LoadWithoutChecks&) = delete;

 private:
  store::Database& db_;
};

struct ReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Streams a file through a fixed buffer; peek() shows the next bytes without consuming them.
class ChunkReader {
 public:
  explicit ChunkReader(const std::filesystem::path& path) : buffer_(kBufferSize) {
    std::error_code ec;
    size_ = std::filesystem::file_size(path, ec);
    if (ec) return;
    file_ = std::fopen(path.string().c_str(), "rb");
  }
  ~ChunkReader() {
    if (file_) std::fclose(file_);
  }
  ChunkReader(const ChunkReader&) = delete;
  ChunkReader& operator=(const ChunkReader&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  std::uint64_t size() const { return size_; }
  std::uint64_t remaining() const { return size_ - offset_; }

  // Up to n bytes from the current position (fewer only at the end of the file).
  std::string_view peek(std::size_t n) {
    n = static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining()));
    if (end_ - pos_ < n) refill(n);
    return {buffer_.data() + pos_, n};
  }
  void skip(std::uint64_t n) {
    const auto inBuffer = std::min<std::uint64_t>(n, end_ - pos_);
    pos_ += static_cast<std::size_t>(inBuffer);
    offset_ += n;
    if (n > inBuffer) {
      pos_ = end_ = 0;
      if (std::fseek(file_, static_cast<long>(offset_), SEEK_SET) != 0) throw ReadError("seek");
    }
  }

 private:
  void refill(std::size_t n) {
    if (n > buffer_.size()) throw ReadError("record larger than the buffer");
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (end_ < n) throw ReadError("short read");
  }

  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t offset_ = 0;  // file offset of buffer_[pos_]
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
};

std::string zeros6(std::int64_t n) {
  std::string s = std::to_string(n);
  return s.size() >= 6 ? s : std::string(6 - s.size(), '0') + s;
}

std::int64_t toNumber(std::string_view digits) {
  std::int64_t n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

// A byte as the findings show it: itself when printable or a letter, else two
// hexadecimal digits, followed by "(hexadecimal)" when `suffix` is asked.
std::string showByte(unsigned char b, bool suffix) {
  if (isPrintableByte(b) || isLetterByte(b)) return cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(&b), 1));
  static const char* hex = "0123456789ABCDEF";
  std::string s{hex[b >> 4], hex[b & 15]};
  if (suffix) s += "(hexadecimal)";
  return s;
}

// Positions start to start + length - 1 (1-based), clipped to the record.
std::string_view bytesAt(std::string_view record, int start, int length) {
  const auto from = static_cast<std::size_t>(start - 1);
  return from < record.size() ? record.substr(from, static_cast<std::size_t>(length)) : std::string_view();
}

// 1-based position of the first byte of `field` (starting at `start`) that fails `ok`; 0 when none.
template <class Pred>
int firstFailing(std::string_view record, int start, int length, Pred ok) {
  const auto f = bytesAt(record, start, length);
  for (std::size_t i = 0; i < f.size(); ++i)
    if (!ok(static_cast<unsigned char>(f[i]))) return start + static_cast<int>(i);
  return 0;
}

}  // namespace

// One analysis, from opening the file to leaving the tables.
class TAnaliseEstrutura::Run {
 public:
  Run(TAnaliseEstrutura& owner, store::Database& db, platform::Interaction& ui, int baseYear, bool zeroValues)
      : owner_(owner), db_(db), ui_(ui), layout_(owner.layout_), L_(owner.layout_.recordLength),
        year_(std::to_string(baseYear)), zeroValues_(zeroValues) {}

  AnalysisOutcome execute(const std::filesystem::path& file);

 private:
  enum class Step { Next, Stop };
  enum class Numeric { RecordNumber, Inscription, RecordType, TipoKeva };

  void examine(ChunkReader& reader);
  Step record(ChunkReader& reader);
  Step typeZero(std::string_view cur);
  Step typeOne(std::string_view cur);
  Step typeTwo(std::string_view cur);
  Step typeNine(std::string_view cur);
  void accept(std::string_view cur);
  void advanceProgress();
  bool confirmInterrupt();
  void writeCountsOfEstablishment();
  void commitBatch();

  // Findings.
  StructureFinding row(bool onCurrent, std::string_view rec, std::string tipo, std::string pos, std::string content,
                       bool fromCounter = false) const;
  StructureFinding onPrevious(std::string tipo, std::string content) const {
    return row(false, previous_, std::move(tipo), "", std::move(content));
  }
  StructureFinding onCurrent(std::string_view cur, std::string tipo, std::string pos, std::string content) const {
    return row(true, cur, std::move(tipo), std::move(pos), std::move(content));
  }
  std::string typeOf(std::string_view rec) const { return rec.size() >= 23 ? showByte(static_cast<unsigned char>(rec[22]), false) : ""; }
  std::string indicatorOf(std::string_view rec) const {
    const auto v = cutField(rec, layout_.tipoUm[slot1::kTipoKeva]);
    return v.empty() ? "" : showByte(static_cast<unsigned char>(v[0]), false);
  }
  Step record(const char* code, std::vector<StructureFinding> rows);
  // "previous, current" with the record type in both rows.
  Step typePair(const char* code, std::string_view cur) {
    return record(code, {onPrevious("1", typeOf(previous_)), onCurrent(cur, "1", "", typeOf(cur))});
  }
  // Previous type, previous indicator, current type (1909, 1914, 1915).
  Step typeIndicatorTriple(const char* code, std::string_view cur) {
    return record(code, {onPrevious("1", typeOf(previous_)), onPrevious("2", indicatorOf(previous_)),
                         onCurrent(cur, "1", "", typeOf(cur))});
  }
  Step notNumeric(std::string_view cur, Numeric which, int position);
  Step unprintable(std::string_view cur, int from, int to);

  TAnaliseEstrutura& owner_;
  store::Database& db_;
  platform::Interaction& ui_;
  const RecordLayout& layout_;
  const int L_;
  const std::string year_;
  const bool zeroValues_;
  std::optional<LoadWithoutChecks> loadSettings_;  // restored when the run ends
  std::optional<WorkTableLoader> loader_;
  std::unique_ptr<store::Transaction> tx_;
  long sinceCommit_ = 0;

  std::vector<StructureFinding> findings_;
  bool finding_ = false, interrupted_ = false, rectification_ = false;
  int separator_ = 0;
  unsigned char sep1_ = 0, sep2_ = 0;
  std::size_t stride_ = 0;
  std::int64_t counter_ = 0;
  std::int64_t prevNumber_ = 0;
  char prevType_ = '4';
  std::string previous_;  // the last accepted record
  bool noLinks_ = false;  // the last establishment declared no links
  std::int64_t establishments_ = 0, links_ = 0;
  // The establishment in hand: stored year, key bytes, its counts.
  bool haveEstablishment_ = false;
  std::string estYear_, estInscription_, estPrefix_;
  std::int64_t estLinks_ = 0, estForeigners_ = 0;
  // Progress: 8 to 100 in steps of a 92nd of the estimated record count.
  double step_ = 0, sinceAdvance_ = 0;
  std::int64_t position_ = 8;
};

StructureFinding TAnaliseEstrutura::Run::row(bool onCurrent, std::string_view rec, std::string tipo, std::string pos,
                                             std::string content, bool fromCounter) const {
  StructureFinding f;
  f.AnBase = year_;
  const auto number = bytesAt(rec, 1, 6);
  if (fromCounter || number.size() < 6 || !isAllDigits(number)) {
    f.Sequencia = zeros6(onCurrent ? prevNumber_ + 1 : prevNumber_);
  } else {
    f.Sequencia = std::string(number);
    if (onCurrent && toNumber(number) != prevNumber_ + 1) f.Sequencia = zeros6(prevNumber_ + 1);
  }
  const auto key = bytesAt(rec, 7, 16);
  if (key.size() == 16 && isPrintable(key)) f.InscricaoPrefixo = std::string(key);
  f.TipoCampo = std::move(tipo);
  f.PosicaoInicial = std::move(pos);
  f.Conteudo = std::move(content);
  return f;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::record(const char* code, std::vector<StructureFinding> rows) {
  for (auto& r : rows) {
    r.CoMsg = code;
    findings_.push_back(std::move(r));
  }
  finding_ = true;
  return Step::Stop;
}

AnalysisOutcome TAnaliseEstrutura::Run::execute(const std::filesystem::path& file) {
  AnalysisOutcome out;
  ui_.progress(0, 100);
  if (db_.tableExists(store::table::kStructure)) db_.dropTable(store::table::kStructure);
  try {
    ChunkReader reader(file);
    if (!reader.isOpen()) throw ReadError("open");
    ui_.progress(8, 100);
    loadSettings_.emplace(db_);
    WorkTableLoader::createWorkTables(db_);
    loader_.emplace(db_, layout_, year_, zeroValues_);
    tx_ = std::make_unique<store::Transaction>(db_, store::Transaction::Scope::Scratch);
    examine(reader);
  } catch (const ReadError&) {
    tx_.reset();
    loader_.reset();
    WorkTableLoader::dropWorkTables(db_);
    loadSettings_.reset();
    findings_.clear();
    ui_.message(platform::DialogKind::Warning, kCopyErrorMessage + file.string(), platform::Buttons::Ok);
    out.result = AnalysisResult::ReadFailed;
    return out;
  }
  out.establishments = establishments_;
  out.links = links_;
  loader_.reset();
  if (finding_ || interrupted_) {
    tx_.reset();
    WorkTableLoader::dropWorkTables(db_);
  } else {
    store::markWorkTablesComplete(db_);  // last, in the load's own transaction
    tx_->commit();
    tx_.reset();
  }
  loadSettings_.reset();
  if (finding_) {
    db_.createTable(*store::findTableDef(store::table::kStructure));
    store::Transaction tx(db_, store::Transaction::Scope::Scratch);
    auto st = db_.prepare(
        "INSERT INTO Te8stru (AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const auto& f : findings_) {
      int i = 1;
      for (const auto* v : {&f.AnBase, &f.CoMsg, &f.Sequencia, &f.InscricaoPrefixo, &f.TipoCampo, &f.PosicaoInicial,
                            &f.Conteudo})
        st.bindAt(i++, *v);
      st.run();
    }
    tx.commit();
    out.result = AnalysisResult::Finding;
    out.findings = std::move(findings_);
    return out;
  }
  out.result = interrupted_ ? AnalysisResult::Interrupted : AnalysisResult::Loaded;
  out.rectification = rectification_;
  return out;
}

void TAnaliseEstrutura::Run::examine(ChunkReader& reader) {
  const auto L = static_cast<std::uint64_t>(L_);
  if (reader.size() < 3 * L) {
    // The start of the file stands for the current record.
    const auto head = reader.peek(22);
    record("1924", {onCurrent(head, "", "", "")});
    return;
  }
  const auto head = reader.peek(L_ + 2);
  const auto a = static_cast<unsigned char>(head[L_]), b = static_cast<unsigned char>(head[L_ + 1]);
  if ((a == kCR && b == kLF) || (a == kLF && b == kCR)) {
    separator_ = 2;
  } else if (a == kCR || a == kLF) {
    separator_ = 1;
  }
  sep1_ = a;
  sep2_ = b;
  stride_ = static_cast<std::size_t>(L_ + separator_);
  step_ = static_cast<double>(reader.size() / stride_) / 92.0;

  while (reader.remaining() > 0) {
    ++counter_;
    if (record(reader) == Step::Stop) return;
  }
  ui_.progress(100, 100);
  if (prevType_ != '9') record("1905", {onPrevious("1", typeOf(previous_))});
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::record(ChunkReader& reader) {
  const auto cur = reader.peek(stride_);
  if (prevType_ == '9') {
    if (reader.remaining() > stride_ || static_cast<unsigned char>(cur[0]) != kEndOfFile)
      return record("1903", {onPrevious("1", typeOf(previous_)),
                             onCurrent(cur, "5", "1", showByte(static_cast<unsigned char>(cur[0]), true))});
    reader.skip(reader.remaining());
    return Step::Next;
  }
  if (reader.remaining() < stride_)
    return record("1904", {onCurrent(cur, "9", "", std::to_string(stride_)),
                           onCurrent(cur, "A", "", std::to_string(reader.remaining()))});
  const auto body = cur.substr(0, static_cast<std::size_t>(L_));
  if (std::memchr(body.data(), kCR, body.size()) || std::memchr(body.data(), kLF, body.size())) {
    const int at = firstFailing(body, 1, L_, isPrintableByte);
    return record("1923", {onCurrent(cur, "5", std::to_string(at),
                                     showByte(static_cast<unsigned char>(body[static_cast<std::size_t>(at - 1)]), true))});
  }
  if (separator_ > 0) {
    const auto x = static_cast<unsigned char>(cur[static_cast<std::size_t>(L_)]);
    const bool sepOk = separator_ == 2 ? x == sep1_ && static_cast<unsigned char>(cur[static_cast<std::size_t>(L_ + 1)]) == sep2_
                                       : x == sep1_;
    if (!sepOk) {
      // The byte after the record, and the next one; peeking further may move
      // the buffer, so the record is taken again from the new view.
      const auto view = reader.peek(stride_ + 1);
      const bool hasNext = view.size() > static_cast<std::size_t>(L_ + 1);
      const auto y = hasNext ? static_cast<unsigned char>(view[static_cast<std::size_t>(L_ + 1)]) : 0;
      std::string content = showByte(x, hasNext && isPrintableByte(y));
      if (separator_ == 2) content += showByte(y, true);
      return record("1900", {onCurrent(view, "5", std::to_string(L_ + 1), content)});
    }
  }
  if (int at = firstFailing(cur, 1, 6, isDigitByte)) return notNumeric(cur, Numeric::RecordNumber, at);
  const std::int64_t number = toNumber(cur.substr(0, 6));
  if (number != counter_)
    return record("1902", counter_ > 1 ? std::vector<StructureFinding>{row(false, previous_, "0", "", std::string(bytesAt(previous_, 1, 6)), true),
                                                                          row(true, cur, "0", "", std::string(cur.substr(0, 6)), true)}
                                       : std::vector<StructureFinding>{row(true, cur, "0", "", std::string(cur.substr(0, 6)), true)});
  if (int at = firstFailing(cur, 7, 14, isDigitByte)) return notNumeric(cur, Numeric::Inscription, at);
  if (!isDigitByte(static_cast<unsigned char>(cur[22]))) return notNumeric(cur, Numeric::RecordType, 23);
  const char type = cur[22];

  advanceProgress();
  if (confirmInterrupt()) {
    interrupted_ = true;
    return Step::Stop;
  }
  if (number == 1 && type != '0') return record("1907", {onCurrent(cur, "1", "", typeOf(cur))});
  Step s = Step::Stop;
  switch (type) {
    case '0': s = typeZero(cur); break;
    case '1': s = typeOne(cur); break;
    case '2': s = typeTwo(cur); break;
    case '9': s = typeNine(cur); break;
    default: return record("1921", {onCurrent(cur, "1", "", typeOf(cur))});
  }
  if (s == Step::Stop) return s;
  accept(cur.substr(0, static_cast<std::size_t>(L_)));
  reader.skip(stride_);
  return Step::Next;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::notNumeric(std::string_view cur, Numeric which, int position) {
  const auto b = static_cast<unsigned char>(cur[static_cast<std::size_t>(position - 1)]);
  const std::string pos = std::to_string(position);
  switch (which) {
    case Numeric::RecordNumber:
    case Numeric::Inscription: {
      const auto field = which == Numeric::RecordNumber ? bytesAt(cur, 1, 6) : bytesAt(cur, 7, 14);
      const char* tipo = which == Numeric::RecordNumber ? "0" : "8";
      return record("1922", {onCurrent(cur, tipo, pos, isPrintable(field) ? std::string(field) : showByte(b, true))});
    }
    case Numeric::RecordType: return record("1922", {onCurrent(cur, "1", pos, showByte(b, false))});
    case Numeric::TipoKeva: return record("1922", {onCurrent(cur, "2", pos, showByte(b, false))});
  }
  return Step::Stop;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::unprintable(std::string_view cur, int from, int to) {
  if (int at = firstFailing(cur, from, to - from + 1, isPrintableByte))
    return record("1901", {onCurrent(cur, "5", std::to_string(at),
                                     showByte(static_cast<unsigned char>(cur[static_cast<std::size_t>(at - 1)]), true))});
  return Step::Next;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::typeZero(std::string_view cur) {
  if (unprintable(cur, 271, 280) == Step::Stop) return Step::Stop;
  if (prevType_ != '4' || counter_ != 1) return record("1906", {onCurrent(cur, "1", "", typeOf(cur))});
  rectification_ = loader_->loadResponsible(cur);
  return Step::Next;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::typeOne(std::string_view cur) {
  const auto& keva = layout_.tipoUm[slot1::kTipoKeva];
  const auto indicator = static_cast<unsigned char>(cur[static_cast<std::size_t>(keva.start - 1)]);
  if (!isDigitByte(indicator)) return notNumeric(cur, Numeric::TipoKeva, keva.start);
  if (unprintable(cur, 228, 265) == Step::Stop) return Step::Stop;
  writeCountsOfEstablishment();

  const auto key = cur.substr(6, 16);
  if (prevType_ == '0') {
    if (counter_ != 2 || key != std::string_view(previous_).substr(6, 16)) return typePair("1908", cur);
  } else if (prevType_ == '1') {
    if (!noLinks_) return typeIndicatorTriple("1909", cur);
    if (key == std::string_view(previous_).substr(6, 16)) return typePair("1910", cur);
  }
  const auto& yearField = layout_.tipoUm[slot1::kAno];
  const auto year = cutField(cur, yearField);
  const std::string_view wanted = layout_.previousYear() ? layout_.baseYear() : std::string_view(year_);
  if (!isAllDigits(year) || year != wanted)
    return record("1911", {onCurrent(cur, "5", std::to_string(yearField.start), isPrintable(year) ? std::string(year) : "")});

  const std::string storedYear = loader_->storedYear(cur);
  const auto inscription = cur.substr(6, 14), prefix = cur.substr(20, 2);
  if (auto first = loader_->findEstablishment(storedYear, inscription, prefix)) {
    // The first occurrence stands as the previous record.
    std::string rebuilt(static_cast<std::size_t>(L_), ' ');
    rebuilt.replace(0, std::min<std::size_t>(first->size(), 6), first->substr(0, 6));
    rebuilt.replace(6, 16, key);
    rebuilt[22] = '1';
    previous_ = rebuilt;
    return typePair("1910", cur);
  }
  if (indicator != '0' && indicator != '1') return record("1912", {onCurrent(cur, "2", "", showByte(indicator, false))});
  noLinks_ = indicator == '1';

  loader_->loadEstablishment(cur.substr(0, static_cast<std::size_t>(L_)), storedYear);
  ++establishments_;
  haveEstablishment_ = true;
  estYear_ = storedYear;
  estInscription_ = std::string(inscription);
  estPrefix_ = std::string(prefix);
  return Step::Next;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::typeTwo(std::string_view cur) {
  const bool sameKey = cur.substr(6, 16) == std::string_view(previous_).substr(6, 16);
  if (prevType_ == '1') {
    if (!sameKey) return noLinks_ ? record("1913", {onCurrent(cur, "1", "", typeOf(cur))}) : typeIndicatorTriple("1915", cur);
    if (noLinks_) return typeIndicatorTriple("1914", cur);
  } else if (prevType_ == '2') {
    if (!sameKey) return typePair("1916", cur);
  } else if (prevType_ == '0') {
    return record("1913", {onCurrent(cur, "1", "", typeOf(cur))});
  }
  loader_->loadLink(cur.substr(0, static_cast<std::size_t>(L_)), estYear_);
  ++links_;
  ++estLinks_;
  if (cutField(cur, layout_.tipoDois[slot2::kNacionalidade]) != "10") ++estForeigners_;
  return Step::Next;
}

TAnaliseEstrutura::Run::Step TAnaliseEstrutura::Run::typeNine(std::string_view cur) {
  if (unprintable(cur, 36, 280) == Step::Stop) return Step::Stop;
  writeCountsOfEstablishment();
  if (prevType_ == '0') return typePair("1917", cur);
  if (prevType_ == '1' && !noLinks_) return typeIndicatorTriple("1915", cur);
  if (cur.substr(6, 16) != std::string_view(previous_).substr(6, 16)) return typePair("1918", cur);
  auto total = [&](int slot) {
    const auto v = cutField(cur, layout_.tipoNove[slot]);
    return isAllDigits(v) ? toNumber(v) : 0;
  };
  auto shown = [&](int slot) {
    const auto v = cutField(cur, layout_.tipoNove[slot]);
    return isPrintable(v) ? std::string(v) : std::string();
  };
  if (total(slot9::kTotalTipo1) != establishments_)
    return record("1919", {onCurrent(cur, "1", "", typeOf(cur)), onCurrent(cur, "3", "", shown(slot9::kTotalTipo1)),
                           onCurrent(cur, "6", "", std::to_string(establishments_))});
  if (total(slot9::kTotalTipo2) != links_)
    return record("1920", {onCurrent(cur, "1", "", typeOf(cur)), onCurrent(cur, "3", "", shown(slot9::kTotalTipo2)),
                           onCurrent(cur, "7", "", std::to_string(links_))});
  loader_->loadTotals(cur);
  return Step::Next;
}

void TAnaliseEstrutura::Run::writeCountsOfEstablishment() {
  if (haveEstablishment_) loader_->writeEstablishmentCounts(estYear_, estInscription_, estPrefix_, estLinks_, estForeigners_);
  haveEstablishment_ = false;
  estLinks_ = estForeigners_ = 0;
}

void TAnaliseEstrutura::Run::accept(std::string_view cur) {
  previous_.assign(cur);
  prevNumber_ = counter_;
  prevType_ = cur[22];
  if (++sinceCommit_ >= kRecordsPerCommit) commitBatch();
}

void TAnaliseEstrutura::Run::commitBatch() {
  tx_->commit();
  tx_ = std::make_unique<store::Transaction>(db_, store::Transaction::Scope::Scratch);
  sinceCommit_ = 0;
}

void TAnaliseEstrutura::Run::advanceProgress() {
  sinceAdvance_ += 1;
  if (sinceAdvance_ > step_) {
    const auto whole = step_ > 0 ? static_cast<std::int64_t>(sinceAdvance_ / step_) : 1;
    sinceAdvance_ -= static_cast<double>(whole) * step_;
    const auto before = std::min<std::int64_t>(position_, 100);
    position_ += whole;
    if (std::min<std::int64_t>(position_, 100) != before) ui_.progress(std::min<std::int64_t>(position_, 100), 100);
  }
  ui_.processEvents();
}

bool TAnaliseEstrutura::Run::confirmInterrupt() {
  return owner_.stop_.confirmed(ui_);
}

AnalysisOutcome TAnaliseEstrutura::AnalisaArquivo(const std::filesystem::path& file, const AnalysisSettings& settings,
                                                  store::Database& db, platform::Interaction& ui) {
  stop_.forget();
  if (settings.previousYear)
    MontaLayoutAnoAnterior(layout_);
  else
    MontaLayoutAnoAtual(layout_);
  Run run(*this, db, ui, settings.baseYear, settings.zeroValues);
  return run.execute(file);
}

std::string inputFileProblem(const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto status = fs::status(file, ec);
  const std::string name = file.string();
  switch (status.type()) {
    case fs::file_type::regular: return {};
    case fs::file_type::not_found: return "arquivo não encontrado: " + name;
    case fs::file_type::directory: return name + " é uma pasta, não um arquivo de declaração";
    case fs::file_type::fifo:
    case fs::file_type::socket:
    case fs::file_type::character:
    case fs::file_type::block: return name + " não é um arquivo comum (é um dispositivo, fila ou canal)";
    default: break;
  }
  if (ec == std::errc::permission_denied) return "sem permissão para ler o arquivo " + name;
  return "não foi possível ler o arquivo " + name;
}

std::vector<StructureFinding> readStructureFindings(store::Database& db) {
  std::vector<StructureFinding> out;
  if (!db.tableExists(store::table::kStructure)) return out;
  auto st = db.prepare(
      "SELECT AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo FROM Te8stru ORDER BY rowid");
  while (st.step())
    out.push_back({st.text(0), st.text(1), st.text(2), st.text(3), st.text(4), st.text(5), st.text(6)});
  return out;
}

}  // namespace torvex::core::declfile
