#pragma once
// The transmission hand-off, shared by the transmission window and
// `torvex-cli transmitir`: refuses a declaration already transmitted, writes
// the hand-off file, starts the transmission program and waits for it, then
// reads the receipt it left. Shows nothing: the caller tells the user.
#include <filesystem>
#include <functional>
#include <string>

#include "core/delivery/transmission.h"
#include "core/platform/processes.h"
#include "core/reports/catalogue.h"

namespace torvex::core::jobs {

struct TransmitSettings {
  std::filesystem::path declaration;     // the file to send
  std::filesystem::path transmitFolder;  // where the hand-off file goes (`Transmite`)
  std::filesystem::path program;         // the transmission program
  // Called once when another hand-off from the same folder is under way and
  // this one waits for it (the hand-off is held for its whole length).
  std::function<void()> waiting;
};

enum class TransmitResult {
  NotADeclaration,     // not a regular file whose name ends with ".dec" (`detail` says why)
  AlreadyTransmitted,  // its receipt is already there; nothing was done
  HandOffFailed,       // the hand-off file could not be written or cannot carry the name (`detail`)
  ProgramMissing,      // the hand-off file was written, but the program is not installed
  ProgramNotStarted,   // the program could not be started (`detail`)
  NoReceipt,           // the program ended without leaving a receipt (`run.output` says why)
  InvalidReceipt,      // it left a receipt that is damaged or not this file's (`receipt.problem`)
  Transmitted,         // a valid receipt of this very file: `receipt`
};

struct TransmitOutcome {
  TransmitResult result = TransmitResult::NotADeclaration;
  std::string detail;
  platform::ProcessRun run;
  delivery::ReceiptReading receipt;
};

TransmitOutcome transmitDeclaration(platform::Processes& processes, const TransmitSettings& settings);

// The parameters of the protocol report made from a valid receipt.
reports::Parameters protocolParameters(const delivery::ReceiptReading& receipt);

}  // namespace torvex::core::jobs
