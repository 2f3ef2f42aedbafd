// A picture drawn at several scales (1, 2, 3 times its size), handed to GTK
// as the one that matches the scale of the window it is shown in, so that it
// is as sharp on a HiDPI screen as on a normal one. With large text it is
// shown larger by the same factor as the layout, from the next larger drawing.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <span>
#include <vector>

#include "toolkit/GLibHandles.h"

namespace toolkit {

class ScaledImage;
using ImagePtr = std::shared_ptr<const ScaledImage>;

class ScaledImage {
 public:
  // pngs[i] holds the picture at i + 1 times its size; it is shown
  // textScale times that size (the layout's text scale, at least 1). Null
  // when the first does not decode; a larger one that does not decode or has
  // the wrong size is left out (the nearest smaller one is shown instead).
  static ImagePtr FromPngs(std::span<const std::span<const unsigned char>> pngs,
                           double textScale = 1.0);

  // The size it is shown at, in layout pixels.
  int Width() const;
  int Height() const;

  // The picture drawn for the scale, or the largest one below it.
  GdkPixbuf* Pixbuf(int scale) const;
  // All pictures, smallest first (for a window icon list).
  std::vector<GdkPixbuf*> Pixbufs() const;
  // The picture for a window of the scale as a surface whose device scale
  // says so: GTK draws it at Width() x Height() layout pixels.
  cairo_surface_t* Surface(int windowScale) const;

 private:
  int DrawnScale(int scale) const;

  std::vector<GObjectPtr<GdkPixbuf>> drawn_;  // [i]: i + 1 times the size
  double textScale_ = 1.0;
  mutable std::map<int, CairoSurfacePtr> surfaces_;  // by window scale
};

// Shows the picture (or nothing) in the image widget at the widget's scale,
// and again whenever that scale changes (the window moved to another
// monitor). The widget keeps a reference to the picture.
void ShowScaled(GtkImage* widget, ImagePtr image);
// The picture ShowScaled gave the widget, or null.
const ScaledImage* ShownScaled(GtkImage* widget);

// The image widget inside root (root included) that shows the pixbuf, or null.
GtkImage* ImageShowing(GtkWidget* root, GdkPixbuf* pixbuf);

// Lets the renderer of a cell layout (tree column, combo box) draw the
// ScaledImage* of the model's column at the scale of `widget`.
void RenderScaledImages(GtkCellLayout* layout, GtkCellRenderer* renderer, int column,
                        GtkWidget* widget);

}  // namespace toolkit
