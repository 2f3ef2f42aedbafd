// Ownership of GLib, GObject, GDK and Pango handles: every C handle the
// program keeps is held by one of these types.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <utility>

namespace toolkit {

// Calls a C free function; used as the deleter of std::unique_ptr.
template <auto FreeFunction>
struct FreeWith {
  template <typename T>
  void operator()(T* handle) const noexcept {
    FreeFunction(handle);
  }
};

using GCharPtr = std::unique_ptr<gchar, FreeWith<g_free>>;
using GErrorPtr = std::unique_ptr<GError, FreeWith<g_error_free>>;
using GStrvPtr = std::unique_ptr<gchar*, FreeWith<g_strfreev>>;
using GdkEventPtr = std::unique_ptr<GdkEvent, FreeWith<gdk_event_free>>;
using GtkTreePathPtr = std::unique_ptr<GtkTreePath, FreeWith<gtk_tree_path_free>>;
using GtkTargetListPtr = std::unique_ptr<GtkTargetList, FreeWith<gtk_target_list_unref>>;
using PangoFontDescriptionPtr =
    std::unique_ptr<PangoFontDescription, FreeWith<pango_font_description_free>>;
using PangoAttrListPtr = std::unique_ptr<PangoAttrList, FreeWith<pango_attr_list_unref>>;
using PangoTabArrayPtr = std::unique_ptr<PangoTabArray, FreeWith<pango_tab_array_free>>;
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_destroy>>;

// Holds one reference to a GObject. Copies add a reference, moves pass it on.
template <typename T>
class GObjectPtr {
 public:
  GObjectPtr() = default;

  // Takes over a reference the caller owns (the result of a *_new function
  // that returns a full reference).
  static GObjectPtr Adopt(T* object) { return GObjectPtr(object); }

  // Takes a floating reference (widgets) or adds a reference to a normal one.
  static GObjectPtr RefSink(T* object) {
    if (object) g_object_ref_sink(object);
    return GObjectPtr(object);
  }

  // Adds a reference to an object owned elsewhere.
  static GObjectPtr Ref(T* object) {
    if (object) g_object_ref(object);
    return GObjectPtr(object);
  }

  GObjectPtr(const GObjectPtr& other) : object_(other.object_) {
    if (object_) g_object_ref(object_);
  }
  GObjectPtr(GObjectPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GObjectPtr& operator=(GObjectPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~GObjectPtr() { reset(); }

  void reset() noexcept {
    if (object_) g_object_unref(std::exchange(object_, nullptr));
  }

  T* get() const noexcept { return object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

 private:
  explicit GObjectPtr(T* object) : object_(object) {}
  T* object_ = nullptr;
};

// Connects a signal to a plain function (or captureless lambda converted with
// "+"), keeping the one unavoidable cast of the GLib C API in this place.
template <typename Function>
gulong ConnectSignal(gpointer instance, const char* signal, Function* handler, gpointer data,
                     GConnectFlags flags = GConnectFlags{}) {
  return g_signal_connect_data(instance, signal, reinterpret_cast<GCallback>(handler), data,
                               nullptr, flags);
}

}  // namespace toolkit
