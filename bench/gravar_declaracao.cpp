// gravar_declaracao: benchmark of the declaration writer. Stores a declaration
// of N links in a fresh data folder (rows inserted directly), then writes it to
// the hard-disk folder and reports the time, the files and the peak memory.
//   gravar_declaracao [--vinculos N] [--estabelecimentos N] [--pasta DIR] [--referencia referencia.db]
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "core/delivery/declaration_writer.h"
#include "core/delivery/folder_media.h"
#include "core/store/database.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using torvex::core::store::Database;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// User and system CPU seconds of the process so far.
double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long peakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

std::string zeros(long long value, int width) {
  std::string s = std::to_string(value);
  return s.size() >= static_cast<std::size_t>(width) ? s : std::string(static_cast<std::size_t>(width) - s.size(), '0') + s;
}

// Inserts one row per call with the same columns every time.
class RowInserter {
 public:
  RowInserter(Database& db, std::string table) : db_(db), table_(std::move(table)) {}
  void insert(const std::map<std::string, std::string>& values) {
    if (!st_) {
      std::string cols, params;
      for (const auto& [k, v] : values) {
        cols += (cols.empty() ? "" : ", ") + k;
        params += (params.empty() ? ":" : ", :") + k;
      }
      st_ = std::make_unique<torvex::core::store::Statement>(
          db_.prepare("INSERT INTO " + table_ + " (" + cols + ") VALUES (" + params + ")"));
    }
    st_->reset();
    for (const auto& [k, v] : values) st_->bind(":" + k, v);
    st_->run();
  }

 private:
  Database& db_;
  std::string table_;
  std::unique_ptr<torvex::core::store::Statement> st_;
};

void store(Database& db, long establishments, long long links) {
  torvex::core::store::Transaction tx(db);
  RowInserter responsibleRows(db, "BD8Resp"), establishmentRows(db, "BD8Emp"), linkRows(db, "BD8Vinc");
  responsibleRows.insert({{"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
               {"NoResponsavelArquivo", "CONTABIL EXEMPLO"}, {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
               {"NuLogradouroRespArquivo", "000012"}, {"CoCepRespArquivo", "70040010"},
               {"CoMunicipioRespArquivo", "5300108"}, {"NoMunicipioRespArquivo", "BRASILIA"},
               {"SgUfRespArquivo", "DF"}, {"NuFoneDDD", "61"}, {"NuFoneAssinante", "33224455"},
               {"InReciboParaRespArquivo", "1"}});
  long long written = 0;
  for (long e = 0; e < establishments; ++e) {
    const std::string inscricao = zeros(10000000 + e, 8) + "000100";
    establishmentRows.insert({{"AnBase", "2006"}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", "00"},
                {"CoCgcVinculado", "00000000000000"}, {"NoRazaoEstabelecimento", "EMPRESA " + std::to_string(e)},
                {"EdEstabelecimento", "AV CENTRAL"}, {"NuEnderecoEstabelecimento", "000100"},
                {"CoCepEstabelecimento", "70040010"}, {"CoMunicipio", "5300108"},
                {"NoMunicEstabelecimento", "BRASILIA"}, {"SgUf", "DF"}, {"NuDDD", "61"}, {"NuTelefone", "33334444"},
                {"CoCnae2", "4711302"}, {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "01"},
                {"MeDataBase", "05"}, {"InInscrEstabelecimento", "1"}, {"InKevaNegEstabelecimento", "0"},
                {"InPorte", "1"}, {"InOptanteSimples", "2"}, {"InParticipaPAT", "2"},
                {"InEncerramentoAtividade", "2"}, {"InAtividadeAnoBase", "1"}});
    const long long count = links / establishments + (e < links % establishments ? 1 : 0);
    for (long long i = 0; i < count; ++i, ++written) {
      linkRows.insert({{"AnBase", "2006"}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", "00"},
                   {"CoPisPasepEmpregado", zeros(10000000000LL + written, 11)}, {"DaAdmissaoEmpregado", "01022006"},
                   {"NoEmpregado", "EMPREGADO " + std::to_string(written)}, {"DaNascimentoEmpregado", "15031980"},
                   {"CoNacionalidade", "10"}, {"CoInstrucao", "07"}, {"CoCpfEmpregado", "00000000191"},
                   {"NuCartTrabEmpregado", "00012345"}, {"SeCartTrabEmpregado", "00123"}, {"CoTipoAdmissao", "2"},
                   {"VaSalContratualEmpregado", "000150000"}, {"CoTipoSalarioContratual", "1"},
                   {"HoSemanaisEmpregado", "44"}, {"CoCbo", "411005"}, {"CoVinculo", "10"},
                   {"VaJaneiroEmpregado", "000150000"}, {"VaFevereiroEmpregado", "000150000"},
                   {"VaMarcoEmpregado", "000150000"}, {"VaDezembroEmpregado", "000150000"},
                   {"CoTipoRaca", "2"}, {"InDeficienteFisico", "2"}, {"InSexo", "1"},
                   {"CoMunicipioTrabalho", "5300108"}, {"InSindicalizadoVinculo", "2"}});
    }
  }
  tx.commit();
}

// Nobody to ask: the run never stops.
class Silent : public torvex::core::platform::Interaction {
 public:
  std::string message(torvex::core::platform::DialogKind, const std::string& text,
                      torvex::core::platform::Buttons) override {
    std::cerr << text << "\n";
    return torvex::core::platform::button::kNo;
  }
  void processEvents() override { ++events; }
  long long events = 0;
};

}  // namespace

int main(int argc, char** argv) {
  long long links = 1000000;
  long establishments = 1000;
  fs::path folder = fs::temp_directory_path() / "torvex-gravar-bench";
  fs::path reference = fs::path(argv[0]).parent_path() / ".." / "bin" / "dados" / "referencia.db";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--vinculos") links = std::stoll(argv[i + 1]);
    else if (a == "--estabelecimentos") establishments = std::stol(argv[i + 1]);
    else if (a == "--pasta") folder = argv[i + 1];
    else if (a == "--referencia") reference = argv[i + 1];
    else {
      std::cerr << "uso: gravar_declaracao [--vinculos N] [--estabelecimentos N] [--pasta DIR] [--referencia ARQ]\n";
      return 3;
    }
  }
  try {
    fs::remove_all(folder);
    const fs::path dados = folder / "dados";
    const fs::path transmite = folder / "Transmite";
    fs::create_directories(dados);
    fs::create_directories(transmite);
    fs::copy_file(reference, dados / Database::kReferenceFile);
    bool ok = false;
    {
    Database db(dados, Database::Mode::Create);
    for (const char* t : {"BD8Resp", "BD8Emp", "BD8Vinc"}) db.createTable(*torvex::core::store::findTableDef(t));

    auto start = Clock::now();
    store(db, establishments, links);
    const double storeSeconds = secondsSince(start);

    torvex::core::delivery::FolderMedia media(transmite);
    Silent ui;
    torvex::core::delivery::DeclarationWriter writer(db, media, ui);
    torvex::core::delivery::WriteRequest request;
    request.generationDate = "15022007";
    request.generationTime = "093000";
    start = Clock::now();
    const double cpuBefore = cpuSeconds();
    const auto outcome = writer.write(request);
    const auto result = outcome.result;
    const double writeSeconds = secondsSince(start);
    const double writeCpu = cpuSeconds() - cpuBefore;

    std::uintmax_t bytes = 0;
    for (const auto& f : outcome.files) bytes += fs::file_size(f.path);
    std::cout << "vinculos: " << links << ", estabelecimentos: " << establishments << "\n"
              << "carga das tabelas: " << storeSeconds << " s\n"
              << "gravacao: " << writeSeconds << " s, CPU " << writeCpu << " s (resultado "
              << static_cast<int>(result) << ")\n"
              << "arquivos: " << outcome.filesWritten << ", bytes: " << bytes << " ("
              << bytes / writeSeconds / 1e6 << " MB/s, " << links / writeSeconds << " vinculos/s)\n"
              << "memoria maxima: " << peakMemoryMiB() << " MiB\n";
    ok = result == torvex::core::delivery::WriteResult::Success;
    }
    fs::remove_all(folder);
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "gravar_declaracao: " << e.what() << "\n";
    return 1;
  }
}
