// Keyboard shortcut codes: the key value in the low 16 bits plus modifier flags.
#pragma once

#include <cstdint>

namespace toolkit {

inline constexpr int kShortcutShift = 0x10000;
inline constexpr int kShortcutControl = 0x20000;
inline constexpr int kShortcutAlt = 0x40000;

// Key values of the keys the program binds (X key symbols, as the toolkit uses them).
namespace key {
inline constexpr int kReturn = 0xff0d;
inline constexpr int kKeypadEnter = 0xff8d;
inline constexpr int kEscape = 0xff1b;
inline constexpr int kDelete = 0xffff;
inline constexpr int kF1 = 0xffbe;
inline constexpr int kF3 = 0xffc0;
inline constexpr int kF5 = 0xffc2;
inline constexpr int kF6 = 0xffc3;
inline constexpr int kSpace = 0x20;
inline constexpr int kLeft = 0xff51;
inline constexpr int kRight = 0xff53;
}  // namespace key

struct ShortcutKey {
  unsigned keyValue = 0;
  bool shift = false;
  bool control = false;
  bool alt = false;

  bool operator==(const ShortcutKey&) const = default;
};

constexpr ShortcutKey DecodeShortcut(int code) {
  return ShortcutKey{static_cast<unsigned>(code) & 0xffffu, (code & kShortcutShift) != 0,
                     (code & kShortcutControl) != 0, (code & kShortcutAlt) != 0};
}

constexpr int EncodeShortcut(const ShortcutKey& key) {
  return static_cast<int>(key.keyValue & 0xffffu) | (key.shift ? kShortcutShift : 0) |
         (key.control ? kShortcutControl : 0) | (key.alt ? kShortcutAlt : 0);
}

}  // namespace toolkit
