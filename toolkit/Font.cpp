// Fonts: loading by name and size, and turning a font into a style-sheet rule.
#include "toolkit/Font.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace toolkit {

PangoFontDescriptionPtr LoadFont(const std::string& name, double points) {
  if (name.empty() || !(points > 0)) return nullptr;
  PangoFontDescriptionPtr font(pango_font_description_from_string(name.c_str()));
  pango_font_description_set_size(font.get(), static_cast<gint>(std::lround(points * PANGO_SCALE)));
  return font;
}

std::string FontCss(const PangoFontDescription* font) {
  if (!font) return {};
  std::ostringstream css;
  css.imbue(std::locale::classic());
  const char* family = pango_font_description_get_family(font);
  if (family && *family) {
    css << "font-family: \"";
    for (const char* c = family; *c; ++c) {
      if (*c == '"' || *c == '\\') css << '\\';
      css << *c;
    }
    css << "\"; ";
  }
  const gint size = pango_font_description_get_size(font);
  if (size > 0) {
    css << "font-size: " << static_cast<double>(size) / PANGO_SCALE
        << (pango_font_description_get_size_is_absolute(font) ? "px" : "pt") << "; ";
  }
  css << "font-weight: " << static_cast<int>(pango_font_description_get_weight(font)) << "; ";
  switch (pango_font_description_get_style(font)) {
    case PANGO_STYLE_ITALIC:
      css << "font-style: italic; ";
      break;
    case PANGO_STYLE_OBLIQUE:
      css << "font-style: oblique; ";
      break;
    default:
      css << "font-style: normal; ";
      break;
  }
  return css.str();
}

DesktopFont SplitFontName(const std::string& fontName) {
  DesktopFont result{fontName, 10};
  const std::size_t blank = fontName.rfind(' ');
  if (blank == std::string::npos) return result;
  const std::string last = fontName.substr(blank + 1);
  // from_chars reads the number the same way in every locale.
  double size = 0;
  const auto [end, error] = std::from_chars(last.data(), last.data() + last.size(), size);
  if (error != std::errc() || end != last.data() + last.size() || !(size > 0)) return result;
  result.family = fontName.substr(0, blank);
  result.size = size;
  return result;
}

}  // namespace toolkit
