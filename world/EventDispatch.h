// Performing events: one event for one instance (found through inheritance,
// with the current-event record kept for messages and event_inherited), for
// every instance of the room, and the dispatch over the per-event object
// lists in their fixed order. Nothing is performed while a room change is
// pending.
#pragma once

#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <cstdint>

void PerformEvent(CInstance* self, CInstance* other, int32_t etype, int32_t enumb);
void PerformEventObject(CInstance* self, CInstance* other, int32_t objectindex, int32_t etype, int32_t enumb);
// An event already found (owner: the object that defines it).
void PerformFoundEvent(CInstance* self, CInstance* other, const CEvent& event, int32_t owner, int32_t etype,
                       int32_t enumb);
// Every unmarked instance of the room list, self and other both the instance.
void PerformEventAll(int32_t etype, int32_t enumb);
// A moment of a time line for an instance.
void PerformMoment(CInstance* self, CInstance* other, int32_t timeline, int32_t moment);
// The objects that have the event, ascending, each object's own unmarked
// instances in list order; an object's count is read when it is reached.
void DispatchEvent(int32_t etype, int32_t enumb);

// The same, to the instances for which test holds when they are reached.
// False when there is no room or a room change became pending.
template <typename Test>
bool DispatchEventWhere(int32_t etype, int32_t enumb, Test test)
{
    // The list is fetched anew for each object: an event may change events or
    // parents, which rebuilds the lists.
    for (size_t k = 0; k < EventLists_Objects(etype, enumb).size(); ++k) {
        int32_t object = EventLists_Objects(etype, enumb)[k];
        CLiveRoom* room = CurrentRoom;
        if (!room || IsChangePending())
            return false;
        // The event is found once for all the object's instances, and again
        // only when an event or parent changed meanwhile.
        int32_t owner = object;
        const CEvent* event = Object_FindEvent(object, etype, enumb, &owner);
        uint32_t changes = EventLists_Changes();
        int32_t count = room->Obj_Number(object);
        for (int32_t n = 0; n < count; ++n) {
            CInstance* instance = room->Obj_Instance(object, n);
            if (!instance || instance->i_marked || !test(*instance))
                continue;
            if (changes != EventLists_Changes()) {
                changes = EventLists_Changes();
                event = Object_FindEvent(object, etype, enumb, &owner);
            }
            if (event && instance->i_objectindex == object)
                PerformFoundEvent(instance, instance, *event, owner, etype, enumb);
            else
                PerformEvent(instance, instance, etype, enumb);
        }
    }
    return !IsChangePending();
}
