#pragma once
// The fixed-width record layouts of the declaration file: a descriptor (name,
// start, length) per field, one list per record type, filled for the current
// layout (records of 527 characters) or the previous-year layout (523). The
// analyser and loader cut fields with them; the writer places fields with them.
#include <array>
#include <string>
#include <string_view>

#include "core/product.h"

namespace torvex::core::declfile {

inline constexpr int kRecordLengthCurrent = 527;
inline constexpr int kRecordLengthPrevious = 523;
using product::kBaseYear;
using product::kPreviousYear;

// One field descriptor. A new descriptor is empty: no name, start 0, length 0.
struct TArquivo {
  std::string name;
  int start = 0;   // 1-based position in the record
  int length = 0;  // characters

  bool empty() const { return start == 0 && length == 0; }
  // One past the last position (start + length), for writers that walk a record.
  int end() const { return start + length; }
};

// The text of a field: `length` characters from position `start` (1-based) of
// the record. Empty unless 1 <= start, 1 <= length <= 256 and start + length
// <= 65536, so an empty descriptor always cuts empty text. A record shorter
// than the field gives what it has.
std::string_view cutField(std::string_view record, const TArquivo& field);

// A list of descriptors with a fixed number of slots, addressed 1-based as the
// layout tables number them. Every slot starts empty.
template <int N>
class DescriptorList {
 public:
  static constexpr int kSlots = N;
  const TArquivo& operator[](int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }
  TArquivo& operator[](int slot) { return slots_.at(static_cast<std::size_t>(slot - 1)); }
  void clear() { slots_.fill(TArquivo{}); }
  auto begin() const { return slots_.begin(); }
  auto end() const { return slots_.end(); }

 private:
  std::array<TArquivo, N> slots_{};
};

// Type 0, responsible party. Slot 19 is always empty (the version mark at
// 285-287 has no descriptor).
class TArquivoKevaTipoZero : public DescriptorList<24> {};
// Type 1, establishment. Slots 25-26 are always empty; 50-51 in the previous-year layout.
class TArquivoKevaTipoUm : public DescriptorList<51> {};
// Type 2, link. Slots 13 and 86 are empty in the previous-year layout.
class TArquivoKevaTipoDois : public DescriptorList<86> {};
// Type 9, totals.
class TArquivoKevaTipoNove : public DescriptorList<10> {};

// The four descriptor lists and the record length of one layout. A new layout
// has record length 527 and empty lists until one of the Monta functions fills it.
struct RecordLayout {
  int recordLength = kRecordLengthCurrent;
  TArquivoKevaTipoZero tipoZero;
  TArquivoKevaTipoUm tipoUm;
  TArquivoKevaTipoDois tipoDois;
  TArquivoKevaTipoNove tipoNove;

  // The layout's base year: the name of the type-1 year descriptor ("2006" or "2005").
  std::string_view baseYear() const;
  bool previousYear() const { return recordLength == kRecordLengthPrevious; }
};

// Fills the layout for base year 2006 (record length 527).
void MontaLayoutAnoAtual(RecordLayout& layout);
// Fills the layout for base year 2005 (record length 523), read only for imports.
void MontaLayoutAnoAnterior(RecordLayout& layout);

// Slot numbers, so that callers name fields instead of counting.
namespace slot0 {
inline constexpr int kSequencial = 1, kInscricao = 2, kPrefixo = 3, kTipo = 4, kReciboDefinitivo = 5,
                     kInscricaoResp = 6, kTipoInscricao = 7, kNome = 8, kEndereco = 9, kNumero = 10,
                     kComplemento = 11, kBairro = 12, kCep = 13, kCodigoMunicipio = 14, kNomeMunicipio = 15,
                     kUf = 16, kDdd = 17, kTelefone = 18, kRetificacao = 20, kDataRetificacao = 21,
                     kDataGeracao = 22, kEmail = 23, kHoraGeracao = 24;
}  // namespace slot0

namespace slot1 {
inline constexpr int kSequencial = 1, kInscricao = 2, kPrefixo = 3, kTipo = 4, kRazao = 5, kEndereco = 6,
                     kNumero = 7, kComplemento = 8, kBairro = 9, kCep = 10, kMunicipio = 11,
                     kNomeMunicipio = 12, kUf = 13, kDdd = 14, kTelefone = 15, kCnae = 16,
                     kNaturezaJuridica = 17, kProprietarios = 18, kDataBase = 19, kTipoInscricao = 20,
                     kTipoKeva = 21, kCeiVinculado = 22, kAno = 23, kPat = 24, kOptanteSimples = 27,
                     kUsoEmpresa = 28, kPatMenor5 = 29, kPatMaior5 = 30, kServicoProprio = 31,
                     kAdmCozinha = 32, kRefeicaoConvenio = 33, kRefeicaoTransportadora = 34,
                     kCestaAlimento = 35, kAlimentacaoConvenio = 36, kEncerramento = 37,
                     kDataEncerramento = 38, kPorte = 39, kEmail = 40, kCnpjAssociativa = 41,
                     kValorAssociativa = 42, kCnpjSindical = 43, kValorSindical = 44,
                     kCnpjAssistencial = 45, kValorAssistencial = 46, kCnpjConfederativa = 47,
                     kValorConfederativa = 48, kAtividadeAnoBase = 49, kCnpjCentralizadora = 50,
                     kSindicalizada = 51;
}  // namespace slot1

namespace slot2 {
inline constexpr int kSequencial = 1, kInscricao = 2, kPrefixo = 3, kTipo = 4, kPis = 5, kNome = 6,
                     kNascimento = 7, kNacionalidade = 8, kAnoChegada = 9, kInstrucao = 10, kCpf = 11,
                     kCarteiraNumero = 12, kCarteiraSerie = 13, kAdmissao = 14, kTipoAdmissao = 15,
                     kSalario = 16, kTipoSalario = 17, kHorasSemanais = 18, kCbo = 19, kVinculo = 20,
                     kDesligamento = 21, kDataDesligamento = 22,
                     kJaneiro = 23,  // February to December follow: kJaneiro + 1 ... kJaneiro + 11
                     kAdiantamento13 = 35, kMesAdiantamento13 = 36, kFinal13 = 37, kMesFinal13 = 38,
                     kRaca = 39, kDeficiente = 40, kUsoEmpresa = 41, kAvisoPrevio = 42, kAlvara = 43,
                     kSexo = 44, kMotivoPrimeiro = 45, kInicioPrimeiro = 46, kFinalPrimeiro = 47,
                     kMotivoSegundo = 48, kInicioSegundo = 49, kFinalSegundo = 50, kMotivoTerceiro = 51,
                     kInicioTerceiro = 52, kFinalTerceiro = 53, kDiasAfastamento = 54, kFerias = 55,
                     kBancoHoras = 56, kCompBancoHoras = 57, kDissidio = 58, kCompDissidio = 59,
                     kGratificacoes = 60, kCompGratificacoes = 61, kMultas = 62, kCnpjPrimAssociativa = 63,
                     kValorPrimAssociativa = 64, kCnpjSegAssociativa = 65, kValorSegAssociativa = 66,
                     kCnpjSindical = 67, kValorSindical = 68, kCnpjAssistencial = 69,
                     kValorAssistencial = 70, kCnpjConfederativa = 71, kValorConfederativa = 72,
                     kMunicipioTrabalho = 73,
                     kHorasJaneiro = 74,  // February to December follow: kHorasJaneiro + 1 ... + 11
                     kSindicalizado = 86;
}  // namespace slot2

namespace slot9 {
inline constexpr int kSequencial = 1, kInscricao = 2, kPrefixo = 3, kTipo = 4, kTotalTipo1 = 5,
                     kTotalTipo2 = 6, kTotalPrefixos = 7, kEstatistica = 8, kPesquisa = 9, kHashcode = 10;
}  // namespace slot9

}  // namespace torvex::core::declfile
