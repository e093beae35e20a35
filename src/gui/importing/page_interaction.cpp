#include "gui/importing/page_interaction.h"

#include <QApplication>

namespace torvex::gui::importing {

void PageInteraction::progress(std::int64_t position, std::int64_t maximum) {
  if (!bar_) return;
  // The bar counts in thousandths: a million links do not fit every style's range.
  bar_->setRange(0, 1000);
  bar_->setValue(maximum > 0 ? static_cast<int>(position * 1000 / maximum) : 0);
}

void PageInteraction::processEvents() {
  dialogs_.processEvents();
  QApplication::processEvents();
}

}  // namespace torvex::gui::importing
