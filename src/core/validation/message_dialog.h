#pragma once
// Showing numbered messages of the message table through the platform seam:
// by code (dialog kind and buttons from the table), with an inscription in
// front, and the "Deseja interromper?" question of long runs.
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/interaction.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::validation {

// Answer when a dialog closed without a known button.
inline constexpr std::string_view kNoButtonResult = "Erro de Memoria";

// The text of message `code` of tb8MSG, as stored. A code the table lacks
// gives a text naming it; no code gives no text.
std::string messageText(const store::ReferenceLookup& ref, std::string_view code);

// The title of a dialog of this kind, in the windows and on the console alike.
std::string_view dialogTitle(platform::DialogKind kind);

// Message texts break lines with CR LF (and the odd LF CR or lone CR): the
// text with each break as one LF, as both front ends show it.
std::string plainLineBreaks(std::string_view text);

// "CNF", "WAR", "INF", "ERR" (blanks ignored); nullopt for any other text.
std::optional<platform::DialogKind> dialogKindOf(std::string_view tpMensagem);

// Shows `text` as a message of kind `tpMensagem`: "CNF" with Yes/No, the others
// with OK. Answers the button name ("mrOk" ... "mrNo"), kNoButtonResult when the
// dialog gave none, and "" (nothing shown) for an unknown kind.
std::string showMessageText(platform::Interaction& ui, std::string_view tpMensagem, const std::string& text);

// Shows the message of `code` from tb8MSG; answers as showMessageText. A code
// missing from the table is shown as an error naming the code, answering "mrOk".
std::string showMessage(platform::Interaction& ui, const store::ReferenceLookup& ref, std::string_view code);

// The text of the message with inscription: formatted inscription (kind "1" or
// "3"), "  - ", prefix, "  - ", name, "   ", a line break, then the message text.
std::string messageWithInscriptionText(std::string_view messageText, std::string_view inscription,
                                       std::string_view name, std::string_view prefix, std::string_view kind);
// Shows that text as an information dialog with OK.
std::string showMessageWithInscription(platform::Interaction& ui, const store::ReferenceLookup& ref,
                                       std::string_view code, std::string_view inscription, std::string_view name,
                                       std::string_view prefix, std::string_view kind);

// The question that confirms a stop request of a long run.
inline constexpr std::string_view kInterruptQuestion = "Deseja interromper?";

// Asks kInterruptQuestion (information, Yes/No); true when the answer is Yes.
bool confirmInterruption(platform::Interaction& ui);
inline bool askInterrupt(platform::Interaction& ui) { return confirmInterruption(ui); }

}  // namespace torvex::core::validation
