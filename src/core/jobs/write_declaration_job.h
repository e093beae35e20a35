#pragma once
// The write-declaration job: checks the chosen establishments of the base year,
// refuses to write while errors remain, then writes the declaration files.
#include <string>
#include <string_view>
#include <vector>

#include "core/consistency/check_engine.h"
#include "core/delivery/declaration_writer.h"
#include "core/jobs/job_host.h"
#include "core/platform/media.h"

namespace torvex::core::jobs {

struct WriteSettings {
  std::string generationDate;  // DDMMYYYY; empty: today
  // The establishments to write; empty: every establishment of the base year.
  std::vector<store::EstablishmentKey> establishments;
  char drive = 'C';  // A or B: removable disk; any other letter: the hard-disk folder
  // The date is asked after the check (the wizard): the first step leaves it
  // alone and the second checks the one given then.
  bool dateAfterCheck = false;
  // Writes the rectification the work tables hold (files with suffix R): no
  // establishment list; the check and the writer read the work tables.
  bool rectification = false;
};

enum class WriteJobResult {
  ReadyToWrite,          // first step done: the check found no error; the writer may run
  Written,               // the files were written: `write.files`
  InvalidDate,           // the generation date is refused: `dateCode`
  NoEstablishments,      // no establishment of the base year is stored (message 1700)
  UnknownEstablishment,  // a chosen establishment is not stored: `unknown`
  CheckInterrupted,      // the user stopped the check; nothing was written
  RefusedErrors,         // the check recorded errors; nothing was written
  WriteInterrupted,      // the writer stopped (user, file of the same name, disk given up)
  WriteFailed,           // the writer failed
};

struct WriteJobOutcome {
  WriteJobResult result = WriteJobResult::WriteFailed;
  std::string generationDate;        // the date used (today's when none was given)
  std::string dateCode;              // the message code of a refused date
  store::EstablishmentKey unknown;   // the first chosen establishment not found
  consistency::CheckOutcome check;   // when the check ran
  // What the writer writes: every stored establishment of the base year in key order, marked when chosen.
  std::vector<delivery::SelectedEstablishment> selection;
  delivery::WriteOutcome write;      // when the writer ran
};

// The job in two steps, as the wizard's pages run it: the first checks the date
// and the chosen establishments and runs the check (ReadyToWrite when writing
// may follow); the second writes what a ReadyToWrite first step chose (with
// `dateAfterCheck`, checking the date given to it first).
WriteJobOutcome prepareWrite(const JobHost& host, const WriteSettings& settings);
WriteJobOutcome writePrepared(const JobHost& host, const platform::Media& media, const WriteSettings& settings,
                              WriteJobOutcome prepared);
// Both steps.
WriteJobOutcome writeDeclaration(const JobHost& host, const platform::Media& media, const WriteSettings& settings);

// The texts the write workflow shows for its outcomes.
std::string writeRefusedText();               // errors found: two lines
std::string writeInterruptedText();           // the writer stopped
std::string writeFailedText(std::string_view cause = {});  // the writer failed (and why, when known)
std::string severalFilesText(int files);      // more than one file was written

}  // namespace torvex::core::jobs
