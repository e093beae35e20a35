// The declaration-file layout (Cartela), printed from the very layout tables
// the analyser, the loader and the writer use, so it cannot disagree with them.
#include <algorithm>

#include "core/declfile/record_layout.h"
#include "core/reports/catalogue.h"

namespace torvex::core::reports {
namespace {

struct Described {
  int start, length;
  std::string name;
};

template <typename List>
std::vector<Described> fieldsOf(const List& list, int recordLength) {
  std::vector<Described> out;
  for (const auto& f : list) {
    if (f.length == 0) continue;
    // A field written at start 0 sits at the end of the record (the hash code).
    const int start = f.start == 0 ? recordLength - f.length + 1 : f.start;
    out.push_back({start, f.length, f.name});
  }
  std::sort(out.begin(), out.end(), [](const Described& a, const Described& b) { return a.start < b.start; });
  return out;
}

void recordTable(Document& doc, const std::string& title, std::vector<Described> fields, int recordLength) {
  doc.heading(title);
  doc.tableStart({{"Nº", 12, Align::Right}, {"Início", 18, Align::Right}, {"Fim", 18, Align::Right},
                  {"Tamanho", 20, Align::Right}, {"Campo", 112}});
  int next = 1, n = 0;
  auto gap = [&](int from, int to) {
    doc.tableRow({"", std::to_string(from), std::to_string(to), std::to_string(to - from + 1),
                  "Sem campo descrito: preencher com brancos"});
  };
  for (const auto& f : fields) {
    if (f.start > next) gap(next, f.start - 1);
    doc.tableRow({std::to_string(++n), std::to_string(f.start), std::to_string(f.start + f.length - 1),
                  std::to_string(f.length), f.name});
    next = std::max(next, f.start + f.length);
  }
  if (next <= recordLength) gap(next, recordLength);
  doc.tableEnd();
}

}  // namespace

Document buildLayoutReport(const Parameters& p, DataSets&) {
  Document doc;
  doc.title = parameter(p, "TipoRelatorio");
  declfile::RecordLayout layout;
  declfile::MontaLayoutAnoAtual(layout);
  const int L = layout.recordLength;
  doc.paragraph("O arquivo da declaração KEVA do ano-base " + parameter(p, "AnoBase") +
                " é um arquivo texto de registros de " + std::to_string(L) +
                " caracteres, cada um seguido de retorno de carro e avanço de linha (CR LF), no código de página "
                "Windows-1252. Ordem dos registros: um registro tipo 0 (responsável); para cada estabelecimento, o "
                "seu registro tipo 1 seguido dos registros tipo 2 dos seus vínculos; um registro tipo 9 (totais) no fim.");
  doc.paragraph("Campos numéricos, datas e valores são alinhados à direita com zeros à esquerda; textos à esquerda, "
                "completados com brancos. Datas no formato ddmmaaaa; valores em centavos, sem separadores.");
  recordTable(doc, "Registro tipo 0 - Responsável pela declaração", fieldsOf(layout.tipoZero, L), L);
  recordTable(doc, "Registro tipo 1 - Estabelecimento", fieldsOf(layout.tipoUm, L), L);
  recordTable(doc, "Registro tipo 2 - Vínculo empregatício", fieldsOf(layout.tipoDois, L), L);
  recordTable(doc, "Registro tipo 9 - Totais do arquivo", fieldsOf(layout.tipoNove, L), L);
  return doc;
}

}  // namespace torvex::core::reports
