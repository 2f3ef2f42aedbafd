#include <gtest/gtest.h>

#include "toolkit/core/EventQueue.h"

namespace toolkit {
namespace {

Event Change(int object) {
  return Event{EventKind::Gadget, 0, object, event_type::kChange, 0, {}};
}

std::vector<int> TakeObjects(EventQueue& queue) {
  std::vector<int> objects;
  while (auto event = queue.Take()) objects.push_back(event->object);
  return objects;
}

TEST(EventQueue, RepeatOfTheLastWaitingEventIsDropped) {
  EventQueue queue;
  EXPECT_TRUE(queue.Queue(Change(6)));
  EXPECT_FALSE(queue.Queue(Change(6)));
  EXPECT_FALSE(queue.Queue(Change(6)));
  EXPECT_EQ(queue.Size(), 1u);
}

TEST(EventQueue, EventEqualToOneAlreadyTakenIsQueuedAgain) {
  // Typing after a search ran must search again: the first change event has
  // left the queue, so the next identical one counts.
  EventQueue queue;
  queue.Queue(Change(6));
  ASSERT_TRUE(queue.Take());
  EXPECT_TRUE(queue.Queue(Change(6)));
  EXPECT_EQ(queue.Size(), 1u);
}

TEST(EventQueue, OnlyTheLastWaitingEventIsCompared) {
  EventQueue queue;
  queue.Queue(Change(6));
  queue.Queue(Change(11));
  EXPECT_TRUE(queue.Queue(Change(6)));
  EXPECT_EQ(TakeObjects(queue), (std::vector<int>{6, 11, 6}));
}

TEST(EventQueue, EventsDifferingInKindWindowObjectOrTypeAreKept) {
  EventQueue queue;
  const Event base = Change(6);
  Event otherKind = base;
  otherKind.kind = EventKind::Menu;
  Event otherWindow = base;
  otherWindow.window = 1;
  Event otherType = base;
  otherType.type = event_type::kLeftClick;
  for (const Event& event : {base, otherKind, otherWindow, otherType})
    EXPECT_TRUE(queue.Queue(event));
  EXPECT_EQ(queue.Size(), 4u);
}

TEST(EventQueue, DataDoesNotMakeEventsDifferent) {
  EventQueue queue;
  Event first = Change(6);
  first.data = 1;
  Event second = Change(6);
  second.data = 2;
  queue.Queue(first);
  EXPECT_FALSE(queue.Queue(second));
}

TEST(EventQueue, PostedEventsAreAlwaysQueuedAndWake) {
  EventQueue queue;
  int wakeUps = 0;
  queue.SetWakeUp([&] { ++wakeUps; });
  queue.Queue(Change(11));
  queue.Post(Change(11));
  queue.Post(Change(11));
  EXPECT_EQ(queue.Size(), 3u);
  EXPECT_EQ(wakeUps, 2);
}

TEST(EventQueue, ArrivalOrderIsKept) {
  EventQueue queue;
  queue.Queue(Change(1));
  queue.Post(Change(2));
  queue.Queue(Change(3));
  queue.Post(Change(4));
  EXPECT_EQ(TakeObjects(queue), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(queue.Take());
}

TEST(EventQueue, DropDataStaysWithItsEvent) {
  EventQueue queue;
  auto drop = std::make_shared<DropData>();
  drop->type = DropData::Type::Files;
  drop->files = {"/a b/c.ox", "/d.ox"};
  queue.Post(Event{EventKind::GadgetDrop, 0, 14, 0, 0, drop});
  drop.reset();
  const auto event = queue.Take();
  ASSERT_TRUE(event && event->drop);
  EXPECT_EQ(event->drop->FileText(), "/a b/c.ox\n/d.ox");
}

}  // namespace
}  // namespace toolkit
