// Icons drawn at build time and compiled into the program as PNG data.
#pragma once
#include <cstddef>
#include <span>

namespace resources {

enum class Icon {
  Expand,        // 16x16 green arrow curving forward (shown while the index is collapsed)
  Collapse,      // 16x16 green arrow curving back (shown while the index is expanded)
  Copy,          // 16x16 orange clipboard with an arrow
  Settings,      // 16x16 grey gear
  Help,          // 16x16 blue circle with a question mark
  Info,          // 16x16 blue circle with a letter i
  Admin,         // 16x16 small mascot picture (an original little character of your own design)
  Program,       // 48x48 program icon (e.g. an open book / code page with a magnifier, your design)
  FlagGerman,    // 16x16 round flag black-red-gold stripes
  FlagBritish,   // 16x16 round flag (blue field with white and red diagonal and straight crosses)
  FlagFrench,    // 16x16 round flag blue-white-red vertical
  NewEntry,      // 16x16 blue plus sign
  ChangedEntry,  // 16x16 two blue arrows chasing each other in a circle
  Database,      // 16x16 database: stacked discs (cylinder)
  Document,      // 16x16 document page with folded corner and text lines
  ArrowDownRight,  // 16x16 grey arrow pointing down and then right (an L-shaped bent arrow)
};

// Every icon is drawn at 1 to kLargestIconScale times its size, so that a
// window at a higher scale (HiDPI screens) shows it sharp.
inline constexpr int kLargestIconScale = 3;

// PNG bytes (RGBA, with transparency) of the icon drawn at `scale` times its
// size; empty for a scale outside 1 to kLargestIconScale.
std::span<const unsigned char> IconPng(Icon icon, int scale = 1);

}  // namespace resources
