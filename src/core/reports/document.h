#pragma once
// A report as a list of blocks that the renderer lays out on A4 pages: section
// headings, paragraphs, grids of labelled fields, tables whose heading repeats
// on every page they run over, page breaks. Sizes are in millimetres; the
// renderer draws the page furniture (program, title, base year, emission date,
// "Página n de m") around them.
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::core::reports {

enum class Align { Left, Right, Center };

struct TableColumn {
  std::string title;
  double widthMm = 20;
  Align align = Align::Left;
};

struct Field {
  std::string_view label;  // a literal, or a text kept by Document::keep
  std::string value;
};

struct Block {
  enum class Kind {
    Heading,     // a section title; never left alone at the foot of a page
    Subheading,  // a smaller title inside a section (an employee, a group of findings)
    Paragraph,   // wrapped text
    Fields,      // label/value pairs in `columns` equal columns
    TableStart,  // the columns of the table that follows
    TableRow,    // one row of the current table; cells wrap within their column
    TableEnd,
    Spacer,      // `height` mm of blank space
    PageBreak,
  };
  Kind kind = Kind::Paragraph;
  std::string text;                  // Heading, Subheading, Paragraph
  std::vector<Field> fields;         // Fields
  int columns = 2;                   // Fields
  bool framed = false;               // Fields: drawn inside a box (labels)
  bool bold = false;                 // Paragraph, TableRow (a total)
  std::vector<std::string> cells;    // TableRow
  std::vector<TableColumn> table;    // TableStart
  double height = 0;                 // Spacer
};

class Document {
 public:
  // What the page furniture shows.
  std::string reportName;  // the catalogue name ("rptErros")
  std::string title;       // shown at the top of every page
  std::string program = "TORVEX";
  std::string version;     // "2006.4"
  std::string baseYear;    // "2006"
  // Set by a report that found no rows, with the sentence that says so.
  bool nothingToReport = false;
  std::string nothingMessage;
  // The files the report is made from (a declaration file and its receipt):
  // a saved copy of the report never goes over them.
  std::vector<std::filesystem::path> sources;

  void heading(std::string text);
  void subheading(std::string text);
  void paragraph(std::string text, bool bold = false);
  void fields(std::vector<Field> fields, int columns = 2, bool framed = false);
  void tableStart(std::vector<TableColumn> columns);
  void tableRow(std::vector<std::string> cells, bool bold = false);
  void tableEnd();
  void spacer(double mm);
  void pageBreak();

  // Keeps a label made at run time alive as long as the document.
  std::string_view keep(std::string text);

  const std::vector<Block>& blocks() const { return blocks_; }
  bool empty() const { return blocks_.empty(); }

 private:
  std::vector<Block> blocks_;
  std::deque<std::string> kept_;
};

// The A4 page in millimetres, shared by the layouts of the reports and the renderer.
namespace page {
inline constexpr double kWidthMm = 210, kHeightMm = 297;
inline constexpr double kMarginMm = 15;
inline constexpr double kBodyWidthMm = kWidthMm - 2 * kMarginMm;  // 180
}  // namespace page

}  // namespace torvex::core::reports
