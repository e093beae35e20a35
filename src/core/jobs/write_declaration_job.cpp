#include "core/jobs/write_declaration_job.h"

#include <algorithm>

#include "core/consistency/check_presets.h"
#include "core/delivery/analysed_file_rewrite.h"
#include "core/delivery/generation_date.h"
#include "core/product.h"
#include "core/store/declaration_state.h"
#include "core/store/work_tables_lock.h"
#include "core/validation/establishment_validators.h"

namespace torvex::core::jobs {

namespace {

std::string keva() { return "KEVA" + std::string(store::kBaseYear); }

// The writer's list: every stored establishment in key order, marked when chosen.
std::vector<delivery::SelectedEstablishment> markedList(const std::vector<store::EstablishmentKey>& stored,
                                                         const std::vector<store::EstablishmentKey>& chosen) {
  std::vector<delivery::SelectedEstablishment> list;
  for (const auto& key : stored)
    list.push_back({key, chosen.empty() || std::find(chosen.begin(), chosen.end(), key) != chosen.end()});
  return list;
}

// Takes the generation date (today's when none is given); false when it is refused.
bool acceptDate(WriteJobOutcome& out, const std::string& date) {
  out.generationDate = date.empty() ? delivery::todayDate() : date;
  if (const auto code = validation::checkGenerationDate(out.generationDate, product::kBaseYearNumber);
      code != validation::kValid) {
    out.dateCode = std::string(code);
    out.result = WriteJobResult::InvalidDate;
    return false;
  }
  return true;
}

WriteJobOutcome runCheck(const JobHost& host, const consistency::CheckParameters& parameters, WriteJobOutcome out) {
  const store::WorkTablesHold hold(host.db);
  consistency::CheckEngine engine(host.db, host.reference, host.ui);
  out.check = engine.run(parameters);
  if (out.check.result == consistency::CheckResult::Interrupted) {
    out.result = WriteJobResult::CheckInterrupted;
    return out;
  }
  out.result = out.check.errors ? WriteJobResult::RefusedErrors : WriteJobResult::ReadyToWrite;
  return out;
}

}  // namespace

WriteJobOutcome prepareWrite(const JobHost& host, const WriteSettings& settings) {
  WriteJobOutcome out;
  if (!settings.dateAfterCheck && !acceptDate(out, settings.generationDate)) return out;
  if (settings.rectification) return runCheck(host, consistency::rectificationWriteCheck(), std::move(out));
  const auto stored = store::establishmentsOfYear(host.db, store::kBaseYear);
  if (stored.empty()) {
    out.result = WriteJobResult::NoEstablishments;
    return out;
  }
  for (const auto& key : settings.establishments)
    if (std::find(stored.begin(), stored.end(), key) == stored.end()) {
      out.unknown = key;
      out.result = WriteJobResult::UnknownEstablishment;
      return out;
    }
  out.selection = markedList(stored, settings.establishments);

  std::vector<store::EstablishmentKey> chosen;
  for (const auto& e : out.selection)
    if (e.selected) chosen.push_back(e.key);
  return runCheck(host, consistency::writeCheck(std::move(chosen)), std::move(out));
}

WriteJobOutcome writePrepared(const JobHost& host, const platform::Media& media, const WriteSettings& settings,
                              WriteJobOutcome prepared) {
  WriteJobOutcome out = std::move(prepared);
  if (out.result != WriteJobResult::ReadyToWrite) return out;
  if (settings.dateAfterCheck && !acceptDate(out, settings.generationDate)) {
    out.result = WriteJobResult::InvalidDate;
    return out;
  }
  const store::WorkTablesHold hold(host.db);
  delivery::DeclarationWriter writer(host.db, media, host.ui);
  delivery::WriteRequest request;
  if (settings.rectification) {
    request.fromWorkTables = true;
    request.rectification = true;
  } else {
    request.selection = out.selection;
  }
  request.drive = settings.drive;
  request.generationDate = out.generationDate;
  request.generationTime = delivery::currentTimeOfDay();
  out.write = writer.write(request);
  switch (out.write.result) {
    case delivery::WriteResult::Success: out.result = WriteJobResult::Written; break;
    case delivery::WriteResult::Interrupted: out.result = WriteJobResult::WriteInterrupted; break;
    case delivery::WriteResult::Failed: out.result = WriteJobResult::WriteFailed; break;
  }
  return out;
}

WriteJobOutcome writeDeclaration(const JobHost& host, const platform::Media& media, const WriteSettings& settings) {
  return writePrepared(host, media, settings, prepareWrite(host, settings));
}

std::string writeRefusedText() {
  return "As informações do(s) estabelecimento(s) selecionado(s) apresentaram ERROS.\n"
         "Os erros impedem a geração do arquivo.";
}

std::string writeInterruptedText() { return delivery::analysedFileRewriteMessage(delivery::WriteResult::Interrupted); }

std::string writeFailedText(std::string_view cause) {
  const std::string text = "Ocorreu um erro durante a gravação do arquivo de declaração " + keva();
  return cause.empty() ? text + "." : text + ": " + std::string(cause) + ".";
}

std::string severalFilesText(int files) {
  return "Foram gerados " + std::to_string(files) +
         " arquivos. Utilize a função \"Transmitir Declaração\" do menu principal.";
}

}  // namespace torvex::core::jobs
