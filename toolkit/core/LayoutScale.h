// How much larger than designed windows are laid out: by the desktop's text
// scale, so that fixed positions and sizes grow with the text they hold.
#pragma once

namespace toolkit {

class LayoutScale {
 public:
  LayoutScale() = default;
  // The scale for a font resolution in dots per inch: 1 at the usual 96 and
  // below (or when unknown, 0 or less), resolution / 96 above.
  static LayoutScale ForResolution(double dotsPerInch);

  double Factor() const { return factor_; }
  // A designed position or size in the display's pixels, and back, rounded
  // to the nearest pixel. Negative values are markers ("unset", "leave
  // unchanged") and pass as they are.
  int ToDisplay(int designed) const;
  int ToDesign(int display) const;

 private:
  explicit LayoutScale(double factor) : factor_(factor) {}
  double factor_ = 1.0;
};

}  // namespace toolkit
