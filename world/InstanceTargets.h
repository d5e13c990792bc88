// The instances that an object-or-instance argument of a script function
// names: -1 self, -2 other, -3 all, an object with its descendants, or one
// instance by id. Marked instances are never named.
#pragma once

#include "world/Instance.h"
#include "world/Rooms.h"

#include <cstdint>

inline bool Usable(const CInstance* instance)
{
    return instance && !instance->i_marked;
}

// Calls visit for each named instance in list order; counts are read at
// the start, so instances created meanwhile are not visited.
template <typename Visit>
void ForEachTarget(int32_t target, CInstance* self, CInstance* other, Visit visit)
{
    constexpr int32_t kSelf = -1;
    constexpr int32_t kOther = -2;
    constexpr int32_t kAll = -3;
    CLiveRoom* room = CurrentRoom;
    if (target == kSelf) {
        if (Usable(self))
            visit(self);
    } else if (target == kOther) {
        if (Usable(other))
            visit(other);
    } else if (!room) {
        return;
    } else if (target == kAll) {
        int32_t count = room->InstanceCount();
        for (int32_t k = 0; k < count; ++k)
            if (Usable(room->InstanceAt(k)))
                visit(room->InstanceAt(k));
    } else if (target >= 100000) {
        CInstance* instance = room->FindById(target);
        if (Usable(instance))
            visit(instance);
    } else if (target >= 0) {
        int32_t count = room->Obj_Number_Recursive(target);
        for (int32_t k = 0; k < count; ++k)
            if (Usable(room->Obj_Instance_Recursive(target, k)))
                visit(room->Obj_Instance_Recursive(target, k));
    }
}
