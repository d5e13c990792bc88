// The object functions of a running game: the queries, the fields new
// instances start with, the parent, adding and deleting objects, and adding
// and clearing events. Events and parents rebuild the per-event object
// lists; a deleted object is retired, since one of its events may be the
// code that deleted it.
#include "world/ResourceFunctions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/RetiredResources.h"
#include "world/EventEditing.h"
#include "world/ObjectEvents.h"
#include "world/ResourceRoutines.h"

#include <memory>

namespace {

int32_t Index(const RValue& value)
{
    return RoundToInt32(value.val);
}

template <typename Field>
bool ObjectField(RValue& result, const RValue& index, Field field)
{
    const CObject* object = Objects.Get(Index(index));
    result.SetReal(object ? field(*object) : -1);
    return true;
}

template <typename Change>
bool ChangeObject(const RValue* args, Change change)
{
    if (CObject* object = Objects.Get(Index(args[0])))
        change(*object);
    return true;
}

BUILTIN(GetSprite)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_spriteindex; });
}
BUILTIN(GetSolid)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_solid ? 1 : 0; });
}
BUILTIN(GetVisible)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_visible ? 1 : 0; });
}
BUILTIN(GetDepth)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_depth; });
}
BUILTIN(GetPersistent)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_persistent ? 1 : 0; });
}
BUILTIN(GetMask)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_mask; });
}
BUILTIN(GetParent)
{
    return ObjectField(result, args[0], [](const CObject& o) { return o.o_parent; });
}

BUILTIN(IsAncestor)
{
    const int32_t index = Index(args[0]);
    result.SetReal(!Objects.Exists(index) ? -1 : Object_IsDescendentOf(index, Index(args[1])) ? 1 : 0);
    return true;
}

BUILTIN(SetSprite)
{
    return ChangeObject(args, [&](CObject& o) { o.o_spriteindex = Index(args[1]); });
}
BUILTIN(SetDepth)
{
    return ChangeObject(args, [&](CObject& o) { o.o_depth = Index(args[1]); });
}
BUILTIN(SetMask)
{
    return ChangeObject(args, [&](CObject& o) { o.o_mask = Index(args[1]); });
}
BUILTIN(SetSolid)
{
    return ChangeObject(args, [&](CObject& o) { o.o_solid = IsTrue(args[1].val); });
}
BUILTIN(SetVisible)
{
    return ChangeObject(args, [&](CObject& o) { o.o_visible = IsTrue(args[1].val); });
}
BUILTIN(SetPersistent)
{
    return ChangeObject(args, [&](CObject& o) { o.o_persistent = IsTrue(args[1].val); });
}

BUILTIN(SetParent)
{
    const int32_t index = Index(args[0]);
    CObject* object = Objects.Get(index);
    if (!object)
        return true;
    int32_t parent = Index(args[1]);
    if (parent < 0) {
        parent = -1;
    } else if (!Objects.Exists(parent)) {
        Error_ShowInEvent("Setting a non-existing parent.", false);
        return true;
    } else if (parent == index || Object_IsDescendentOf(parent, index)) {
        Error_ShowInEvent("Creating a cycle in the parent relation.", false);
        return true;
    }
    object->o_parent = parent;
    EventLists_MarkChanged();
    return true;
}

BUILTIN(Add)
{
    result.SetReal(Resource_Append(Objects, std::make_unique<CObject>(), "object"));
    EventLists_MarkChanged();
    return true;
}

BUILTIN(Delete)
{
    Resource_Delete(Objects, args[0], "Trying to delete non-existing object.", result, nullptr, true);
    EventLists_MarkChanged();
    return true;
}

BUILTIN(EventClear)
{
    CObject* object = Objects.Get(Index(args[0]));
    const int32_t etype = Index(args[1]), enumb = Index(args[2]);
    if (!object || etype < 0 || etype >= kEventTypeCount)
        return true;
    auto& events = object->o_events[static_cast<size_t>(etype)];
    auto found = events.find(enumb);
    if (found != events.end() && found->second.Count() > 0) {
        Event_ClearActions(found->second);
        EventLists_MarkChanged();
    }
    return true;
}

BUILTIN(EventAdd)
{
    CObject* object = Objects.Get(Index(args[0]));
    CEvent* event = object ? object->CreateEvent(Index(args[1]), Index(args[2])) : nullptr;
    if (event && Event_AddCodeAction(*event, args[3].str))
        EventLists_MarkChanged();
    return true;
}

} // namespace

void World_ImplementObjectResourceFunctions()
{
    Resource_ImplementCommon<CObject, &CGameResources::Objects>("object");
    Function_Implement("object_get_sprite", &GetSprite);
    Function_Implement("object_get_solid", &GetSolid);
    Function_Implement("object_get_visible", &GetVisible);
    Function_Implement("object_get_depth", &GetDepth);
    Function_Implement("object_get_persistent", &GetPersistent);
    Function_Implement("object_get_mask", &GetMask);
    Function_Implement("object_get_parent", &GetParent);
    Function_Implement("object_is_ancestor", &IsAncestor);
    Function_Implement("object_set_sprite", &SetSprite);
    Function_Implement("object_set_depth", &SetDepth);
    Function_Implement("object_set_mask", &SetMask);
    Function_Implement("object_set_solid", &SetSolid);
    Function_Implement("object_set_visible", &SetVisible);
    Function_Implement("object_set_persistent", &SetPersistent);
    Function_Implement("object_set_parent", &SetParent);
    Function_Implement("object_add", &Add);
    Function_Implement("object_delete", &Delete);
    Function_Implement("object_event_clear", &EventClear);
    Function_Implement("object_event_add", &EventAdd);
}
