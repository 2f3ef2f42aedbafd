// Decoding PNG data into straight-alpha RGBA pixels, with libpng's simplified API.
#include "toolkit/core/PngDecoder.h"

#include <png.h>

namespace toolkit {
namespace {

constexpr png_uint_32 kMaxSide = 4096;

// Releases libpng's decoder state on every path.
class PngImageGuard {
 public:
  PngImageGuard() { image_.version = PNG_IMAGE_VERSION; }
  PngImageGuard(const PngImageGuard&) = delete;
  PngImageGuard& operator=(const PngImageGuard&) = delete;
  ~PngImageGuard() { png_image_free(&image_); }
  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

}  // namespace

std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> data) {
  if (data.empty()) return std::nullopt;
  PngImageGuard guard;
  png_image* image = guard.get();
  if (!png_image_begin_read_from_memory(image, data.data(), data.size())) return std::nullopt;
  if (image->width == 0 || image->height == 0 || image->width > kMaxSide ||
      image->height > kMaxSide) {
    return std::nullopt;
  }
  image->format = PNG_FORMAT_RGBA;
  RgbaImage result;
  result.width = static_cast<int>(image->width);
  result.height = static_cast<int>(image->height);
  result.pixels.resize(PNG_IMAGE_SIZE(*image));
  if (!png_image_finish_read(image, nullptr, result.pixels.data(), 0, nullptr)) {
    return std::nullopt;
  }
  return result;
}

}  // namespace toolkit
