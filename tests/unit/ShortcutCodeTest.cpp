#include <gtest/gtest.h>

#include "toolkit/core/ShortcutCode.h"

namespace toolkit {
namespace {

TEST(ShortcutCode, ModifiersSitAboveTheKeyValue) {
  EXPECT_EQ(EncodeShortcut({'G', false, false, true}), 0x40047);
  EXPECT_EQ(EncodeShortcut({key::kF3, false, false, false}), 0xffc0);
  EXPECT_EQ(EncodeShortcut({key::kDelete, true, true, false}), 0x3ffff);
  EXPECT_EQ(DecodeShortcut(kShortcutAlt | 'F'), (ShortcutKey{'F', false, false, true}));
  EXPECT_EQ(DecodeShortcut(kShortcutControl | kShortcutShift | key::kReturn),
            (ShortcutKey{static_cast<unsigned>(key::kReturn), true, true, false}));
}

TEST(ShortcutCode, RoundTripsEveryModifierCombination) {
  for (int modifiers = 0; modifiers < 8; ++modifiers) {
    const ShortcutKey key{key::kF5, (modifiers & 1) != 0, (modifiers & 2) != 0,
                          (modifiers & 4) != 0};
    EXPECT_EQ(DecodeShortcut(EncodeShortcut(key)), key) << modifiers;
  }
}

}  // namespace
}  // namespace toolkit
