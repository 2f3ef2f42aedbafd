// The colours that the dark-mode setting switches between a light and a dark variant.
#pragma once

#include <string>

namespace dialogs {

// Integer colours are red + green * 256 + blue * 65536; -1 is the theme's
// default. Text colours are taken by the code view's text tags as they stand.
struct ColourScheme {
  int codeText = 0;
  int rootRowBackground = 8355711;
  int rootRowText = 16777215;
  int viewerChapterBackground = 12105912;
  int categoryOdd = 15790320;
  int categoryEven = 15263976;
  int hint = 8622560;
  int confirmationBlink = 12432436;
  std::string blueBold = "#0000DC";
  std::string constant = "#007F00";
  std::string function = "#0074A2";
  std::string funcCall = "#0074A2";
  std::string literal = "#FF0000";
  std::string disable = "#909090";
  std::string gtk3Note = "YellowGreen";
  std::string searchMatch = "#FFD966";  // behind the first match of a search

  // Sets every colour to its light or dark variant.
  void Apply(bool dark);
};

}  // namespace dialogs
