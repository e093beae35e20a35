#include "core/declfile/responsible_record.h"

#include <fstream>
#include <stdexcept>

#include "core/declfile/analise_estrutura.h"
#include "core/declfile/column_catalogue.h"
#include "core/text/code_page_1252.h"
#include "core/text/utf8_text.h"

namespace torvex::core::declfile {
namespace {

// The text stored for a field read as the catalogue says.
std::string storedText(ReadAs read, std::string_view field) {
  switch (read) {
    case ReadAs::Trimmed: field = text::trimBlanks(field); break;
    case ReadAs::AsRead: break;
    default: throw std::logic_error("type-0 column read in a way the responsible record does not know");
  }
  return text::cp1252ToUtf8(text::trimTrailingBlanks(field));
}

bool isOneOrX(std::string_view v) { return v == "1" || v == "X" || v == "x"; }

// What may follow a record: a line end, the end-of-file byte, or nothing.
bool endsRecord(std::string_view after) {
  return after.empty() || after.starts_with("\r\n") || after.starts_with('\n') || after == "\r" ||
         after.starts_with('\x1a');
}

}  // namespace

FirstRecord readResponsibleRecord(const std::filesystem::path& file) {
  FirstRecord out;
  if (out.problem = inputFileProblem(file); !out.problem.empty()) return out;
  std::ifstream in(file, std::ios::binary);
  std::string head(kRecordLengthCurrent + 2, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  if (in.bad() || (!in && !in.eof())) {
    out.problem = "não foi possível ler o arquivo " + file.string();
    return out;
  }
  head.resize(static_cast<std::size_t>(in.gcount()));
  const std::string_view bytes(head);
  if (bytes.size() < kRecordLengthCurrent || !endsRecord(bytes.substr(kRecordLengthCurrent))) {
    out.status = FirstRecordStatus::NotDeclaration;
    out.problem = file.string() + " não é um arquivo de declaração do ano-base " + std::string(kBaseYear) +
                  " (registros de " + std::to_string(kRecordLengthCurrent) + " posições).";
    return out;
  }
  out.record.assign(bytes.substr(0, kRecordLengthCurrent));
  RecordLayout layout;
  MontaLayoutAnoAtual(layout);
  if (cutField(out.record, layout.tipoZero[slot0::kTipo]) != "0") {
    out.status = FirstRecordStatus::NoResponsibleRecord;
    out.problem = "o primeiro registro de " + file.string() + " não é o do responsável (registro tipo 0).";
    out.record.clear();
    return out;
  }
  out.status = FirstRecordStatus::Read;
  return out;
}

std::map<std::string, std::string, std::less<>> responsibleRecordValues(std::string_view record, const RecordLayout& layout) {
  std::map<std::string, std::string, std::less<>> out;
  for (const auto& c : catalogueColumns(CatalogueKind::Responsible)) {
    if (c.read == ReadAs::NotRead) continue;
    out[c.column] = storedText(c.read, cutField(record, layout.tipoZero[c.slot]));
  }
  out["InReciboParaRespArquivo"] = isOneOrX(cutField(record, layout.tipoZero[slot0::kReciboDefinitivo])) ? "1" : "";
  return out;
}

}  // namespace torvex::core::declfile
