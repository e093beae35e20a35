#include "core/delivery/rectification_selection.h"

#include <algorithm>

#include "core/validation/formatters.h"

namespace torvex::core::delivery {
namespace {

constexpr std::string_view kZeroPis = "00000000000";
constexpr const char* kGap = "  ";

std::string shownDate(const std::string& d) {
  if (d.size() != 8) return d;
  return d.substr(0, 2) + "/" + d.substr(2, 2) + "/" + d.substr(4, 4);
}

}  // namespace

RectificationSelection::RectificationSelection(store::Database& db) : db_(db) {}

bool RectificationSelection::load(std::string_view year) {
  release();
  auto lines = establishmentChoice(db_, year, ChoiceLineForm::Write);
  auto negative = db_.prepare(
      "SELECT InKevaNegEstabelecimento FROM BD8Emp WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
      "NuPrefixoEstabelecimento = :p");
  for (auto& line : lines) {
    negative.reset();
    negative.bind(":a", line.key.anBase).bind(":i", line.key.inscricao).bind(":p", line.key.prefixo);
    RectificationEntry e;
    e.key = std::move(line.key);
    e.line = entries_.size();
    e.text = std::move(line.text);
    e.hasEmployees = negative.step() && negative.text(0) == "0";
    entries_.push_back(std::move(e));
  }
  return !entries_.empty();
}

void RectificationSelection::release() {
  entries_.clear();
  current_.reset();
  links_.clear();
  ticked_.clear();
}

bool RectificationSelection::lacksLinks(std::size_t index) const {
  const auto& e = entries_.at(index);
  return e.chosen && e.hasEmployees && e.links.empty();
}

MarkOutcome RectificationSelection::mark(std::size_t index) {
  MarkOutcome out;
  if (current_ && *current_ != index && lacksLinks(*current_)) {
    out.code = kNoLinkChosenCode;
    out.unmarked = current_;
    entries_[*current_].chosen = false;
    entries_[*current_].links.clear();
  }
  auto& e = entries_.at(index);
  e.chosen = true;
  current_ = index;
  listLinks();
  return out;
}

void RectificationSelection::unmark(std::size_t index) {
  auto& e = entries_.at(index);
  e.chosen = false;
  e.links.clear();
  if (current_ == index) {
    current_.reset();
    links_.clear();
    ticked_.clear();
  }
}

void RectificationSelection::listLinks() {
  links_.clear();
  const auto& key = entries_.at(*current_).key;
  auto st = db_.prepare(
      "SELECT CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado FROM BD8Vinc WHERE AnBase = :a AND "
      "CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p ORDER BY CoPisPasepEmpregado, "
      "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro");
  st.bind(":a", key.anBase).bind(":i", key.inscricao).bind(":p", key.prefixo);
  while (st.step()) {
    LinkLine l;
    l.link.pis = st.text(0);
    l.link.admissionDate = st.text(1);
    const std::string name = st.text(2);
    if (l.link.pis == kZeroPis) l.link.name = name;
    l.link.line = links_.size();
    l.text = validation::formatPis(l.link.pis) + kGap + shownDate(l.link.admissionDate) + kGap + name;
    links_.push_back(std::move(l));
  }
  // The ticks follow the chosen links (an establishment marked again starts with none).
  ticked_.assign(links_.size(), false);
  for (const auto& c : entries_[*current_].links)
    if (c.line < ticked_.size()) ticked_[c.line] = true;
}

void RectificationSelection::tickLink(std::size_t row, bool ticked) {
  if (!current_ || row >= links_.size() || ticked_[row] == ticked) return;
  ticked_[row] = ticked;
  auto& chosen = entries_[*current_].links;
  if (ticked)
    chosen.push_back(links_[row].link);
  else
    chosen.erase(std::remove_if(chosen.begin(), chosen.end(), [row](const ChosenLink& c) { return c.line == row; }),
                 chosen.end());
}

bool RectificationSelection::linkTicked(std::size_t row) const { return row < ticked_.size() && ticked_[row]; }

void RectificationSelection::tickAllLinks(bool ticked) {
  if (!current_) return;
  auto& chosen = entries_[*current_].links;
  chosen.clear();
  ticked_.assign(links_.size(), ticked);
  if (ticked)
    for (const auto& l : links_) chosen.push_back(l.link);
}

bool RectificationSelection::anyChosen() const {
  return std::any_of(entries_.begin(), entries_.end(), [](const RectificationEntry& e) { return e.chosen; });
}

std::string RectificationSelection::checkBeforeAdvance() {
  if (!anyChosen()) return kNothingMarkedCode;
  // Only the current establishment can be marked without links: marking
  // another one first unmarks it.
  if (current_ && lacksLinks(*current_)) {
    unmark(*current_);
    return kNoLinkChosenCode;
  }
  return {};
}

}  // namespace torvex::core::delivery
