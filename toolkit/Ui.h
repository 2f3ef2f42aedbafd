// The window, gadget, menu, image and font registries over GTK 3, and the
// wait for the next event.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/EventSink.h"
#include "toolkit/GLibHandles.h"
#include "toolkit/Gadget.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Window.h"
#include "toolkit/core/LayoutScale.h"

namespace toolkit {

class ContainerGadget;

// Positions and sizes of windows and gadgets are designed pixels: they are
// laid out larger by the desktop's text scale and read back unscaled.
//
// Everything is addressed by the program's identifiers. An identifier with
// nothing registered makes an operation do nothing (and a query read as empty,
// 0 or -1). Gadgets are created into the window opened last, or into the
// container created last until it is closed.
class Ui {
 public:
  Ui();
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;
  ~Ui();

  EventQueue& Events() { return sink_.Queue(); }

  // Blocks until an event is queued, running the toolkit's main loop
  // meanwhile, and takes it.
  Event WaitEvent();
  // Queues an event of the program's own; a blocked wait returns at once.
  void PostEvent(EventKind kind, int window, int object, int type, std::intptr_t data = 0);

  // Windows.
  Window* OpenWindow(int id, int x, int y, int width, int height, const std::string& title,
                     int flags, int parentId = -1);
  Window* FindWindow(int id) const;
  // Shows (and raises) or hides a window.
  void ShowWindow(int id, bool visible);
  // The busy pointer over every window while the program blocks, and back.
  void SetBusy(bool busy);
  // The scale designed geometry is laid out by, taken on first use.
  const LayoutScale& Scale() const;

  // Gadgets. A gadget created with kNoGadgetId (a decoration such as an
  // arrow) lives until ReleaseAll but cannot be found or changed.
  Gadget* CreateTextField(int id, int x, int y, int width, int height, int flags = 0);
  Gadget* CreateComboBox(int id, int x, int y, int width, int height, int flags = 0);
  Gadget* CreateTree(int id, int x, int y, int width, int height);
  Gadget* CreateTextArea(int id, int x, int y, int width, int height, int flags = 0);
  Gadget* CreateImage(int id, int x, int y, int width, int height, int imageId);
  Gadget* CreateImageButton(int id, int x, int y, int width, int height, int imageId);
  Gadget* CreateButton(int id, int x, int y, int width, int height, const std::string& text,
                       const std::string& iconName = {});
  // A button showing one of the toolkit's stock items ("gtk-save"): its icon
  // and its label in the desktop's language.
  Gadget* CreateStockButton(int id, int x, int y, int width, int height,
                            const std::string& stockId);
  Gadget* CreateLabel(int id, int x, int y, int width, int height, const std::string& text,
                      int flags = 0);
  Gadget* CreateCheckBox(int id, int x, int y, int width, int height, const std::string& text);
  Gadget* CreateFrame(int id, int x, int y, int width, int height, const std::string& title);
  Gadget* CreateContainer(int id, int x, int y, int width, int height);
  void CloseContainer();
  // A splitter made of two gadgets created before; they move into it.
  Gadget* CreateSplitter(int id, int x, int y, int width, int height, int firstId, int secondId,
                         int flags);

  Gadget* FindGadget(int id) const;
  template <typename Kind>
  Kind* Find(int id) const {
    return dynamic_cast<Kind*>(FindGadget(id));
  }

  // Generic gadget operations by identifier.
  void SetGadgetText(int id, const std::string& text);
  std::string GadgetText(int id) const;
  void SetGadgetState(int id, int state);
  int GadgetState(int id) const;
  void AddGadgetItem(int id, int position, const std::string& text, int imageId = -1,
                     int subLevel = 0);
  void ClearGadgetItems(int id);
  int CountGadgetItems(int id) const;
  std::string GadgetItemText(int id, int position) const;
  void SetGadgetItemText(int id, int position, const std::string& text);
  void SetGadgetItemState(int id, int position, int state);
  int GadgetItemState(int id, int position) const;
  void SetGadgetItemColour(int id, int position, ColourAttribute attribute, int colour);
  void SetGadgetItemImage(int id, int position, int imageId);
  void SetGadgetAttribute(int id, GadgetAttribute attribute, int value);
  void SetGadgetColour(int id, ColourAttribute attribute, int colour);
  void SetGadgetFont(int id, int fontId);
  void SetGadgetTooltip(int id, const std::string& text);
  // The name screen readers announce for a gadget that has neither text,
  // label nor tooltip to name it.
  void SetGadgetAccessibleName(int id, const std::string& text);
  // Relates the label to the gadget beside it: screen readers announce the
  // gadget by the label's text. Before any tooltip is set on the gadget.
  void RelateLabel(int labelId, int gadgetId);
  // Moves and resizes inside its layer; kLeaveUnchanged keeps a value.
  void ResizeGadget(int id, int x, int y, int width, int height);
  void HideGadget(int id, bool hidden);
  void SetActiveGadget(int id);
  // The gadget that has the keyboard focus in the window, -1 for none.
  int ActiveGadget(int windowId) const;
  int GadgetX(int id) const;
  int GadgetY(int id) const;
  int GadgetWidth(int id) const;
  int GadgetHeight(int id) const;
  GtkWidget* GadgetWidget(int id) const;
  void SetGadgetImage(int id, int imageId);

  // Menus.
  PopupMenu* CreatePopupMenu(int id);
  PopupMenu* FindMenu(int id) const;
  // Shows the menu at the mouse position; its items queue events for the window.
  void DisplayPopupMenu(int menuId, int windowId);

  // Shortcuts: a pressed key queues a menu event with itemId for the window.
  void AddShortcut(int windowId, int shortcutCode, int itemId);

  // Images decoded from PNG data: pngs[i] is the picture at i + 1 times its
  // size, shown where a window has that scale.
  bool CatchImage(int id, std::span<const std::span<const unsigned char>> pngs);
  ImagePtr Image(int id) const;
  void FreeImage(int id);

  // Fonts by name (optionally ending in a style word) and size in points.
  bool LoadFont(int id, const std::string& name, double points);
  const PangoFontDescription* Font(int id) const;

  // Drag and drop of files.
  void EnableGadgetDrop(int id, GdkDragAction actions);
  bool DragFiles(int sourceGadget, const std::vector<std::string>& absolutePaths,
                 GdkDragAction actions);

  // Destroys every window and releases menus, images and fonts, in that order.
  void ReleaseAll();

 private:
  template <typename Kind, typename... Args>
  Kind* Place(int id, int x, int y, int width, int height, Args&&... args);

  EventSink sink_;
  std::map<int, std::unique_ptr<Window>> windows_;
  std::map<int, std::unique_ptr<Gadget>> gadgets_;
  std::vector<std::unique_ptr<Gadget>> decorations_;  // created with kNoGadgetId
  std::map<int, std::unique_ptr<PopupMenu>> menus_;
  std::map<int, ImagePtr> images_;
  std::map<int, PangoFontDescriptionPtr> fonts_;
  int currentWindow_ = -1;
  GtkLayout* currentLayer_ = nullptr;  // where new gadgets go
  GtkLayout* windowLayer_ = nullptr;   // the current window's own layer
  mutable std::optional<LayoutScale> scale_;
  bool gadgetStyleInstalled_ = false;
};

}  // namespace toolkit
