// The declaration reports of the print wizard: every field of each establishment
// and of each of its links (RelatorioCompleto), or the establishment and the
// list of its links (RelatorioResumido), with the year's totals.
#include <array>

#include "core/reports/catalogue.h"
#include "core/reports/database_data_sets.h"
#include "core/reports/display_rules.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::reports {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 12> kMonths{{
    {"Janeiro", "VaJaneiroEmpregado"}, {"Fevereiro", "VaFevereiroEmpregado"}, {"Março", "VaMarcoEmpregado"},
    {"Abril", "VaAbrilEmpregado"},     {"Maio", "VaMaioEmpregado"},           {"Junho", "VaJunhoEmpregado"},
    {"Julho", "VaJulhoEmpregado"},     {"Agosto", "VaAgostoEmpregado"},       {"Setembro", "VaSetembroEmpregado"},
    {"Outubro", "VaOutubroEmpregado"}, {"Novembro", "VaNovembroEmpregado"},   {"Dezembro", "VaDezembroEmpregado"},
}};
constexpr std::array<const char*, 12> kHourColumns{
    "HoTrabalhadasJaneiro", "HoTrabalhadasFevereiro", "HoTrabalhadasMarco",    "HoTrabalhadasAbril",
    "HoTrabalhadasMaio",    "HoTrabalhadasJunho",     "HoTrabalhadasJulho",    "HoTrabalhadasAgosto",
    "HoTrabalhadasSetembro", "HoTrabalhadasOutubro",  "HoTrabalhadasNovembro", "HoTrabalhadasDezembro"};

std::string yesNo(const std::string& v) {
  if (v == "1") return "Sim";
  if (v == "2" || v == "0") return "Não";
  return v;
}

std::string kindName(const std::string& k) {
  if (k == "1") return "CNPJ";
  if (k == "3") return "CEI";
  if (k == "4") return "CPF";
  return k;
}

std::string joined(std::initializer_list<std::string> parts, const char* sep = " ") {
  std::string out;
  for (const auto& p : parts) {
    const auto t = validation::trimBlanks(p);
    if (t.empty()) continue;
    if (!out.empty()) out += sep;
    out += t;
  }
  return out;
}

std::int64_t cents(const std::string& v) {
  return v.find_first_not_of("0123456789") == std::string::npos ? validation::integerOrZero(v) : 0;
}

std::string money(std::int64_t c) { return validation::formatCents(std::to_string(c), validation::AmountPadding::None); }

std::string phone(const Row& r, const char* ddd, const char* number) {
  const std::string n = validation::phoneDisplay(r[number]);
  if (n.empty()) return {};
  const std::string d(validation::stripLeadingZeros(r[ddd]));
  return d.empty() ? n : "(" + d + ") " + n;
}

std::string percent(const std::string& v) {
  const std::string n = displayPlainNumber(v);
  return n.empty() ? "" : n + "%";
}

// A contribution: the entity's CNPJ and the amount, "" when neither is informed.
std::string contribution(const Row& shown, const char* cnpj, const char* value) {
  const std::string v = shown[value];
  if (shown[cnpj].empty() && (v.empty() || v == "0,00")) return {};
  return joined({shown[cnpj], v.empty() ? "" : "R$ " + v}, "  ");
}

void establishmentBlock(Document& doc, const Row& raw) {
  Row r = raw;
  applyDisplayRules(r);
  doc.heading(joined({r["CoCgcCeiEstabelecimento"], "Prefixo " + raw["NuPrefixoEstabelecimento"],
                      raw["NoRazaoEstabelecimento"]},
                     "  -  "));
  doc.fields({{"Inscrição", joined({r["CoCgcCeiEstabelecimento"], "(" + kindName(raw["InInscrEstabelecimento"]) + ")"})},
              {"Prefixo", raw["NuPrefixoEstabelecimento"]},
              {"CEI vinculado", r["CoCgcVinculado"]},
              {"Razão social", raw["NoRazaoEstabelecimento"]},
              {"Endereço", joined({raw["EdEstabelecimento"], r["NuEnderecoEstabelecimento"], raw["TxComplemEstabelecimento"]}, ", ")},
              {"Bairro", raw["NoBairroEstabelecimento"]},
              {"CEP", raw["CoCepEstabelecimento"].size() == 8
                          ? raw["CoCepEstabelecimento"].substr(0, 5) + "-" + raw["CoCepEstabelecimento"].substr(5)
                          : raw["CoCepEstabelecimento"]},
              {"Município", joined({raw["CoMunicipio"], raw["NoMunicEstabelecimento"], raw["SgUf"]}, " - ")},
              {"Telefone", phone(raw, "NuDDD", "NuTelefone")},
              {"E-mail", raw["TxEmailEstabelecimento"]},
              {"CNAE", raw["CoCnae2"]},
              {"Natureza jurídica", raw["CoNaturezaJuridica"]},
              {"Proprietários", displayPlainNumber(raw["NuProprietEstabelecimento"])},
              {"Mês da data-base", raw["MeDataBase"]},
              {"Porte", raw["InPorte"]},
              {"Optante pelo Simples", yesNo(raw["InOptanteSimples"])},
              {"Declaração sem empregados", raw["InKevaNegEstabelecimento"] == "1" ? "Sim" : "Não"},
              {"Vínculos declarados", r["NuVinculosEstabelecimento"]},
              {"Estrangeiros", displayPlainNumber(raw["NuEstrangeirosEstabelec"])},
              {"Encerramento de atividade", joined({yesNo(raw["InEncerramentoAtividade"]), r["DaEncerramentoAtividade"]}, "  ")},
              {"Atividade no ano-base", yesNo(raw["InAtividadeAnoBase"])},
              {"Participa do PAT", yesNo(raw["InParticipaPAT"])},
              {"PAT até 5 salários mínimos", r["NuVinculoPatMenor5"]},
              {"PAT acima de 5 salários mínimos", r["NuVinculoPatMaior5"]},
              {"PAT serviço próprio", percent(raw["PoServicoProprio"])},
              {"PAT administração de cozinha", percent(raw["PoAdmCozinha"])},
              {"PAT refeição-convênio", percent(raw["PoRefeicaoConvenio"])},
              {"PAT refeição transportada", percent(raw["PoRefeicaoTransportadora"])},
              {"PAT cesta de alimentos", percent(raw["PoCestaAlimento"])},
              {"PAT alimentação-convênio", percent(raw["PoAlimentacaoConvenio"])},
              {"Contribuição associativa", contribution(r, "CoCNPJAssociativa", "VaGlobalAssociativa")},
              {"Contribuição sindical", contribution(r, "CoCNPJSindical", "VaGlobalSindical")},
              {"Contribuição assistencial", contribution(r, "CoCNPJAssistencial", "VaGlobalAssistencial")},
              {"Contribuição confederativa", contribution(r, "CoCNPJConfederativa", "VaGlobalConfederativa")},
              {"Sindicalizada", yesNo(raw["InSindicalizada"])},
              {"CNPJ centralizador", r["CoCNPJCentralizada"]},
              {"Uso da empresa", raw["TxUsoEstabelecimento"]}},
             2);
}

// The year's amounts of one link: remunerations, 13th salary and notice.
struct Amounts {
  std::array<std::int64_t, 12> months{};
  std::int64_t thirteenth = 0, notice = 0;
  void add(const Row& raw) {
    for (std::size_t m = 0; m < 12; ++m) months[m] += cents(raw[kMonths[m].second]);
    thirteenth += cents(raw["Va13AdiantamentoEmpregado"]) + cents(raw["Va13ParcelaFinalEmpregado"]);
    notice += cents(raw["VaAvisoPrevioEmpregado"]);
  }
  std::int64_t year() const {
    std::int64_t t = 0;
    for (auto m : months) t += m;
    return t;
  }
};

void linkBlock(Document& doc, const Row& raw, std::int64_t number) {
  Row r = raw;
  applyDisplayRules(r);
  doc.subheading(std::to_string(number) + ".  " + joined({displayPis(raw["CoPisPasepEmpregado"]), raw["NoEmpregado"]}, "  -  "));
  std::vector<Field> f{
      {"Nascimento", displayDate8(raw["DaNascimentoEmpregado"])},
      {"Sexo", raw["InSexo"] == "1" ? "Masculino" : raw["InSexo"] == "2" ? "Feminino" : raw["InSexo"]},
      {"Raça/cor", raw["CoTipoRaca"]},
      {"Nacionalidade", raw["CoNacionalidade"]},
      {"Ano de chegada", r["AnChegadaEmpregado"]},
      {"Instrução", raw["CoInstrucao"]},
      {"CPF", displayInscription(raw["CoCpfEmpregado"], "4")},
      {"CTPS", joined({displayPlainNumber(raw["NuCartTrabEmpregado"]), displayPlainNumber(raw["SeCartTrabEmpregado"])}, " série ")},
      {"Deficiência", joined({yesNo(raw["InDeficienteFisico"]), raw["CoDeficienteFisico"]}, " - ")},
      {"Admissão", displayDate8(raw["DaAdmissaoEmpregado"])},
      {"Tipo de admissão", raw["CoTipoAdmissao"]},
      {"Vínculo", raw["CoVinculo"]},
      {"Salário contratual", r["VaSalContratualEmpregado"]},
      {"Tipo de salário", raw["CoTipoSalarioContratual"]},
      {"Horas semanais", displayPlainNumber(raw["HoSemanaisEmpregado"])},
      {"CBO", raw["CoCbo"]},
      {"Município de trabalho", joined({r["CoMunicipioTrabalho"], raw["NoMunicipioTrabalho"], raw["SgUfTrabalho"]}, " ")},
      {"Uso da empresa", raw["TxUsoEmpregado"]},
      {"Desligamento", joined({raw["CoCausaDesligamento"] == "00" ? "" : raw["CoCausaDesligamento"],
                               displayDate4(raw["DaDesligamentoEmpregado"])}, "  ")},
      {"Aviso prévio indenizado", r["VaAvisoPrevioEmpregado"]},
      {"Alvará judicial", yesNo(raw["InAlvaraEmpregado"])},
      {"Sindicalizado", yesNo(raw["InSindicalizadoVinculo"])},
  };
  auto& months13 = f;
  months13.push_back({"13º adiantamento", joined({r["Va13AdiantamentoEmpregado"],
                                               raw["Me13AdiantamentoEmpregado"].empty() ? "" : "(mês " + raw["Me13AdiantamentoEmpregado"] + ")"})});
  months13.push_back({"13º parcela final", joined({r["Va13ParcelaFinalEmpregado"],
                                                raw["Me13ParcelaFinalEmpregado"].empty() ? "" : "(mês " + raw["Me13ParcelaFinalEmpregado"] + ")"})});
  doc.fields(std::move(f), 3);
  std::vector<Field> months;
  for (const auto& [label, column] : kMonths) months.push_back({label, r[column]});
  doc.fields(std::move(months), 4);

  // What is informed only for some links: absences, rescission amounts, contributions, hours.
  std::vector<Field> more;
  auto add = [&](std::string_view label, std::string value) {
    if (!value.empty() && value != "0,00") more.push_back({label, std::move(value)});
  };
  static constexpr std::array<std::array<const char*, 4>, 3> kAbsences{{
      {"1º afastamento", "CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
      {"2º afastamento", "CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
      {"3º afastamento", "CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"},
  }};
  for (const auto& a : kAbsences)
    if (!validation::trimBlanks(raw[a[1]]).empty() && raw[a[1]] != "00")
      add(a[0], "motivo " + raw[a[1]] + "  " + joined({displayDate4(raw[a[2]]), displayDate4(raw[a[3]])}, " a "));
  add("Dias de afastamento", displayPlainNumber(raw["QtDiasAfas"]));
  add("Férias indenizadas", r["VaGlobalFerias"]);
  add("Multa por rescisão", r["VaGlobalMultas"]);
  add("Banco de horas", joined({r["VaGlobalBcoHoras"], displayPlainNumber(raw["QtCompBcoHoras"]).empty() ? "" : "(" + displayPlainNumber(raw["QtCompBcoHoras"]) + " meses)"}));
  add("Dissídio coletivo", joined({r["VaGlobalDissidio"], displayPlainNumber(raw["QtCompDissidio"]).empty() ? "" : "(" + displayPlainNumber(raw["QtCompDissidio"]) + " meses)"}));
  add("Gratificações", joined({r["VaGlobalGratificacoes"], displayPlainNumber(raw["QtCompGratificacoes"]).empty() ? "" : "(" + displayPlainNumber(raw["QtCompGratificacoes"]) + " meses)"}));
  add("Contribuição sindical", contribution(r, "CoCNPJSindical", "VaGlobalSindical"));
  add("1ª contribuição associativa", contribution(r, "CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa"));
  add("2ª contribuição associativa", contribution(r, "CoCNPJSegAssociativa", "VaGlobalSegAssociativa"));
  add("Contribuição assistencial", contribution(r, "CoCNPJAssistencial", "VaGlobalAssistencial"));
  add("Contribuição confederativa", contribution(r, "CoCNPJConfederativa", "VaGlobalConfederativa"));
  std::string hours;
  bool anyHours = false;
  for (const char* h : kHourColumns) {
    const std::string v = displayPlainNumber(raw[h]);
    anyHours = anyHours || !v.empty();
    hours += (hours.empty() ? "" : " ") + (v.empty() ? std::string("0") : v);
  }
  if (anyHours) add("Horas trabalhadas (jan a dez)", hours);
  if (!more.empty()) doc.fields(std::move(more), 2);
}

void totalsBlock(Document& doc, const Amounts& a, std::int64_t links) {
  doc.subheading("Totais do estabelecimento: " + std::to_string(links) + (links == 1 ? " vínculo" : " vínculos"));
  std::vector<Field> f;
  for (std::size_t m = 0; m < 12; ++m) f.push_back({kMonths[m].first, money(a.months[m])});
  f.push_back({"13º salário", money(a.thirteenth)});
  f.push_back({"Aviso prévio", money(a.notice)});
  f.push_back({"Remunerações do ano", money(a.year())});
  doc.fields(std::move(f), 3, true);
}

Document declarationReport(const Parameters& p, DataSets& data, bool complete) {
  Document doc;
  doc.title = parameter(p, "TipoRelatorio");
  auto establishments = data.open(dataset::kEstablishments);
  Row est;
  std::int64_t count = 0;
  while (establishments->next(est)) {
    if (count++ > 0) doc.pageBreak();
    establishmentBlock(doc, est);
    doc.paragraph("Empregados classificados por " + parameter(p, "Classificacao") + ".");
    auto links = data.open(dataset::kLinks, &est);
    Row link;
    Amounts amounts;
    std::int64_t n = 0;
    if (!complete)
      doc.tableStart({{"PIS/PASEP", 24}, {"Nome", 44}, {"Admissão", 17, Align::Center}, {"Deslig.", 12, Align::Center},
                      {"CBO", 13, Align::Center}, {"Salário contratual", 22, Align::Right},
                      {"Total do ano", 26, Align::Right}, {"Uso da empresa", 22}});
    while (links->next(link)) {
      ++n;
      amounts.add(link);
      if (complete) {
        linkBlock(doc, link, n);
      } else {
        Amounts one;
        one.add(link);
        doc.tableRow({displayPis(link["CoPisPasepEmpregado"]), link["NoEmpregado"],
                      displayDate8(link["DaAdmissaoEmpregado"]), displayDate4(link["DaDesligamentoEmpregado"]),
                      link["CoCbo"], displayAmount(link["VaSalContratualEmpregado"], 9), money(one.year()),
                      link["TxUsoEmpregado"]});
      }
    }
    if (!complete) {
      doc.tableRow({"Total", std::to_string(n) + (n == 1 ? " vínculo" : " vínculos"), "", "", "", "",
                    money(amounts.year()), ""},
                   true);
      doc.tableEnd();
    }
    if (n == 0) doc.paragraph("Estabelecimento sem empregados declarados.");
    else if (complete) totalsBlock(doc, amounts, n);
  }
  if (count == 0) {
    doc.nothingToReport = true;
    doc.nothingMessage = "Não há estabelecimentos do ano-base " + parameter(p, "AnoBase") + " para imprimir.";
    doc.paragraph(doc.nothingMessage);
  }
  return doc;
}

}  // namespace

Document buildCompleteReport(const Parameters& p, DataSets& data) { return declarationReport(p, data, true); }
Document buildSummaryReport(const Parameters& p, DataSets& data) { return declarationReport(p, data, false); }

}  // namespace torvex::core::reports
