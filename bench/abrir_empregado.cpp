// abrir_empregado: how long the employee window takes to open a link of a large
// establishment. Stores one establishment with N links in a fresh data folder
// (rows inserted directly), then opens links by their key as the employee list
// hands them over, and saves one edit (the row and the establishment's counts).
//   abrir_empregado [--vinculos N] [--aberturas N] [--pasta DIR] [--referencia referencia.db]
#include <chrono>
#include <iostream>
#include <random>
#include <string>

#include "bench_support.h"
#include "core/entry/employee_entry.h"
#include "core/entry/entry_lists.h"
#include "core/store/reference_lookup.h"
#include "core/validation/check_digits.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace torvex::core;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A valid PIS for each number (a first digit without a check digit is replaced).
std::string pisOf(long long n) {
  const std::string digits = std::string(9 - std::to_string(n).size(), '0') + std::to_string(n);
  for (char lead = '1'; lead <= '9'; ++lead)
    if (const auto check = validation::pisCheckDigit(lead + digits)) return lead + digits + *check;
  return "1" + digits + "0";
}

// A name for each number, in letters (names carry no digits).
std::string nameOf(long long n) {
  std::string letters;
  for (char c : std::to_string(n)) letters += static_cast<char>('A' + (c - '0'));
  return "EMPREGADO " + letters;
}

}  // namespace

int main(int argc, char** argv) {
  long long links = 100000;
  int opens = 1000;
  fs::path folder = fs::temp_directory_path() / "torvex-abrir-empregado";
  fs::path reference = torvex::bench::executableFolder() / ".." / "bin" / "dados" / "referencia.db";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--vinculos") links = std::stoll(argv[i + 1]);
    else if (a == "--aberturas") opens = std::stoi(argv[i + 1]);
    else if (a == "--pasta") folder = argv[i + 1];
    else if (a == "--referencia") reference = argv[i + 1];
    else {
      std::cerr << "uso: abrir_empregado [--vinculos N] [--aberturas N] [--pasta DIR] [--referencia referencia.db]\n";
      return 2;
    }
  }
  torvex::bench::prepareDataFolder(folder, reference, true);
  store::Database db(folder, store::Database::Mode::Open);
  const entry::EstablishmentKey key{"2006", "11222333000181", "00"};

  auto start = Clock::now();
  {
    store::Transaction tx(db);
    db.prepare("INSERT INTO BD8Emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, InInscrEstabelecimento, "
               "NoRazaoEstabelecimento, CoCnae2, CoNaturezaJuridica, InKevaNegEstabelecimento) VALUES "
               "('2006', '11222333000181', '00', '1', 'COMERCIO EXEMPLO LTDA', '4711301', '2062', '0')")
        .run();
    // Every link complete enough to be saved again as it is.
    std::string columns =
        "AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, DaAdmissaoEmpregado, "
        "NoEmpregado, DaNascimentoEmpregado, CoNacionalidade, AnChegadaEmpregado, CoInstrucao, NuCartTrabEmpregado, "
        "SeCartTrabEmpregado, CoCpfEmpregado, CoTipoAdmissao, VaSalContratualEmpregado, CoTipoSalarioContratual, "
        "HoSemanaisEmpregado, CoCbo, CoVinculo, CoCausaDesligamento, DaDesligamentoEmpregado, CoTipoRaca, "
        "InDeficienteFisico, CoDeficienteFisico, InAlvaraEmpregado, InSexo, Me13AdiantamentoEmpregado, "
        "Va13AdiantamentoEmpregado, Me13ParcelaFinalEmpregado, Va13ParcelaFinalEmpregado";
    std::string values =
        "'2006', '11222333000181', '00', :pis, '01032005', :name, '15061980', '10', '0000', '07', '01234567', "
        "'00012', '00000000000', '2', '000150000', '1', '44', '411010', '10', '00', '0000', '2', '2', '0', '2', '1', "
        "'11', '000075000', '12', '000075000'";
    for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                          "Outubro", "Novembro", "Dezembro"}) {
      columns += std::string(", Va") + m + "Empregado";
      values += ", '000150000'";
    }
    auto st = db.prepare("INSERT INTO BD8Vinc (" + columns + ") VALUES (" + values + ")");
    for (long long n = 0; n < links; ++n) {
      st.reset();
      st.bind(":pis", pisOf(n)).bind(":name", nameOf(n)).run();
    }
    tx.commit();
  }
  std::cout << "vinculos gravados: " << links << " em " << millisecondsSince(start) / 1000.0 << " s\n";

  store::ReferenceLookup ref(db);
  torvex::bench::Silent ui;
  entry::LinkWarningCounters counters;

  // The list as the window shows it: the query and its first screenful.
  start = Clock::now();
  entry::EmployeeList list(db, key);
  list.open({});
  const auto firstRows = list.next(40);
  std::cout << "lista de empregados, primeiras " << firstRows.size() << " linhas: " << millisecondsSince(start)
            << " ms\n";

  std::mt19937_64 random(2006);
  std::uniform_int_distribution<long long> pick(0, links - 1);
  double slowest = 0, total = 0;
  for (int i = 0; i < opens; ++i) {
    const long long n = pick(random);
    entry::EmployeeEntry e(db, ref, ui, counters);
    const auto t = Clock::now();
    const auto out = e.load(key, entry::LinkKey{pisOf(n), "01032005", nameOf(n)});
    const double ms = millisecondsSince(t);
    if (!out.accepted() || e.values()["NoEmpregado"] != nameOf(n)) {
      std::cerr << "vinculo " << n << " nao encontrado\n";
      return 1;
    }
    total += ms;
    slowest = std::max(slowest, ms);
  }
  std::cout << "abrir um vinculo pela chave (" << opens << " vezes): media " << total / opens << " ms, maior "
            << slowest << " ms\n";

  entry::EmployeeEntry e(db, ref, ui, counters);
  e.load(key, entry::LinkKey{pisOf(links / 2 + 1234), "01032005", nameOf(links / 2 + 1234)});
  start = Clock::now();
  e.values()["VaJaneiroEmpregado"] = "1.600,00";
  const auto saved = e.save();
  std::cout << "gravar a alteracao (vinculo e contagens do estabelecimento): " << millisecondsSince(start) << " ms"
            << (saved.accepted() ? "" : " (recusada: " + saved.code + " " + saved.focus + ")") << "\n";
  return 0;
}
