// Events through the parent chain, and the lists that let dispatchers reach
// the objects with an event without searching every object: per event type
// and number the objects that have it (with inheritance), and the pairs of
// objects with a collision event between them.
#pragma once

#include <cstdint>
#include <vector>

class CEvent;

// The event (type, number) of an object or its nearest ancestor that has
// one; for collisions also through the other object's ancestors. owner gets
// the object in whose table it was found.
const CEvent* Object_FindEvent(int32_t objectindex, int32_t etype, int32_t enumb, int32_t* owner = nullptr);
bool Object_HasEventRecursive(int32_t objectindex, int32_t etype);
// True when ancestor is the parent of objectindex or an ancestor of that parent.
bool Object_IsDescendentOf(int32_t objectindex, int32_t ancestor);
// The existing parent of an object, or -1.
int32_t Object_ExistingParent(int32_t objectindex);

struct TColPair {
    int32_t obj1;
    int32_t obj2;
};

// Rebuilt when the game starts and whenever parents or events change.
void EventLists_Rebuild();
// The same, put off until the lists are next asked for, so that a script
// changing many objects in a row pays for one rebuild.
void EventLists_MarkChanged();
// Counts the changes marked: what was found before stays right while it is unchanged.
uint32_t EventLists_Changes();
// The ascending objects that have event (type, number); empty beyond the built ranges.
const std::vector<int32_t>& EventLists_Objects(int32_t etype, int32_t enumb);
const std::vector<TColPair>& EventLists_CollisionPairs();
