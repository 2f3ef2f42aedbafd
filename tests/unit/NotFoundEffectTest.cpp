#include <gtest/gtest.h>

#include <cstdint>

#include "app/core/NotFoundEffect.h"

namespace app {
namespace {

TEST(NotFoundEffect, SettingChoosesTheEffectAndAWindowThatCannotMoveBlinks) {
  using library::SearchHint;
  struct Case {
    std::int64_t hint;
    bool windowMoves;
    NotFoundEffect effect;
  };
  for (const Case c : {
           Case{1, true, NotFoundEffect::Shake},
           Case{2, true, NotFoundEffect::Blink},
           Case{0, true, NotFoundEffect::ShakeWhileColoured},
           Case{7, true, NotFoundEffect::ShakeWhileColoured},
           // A shake the user cannot see is never the only hint.
           Case{1, false, NotFoundEffect::Blink},
           Case{2, false, NotFoundEffect::Blink},
           Case{0, false, NotFoundEffect::Blink},
           Case{-3, false, NotFoundEffect::Blink},
       }) {
    EXPECT_EQ(NotFoundEffectOf(static_cast<SearchHint>(c.hint), c.windowMoves), c.effect)
        << c.hint << " " << c.windowMoves;
  }
}

}  // namespace
}  // namespace app
