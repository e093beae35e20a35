// The report renderer drawn to PDF off screen; the PDF's text is read back with pdftotext.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/reports/document.h"
#include "reports/report_renderer.h"

namespace torvex::reports {
namespace {

using core::reports::Document;
using core::reports::Field;

class ReportRenderer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_reports";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }

  // The text of the document drawn to PDF, in reading order (no layout), or
  // with `options` as pdftotext takes them.
  std::string pdfText(const Document& doc, const std::string& options = "") {
    const QString path = dir_.filePath(QStringLiteral("r.pdf"));
    QString error;
    EXPECT_TRUE(writePdf(doc, path, QStringLiteral("01/02/2007 às 10:00"), &error)) << error.toStdString();
    std::string out;
    FILE* p = popen(("pdftotext " + options + " '" + path.toStdString() + "' - 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    while (std::size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    pclose(p);
    return out;
  }

  static std::vector<std::string> linesWith(const std::string& text, const std::string& part) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t end = text.find('\n', at);
      const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
      if (line.find(part) != std::string::npos) lines.push_back(line);
      if (end == std::string::npos) break;
      at = end + 1;
    }
    return lines;
  }

  QTemporaryDir dir_;
  static std::unique_ptr<QGuiApplication> app_;
};

std::unique_ptr<QGuiApplication> ReportRenderer::app_;

// Labels and values are shaped once and reused: labels that differ only in an
// accent, values repeated and values unique, far more of them than are kept,
// each still prints with its own label, in order, over many pages.
TEST_F(ReportRenderer, RepeatedAndUniqueFieldTextsPrintAsGiven) {
  Document doc;
  doc.title = "Campos";
  std::vector<Field> fields;
  std::vector<std::string> expected;
  for (int i = 0; i < 6000; ++i) {
    const std::string_view label = i % 2 == 0 ? "Situação" : "Situacao";
    const std::string value = i % 3 == 0 ? "Sim" : i % 3 == 1 ? "Sím" : "valor " + std::to_string(i);
    fields.push_back({label, value});
    expected.push_back(std::string(label) + ": " + value);
  }
  doc.fields(std::move(fields), 1);
  EXPECT_EQ(linesWith(pdfText(doc), "Situ"), expected);
}

// A value wider than its column is cut with an ellipsis; one that fits prints whole.
TEST_F(ReportRenderer, OnlyValuesWiderThanTheirColumnAreCut) {
  Document doc;
  doc.title = "Nomes";
  const std::string longName(120, 'M');
  const std::string fitting = "MARIA DA SILVA SAURO";
  doc.fields({{"Nome", longName}, {"Mãe", fitting}, {"Pai", "JOÃO"}}, 3);
  const std::string text = pdfText(doc);
  EXPECT_EQ(text.find(longName), std::string::npos);
  EXPECT_NE(text.find("Nome: MMMM"), std::string::npos) << text;
  EXPECT_NE(text.find("…"), std::string::npos) << text;
  EXPECT_NE(text.find("Mãe: " + fitting), std::string::npos) << text;
  EXPECT_NE(text.find("Pai: JOÃO"), std::string::npos) << text;
}

// Table cells keep their column's alignment: right-aligned amounts end at one
// edge, centred codes share one centre, left-aligned names start at one edge,
// whether the text was drawn before (a repeated value) or not.
TEST_F(ReportRenderer, TableCellsKeepTheirAlignment) {
  using core::reports::Align;
  Document doc;
  doc.title = "Tabela";
  doc.tableStart({{"Nome", 60}, {"Código", 30, Align::Center}, {"Valor", 40, Align::Right}});
  const std::vector<std::vector<std::string>> rows{{"ANA", "7", "1,00"},
                                                   {"BERNARDO MACHADO", "12345", "1.234.567,89"},
                                                   {"ANA", "7", "1,00"},
                                                   {"CAIO", "C1", "45,10"}};
  for (const auto& r : rows) doc.tableRow(r);
  doc.tableEnd();
  // Words with their boxes: <word xMin="..." yMin="..." xMax="..." yMax="...">text</word>
  const QString boxes = QString::fromStdString(pdfText(doc, "-bbox"));
  static const QRegularExpression word(
      QString::fromLatin1(R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
  std::map<std::string, std::vector<std::pair<double, double>>> at;  // text -> (xMin, xMax) of each time drawn
  for (auto m = word.globalMatch(boxes); m.hasNext();) {
    const auto w = m.next();
    at[w.captured(3).toStdString()].push_back({w.captured(1).toDouble(), w.captured(2).toDouble()});
  }
  ASSERT_EQ(at["1,00"].size(), 2u);
  ASSERT_EQ(at["7"].size(), 2u);
  ASSERT_EQ(at["ANA"].size(), 2u);
  const auto right = [&](const char* t, std::size_t i = 0) { return at[t].at(i).second; };
  const auto centre = [&](const char* t, std::size_t i = 0) { return (at[t].at(i).first + at[t].at(i).second) / 2; };
  const auto left = [&](const char* t, std::size_t i = 0) { return at[t].at(i).first; };
  for (const char* amount : {"1.234.567,89", "45,10"}) EXPECT_NEAR(right(amount), right("1,00"), 0.5) << amount;
  EXPECT_NEAR(right("1,00", 1), right("1,00"), 0.01);
  for (const char* code : {"12345", "C1"}) EXPECT_NEAR(centre(code), centre("7"), 0.5) << code;
  EXPECT_NEAR(centre("7", 1), centre("7"), 0.01);
  for (const char* name : {"BERNARDO", "CAIO"}) EXPECT_NEAR(left(name), left("ANA"), 0.01) << name;
  EXPECT_LT(right("1,00") - left("ANA"), 130 / 25.4 * 72);  // inside the table's 130 mm
  EXPECT_GT(left("1,00"), centre("7"));
}

}  // namespace
}  // namespace torvex::reports
