// Fonts: loading by name and size, and turning a font into a style-sheet rule.
#pragma once

#include <string>

#include "toolkit/GLibHandles.h"

namespace toolkit {

// A font of the given family and size in points. The name may end in style
// words such as " bold" or " italic". Returns nullptr for an empty name or a
// size that is not positive.
PangoFontDescriptionPtr LoadFont(const std::string& name, double points);

// CSS declarations ("font-family: ...; font-size: ...;") for the font.
std::string FontCss(const PangoFontDescription* font);

// The desktop's default font ("gtk-font-name") split into its family (all
// words before the last, when the last is a number) and its size (that
// number, 10 when there is none).
struct DesktopFont {
  std::string family;
  double size = 10;
};
DesktopFont SplitFontName(const std::string& fontName);

}  // namespace toolkit
