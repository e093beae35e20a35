#include "reports/report_renderer.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/platform/output_file.h"
#include "core/reports/saved_report.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace torvex::reports {
namespace {

using core::reports::Align;
using core::reports::Block;
using core::reports::Document;
namespace page = core::reports::page;

// Layout units: dots of 1/1200 inch. Pages are cut in these units and every
// device scales them, so the preview breaks pages exactly where the PDF does.
constexpr double kRefDpi = 1200;
constexpr double mm(double v) { return v * kRefDpi / 25.4; }
constexpr int pt(double v) { return static_cast<int>(std::lround(v * kRefDpi / 72.0)); }

const QString kFamily = QStringLiteral("DejaVu Sans");

QFont font(double points, bool bold = false) {
  QFont f(kFamily);
  f.setPixelSize(pt(points));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

Qt::Alignment qtAlign(Align a) {
  switch (a) {
    case Align::Right: return Qt::AlignRight;
    case Align::Center: return Qt::AlignHCenter;
    case Align::Left: break;
  }
  return Qt::AlignLeft;
}

struct Fonts {
  QFont heading = font(11, true), subheading = font(9.5, true), body = font(9), bodyBold = font(9, true),
        cell = font(8), cellBold = font(8, true), label = font(7.5), small = font(7.5), title = font(13, true);
};

// Where a page starts: the block, the first row of a split field grid, and the
// table whose heading repeats at the top of the page (-1 for none).
struct PageStart {
  std::size_t block = 0;
  int fieldRow = 0;
  std::ptrdiff_t table = -1;
  std::ptrdiff_t group = -1;  // the subheading right above that table, repeated with it
};

// Text shaped once and drawn many times. Shaping a text (finding its glyphs
// and their advances) costs more than writing the glyphs into a page, and the
// labels of the field grids, the column titles, the messages of a findings
// table and many short values ("Sim", "0,00", codes) repeat page after page.
// Texts are kept by their content; when the bound is reached the cache starts
// afresh, so a report of unique names and amounts does not grow it without end.
class ShapedTextCache {
 public:
  explicit ShapedTextCache(const QFont& font) : font_(font), metrics_(font) { charAdvances_.fill(-1); }

  const QFontMetricsF& metrics() const { return metrics_; }

  // The advance of `text`, as QFontMetricsF::horizontalAdvance gives it.
  double advance(const QString& text) {
    Entry& e = entry(text);
    if (e.advance < 0) e.advance = metrics_.horizontalAdvance(text);
    return e.advance;
  }

  // Whether `text` is surely no wider than `width`, told without shaping it:
  // the sum of its characters' own advances, with room left for kerning.
  bool surelyFits(const QString& text, double width) {
    double sum = 0;
    for (const QChar c : text) {
      const char16_t u = c.unicode();
      if (u >= charAdvances_.size()) return false;
      double& a = charAdvances_[u];
      if (a < 0) a = metrics_.horizontalAdvance(c);
      sum += a;
    }
    return sum * 1.05 + metrics_.averageCharWidth() <= width;
  }

  // Whether `text` stays on one line in a box of `width`.
  bool oneLine(const QString& text, double width) {
    if (text.contains(QLatin1Char('\n'))) return false;
    return surelyFits(text, width) || advance(text) <= width;
  }

  // The height of `text` wrapped at words in a box of `width`.
  double height(const QString& text, double width) {
    if (text.isEmpty() || oneLine(text, width)) return metrics_.lineSpacing();
    Entry& e = entry(text);
    if (e.wrapWidth != width) {
      e.wrapWidth = width;
      e.wrappedHeight = metrics_.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text).height();
    }
    return e.wrappedHeight;
  }

  // Draws `text` with its baseline starting at `origin`, in the painter's pen.
  void draw(QPainter& p, const QString& text, QPointF origin) {
    Entry* e = reused(text);
    if (!e) {
      p.drawText(origin, text);
      return;
    }
    shape(*e, text);
    e->layout->draw(&p, QPointF(origin.x(), origin.y() - e->ascent));
  }

  // Draws `text` in `box` as QPainter::drawText(box, flags, text) does, for
  // texts at the top of their box (the only kind reports draw); the painter's
  // font must be this cache's. A text that does not stay on one line, or ends
  // in blanks (which alignment leaves out), goes through QPainter.
  void drawInBox(QPainter& p, const QString& text, const QRectF& box, int flags) {
    if (text.isEmpty()) return;
    if (text.back().isSpace() || !oneLine(text, box.width())) {
      p.drawText(box, flags, text);
      return;
    }
    Entry* e = reused(text);
    if (!e) {
      if (flags & (Qt::AlignRight | Qt::AlignHCenter)) p.drawText(box, flags, text);
      else p.drawText(QPointF(box.x(), box.y() + metrics_.ascent()), text);
      return;
    }
    shape(*e, text);
    double x = box.x();
    if (flags & Qt::AlignRight) x += box.width() - e->lineAdvance;
    else if (flags & Qt::AlignHCenter) x += (box.width() - e->lineAdvance) / 2;
    e->layout->draw(&p, QPointF(x, box.y()));
  }

 private:
  static constexpr std::size_t kMaxEntries = 4096;
  struct Entry {
    double advance = -1;
    double wrapWidth = -1, wrappedHeight = 0;
    double ascent = 0, lineAdvance = 0;
    std::unique_ptr<QTextLayout> layout;
  };
  struct Hash {
    std::size_t operator()(const QString& s) const { return qHash(s); }
  };

  Entry& entry(const QString& text) {
    auto it = entries_.find(text);
    if (it != entries_.end()) return it->second;
    if (entries_.size() >= kMaxEntries) entries_.clear();
    return entries_[text];
  }

  // The entry of a text worth shaping for good: one kept already, or one seen
  // before. A text seen once is drawn through QPainter, since most names and
  // amounts never come back; only hashes of those are remembered.
  Entry* reused(const QString& text) {
    const auto it = entries_.find(text);
    if (it != entries_.end()) return &it->second;
    if (seen_.insert(qHash(text)).second) {
      if (seen_.size() > 4 * kMaxEntries) seen_.clear();
      return nullptr;
    }
    return &entry(text);
  }

  void shape(Entry& e, const QString& text) {
    if (e.layout) return;
    e.layout = std::make_unique<QTextLayout>(text, font_);
    e.layout->setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    e.layout->setTextOption(option);
    e.layout->beginLayout();
    QTextLine line = e.layout->createLine();
    line.setLineWidth(std::numeric_limits<float>::max());
    e.ascent = line.ascent();
    e.lineAdvance = line.horizontalAdvance();
    e.layout->endLayout();
  }

  QFont font_;
  QFontMetricsF metrics_;
  std::unordered_map<QString, Entry, Hash> entries_;
  std::unordered_set<std::size_t> seen_;
  std::array<double, 256> charAdvances_{};
};

// Qt's PDF engine compresses each finished page through large scratch buffers
// made afresh for every page. With the C library's default thresholds those are
// mapped and unmapped (or trimmed off the heap) page after page and the kernel
// zero-fills them again: about a fifth of the time of a long report. While the
// pages of a report are painted the heap keeps them; the defaults come back after.
class KeepScratchMemory {
 public:
#if defined(__GLIBC__)
  KeepScratchMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
  }
  ~KeepScratchMemory() {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    malloc_trim(0);
  }
#else
  KeepScratchMemory() {}
#endif
  KeepScratchMemory(const KeepScratchMemory&) = delete;
  KeepScratchMemory& operator=(const KeepScratchMemory&) = delete;
};

}  // namespace

class ReportRenderer::Layout {
 public:
  Layout(const Document& doc, QString emitted) : doc_(doc), emitted_(std::move(emitted)) {
    heights_.assign(doc_.blocks().size(), -1);
    walk(nullptr, 0);
  }

  int pageCount() const { return static_cast<int>(pages_.size()); }

  void paint(QPainter& p, int index) const {
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    furniture(p, index);
    const_cast<Layout*>(this)->walk(&p, index);
    p.restore();
  }

 private:
  static constexpr double kLeft = mm(page::kMarginMm);
  static constexpr double kWidth = mm(page::kBodyWidthMm);
  static constexpr double kTop = mm(page::kMarginMm + 16);
  static constexpr double kBottom = mm(page::kHeightMm - page::kMarginMm - 9);

  // The cache of shaped texts of one of the report's fonts (a member of fonts_).
  ShapedTextCache& shaper(const QFont& f) const {
    auto& c = shapers_[&f];
    if (!c) c = std::make_unique<ShapedTextCache>(f);
    return *c;
  }

  double lineHeight(const QFont& f) const { return shaper(f).metrics().lineSpacing(); }

  // Height of a text in a box of `width`, wrapped at words (and at "\n").
  double textHeight(const QFont& f, const QString& text, double width) const { return shaper(f).height(text, width); }

  double blockHeight(std::size_t i) {
    if (heights_[i] >= 0) return heights_[i];
    const Block& b = doc_.blocks()[i];
    double h = 0;
    switch (b.kind) {
      case Block::Kind::Heading: h = mm(3) + lineHeight(fonts_.heading) + mm(1.5); break;
      case Block::Kind::Subheading: h = mm(2) + textHeight(fonts_.subheading, q(b.text), kWidth) + mm(1); break;
      case Block::Kind::Paragraph:
        h = textHeight(b.bold ? fonts_.bodyBold : fonts_.body, q(b.text), kWidth) + mm(1.5);
        break;
      case Block::Kind::TableStart: h = tableRowHeight(b.table, nullptr, true); break;
      case Block::Kind::TableRow: h = tableRowHeight(*currentColumns_, &b, false); break;
      case Block::Kind::TableEnd: h = mm(2); break;
      case Block::Kind::Spacer: h = mm(b.height); break;
      case Block::Kind::Fields: h = fieldRowHeight(b); break;  // per row
      case Block::Kind::PageBreak: h = 0; break;
    }
    heights_[i] = static_cast<float>(h);
    return h;
  }

  double tableRowHeight(const std::vector<core::reports::TableColumn>& cols, const Block* row, bool header) {
    double h = 0;
    for (std::size_t c = 0; c < cols.size(); ++c) {
      const QString text = header ? q(cols[c].title) : (row && c < row->cells.size() ? q(row->cells[c]) : QString());
      const QFont& f = header || (row && row->bold) ? fonts_.cellBold : fonts_.cell;
      h = std::max(h, textHeight(f, text, mm(cols[c].widthMm) - mm(1.6)));
    }
    return h + mm(1.2);
  }

  double fieldRowHeight(const Block& b) const { return lineHeight(fonts_.cell) + (b.framed ? mm(0.8) : mm(0.6)); }
  int fieldRows(const Block& b) const { return (static_cast<int>(b.fields.size()) + b.columns - 1) / b.columns; }

  // Walks the blocks. Without a painter it cuts the pages; with one it paints
  // page `only` and stops at its end.
  void walk(QPainter* p, int only) {
    const auto& blocks = doc_.blocks();
    PageStart start = p ? pages_[static_cast<std::size_t>(only)] : PageStart{};
    if (!p) pages_.push_back(start);
    int pageNo = only;
    double y = kTop;
    std::ptrdiff_t table = start.table;
    std::ptrdiff_t group = start.group;
    currentColumns_ = table >= 0 ? &blocks[static_cast<std::size_t>(table)].table : nullptr;
    if (table >= 0) y = tableHeader(p, table, continuedGroup(p, group, y));
    bool pageHasContent = false;

    auto newPage = [&](std::size_t block, int fieldRow) -> bool {
      if (p) return false;  // the page being painted ends here
      pages_.push_back({block, fieldRow, table, table >= 0 ? group : -1});
      ++pageNo;
      y = kTop;
      pageHasContent = false;
      if (table >= 0) y = tableHeader(nullptr, table, continuedGroup(nullptr, group, y));
      return true;
    };

    for (std::size_t i = start.block; i < blocks.size(); ++i) {
      const Block& b = blocks[i];
      const double h = blockHeight(i);
      switch (b.kind) {
        case Block::Kind::PageBreak:
          if (pageHasContent && !newPage(i + 1, 0)) return;
          break;
        case Block::Kind::Heading:
        case Block::Kind::Subheading: {
          // Never alone at the foot of a page: keep room for a line of what follows.
          const double next = i + 1 < blocks.size() ? std::min(nextHeight(i + 1), mm(20)) : 0;
          if (pageHasContent && y + h + next > kBottom && !newPage(i, 0)) return;
          if (p) drawHeading(*p, b, y);
          y += h;
          pageHasContent = true;
          break;
        }
        case Block::Kind::Paragraph:
          if (pageHasContent && y + h > kBottom && !newPage(i, 0)) return;
          if (p) {
            const QFont& f = b.bold ? fonts_.bodyBold : fonts_.body;
            p->setFont(f);
            shaper(f).drawInBox(*p, q(b.text), QRectF(kLeft, y, kWidth, h), Qt::TextWordWrap | Qt::AlignLeft);
          }
          y += h;
          pageHasContent = true;
          break;
        case Block::Kind::Spacer:
          y += h;
          break;
        case Block::Kind::TableStart: {
          currentColumns_ = &b.table;
          const bool rowFollows = i + 1 < blocks.size() && blocks[i + 1].kind == Block::Kind::TableRow;
          const double first = rowFollows ? blockHeight(i + 1) : 0;
          table = -1;
          if (pageHasContent && y + h + first > kBottom && !newPage(i, 0)) return;
          y = tableHeader(p, static_cast<std::ptrdiff_t>(i), y);
          table = static_cast<std::ptrdiff_t>(i);
          group = i > 0 && blocks[i - 1].kind == Block::Kind::Subheading ? table - 1 : -1;
          pageHasContent = true;
          break;
        }
        case Block::Kind::TableRow:
          if (y + h > kBottom && pageHasContent && !newPage(i, 0)) return;
          if (p) drawRow(*p, b, y, h);
          y += h;
          pageHasContent = true;
          break;
        case Block::Kind::TableEnd:
          table = -1;
          y += h;
          break;
        case Block::Kind::Fields: {
          const int rows = fieldRows(b);
          int row = (p && i == start.block) ? start.fieldRow : 0;
          const double pad = b.framed ? mm(1.5) : 0;
          // A small grid stays whole; a long one runs over pages row by row.
          if (row == 0 && pageHasContent && rows <= 12 && y + rows * h + 2 * pad > kBottom && !newPage(i, 0)) return;
          const double top = y;
          y += pad;
          int firstRow = row;
          double firstY = y;
          for (; row < rows; ++row) {
            if (y + h + pad > kBottom && pageHasContent) {
              if (p) {
                drawFieldRows(*p, b, firstRow, row, firstY, h);
                if (b.framed) frame(*p, top, y + pad);
              }
              if (!newPage(i, row)) return;
              firstRow = row;
              firstY = y;
            }
            y += h;
            pageHasContent = true;
          }
          if (p) drawFieldRows(*p, b, firstRow, rows, firstY, h);
          y += pad;
          if (p && b.framed) frame(*p, top, y);
          y += mm(1.5);
          break;
        }
      }
    }
    (void)pageNo;
  }

  double nextHeight(std::size_t i) {
    const Block& b = doc_.blocks()[i];
    if (b.kind == Block::Kind::TableStart && i + 1 < doc_.blocks().size()) {
      currentColumns_ = &b.table;
      return blockHeight(i) + blockHeight(i + 1);
    }
    if (b.kind == Block::Kind::Fields) return blockHeight(i) * std::min(fieldRows(b), 3);
    return blockHeight(i);
  }

  // A table that runs over to a new page brings its group's subheading along
  // (the establishment of a list of findings), marked as continued.
  double continuedGroup(QPainter* p, std::ptrdiff_t groupBlock, double y) {
    if (groupBlock < 0) return y;
    Block continued = doc_.blocks()[static_cast<std::size_t>(groupBlock)];
    continued.text += " (continuação)";
    if (p) drawHeading(*p, continued, y);
    return y + mm(2) + textHeight(fonts_.subheading, q(continued.text), kWidth) + mm(1);
  }

  double tableHeader(QPainter* p, std::ptrdiff_t tableBlock, double y) {
    const Block& t = doc_.blocks()[static_cast<std::size_t>(tableBlock)];
    currentColumns_ = &t.table;
    const double h = blockHeight(static_cast<std::size_t>(tableBlock));
    if (p) {
      p->fillRect(QRectF(kLeft, y, kWidth, h), QColor(0xe4, 0xe9, 0xee));
      p->setFont(fonts_.cellBold);
      double x = kLeft;
      for (const auto& c : t.table) {
        const double w = mm(c.widthMm);
        shaper(fonts_.cellBold)
            .drawInBox(*p, q(c.title), QRectF(x + mm(0.8), y + mm(0.6), w - mm(1.6), h - mm(0.6)),
                       static_cast<int>(qtAlign(c.align)) | Qt::TextWordWrap);
        x += w;
      }
      p->setPen(QPen(Qt::black, mm(0.2)));
      p->drawLine(QPointF(kLeft, y + h), QPointF(kLeft + kWidth, y + h));
    }
    return y + h;
  }

  void drawRow(QPainter& p, const Block& b, double y, double h) const {
    const auto& cols = *currentColumns_;
    const QFont& font = b.bold ? fonts_.cellBold : fonts_.cell;
    ShapedTextCache& cells = shaper(font);
    p.setFont(font);
    double x = kLeft;
    if (b.bold) {
      p.setPen(QPen(Qt::black, mm(0.2)));
      p.drawLine(QPointF(kLeft, y), QPointF(kLeft + kWidth, y));
    }
    for (std::size_t c = 0; c < cols.size(); ++c) {
      const double w = mm(cols[c].widthMm);
      if (c < b.cells.size() && !b.cells[c].empty())
        cells.drawInBox(p, q(b.cells[c]), QRectF(x + mm(0.8), y + mm(0.6), w - mm(1.6), h),
                        static_cast<int>(qtAlign(cols[c].align)) | Qt::TextWordWrap);
      x += w;
    }
    p.setPen(QPen(QColor(0xc8, 0xc8, 0xc8), mm(0.1)));
    p.drawLine(QPointF(kLeft, y + h), QPointF(kLeft + kWidth, y + h));
    p.setPen(Qt::black);
  }

  // Rows [from, to) of a field grid: every label in one pass, then every value,
  // so the PDF gets two font changes per grid instead of two per field.
  void drawFieldRows(QPainter& p, const Block& b, int from, int to, double y, double h) const {
    const double pad = b.framed ? mm(2) : 0;
    const double colWidth = (kWidth - 2 * pad) / b.columns;
    ShapedTextCache &labels = shaper(fonts_.label), &values = shaper(fonts_.cell);
    const QFontMetricsF &labelFm = labels.metrics(), &valueFm = values.metrics();
    std::vector<double> labelWidths(b.fields.size(), 0);
    p.setFont(fonts_.label);
    p.setPen(QColor(0x50, 0x50, 0x50));
    for (int row = from; row < to; ++row)
      for (int c = 0; c < b.columns; ++c) {
        const std::size_t i = static_cast<std::size_t>(row * b.columns + c);
        if (i >= b.fields.size() || b.fields[i].label.empty()) continue;
        const QString label = q(b.fields[i].label) + QStringLiteral(": ");
        labelWidths[i] = labels.advance(label);
        labels.draw(p, label,
                     QPointF(kLeft + pad + c * colWidth, y + (row - from) * h + labelFm.ascent() + (h - labelFm.height()) / 2));
      }
    p.setPen(Qt::black);
    p.setFont(fonts_.cell);
    for (int row = from; row < to; ++row)
      for (int c = 0; c < b.columns; ++c) {
        const std::size_t i = static_cast<std::size_t>(row * b.columns + c);
        if (i >= b.fields.size() || b.fields[i].value.empty()) continue;
        const double vw = colWidth - labelWidths[i] - mm(2);
        QString value = q(b.fields[i].value);
        if (!values.surelyFits(value, vw) && values.advance(value) > vw)
          value = valueFm.elidedText(value, Qt::ElideRight, vw);
        values.draw(p, value,
                     QPointF(kLeft + pad + c * colWidth + labelWidths[i],
                             y + (row - from) * h + valueFm.ascent() + (h - valueFm.height()) / 2));
      }
  }

  void frame(QPainter& p, double top, double bottom) const {
    p.setPen(QPen(Qt::black, mm(0.3)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kLeft, top, kWidth, bottom - top));
  }

  void drawHeading(QPainter& p, const Block& b, double y) const {
    const bool major = b.kind == Block::Kind::Heading;
    const QFont& f = major ? fonts_.heading : fonts_.subheading;
    p.setFont(f);
    const double top = y + (major ? mm(3) : mm(2));
    const double h = major ? lineHeight(f) : textHeight(f, q(b.text), kWidth);
    shaper(f).drawInBox(p, q(b.text), QRectF(kLeft, top, kWidth, h), Qt::AlignLeft | Qt::TextWordWrap);
    if (major) {
      p.setPen(QPen(QColor(0x20, 0x50, 0x70), mm(0.3)));
      p.drawLine(QPointF(kLeft, top + h + mm(0.3)), QPointF(kLeft + kWidth, top + h + mm(0.3)));
      p.setPen(Qt::black);
    }
  }

  void furniture(QPainter& p, int index) const {
    const double top = mm(page::kMarginMm);
    const double left = kLeft, right = kLeft + kWidth;
    p.setPen(Qt::black);
    p.setFont(fonts_.small);
    const double lh = lineHeight(fonts_.small);
    QString program = q(doc_.program) + QStringLiteral(" - Gerador de Declaração Keva");
    if (!doc_.version.empty()) program += QStringLiteral("   Versão ") + q(doc_.version);
    ShapedTextCache& small = shaper(fonts_.small);
    small.drawInBox(p, program, QRectF(left, top, kWidth, lh), Qt::AlignLeft);
    if (!doc_.baseYear.empty())
      small.drawInBox(p, QStringLiteral("Ano-Base ") + q(doc_.baseYear), QRectF(left, top, kWidth, lh), Qt::AlignRight);
    p.setFont(fonts_.title);
    shaper(fonts_.title)
        .drawInBox(p, q(doc_.title), QRectF(left, top + lh + mm(1), kWidth, lineHeight(fonts_.title)), Qt::AlignHCenter);
    const double rule = top + lh + mm(1) + lineHeight(fonts_.title) + mm(1.5);
    p.setPen(QPen(Qt::black, mm(0.4)));
    p.drawLine(QPointF(left, rule), QPointF(right, rule));

    const double foot = mm(page::kHeightMm - page::kMarginMm) - lh;
    p.setPen(QPen(Qt::black, mm(0.2)));
    p.drawLine(QPointF(left, foot - mm(1)), QPointF(right, foot - mm(1)));
    p.setFont(fonts_.small);
    small.drawInBox(p, QStringLiteral("Emitido em ") + emitted_, QRectF(left, foot, kWidth, lh), Qt::AlignLeft);
    small.drawInBox(p, QStringLiteral("Página %1 de %2").arg(index + 1).arg(pageCount()), QRectF(left, foot, kWidth, lh),
                    Qt::AlignRight);
  }

  const Document& doc_;
  QString emitted_;
  Fonts fonts_;
  mutable std::unordered_map<const QFont*, std::unique_ptr<ShapedTextCache>> shapers_;
  std::vector<float> heights_;
  std::vector<PageStart> pages_;
  const std::vector<core::reports::TableColumn>* currentColumns_ = nullptr;
};

ReportRenderer::ReportRenderer(const Document& document, QString emitted)
    : layout_(std::make_unique<Layout>(document, std::move(emitted))) {}

ReportRenderer::~ReportRenderer() = default;

int ReportRenderer::pageCount() const { return layout_->pageCount(); }

void ReportRenderer::paintPage(QPainter& painter, int index) const {
  const QPaintDevice* d = painter.device();
  painter.save();
  painter.scale(d->logicalDpiX() / kRefDpi, d->logicalDpiY() / kRefDpi);
  layout_->paint(painter, index);
  painter.restore();
}

bool ReportRenderer::paintAll(QPagedPaintDevice& device) const {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  const KeepScratchMemory keep;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (int i = 0; i < pageCount(); ++i) {
    if (i > 0 && !device.newPage()) return false;
    paintPage(painter, i);
  }
  return painter.end();
}

QImage ReportRenderer::pageImage(int index, double dpi) const {
  const double dpm = dpi / 0.0254;
  QImage img(static_cast<int>(std::lround(page::kWidthMm / 25.4 * dpi)),
             static_cast<int>(std::lround(page::kHeightMm / 25.4 * dpi)), QImage::Format_RGB32);
  img.setDotsPerMeterX(static_cast<int>(std::lround(dpm)));
  img.setDotsPerMeterY(static_cast<int>(std::lround(dpm)));
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paintPage(p, index);
  return img;
}

namespace {

// The PDF writer's output device: bytes go to an output file under its
// temporary name; a failed write is kept for the message.
class OutputFileDevice : public QIODevice {
 public:
  explicit OutputFileDevice(core::platform::OutputFile& file) : file_(file) { open(QIODevice::WriteOnly); }
  const std::optional<core::platform::OutputFileError>& failure() const { return failure_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (failure_) return -1;
    try {
      file_.write(std::string_view(data, static_cast<std::size_t>(size)));
    } catch (const core::platform::OutputFileError& e) {
      failure_ = e;
      return -1;
    }
    return size;
  }

 private:
  core::platform::OutputFile& file_;
  std::optional<core::platform::OutputFileError> failure_;
};

}  // namespace

bool writePdf(const Document& document, const QString& path, const QString& emitted, QString* error,
              const std::filesystem::path& dataFolder) {
  const std::filesystem::path target = path.toStdString();
  const auto refuse = [&](const std::string& text) {
    if (error) *error = QString::fromStdString(text);
    return false;
  };
  if (const std::string problem = core::reports::savedReportProblem(target, document, dataFolder); !problem.empty())
    return refuse(problem);
  try {
    // The older file stays until the new one is complete.
    core::platform::OutputFile file(target);
    ReportRenderer renderer(document, emitted);
    bool ok = false;
    std::optional<core::platform::OutputFileError> failure;
    {
      OutputFileDevice device(file);
      {
        QPdfWriter writer(&device);
        writer.setResolution(static_cast<int>(kRefDpi));
        writer.setTitle(QString::fromStdString(document.title));
        writer.setCreator(QStringLiteral("TORVEX"));
        ok = renderer.paintAll(writer);
      }
      failure = device.failure();
    }
    if (failure) throw *failure;
    if (!ok) return refuse("falha ao gerar o PDF");
    file.commit();
  } catch (const core::platform::OutputFileError& e) {
    return refuse(e.what());
  }
  return true;
}

QString emissionNow() {
  return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy 'às' HH:mm"));
}

}  // namespace torvex::reports
