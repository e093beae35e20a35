#pragma once
// The establishment list of the verify and write wizards: one line per
// establishment with a tick that only the list's own rule sets. A click on a
// line (on its box too) toggles it once; Enter or the space bar toggles the
// current line; "Seleciona / Desmarca todas" sets every line to its own state.
#include <QListWidget>
#include <QObject>
#include <vector>

#include "core/delivery/establishment_choice.h"

namespace torvex::gui::delivery {

class EstablishmentTicks : public QObject {
  Q_OBJECT
 public:
  explicit EstablishmentTicks(QListWidget* list);

  void fill(std::vector<core::delivery::ChoiceLine> lines);
  bool empty() const { return lines_.empty(); }
  void setAll(bool ticked);
  void setEnabled(bool enabled) { enabled_ = enabled; }
  // The keys of the ticked lines, in list order.
  std::vector<core::store::EstablishmentKey> ticked() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void toggle(QListWidgetItem* item);

  QListWidget* list_;
  std::vector<core::delivery::ChoiceLine> lines_;
  bool enabled_ = true;
};

}  // namespace torvex::gui::delivery
