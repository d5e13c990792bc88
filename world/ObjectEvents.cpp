// Inheritance of events and the per-event object lists.
#include "world/ObjectEvents.h"

#include "data/Event.h"
#include "data/Object.h"
#include "data/Resources.h"

#include <array>

namespace {

// How many event numbers get a list, per type. Keyboard events exist only
// for key codes below this; triggers get one list per trigger.
constexpr std::array<int32_t, kEventTypeCount> kListedNumbers = {1, 1, 13, 17, 0, 129, 129, 129, 1, 129, 129, 0};

std::array<std::vector<std::vector<int32_t>>, kEventTypeCount> EventObjects;
std::vector<TColPair> CollisionPairs;
const std::vector<int32_t> NoObjects;
bool ListsChanged = false;
uint32_t Changes = 0;

void RebuildIfChanged()
{
    if (ListsChanged)
        EventLists_Rebuild();
}

// Walking up a chain stops after as many steps as there are objects, so a
// cycle in damaged data cannot hang the runner.
template <typename Visit>
bool WalkChain(int32_t objectindex, Visit visit)
{
    int32_t current = Objects.Exists(objectindex) ? objectindex : -1;
    for (int steps = 0; current >= 0 && steps <= Objects.Count(); ++steps) {
        if (visit(current))
            return true;
        current = Object_ExistingParent(current);
    }
    return false;
}

const CEvent* FindInChain(int32_t objectindex, int32_t etype, int32_t enumb, int32_t* owner)
{
    const CEvent* found = nullptr;
    WalkChain(objectindex, [&](int32_t object) {
        found = Objects.Get(object)->GetEventDirect(etype, enumb);
        if (found && owner)
            *owner = object;
        return found != nullptr;
    });
    return found;
}

} // namespace

int32_t Object_ExistingParent(int32_t objectindex)
{
    const CObject* object = Objects.Get(objectindex);
    if (!object || !Objects.Exists(object->o_parent))
        return -1;
    return object->o_parent;
}

const CEvent* Object_FindEvent(int32_t objectindex, int32_t etype, int32_t enumb, int32_t* owner)
{
    if (const CEvent* event = FindInChain(objectindex, etype, enumb, owner))
        return event;
    if (etype != kEventCollision || !Objects.Exists(enumb))
        return nullptr;
    // A collision event with an ancestor also answers its descendants; the
    // other object's nearer ancestors win.
    const CEvent* event = nullptr;
    int32_t ancestor = Object_ExistingParent(enumb);
    for (int steps = 0; ancestor >= 0 && !event && steps <= Objects.Count(); ++steps) {
        event = FindInChain(objectindex, etype, ancestor, owner);
        ancestor = Object_ExistingParent(ancestor);
    }
    return event;
}

bool Object_HasEventRecursive(int32_t objectindex, int32_t etype)
{
    if (etype < 0 || etype >= kEventTypeCount)
        return false;
    return WalkChain(objectindex, [&](int32_t object) {
        for (const auto& [number, event] : Objects.Get(object)->o_events[static_cast<size_t>(etype)])
            if (event.Count() > 0)
                return true;
        return false;
    });
}

bool Object_IsDescendentOf(int32_t objectindex, int32_t ancestor)
{
    bool found = false;
    WalkChain(Object_ExistingParent(objectindex), [&](int32_t object) {
        found = object == ancestor;
        return found;
    });
    return found;
}

void EventLists_MarkChanged()
{
    ListsChanged = true;
    ++Changes;
}

uint32_t EventLists_Changes()
{
    return Changes;
}

void EventLists_Rebuild()
{
    ListsChanged = false;
    const int32_t objectCount = Objects.Count();
    for (int32_t etype = 0; etype < kEventTypeCount; ++etype) {
        int32_t numbers = etype == kEventTrigger ? Triggers.Count() : kListedNumbers[static_cast<size_t>(etype)];
        auto& lists = EventObjects[static_cast<size_t>(etype)];
        // Refilled in place: a dispatcher may be walking one of these lists
        // when an event it runs changes events and so rebuilds them.
        lists.resize(static_cast<size_t>(numbers));
        for (int32_t enumb = 0; enumb < numbers; ++enumb) {
            lists[static_cast<size_t>(enumb)].clear();
            for (int32_t object = 0; object < objectCount; ++object)
                if (Objects.Exists(object) && FindInChain(object, etype, enumb, nullptr))
                    lists[static_cast<size_t>(enumb)].push_back(object);
        }
    }
    CollisionPairs.clear();
    for (int32_t a = 0; a < objectCount; ++a) {
        if (!Objects.Exists(a))
            continue;
        for (int32_t b = a; b < objectCount; ++b) {
            if (!Objects.Exists(b))
                continue;
            if (Object_FindEvent(a, kEventCollision, b) || Object_FindEvent(b, kEventCollision, a))
                CollisionPairs.push_back(TColPair{a, b});
        }
    }
}

const std::vector<int32_t>& EventLists_Objects(int32_t etype, int32_t enumb)
{
    RebuildIfChanged();
    if (etype < 0 || etype >= kEventTypeCount)
        return NoObjects;
    const auto& lists = EventObjects[static_cast<size_t>(etype)];
    if (enumb < 0 || enumb >= static_cast<int32_t>(lists.size()))
        return NoObjects;
    return lists[static_cast<size_t>(enumb)];
}

const std::vector<TColPair>& EventLists_CollisionPairs()
{
    RebuildIfChanged();
    return CollisionPairs;
}
