// The markup of an index row: topics and categories in bold, the GTK3
// version note of an entry row on the note colour.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace library {

// The text with the five characters " ' & < > replaced by their XML entities,
// so any text can be placed inside Pango markup.
std::string EscapeMarkup(std::string_view text);

// Whether an entry row's text carries a GTK3 version note marker:
// "gtk3]", ">gtk3." or ">=gtk3." anywhere in it.
bool HasGtk3Note(std::string_view text);

// Rows on levels 0 and 1 (the root and the categories) are drawn bold.
constexpr bool IsBoldIndexLevel(int level) {
  return level == 0 || level == 1;
}

// The markup for a row of the given tree level and text, or nothing when the
// row shows its plain text. noteColour is the colour name or "#RRGGBB" for
// the note's background.
//
// Rows on levels 0 and 1 are bold. An entry row (level 2) with a note marker
// shows its text before the first "[" and then the bracketed note, from that
// "[" through the first "]" after it, on the note colour; whatever follows
// the "]" is left out, and without a "]" nothing from the "[" on is shown.
// An entry row with a marker but no "[" shows its plain text.
std::optional<std::string> IndexRowMarkup(int level, std::string_view text,
                                          std::string_view noteColour);

}  // namespace library
