// The colours that the dark-mode setting switches between a light and a dark variant.
#include "dialogs/core/ColourScheme.h"

namespace dialogs {

void ColourScheme::Apply(bool dark) {
  codeText = dark ? 16777215 : 0;
  rootRowBackground = 8355711;
  rootRowText = 16777215;
  viewerChapterBackground = 12105912;
  categoryOdd = dark ? 11579568 : 15790320;
  categoryEven = dark ? 10592673 : 15263976;
  hint = 8622560;
  confirmationBlink = 12432436;
  blueBold = dark ? "#00BFFF" : "#0000DC";
  constant = dark ? "#6B8E23" : "#007F00";
  function = "#0074A2";
  funcCall = dark ? "#0099CC" : "#0074A2";
  literal = "#FF0000";
  disable = "#909090";
  gtk3Note = dark ? "Green" : "YellowGreen";
  searchMatch = dark ? "#7A5C00" : "#FFD966";
}

}  // namespace dialogs
