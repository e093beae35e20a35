#pragma once
// `TCriticaKeva`: the establishment window's check of a municipality and CEP
// together, which also gives the municipality's name and state.
#include <string>
#include <string_view>

#include "core/store/reference_lookup.h"

namespace torvex::core::validation {

class TCriticaKeva {
 public:
  // Status of a check: accepted (0 and 4) or where the cursor goes back to.
  enum Status {
    kAccepted = 0,        // municipality and CEP agree
    kBadMunicipality = 1, // cursor back to the municipality
    kCepOutsideMunicipality = 2,
    kCepOutsideState = 3,
    kNoCepData = 4,       // the municipality has no CEP prefix: accepted
  };

  struct Result {
    std::string municipalityName;  // NoMunicipio, for NoMunicEstabelecimento
    int status = kAccepted;
    std::string code = "0000";     // message code to show for statuses 1 to 3
    std::string state;             // SgUf of the municipality's state
  };

  explicit TCriticaKeva(const store::ReferenceLookup& ref) : ref_(ref) {}

  Result checkMunicipalityAndCep(std::string_view municipality, std::string_view cep) const;

 private:
  const store::ReferenceLookup& ref_;
};

}  // namespace torvex::core::validation
