#include "core/reports/document.h"

namespace torvex::core::reports {

void Document::heading(std::string text) {
  Block b;
  b.kind = Block::Kind::Heading;
  b.text = std::move(text);
  blocks_.push_back(std::move(b));
}

void Document::subheading(std::string text) {
  Block b;
  b.kind = Block::Kind::Subheading;
  b.text = std::move(text);
  blocks_.push_back(std::move(b));
}

void Document::paragraph(std::string text, bool bold) {
  Block b;
  b.kind = Block::Kind::Paragraph;
  b.text = std::move(text);
  b.bold = bold;
  blocks_.push_back(std::move(b));
}

void Document::fields(std::vector<Field> fields, int columns, bool framed) {
  Block b;
  b.kind = Block::Kind::Fields;
  b.fields = std::move(fields);
  b.columns = columns < 1 ? 1 : columns;
  b.framed = framed;
  blocks_.push_back(std::move(b));
}

void Document::tableStart(std::vector<TableColumn> columns) {
  Block b;
  b.kind = Block::Kind::TableStart;
  b.table = std::move(columns);
  blocks_.push_back(std::move(b));
}

void Document::tableRow(std::vector<std::string> cells, bool bold) {
  Block b;
  b.kind = Block::Kind::TableRow;
  b.cells = std::move(cells);
  b.bold = bold;
  blocks_.push_back(std::move(b));
}

void Document::tableEnd() {
  Block b;
  b.kind = Block::Kind::TableEnd;
  blocks_.push_back(std::move(b));
}

void Document::spacer(double mm) {
  Block b;
  b.kind = Block::Kind::Spacer;
  b.height = mm;
  blocks_.push_back(std::move(b));
}

void Document::pageBreak() {
  Block b;
  b.kind = Block::Kind::PageBreak;
  blocks_.push_back(std::move(b));
}

std::string_view Document::keep(std::string text) {
  kept_.push_back(std::move(text));
  return kept_.back();
}

}  // namespace torvex::core::reports
