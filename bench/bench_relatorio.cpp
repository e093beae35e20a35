// bench_relatorio: times a declaration report from a generated declaration to
// PDF. It writes a sound declaration file, imports it into a fresh data folder,
// then builds the report from the database, cuts its pages and writes the PDF,
// each step timed on its own (wall and CPU seconds, since the machine may be shared).
//   bench_relatorio [--vinculos N] [--estabelecimentos N] [--relatorio NOME]
//                   [--pdf SAIDA.pdf] [--dados PASTA] [--referencia referencia.db]
#include <QFileInfo>
#include <QGuiApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/importing/import_merge.h"
#include "core/jobs/import_job.h"
#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "reports/report_renderer.h"
#include "generator/declaration_generator.h"

namespace fs = std::filesystem;
using namespace torvex::core;
namespace bench = torvex::bench;

namespace {


int usage() {
  std::cerr << "uso: bench_relatorio [--vinculos N] [--estabelecimentos N] [--relatorio NOME]\n"
               "       [--pdf SAIDA.pdf] [--dados PASTA] [--referencia referencia.db]\n";
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  torvex::generator::GeneratorOptions generated;
  generated.establishments = 1;
  generated.links = 10000;
  std::string reportName = "RelatorioCompleto";
  fs::path folder = fs::temp_directory_path() / "torvex-bench-relatorio";
  fs::path pdf;
  fs::path reference = bench::executableFolder() / ".." / "bin" / "dados" / "referencia.db";
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (i + 1 >= args.size()) return usage();
      const std::string& a = args[i];
      const std::string& v = args[++i];
      if (a == "--vinculos") generated.links = std::stoll(v);
      else if (a == "--estabelecimentos") generated.establishments = std::stol(v);
      else if (a == "--relatorio") reportName = v;
      else if (a == "--pdf") pdf = v;
      else if (a == "--dados") folder = v;
      else if (a == "--referencia") reference = v;
      else return usage();
    }
    const reports::ReportDefinition* report = reports::findReport(reportName);
    if (!report) {
      std::cerr << "relatório desconhecido: " << reportName << "\n";
      return 3;
    }
    if (pdf.empty()) pdf = folder / (reportName + ".pdf");

    bench::prepareDataFolder(folder, reference, /*fresh=*/true);
    const fs::path file = folder / "declaracao.txt";
    {
      torvex::generator::DeclarationGenerator generator(generated);
      std::ofstream out(file, std::ios::binary);
      generator.write(out);
    }
    store::Database db(folder);
    {
      bench::Silent ui;
      declfile::TAnaliseEstrutura analyser;
      bench::Step step("importacao (preparo)");
      if (jobs::analyseForImport(analyser, file, false, db, ui).result != declfile::AnalysisResult::Loaded) return 1;
      importing::ImportRequest request;
      request.kind = importing::ImportKind::currentYear();
      request.chosen = importing::fileEstablishments(db, request.kind.importYear);
      request.listLines = request.chosen.size();
      const auto result = importing::ImportMerge(db, ui).run(request);
      step.report();
      std::cout << "  vinculos importados: " << result.imported() << "\n";
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char qtName[] = "bench_relatorio";
    char* qtArgv[] = {qtName, nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    // What torvex-cli relatorio does: the query and the document, then the PDF.
    const bench::Step whole("relatorio inteiro (consulta, paginas, PDF)");
    reports::DatabaseDataSets data(db);
    bench::Step building("consulta e montagem do documento");
    const reports::Document doc = reports::buildReport(*report, reports::standardParameters(report->name), data);
    building.report();
    bench::Step writing("paginas e PDF");
    QString error;
    if (!torvex::reports::writePdf(doc, QString::fromStdString(pdf.string()), torvex::reports::emissionNow(), &error)) {
      std::cerr << "não foi possível gravar " << pdf << ": " << error.toStdString() << "\n";
      return 3;
    }
    writing.report();
    whole.report();
    int pages = 0;
    {
      bench::Step layout("so o corte das paginas (a parte do PDF que nao desenha)");
      pages = torvex::reports::ReportRenderer(doc, torvex::reports::emissionNow()).pageCount();
      layout.report();
    }
    std::cout << "  paginas: " << pages << ", PDF: " << QFileInfo(QString::fromStdString(pdf.string())).size()
              << " bytes, " << pdf.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "bench_relatorio: " << e.what() << "\n";
    return 3;
  }
}
