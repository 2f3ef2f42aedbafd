// A titled frame drawn around gadgets that are placed over it.
#include "toolkit/FrameGadget.h"

#include "toolkit/Font.h"

namespace toolkit {

FrameGadget::FrameGadget(int id, int window, EventSink& sink, const std::string& title)
    : Gadget(id, GadgetKind::Frame, window, sink) {
  GtkWidget* frame = gtk_frame_new(title.c_str());
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_ETCHED_IN);
  Attach(frame, frame);
}

// The title label is kept (not replaced), so its font stays.
void FrameGadget::SetText(const std::string& text) {
  if (GtkWidget* title = gtk_frame_get_label_widget(GTK_FRAME(Widget()))) {
    gtk_label_set_text(GTK_LABEL(title), text.c_str());
  } else {
    gtk_frame_set_label(GTK_FRAME(Widget()), text.c_str());
  }
}

std::string FrameGadget::Text() const {
  const gchar* label = gtk_frame_get_label(GTK_FRAME(Widget()));
  return label ? label : "";
}

void FrameGadget::SetFont(const PangoFontDescription* font) {
  GtkWidget* title = gtk_frame_get_label_widget(GTK_FRAME(Widget()));
  if (!title) return;
  if (!titleStyle_) {
    titleStyle_ = GObjectPtr<GtkCssProvider>::Adopt(gtk_css_provider_new());
    gtk_style_context_add_provider(gtk_widget_get_style_context(title),
                                   GTK_STYLE_PROVIDER(titleStyle_.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  const std::string css = font ? "label { " + FontCss(font) + "}" : std::string();
  gtk_css_provider_load_from_data(titleStyle_.get(), css.c_str(), -1, nullptr);
}

void FrameGadget::SetBackground(const GdkRGBA& colour) {
  if (!backgroundStyle_) {
    backgroundStyle_ = GObjectPtr<GtkCssProvider>::Adopt(gtk_css_provider_new());
    gtk_style_context_add_provider(gtk_widget_get_style_context(Widget()),
                                   GTK_STYLE_PROVIDER(backgroundStyle_.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  GCharPtr rgba(gdk_rgba_to_string(&colour));
  const std::string css = std::string("frame { background-color: ") + rgba.get() + "; }";
  gtk_css_provider_load_from_data(backgroundStyle_.get(), css.c_str(), -1, nullptr);
}

}  // namespace toolkit
