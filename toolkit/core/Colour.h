// Colour values as the program stores them: red + green * 256 + blue * 65536.
#pragma once

#include <string>

namespace toolkit {

inline constexpr int kDefaultColour = -1;

inline constexpr int Rgb(int red, int green, int blue) {
  return red + green * 256 + blue * 65536;
}
inline constexpr int RedOf(int colour) {
  return colour & 0xff;
}
inline constexpr int GreenOf(int colour) {
  return (colour >> 8) & 0xff;
}
inline constexpr int BlueOf(int colour) {
  return (colour >> 16) & 0xff;
}

// "#RRGGBB" for a colour value; "" for the default colour.
std::string ColourToHex(int colour);

}  // namespace toolkit
