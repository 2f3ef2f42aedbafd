// The window, gadget, menu, image and font registries over GTK 3, and the
// wait for the next event.
#include "toolkit/Ui.h"

#include "toolkit/ButtonGadget.h"
#include "toolkit/CheckBoxGadget.h"
#include "toolkit/ComboBoxGadget.h"
#include "toolkit/ContainerGadget.h"
#include "toolkit/Font.h"
#include "toolkit/FrameGadget.h"
#include "toolkit/ImageGadget.h"
#include "toolkit/LabelGadget.h"
#include "toolkit/SplitterGadget.h"
#include "toolkit/TextAreaGadget.h"
#include "toolkit/TextFieldGadget.h"
#include "toolkit/TreeGadget.h"

namespace toolkit {
namespace {

// Gadgets get the sizes the program gives them: the theme's minimum heights
// and widths of entries and buttons would otherwise push them past their
// places in the fixed layout. Dialogs of the toolkit are not affected.
constexpr const char* kGadgetCss =
    ".orvex-gadget, .orvex-gadget entry, .orvex-gadget button { min-height: 0; min-width: 0; }\n"
    "button.orvex-gadget.image-button { padding: 4px; }\n";

// Installs the sheet on the screen; returns whether it is there.
bool InstallGadgetStyle() {
  GdkScreen* screen = gdk_screen_get_default();
  if (!screen) return false;
  GObjectPtr<GtkCssProvider> provider = GObjectPtr<GtkCssProvider>::Adopt(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), kGadgetCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider.get()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  return true;
}

// A coordinate ("x" or "y") of a gadget inside its layer; 0 when it has none.
int LayerPosition(const Gadget* gadget, const char* coordinate) {
  if (!gadget) return 0;
  GtkWidget* parent = gtk_widget_get_parent(gadget->Outer());
  int value = 0;
  if (parent && GTK_IS_LAYOUT(parent)) {
    gtk_container_child_get(GTK_CONTAINER(parent), gadget->Outer(), coordinate, &value, nullptr);
  }
  return value;
}

// A splitter's state and attributes are pixel positions and sizes; every
// other gadget's are numbers of items or choices.
bool IsSplitter(const Gadget* gadget) {
  return gadget->Kind() == GadgetKind::Splitter;
}

}  // namespace

Ui::Ui() {
  Events().SetWakeUp([] { g_main_context_wakeup(nullptr); });
}

Ui::~Ui() {
  ReleaseAll();
}

Event Ui::WaitEvent() {
  while (Events().Empty()) gtk_main_iteration_do(TRUE);
  return *Events().Take();
}

void Ui::PostEvent(EventKind kind, int window, int object, int type, std::intptr_t data) {
  Events().Post(Event{kind, window, object, type, data, nullptr});
}

Window* Ui::OpenWindow(int id, int x, int y, int width, int height, const std::string& title,
                       int flags, int parentId) {
  if (id < 0) return nullptr;
  if (!gadgetStyleInstalled_) gadgetStyleInstalled_ = InstallGadgetStyle();
  Window* parent = FindWindow(parentId);
  auto window = std::make_unique<Window>(id, sink_, x, y, width, height, title, flags,
                                         parent ? parent->Handle() : nullptr, Scale());
  Window* opened = window.get();
  windows_[id] = std::move(window);
  currentWindow_ = id;
  windowLayer_ = opened->Layer();
  currentLayer_ = windowLayer_;
  return opened;
}

void Ui::ShowWindow(int id, bool visible) {
  if (Window* window = FindWindow(id)) window->Show(visible);
}

void Ui::SetBusy(bool busy) {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return;
  const auto cursor = busy ? GObjectPtr<GdkCursor>::Adopt(gdk_cursor_new_from_name(display, "wait"))
                           : GObjectPtr<GdkCursor>();
  for (const auto& [id, window] : windows_) {
    if (GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window->Handle()))) {
      gdk_window_set_cursor(surface, cursor.get());
    }
  }
  // The pointer changes now, not when the blocking call has ended.
  gdk_display_flush(display);
}

const LayoutScale& Ui::Scale() const {
  if (!scale_) {
    // The toolkit's font resolution: the desktop's text scale, from its
    // settings (with GDK_DPI_SCALE on top).
    GdkScreen* screen = gdk_screen_get_default();
    scale_ = LayoutScale::ForResolution(screen ? gdk_screen_get_resolution(screen) : 0);
  }
  return *scale_;
}

Window* Ui::FindWindow(int id) const {
  const auto found = windows_.find(id);
  return found == windows_.end() ? nullptr : found->second.get();
}

template <typename Kind, typename... Args>
Kind* Ui::Place(int id, int x, int y, int width, int height, Args&&... args) {
  if ((id < 0 && id != kNoGadgetId) || !currentLayer_) return nullptr;
  if (const auto old = gadgets_.find(id); old != gadgets_.end()) {
    if (GtkWidget* outer = old->second->Outer()) gtk_widget_destroy(outer);
    gadgets_.erase(old);
  }
  auto gadget = std::make_unique<Kind>(id, currentWindow_, sink_, std::forward<Args>(args)...);
  GtkWidget* outer = gadget->Outer();
  gtk_widget_set_size_request(outer, Scale().ToDisplay(width), Scale().ToDisplay(height));
  gtk_layout_put(currentLayer_, outer, Scale().ToDisplay(x), Scale().ToDisplay(y));
  gtk_widget_show_all(outer);
  Kind* placed = gadget.get();
  if (id == kNoGadgetId) {
    decorations_.push_back(std::move(gadget));
  } else {
    gadgets_[id] = std::move(gadget);
  }
  return placed;
}

Gadget* Ui::CreateTextField(int id, int x, int y, int width, int height, int flags) {
  return Place<TextFieldGadget>(id, x, y, width, height, flags);
}

Gadget* Ui::CreateComboBox(int id, int x, int y, int width, int height, int flags) {
  return Place<ComboBoxGadget>(id, x, y, width, height, flags);
}

Gadget* Ui::CreateTree(int id, int x, int y, int width, int height) {
  return Place<TreeGadget>(id, x, y, width, height);
}

Gadget* Ui::CreateTextArea(int id, int x, int y, int width, int height, int flags) {
  return Place<TextAreaGadget>(id, x, y, width, height, flags);
}

Gadget* Ui::CreateImage(int id, int x, int y, int width, int height, int imageId) {
  return Place<ImageGadget>(id, x, y, width, height, Image(imageId));
}

Gadget* Ui::CreateImageButton(int id, int x, int y, int width, int height, int imageId) {
  return Place<ButtonGadget>(id, x, y, width, height, Image(imageId));
}

Gadget* Ui::CreateButton(int id, int x, int y, int width, int height, const std::string& text,
                         const std::string& iconName) {
  return Place<ButtonGadget>(id, x, y, width, height, text, iconName);
}

Gadget* Ui::CreateStockButton(int id, int x, int y, int width, int height,
                              const std::string& stockId) {
  return Place<ButtonGadget>(id, x, y, width, height, ButtonGadget::Stock{stockId});
}

Gadget* Ui::CreateLabel(int id, int x, int y, int width, int height, const std::string& text,
                        int flags) {
  return Place<LabelGadget>(id, x, y, width, height, text, flags);
}

Gadget* Ui::CreateCheckBox(int id, int x, int y, int width, int height, const std::string& text) {
  return Place<CheckBoxGadget>(id, x, y, width, height, text);
}

Gadget* Ui::CreateFrame(int id, int x, int y, int width, int height, const std::string& title) {
  return Place<FrameGadget>(id, x, y, width, height, title);
}

Gadget* Ui::CreateContainer(int id, int x, int y, int width, int height) {
  ContainerGadget* container = Place<ContainerGadget>(id, x, y, width, height);
  if (container) currentLayer_ = container->Layer();
  return container;
}

void Ui::CloseContainer() {
  currentLayer_ = windowLayer_;
}

Gadget* Ui::CreateSplitter(int id, int x, int y, int width, int height, int firstId, int secondId,
                           int flags) {
  Gadget* first = FindGadget(firstId);
  Gadget* second = FindGadget(secondId);
  if (!first || !second || first == second || !currentLayer_) return nullptr;
  // The two sides leave their layer for the splitter; a reference keeps them
  // alive in between.
  GObjectPtr<GtkWidget> firstOuter = GObjectPtr<GtkWidget>::Ref(first->Outer());
  GObjectPtr<GtkWidget> secondOuter = GObjectPtr<GtkWidget>::Ref(second->Outer());
  for (GtkWidget* side : {firstOuter.get(), secondOuter.get()}) {
    if (GtkWidget* parent = gtk_widget_get_parent(side)) {
      gtk_container_remove(GTK_CONTAINER(parent), side);
    }
  }
  return Place<SplitterGadget>(id, x, y, width, height, firstOuter.get(), secondOuter.get(), flags);
}

Gadget* Ui::FindGadget(int id) const {
  const auto found = gadgets_.find(id);
  return found == gadgets_.end() ? nullptr : found->second.get();
}

void Ui::SetGadgetText(int id, const std::string& text) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetText(text);
}

std::string Ui::GadgetText(int id) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? gadget->Text() : std::string();
}

void Ui::SetGadgetState(int id, int state) {
  Gadget* gadget = FindGadget(id);
  if (gadget) gadget->SetState(IsSplitter(gadget) ? Scale().ToDisplay(state) : state);
}

int Ui::GadgetState(int id) const {
  const Gadget* gadget = FindGadget(id);
  if (!gadget) return -1;
  return IsSplitter(gadget) ? Scale().ToDesign(gadget->State()) : gadget->State();
}

void Ui::AddGadgetItem(int id, int position, const std::string& text, int imageId, int subLevel) {
  if (Gadget* gadget = FindGadget(id)) gadget->AddItem(position, text, Image(imageId), subLevel);
}

void Ui::ClearGadgetItems(int id) {
  if (Gadget* gadget = FindGadget(id)) gadget->ClearItems();
}

int Ui::CountGadgetItems(int id) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? gadget->CountItems() : 0;
}

void Ui::SetGadgetItemText(int id, int position, const std::string& text) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetItemText(position, text);
}

std::string Ui::GadgetItemText(int id, int position) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? gadget->ItemText(position) : std::string();
}

void Ui::SetGadgetItemState(int id, int position, int state) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetItemState(position, state);
}

int Ui::GadgetItemState(int id, int position) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? gadget->ItemState(position) : 0;
}

void Ui::SetGadgetItemColour(int id, int position, ColourAttribute attribute, int colour) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetItemColour(position, attribute, colour);
}

void Ui::SetGadgetItemImage(int id, int position, int imageId) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetItemImage(position, Image(imageId));
}

void Ui::SetGadgetAttribute(int id, GadgetAttribute attribute, int value) {
  Gadget* gadget = FindGadget(id);
  if (gadget)
    gadget->SetAttribute(attribute, IsSplitter(gadget) ? Scale().ToDisplay(value) : value);
}

void Ui::SetGadgetColour(int id, ColourAttribute attribute, int colour) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetColour(attribute, colour);
}

void Ui::SetGadgetFont(int id, int fontId) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetFont(Font(fontId));
}

void Ui::SetGadgetTooltip(int id, const std::string& text) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetTooltip(text);
}

void Ui::SetGadgetAccessibleName(int id, const std::string& text) {
  if (Gadget* gadget = FindGadget(id)) gadget->SetAccessibleName(text);
}

void Ui::RelateLabel(int labelId, int gadgetId) {
  const Gadget* label = FindGadget(labelId);
  const Gadget* gadget = FindGadget(gadgetId);
  if (label && gadget && label->Kind() == GadgetKind::Label) {
    gtk_label_set_mnemonic_widget(GTK_LABEL(label->Widget()), gadget->Widget());
    Gadget::NameForScreenReaders(gadget->Widget(), label->Text());
  }
}

void Ui::ResizeGadget(int id, int x, int y, int width, int height) {
  Gadget* gadget = FindGadget(id);
  if (!gadget) return;
  GtkWidget* outer = gadget->Outer();
  if (x != kLeaveUnchanged || y != kLeaveUnchanged) {
    GtkWidget* parent = gtk_widget_get_parent(outer);
    if (parent && GTK_IS_LAYOUT(parent)) {
      gtk_layout_move(GTK_LAYOUT(parent), outer,
                      x == kLeaveUnchanged ? LayerPosition(gadget, "x") : Scale().ToDisplay(x),
                      y == kLeaveUnchanged ? LayerPosition(gadget, "y") : Scale().ToDisplay(y));
    }
  }
  if (width != kLeaveUnchanged || height != kLeaveUnchanged) {
    int currentWidth = 0;
    int currentHeight = 0;
    gtk_widget_get_size_request(outer, &currentWidth, &currentHeight);
    gtk_widget_set_size_request(
        outer, width == kLeaveUnchanged ? currentWidth : Scale().ToDisplay(width),
        height == kLeaveUnchanged ? currentHeight : Scale().ToDisplay(height));
  }
}

void Ui::HideGadget(int id, bool hidden) {
  if (Gadget* gadget = FindGadget(id)) gtk_widget_set_visible(gadget->Outer(), !hidden);
}

void Ui::SetActiveGadget(int id) {
  if (Gadget* gadget = FindGadget(id)) gtk_widget_grab_focus(gadget->Widget());
}

int Ui::ActiveGadget(int windowId) const {
  const Window* window = FindWindow(windowId);
  if (!window || !window->Handle()) return -1;
  GtkWidget* focus = gtk_window_get_focus(window->Handle());
  return focus ? GadgetIdOfWidget(focus) : -1;
}

int Ui::GadgetX(int id) const {
  return Scale().ToDesign(LayerPosition(FindGadget(id), "x"));
}

int Ui::GadgetY(int id) const {
  return Scale().ToDesign(LayerPosition(FindGadget(id), "y"));
}

int Ui::GadgetWidth(int id) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? Scale().ToDesign(gadget->Width()) : 0;
}

int Ui::GadgetHeight(int id) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? Scale().ToDesign(gadget->Height()) : 0;
}

GtkWidget* Ui::GadgetWidget(int id) const {
  const Gadget* gadget = FindGadget(id);
  return gadget ? gadget->Widget() : nullptr;
}

void Ui::SetGadgetImage(int id, int imageId) {
  if (ImageGadget* image = Find<ImageGadget>(id)) image->SetImage(Image(imageId));
}

PopupMenu* Ui::CreatePopupMenu(int id) {
  if (id < 0) return nullptr;
  auto menu = std::make_unique<PopupMenu>(id, sink_);
  PopupMenu* created = menu.get();
  menus_[id] = std::move(menu);
  return created;
}

PopupMenu* Ui::FindMenu(int id) const {
  const auto found = menus_.find(id);
  return found == menus_.end() ? nullptr : found->second.get();
}

void Ui::DisplayPopupMenu(int menuId, int windowId) {
  PopupMenu* menu = FindMenu(menuId);
  const Window* window = FindWindow(windowId);
  if (!menu || !window || !window->Handle()) return;
  GdkWindow* surface = gtk_widget_get_window(GTK_WIDGET(window->Handle()));
  // The last pointer event serves as the trigger only when it happened in
  // this window; otherwise the menu opens at the pointer without one.
  const GdkEvent* trigger = sink_.LastPointerEvent();
  if (trigger) {
    GdkWindow* eventWindow = gdk_event_get_window(trigger);
    if (!eventWindow || !surface || gdk_window_get_toplevel(eventWindow) != surface) {
      trigger = nullptr;
    }
  }
  menu->Popup(windowId, surface, trigger);
}

void Ui::AddShortcut(int windowId, int shortcutCode, int itemId) {
  if (Window* window = FindWindow(windowId)) window->AddShortcut(shortcutCode, itemId);
}

bool Ui::CatchImage(int id, std::span<const std::span<const unsigned char>> pngs) {
  if (id < 0) return false;
  ImagePtr image = ScaledImage::FromPngs(pngs, Scale().Factor());
  if (!image) return false;
  images_[id] = std::move(image);
  return true;
}

ImagePtr Ui::Image(int id) const {
  const auto found = images_.find(id);
  return found == images_.end() ? nullptr : found->second;
}

void Ui::FreeImage(int id) {
  images_.erase(id);
}

bool Ui::LoadFont(int id, const std::string& name, double points) {
  if (id < 0) return false;
  PangoFontDescriptionPtr font = toolkit::LoadFont(name, points);
  if (!font) return false;
  fonts_[id] = std::move(font);
  return true;
}

const PangoFontDescription* Ui::Font(int id) const {
  const auto found = fonts_.find(id);
  return found == fonts_.end() ? nullptr : found->second.get();
}

void Ui::EnableGadgetDrop(int id, GdkDragAction actions) {
  if (Gadget* gadget = FindGadget(id)) gadget->AcceptFileDrops(actions);
}

bool Ui::DragFiles(int sourceGadget, const std::vector<std::string>& absolutePaths,
                   GdkDragAction actions) {
  Gadget* gadget = FindGadget(sourceGadget);
  return gadget && gadget->StartFileDrag(absolutePaths, actions, sink_.LastPointerEvent());
}

void Ui::ReleaseAll() {
  for (auto& [id, window] : windows_) window->Destroy();
  gadgets_.clear();
  decorations_.clear();
  windows_.clear();
  menus_.clear();
  images_.clear();
  fonts_.clear();
  sink_.Forget();
  currentWindow_ = -1;
  currentLayer_ = nullptr;
  windowLayer_ = nullptr;
}

}  // namespace toolkit
