// The report renderer drawn to PDF off screen; the PDF's text is read back with pdftotext.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
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

  // The text of the document drawn to PDF, in reading order (no layout).
  std::string pdfText(const Document& doc) {
    const QString path = dir_.filePath(QStringLiteral("r.pdf"));
    QString error;
    EXPECT_TRUE(writePdf(doc, path, QStringLiteral("01/02/2007 às 10:00"), &error)) << error.toStdString();
    std::string out;
    FILE* p = popen(("pdftotext '" + path.toStdString() + "' - 2>/dev/null").c_str(), "r");
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

}  // namespace
}  // namespace torvex::reports
