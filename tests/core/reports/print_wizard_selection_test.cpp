// The print wizard's selection rules over a small stored declaration.
#include "core/reports/print_wizard_selection.h"

#include <gtest/gtest.h>

#include "core/reports/database_data_sets.h"
#include "support/declaration_samples.h"

namespace torvex::core::reports {
namespace {

using test::Values;

struct Stored {
  test::TempDataFolder folder;
  Values a = test::validEstablishment(), b = test::validEstablishment();
  Stored() {
    b["CoCgcCeiEstabelecimento"] = test::cnpj("55666777");
    test::insertRow(folder.db(), "BD8Emp", a);
    test::insertRow(folder.db(), "BD8Emp", b);
    // Two links without PIS admitted the same day: only the name tells them apart.
    for (const char* name : {"ANA SEM PIS", "BRUNO SEM PIS"}) {
      Values l = test::validLink(a);
      l["CoPisPasepEmpregado"] = "00000000000";
      l["NoEmpregado"] = name;
      test::insertRow(folder.db(), "BD8Vinc", l);
    }
    Values l = test::validLink(a);
    l["NoEmpregado"] = "CARLA COM PIS";
    test::insertRow(folder.db(), "BD8Vinc", l);
  }
  std::vector<std::string> reportedNames(const DeclarationSelection& s) {
    DatabaseDataSets data(folder.db(), s);
    std::vector<std::string> names;
    auto ests = data.open(dataset::kEstablishments);
    Row e, l;
    while (ests->next(e)) {
      auto links = data.open(dataset::kLinks, &e);
      names.push_back("[" + e["CoCgcCeiEstabelecimento"] + "]");
      while (links->next(l)) names.push_back(l["NoEmpregado"]);
    }
    return names;
  }
};

TEST(PrintWizardSelection, PartialRefusedWithTwoMarkedThenOneEstablishmentAndMarkedEmployees) {
  Stored s;
  PrintWizardSelection w;
  w.setEstablishments(establishmentLines(s.folder.db(), false, "2006"));
  ASSERT_EQ(w.establishments().size(), 2u);
  EXPECT_EQ(w.checkBeforePrint(), kSelectEstablishment);

  // Total: both marked, every link of both.
  w.toggleEstablishment(0);
  w.toggleEstablishment(1);
  EXPECT_EQ(w.checkBeforePrint(), "");
  const auto total = s.reportedNames(w.selection(Classification::Nome, false, false, "2006"));
  EXPECT_EQ(total.size(), 5u);  // two establishments, three links

  int est = 0;
  EXPECT_EQ(w.choosePartial(est), kOnePartialAtATime);
  EXPECT_FALSE(w.partial());

  // Parcial: clicking an establishment marks it alone.
  w.toggleEstablishment(1);
  EXPECT_EQ(w.choosePartial(est), "");
  EXPECT_EQ(est, 0);
  EXPECT_TRUE(w.toggleEstablishment(0) == false);  // the click unmarks it...
  EXPECT_TRUE(w.toggleEstablishment(0));           // ...and marks it again, alone
  EXPECT_FALSE(w.establishmentMarked(1));
  w.setEmployees(employeeLines(s.folder.db(), false, "2006", w.establishments()[0].key, Classification::Nome, false));
  ASSERT_EQ(w.employees().size(), 3u);
  EXPECT_EQ(w.employees()[0].key.name, "ANA SEM PIS");
  EXPECT_EQ(w.checkBeforePrint(), kSelectEmployee);

  w.toggleEmployee(1);  // BRUNO SEM PIS: the same PIS and date as ANA
  const auto partial = s.reportedNames(w.selection(Classification::Nome, false, false, "2006"));
  EXPECT_EQ(partial, (std::vector<std::string>{"[" + s.a["CoCgcCeiEstabelecimento"] + "]", "BRUNO SEM PIS"}));

  w.markAllEmployees();
  EXPECT_EQ(s.reportedNames(w.selection(Classification::Nome, true, false, "2006")).back(), "ANA SEM PIS");
  w.clearEmployees();
  EXPECT_EQ(w.checkBeforePrint(), kSelectEmployee);
}

TEST(PrintWizardSelection, ListLinesByClassification) {
  const EmployeeKey k{"12345678901", "01022003", "MARIA"};
  EXPECT_EQ(employeeLineText(k, "A1", Classification::Pis),
            "123.45678.90.1  01/02/2003  MARIA" + std::string(27, ' ') + "A1");
  EXPECT_EQ(employeeLineText(k, "A1", Classification::Uso), "A1" + std::string(13, ' ') + "123.45678.90.1  01/02/2003  MARIA");
  EXPECT_EQ(employeeLineText(k, "", Classification::Nome), "MARIA" + std::string(27, ' ') + "123.45678.90.1  01/02/2003  ");
}

}  // namespace
}  // namespace torvex::core::reports
