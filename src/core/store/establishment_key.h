#pragma once
// The key of an establishment row: base year, inscription and prefix.
#include <compare>
#include <string>

namespace torvex::core::store {

struct EstablishmentKey {
  std::string anBase;     // 4
  std::string inscricao;  // 14
  std::string prefixo;    // 2
  auto operator<=>(const EstablishmentKey&) const = default;
};

}  // namespace torvex::core::store
