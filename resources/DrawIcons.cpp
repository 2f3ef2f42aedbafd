// Build-time tool: draws every icon of the program with cairo and writes a C++
// source file that holds the icons as PNG byte arrays (see Icons.h).
//
// Usage: DrawIcons <output.cpp> [<png-directory>]
//
// The optional directory receives each icon as <name>.png for inspection.
// Nothing here depends on installed fonts or themes: every shape, including
// the "?" and "i" glyphs, is a vector path, so the output is the same bytes
// on every run and every machine with the same cairo.

#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numbers>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------
// Colours

struct Rgba {
  double r, g, b, a = 1.0;
};

constexpr Rgba kGreenLight{0.62, 0.88, 0.36};
constexpr Rgba kGreenMid{0.31, 0.66, 0.13};
constexpr Rgba kGreenDark{0.12, 0.38, 0.04};

constexpr Rgba kBlueLight{0.50, 0.74, 0.98};
constexpr Rgba kBlueMid{0.16, 0.43, 0.82};
constexpr Rgba kBlueDark{0.06, 0.22, 0.50};
constexpr Rgba kBadgeBlueTop{0.36, 0.60, 0.93};  // darker than kBlueLight: white glyphs sit on it
constexpr Rgba kBadgeBlueBottom{0.10, 0.34, 0.72};

constexpr Rgba kOrangeLight{1.00, 0.76, 0.34};
constexpr Rgba kOrangeMid{0.94, 0.52, 0.08};
constexpr Rgba kOrangeDark{0.58, 0.29, 0.02};

constexpr Rgba kGreyLight{0.84, 0.85, 0.86};
constexpr Rgba kGreyMid{0.56, 0.57, 0.59};
constexpr Rgba kGreyDark{0.27, 0.28, 0.30};

constexpr Rgba kPaperLight{1.00, 1.00, 1.00};
constexpr Rgba kPaperShade{0.90, 0.91, 0.93};
constexpr Rgba kPaperEdge{0.45, 0.47, 0.50};
constexpr Rgba kTextLine{0.55, 0.57, 0.61};

constexpr Rgba kWhite{1.0, 1.0, 1.0};
constexpr Rgba kRimShade{0.0, 0.0, 0.0, 0.45};  // darkens whatever lies under a rim
constexpr Rgba kGloss{1.0, 1.0, 1.0, 0.45};

// Flag colours.
constexpr Rgba kFlagBlack{0.08, 0.08, 0.08};
constexpr Rgba kFlagRed{0.86, 0.06, 0.10};
constexpr Rgba kFlagGold{1.00, 0.80, 0.00};
constexpr Rgba kFlagNavy{0.05, 0.16, 0.48};
constexpr Rgba kFlagRoyalBlue{0.00, 0.24, 0.66};
constexpr Rgba kFlagWhite{1.00, 1.00, 1.00};

// Mascot (a little owl).
constexpr Rgba kOwlLight{0.72, 0.52, 0.34};
constexpr Rgba kOwlMid{0.52, 0.34, 0.19};
constexpr Rgba kOwlDark{0.28, 0.16, 0.07};
constexpr Rgba kOwlBelly{0.95, 0.86, 0.70};
constexpr Rgba kOwlPupil{0.10, 0.07, 0.05};
constexpr Rgba kOwlBeak{0.98, 0.66, 0.10};

// Database cylinder.
constexpr Rgba kDiscLight{0.72, 0.80, 0.90};
constexpr Rgba kDiscMid{0.42, 0.53, 0.68};
constexpr Rgba kDiscDark{0.18, 0.26, 0.38};
constexpr Rgba kDiscTop{0.86, 0.91, 0.97};

// Program icon: book cover, pages, code colours, magnifier.
constexpr Rgba kCoverLight{0.22, 0.45, 0.78};
constexpr Rgba kCoverDark{0.07, 0.18, 0.40};
constexpr Rgba kPageLight{1.00, 0.99, 0.96};
constexpr Rgba kPageShade{0.86, 0.84, 0.78};
constexpr Rgba kPageEdge{0.50, 0.47, 0.40};
constexpr Rgba kCodeKeyword{0.16, 0.38, 0.80};
constexpr Rgba kCodeName{0.20, 0.22, 0.26};
constexpr Rgba kCodeString{0.80, 0.30, 0.10};
constexpr Rgba kCodeComment{0.30, 0.62, 0.20};
constexpr Rgba kLensGlass{0.70, 0.86, 1.00, 0.25};
constexpr Rgba kRingLight{0.86, 0.87, 0.89};
constexpr Rgba kRingDark{0.36, 0.37, 0.40};
constexpr Rgba kHandleLight{0.40, 0.28, 0.20};
constexpr Rgba kHandleDark{0.16, 0.10, 0.06};

// ---------------------------------------------------------------------------
// Shared helpers

void SetColor(cairo_t* cr, const Rgba& c) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

// Sets a vertical linear gradient from `top` at y0 to `bottom` at y1 as source.
void SetVerticalGradient(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

// Fills the current path with a vertical gradient and outlines it with a
// 1-px line, keeping the path for neither.
void FillAndOutline(cairo_t* cr, double y0, double y1, const Rgba& top, const Rgba& bottom,
                    const Rgba& outline, double lineWidth = 1.0) {
  SetVerticalGradient(cr, y0, y1, top, bottom);
  cairo_fill_preserve(cr);
  SetColor(cr, outline);
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_close_path(cr);
}

// Adds an arrow head to the current path as part of a larger outline: the
// first wing, the tip at (tipX, tipY), the second wing. The head points in
// direction `angle` (radians, y down); walking the outline clockwise, the
// wing on the left of the direction comes first.
void ArrowHead(cairo_t* cr, double tipX, double tipY, double angle, double length,
               double halfWidth) {
  const double dx = std::cos(angle);
  const double dy = std::sin(angle);
  const double baseX = tipX - dx * length;
  const double baseY = tipY - dy * length;
  cairo_line_to(cr, baseX + dy * halfWidth, baseY - dx * halfWidth);
  cairo_line_to(cr, tipX, tipY);
  cairo_line_to(cr, baseX - dy * halfWidth, baseY + dx * halfWidth);
}

// A round badge filling a 16x16 icon: gradient body, dark rim, soft gloss on
// the upper half. Used by the help and info icons.
void CircleBadge(cairo_t* cr, const Rgba& light, const Rgba& mid, const Rgba& dark) {
  Circle(cr, 8, 8, 7);
  SetVerticalGradient(cr, 1, 15, light, mid);
  cairo_fill(cr);

  // Gloss: a pale lens across the top that fades out towards the middle.
  cairo_save(cr);
  cairo_translate(cr, 8, 4.5);
  cairo_scale(cr, 5.5, 3.5);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  SetVerticalGradient(cr, 1, 8, kGloss, Rgba{kGloss.r, kGloss.g, kGloss.b, 0});
  cairo_fill(cr);

  SetColor(cr, dark);
  cairo_set_line_width(cr, 1);
  Circle(cr, 8, 8, 6.5);
  cairo_stroke(cr);
}

// Round flag frame: clips to the disc, lets `drawField` paint the flag in
// the 16x16 square, then adds a gloss and a rim that darkens the flag's own
// colours so the edge keeps their hue.
template <typename DrawField>
void RoundFlag(cairo_t* cr, DrawField drawField) {
  cairo_save(cr);
  Circle(cr, 8, 8, 7);
  cairo_clip(cr);
  drawField(cr);

  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 1, 0, 9);
  cairo_pattern_add_color_stop_rgba(gloss, 0, kGloss.r, kGloss.g, kGloss.b, kGloss.a);
  cairo_pattern_add_color_stop_rgba(gloss, 1, kGloss.r, kGloss.g, kGloss.b, 0);
  cairo_set_source(cr, gloss);
  cairo_paint(cr);
  cairo_pattern_destroy(gloss);
  cairo_restore(cr);

  SetColor(cr, kRimShade);
  cairo_set_line_width(cr, 1);
  Circle(cr, 8, 8, 6.5);
  cairo_stroke(cr);
}

// Closed outline of a thick arc arrow around (cx, cy): the band runs at
// `radius` with width `thickness` from angle a0 to a1 (a1 > a0, clockwise on
// screen) and ends in a straight head along the tangent at a1.
void CurvedArrowPath(cairo_t* cr, double cx, double cy, double radius, double thickness, double a0,
                     double a1, double headLength, double headHalfWidth) {
  const double tangent = a1 + kPi / 2;
  const double baseX = cx + radius * std::cos(a1);
  const double baseY = cy + radius * std::sin(a1);
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius + thickness / 2, a0, a1);
  ArrowHead(cr, baseX + headLength * std::cos(tangent), baseY + headLength * std::sin(tangent),
            tangent, headLength, headHalfWidth);
  cairo_arc_negative(cr, cx, cy, radius - thickness / 2, a1, a0);
  cairo_close_path(cr);
}

// ---------------------------------------------------------------------------
// Icons

// Green arrow that rises from the lower left, arches over the top and comes
// down on the right: "go forward / open up".
void DrawExpand(cairo_t* cr) {
  CurvedArrowPath(cr, 6.3, 9.5, 4.0, 3.0, kPi * 0.95, kPi * 2.0, 4.5, 4.1);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  FillAndOutline(cr, 3, 14, kGreenLight, kGreenMid, kGreenDark);
}

// The same arrow mirrored: it arches back to the left.
void DrawCollapse(cairo_t* cr) {
  cairo_translate(cr, 16, 0);
  cairo_scale(cr, -1, 1);
  DrawExpand(cr);
}

// Orange clipboard with a sheet, a metal clip and a blue arrow leaving it.
void DrawCopy(cairo_t* cr) {
  // Board.
  RoundedRect(cr, 1.5, 2.5, 10, 12, 1.5);
  FillAndOutline(cr, 2, 15, kOrangeLight, kOrangeMid, kOrangeDark);
  // Sheet.
  cairo_rectangle(cr, 3.5, 4.5, 6, 8);
  FillAndOutline(cr, 4, 13, kPaperLight, kPaperShade, kPaperEdge);
  SetColor(cr, kTextLine);
  cairo_rectangle(cr, 5, 6, 4, 1);
  cairo_rectangle(cr, 5, 8, 4, 1);
  cairo_rectangle(cr, 5, 10, 2, 1);
  cairo_fill(cr);
  // Clip.
  RoundedRect(cr, 4.5, 1.5, 4, 3, 1);
  FillAndOutline(cr, 1, 5, kGreyLight, kGreyMid, kGreyDark);
  // Arrow pointing out to the right, over the board's edge.
  cairo_move_to(cr, 7.5, 9.5);
  cairo_line_to(cr, 10.5, 9.5);
  ArrowHead(cr, 14.5, 11, 0, 4, 3.5);
  cairo_line_to(cr, 10.5, 12.5);
  cairo_line_to(cr, 7.5, 12.5);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  FillAndOutline(cr, 7, 15, kBlueLight, kBlueMid, kBlueDark);
}

// Grey gear: eight teeth around a ring with a hole.
void DrawSettings(cairo_t* cr) {
  constexpr int kTeeth = 8;
  constexpr double kCx = 8;
  constexpr double kCy = 8;
  constexpr double kTip = 7.0;
  constexpr double kRoot = 4.9;
  constexpr double kTipHalf = 0.215;  // half the angular width of a tooth at its tip (1.5 px)
  constexpr double kRootHalf = 0.36;  // and at its root
  constexpr double kHole = 2.0;

  auto lineToPolar = [&](double r, double angle) {
    cairo_line_to(cr, kCx + r * std::cos(angle), kCy + r * std::sin(angle));
  };

  // Walk clockwise from the top tooth: up its leading flank, along the tip,
  // down the trailing flank, along the root to the next tooth.
  cairo_new_path(cr);
  for (int k = 0; k < kTeeth; ++k) {
    const double c = 2 * kPi * k / kTeeth - kPi / 2;
    const double next = c + 2 * kPi / kTeeth;
    lineToPolar(kRoot, c - kRootHalf);  // starts the path on the first tooth
    lineToPolar(kTip, c - kTipHalf);
    cairo_arc(cr, kCx, kCy, kTip, c - kTipHalf, c + kTipHalf);
    lineToPolar(kRoot, c + kRootHalf);
    cairo_arc(cr, kCx, kCy, kRoot, c + kRootHalf, next - kRootHalf);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, kCx, kCy, kHole, 2 * kPi, 0);
  cairo_close_path(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  FillAndOutline(cr, 1, 15, kGreyLight, kGreyMid, kGreyDark);
}

// Blue badge with a white question mark drawn as a stroked curve and a dot.
void DrawHelp(cairo_t* cr) {
  CircleBadge(cr, kBadgeBlueTop, kBadgeBlueBottom, kBlueDark);
  SetColor(cr, kWhite);
  // The hook's top runs on y = 4 so its 2-px stroke fills rows 3 and 4
  // exactly; the stem runs on x = 8 and fills columns 7 and 8.
  cairo_set_line_width(cr, 2.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_arc(cr, 8, 6.5, 2.5, kPi, kPi * 2.2);
  cairo_curve_to(cr, 9.4, 8.6, 8, 8.6, 8, 9.5);
  cairo_stroke(cr);
  cairo_rectangle(cr, 7, 11, 2, 2);  // dot
  cairo_fill(cr);
}

// Blue badge with a white letter i: round dot above a stem with a foot.
void DrawInfo(cairo_t* cr) {
  CircleBadge(cr, kBadgeBlueTop, kBadgeBlueBottom, kBlueDark);
  SetColor(cr, kWhite);
  cairo_rectangle(cr, 7, 4, 2, 2);  // dot
  cairo_fill(cr);
  cairo_rectangle(cr, 7, 7, 2, 5);   // stem
  cairo_rectangle(cr, 6, 7, 1, 1);   // top serif
  cairo_rectangle(cr, 6, 11, 4, 1);  // foot
  cairo_fill(cr);
}

// The mascot: a small round owl with ear tufts, big eyes and a beak.
void DrawAdmin(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Body with ear tufts, as one outline.
  cairo_move_to(cr, 2.5, 1.5);
  cairo_curve_to(cr, 4.5, 2.5, 5.5, 3.0, 8.0, 3.0);
  cairo_curve_to(cr, 10.5, 3.0, 11.5, 2.5, 13.5, 1.5);
  cairo_curve_to(cr, 14.5, 4.5, 14.5, 6.0, 14.5, 8.5);
  cairo_curve_to(cr, 14.5, 12.5, 11.5, 14.5, 8.0, 14.5);
  cairo_curve_to(cr, 4.5, 14.5, 1.5, 12.5, 1.5, 8.5);
  cairo_curve_to(cr, 1.5, 6.0, 1.5, 4.5, 2.5, 1.5);
  cairo_close_path(cr);
  FillAndOutline(cr, 1, 15, kOwlLight, kOwlMid, kOwlDark);

  // Belly.
  cairo_save(cr);
  cairo_translate(cr, 8, 11.5);
  cairo_scale(cr, 3.5, 2.5);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  SetColor(cr, kOwlBelly);
  cairo_fill(cr);

  // Eyes: white discs with dark rims (extremes on half pixels, so the rims
  // are sharp) and 2x2 pupils looking slightly inward.
  for (const double ex : {5.0, 11.0}) {
    Circle(cr, ex, 7, 2.5);
    SetColor(cr, kWhite);
    cairo_fill_preserve(cr);
    SetColor(cr, kOwlDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Circle(cr, ex < 8 ? ex + 1 : ex - 1, 7, 1.1);
    SetColor(cr, kOwlPupil);
    cairo_fill(cr);
  }
  // Catch-lights, top left in each pupil.
  SetColor(cr, kWhite);
  cairo_rectangle(cr, 5, 6, 1, 1);
  cairo_rectangle(cr, 9, 6, 1, 1);
  cairo_fill(cr);

  // Beak.
  cairo_move_to(cr, 6.8, 9.5);
  cairo_line_to(cr, 9.2, 9.5);
  cairo_line_to(cr, 8.0, 12.0);
  cairo_close_path(cr);
  SetColor(cr, kOwlBeak);
  cairo_fill_preserve(cr);
  SetColor(cr, kOwlDark);
  cairo_set_line_width(cr, 0.6);
  cairo_stroke(cr);
}

// One page of the open book: the outer edge is at `outerX`, the spine at x = 24.
void BookPagePath(cairo_t* cr, double outerX) {
  const double s = outerX < 24 ? 1 : -1;  // direction from the edge towards the spine
  cairo_move_to(cr, 24, 12);
  cairo_curve_to(cr, 24 - s * 6, 8.5, outerX + s * 8, 7.5, outerX, 9);
  cairo_line_to(cr, outerX, 36);
  cairo_curve_to(cr, outerX + s * 8, 34.5, 24 - s * 6, 35.5, 24, 39);
  cairo_close_path(cr);
}

// Short horizontal bars that read as lines of source code.
struct CodeBar {
  double x, y, w;
  Rgba color;
};

void DrawCodeBars(cairo_t* cr, const std::vector<CodeBar>& bars, double height) {
  for (const CodeBar& bar : bars) {
    SetColor(cr, bar.color);
    RoundedRect(cr, bar.x, bar.y, bar.w, height, height / 2);
    cairo_fill(cr);
  }
}

// 48x48 program icon: an open book of code with a magnifying glass over it.
void DrawProgram(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // Cover behind the pages.
  cairo_move_to(cr, 24, 14);
  cairo_curve_to(cr, 18, 10.5, 9, 10, 2.5, 11.5);
  cairo_line_to(cr, 2.5, 39.5);
  cairo_curve_to(cr, 9, 38.5, 18, 39, 24, 42.5);
  cairo_curve_to(cr, 30, 39, 39, 38.5, 45.5, 39.5);
  cairo_line_to(cr, 45.5, 11.5);
  cairo_curve_to(cr, 39, 10, 30, 10.5, 24, 14);
  cairo_close_path(cr);
  FillAndOutline(cr, 10, 43, kCoverLight, kCoverDark, kCoverDark);

  // Pages, shaded towards the spine.
  for (const double outerX : {5.0, 43.0}) {
    BookPagePath(cr, outerX);
    cairo_pattern_t* p = cairo_pattern_create_linear(outerX, 0, 24, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, kPageLight.r, kPageLight.g, kPageLight.b);
    cairo_pattern_add_color_stop_rgb(p, 0.7, kPageLight.r, kPageLight.g, kPageLight.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kPageShade.r, kPageShade.g, kPageShade.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColor(cr, kPageEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }

  // Code on both pages, indented like a small function.
  DrawCodeBars(cr,
               {{8, 14, 9, kCodeKeyword},
                {11, 18, 8, kCodeName},
                {11, 22, 5, kCodeKeyword},
                {17, 22, 3, kCodeString},
                {14, 26, 6, kCodeName},
                {11, 30, 7, kCodeComment},
                {8, 33.5, 4, kCodeKeyword},
                {27, 14, 8, kCodeComment},
                {27, 18, 5, kCodeKeyword},
                {33, 18, 6, kCodeName},
                {30, 22, 9, kCodeName},
                {30, 26, 4, kCodeString}},
               2);

  // Magnifier: lens with enlarged code seen through it, ring, handle.
  constexpr double kLx = 31.5;
  constexpr double kLy = 29.5;
  constexpr double kLr = 7.5;
  cairo_save(cr);
  Circle(cr, kLx, kLy, kLr);
  cairo_clip(cr);
  SetColor(cr, kPageLight);
  cairo_paint(cr);
  DrawCodeBars(cr, {{24, 24, 10, kCodeString}, {27, 30, 14, kCodeKeyword}}, 4);
  SetColor(cr, kLensGlass);
  cairo_paint(cr);
  cairo_restore(cr);

  // Handle first so the ring covers its end.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, kLx + 6.5, kLy + 6.5);
  cairo_line_to(cr, 44, 42);
  SetColor(cr, kHandleDark);
  cairo_set_line_width(cr, 6);
  cairo_stroke_preserve(cr);
  SetColor(cr, kHandleLight);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);

  // Ring: a dark outer edge, a light metal body, a dark inner edge.
  Circle(cr, kLx, kLy, kLr + 1);
  SetColor(cr, kRingDark);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  Circle(cr, kLx, kLy, kLr + 1);
  SetVerticalGradient(cr, kLy - kLr, kLy + kLr, kRingLight, kGreyMid);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);

  // Glint on the glass.
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Rgba{1, 1, 1, 0.8});
  cairo_arc(cr, kLx, kLy, kLr - 2.5, kPi * 1.1, kPi * 1.45);
  cairo_stroke(cr);
}

void DrawFlagGerman(cairo_t* cr) {
  RoundFlag(cr, [](cairo_t* c) {
    SetColor(c, kFlagBlack);
    cairo_rectangle(c, 0, 0, 16, 6);
    cairo_fill(c);
    SetColor(c, kFlagRed);
    cairo_rectangle(c, 0, 6, 16, 4);
    cairo_fill(c);
    SetColor(c, kFlagGold);
    cairo_rectangle(c, 0, 10, 16, 6);
    cairo_fill(c);
  });
}

void DrawFlagBritish(cairo_t* cr) {
  RoundFlag(cr, [](cairo_t* c) {
    SetColor(c, kFlagNavy);
    cairo_paint(c);
    // Diagonal cross: white band with a thin red band on top.
    cairo_set_line_cap(c, CAIRO_LINE_CAP_SQUARE);
    for (const auto& [width, color] : {std::pair{3.2, kFlagWhite}, std::pair{1.2, kFlagRed}}) {
      cairo_move_to(c, 0, 0);
      cairo_line_to(c, 16, 16);
      cairo_move_to(c, 16, 0);
      cairo_line_to(c, 0, 16);
      cairo_set_line_width(c, width);
      SetColor(c, color);
      cairo_stroke(c);
    }
    // Straight cross, pixel aligned: 4 px white with 2 px red inside.
    SetColor(c, kFlagWhite);
    cairo_rectangle(c, 6, 0, 4, 16);
    cairo_rectangle(c, 0, 6, 16, 4);
    cairo_fill(c);
    SetColor(c, kFlagRed);
    cairo_rectangle(c, 7, 0, 2, 16);
    cairo_rectangle(c, 0, 7, 16, 2);
    cairo_fill(c);
  });
}

void DrawFlagFrench(cairo_t* cr) {
  RoundFlag(cr, [](cairo_t* c) {
    SetColor(c, kFlagRoyalBlue);
    cairo_rectangle(c, 0, 0, 6, 16);
    cairo_fill(c);
    SetColor(c, kFlagWhite);
    cairo_rectangle(c, 6, 0, 4, 16);
    cairo_fill(c);
    SetColor(c, kFlagRed);
    cairo_rectangle(c, 10, 0, 6, 16);
    cairo_fill(c);
  });
}

// Blue plus sign; the outline runs on half-pixel lines so it stays sharp.
void DrawNewEntry(cairo_t* cr) {
  constexpr double kLo = 2.5;
  constexpr double kArmLo = 5.5;
  constexpr double kArmHi = 10.5;
  constexpr double kHi = 13.5;
  cairo_move_to(cr, kArmLo, kLo);
  cairo_line_to(cr, kArmHi, kLo);
  cairo_line_to(cr, kArmHi, kArmLo);
  cairo_line_to(cr, kHi, kArmLo);
  cairo_line_to(cr, kHi, kArmHi);
  cairo_line_to(cr, kArmHi, kArmHi);
  cairo_line_to(cr, kArmHi, kHi);
  cairo_line_to(cr, kArmLo, kHi);
  cairo_line_to(cr, kArmLo, kArmHi);
  cairo_line_to(cr, kLo, kArmHi);
  cairo_line_to(cr, kLo, kArmLo);
  cairo_line_to(cr, kArmLo, kArmLo);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  FillAndOutline(cr, 2, 14, kBlueLight, kBlueMid, kBlueDark);
}

// Two blue arc arrows, each chasing the other's tail around a circle.
void DrawChangedEntry(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Each band covers a bit over a quarter turn; the heads of the upper and
  // the lower arrow sit just past the top and the bottom.
  for (const double start : {kPi, 2 * kPi}) {
    CurvedArrowPath(cr, 8, 8, 4.5, 2.0, start, start + kPi * 0.62, 3.2, 2.8);
    FillAndOutline(cr, 1, 15, kBlueLight, kBlueMid, kBlueDark);
  }
}

// Database: a cylinder of three stacked discs.
void DrawDatabase(cairo_t* cr) {
  constexpr double kLeft = 2.5;
  constexpr double kRight = 13.5;
  // Ellipse centres sit on half pixels and the vertical radius is whole, so
  // the top, the bottom and both seams are sharp 1-px lines.
  constexpr double kTop = 3.5;      // centre of the top ellipse
  constexpr double kBottom = 12.5;  // centre of the bottom ellipse
  constexpr double kRy = 2.0;       // vertical radius of the ellipses
  const double cx = (kLeft + kRight) / 2;
  const double rx = (kRight - kLeft) / 2;

  auto halfEllipse = [&](double cy, bool lower) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, kRy);
    if (lower) {
      cairo_arc(cr, 0, 0, 1, 0, kPi);
    } else {
      cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
    }
    cairo_restore(cr);
  };

  // Body: top half of the upper ellipse, down the side, lower half of the
  // bottom ellipse, back up.
  cairo_new_path(cr);
  halfEllipse(kTop, false);
  halfEllipse(kBottom, true);
  cairo_close_path(cr);
  cairo_pattern_t* side = cairo_pattern_create_linear(kLeft, 0, kRight, 0);
  cairo_pattern_add_color_stop_rgb(side, 0, kDiscMid.r, kDiscMid.g, kDiscMid.b);
  cairo_pattern_add_color_stop_rgb(side, 0.35, kDiscLight.r, kDiscLight.g, kDiscLight.b);
  cairo_pattern_add_color_stop_rgb(side, 1, kDiscMid.r, kDiscMid.g, kDiscMid.b);
  cairo_set_source(cr, side);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(side);
  SetColor(cr, kDiscDark);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  // Seams between the discs.
  for (const double cy : {kTop + (kBottom - kTop) / 3, kTop + 2 * (kBottom - kTop) / 3}) {
    cairo_new_path(cr);
    halfEllipse(cy, true);
    SetColor(cr, kDiscDark);
    cairo_stroke(cr);
  }

  // Top face.
  cairo_new_path(cr);
  halfEllipse(kTop, false);
  halfEllipse(kTop, true);
  cairo_close_path(cr);
  SetColor(cr, kDiscTop);
  cairo_fill_preserve(cr);
  SetColor(cr, kDiscDark);
  cairo_stroke(cr);
}

// Page with a folded top-right corner and four lines of text.
void DrawDocument(cairo_t* cr) {
  constexpr double kL = 3.5;
  constexpr double kR = 12.5;
  constexpr double kT = 1.5;
  constexpr double kB = 14.5;
  constexpr double kFold = 3.0;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_move_to(cr, kL, kT);
  cairo_line_to(cr, kR - kFold, kT);
  cairo_line_to(cr, kR, kT + kFold);
  cairo_line_to(cr, kR, kB);
  cairo_line_to(cr, kL, kB);
  cairo_close_path(cr);
  FillAndOutline(cr, kT, kB, kPaperLight, kPaperShade, kPaperEdge);

  // The folded flap; bevelled joins keep its sharp corners from spiking.
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
  cairo_move_to(cr, kR - kFold, kT);
  cairo_line_to(cr, kR - kFold, kT + kFold);
  cairo_line_to(cr, kR, kT + kFold);
  cairo_close_path(cr);
  FillAndOutline(cr, kT, kT + kFold, kPaperShade, kGreyMid, kPaperEdge);

  SetColor(cr, kTextLine);
  const double widths[] = {4, 6, 6, 6, 4};
  for (int row = 0; row < 5; ++row) cairo_rectangle(cr, 5, 4 + 2 * row, widths[row], 1);
  cairo_fill(cr);
}

// Grey L-shaped arrow: down from the top left, then right to a head.
void DrawArrowDownRight(cairo_t* cr) {
  cairo_move_to(cr, 2.5, 1.5);
  cairo_line_to(cr, 5.5, 1.5);
  cairo_line_to(cr, 5.5, 8.5);
  cairo_line_to(cr, 9.5, 8.5);
  ArrowHead(cr, 14.5, 10, 0, 5, 4.5);
  cairo_line_to(cr, 9.5, 11.5);
  cairo_line_to(cr, 4.5, 11.5);
  cairo_arc_negative(cr, 4.5, 9.5, 2.0, kPi / 2, kPi);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  FillAndOutline(cr, 1, 15, kGreyLight, kGreyMid, kGreyDark);
}

// ---------------------------------------------------------------------------
// Rendering and output

struct IconSpec {
  const char* name;  // enumerator name in Icons.h, also the PNG file name
  int size;
  void (*draw)(cairo_t*);
};

// In the order of the enumeration.
constexpr IconSpec kIcons[] = {
    {"Expand", 16, DrawExpand},
    {"Collapse", 16, DrawCollapse},
    {"Copy", 16, DrawCopy},
    {"Settings", 16, DrawSettings},
    {"Help", 16, DrawHelp},
    {"Info", 16, DrawInfo},
    {"Admin", 16, DrawAdmin},
    {"Program", 48, DrawProgram},
    {"FlagGerman", 16, DrawFlagGerman},
    {"FlagBritish", 16, DrawFlagBritish},
    {"FlagFrench", 16, DrawFlagFrench},
    {"NewEntry", 16, DrawNewEntry},
    {"ChangedEntry", 16, DrawChangedEntry},
    {"Database", 16, DrawDatabase},
    {"Document", 16, DrawDocument},
    {"ArrowDownRight", 16, DrawArrowDownRight},
};

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<unsigned char>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// Draws the icon onto the surface, `scale` times its own size, and flushes
// the surface; returns cairo's status.
cairo_status_t DrawOnto(cairo_surface_t* surface, const IconSpec& icon, double scale) {
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
  cairo_scale(cr, scale, scale);
  icon.draw(cr);
  const cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return status == CAIRO_STATUS_SUCCESS ? cairo_surface_status(surface) : status;
}

// Draws one icon `scale` times its own size and returns its PNG bytes; on
// failure returns false and sets `error`.
bool RenderPng(const IconSpec& icon, std::vector<unsigned char>& png, std::string& error,
               double scale = 1.0) {
  const int size = static_cast<int>(std::lround(icon.size * scale));
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_status_t status = DrawOnto(surface, icon, scale);
  png.clear();
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_write_to_png_stream(surface, AppendToVector, &png);
  }
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    error = std::string("cannot draw icon ") + icon.name + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}

void WriteArray(std::ostream& out, const std::string& arrayName,
                const std::vector<unsigned char>& bytes) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  out << "static const unsigned char " << arrayName << "[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 12 == 0) out << "\n   ";
    out << " 0x" << kHexDigits[bytes[i] >> 4] << kHexDigits[bytes[i] & 0xf] << ',';
  }
  out << "\n};\n\n";
}

// Each icon is drawn at 1, 2 and 3 times its size, for windows at those
// scales (HiDPI screens); the program picks the one of the window's scale.
constexpr int kIconScales = 3;

std::string ArrayName(const IconSpec& icon, int scale) {
  return std::string("k") + icon.name + "Png" + std::to_string(scale);
}

// The file name of an icon's PNG, "@2x" and "@3x" before the ending for the larger ones.
std::string PngFileName(const IconSpec& icon, int scale) {
  std::string name = icon.name;
  if (scale != 1) {
    name += '@';
    name += std::to_string(scale);
    name += 'x';
  }
  name += ".png";
  return name;
}

// Writes the C++ source through a temporary file that replaces the target
// only when complete, so a failed run never leaves a truncated file behind
// that the build would take as up to date.
// pngs holds kIconScales pictures per icon, the icons in the order of kIcons.
bool WriteSource(const std::filesystem::path& path,
                 const std::vector<std::vector<unsigned char>>& pngs, std::string& error) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot create " + temp.string();
      return false;
    }
    out << "// Generated by DrawIcons at build time; do not edit.\n"
           "#include \"Icons.h\"\n\n"
           "namespace resources {\n\n"
           "namespace {\n\n";
    for (std::size_t i = 0; i < pngs.size(); ++i) {
      const int scale = static_cast<int>(i % kIconScales) + 1;
      WriteArray(out, ArrayName(kIcons[i / kIconScales], scale), pngs[i]);
    }
    out << "}  // namespace\n\n"
           "std::span<const unsigned char> IconPng(Icon icon, int scale) {\n"
           "  switch (icon) {\n";
    for (const IconSpec& icon : kIcons) {
      out << "    case Icon::" << icon.name << ":\n"
          << "      switch (scale) {\n";
      for (int scale = 1; scale <= kIconScales; ++scale) {
        out << "        case " << scale << ":\n"
            << "          return " << ArrayName(icon, scale) << ";\n";
      }
      out << "      }\n"
             "      break;\n";
    }
    out << "  }\n"
           "  return {};\n"
           "}\n\n"
           "}  // namespace resources\n";
    out.close();
    if (!out) {
      error = "cannot write " + temp.string();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    error = "cannot replace " + path.string() + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

bool WritePngFile(const std::filesystem::path& path, const std::vector<unsigned char>& png,
                  std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  out.close();
  if (!out) {
    error = "cannot write " + path.string();
    return false;
  }
  return true;
}

// The program icon for the desktop: drawn again at each size of the icon
// theme's folders, and once as a scalable SVG of the same picture.
constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteDesktopIcons(const IconSpec& icon, const std::filesystem::path& dir, std::string& error) {
  for (const int size : kDesktopIconSizes) {
    std::vector<unsigned char> png;
    if (!RenderPng(icon, png, error, static_cast<double>(size) / icon.size)) return false;
    const std::string name = std::string(icon.name) + "-" + std::to_string(size) + ".png";
    if (!WritePngFile(dir / name, png, error)) return false;
  }
  const std::string svg = (dir / (std::string(icon.name) + ".svg")).string();
  cairo_surface_t* surface = cairo_svg_surface_create(svg.c_str(), icon.size, icon.size);
  // Sized in pixels like the icon theme's other pictures, not in points.
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_status_t status = DrawOnto(surface, icon, 1.0);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + svg + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: " << (argc > 0 ? argv[0] : "DrawIcons")
              << " <output.cpp> [<png-directory>]\n";
    return 2;
  }
  auto fail = [](const std::string& message) {
    std::cerr << "DrawIcons: " << message << '\n';
    return 1;
  };

  std::string error;
  std::vector<std::vector<unsigned char>> pngs(std::size(kIcons) * kIconScales);
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    const double scale = static_cast<double>(i % kIconScales) + 1;
    if (!RenderPng(kIcons[i / kIconScales], pngs[i], error, scale)) return fail(error);
  }

  if (argc == 3) {
    const std::filesystem::path dir = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return fail("cannot create " + dir.string() + ": " + ec.message());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
      const IconSpec& icon = kIcons[i / kIconScales];
      const int scale = static_cast<int>(i % kIconScales) + 1;
      if (!WritePngFile(dir / PngFileName(icon, scale), pngs[i], error)) return fail(error);
    }
    for (const IconSpec& icon : kIcons) {
      if (std::string_view(icon.name) == "Program" && !WriteDesktopIcons(icon, dir, error)) {
        return fail(error);
      }
    }
  }

  if (!WriteSource(argv[1], pngs, error)) return fail(error);
  return 0;
}
