// Reports of a written declaration: the delivery receipt of each file
// (rptProtocolo), the disk labels (rptEtiqueta) and the transmission protocol
// made from the transmission receipt (Transmissao).
#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "core/reports/display_rules.h"
#include "core/reports/transmission_receipt.h"
#include "core/validation/check_digits.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::reports {
namespace {

std::string joined(std::initializer_list<std::string> parts, const char* sep) {
  std::string out;
  for (const auto& p : parts) {
    const auto t = validation::trimBlanks(p);
    if (t.empty()) continue;
    if (!out.empty()) out += sep;
    out += t;
  }
  return out;
}

std::string timeOf(const std::string& hhmmss) {
  if (hhmmss.size() < 4) return hhmmss;
  std::string t = hhmmss.substr(0, 2) + ":" + hhmmss.substr(2, 2);
  if (hhmmss.size() >= 6) t += ":" + hhmmss.substr(4, 2);
  return t;
}

std::string yes(const std::string& logical) { return logical == "1" ? "Sim" : "Não"; }

std::vector<Row> filesOf(DataSets& data) {
  std::vector<Row> files;
  auto c = data.open(dataset::kProtocolFiles);
  Row r;
  while (c->next(r)) files.push_back(r);
  return files;
}

void nothing(Document& doc) {
  doc.nothingToReport = true;
  doc.nothingMessage = "Não há declaração gravada para imprimir o comprovante.";
  doc.paragraph(doc.nothingMessage);
}

}  // namespace

Document buildProtocolReport(const Parameters& p, DataSets& data) {
  Document doc;
  doc.title = "Comprovante de Gravação da Declaração";
  const auto files = filesOf(data);
  if (files.empty()) {
    nothing(doc);
    return doc;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Row& raw = files[i];
    Row r = raw;
    applyDisplayRules(r);
    if (i > 0) doc.pageBreak();
    doc.heading("Declaração KEVA ano-base " + parameter(p, "AnoBase") + "  -  Arquivo " +
                displayPlainNumber(raw["NuDisquete"]) + " de " + std::to_string(files.size()));
    doc.fields({{"Gravado em", joined({displayDate8(raw["DaGeracao"]), timeOf(raw["HoSenha"])}, " às ")},
                {"Retificação", yes(raw["InRetificacao"])},
                {"Estabelecimentos no arquivo", displayPlainNumber(raw["NuEstabelecimentos"])},
                {"Vínculos no arquivo", displayPlainNumber(raw["NuVinculos"])}},
               2);
    doc.subheading("Primeiro estabelecimento do arquivo");
    doc.fields({{"Inscrição", r["CoCgcCeiEstabelecimento"]},
                {"Prefixo", raw["NuPrefixoEstabelecimento"]},
                {"Razão social", raw["NoRazaoEstabelecimento"]},
                {"Endereço", joined({raw["EdEstabelecimento"], r["NuEnderecoEstabelecimento"], raw["TxComplemEstabelecimento"]}, ", ")},
                {"Bairro", raw["NoBairroEstabelecimento"]},
                {"Município", joined({raw["NoMunicEstabelecimento"], raw["SgUf"]}, " - ")},
                {"CEP", raw["CoCepEstabelecimento"]},
                {"Encerramento", r["DaEncerramentoAtividade"]}},
               2);
    doc.subheading("Responsável pela declaração");
    doc.fields({{"Inscrição", r["CoCgcCeiResponsavel"]},
                {"Nome", raw["NoResponsavelArquivo"]},
                {"Endereço", joined({raw["EdLogradouroRespArquivo"], raw["NuLogradouroRespArquivo"], raw["TxComplementoRespArquivo"]}, ", ")},
                {"Bairro", raw["NoBairroRespArquivo"]},
                {"Município", joined({raw["NoMunicipioRespArquivo"], raw["SgUfRespArquivo"]}, " - ")},
                {"CEP", raw["CoCepRespArquivo"]},
                {"Telefone", joined({raw["NuFoneDDD"], raw["NuFoneAssinante"]}, " ")},
                {"E-mail", raw["TxEMailRespArquivo"]}},
               2);
    doc.subheading("Estabelecimentos gravados neste arquivo");
    doc.tableStart({{"Inscrição", 38}, {"Prefixo", 14, Align::Center}, {"CEI vinculado", 32}, {"Razão social", 58},
                    {"Vínculos", 18, Align::Right}, {"Encerramento", 20, Align::Center}});
    auto ests = data.open(dataset::kProtocolEstablishments, &raw);
    Row e;
    std::int64_t links = 0, count = 0;
    while (ests->next(e)) {
      ++count;
      links += validation::integerOrZero(e["NuVinculosEstabelecimento"]);
      Row s = e;
      applyDisplayRules(s);
      doc.tableRow({s["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"], s["CoCgcVinculado"],
                    e["NoRazaoEstabelecimento"], s["NuVinculosEstabelecimento"], s["DaEncerramentoAtividade"]});
    }
    doc.tableRow({"Total: " + std::to_string(count) + (count == 1 ? " estabelecimento" : " estabelecimentos"), "", "", "",
                  std::to_string(links), ""},
                 true);
    doc.tableEnd();
    doc.spacer(18);
    doc.fields({{"", "______________________________"}, {"", "______________________________"}}, 2);
    doc.fields({{"", "Local e data"}, {"", "Assinatura do responsável"}}, 2);
  }
  return doc;
}

Document buildLabelReport(const Parameters& p, DataSets& data) {
  Document doc;
  doc.title = "Etiquetas dos Arquivos da Declaração";
  const auto files = filesOf(data);
  if (files.empty()) {
    nothing(doc);
    return doc;
  }
  for (const Row& raw : files) {
    Row r = raw;
    applyDisplayRules(r);
    doc.fields({{"KEVA", parameter(p, "VersaoEditada")},
                {"Arquivo", displayPlainNumber(raw["NuDisquete"]) + " de " + std::to_string(files.size())},
                {"Inscrição", r["CoCgcCeiEstabelecimento"] + "  prefixo " + raw["NuPrefixoEstabelecimento"]},
                {"Gravado em", displayDate8(raw["DaGeracao"])},
                {"Razão social", raw["NoRazaoEstabelecimento"]},
                {"Retificação", yes(raw["InRetificacao"])},
                {"Estabelecimentos", displayPlainNumber(raw["NuEstabelecimentos"])},
                {"Vínculos", displayPlainNumber(raw["NuVinculos"])}},
               2, true);
    doc.spacer(4);
  }
  return doc;
}

std::string receiptCount(const std::string& digits) {
  const std::string n = std::to_string(validation::integerOrZero(digits));
  if (n.size() >= 4 && n.size() <= 6) return n.substr(0, n.size() - 3) + "." + n.substr(n.size() - 3);
  return n;
}

Parameters transmissionParameters(const TransmissionReceipt& r, const std::string& baseYear) {
  Parameters p;
  p["AnoBase"] = baseYear;
  const char first = r.number.empty() ? ' ' : r.number[0];
  p["CREA"] = (first == '5' ? "590" : first == '3' ? "390" : first == '9' ? "990" : "") + r.number;
  p["CNPJ"] = validation::formatInscription(r.inscription, validation::isCnpjStrict(r.inscription) ? "1" : "3");
  p["CRCArqKeva"] = r.fileCrc;
  p["QtdEstab"] = receiptCount(r.establishments);
  p["QtdVinc"] = receiptCount(r.links);
  p["Data"] = r.date.size() == 8 ? r.date.substr(0, 2) + "/" + r.date.substr(2, 2) + "/" + r.date.substr(4, 4) + " às "
                                 : r.date;
  p["Hora"] = r.time.size() == 4 ? r.time.substr(0, 2) + ":" + r.time.substr(2, 2) : r.time;
  std::string hash;
  for (std::size_t i = 0; i < r.hash.size(); i += 4) hash += (i ? "." : "") + r.hash.substr(i, 4);
  p["Hash"] = hash;
  p["CRCRecibo"] = r.receiptCrc;
  return p;
}

Document buildTransmissionReport(const Parameters& p, DataSets&) {
  Document doc;
  doc.title = "Protocolo de Transmissão da Declaração";
  if (parameter(p, "CREA").empty()) {
    doc.nothingToReport = true;
    doc.nothingMessage = "Não há recibo de transmissão para imprimir o protocolo.";
    doc.paragraph(doc.nothingMessage);
    return doc;
  }
  doc.paragraph("A declaração KEVA do ano-base " + parameter(p, "AnoBase") +
                " identificada abaixo foi recebida. Guarde este protocolo com a cópia da declaração.");
  doc.spacer(3);
  doc.fields({{"Número do recibo", parameter(p, "CREA")},
              {"Inscrição (CNPJ/CEI)", parameter(p, "CNPJ")},
              {"Estabelecimentos", parameter(p, "QtdEstab")},
              {"Vínculos", parameter(p, "QtdVinc")},
              {"Transmitida em", parameter(p, "Data") + parameter(p, "Hora")},
              {"CRC do arquivo", parameter(p, "CRCArqKeva")}},
             2, true);
  doc.spacer(3);
  doc.fields({{"Código de controle (hash)", parameter(p, "Hash")}, {"CRC do recibo", parameter(p, "CRCRecibo")}}, 1, true);
  return doc;
}

}  // namespace torvex::core::reports
