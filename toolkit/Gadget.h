// A gadget: one widget of a window, addressed by the program's identifier.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/EventSink.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/ScaledImage.h"
#include "toolkit/core/Geometry.h"

namespace toolkit {

enum class GadgetKind {
  TextField,
  ComboBox,
  Tree,
  TextArea,
  Image,
  ImageButton,
  Container,
  Splitter,
  Label,
  CheckBox,
  Button,
  Frame,
};

// Colour attributes of gadgets and of tree items.
enum class ColourAttribute { Text = 1, Background = 2 };

// Gadget attributes set by number.
enum class GadgetAttribute {
  SplitterFirstMinimumSize,
  SplitterSecondMinimumSize,
};

// Item state bits of tree items.
namespace item_state {
inline constexpr int kSelected = 1;
inline constexpr int kExpanded = 2;
inline constexpr int kCollapsed = 8;
}  // namespace item_state

// The operations every gadget offers. A kind implements those that make sense
// for it; the others do nothing and read as empty, 0 or -1.
//
// Changes made by the program do not queue events, with one exception: a
// program's change of a one-line text field's text is an ordinary change (the
// search's take-back of a character relies on the change event it causes).
class Gadget {
 public:
  Gadget(int id, GadgetKind kind, int window, EventSink& sink);
  Gadget(const Gadget&) = delete;
  Gadget& operator=(const Gadget&) = delete;
  virtual ~Gadget();

  int Id() const { return id_; }
  GadgetKind Kind() const { return kind_; }
  int Window() const { return window_; }

  // The widget the gadget's operations act on.
  GtkWidget* Widget() const { return widget_; }
  // The widget placed into the window (for text areas and trees the scrolled
  // frame around the view).
  GtkWidget* Outer() const { return outer_; }

  virtual void SetText(const std::string& text);
  virtual std::string Text() const;
  virtual void SetState(int state);
  virtual int State() const;
  // Adds an item at position (-1 or past the end: at the end). Tree items
  // take the level below the root as subLevel; image may be nullptr.
  virtual void AddItem(int position, const std::string& text, const ImagePtr& image, int subLevel);
  virtual void ClearItems();
  virtual int CountItems() const;
  virtual std::string ItemText(int position) const;
  virtual void SetItemText(int position, const std::string& text);
  virtual void SetItemState(int position, int state);
  virtual int ItemState(int position) const;
  virtual void SetItemColour(int position, ColourAttribute attribute, int colour);
  virtual void SetItemImage(int position, const ImagePtr& image);
  virtual void SetAttribute(GadgetAttribute attribute, int value);

  // Colour of the gadget itself; -1 restores the theme's colour.
  void SetColour(ColourAttribute attribute, int colour);
  int Colour(ColourAttribute attribute) const;
  // Font of the gadget; nullptr restores the theme's font.
  virtual void SetFont(const PangoFontDescription* font);
  // The font set with SetFont; nullptr while the theme's font is used.
  const PangoFontDescription* Font() const { return font_.get(); }

  // Sets the tooltip. A gadget that shows no text of its own and has no
  // label related to it (an image, a field, a list) is also named by it for
  // screen readers; the others are named by their text or label.
  void SetTooltip(const std::string& text);
  // The name screen readers announce for the gadget; empty leaves it as is.
  void SetAccessibleName(const std::string& text);
  // The name screen readers announce for the widget (and the entry of an
  // editable combo box, which takes the focus itself).
  static void NameForScreenReaders(GtkWidget* widget, const std::string& text);

  // The current size: the allocation once the gadget is on screen, else the size it asked for.
  int Width() const;
  int Height() const;

  // Lets the gadget accept dropped files (URI lists); a drop queues a
  // gadget-drop event carrying the decoded paths.
  void AcceptFileDrops(GdkDragAction actions);

  // Starts a drag that offers the files as a URI list. The trigger is the
  // button event that began the gesture.
  bool StartFileDrag(const std::vector<std::string>& absolutePaths, GdkDragAction actions,
                     GdkEvent* trigger);

 protected:
  // Sets the widgets once the kind has built them, tags the widget with the
  // gadget's identifier and connects the focus events.
  void Attach(GtkWidget* widget, GtkWidget* outer);

  // A scrolled frame (etched, scroll bars as needed) around a view.
  static GtkWidget* NewScrolledFrame(GtkWidget* view);

  // Queues a gadget event unless the program is changing the gadget itself.
  void QueueEvent(int type, std::intptr_t data = 0);
  EventSink& Sink() const { return sink_; }

  // While alive, changes do not queue events.
  class Quiet {
   public:
    explicit Quiet(Gadget& gadget) : gadget_(gadget) { ++gadget_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;
    ~Quiet() { --gadget_.quiet_; }

   private:
    Gadget& gadget_;
  };

  // The CSS node that colours and fonts are set on, e.g. "entry".
  virtual const char* StyleNode() const { return "*"; }
  // The style node whose font the widget lays its text out with.
  virtual const char* FontStyleNode() const { return StyleNode(); }

 private:
  void RefreshStyle();

  int id_;
  GadgetKind kind_;
  int window_;
  EventSink& sink_;
  GtkWidget* widget_ = nullptr;
  GtkWidget* outer_ = nullptr;
  int quiet_ = 0;
  int textColour_ = -1;
  int backgroundColour_ = -1;
  PangoFontDescriptionPtr font_;
  GObjectPtr<GtkCssProvider> style_;
  std::string dragUris_;
  GdkDragAction dropActions_ = GdkDragAction{};
};

// The identifier of a gadget that is never addressed again.
inline constexpr int kNoGadgetId = -1;

// The style class every gadget's outer widget carries (see Ui).
inline constexpr const char* kGadgetStyleClass = "orvex-gadget";

// The identifier a widget was tagged with, or -1.
int GadgetIdOfWidget(GtkWidget* widget);

}  // namespace toolkit
