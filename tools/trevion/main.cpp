// trevion2006: receives a declaration file for transmission. It reads the
// hand-off file Trevion.ini (the `Transmite` folder beside the program, or the
// file given as its only argument), checks the declaration file named there
// (the digest stamped by the writer and the structure as the analyser reads
// it) and, when the file is sound, leaves the receipt beside it: the same name
// with ".rec". A file with a fault gets no receipt; a receipt is never replaced.
//
// Exit status: 0 receipt written; 1 refused (fault in the file, or a receipt
// already there); 2 the hand-off file or the declaration could not be read.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "core/declfile/analise_estrutura.h"
#include "core/delivery/file_digest.h"
#include "core/delivery/transmission.h"
#include "core/platform/clock.h"
#include "core/platform/output_file.h"
#include "core/product.h"
#include "core/store/database.h"
#include "core/store/reference_lookup.h"
#include "core/validation/message_dialog.h"

namespace {

namespace fs = std::filesystem;
using namespace torvex::core;

constexpr int kReceiptWritten = 0;
constexpr int kRefused = 1;
constexpr int kReadError = 2;

// Nobody answers here: messages go to standard error, questions are answered No.
class QuietInteraction : public platform::Interaction {
 public:
  std::string message(platform::DialogKind, const std::string& text, platform::Buttons buttons) override {
    std::cerr << validation::plainLineBreaks(text) << "\n";
    return buttons == platform::Buttons::YesNo || buttons == platform::Buttons::YesNoCancel ? platform::button::kNo
                                                                                         : platform::button::kOk;
  }
};

fs::path executableFolder() {
  std::error_code ec;
  const auto exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

constexpr const char* kScratchPrefix = "trevion-";

// A scratch data folder for the analysis, removed when done. The program's
// reference tables are copied in (when found) for the texts of the findings.
// While the program runs it holds a lock on the folder: a run that was killed
// leaves its folder unlocked, and the next run removes it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / (std::string(kScratchPrefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern;
    fd_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ >= 0) ::flock(fd_, LOCK_EX | LOCK_NB);
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
    if (fd_ >= 0) ::close(fd_);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
  int fd_ = -1;
};

// Removes the scratch folders that killed runs of this user left behind
// (unlocked); folders of a run still going, of other users, and links are left alone.
void removeAbandonedScratchFolders() {
  std::error_code ec;
  const fs::path temp = fs::temp_directory_path(ec);
  if (ec) return;
  for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(kScratchPrefix, 0) != 0 || name.size() != std::string(kScratchPrefix).size() + 6) continue;
    const int fd = ::open(it->path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::getuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      std::error_code removeEc;
      fs::remove_all(it->path(), removeEc);
    }
    ::close(fd);
  }
}

std::string secondLine(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  std::getline(in, line);
  line.clear();
  char c;
  while (line.size() < 600 && in.get(c) && c != '\n') line += c;
  return line;
}

std::string zeroPadded(long long value, std::size_t width) {
  std::string s = std::to_string(value);
  return s.size() < width ? std::string(width - s.size(), '0') + s : s;
}

int refuse(const std::string& text) {
  std::cerr << text << "\nNenhum recibo foi gravado.\n";
  return kRefused;
}

int run(int argc, char** argv) {
  removeAbandonedScratchFolders();
  const fs::path program = executableFolder();
  const fs::path handOff = argc > 1 ? fs::path(argv[1]) : program.parent_path() / "Transmite" / delivery::kHandOffFileName;
  const auto declaration = delivery::readHandOffFile(handOff);
  if (!declaration) {
    std::cerr << "Não foi possível ler o arquivo " << handOff.string()
              << ", que indica a declaração a transmitir.\n";
    return kReadError;
  }
  std::error_code ec;
  if (const std::string problem = delivery::declarationFileProblem(*declaration); !problem.empty()) {
    std::cerr << "Não foi possível receber a declaração: " << problem << "\n";
    return kReadError;
  }
  const fs::path receipt = delivery::receiptPath(*declaration);
  if (fs::exists(receipt, ec))
    return refuse("A declaração " + declaration->string() + " já foi transmitida: o recibo " + receipt.string() +
                  " já existe.");

  std::cout << "Transmitindo " << declaration->string() << " ...\n";
  const delivery::StampedDigest digest = delivery::checkStampedDigest(*declaration);
  if (!digest.readable) {
    std::cerr << "Não foi possível ler o arquivo " << declaration->string() << ".\n";
    return kReadError;
  }
  if (!digest.matches())
    return refuse("O código de verificação do arquivo não confere (gravado \"" + digest.stored + "\", calculado \"" +
                  digest.computed +
                  "\"): o arquivo foi alterado depois de gravado. Grave a declaração novamente com o TORVEX.");

  ScratchFolder scratch;
  if (scratch.path().empty()) {
    std::cerr << "Não foi possível criar uma pasta temporária para a análise do arquivo.\n";
    return kReadError;
  }
  fs::copy_file(program.parent_path() / "dados" / store::Database::kReferenceFile,
                scratch.path() / store::Database::kReferenceFile, ec);
  declfile::AnalysisOutcome analysis;
  std::vector<std::string> findingTexts;
  {
    store::Database db(scratch.path(), store::Database::Mode::Create);
    QuietInteraction ui;
    declfile::TAnaliseEstrutura analyser;
    analysis = analyser.AnalisaArquivo(*declaration, {}, db, ui);
    if (analysis.result == declfile::AnalysisResult::Finding) {
      std::optional<store::ReferenceLookup> reference;
      try {
        reference.emplace(db);
      } catch (const std::exception&) {
      }
      for (const auto& f : analysis.findings) {
        std::string line = "Erro de estrutura " + f.CoMsg + " no registro " + f.Sequencia;
        if (!f.PosicaoInicial.empty()) line += ", posição " + f.PosicaoInicial;
        if (!f.Conteudo.empty()) line += ", conteúdo \"" + f.Conteudo + "\"";
        if (reference) line += ": " + validation::messageText(*reference, f.CoMsg);
        findingTexts.push_back(line);
      }
    }
  }
  switch (analysis.result) {
    case declfile::AnalysisResult::Loaded: break;
    case declfile::AnalysisResult::Finding: {
      std::string text = "O arquivo tem erro de estrutura e não pode ser transmitido:";
      for (const auto& t : findingTexts) text += "\n  " + t;
      return refuse(text);
    }
    default:
      std::cerr << "Não foi possível analisar o arquivo " << declaration->string() << ".\n";
      return kReadError;
  }

  const auto crc = delivery::fileCrc32(*declaration);
  if (!crc) {
    std::cerr << "Não foi possível ler o arquivo " << declaration->string() << ".\n";
    return kReadError;
  }
  const platform::LocalTime now = platform::systemClock().now();
  const std::string time = platform::timeOfDayText(now);
  reports::TransmissionReceipt fields;
  fields.number = "5" + zeroPadded((*crc ^ static_cast<std::uint32_t>(std::stol(time))) % 100000000, 8);
  const std::string establishment = secondLine(*declaration);
  fields.inscription = establishment.size() >= 20 ? establishment.substr(6, 14) : std::string();
  fields.fileCrc = delivery::crcText(*crc);
  fields.establishments = zeroPadded(analysis.establishments, 5);
  fields.links = zeroPadded(analysis.links, 6);
  fields.date = platform::dateText(now);
  fields.time = time.substr(0, 4);
  fields.hash = digest.stored;
  const std::string line = delivery::composeReceipt(fields) + "\r\n";

  // Written whole under a temporary name; never replaces a receipt that appeared meanwhile.
  try {
    platform::OutputFile out(receipt);
    out.write(line);
    out.commitNew();
  } catch (const platform::OutputFileError& e) {
    if (e.error() == EEXIST) return refuse("O recibo " + receipt.string() + " já existe.");
    std::cerr << "Não foi possível gravar o recibo " << receipt.string() << ": " << e.what() << ".\n";
    return kReadError;
  }
  std::cout << "Declaração recebida. Recibo nº " << fields.number << " gravado em " << receipt.string() << "\n";
  return kReceiptWritten;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "trevion: " << e.what() << "\n";
    return kReadError;
  }
}
