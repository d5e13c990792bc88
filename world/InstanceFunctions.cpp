// The script functions that create, change, copy, find, count, destroy,
// deactivate and activate instances and perform events.
#include "world/InstanceLife.h"
#include "world/InstanceTargets.h"

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/FunctionCatalogue.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "world/EventDispatch.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <cmath>

namespace {

constexpr int32_t kSelf = -1;
constexpr int32_t kOther = -2;
constexpr int32_t kAll = -3;
constexpr double kNoone = -4;

bool F_InstanceCreate(CExecutionContext&, RValue& result, int, RValue* args)
{
    CInstance* instance = Instance_Create(RoundToInt32(args[2].val), args[0].val, args[1].val);
    result = RValue(instance ? static_cast<double>(instance->i_id) : kNoone);
    return true;
}

bool F_InstanceCopy(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    result = RValue(static_cast<double>(Instance_Copy(self, IsTrue(args[0].val))));
    return true;
}

bool F_InstanceDestroy(CExecutionContext& context, RValue&, int, RValue*)
{
    CInstance* self = context.Self();
    Instance_Destroy(self);
    return true;
}

bool F_InstanceChange(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    Instance_Change(self, RoundToInt32(args[0].val), IsTrue(args[1].val));
    return true;
}

bool F_InstanceFind(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    int32_t target = RoundToInt32(args[0].val);
    int64_t n = RoundToInteger(args[1].val);
    result = RValue(kNoone);
    if (target >= 100000) {
        CInstance* instance = CurrentRoom ? CurrentRoom->FindById(target) : nullptr;
        if (n == 0 && Usable(instance))
            result = RValue(static_cast<double>(instance->i_id));
        return true;
    }
    if (target != kAll && target < 0)
        return true;
    int64_t seen = 0;
    bool found = false;
    ForEachTarget(target, self, other, [&](CInstance* instance) {
        if (!found && seen++ == n) {
            result = RValue(static_cast<double>(instance->i_id));
            found = true;
        }
    });
    return true;
}

// The sprite of the first instance the argument names (self, other, an
// object with its descendants or an id); -1 when it names none.
bool F_InstanceSprite(CExecutionContext& context, RValue& result, int, RValue* args)
{
    double sprite = -1;
    bool found = false;
    ForEachTarget(RoundToInt32(args[0].val), context.Self(), context.Other(), [&](CInstance* instance) {
        if (!found) {
            sprite = instance->i_spriteindex;
            found = true;
        }
    });
    result = RValue(sprite);
    return true;
}

bool F_InstanceExists(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    bool any = false;
    ForEachTarget(RoundToInt32(args[0].val), self, other, [&](CInstance*) { any = true; });
    result = RValue(any ? 1.0 : 0.0);
    return true;
}

bool F_InstanceNumber(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    double count = 0;
    ForEachTarget(RoundToInt32(args[0].val), self, other, [&](CInstance*) { ++count; });
    result = RValue(count);
    return true;
}

void NearestOrFurthest(CInstance* self, CInstance* other, RValue& result, RValue* args, bool nearest)
{
    int32_t target = RoundToInt32(args[2].val);
    result = RValue(kNoone);
    if (target >= 100000)
        return;
    double best = nearest ? 1e10 : -1;
    ForEachTarget(target, self, other, [&](CInstance* instance) {
        double dx = instance->i_x - args[0].val;
        double dy = instance->i_y - args[1].val;
        double distance = dx * dx + dy * dy;
        if (nearest ? distance < best : distance > best) {
            best = distance;
            result = RValue(static_cast<double>(instance->i_id));
        }
    });
}

bool F_InstanceNearest(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    NearestOrFurthest(self, other, result, args, true);
    return true;
}

bool F_InstanceFurthest(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    NearestOrFurthest(self, other, result, args, false);
    return true;
}

// --- deactivation ---

// Outside the region by the bounding box (touching counts as inside), or by
// the position for an instance without a sprite or mask.
bool IsOutside(const CInstance* instance, double left, double top, double width, double height)
{
    bool hasMask = Sprites.Exists(instance->i_spriteindex) || Sprites.Exists(instance->i_maskindex);
    if (hasMask) {
        const RBox& b = instance->i_bbox;
        return left > b.right || left + width < b.left || top > b.bottom || top + height < b.top;
    }
    return !(left <= instance->i_x && instance->i_x <= left + width && top <= instance->i_y &&
             instance->i_y <= top + height);
}

void KeepCallerActive(CInstance* self, const RValue& notme)
{
    if (IsTrue(notme.val) && self)
        self->i_deactivated = false;
}

void UpdateActive()
{
    if (CurrentRoom)
        CurrentRoom->UpdateActive();
}

bool F_DeactivateAll(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    if (!CurrentRoom)
        return true;
    for (int32_t k = 0; k < CurrentRoom->InstanceCount(); ++k)
        CurrentRoom->InstanceAt(k)->i_deactivated = true;
    KeepCallerActive(self, args[0]);
    UpdateActive();
    return true;
}

bool F_DeactivateObject(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    ForEachTarget(RoundToInt32(args[0].val), self, other, [](CInstance* instance) { instance->i_deactivated = true; });
    UpdateActive();
    return true;
}

bool F_DeactivateRegion(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    if (!CurrentRoom)
        return true;
    bool inside = IsTrue(args[4].val);
    for (int32_t k = 0; k < CurrentRoom->InstanceCount(); ++k) {
        CInstance* instance = CurrentRoom->InstanceAt(k);
        if (IsOutside(instance, args[0].val, args[1].val, args[2].val, args[3].val) != inside)
            instance->i_deactivated = true;
    }
    KeepCallerActive(self, args[5]);
    UpdateActive();
    return true;
}

bool F_ActivateAll(CExecutionContext&, RValue&, int, RValue*)
{
    if (!CurrentRoom)
        return true;
    for (int32_t k = 0; k < CurrentRoom->DeactivatedCount(); ++k)
        CurrentRoom->DeactivatedAt(k)->i_deactivated = false;
    UpdateActive();
    return true;
}

bool F_ActivateObject(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    if (!CurrentRoom)
        return true;
    int32_t target = RoundToInt32(args[0].val);
    if (target == kSelf && self) {
        self->i_deactivated = false;
    } else if (target == kOther && other) {
        other->i_deactivated = false;
    } else {
        for (int32_t k = 0; k < CurrentRoom->DeactivatedCount(); ++k) {
            CInstance* instance = CurrentRoom->DeactivatedAt(k);
            bool match = target == kAll || (target >= 100000 && instance->i_id == target) ||
                         (target >= 0 && target < 100000 &&
                          (instance->i_objectindex == target || Object_IsDescendentOf(instance->i_objectindex, target)));
            if (match)
                instance->i_deactivated = false;
        }
    }
    UpdateActive();
    return true;
}

bool F_ActivateRegion(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!CurrentRoom)
        return true;
    bool inside = IsTrue(args[4].val);
    for (int32_t k = 0; k < CurrentRoom->DeactivatedCount(); ++k) {
        CInstance* instance = CurrentRoom->DeactivatedAt(k);
        if (IsOutside(instance, args[0].val, args[1].val, args[2].val, args[3].val) != inside)
            instance->i_deactivated = false;
    }
    UpdateActive();
    return true;
}

// --- events ---

bool F_EventPerform(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    PerformEvent(self, other, RoundToInt32(args[0].val), RoundToInt32(args[1].val));
    return true;
}

bool F_EventUser(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    PerformEvent(self, other, 7, RoundToInt32(args[0].val) + 10);
    return true;
}

bool F_EventPerformObject(CExecutionContext& context, RValue&, int, RValue* args)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    PerformEventObject(self, other, RoundToInt32(args[0].val), RoundToInt32(args[1].val), RoundToInt32(args[2].val));
    return true;
}

bool F_EventInherited(CExecutionContext& context, RValue&, int, RValue*)
{
    CInstance* self = context.Self();
    CInstance* other = context.Other();
    int32_t parent = Object_ExistingParent(CurrentEvent.object);
    if (Objects.Exists(CurrentEvent.object) && parent >= 0)
        PerformEventObject(self, other, parent, CurrentEvent.type, CurrentEvent.number);
    return true;
}

} // namespace

CInstance* Instance_Create(int32_t objectindex, double x, double y)
{
    return Instance_CreateMoving(objectindex, x, y, 0, 0);
}

CInstance* Instance_CreateMoving(int32_t objectindex, double x, double y, double speed, double direction)
{
    if (!Objects.Exists(objectindex) || !CurrentRoom) {
        Error_ShowInEvent("Creating instance for non-existing object: " + std::to_string(objectindex), false);
        return nullptr;
    }
    CInstance* instance = CurrentRoom->AddInstance(x, y, objectindex, ++LastInstanceId);
    if (speed != 0 || direction != 0) {
        instance->SetSpeed(speed);
        instance->SetDirection(direction);
    }
    PerformEvent(instance, instance, 0, 0);
    return instance;
}

void Instance_Destroy(CInstance* instance)
{
    if (!instance)
        return;
    PerformEvent(instance, instance, 1, 0);
    instance->i_marked = true;
}

void Instance_Change(CInstance* instance, int32_t objectindex, bool perform)
{
    if (!instance || !CurrentRoom)
        return;
    if (!Objects.Exists(objectindex)) {
        Error_ShowInEvent("Asking to change into non-existing object: " + std::to_string(objectindex), false);
        return;
    }
    if (perform)
        PerformEvent(instance, instance, 1, 0);
    CInstance* changed = CurrentRoom->AddInstance(instance->i_x, instance->i_y, objectindex, ++LastInstanceId);
    changed->Assign(*instance);
    changed->SetObject(objectindex);
    // The new instance took the old one's id: index it under that id.
    CurrentRoom->ReindexIds();
    instance->i_marked = true;
    if (perform)
        PerformEvent(changed, changed, 0, 0);
}

int32_t Instance_Copy(CInstance* instance, bool perform)
{
    if (!instance || !CurrentRoom)
        return static_cast<int32_t>(kNoone);
    CInstance* copy = CurrentRoom->AddInstance(instance->i_x, instance->i_y, instance->i_objectindex, ++LastInstanceId);
    int32_t id = copy->i_id;
    copy->Assign(*instance);
    copy->i_id = id;
    if (perform)
        PerformEvent(copy, copy, 0, 0);
    return id;
}

void World_ImplementInstanceFunctions()
{
    Function_Implement("instance_create", &F_InstanceCreate);
    Function_Implement("instance_copy", &F_InstanceCopy);
    Function_Implement("instance_destroy", &F_InstanceDestroy);
    Function_Implement("instance_change", &F_InstanceChange);
    Function_Implement("instance_find", &F_InstanceFind);
    Function_Implement("instance_exists", &F_InstanceExists);
    Function_Implement("instance_sprite", &F_InstanceSprite);
    Function_Implement("instance_number", &F_InstanceNumber);
    Function_Implement("instance_nearest", &F_InstanceNearest);
    Function_Implement("instance_furthest", &F_InstanceFurthest);
    Function_Implement("instance_deactivate_all", &F_DeactivateAll);
    Function_Implement("instance_deactivate_object", &F_DeactivateObject);
    Function_Implement("instance_deactivate_region", &F_DeactivateRegion);
    Function_Implement("instance_activate_all", &F_ActivateAll);
    Function_Implement("instance_activate_object", &F_ActivateObject);
    Function_Implement("instance_activate_region", &F_ActivateRegion);
    Function_Implement("event_perform", &F_EventPerform);
    Function_Implement("event_user", &F_EventUser);
    Function_Implement("event_perform_object", &F_EventPerformObject);
    Function_Implement("event_inherited", &F_EventInherited);
}
