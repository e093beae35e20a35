#include "core/jobs/transmit_job.h"

#include <stdexcept>

#include "core/product.h"

namespace torvex::core::jobs {

namespace fs = std::filesystem;
using delivery::ReceiptStatus;

TransmitOutcome transmitDeclaration(platform::Processes& processes, const TransmitSettings& settings) {
  TransmitOutcome out;
  std::error_code ec;
  const fs::path receipt = delivery::receiptPath(settings.declaration);
  if (receipt.empty() || !fs::is_regular_file(settings.declaration, ec)) {
    out.detail = settings.declaration.string();
    return out;
  }
  if (fs::exists(receipt, ec)) {
    out.result = TransmitResult::AlreadyTransmitted;
    return out;
  }
  try {
    delivery::writeHandOffFile(settings.transmitFolder, fs::absolute(settings.declaration));
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
  out.receipt = delivery::readReceipt(receipt);
  out.result = out.receipt.status == ReceiptStatus::Valid     ? TransmitResult::Transmitted
               : out.receipt.status == ReceiptStatus::Invalid ? TransmitResult::InvalidReceipt
                                                              : TransmitResult::NoReceipt;
  return out;
}

reports::Parameters protocolParameters(const delivery::ReceiptReading& receipt) {
  return reports::transmissionParameters(receipt.fields, std::string(product::kBaseYear));
}

}  // namespace torvex::core::jobs
