#pragma once
// The fields of a transmission receipt (the first line of the ".rec" file the
// transmission program leaves beside the declaration), as the receipt reader
// cuts them, and the parameters of the transmission protocol report made from them.
#include <string>

#include "core/reports/catalogue.h"

namespace torvex::core::reports {

struct TransmissionReceipt {
  std::string number;          // positions 1-9
  std::string inscription;     // 10-23
  std::string fileCrc;         // 24-33, decimal
  std::string establishments;  // 34-38
  std::string links;           // 39-44
  std::string date;            // 45-52, ddmmyyyy
  std::string time;            // 53-56, hhmm
  std::string hash;            // 59-90
  std::string receiptCrc;      // 91-100
};

// CREA, CNPJ, QtdEstab, QtdVinc, CRCArqKeva, Data, Hora, Hash, CRCRecibo and AnoBase.
Parameters transmissionParameters(const TransmissionReceipt& receipt, const std::string& baseYear);

// A count without leading zeros, with a "." before the last three digits when it has 4 to 6.
std::string receiptCount(const std::string& digits);

}  // namespace torvex::core::reports
