#pragma once
// Check digits of the four Brazilian identifiers (CNPJ, CEI, CPF, PIS/PASEP):
// the tests that accept or refuse a number, and the functions that compute the
// digits, used to make valid numbers for tests and generated data.
#include <optional>
#include <string>
#include <string_view>

namespace torvex::core::validation {

// CNPJ test: the first 14 characters are digits, the order part (digits 9 to 12)
// is not "0000", and both check digits fit. Characters past the 14th are ignored.
bool isCnpj(std::string_view value);
// Stricter form used before transmission: the value must be exactly 14 digits.
bool isCnpjStrict(std::string_view value);
// CEI test on the 14-character inscription field ("00" followed by the 12-digit CEI).
bool isCei(std::string_view value);
// CPF test on 11 digits. Eleven equal digits pass.
bool isCpf(std::string_view value);
// PIS/PASEP test on 11 digits (first digit 1 or 2; three known dummy numbers refused).
bool isPis(std::string_view value);

// The two CNPJ check digits for the first 12 digits; empty if they are not 12 digits.
std::string cnpjCheckDigits(std::string_view first12);
// The CEI check digit for the first 11 digits of the 12-digit CEI; nullopt if not 11 digits.
std::optional<char> ceiCheckDigit(std::string_view first11);
// The two CPF check digits for the first 9 digits; empty if they are not 9 digits.
std::string cpfCheckDigits(std::string_view first9);
// The PIS check digit for the first 10 digits; nullopt when no digit can fit
// (remainder 1) or the input is not 10 digits.
std::optional<char> pisCheckDigit(std::string_view first10);

}  // namespace torvex::core::validation
