// The queue between the toolkit's signal handlers and the program's one event loop.
#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "toolkit/core/Event.h"

namespace toolkit {

// Events are taken in arrival order. An event from the toolkit is dropped when
// it equals the last event that is still waiting, so a burst of identical
// change events leads to one command; once an event has been taken, the next
// identical one is queued again (typing after a search still searches).
// Events the program posts itself are always queued.
class EventQueue {
 public:
  // Queues an event that a toolkit signal produced. Returns false when it was
  // dropped as a repeat of the last waiting event.
  bool Queue(Event event);

  // Queues an event of the program's own, always, and wakes a blocked wait.
  void Post(Event event);

  bool Empty() const { return events_.empty(); }
  std::size_t Size() const { return events_.size(); }

  // Removes and returns the oldest event, or nothing when the queue is empty.
  std::optional<Event> Take();

  void Clear() { events_.clear(); }

  // Called after each Post, so that a wait blocked in the toolkit returns.
  void SetWakeUp(std::function<void()> wakeUp) { wakeUp_ = std::move(wakeUp); }

 private:
  std::deque<Event> events_;
  std::function<void()> wakeUp_;
};

}  // namespace toolkit
