#include "core/validation/critica_keva.h"

#include "core/validation/establishment_validators.h"
#include "core/validation/text_ops.h"

namespace torvex::core::validation {

TCriticaKeva::Result TCriticaKeva::checkMunicipalityAndCep(std::string_view municipality, std::string_view cep) const {
  Result r;
  const auto m = trimBlanks(municipality);
  if (const auto code = checkMunicipality(ref_, m); code != kValid) {
    r.status = kBadMunicipality;
    r.code = code;
    return r;
  }
  r.municipalityName = ref_.municipalityName(m).value_or("");
  r.state = ref_.stateOfMunicipality(m).value_or("");
  const auto inMunicipality = checkCepInMunicipality(ref_, cep, m, false);
  if (inMunicipality == kValid) return r;
  if (const auto inState = checkCepInState(ref_, cep, m.substr(0, 2)); inState != kValid) {
    r.status = kCepOutsideState;
    r.code = inState;
    return r;
  }
  const auto data = ref_.municipalityCepData(m);
  if (data && !data->prefix.empty()) {
    r.status = kCepOutsideMunicipality;
    r.code = inMunicipality;
  } else {
    r.status = kNoCepData;
  }
  return r;
}

}  // namespace torvex::core::validation
