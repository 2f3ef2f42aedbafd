// A picture drawn at several scales, shown at the scale of its window.
#include "toolkit/ScaledImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "toolkit/core/PngDecoder.h"

namespace toolkit {
namespace {

constexpr char kShownKey[] = "orvex-scaled-image";
constexpr char kColumnKey[] = "orvex-scaled-image-column";

GObjectPtr<GdkPixbuf> PixbufFromRgba(const RgbaImage& image) {
  GObjectPtr<GdkPixbuf> pixbuf = GObjectPtr<GdkPixbuf>::Adopt(
      gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, image.width, image.height));
  if (!pixbuf) return pixbuf;
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  for (int row = 0; row < image.height; ++row) {
    std::memcpy(pixels + static_cast<std::ptrdiff_t>(row) * stride,
                image.pixels.data() + static_cast<std::size_t>(row) * rowBytes, rowBytes);
  }
  return pixbuf;
}

// Shows the picture stored on the widget at the widget's present scale.
void ShowAtWidgetScale(GtkImage* widget) {
  const auto* shown = static_cast<const ImagePtr*>(g_object_get_data(G_OBJECT(widget), kShownKey));
  if (!shown || !*shown) {
    gtk_image_clear(widget);
    return;
  }
  gtk_image_set_from_surface(widget,
                             (*shown)->Surface(gtk_widget_get_scale_factor(GTK_WIDGET(widget))));
}

}  // namespace

ImagePtr ScaledImage::FromPngs(std::span<const std::span<const unsigned char>> pngs,
                               double textScale) {
  auto image = std::make_shared<ScaledImage>();
  image->textScale_ = std::max(textScale, 1.0);
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    const std::optional<RgbaImage> decoded = DecodePng(pngs[i]);
    if (!decoded) break;
    const int scale = static_cast<int>(i) + 1;
    if (i > 0 && (decoded->width != gdk_pixbuf_get_width(image->Pixbuf(1)) * scale ||
                  decoded->height != gdk_pixbuf_get_height(image->Pixbuf(1)) * scale)) {
      break;
    }
    GObjectPtr<GdkPixbuf> pixbuf = PixbufFromRgba(*decoded);
    if (!pixbuf) break;
    image->drawn_.push_back(std::move(pixbuf));
  }
  if (image->drawn_.empty()) return nullptr;
  return image;
}

int ScaledImage::Width() const {
  return static_cast<int>(std::lround(gdk_pixbuf_get_width(Pixbuf(1)) * textScale_));
}

int ScaledImage::Height() const {
  return static_cast<int>(std::lround(gdk_pixbuf_get_height(Pixbuf(1)) * textScale_));
}

int ScaledImage::DrawnScale(int scale) const {
  return std::clamp(scale, 1, static_cast<int>(drawn_.size()));
}

GdkPixbuf* ScaledImage::Pixbuf(int scale) const {
  return drawn_[static_cast<std::size_t>(DrawnScale(scale) - 1)].get();
}

std::vector<GdkPixbuf*> ScaledImage::Pixbufs() const {
  std::vector<GdkPixbuf*> pixbufs;
  for (const GObjectPtr<GdkPixbuf>& pixbuf : drawn_) pixbufs.push_back(pixbuf.get());
  return pixbufs;
}

cairo_surface_t* ScaledImage::Surface(int windowScale) const {
  CairoSurfacePtr& surface = surfaces_[windowScale];
  if (surface) return surface.get();
  // The smallest drawing with at least as many pixels as the window shows
  // (the largest where none has), made to cover Width() x Height().
  const double pixelsPerPixel = std::max(windowScale, 1) * textScale_;
  const int drawn = DrawnScale(static_cast<int>(std::ceil(pixelsPerPixel - 1e-6)));
  surface.reset(gdk_cairo_surface_create_from_pixbuf(Pixbuf(drawn), 1, nullptr));
  const double deviceScale = drawn / textScale_;
  cairo_surface_set_device_scale(surface.get(), deviceScale, deviceScale);
  return surface.get();
}

void ShowScaled(GtkImage* widget, ImagePtr image) {
  const bool following = g_object_get_data(G_OBJECT(widget), kShownKey) != nullptr;
  auto shown = std::make_unique<ImagePtr>(std::move(image));
  g_object_set_data_full(
      G_OBJECT(widget), kShownKey, shown.release(),
      +[](gpointer data) { std::unique_ptr<ImagePtr> released(static_cast<ImagePtr*>(data)); });
  if (!following) {
    ConnectSignal(
        widget, "notify::scale-factor",
        +[](GtkImage* self, GParamSpec*, gpointer) { ShowAtWidgetScale(self); }, nullptr);
  }
  ShowAtWidgetScale(widget);
}

const ScaledImage* ShownScaled(GtkImage* widget) {
  const auto* shown = static_cast<const ImagePtr*>(g_object_get_data(G_OBJECT(widget), kShownKey));
  return shown ? shown->get() : nullptr;
}

GtkImage* ImageShowing(GtkWidget* root, GdkPixbuf* pixbuf) {
  if (GTK_IS_IMAGE(root) && gtk_image_get_storage_type(GTK_IMAGE(root)) == GTK_IMAGE_PIXBUF &&
      gtk_image_get_pixbuf(GTK_IMAGE(root)) == pixbuf) {
    return GTK_IMAGE(root);
  }
  if (!GTK_IS_CONTAINER(root)) return nullptr;
  struct Search {
    GdkPixbuf* pixbuf;
    GtkImage* found = nullptr;
  } search{pixbuf};
  gtk_container_forall(
      GTK_CONTAINER(root),
      +[](GtkWidget* child, gpointer data) {
        auto* search = static_cast<Search*>(data);
        if (!search->found) search->found = ImageShowing(child, search->pixbuf);
      },
      &search);
  return search.found;
}

void RenderScaledImages(GtkCellLayout* layout, GtkCellRenderer* renderer, int column,
                        GtkWidget* widget) {
  g_object_set_data(G_OBJECT(renderer), kColumnKey, GINT_TO_POINTER(column));
  gtk_cell_layout_set_cell_data_func(
      layout, renderer,
      +[](GtkCellLayout*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
          gpointer scaleOf) {
        gpointer image = nullptr;
        gtk_tree_model_get(model, iter,
                           GPOINTER_TO_INT(g_object_get_data(G_OBJECT(cell), kColumnKey)), &image,
                           -1);
        const int scale = gtk_widget_get_scale_factor(static_cast<GtkWidget*>(scaleOf));
        g_object_set(cell, "surface",
                     image ? static_cast<const ScaledImage*>(image)->Surface(scale) : nullptr,
                     nullptr);
      },
      widget, nullptr);
}

}  // namespace toolkit
