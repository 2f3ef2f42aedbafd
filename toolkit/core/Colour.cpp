// Colour values as the program stores them: red + green * 256 + blue * 65536.
#include "toolkit/core/Colour.h"

#include <cstdio>

namespace toolkit {

std::string ColourToHex(int colour) {
  if (colour < 0) return {};
  char text[8];
  (void)std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(colour), GreenOf(colour),
                      BlueOf(colour));
  return text;
}

}  // namespace toolkit
