// The markup of an index row.
#include "library/core/IndexRowMarkup.h"

namespace library {

std::string EscapeMarkup(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8);
  // Only ASCII bytes are replaced, so multibyte UTF-8 sequences pass whole.
  for (const char c : text) {
    switch (c) {
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
        break;
    }
  }
  return escaped;
}

bool HasGtk3Note(std::string_view text) {
  return text.find("gtk3]") != std::string_view::npos ||
         text.find(">gtk3.") != std::string_view::npos ||
         text.find(">=gtk3.") != std::string_view::npos;
}

std::optional<std::string> IndexRowMarkup(int level, std::string_view text,
                                          std::string_view noteColour) {
  if (IsBoldIndexLevel(level)) return "<b>" + EscapeMarkup(text) + "</b>";
  if (level != 2 || !HasGtk3Note(text)) return std::nullopt;

  const std::size_t open = text.find('[');
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = text.find(']', open);
  const std::string_view note =
      close == std::string_view::npos ? std::string_view() : text.substr(open, close - open + 1);
  return EscapeMarkup(text.substr(0, open)) + "<span bgcolor=\"" + EscapeMarkup(noteColour) +
         "\">" + EscapeMarkup(note) + "</span>";
}

}  // namespace library
