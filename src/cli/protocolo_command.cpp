// torvex-cli protocolo: checks the receipt left beside a transmitted
// declaration file and prints its protocol, or renders the protocol report
// (Transmissao) to a PDF file.
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/protocol_output.h"
#include "core/jobs/transmit_job.h"
#include "core/reports/catalogue.h"
#include "reports/report_renderer.h"

namespace torvex::cli {
namespace {

namespace rep = core::reports;
using core::delivery::ReceiptStatus;

struct Options {
  std::string file;
  std::string pdf;
};

int protocol(const Options& o) {
  if (const std::string problem = core::delivery::declarationFileProblem(o.file); !problem.empty()) {
    std::cerr << "torvex-cli protocolo: " << problem << "\n";
    return exit_status::kUsage;
  }
  // The receipt must be this file's, as the file now stands.
  const auto receipt = core::delivery::readReceiptOf(o.file);
  if (receipt.status == ReceiptStatus::Missing) {
    std::cerr << core::delivery::kNotTransmittedText << "\n";
    return exit_status::kRefused;
  }
  if (receipt.status == ReceiptStatus::Invalid) {
    std::cerr << core::delivery::kInvalidReceiptText << ": " << receipt.problem << "\n";
    return exit_status::kRefused;
  }
  const rep::Parameters parameters = core::jobs::protocolParameters(receipt);
  if (o.pdf.empty()) {
    printProtocolFields(parameters, std::cout);
    return exit_status::kOk;
  }
  const rep::ReportDefinition* report = rep::findReport("Transmissao");
  rep::MemoryDataSets none;
  rep::Document doc = rep::buildReport(*report, rep::standardParameters(report->name, parameters), none);
  doc.sources = {o.file, core::delivery::receiptPath(o.file)};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "torvex-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QString error;
  if (!reports::writePdf(doc, QString::fromStdString(o.pdf), reports::emissionNow(), &error, defaultDataFolder())) {
    std::cerr << "torvex-cli protocolo: não foi possível gravar " << o.pdf << ": " << error.toStdString() << "\n";
    return exit_status::kUsage;
  }
  std::cout << o.pdf << "\n";
  return exit_status::kOk;
}

}  // namespace

Runner setupProtocolo(CLI::App& sub) {
  auto o = std::make_shared<Options>();
  sub.add_option("arquivo", o->file, "Arquivo da declaração (.dec) transmitida; o recibo (.rec) está ao lado")
      ->required();
  sub.add_option("--pdf", o->pdf, "Grava o protocolo de transmissão neste arquivo PDF (sem a opção: imprime os campos)");
  sub.footer(exitStatusHelp("protocolo"));
  return [o]() { return protocol(*o); };
}

}  // namespace torvex::cli
