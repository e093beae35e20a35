// torvex-cli transmitir: hands a declaration file to the transmission program
// installed beside the program (the hand-off file in `Transmite`, then the
// program started and awaited) and prints the protocol of the receipt it left.
#include <iostream>
#include <memory>

#include "cli/commands.h"
#include "cli/protocol_output.h"
#include "core/jobs/transmit_job.h"

namespace torvex::cli {
namespace {

using core::jobs::TransmitResult;

int transmit(const std::string& file) {
  core::platform::SystemProcesses processes;
  core::jobs::TransmitSettings settings;
  settings.declaration = file;
  settings.transmitFolder = executableFolder() / "Transmite";
  settings.program = core::delivery::transmissionProgram(executableFolder());
  settings.waiting = [] {
    std::cerr << "Outra entrega ao programa de transmissão está em andamento nesta pasta; aguardando o fim dela...\n";
  };
  const auto out = core::jobs::transmitDeclaration(processes, settings);
  printProgramOutput(out.run.output, std::cerr);
  switch (out.result) {
    case TransmitResult::NotADeclaration:
      std::cerr << "torvex-cli transmitir: " << out.detail << "\n";
      return exit_status::kUsage;
    case TransmitResult::AlreadyTransmitted:
      std::cerr << core::delivery::kAlreadyTransmittedText << "\n";
      return exit_status::kRefused;
    case TransmitResult::HandOffFailed:
      std::cerr << "torvex-cli transmitir: " << out.detail << "\n";
      return exit_status::kUsage;
    case TransmitResult::ProgramMissing:
      std::cerr << core::delivery::kProgramMissingTitle << "\n"
                << core::delivery::programMissingText() << "\n(procurado em " << settings.program.string() << ")\n";
      return exit_status::kRefused;
    case TransmitResult::ProgramNotStarted:
      std::cerr << "torvex-cli transmitir: não foi possível iniciar " << settings.program.string() << ": " << out.detail
                << "\n";
      return exit_status::kUsage;
    case TransmitResult::NoReceipt:
      std::cerr << "A declaração não foi transmitida: o programa de transmissão não deixou o recibo.\n";
      return exit_status::kRefused;
    case TransmitResult::InvalidReceipt:
      std::cerr << core::delivery::kInvalidReceiptText << ": " << out.receipt.problem << "\n";
      return exit_status::kRefused;
    case TransmitResult::Transmitted: break;
  }
  printProtocolFields(core::jobs::protocolParameters(out.receipt), std::cout);
  return exit_status::kOk;
}

}  // namespace

Runner setupTransmitir(CLI::App& sub) {
  auto file = std::make_shared<std::string>();
  sub.add_option("arquivo", *file, "Arquivo da declaração (.dec) a transmitir")->required();
  sub.footer("Grava o arquivo Transmite/" + std::string(core::delivery::kHandOffFileName) +
             " com o caminho da declaração, executa o programa de transmissão (" +
             core::delivery::transmissionProgramName() + "/" + core::delivery::transmissionProgramName() +
             " ao lado do programa), espera o seu fim e imprime o protocolo do recibo.\n" +
             exitStatusHelp("transmitir"));
  return [file]() { return transmit(*file); };
}

}  // namespace torvex::cli
