#include "core/validation/message_dialog.h"

#include <array>

#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::validation {
namespace {

namespace button = platform::button;

std::string checkedButton(std::string answer) {
  static constexpr std::array<std::string_view, 7> kButtons{button::kOk,    button::kCancel, button::kAbort,
                                                            button::kRetry, button::kIgnore, button::kYes,
                                                            button::kNo};
  for (auto b : kButtons)
    if (answer == b) return answer;
  return std::string(kNoButtonResult);
}

std::string missingMessageText(std::string_view code) {
  return "Mensagem " + std::string(code) + " não encontrada na tabela de mensagens.";
}

}  // namespace

std::string messageText(const store::ReferenceLookup& ref, std::string_view code) {
  if (code.empty()) return {};
  const auto row = ref.message(code);
  return row ? store::storedText(row->text) : missingMessageText(code);
}

std::string_view dialogTitle(platform::DialogKind kind) {
  switch (kind) {
    case platform::DialogKind::Confirmation: return "Confirmação";
    case platform::DialogKind::Warning: return "Aviso";
    case platform::DialogKind::Information: return "Informação";
    case platform::DialogKind::Error: return "Erro";
  }
  return {};
}

std::string plainLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      const char pair = c == '\r' ? '\n' : '\r';
      if (i + 1 < text.size() && text[i + 1] == pair) ++i;
      out += '\n';
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<platform::DialogKind> dialogKindOf(std::string_view tpMensagem) {
  const auto t = trimBlanks(tpMensagem);
  if (t == "CNF") return platform::DialogKind::Confirmation;
  if (t == "WAR") return platform::DialogKind::Warning;
  if (t == "INF") return platform::DialogKind::Information;
  if (t == "ERR") return platform::DialogKind::Error;
  return std::nullopt;
}

std::string showMessageText(platform::Interaction& ui, std::string_view tpMensagem, const std::string& text) {
  const auto kind = dialogKindOf(tpMensagem);
  if (!kind) return {};
  const auto buttons = *kind == platform::DialogKind::Confirmation ? platform::Buttons::YesNo : platform::Buttons::Ok;
  return checkedButton(ui.message(*kind, text, buttons));
}

std::string showMessage(platform::Interaction& ui, const store::ReferenceLookup& ref, std::string_view code) {
  const auto row = ref.message(code);
  if (!row) return checkedButton(ui.message(platform::DialogKind::Error, missingMessageText(code), platform::Buttons::Ok));
  return showMessageText(ui, row->kind, row->text);
}

std::string messageWithInscriptionText(std::string_view messageText, std::string_view inscription,
                                       std::string_view name, std::string_view prefix, std::string_view kind) {
  std::string text = formatInscription(inscription, kind);
  text += "  - ";
  text += prefix;
  text += "  - ";
  text += name;
  text += "   \n";
  text += messageText;
  return text;
}

std::string showMessageWithInscription(platform::Interaction& ui, const store::ReferenceLookup& ref,
                                       std::string_view code, std::string_view inscription, std::string_view name,
                                       std::string_view prefix, std::string_view kind) {
  return checkedButton(ui.message(platform::DialogKind::Information,
                                  messageWithInscriptionText(messageText(ref, code), inscription, name, prefix, kind),
                                  platform::Buttons::Ok));
}

bool confirmInterruption(platform::Interaction& ui) {
  return ui.message(platform::DialogKind::Information, std::string(kInterruptQuestion), platform::Buttons::YesNo) ==
         platform::button::kYes;
}

}  // namespace torvex::core::validation
