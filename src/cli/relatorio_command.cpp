// torvex-cli relatorio: renders a report of the catalogue to a PDF file without
// a display, through the same renderer as the windows' preview and printing.
#include <QGuiApplication>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/console_interaction.h"
#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "core/store/data_folder.h"
#include "core/store/work_tables_lock.h"
#include "reports/report_renderer.h"

namespace torvex::cli {
namespace {

namespace rep = core::reports;

constexpr int kNothingToReport = 1;

struct Options {
  bool list = false;
  std::string name;
  std::string pdf;
  std::string folder = defaultDataFolder().string();
  std::vector<std::string> establishments;
  std::string classification = "pis";
  std::string order = "asc";
  std::vector<std::string> partial;
  std::vector<std::string> parameters;
};

int usage(const std::string& text) {
  std::cerr << "torvex-cli relatorio: " << text << "\n";
  return exit_status::kUsage;
}

int listReports() {
  for (const auto& r : rep::reportCatalogue()) std::cout << r.name << "\t" << r.description << "\n";
  return exit_status::kOk;
}

// Qt draws the pages; with no display it draws off screen.
std::unique_ptr<QGuiApplication> startQt() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "torvex-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The marked links of the one establishment of a partial print: "PIS" marks every
// link of that PIS, "PIS/ddmmaaaa" the one admitted that day.
bool partialSelection(core::store::Database& db, const Options& o, rep::DeclarationSelection& sel, std::string& error) {
  if (sel.establishments.size() != 1 || sel.establishments[0].prefix.empty()) {
    error = "--parcial pede exatamente um --estabelecimento INSCRICAO/PREFIXO "
            "(Não pode imprimir mais de um estabelecimento parcial por vez.)";
    return false;
  }
  sel.partial = true;
  const auto links =
      rep::employeeLines(db, false, sel.baseYear, sel.establishments[0], sel.classification, sel.descending);
  for (const auto& wanted : o.partial) {
    const auto slash = wanted.find('/');
    const std::string pis = wanted.substr(0, slash);
    const std::string admission = slash == std::string::npos ? "" : wanted.substr(slash + 1);
    bool found = false;
    for (const auto& l : links)
      if (l.key.pis == pis && (admission.empty() || l.key.admission == admission)) {
        sel.employees.push_back(l.key);
        found = true;
      }
    if (!found) {
      error = "o empregado " + wanted + " não está no estabelecimento escolhido";
      return false;
    }
  }
  return true;
}

int render(const Options& o) {
  if (o.list) return listReports();
  if (o.name.empty()) return usage("informe o nome do relatório (relatorio --lista mostra os nomes)");
  const rep::ReportDefinition* report = rep::findReport(o.name);
  if (!report) return usage("relatório desconhecido: " + o.name + " (relatorio --lista mostra os nomes)");

  rep::Parameters given;
  for (const auto& p : o.parameters) {
    const auto eq = p.find('=');
    if (eq == std::string::npos || eq == 0) return usage("--parametro espera NOME=VALOR: " + p);
    given[p.substr(0, eq)] = p.substr(eq + 1);
  }
  rep::DeclarationSelection sel;
  sel.classification = o.classification == "nome"  ? rep::Classification::Nome
                       : o.classification == "uso" ? rep::Classification::Uso
                                                   : rep::Classification::Pis;
  sel.descending = o.order == "desc";
  for (const auto& e : o.establishments) {
    rep::EstablishmentKey k;
    if (!rep::parseEstablishmentArgument(e, k)) return usage("estabelecimento inválido: " + e);
    sel.establishments.push_back(k);
  }
  given.try_emplace("Classificacao", std::string(rep::classificationText(sel.classification)));

  ConsoleInteraction ui(false);
  if (!dataFolderReady(o.folder, ui)) return exit_status::kUsage;
  core::store::Database db(o.folder);
  if (!o.partial.empty()) {
    std::string error;
    if (!partialSelection(db, o, sel, error)) return usage(error);
  }
  // A report of the work tables is not read while another program fills them.
  std::optional<core::store::WorkTablesHold> hold;
  const auto source = report->source;
  if (sel.workTables || source == rep::ReportSource::Errors || source == rep::ReportSource::Structure ||
      source == rep::ReportSource::Import || source == rep::ReportSource::Protocol)
    hold.emplace(db, core::store::WorkTablesHold::Access::Read);
  rep::DatabaseDataSets data(db, sel);
  const rep::Document doc = rep::buildReport(*report, rep::standardParameters(report->name, given), data);
  if (doc.nothingToReport) {
    std::cerr << doc.nothingMessage << "\n";
    return kNothingToReport;
  }
  const std::string out = o.pdf.empty() ? std::string(report->name) + ".pdf" : o.pdf;
  auto app = startQt();
  QString error;
  if (!reports::writePdf(doc, QString::fromStdString(out), reports::emissionNow(), &error, o.folder)) {
    std::cerr << "torvex-cli relatorio: não foi possível gravar " << out << ": " << error.toStdString() << "\n";
    return exit_status::kUsage;
  }
  std::cout << out << "\n";
  return exit_status::kOk;
}

}  // namespace

Runner setupRelatorio(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("nome", o->name, "Nome do relatório (rptErros, RelatorioCompleto, Cartela, ...)");
  sub.add_flag("--lista", o->list, "Lista os relatórios, um por linha, com o que cada um mostra");
  sub.add_option("--pdf", o->pdf, "Arquivo PDF a gravar (padrão: NOME.pdf na pasta atual)");
  sub.add_option("--dados", o->folder, "Pasta de dados (padrão: a pasta dados ao lado do programa)");
  sub.add_option("--estabelecimento", o->establishments,
                 "Estabelecimento INSCRICAO/PREFIXO (sem prefixo: todos os prefixos); pode repetir. "
                 "Sem esta opção, todos os estabelecimentos do ano-base");
  sub.add_option("--classificacao", o->classification, "Ordem dos empregados: pis, nome ou uso")
      ->check(CLI::IsMember({"pis", "nome", "uso"}));
  sub.add_option("--ordem", o->order, "asc ou desc")->check(CLI::IsMember({"asc", "desc"}));
  sub.add_option("--parcial", o->partial,
                 "Só estes empregados (PIS ou PIS/ddmmaaaa) do único estabelecimento escolhido; pode repetir");
  sub.add_option("--parametro", o->parameters, "Parâmetro do relatório NOME=VALOR; pode repetir");
  return [o]() { return render(*o); };
}

}  // namespace torvex::cli
