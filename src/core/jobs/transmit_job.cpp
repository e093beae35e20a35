#include "core/jobs/transmit_job.h"

#include <optional>
#include <stdexcept>

#include "core/product.h"

namespace torvex::core::jobs {

namespace fs = std::filesystem;
using delivery::ReceiptStatus;

TransmitOutcome transmitDeclaration(platform::Processes& processes, const TransmitSettings& settings) {
  TransmitOutcome out;
  if (std::string problem = delivery::declarationFileProblem(settings.declaration); !problem.empty()) {
    out.detail = std::move(problem);
    return out;
  }
  const fs::path declaration = fs::absolute(settings.declaration);
  if (std::string problem = delivery::handOffNameProblem(declaration); !problem.empty()) {
    out.result = TransmitResult::HandOffFailed;
    out.detail = "Não foi possível entregar a declaração: " + problem + ".";
    return out;
  }
  // One hand-off at a time per folder: the hand-off file names one declaration
  // from its writing until the program that reads it has ended.
  std::optional<delivery::HandOffLock> lock;
  try {
    lock.emplace(settings.transmitFolder, settings.waiting);
  } catch (const std::exception& e) {
    out.result = TransmitResult::HandOffFailed;
    out.detail = e.what();
    return out;
  }
  std::error_code ec;
  const fs::path receipt = delivery::receiptPath(declaration);
  if (fs::status(receipt, ec).type() != fs::file_type::not_found) {
    out.result = TransmitResult::AlreadyTransmitted;
    return out;
  }
  try {
    delivery::writeHandOffFile(settings.transmitFolder, declaration);
  } catch (const std::exception& e) {
    out.result = TransmitResult::HandOffFailed;
    out.detail = e.what();
    return out;
  }
  if (!delivery::transmissionProgramExists(settings.program)) {
    out.result = TransmitResult::ProgramMissing;
    return out;
  }
  out.run = processes.runAndWait(settings.program);
  if (!out.run.started) {
    out.result = TransmitResult::ProgramNotStarted;
    out.detail = out.run.output;
    return out;
  }
  // The receipt must be the one of the file handed off, as it stands.
  out.receipt = delivery::readReceiptOf(declaration);
  out.result = out.receipt.status == ReceiptStatus::Valid     ? TransmitResult::Transmitted
               : out.receipt.status == ReceiptStatus::Invalid ? TransmitResult::InvalidReceipt
                                                              : TransmitResult::NoReceipt;
  return out;
}

reports::Parameters protocolParameters(const delivery::ReceiptReading& receipt) {
  return reports::transmissionParameters(receipt.fields, std::string(product::kBaseYear));
}

}  // namespace torvex::core::jobs
