#include "core/consistency/check_presets.h"

#include "core/consistency/check_context.h"

namespace torvex::core::consistency {

CheckParameters verifyCheck() {
  CheckParameters p;
  p.baseYearFilter = std::string(kBaseYear);
  return p;
}

CheckParameters verifyCheck(std::vector<store::EstablishmentKey> chosen) {
  CheckParameters p = verifyCheck();
  p.selection = Selection{};
  p.selection->establishments = std::move(chosen);
  return p;
}

CheckParameters writeCheck(std::vector<store::EstablishmentKey> chosen) {
  CheckParameters p;
  p.selection = Selection{};
  p.selection->establishments = std::move(chosen);
  p.baseYearFilter = std::string(kBaseYear);
  p.checkResponsible = true;
  p.checkResponsibleFileFields = false;
  return p;
}

CheckParameters rectificationWriteCheck() {
  CheckParameters p = writeCheck({});
  p.selection.reset();
  p.useWorkTables = true;
  return p;
}

CheckParameters analyseFileCheck() {
  CheckParameters p;
  p.useWorkTables = true;
  p.checkResponsible = true;
  p.fileFlag = true;
  return p;
}

CheckParameters fileResponsibleCheck() {
  CheckParameters p = analyseFileCheck();
  p.selection = Selection{};  // no establishment chosen
  return p;
}

}  // namespace torvex::core::consistency
