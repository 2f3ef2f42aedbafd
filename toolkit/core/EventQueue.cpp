// The queue between the toolkit's signal handlers and the program's one event loop.
#include "toolkit/core/EventQueue.h"

namespace toolkit {

std::string DropData::FileText() const {
  std::string text;
  for (const std::string& file : files) {
    if (!text.empty()) text += '\n';
    text += file;
  }
  return text;
}

bool EventQueue::Queue(Event event) {
  if (!events_.empty() && events_.back().SameAs(event)) return false;
  events_.push_back(std::move(event));
  return true;
}

void EventQueue::Post(Event event) {
  events_.push_back(std::move(event));
  if (wakeUp_) wakeUp_();
}

std::optional<Event> EventQueue::Take() {
  if (events_.empty()) return std::nullopt;
  Event event = std::move(events_.front());
  events_.pop_front();
  return event;
}

}  // namespace toolkit
