#include "core/delivery/declaration_writer.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <system_error>

#include "core/delivery/declaration_records.h"
#include "core/delivery/destination_folder.h"
#include "core/delivery/file_digest.h"
#include "core/delivery/media_operations.h"
#include "core/delivery/record_text.h"
#include "core/delivery/transmission.h"
#include "core/platform/output_file.h"
#include "core/store/table_def.h"
#include "core/text/utf8_text.h"
#include "core/validation/message_dialog.h"

namespace torvex::core::delivery {
namespace fs = std::filesystem;
using platform::Buttons;
using platform::DialogKind;
namespace button = platform::button;

std::string currentTimeOfDay(const platform::Clock& clock) { return platform::timeOfDayText(clock.now()); }

namespace {

constexpr long long kRecordBytes = 529;         // 527 characters and CR LF
constexpr long long kLastSlotMargin = 3529;     // room left for records 9 and the next ones
constexpr long long kEstablishmentWithLinksSlotMargin = 4058; // an establishment with links needs one more slot
constexpr long long kMinimumCapacity = 1410;

// Thrown inside a run to end it; the marks set before it decide the result.
struct EndRun {};

std::string fileNumberText(int number) { return number < 10 ? "0" + std::to_string(number) : std::to_string(number); }

}  // namespace

// One write run: its state lives only while the run does.
class WriteRun {
 public:
  WriteRun(DeclarationWriter& w, const WriteRequest& r) : w_(w), req_(r), drive_(platform::normalDrive(r.drive)) {}

  WriteOutcome run() {
    out_.result = outcome();
    return std::move(out_);
  }

 private:
  WriteResult outcome() {
    w_.stop_.forget();
    w_.ui_.progress(0, 0);
    try {
      w_.db_.createTable(*store::findTableDef(store::table::kProtocolFiles));
      w_.db_.createTable(*store::findTableDef(store::table::kProtocolEstablishments));
    } catch (const std::exception&) {
      return WriteResult::Failed;
    }
    {
      // One transaction for the protocol rows, unless the caller already holds one.
      std::optional<store::Transaction> tx;
      if (!w_.db_.inTransaction()) tx.emplace(w_.db_, store::Transaction::Scope::Scratch);
      try {
        body();
      } catch (const EndRun&) {
      }
      file_ = nullptr;
      // Open statements would keep the protocol tables from being dropped.
      establishmentLookup_.reset();
      links_.reset();
      insertFile_.reset();
      closeFileRow_.reset();
      insertEstablishment_.reset();
      if (tx) tx->commit();
    }
    if (error_ || interrupted_) {
      w_.db_.dropTable(store::table::kProtocolFiles);
      w_.db_.dropTable(store::table::kProtocolEstablishments);
    }
    // A run that does not finish leaves nothing of itself on the destination.
    if (error_ || interrupted_ || capacityLow_ || deleteFailed_) removeWrittenFiles();
    if (error_) return WriteResult::Failed;
    if (interrupted_) return WriteResult::Interrupted;
    if (capacityLow_ || deleteFailed_) return WriteResult::Failed;
    return WriteResult::Success;
  }

 private:
  struct Target {
    EstablishmentKey key;
    bool withLinks = false;
  };

  bool removable() const { return platform::isRemovableDrive(drive_); }
  const char* respTable() const {
    return req_.fromWorkTables || req_.rectification ? store::table::kWorkResponsible : store::table::kResponsible;
  }
  const char* establishmentTable() const { return req_.fromWorkTables ? store::table::kWorkEstablishments : store::table::kEstablishments; }
  const char* vincTable() const {
    return req_.fromWorkTables || req_.rectification ? store::table::kWorkLinks : store::table::kLinks;
  }

  [[noreturn]] void fail() {
    error_ = true;
    throw EndRun{};
  }
  // A file operation on the destination failed with `error` (an errno value):
  // the run fails and says why.
  [[noreturn]] void failWriting(int error) {
    if (out_.failureCause.empty()) out_.failureCause = writeFailureCause(error, w_.media_.folder(drive_));
    fail();
  }
  [[noreturn]] void failWriting(const platform::OutputFileError& e) {
    if (e.error() != 0) failWriting(e.error());
    if (out_.failureCause.empty()) out_.failureCause = e.what();
    fail();
  }
  [[noreturn]] void interrupt() {
    interrupted_ = true;
    throw EndRun{};
  }
  // Files not yet given their names go with the set; those already named
  // (earlier disks of a removable run) are removed by name.
  void removeWrittenFiles() {
    file_ = nullptr;
    pending_.discardAll();
    std::error_code ec;
    for (const auto& f : out_.files)
      if (committed_.count(f.path.string())) fs::remove(f.path, ec);
    out_.files.clear();
  }

  void inform(const std::string& text) { w_.ui_.message(DialogKind::Information, text, Buttons::Ok); }
  bool confirm(const std::string& text) {
    return w_.ui_.message(DialogKind::Confirmation, text, Buttons::YesNo) == button::kYes;
  }

  // ------------------------------------------------------------ the run

  void body() {
    readResponsible();
    const std::vector<Target> targets = collectTargets();
    progressTotal_ = progressTotal(targets);
    w_.ui_.progress(0, progressTotal_);
    if (!diskReadyCheck(w_.media_, w_.ui_, req_.drive)) interrupt();
    capacity_ = removable() ? w_.media_.capacity(drive_).value_or(0) : kHardDiskCapacity;
    written_ = capacity_ - kLastSlotMargin;
    // What killed runs left behind there goes first (only their temporary files).
    platform::removeAbandonedOutputs(w_.media_.folder(drive_),
                                     [](const std::string& name) { return isDeclarationFileName(name); });

    prepareStatements();
    for (const Target& t : targets) writeEstablishment(t);
    if (file_) closeFile();
    // The files of the hard disk get their names together, once all are complete.
    publishPending();
  }

  void publishPending() {
    try {
      pending_.commitAll();
    } catch (const platform::OutputFileError& e) {
      failWriting(e);
    }
    for (std::size_t i = 0; i < pending_.size(); ++i) committed_.insert(pending_[i].target().string());
    pending_.clear();
  }

  void readResponsible() {
    auto st = w_.db_.prepare("SELECT * FROM " + store::quoteIdentifier(respTable()) + " ORDER BY rowid LIMIT 1");
    if (st.step()) resp_ = RowSnapshot::of(st);
    rectificationDate_ = rectificationDate();
    generationDate_ = generationDate();
  }

  std::string rectificationDate() const {
    if (!req_.fromWorkTables)
      return req_.rectification && !req_.generationDate.empty() ? req_.generationDate : "00000000";
    const std::string stored(resp_.text("DaRetificacao"));
    if (req_.rectification && text::trimBlanks(stored).empty()) return req_.generationDate;
    return stored;
  }

  std::string generationDate() const {
    if (!req_.fromWorkTables) return req_.generationDate;
    const std::string stored(resp_.text("DaGeracao"));
    if (req_.rectification && text::trimBlanks(stored).empty()) return req_.generationDate;
    return stored;
  }

  std::vector<Target> collectTargets() {
    std::vector<Target> out;
    const std::string establishments = store::quoteIdentifier(establishmentTable());
    if (!req_.selection) {
      auto st = w_.db_.prepare("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                               "InKevaNegEstabelecimento FROM " + establishments +
                               " ORDER BY AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
      while (st.step()) out.push_back({{st.text(0), st.text(1), st.text(2)}, st.text(3) == "0"});
      return out;
    }
    auto st = w_.db_.prepare("SELECT InKevaNegEstabelecimento FROM " + establishments +
                             " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p");
    for (const auto& entry : *req_.selection) {
      if (!entry.selected) continue;
      st.reset();
      st.bind(":a", entry.key.anBase).bind(":i", entry.key.inscricao).bind(":p", entry.key.prefixo);
      // A key that is gone is reported when its turn comes.
      out.push_back({entry.key, st.step() && st.text(0) == "0"});
    }
    return out;
  }

  long long progressTotal(const std::vector<Target>& targets) {
    auto st = w_.db_.prepare("SELECT COUNT(*) FROM " + store::quoteIdentifier(vincTable()) +
                             " WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p");
    long long total = 0;
    for (const auto& t : targets) {
      total += 1;
      if (!t.withLinks) continue;
      st.reset();
      st.bind(":a", t.key.anBase).bind(":i", t.key.inscricao).bind(":p", t.key.prefixo);
      if (st.step()) total += st.integer(0);
    }
    return total;
  }

  void prepareStatements() {
    const std::string key = "AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p";
    establishmentLookup_ = std::make_unique<store::Statement>(
        w_.db_.prepare("SELECT * FROM " + store::quoteIdentifier(establishmentTable()) + " WHERE " + key));
    std::string order;
    for (const auto& f : store::findTableDef(store::table::kLinks)->primaryIndex()->fields)
      order += (order.empty() ? "" : ", ") + store::quoteIdentifier(f);
    links_ = std::make_unique<store::Statement>(w_.db_.prepare(
        "SELECT * FROM " + store::quoteIdentifier(vincTable()) + " WHERE " + key + " ORDER BY " + order));
    records_.bindLink(*links_);
    insertFile_ = std::make_unique<store::Statement>(w_.db_.prepare(
        "INSERT INTO te8ProID (NuDisquete, AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
        "InInscrEstabelecimento, NoRazaoEstabelecimento, EdEstabelecimento, NuEnderecoEstabelecimento, "
        "TxComplemEstabelecimento, NoBairroEstabelecimento, CoCepEstabelecimento, CoMunicipio, "
        "NoMunicEstabelecimento, SgUf, NuDDD, NuTelefone, TxEMailEstabelecimento, CoCgcCeiResponsavel, "
        "InInscrResponsavel, NoResponsavelArquivo, EdLogradouroRespArquivo, NuLogradouroRespArquivo, "
        "TxComplementoRespArquivo, NoBairroRespArquivo, CoCepRespArquivo, CoMunicipioRespArquivo, "
        "NoMunicipioRespArquivo, SgUfRespArquivo, NuFoneDDD, NuFoneAssinante, TxEMailRespArquivo, "
        "InReciboParaRespArquivo, InRetificacao, DaGeracao, HoSenha, InEncerramentoAtividade, "
        "DaEncerramentoAtividade) VALUES (:NuDisquete, :AnBase, :CoCgcCeiEstabelecimento, "
        ":NuPrefixoEstabelecimento, :InInscrEstabelecimento, :NoRazaoEstabelecimento, :EdEstabelecimento, "
        ":NuEnderecoEstabelecimento, :TxComplemEstabelecimento, :NoBairroEstabelecimento, "
        ":CoCepEstabelecimento, :CoMunicipio, :NoMunicEstabelecimento, :SgUf, :NuDDD, :NuTelefone, "
        ":TxEmailEstabelecimento, :CoCgcCeiResponsavel, :InInscrResponsavel, :NoResponsavelArquivo, "
        ":EdLogradouroRespArquivo, :NuLogradouroRespArquivo, :TxComplementoRespArquivo, :NoBairroRespArquivo, "
        ":CoCepRespArquivo, :CoMunicipioRespArquivo, :NoMunicipioRespArquivo, :SgUfRespArquivo, :NuFoneDDD, "
        ":NuFoneAssinante, :TxEMailRespArquivo, :InReciboParaRespArquivo, :InRetificacao, :DaGeracao, "
        ":HoSenha, :InEncerramentoAtividade, :DaEncerramentoAtividade)"));
    closeFileRow_ = std::make_unique<store::Statement>(w_.db_.prepare(
        "UPDATE te8ProID SET NuEstabelecimentos = :e, NuVinculos = :v WHERE rowid = :row"));
    insertEstablishment_ = std::make_unique<store::Statement>(w_.db_.prepare(
        "INSERT INTO te8ProES (NuDisquete, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
        "InInscrEstabelecimento, NoRazaoEstabelecimento, NuVinculosEstabelecimento, DaEncerramentoAtividade) "
        "VALUES (:NuDisquete, :CoCgcCeiEstabelecimento, :NuPrefixoEstabelecimento, :CoCgcVinculado, "
        ":InInscrEstabelecimento, :NoRazaoEstabelecimento, :n, :DaEncerramentoAtividade)"));
  }

  void writeEstablishment(const Target& t) {
    establishmentLookup_->reset();
    establishmentLookup_->bind(":a", t.key.anBase).bind(":i", t.key.inscricao).bind(":p", t.key.prefixo);
    if (!establishmentLookup_->step()) {
      w_.ui_.message(DialogKind::Error,
                     std::string("Erro na leitura dos dados para gravação do arquivo Keva") +
                         std::string(declfile::kBaseYear) + "!",
                     Buttons::Ok);
      fail();
    }
    current_ = RowSnapshot::of(*establishmentLookup_);
    if (!bound_) {
      records_.bindEstablishment(current_);
      bound_ = true;
    }
    currentRecord_ = records_.establishment(current_);
    const bool withLinks = current_.text("InKevaNegEstabelecimento") == "0";

    processInterruption();
    if (written_ >= capacity_ - kLastSlotMargin || (withLinks && written_ >= capacity_ - kEstablishmentWithLinksSlotMargin))
      openNextFile();
    writeEstablishmentRecord();
    advanceProgress();
    if (!withLinks) return;

    const std::string inscricao(current_.text("CoCgcCeiEstabelecimento"));
    const std::string prefixo(current_.text("NuPrefixoEstabelecimento"));
    auto& links = *links_;
    links.reset();
    links.bind(":a", t.key.anBase).bind(":i", t.key.inscricao).bind(":p", t.key.prefixo);
    while (links.step()) {
      processInterruption();
      if (written_ >= capacity_ - kLastSlotMargin) {
        openNextFile();
        writeEstablishmentRecord();
      }
      records_.link(linkRecord_, links, inscricao, prefixo);
      records_.setSequence(linkRecord_, sequence_++);
      writeRecord(linkRecord_);
      ++fileLinks_;
      ++linksSinceEstablishment_;
      written_ += kRecordBytes;
      advanceProgress();
    }
  }

  void writeEstablishmentRecord() {
    records_.setSequence(currentRecord_, sequence_++);
    writeRecord(currentRecord_);
    const bool firstOfFile = fileEstablishments_ == 0;
    flushPendingEstablishment();
    if (firstOfFile) appendFileRow();
    pendingEstablishment_ = true;
    pendingRow_ = current_;
    pendingDisk_ = fileNumber_;
    linksSinceEstablishment_ = 0;
    ++fileEstablishments_;
    if (current_.text("NuPrefixoEstabelecimento") != "00") ++filePrefixesNotZero_;
    lastInscricao_ = current_.text("CoCgcCeiEstabelecimento");
    lastPrefixo_ = current_.text("NuPrefixoEstabelecimento");
    written_ += kRecordBytes;
  }

  void advanceProgress() { w_.ui_.progress(++progress_, progressTotal_); }

  // ------------------------------------------------------------ interruption

  void processInterruption() {
    w_.ui_.processEvents();
    if (w_.stop_.confirmed(w_.ui_)) interrupt();
  }

  // ------------------------------------------------------------ files

  std::string fileName() const {
    return baseName_ + fileNumberText(fileNumber_) + (req_.rectification ? "R" : "G");
  }

  void openNextFile() {
    if (file_) closeFile();
    ++fileNumber_;
    ++filesStarted_;
    filePrefixesNotZero_ = 0;
    bool retry = false;
    const std::string letter(1, drive_);
    for (;;) {
      if (baseName_.empty())
        baseName_ = "Keva" + std::string(declfile::kBaseYear) + "_" + std::string(current_.text("CoCgcCeiEstabelecimento")) +
                    std::string(current_.text("NuPrefixoEstabelecimento"));
      const std::string name = fileName();
      const std::string dec = name + ".dec";
      if (removable() && (filesStarted_ > 1 || retry)) {
        if (!insertDiskPrompt(w_.media_, w_.ui_, drive_, fileNumber_)) interrupt();
        if (!diskReadyCheck(w_.media_, w_.ui_, drive_)) interrupt();
      }
      if (filesStarted_ > 1) out_.severalFiles = true;
      if (removable()) {
        const auto entries = destinationEntries(w_.media_, drive_);
        if (entries.size() >= 2 || (entries.size() == 1 && entries.front() != dec)) {
          inform("O disco a ser gravado não pode conter arquivos.");
          retry = true;
          continue;
        }
      }
      if (destinationHasFile(w_.media_, drive_, dec)) {
        if (destinationHasFile(w_.media_, drive_, name + ".rec")) {
          if (!confirm(" A declaração \"" + dec + "\" no drive " + letter + ": .\rjá foi transmitida. Deseja gravar mesmo assim?"))
            interrupt();
          ++fileNumber_;
          continue;
        }
        if (!overwriteAuthorised_) {
          if (!confirm("Existe um arquivo de nome \"" + dec + "\" no drive " + letter + ": .\rAutoriza gravar sobre?"))
            interrupt();
          overwriteAuthorised_ = true;
          // The older file stays until the new one is complete and takes its name;
          // a name that could not be replaced is told now, as a failed deletion.
          if (platform::unreplaceableTarget(w_.media_.folder(drive_) / dec)) {
            inform("O arquivo \"" + dec + ".\" não pode ser excluido.");
            deleteFailed_ = true;
            throw EndRun{};
          }
        }
      }
      capacity_ = removable() ? w_.media_.capacity(drive_).value_or(0) : kHardDiskCapacity;
      if (capacity_ < kMinimumCapacity) {
        inform("Espaço disponível para gravação abaixo do mínimo aceitável.");
        capacityLow_ = true;
        throw EndRun{};
      }
      const fs::path path = w_.media_.folder(drive_) / dec;
      // Written under a temporary name of its own, named only once complete with its digest.
      try {
        file_ = &pending_.add(path);
      } catch (const platform::OutputFileError& e) {
        inform("Disco com problema ou não há disco na unidade.");
        // The hard disk offers no other disk to try.
        if (!removable()) failWriting(e);
        retry = true;
        continue;
      }
      out_.lastWrittenPath = path;
      out_.filesWritten = filesStarted_;
      break;
    }
    writeResponsibleRecord();
  }

  void writeResponsibleRecord() {
    ResponsibleRecordValues v;
    v.inscricao = current_.text("CoCgcCeiEstabelecimento");
    v.prefixo = current_.text("NuPrefixoEstabelecimento");
    v.receiptToResponsible = resp_.logical("InReciboParaRespArquivo").value_or(false);
    v.rectification = req_.rectification;
    v.rectificationDate = rectificationDate_;
    v.generationDate = generationDate_;
    v.timeOfDay = currentTimeOfDay(*w_.clock_);
    writeRecord(records_.responsible(resp_, v));
    written_ = 0;
    fileEstablishments_ = 0;
    fileLinks_ = 0;
    sequence_ = 2;
  }

  void writeRecord(const std::string& record) {
    try {
      file_->write(record);
      file_->write("\r\n");
    } catch (const platform::OutputFileError& e) {
      failWriting(e);
    }
  }

  void closeFile() {
    TotalsRecordValues v;
    v.inscricao = lastInscricao_;
    v.prefixo = lastPrefixo_;
    v.establishments = fileEstablishments_;
    v.links = fileLinks_;
    v.prefixesNotZero = filePrefixesNotZero_;
    v.fromDeclarationTables = !req_.fromWorkTables;
    v.survey = resp_.text("NuRespostaPesquisa");
    std::string record = records_.totals(v);
    records_.setSequence(record, sequence_++);
    writeRecord(record);
    flushPendingEstablishment();
    closeFileRow_->reset();
    closeFileRow_->bind(":e", zeroPadded(fileEstablishments_, 6))
        .bind(":v", zeroPadded(fileLinks_, 6))
        .bind(":row", fileRow_);
    closeFileRow_->run();
    fileEstablishments_ = 0;
    fileLinks_ = 0;
    filePrefixesNotZero_ = 0;

    try {
      file_->flush();
    } catch (const platform::OutputFileError& e) {
      failWriting(e);
    }
    processInterruption();
    stampDigest();
  }

  void stampDigest() {
    platform::OutputFile& f = *file_;
    file_ = nullptr;
    std::string digest;
    errno = 0;
    try {
      digest = hashFileGenerate(f.temporaryPath());
    } catch (const std::exception&) {
      failWriting(errno ? errno : EIO);
    }
    try {
      if (f.size() < 34) failWriting(EIO);
      f.writeAt(f.size() - 34, std::string_view(digest).substr(0, kDigestLength));
    } catch (const platform::OutputFileError& e) {
      failWriting(e);
    }
    out_.files.push_back({f.target(), digest});
    // A removable disk is given up for the next one: its file is named now.
    if (removable()) publishPending();
  }

  // ------------------------------------------------------------ protocol tables

  void appendFileRow() {
    auto& st = *insertFile_;
    st.reset();
    st.bind(":NuDisquete", std::to_string(fileNumber_));
    for (const char* c : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "InInscrEstabelecimento",
                          "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento",
                          "TxComplemEstabelecimento", "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio",
                          "NoMunicEstabelecimento", "SgUf", "NuDDD", "NuTelefone", "TxEmailEstabelecimento",
                          "InEncerramentoAtividade", "DaEncerramentoAtividade"})
      st.bind(std::string(":") + c, current_.text(c));
    for (const char* c : {"CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo",
                          "EdLogradouroRespArquivo", "NuLogradouroRespArquivo", "TxComplementoRespArquivo",
                          "NoBairroRespArquivo", "CoCepRespArquivo", "CoMunicipioRespArquivo",
                          "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante",
                          "TxEMailRespArquivo"})
      st.bind(std::string(":") + c, resp_.text(c));
    st.bindLogical(":InReciboParaRespArquivo", resp_.logical("InReciboParaRespArquivo"));
    st.bindLogical(":InRetificacao", req_.rectification);
    st.bind(":DaGeracao", req_.generationDate);
    st.bind(":HoSenha", req_.generationTime);
    st.run();
    fileRow_ = sqlite3_last_insert_rowid(w_.db_.handle());
  }

  // The establishment row of te8ProES is written once its link count is known.
  void flushPendingEstablishment() {
    if (!pendingEstablishment_) return;
    auto& st = *insertEstablishment_;
    st.reset();
    st.bind(":NuDisquete", std::to_string(pendingDisk_));
    for (const char* c : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado",
                          "InInscrEstabelecimento", "NoRazaoEstabelecimento", "DaEncerramentoAtividade"})
      st.bind(std::string(":") + c, pendingRow_.text(c));
    st.bind(":n", zeroPadded(linksSinceEstablishment_, 6));
    st.run();
    pendingEstablishment_ = false;
  }

  DeclarationWriter& w_;
  const WriteRequest& req_;
  const char drive_;
  RecordBuilder records_;
  bool bound_ = false;

  RowSnapshot resp_;
  std::string rectificationDate_;
  std::string generationDate_;
  RowSnapshot current_;
  std::string currentRecord_;
  std::string linkRecord_;

  std::unique_ptr<store::Statement> establishmentLookup_, links_, insertFile_, closeFileRow_, insertEstablishment_;

  long long progress_ = 0;
  long long progressTotal_ = 0;
  long long capacity_ = 0;
  long long written_ = 0;
  int fileNumber_ = 0;
  int filesStarted_ = 0;
  std::string baseName_;
  platform::OutputFileSet pending_;       // files written but not yet under their names
  platform::OutputFile* file_ = nullptr;  // the one being written, in pending_
  std::set<std::string> committed_;       // files already under their names
  long long sequence_ = 2;
  long long fileEstablishments_ = 0;
  long long fileLinks_ = 0;
  long long filePrefixesNotZero_ = 0;
  long long linksSinceEstablishment_ = 0;
  std::string lastInscricao_;
  std::string lastPrefixo_;
  std::int64_t fileRow_ = 0;
  bool pendingEstablishment_ = false;
  RowSnapshot pendingRow_;
  int pendingDisk_ = 0;

  WriteOutcome out_;
  bool error_ = false;
  bool interrupted_ = false;
  bool capacityLow_ = false;
  bool deleteFailed_ = false;
  bool overwriteAuthorised_ = false;
};

DeclarationWriter::DeclarationWriter(store::Database& db, const platform::Media& media, platform::Interaction& ui)
    : db_(db), media_(media), ui_(ui) {}

WriteOutcome DeclarationWriter::write(const WriteRequest& request) { return WriteRun(*this, request).run(); }

}  // namespace torvex::core::delivery
