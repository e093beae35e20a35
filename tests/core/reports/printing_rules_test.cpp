#include "core/reports/printing_rules.h"

#include <gtest/gtest.h>

#include "support/scripted_interaction.h"

namespace torvex::core::reports {
namespace {

struct FakePrinters : platform::Printers {
  bool installed = false;
  bool anyInstalled() override { return installed; }
  std::string defaultPrinter() override { return installed ? "Escritorio" : ""; }
};

TEST(PrintingRules, WithoutPrinterPreviewWarnsAndCannotPrintWhilePrintRefuses) {
  FakePrinters none;
  test::ScriptedInteraction ui;
  const PrintPlan preview = planPrint(Destination::Preview, none, ui);
  EXPECT_TRUE(preview.run);
  EXPECT_FALSE(preview.printingAllowed);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].kind, platform::DialogKind::Warning);
  EXPECT_EQ(ui.shown[0].text, "Não há impressoras instaladas.");

  const PrintPlan print = planPrint(Destination::Printer, none, ui);
  EXPECT_FALSE(print.run);
  ASSERT_EQ(ui.shown.size(), 2u);
  EXPECT_EQ(ui.shown[1].kind, platform::DialogKind::Error);
  EXPECT_EQ(ui.shown[1].text, "Não é possível imprimir: não há impressoras instaladas.");
}

TEST(PrintingRules, WithPrinterNothingIsSaid) {
  FakePrinters one;
  one.installed = true;
  test::ScriptedInteraction ui;
  EXPECT_TRUE(planPrint(Destination::Preview, one, ui).printingAllowed);
  EXPECT_TRUE(planPrint(Destination::Printer, one, ui).run);
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace torvex::core::reports
