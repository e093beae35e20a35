#pragma once
// Lays a report Document out on A4 pages and paints it: the same pages for the
// on-screen preview, the printer and PDF files, because the pages are cut once
// at a fixed reference resolution and only scaled to each device.
//
// Showing a report from a window is one call to gui::reports::showReport (see
// gui/reports/report_runner.h); this library needs Qt Gui only, so torvex-cli
// uses it too.
#include <QImage>
#include <QString>
#include <filesystem>
#include <memory>

#include "core/reports/document.h"

class QPainter;
class QPagedPaintDevice;

namespace torvex::reports {

class ReportRenderer {
 public:
  // `emitted` is the emission date and time shown at the foot of every page.
  ReportRenderer(const core::reports::Document& document, QString emitted);
  ~ReportRenderer();
  ReportRenderer(const ReportRenderer&) = delete;
  ReportRenderer& operator=(const ReportRenderer&) = delete;

  int pageCount() const;
  // Paints page `index` (0-based) on a painter whose device is an A4 page.
  void paintPage(QPainter& painter, int index) const;
  // Paints every page on a paged device (a PDF writer or a printer), page size set here.
  bool paintAll(QPagedPaintDevice& device) const;
  // One page as an image of `dpi` dots per inch, white background.
  QImage pageImage(int index, double dpi) const;

 private:
  class Layout;
  std::unique_ptr<Layout> layout_;
};

// Writes the document as a PDF file; false with `error` set (in Portuguese)
// when it cannot. The file is written under a temporary name and takes its
// own only when complete, so a failure leaves an older file of that name as it
// was. A name inside `dataFolder` or over one of the document's sources is
// refused.
bool writePdf(const core::reports::Document& document, const QString& path, const QString& emitted,
              QString* error = nullptr, const std::filesystem::path& dataFolder = {});

// "dd/mm/aaaa às hh:mm" of the local clock, as the page foot shows it.
QString emissionNow();

}  // namespace torvex::reports
