#pragma once
// Handles on the fields of the three record kinds, resolved once: the rules,
// the check context, the error log and the entry windows read a field through
// these instead of naming its column again.
#include <array>

#include "core/consistency/record.h"

namespace torvex::core::consistency::fields {

namespace responsible {
inline const Field kInscription{RecordKind::Responsible, "CoCgcCeiResponsavel"};
inline const Field kKind{RecordKind::Responsible, "InInscrResponsavel"};
inline const Field kName{RecordKind::Responsible, "NoResponsavelArquivo"};
inline const Field kStreet{RecordKind::Responsible, "EdLogradouroRespArquivo"};
inline const Field kNumber{RecordKind::Responsible, "NuLogradouroRespArquivo"};
inline const Field kComplement{RecordKind::Responsible, "TxComplementoRespArquivo"};
inline const Field kDistrict{RecordKind::Responsible, "NoBairroRespArquivo"};
inline const Field kCep{RecordKind::Responsible, "CoCepRespArquivo"};
inline const Field kMunicipality{RecordKind::Responsible, "CoMunicipioRespArquivo"};
inline const Field kMunicipalityName{RecordKind::Responsible, "NoMunicipioRespArquivo"};
inline const Field kState{RecordKind::Responsible, "SgUfRespArquivo"};
inline const Field kDdd{RecordKind::Responsible, "NuFoneDDD"};
inline const Field kPhone{RecordKind::Responsible, "NuFoneAssinante"};
inline const Field kEmail{RecordKind::Responsible, "TxEMailRespArquivo"};
inline const Field kRectification{RecordKind::Responsible, "InRetificacao"};
inline const Field kRectificationDate{RecordKind::Responsible, "DaRetificacao"};
inline const Field kGenerationDate{RecordKind::Responsible, "DaGeracao"};
}  // namespace responsible

namespace establishment {
inline const Field kOpenOperation{RecordKind::Establishment, "InOpcaoAberta"};
// Values of kOpenOperation: the operation that set it and did not finish.
namespace open_operation {
inline constexpr const char* kEntry = "0";             // establishment data entry
inline constexpr const char* kDeletion = "1";          // deletion of the establishment
inline constexpr const char* kTransfer = "3";          // transfer of employees
inline constexpr const char* kEmployeeDeletion = "4";  // deletion of several employees
inline constexpr const char* kLinkCodeChange = "5";    // change of the link code
}  // namespace open_operation
inline const Field kYear{RecordKind::Establishment, "AnBase"};
inline const Field kInscription{RecordKind::Establishment, "CoCgcCeiEstabelecimento"};
inline const Field kKind{RecordKind::Establishment, "InInscrEstabelecimento"};
inline const Field kPrefix{RecordKind::Establishment, "NuPrefixoEstabelecimento"};
inline const Field kName{RecordKind::Establishment, "NoRazaoEstabelecimento"};
inline const Field kStreet{RecordKind::Establishment, "EdEstabelecimento"};
inline const Field kNumber{RecordKind::Establishment, "NuEnderecoEstabelecimento"};
inline const Field kComplement{RecordKind::Establishment, "TxComplemEstabelecimento"};
inline const Field kDistrict{RecordKind::Establishment, "NoBairroEstabelecimento"};
inline const Field kCep{RecordKind::Establishment, "CoCepEstabelecimento"};
inline const Field kMunicipality{RecordKind::Establishment, "CoMunicipio"};
inline const Field kMunicipalityName{RecordKind::Establishment, "NoMunicEstabelecimento"};
inline const Field kState{RecordKind::Establishment, "SgUf"};
inline const Field kDdd{RecordKind::Establishment, "NuDDD"};
inline const Field kPhone{RecordKind::Establishment, "NuTelefone"};
inline const Field kEmail{RecordKind::Establishment, "TxEmailEstabelecimento"};
inline const Field kSize{RecordKind::Establishment, "InPorte"};
inline const Field kSimples{RecordKind::Establishment, "InOptanteSimples"};
inline const Field kActivity{RecordKind::Establishment, "CoCnae2"};
inline const Field kLegalNature{RecordKind::Establishment, "CoNaturezaJuridica"};
inline const Field kOwners{RecordKind::Establishment, "NuProprietEstabelecimento"};
inline const Field kBaseMonth{RecordKind::Establishment, "MeDataBase"};
inline const Field kNegative{RecordKind::Establishment, "InKevaNegEstabelecimento"};
inline const Field kLinkedCei{RecordKind::Establishment, "CoCgcVinculado"};
inline const Field kClosing{RecordKind::Establishment, "InEncerramentoAtividade"};
inline const Field kClosureDate{RecordKind::Establishment, "DaEncerramentoAtividade"};
inline const Field kPat{RecordKind::Establishment, "InParticipaPAT"};
inline const Field kPatAbove{RecordKind::Establishment, "NuVinculoPatMaior5"};
inline const Field kPatBelow{RecordKind::Establishment, "NuVinculoPatMenor5"};
inline const Field kUnionCnpj{RecordKind::Establishment, "CoCNPJSindical"};
inline const Field kCentralizing{RecordKind::Establishment, "CoCNPJCentralizada"};
inline const Field kMembership{RecordKind::Establishment, "InSindicalizada"};
inline const Field kActive{RecordKind::Establishment, "InAtividadeAnoBase"};
inline const Field kCompanyUse{RecordKind::Establishment, "TxUsoEstabelecimento"};
inline const Field kForeigners{RecordKind::Establishment, "NuEstrangeirosEstabelec"};
inline const Field kLinks{RecordKind::Establishment, "NuVinculosEstabelecimento"};
}  // namespace establishment

namespace link {
inline const Field kYear{RecordKind::Link, "AnBase"};
inline const Field kInscription{RecordKind::Link, "CoCgcCeiEstabelecimento"};
inline const Field kPrefix{RecordKind::Link, "NuPrefixoEstabelecimento"};
inline const Field kPis{RecordKind::Link, "CoPisPasepEmpregado"};
inline const Field kAdmission{RecordKind::Link, "DaAdmissaoEmpregado"};
inline const Field kName{RecordKind::Link, "NoEmpregado"};
inline const Field kSequence{RecordKind::Link, "NuSequencialRegistro"};
inline const Field kBirth{RecordKind::Link, "DaNascimentoEmpregado"};
inline const Field kNationality{RecordKind::Link, "CoNacionalidade"};
inline const Field kArrival{RecordKind::Link, "AnChegadaEmpregado"};
inline const Field kInstruction{RecordKind::Link, "CoInstrucao"};
inline const Field kCardNumber{RecordKind::Link, "NuCartTrabEmpregado"};
inline const Field kCardSeries{RecordKind::Link, "SeCartTrabEmpregado"};
inline const Field kCpf{RecordKind::Link, "CoCpfEmpregado"};
inline const Field kAdmissionType{RecordKind::Link, "CoTipoAdmissao"};
inline const Field kSalary{RecordKind::Link, "VaSalContratualEmpregado"};
inline const Field kSalaryType{RecordKind::Link, "CoTipoSalarioContratual"};
inline const Field kWeeklyHours{RecordKind::Link, "HoSemanaisEmpregado"};
inline const Field kCbo{RecordKind::Link, "CoCbo"};
inline const Field kVinculo{RecordKind::Link, "CoVinculo"};
inline const Field kCause{RecordKind::Link, "CoCausaDesligamento"};
inline const Field kDismissal{RecordKind::Link, "DaDesligamentoEmpregado"};
inline const Field kAdvanceMonth{RecordKind::Link, "Me13AdiantamentoEmpregado"};
inline const Field kAdvanceValue{RecordKind::Link, "Va13AdiantamentoEmpregado"};
inline const Field kFinalMonth{RecordKind::Link, "Me13ParcelaFinalEmpregado"};
inline const Field kFinalValue{RecordKind::Link, "Va13ParcelaFinalEmpregado"};
inline const Field kCompanyUse{RecordKind::Link, "TxUsoEmpregado"};
inline const Field kRace{RecordKind::Link, "CoTipoRaca"};
inline const Field kDisabled{RecordKind::Link, "InDeficienteFisico"};
inline const Field kDisabilityKind{RecordKind::Link, "CoDeficienteFisico"};
inline const Field kNotice{RecordKind::Link, "VaAvisoPrevioEmpregado"};
inline const Field kPermit{RecordKind::Link, "InAlvaraEmpregado"};
inline const Field kSex{RecordKind::Link, "InSexo"};
inline const Field kAbsenceDays{RecordKind::Link, "QtDiasAfas"};
inline const Field kWorkMunicipality{RecordKind::Link, "CoMunicipioTrabalho"};
inline const Field kUnionMember{RecordKind::Link, "InSindicalizadoVinculo"};


inline const std::array<Field, 12> kMonthValue{
    Field{RecordKind::Link, "VaJaneiroEmpregado"},  Field{RecordKind::Link, "VaFevereiroEmpregado"},
    Field{RecordKind::Link, "VaMarcoEmpregado"},    Field{RecordKind::Link, "VaAbrilEmpregado"},
    Field{RecordKind::Link, "VaMaioEmpregado"},     Field{RecordKind::Link, "VaJunhoEmpregado"},
    Field{RecordKind::Link, "VaJulhoEmpregado"},    Field{RecordKind::Link, "VaAgostoEmpregado"},
    Field{RecordKind::Link, "VaSetembroEmpregado"}, Field{RecordKind::Link, "VaOutubroEmpregado"},
    Field{RecordKind::Link, "VaNovembroEmpregado"}, Field{RecordKind::Link, "VaDezembroEmpregado"}};

inline const std::array<Field, 12> kMonthHours{
    Field{RecordKind::Link, "HoTrabalhadasJaneiro"},  Field{RecordKind::Link, "HoTrabalhadasFevereiro"},
    Field{RecordKind::Link, "HoTrabalhadasMarco"},    Field{RecordKind::Link, "HoTrabalhadasAbril"},
    Field{RecordKind::Link, "HoTrabalhadasMaio"},     Field{RecordKind::Link, "HoTrabalhadasJunho"},
    Field{RecordKind::Link, "HoTrabalhadasJulho"},    Field{RecordKind::Link, "HoTrabalhadasAgosto"},
    Field{RecordKind::Link, "HoTrabalhadasSetembro"}, Field{RecordKind::Link, "HoTrabalhadasOutubro"},
    Field{RecordKind::Link, "HoTrabalhadasNovembro"}, Field{RecordKind::Link, "HoTrabalhadasDezembro"}};

// Absence reason, start and end of the first, second and third absence.
struct Absence {
  Field reason;
  Field start;
  Field end;
};
inline const std::array<Absence, 3> kAbsences{
    Absence{{RecordKind::Link, "CoMotivoPrimAfas"}, {RecordKind::Link, "DaInicioPrimeiroAfas"},
            {RecordKind::Link, "DaFinalPrimeiroAfas"}},
    Absence{{RecordKind::Link, "CoMotivoSeguAfas"}, {RecordKind::Link, "DaInicioSegundoAfas"},
            {RecordKind::Link, "DaFinalSegundoAfas"}},
    Absence{{RecordKind::Link, "CoMotivoTercAfas"}, {RecordKind::Link, "DaInicioTerceiroAfas"},
            {RecordKind::Link, "DaFinalTerceiroAfas"}}};

}  // namespace link

}  // namespace torvex::core::consistency::fields
