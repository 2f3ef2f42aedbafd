// Decoding PNG data into straight-alpha RGBA pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace toolkit {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // rows top to bottom, 4 bytes per pixel, no padding
};

// Decodes PNG bytes of any colour type. Returns nothing for data that is not a
// valid PNG image or that is larger than 4096 x 4096 pixels.
std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> data);

}  // namespace toolkit
