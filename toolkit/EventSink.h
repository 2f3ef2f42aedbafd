// Where the toolkit's signal handlers deliver events: the queue, plus the last
// pointer event that led to a queued event. Popup menus and drags are started
// later from the event loop, outside any toolkit signal, and need that event
// as their trigger.
#pragma once

#include "toolkit/GLibHandles.h"
#include "toolkit/core/EventQueue.h"

namespace toolkit {

class EventSink {
 public:
  EventQueue& Queue() { return queue_; }

  void Deliver(Event event) { queue_.Queue(std::move(event)); }

  // Keeps a copy of the event the toolkit is handling now, when it is a
  // pointer event (button or motion); the newest one wins.
  void RememberCurrentPointerEvent() {
    GdkEventPtr current(gtk_get_current_event());
    if (!current) return;
    switch (gdk_event_get_event_type(current.get())) {
      case GDK_BUTTON_PRESS:
      case GDK_2BUTTON_PRESS:
      case GDK_BUTTON_RELEASE:
      case GDK_MOTION_NOTIFY:
        lastPointerEvent_ = std::move(current);
        break;
      default:
        break;
    }
  }
  // The last pointer event remembered, or nullptr.
  GdkEvent* LastPointerEvent() const { return lastPointerEvent_.get(); }

  void Forget() { lastPointerEvent_.reset(); }

 private:
  EventQueue queue_;
  GdkEventPtr lastPointerEvent_;
};

}  // namespace toolkit
