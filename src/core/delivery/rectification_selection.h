#pragma once
// What the rectification re-sends, held while its wizard is open: one entry per
// establishment of the base year in the order of the establishment list, each
// marked or not with its ordered list of chosen links. One establishment at a
// time is the current one, whose links are listed for ticking. The window only
// shows what this class answers; the rules of marking live here.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/delivery/establishment_choice.h"
#include "core/store/database.h"

namespace torvex::core::delivery {

// A link as the rectification identifies it: PIS and admission date, and the
// name only when the PIS is all zeros (several such links may share a date).
struct ChosenLink {
  std::string pis;            // 11
  std::string admissionDate;  // ddmmyyyy
  std::string name;           // empty unless the PIS is "00000000000"
  std::size_t line = 0;       // position in the establishment's link list
  bool operator==(const ChosenLink&) const = default;
};

struct RectificationEntry {
  store::EstablishmentKey key;
  std::size_t line = 0;       // position in the establishment list
  std::string text;           // the line shown
  bool hasEmployees = false;  // the declaration is not negative
  bool chosen = false;
  std::vector<ChosenLink> links;
};

// One line of the current establishment's link list.
struct LinkLine {
  ChosenLink link;
  std::string text;  // PIS shown, admission date dd/mm/yyyy, name
};

// What marking asked the window to tell and undo first.
struct MarkOutcome {
  std::string code;                      // message to show first ("1304"), or empty
  std::optional<std::size_t> unmarked;   // the establishment that lost its mark
};

class RectificationSelection {
 public:
  static constexpr std::size_t kManyLinks = 8000;  // beyond this the list may show poorly
  static constexpr const char* kNoEstablishmentCode = "1700";
  static constexpr const char* kNothingMarkedCode = "1301";
  static constexpr const char* kNoLinkChosenCode = "1304";

  explicit RectificationSelection(store::Database& db);

  // Reads the establishments of `year`; false (and empty) when there is none.
  bool load(std::string_view year);
  // Forgets every entry and the current establishment.
  void release();

  const std::vector<RectificationEntry>& entries() const { return entries_; }
  std::optional<std::size_t> current() const { return current_; }
  // The links of the current establishment, in key order (empty when none is current).
  const std::vector<LinkLine>& links() const { return links_; }
  // Whether the current establishment's link list is long enough to warn about.
  bool manyLinks() const { return links_.size() > kManyLinks; }

  // Marks establishment `index` and makes it current, listing its links. When
  // the current one is marked, has employees and no chosen link, it is first
  // unmarked ("1304").
  MarkOutcome mark(std::size_t index);
  // Drops the mark and the chosen links; the link list empties when it was current.
  void unmark(std::size_t index);

  // Ticks or unticks line `row` of the link list: appended to or removed from
  // the current establishment's chosen links.
  void tickLink(std::size_t row, bool ticked);
  bool linkTicked(std::size_t row) const;
  // Every link of the list chosen in list order, or none.
  void tickAllLinks(bool ticked);

  // Whether the pages may go on: "1301" when nothing is marked; "1304" (and the
  // current establishment unmarked) when it has employees and no chosen link;
  // empty when the selection may be copied.
  std::string checkBeforeAdvance();

  bool anyChosen() const;

 private:
  bool lacksLinks(std::size_t index) const;
  void listLinks();

  store::Database& db_;
  std::vector<RectificationEntry> entries_;
  std::optional<std::size_t> current_;
  std::vector<LinkLine> links_;
  std::vector<bool> ticked_;  // parallel to links_
};

}  // namespace torvex::core::delivery
