// How much larger than designed windows are laid out.
#include "toolkit/core/LayoutScale.h"

#include <cmath>

namespace toolkit {
namespace {

constexpr double kUsualResolution = 96.0;
// Beyond any desktop's text scale; keeps sizes far from int's limits.
constexpr double kLargestFactor = 4.0;

}  // namespace

LayoutScale LayoutScale::ForResolution(double dotsPerInch) {
  if (!(dotsPerInch > kUsualResolution)) return LayoutScale();
  return LayoutScale(std::fmin(dotsPerInch / kUsualResolution, kLargestFactor));
}

int LayoutScale::ToDisplay(int designed) const {
  if (designed < 0 || factor_ == 1.0) return designed;
  return static_cast<int>(std::lround(designed * factor_));
}

int LayoutScale::ToDesign(int display) const {
  if (display < 0 || factor_ == 1.0) return display;
  return static_cast<int>(std::lround(display / factor_));
}

}  // namespace toolkit
