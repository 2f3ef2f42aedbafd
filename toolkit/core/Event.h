// The event record that the toolkit layer queues for the program's event loop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

// What happened. The numbers are part of the program's vocabulary: the
// dispatch tables name events by them.
enum class EventKind : int {
  None = 0,
  Menu = 1,  // menu item or keyboard shortcut
  CloseWindow = 2,
  Gadget = 3,
  Repaint = 4,
  MoveWindow = 5,
  SizeWindow = 6,
  ActivateWindow = 7,
  DeactivateWindow = 8,
  WindowDrop = 10,
  GadgetDrop = 11,
  MinimizeWindow = 12,
  MaximizeWindow = 13,
  RestoreWindow = 14,
  RightClick = 16,
  LeftClick = 17,
  LeftDoubleClick = 18,
  MouseMove = 24,
};

// Types of gadget events; events of other kinds carry type 0.
namespace event_type {
inline constexpr int kLeftClick = 0;
inline constexpr int kLeftDoubleClick = 2;
inline constexpr int kFocus = 256;
inline constexpr int kLostFocus = 512;
inline constexpr int kChange = 768;
inline constexpr int kDragStart = 2048;
inline constexpr int kIconPress = 0x40000;
}  // namespace event_type

// What a drop delivered. Only URI lists are accepted as drops; `files` holds
// the local paths of its file URIs, in the order of the list.
struct DropData {
  enum class Type { Files, Other };
  Type type = Type::Other;
  std::vector<std::string> files;
  std::string raw;  // the URI list as it arrived

  // The dropped files as one text, one path per line.
  std::string FileText() const;
};

struct Event {
  EventKind kind = EventKind::None;
  int window = -1;
  int object = -1;  // gadget or menu-item identifier
  int type = 0;
  std::intptr_t data = 0;                // for example the icon position of an icon press
  std::shared_ptr<const DropData> drop;  // set for drop events only

  // Events that coalesce compare equal in these four fields.
  bool SameAs(const Event& other) const {
    return kind == other.kind && window == other.window && object == other.object &&
           type == other.type;
  }
};

}  // namespace toolkit
