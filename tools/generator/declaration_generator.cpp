#include "generator/declaration_generator.h"

#include <sstream>
#include <stdexcept>
#include <string_view>

#include "core/validation/check_digits.h"

namespace torvex::generator {
namespace {

struct Municipality {
  const char* code;
  const char* name;
  const char* uf;
  const char* cepFrom;  // a range of the municipality; CEPs are drawn from its first 100000
  const char* ddd;
};
constexpr Municipality kMunicipalities[] = {
    {"3550308", "SAO PAULO", "SP", "01000001", "11"},      {"3304557", "RIO DE JANEIRO", "RJ", "20000001", "21"},
    {"3106200", "BELO HORIZONTE", "MG", "30000001", "31"}, {"4106902", "CURITIBA", "PR", "80000001", "41"},
    {"4314902", "PORTO ALEGRE", "RS", "90000001", "51"},   {"2927408", "SALVADOR", "BA", "40000001", "71"},
    {"2611606", "RECIFE", "PE", "50000001", "81"},         {"2304400", "FORTALEZA", "CE", "60000001", "85"},
    {"5300108", "BRASILIA", "DF", "70000001", "61"},       {"1302603", "MANAUS", "AM", "69000001", "92"},
};
// CNAE 2.0 subclasses with the CNAE 1.0 class of the same activity.
constexpr const char* kActivities[][2] = {
    {"4711302", "52116"}, {"4712100", "52132"}, {"6201501", "72290"}, {"5611201", "55212"},
    {"4120400", "45217"}, {"1091101", "15814"}, {"8630501", "85138"}, {"4930202", "60267"},
};
constexpr const char* kOccupations[] = {"411005", "412205", "514320", "521110", "717020",
                                        "782510", "422305", "252305", "351305", "317210"};
constexpr const char* kLegalNatures[] = {"2062", "2054", "2135", "2305"};
// Names are written without accents, as the name validators require.
constexpr const char* kFirstNames[] = {"MARIA",  "JOSE",  "ANA",     "JOAO",    "ANTONIO", "FRANCISCA",
                                       "CARLOS", "PAULO", "ADRIANA", "LUCELIA", "MARCOS",  "JULIANA"};
constexpr const char* kSurnames[] = {"SILVA",    "SANTOS", "OLIVEIRA",  "SOUZA",   "LIMA",       "PEREIRA",
                                     "FERREIRA", "COSTA",  "RODRIGUES", "ALMEIDA", "NASCIMENTO", "ARAUJO"};
// Head offices of a workers' union and of an employers' union.
std::string unionCnpj(const char* root) {
  const std::string first12 = std::string(root) + "0001";
  return first12 + core::validation::cnpjCheckDigits(first12);
}
std::string zeros(long long value, int width) {
  std::string s = std::to_string(value);
  return s.size() >= static_cast<std::size_t>(width) ? s : std::string(width - s.size(), '0') + s;
}

}  // namespace

class DeclarationGenerator::Record {
 public:
  explicit Record(int length) : text_(static_cast<std::size_t>(length), ' ') {}
  void put(const core::declfile::TArquivo& f, std::string_view value) { put(f.start, f.length, value); }
  void put(int start, int length, std::string_view value) {
    if (start < 1) return;
    for (int i = 0; i < length; ++i)
      text_[static_cast<std::size_t>(start - 1 + i)] = i < static_cast<int>(value.size()) ? value[i] : ' ';
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

DeclarationGenerator::DeclarationGenerator(GeneratorOptions options) : o_(std::move(options)), rng_(o_.seed) {
  if (o_.establishments < 1 || o_.links < 0 || (o_.links > 0 && establishmentsWithLinks() < 1) ||
      2 + o_.establishments + o_.links > kMaxRecords)
    throw std::invalid_argument("a declaration file holds 1 to 999999 records, with at least one establishment");
  if (o_.previousYear)
    core::declfile::MontaLayoutAnoAnterior(layout_);
  else
    core::declfile::MontaLayoutAnoAtual(layout_);
}

long DeclarationGenerator::establishmentsWithLinks() const {
  long n = 0;
  for (long i = 0; i < o_.establishments; ++i) n += withoutLinks(i) ? 0 : 1;
  return n;
}

void DeclarationGenerator::write(std::ostream& out) {
  const long withLinks = establishmentsWithLinks();
  const long long perEstablishment = withLinks > 0 ? o_.links / withLinks : 0;
  long long extra = withLinks > 0 ? o_.links % withLinks : 0;
  long long sequence = 0;
  long type1 = 0, prefixesNotZero = 0;
  long long type2 = 0;
  std::string lastInscription, lastPrefix;
  for (long e = 0; e < o_.establishments; ++e) {
    const Establishment est = makeEstablishment(e);
    if (e == 0) writeRecord(out, recordZero(est));
    writeRecord(out, recordOne(est, ++sequence + 1));
    ++type1;
    if (est.prefix != "00") ++prefixesNotZero;
    if (!est.withoutLinks) {
      long long n = perEstablishment + (extra > 0 ? 1 : 0);
      if (extra > 0) --extra;
      for (long long i = 0; i < n; ++i, ++type2) writeRecord(out, recordTwo(est, ++sequence + 1, type2));
    }
    lastInscription = est.inscription;
    lastPrefix = est.prefix;
  }
  writeRecord(out, recordNine(sequence + 2, lastInscription, lastPrefix, type1, type2, prefixesNotZero));
  if (o_.endOfFileByte) out.put('\x1a');
}

std::string DeclarationGenerator::text() {
  std::ostringstream out;
  write(out);
  return out.str();
}

std::uint64_t DeclarationGenerator::next() {  // splitmix64: the same sequence on every platform
  std::uint64_t z = (rng_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

long DeclarationGenerator::between(long low, long high) {
  return low + static_cast<long>(next() % static_cast<std::uint64_t>(high - low + 1));
}

std::string DeclarationGenerator::digits(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += static_cast<char>('0' + next() % 10);
  return s;
}

std::string DeclarationGenerator::cnpj(long index) {
  const std::string first12 = zeros(10000000 + index * 7919 % 89999999, 8) + "0001";
  return first12 + core::validation::cnpjCheckDigits(first12);
}

std::string DeclarationGenerator::cei(long index) {
  const std::string first11 = "1" + zeros(100000000 + index, 9) + "8";
  return "00" + first11 + *core::validation::ceiCheckDigit(first11);
}

// Every link gets a PIS of its own: a counter, skipping numbers without a check digit.
std::string DeclarationGenerator::pis() {
  for (;;) {
    const std::string first10 = "12" + zeros(nextPis_++, 8);
    if (auto d = core::validation::pisCheckDigit(first10)) return first10 + *d;
  }
}

std::string DeclarationGenerator::cpf() {
  const std::string first9 = zeros(between(1, 999999998), 9);
  return first9 + core::validation::cpfCheckDigits(first9);
}

std::string DeclarationGenerator::date(long yearFrom, long yearTo) {
  return zeros(between(1, 28), 2) + zeros(between(1, 12), 2) + zeros(between(yearFrom, yearTo), 4);
}

std::string DeclarationGenerator::personName() {
  return std::string(pick(kFirstNames)) + " " + pick(kSurnames) + " " + pick(kSurnames);
}

DeclarationGenerator::Establishment DeclarationGenerator::makeEstablishment(long index) {
  Establishment e;
  e.index = index;
  const bool cei = declaredByCei(index);
  e.withoutLinks = withoutLinks(index);
  e.inscription = cei ? this->cei(index) : cnpj(index);
  e.kind = cei ? "3" : "1";
  e.prefix = index % 4 == 3 ? "01" : "00";
  const auto& m = kMunicipalities[next() % std::size(kMunicipalities)];
  e.municipality = m.code;
  e.municipalityName = m.name;
  e.uf = m.uf;
  e.ddd = m.ddd;
  e.cep = zeros(std::stoll(m.cepFrom) + between(0, 99998), 8);
  const auto& a = kActivities[next() % std::size(kActivities)];
  e.cnae2 = a[0];
  e.cnae1 = a[1];
  return e;
}

void DeclarationGenerator::writeRecord(std::ostream& out, const Record& r) {
  out.write(r.text().data(), static_cast<std::streamsize>(r.text().size()));
  out.write(o_.separator.data(), static_cast<std::streamsize>(o_.separator.size()));
}

DeclarationGenerator::Record DeclarationGenerator::recordZero(const Establishment& first) {
  namespace s = core::declfile::slot0;
  const auto& f = layout_.tipoZero;
  Record r(layout_.recordLength);
  r.put(f[s::kSequencial], "000001");
  r.put(f[s::kInscricao], first.inscription);
  r.put(f[s::kPrefixo], first.prefix);
  r.put(f[s::kTipo], "0");
  r.put(f[s::kReciboDefinitivo], "1");
  r.put(f[s::kInscricaoResp], first.inscription);
  r.put(f[s::kTipoInscricao], first.kind);
  r.put(f[s::kNome], "CONTABILIDADE EXEMPLO LTDA");
  r.put(f[s::kEndereco], "RUA DAS FLORES");
  r.put(f[s::kNumero], "000100");
  r.put(f[s::kComplemento], "SALA 2");
  r.put(f[s::kBairro], "CENTRO");
  r.put(f[s::kCep], first.cep);
  r.put(f[s::kCodigoMunicipio], first.municipality);
  r.put(f[s::kNomeMunicipio], first.municipalityName);
  r.put(f[s::kUf], first.uf);
  r.put(f[s::kDdd], first.ddd);
  r.put(f[s::kTelefone], "32221100");
  r.put(f[s::kRetificacao], o_.rectification ? "1" : "2");
  r.put(f[s::kDataRetificacao], o_.rectification ? "10032007" : "00000000");
  r.put(f[s::kDataGeracao], "15022007");
  r.put(f[s::kEmail], "CONTATO@EXEMPLO.COM.BR");
  r.put(285, 3, "V04");
  r.put(f[s::kHoraGeracao], "101530");
  return r;
}

DeclarationGenerator::Record DeclarationGenerator::recordOne(const Establishment& e, long long sequence) {
  namespace s = core::declfile::slot1;
  const auto& f = layout_.tipoUm;
  Record r(layout_.recordLength);
  r.put(f[s::kSequencial], zeros(sequence, 6));
  r.put(f[s::kInscricao], e.inscription);
  r.put(f[s::kPrefixo], e.prefix);
  r.put(f[s::kTipo], "1");
  r.put(f[s::kRazao], "EMPRESA EXEMPLO " + std::to_string(e.index + 1) + " LTDA");
  r.put(f[s::kEndereco], "AVENIDA BRASIL");
  r.put(f[s::kNumero], zeros(between(1, 9999), 6));
  r.put(f[s::kComplemento], "");
  r.put(f[s::kBairro], "CENTRO");
  r.put(f[s::kCep], e.cep);
  r.put(f[s::kMunicipio], e.municipality);
  r.put(f[s::kNomeMunicipio], e.municipalityName);
  r.put(f[s::kUf], e.uf);
  r.put(f[s::kDdd], e.ddd);
  r.put(f[s::kTelefone], digits(8));
  r.put(f[s::kEmail], "RH@EMPRESA.COM.BR");
  r.put(f[s::kCnae], o_.previousYear ? e.cnae1 : e.cnae2);
  r.put(f[s::kNaturezaJuridica], pick(kLegalNatures));
  r.put(f[s::kProprietarios], "02");
  r.put(f[s::kDataBase], "05");
  r.put(f[s::kTipoInscricao], e.kind);
  r.put(f[s::kTipoKeva], e.withoutLinks ? "1" : "0");
  // The linked CEI field is 14 positions wide; the descriptor covers its last 12.
  r.put(f[s::kCeiVinculado].start - 2, 14, std::string(14, '0'));
  r.put(f[s::kAno], layout_.baseYear());
  r.put(f[s::kPorte], "1");
  r.put(f[s::kOptanteSimples], "2");
  r.put(f[s::kPat], "2");
  for (int slot : {s::kPatMenor5, s::kPatMaior5}) r.put(f[slot], "000000");
  for (int slot = s::kServicoProprio; slot <= s::kAlimentacaoConvenio; ++slot) r.put(f[slot], "000");
  r.put(f[s::kEncerramento], "2");
  r.put(f[s::kDataEncerramento], "00000000");
  for (int slot = s::kCnpjAssociativa; slot <= s::kValorConfederativa; ++slot)
    r.put(f[slot], std::string(static_cast<std::size_t>(f[slot].length), '0'));
  r.put(f[s::kCnpjSindical], unionCnpj("45678901"));
  r.put(f[s::kValorSindical], "00010000");
  r.put(f[s::kAtividadeAnoBase], "1");
  r.put(f[s::kCnpjCentralizadora], std::string(14, '0'));
  r.put(f[s::kSindicalizada], "2");
  return r;
}

DeclarationGenerator::Record DeclarationGenerator::recordTwo(const Establishment& e, long long sequence,
                                                             long long linkIndex) {
  namespace s = core::declfile::slot2;
  const auto& f = layout_.tipoDois;
  Record r(layout_.recordLength);
  r.put(f[s::kSequencial], zeros(sequence, 6));
  r.put(f[s::kInscricao], e.inscription);
  r.put(f[s::kPrefixo], e.prefix);
  r.put(f[s::kTipo], "2");
  r.put(f[s::kPis], pis());
  r.put(f[s::kNome], personName());
  r.put(f[s::kNascimento], date(1955, 1975));
  const bool foreigner = o_.foreignerEvery > 0 && (linkIndex + 1) % o_.foreignerEvery == 0;
  r.put(f[s::kNacionalidade], foreigner ? "20" : "10");
  r.put(f[s::kAnoChegada], foreigner ? "1990" : "0000");
  r.put(f[s::kInstrucao], o_.previousYear ? "7" : "07");
  r.put(f[s::kCpf], cpf());
  if (o_.previousYear) {
    r.put(f[s::kCarteiraNumero], digits(8) + "000");
  } else {
    r.put(f[s::kCarteiraNumero], digits(8));
    r.put(f[s::kCarteiraSerie], digits(5));
  }
  r.put(f[s::kAdmissao], date(1995, 2005));
  r.put(f[s::kTipoAdmissao], "2");
  const long salary = between(60000, 900000);
  r.put(f[s::kSalario], zeros(salary, 9));
  r.put(f[s::kTipoSalario], "1");
  r.put(f[s::kHorasSemanais], "40");
  r.put(f[s::kCbo], pick(kOccupations));
  r.put(f[s::kVinculo], e.kind == "3" ? "15" : "10");
  const bool ended = o_.endedEvery > 0 && (linkIndex + 1) % o_.endedEvery == 0;
  r.put(f[s::kDesligamento], ended ? "11" : "00");
  r.put(f[s::kDataDesligamento], ended ? "3006" : "0000");
  for (int m = 0; m < 12; ++m) r.put(f[s::kJaneiro + m], zeros(salary, 9));
  r.put(f[s::kAdiantamento13], zeros(salary / 2, 9));
  r.put(f[s::kMesAdiantamento13], "11");
  r.put(f[s::kFinal13], zeros(salary - salary / 2, 9));
  r.put(f[s::kMesFinal13], "12");
  r.put(f[s::kRaca], std::to_string(between(1, 6) == 3 ? 9 : between(1, 2) * 2));
  r.put(f[s::kDeficiente], "0");
  r.put(f[s::kAvisoPrevio], "000000000");
  r.put(f[s::kAlvara], "2");
  r.put(f[s::kSexo], between(1, 2) == 1 ? "1" : "2");
  for (int slot : {s::kMotivoPrimeiro, s::kMotivoSegundo, s::kMotivoTerceiro}) r.put(f[slot], "00");
  for (int slot : {s::kInicioPrimeiro, s::kFinalPrimeiro, s::kInicioSegundo, s::kFinalSegundo, s::kInicioTerceiro,
                   s::kFinalTerceiro})
    r.put(f[slot], "0000");
  r.put(f[s::kDiasAfastamento], "000");
  for (int slot = s::kFerias; slot <= s::kValorConfederativa; ++slot)
    r.put(f[slot], std::string(static_cast<std::size_t>(f[slot].length), '0'));
  r.put(f[s::kCnpjSindical], unionCnpj("34567890"));
  r.put(f[s::kValorSindical], zeros(salary / 30, 8));
  r.put(f[s::kMunicipioTrabalho], "0000000");
  for (int m = 0; m < 12; ++m) r.put(f[s::kHorasJaneiro + m], "000");
  r.put(f[s::kSindicalizado], "2");
  return r;
}

DeclarationGenerator::Record DeclarationGenerator::recordNine(long long sequence, const std::string& inscription,
                                                              const std::string& prefix, long type1, long long type2,
                                                              long prefixesNotZero) {
  namespace s = core::declfile::slot9;
  const auto& f = layout_.tipoNove;
  Record r(layout_.recordLength);
  r.put(f[s::kSequencial], zeros(sequence, 6));
  r.put(f[s::kInscricao], inscription);
  r.put(f[s::kPrefixo], prefix);
  r.put(f[s::kTipo], "9");
  r.put(f[s::kTotalTipo1], zeros(type1, 6));
  r.put(f[s::kTotalTipo2], zeros(type2, 6));
  r.put(f[s::kTotalPrefixos], zeros(prefixesNotZero, 6));
  r.put(f[s::kEstatistica], "996411");
  std::string hash;
  for (int i = 0; i < 32; ++i) hash += "0123456789ABCDEF"[next() % 16];
  r.put(f[s::kHashcode], hash);
  return r;
}

}  // namespace torvex::generator
