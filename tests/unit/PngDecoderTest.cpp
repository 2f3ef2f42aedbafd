#include <gtest/gtest.h>

#include <string>

#include "Icons.h"
#include "toolkit/core/PngDecoder.h"

namespace toolkit {
namespace {

using resources::Icon;

std::optional<RgbaImage> Decode(Icon icon, int scale) {
  const std::span<const unsigned char> png = resources::IconPng(icon, scale);
  return DecodePng(std::span<const std::uint8_t>(png.data(), png.size()));
}

TEST(PngDecoder, EveryIconDecodesAtEachScaleWithTransparency) {
  for (int i = static_cast<int>(Icon::Expand); i <= static_cast<int>(Icon::ArrowDownRight); ++i) {
    const auto icon = static_cast<Icon>(i);
    EXPECT_TRUE(resources::IconPng(icon, 0).empty());
    EXPECT_TRUE(resources::IconPng(icon, resources::kLargestIconScale + 1).empty());
    for (int scale = 1; scale <= resources::kLargestIconScale; ++scale) {
      SCOPED_TRACE("icon " + std::to_string(i) + " at scale " + std::to_string(scale));
      const std::optional<RgbaImage> image = Decode(icon, scale);
      ASSERT_TRUE(image);
      const int side = (icon == Icon::Program ? 48 : 16) * scale;
      EXPECT_EQ(image->width, side);
      EXPECT_EQ(image->height, side);
      ASSERT_EQ(image->pixels.size(), static_cast<std::size_t>(side * side * 4));
      bool transparent = false;
      bool opaque = false;
      for (std::size_t p = 3; p < image->pixels.size(); p += 4) {
        transparent |= image->pixels[p] == 0;
        opaque |= image->pixels[p] == 255;
      }
      EXPECT_TRUE(transparent && opaque) << "should be drawn on a clear background";
    }
  }
}

TEST(PngDecoder, RejectsDataThatIsNotAWholePng) {
  EXPECT_FALSE(DecodePng({}));
  const std::uint8_t text[] = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_FALSE(DecodePng(text));
  const std::span<const unsigned char> png = resources::IconPng(Icon::Help);
  for (std::size_t cut : {std::size_t{8}, std::size_t{33}, png.size() / 2, png.size() - 13}) {
    EXPECT_FALSE(DecodePng(std::span<const std::uint8_t>(png.data(), cut))) << "cut at " << cut;
  }
}

TEST(PngDecoder, RejectsHugeDimensions) {
  // A valid signature and header chunk that announces 100000 x 100000 pixels.
  std::vector<std::uint8_t> png(resources::IconPng(Icon::Help).begin(),
                                resources::IconPng(Icon::Help).end());
  // IHDR width and height sit at bytes 16..23; the chunk CRC then no longer
  // matches, which must be rejected as well.
  png[16] = 0x00;
  png[17] = 0x01;
  png[18] = 0x86;
  png[19] = 0xa0;
  png[20] = 0x00;
  png[21] = 0x01;
  png[22] = 0x86;
  png[23] = 0xa0;
  EXPECT_FALSE(DecodePng(png));
}

}  // namespace
}  // namespace toolkit
