#pragma once
// The transmission hand-off, shared by the transmission window and
// `torvex-cli transmitir`: refuses a declaration already transmitted, writes
// the hand-off file, starts the transmission program and waits for it, then
// reads the receipt it left. Shows nothing: the caller tells the user.
#include <filesystem>
#include <string>

#include "core/delivery/transmission.h"
#include "core/platform/processes.h"
#include "core/reports/catalogue.h"

namespace torvex::core::jobs {

struct TransmitSettings {
  std::filesystem::path declaration;     // the file to send
  std::filesystem::path transmitFolder;  // where the hand-off file goes (`Transmite`)
  std::filesystem::path program;         // the transmission program
};

enum class TransmitResult {
  NotADeclaration,     // the file is missing or its name does not end with ".dec"
  AlreadyTransmitted,  // its receipt is already there; nothing was done
  HandOffFailed,       // the hand-off file could not be written (`detail`)
  ProgramMissing,      // the hand-off file was written, but the program is not installed
  ProgramNotStarted,   // the program could not be started (`detail`)
  NoReceipt,           // the program ended without leaving a receipt (`run.output` says why)
  InvalidReceipt,      // it left a receipt whose CRC does not match
  Transmitted,         // a valid receipt: `receipt`
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
