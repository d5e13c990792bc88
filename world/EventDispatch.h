// Performing events: one event for one instance (found through inheritance,
// with the current-event record kept for messages and event_inherited), for
// every instance of the room, and the dispatch over the per-event object
// lists in their fixed order. Nothing is performed while a room change is
// pending.
#pragma once

#include <cstdint>

class CInstance;

void PerformEvent(CInstance* self, CInstance* other, int32_t etype, int32_t enumb);
void PerformEventObject(CInstance* self, CInstance* other, int32_t objectindex, int32_t etype, int32_t enumb);
// Every unmarked instance of the room list, self and other both the instance.
void PerformEventAll(int32_t etype, int32_t enumb);
// A moment of a time line for an instance.
void PerformMoment(CInstance* self, CInstance* other, int32_t timeline, int32_t moment);
// The objects that have the event, ascending, each object's own unmarked
// instances in list order; an object's count is read when it is reached.
void DispatchEvent(int32_t etype, int32_t enumb);
