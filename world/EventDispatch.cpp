// Performing events and dispatching them over the event object lists.
#include "world/EventDispatch.h"

#include "code/EventContext.h"
#include "data/Resources.h"
#include "data/TimeLine.h"
#include "world/Actions.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

namespace {

void RunWithRecord(const CEvent& event, CInstance* self, CInstance* other, int32_t object, int32_t etype, int32_t enumb)
{
    RCurrentEvent saved = CurrentEvent;
    CurrentEvent.object = object;
    CurrentEvent.type = etype;
    CurrentEvent.number = enumb;
    CurrentEvent.place = nullptr;
    Event_Run(event, self, other);
    // The action index is left as the event left it.
    CurrentEvent.object = saved.object;
    CurrentEvent.type = saved.type;
    CurrentEvent.number = saved.number;
    CurrentEvent.place = saved.place;
}

} // namespace

void PerformEventObject(CInstance* self, CInstance* other, int32_t objectindex, int32_t etype, int32_t enumb)
{
    if (IsChangePending())
        return;
    int32_t owner = objectindex;
    const CEvent* event = Object_FindEvent(objectindex, etype, enumb, &owner);
    if (event)
        RunWithRecord(*event, self, other, owner, etype, enumb);
}

void PerformFoundEvent(CInstance* self, CInstance* other, const CEvent& event, int32_t owner, int32_t etype,
                       int32_t enumb)
{
    if (!IsChangePending())
        RunWithRecord(event, self, other, owner, etype, enumb);
}

void PerformEvent(CInstance* self, CInstance* other, int32_t etype, int32_t enumb)
{
    if (IsChangePending() || !self)
        return;
    PerformEventObject(self, other, self->i_objectindex, etype, enumb);
}

void PerformEventAll(int32_t etype, int32_t enumb)
{
    CLiveRoom* room = CurrentRoom;
    if (IsChangePending() || !room)
        return;
    int32_t count = room->InstanceCount();
    for (int32_t k = 0; k < count; ++k) {
        CInstance* instance = room->InstanceAt(k);
        if (instance && !instance->i_marked)
            PerformEventObject(instance, instance, instance->i_objectindex, etype, enumb);
    }
}

void PerformMoment(CInstance* self, CInstance* other, int32_t timeline, int32_t moment)
{
    if (IsChangePending())
        return;
    const CTimeLine* line = TimeLines.Get(timeline);
    if (!line || moment < 0 || moment >= line->Count())
        return;
    RunWithRecord(line->s_event[static_cast<size_t>(moment)], self, other, timeline, kTimeLineEventType,
                  line->s_step[static_cast<size_t>(moment)]);
}

void DispatchEvent(int32_t etype, int32_t enumb)
{
    DispatchEventWhere(etype, enumb, [](const CInstance&) { return true; });
}
