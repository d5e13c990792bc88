// Alarms, time lines and triggers.
#include "world/TimeEvents.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/Executor.h"
#include "data/Event.h"
#include "data/Resources.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"
#include "world/EventDispatch.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <algorithm>

int32_t TimeLine_Find(const CTimeLine& line, int32_t step)
{
    auto found = std::lower_bound(line.s_step.begin(), line.s_step.end(), step);
    return found != line.s_step.end() && *found == step ? static_cast<int32_t>(found - line.s_step.begin()) : -1;
}

int32_t TimeLine_FindLarger(const CTimeLine& line, double step)
{
    if (line.s_step.empty())
        return -1;
    for (size_t k = 0; k < line.s_step.size(); ++k)
        if (line.s_step[k] >= step)
            return static_cast<int32_t>(k);
    return line.Count();
}

int32_t TimeLine_FindSmaller(const CTimeLine& line, double step)
{
    if (line.s_step.empty() || line.s_step.front() > step)
        return -1;
    for (size_t k = line.s_step.size(); k-- > 0;)
        if (line.s_step[k] <= step)
            return static_cast<int32_t>(k);
    return -1;
}

void TimeLine_AddMoment(CTimeLine& line, int32_t step)
{
    if (TimeLine_Find(line, step) >= 0)
        return;
    auto at = std::lower_bound(line.s_step.begin(), line.s_step.end(), step);
    size_t index = static_cast<size_t>(at - line.s_step.begin());
    line.s_step.insert(at, step);
    line.s_event.insert(line.s_event.begin() + static_cast<ptrdiff_t>(index), CEvent());
}

void TimeLine_DeleteMoment(CTimeLine& line, int32_t step)
{
    int32_t index = TimeLine_Find(line, step);
    if (index < 0)
        return;
    line.s_step.erase(line.s_step.begin() + index);
    line.s_event.erase(line.s_event.begin() + index);
}

void TimeEvents_Alarms()
{
    for (int32_t alarm = 0; alarm < kAlarmCount; ++alarm) {
        // The list is fetched anew for each object: an alarm event may add or
        // clear events, which rebuilds the lists.
        for (size_t k = 0; k < EventLists_Objects(kEventAlarm, alarm).size(); ++k) {
            CLiveRoom* room = CurrentRoom;
            if (!room || IsChangePending())
                return;
            int32_t object = EventLists_Objects(kEventAlarm, alarm)[k];
            int32_t count = room->Obj_Number(object);
            for (int32_t n = 0; n < count; ++n) {
                CInstance* instance = room->Obj_Instance(object, n);
                if (!instance || instance->i_marked)
                    continue;
                int32_t value = instance->Alarm(alarm);
                if (value >= 0)
                    instance->SetAlarm(alarm, --value);
                if (value == 0)
                    PerformEvent(instance, instance, kEventAlarm, alarm);
            }
        }
    }
}

void TimeEvents_TimeLines()
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    int32_t count = room->InstanceCount();
    for (int32_t k = 0; k < count; ++k) {
        CInstance* instance = room->InstanceAt(k);
        if (!instance || instance->i_marked || !instance->i_timelinerunning || instance->i_timelinespeed == 0)
            continue;
        const int32_t index = instance->i_timelineindex;
        const CTimeLine* line = TimeLines.Get(index);
        if (!line || line->Count() == 0)
            continue;
        double speed = instance->i_timelinespeed;
        if (speed > 0) {
            int32_t from = TimeLine_FindLarger(*line, instance->i_timelineposition);
            instance->i_timelineposition += speed;
            int32_t to = TimeLine_FindLarger(*line, instance->i_timelineposition);
            for (int32_t m = from; m < to; ++m)
                PerformMoment(instance, instance, index, m);
            // The moments may have changed the time line; look it up again.
            line = TimeLines.Get(index);
            if (line && line->Count() > 0 && instance->i_timelineloop &&
                line->s_step.back() < instance->i_timelineposition)
                instance->i_timelineposition = 0;
        } else {
            int32_t from = TimeLine_FindSmaller(*line, instance->i_timelineposition);
            instance->i_timelineposition += speed;
            int32_t to = TimeLine_FindSmaller(*line, instance->i_timelineposition);
            for (int32_t m = from; m > to; --m)
                PerformMoment(instance, instance, index, m);
            line = TimeLines.Get(index);
            if (line && line->Count() > 0 && instance->i_timelineloop && instance->i_timelineposition < 0)
                instance->i_timelineposition = line->s_step.back();
        }
    }
}

bool TimeEvents_PrepareTriggers()
{
    for (int32_t t = 0; t < Triggers.Count(); ++t) {
        CTrigger* trigger = Triggers.Get(t);
        if (!trigger)
            continue;
        // A condition is code that returns its answer; a bare expression
        // is accepted too, as authors write it that way.
        auto code = std::make_shared<CCode>(trigger->i_condition, false);
        if (!code->Compile()) {
            std::string message = code->ErrorMessage();
            auto expression = std::make_shared<CCode>(trigger->i_condition, true);
            if (!expression->Compile()) {
                Error_Show("COMPILATION ERROR in condition of trigger " + trigger->i_name + "\r" + message, true);
                return false;
            }
            code = std::move(expression);
        }
        trigger->i_code = std::move(code);
    }
    return true;
}

void TimeEvents_Triggers(int32_t moment)
{
    for (int32_t t = 0; t < Triggers.Count(); ++t) {
        const CTrigger* trigger = Triggers.Get(t);
        if (!trigger || trigger->i_moment != moment || !trigger->i_code)
            continue;
        // A condition runs outside any event: its errors are headed with the trigger.
        const std::string place = "trigger " + trigger->i_name;
        for (size_t k = 0; k < EventLists_Objects(kEventTrigger, t).size(); ++k) {
            CLiveRoom* room = CurrentRoom;
            if (!room || IsChangePending())
                return;
            int32_t object = EventLists_Objects(kEventTrigger, t)[k];
            int32_t count = room->Obj_Number(object);
            for (int32_t n = 0; n < count; ++n) {
                CInstance* instance = room->Obj_Instance(object, n);
                if (!instance || instance->i_marked)
                    continue;
                trigger = Triggers.Get(t);
                if (!trigger || !trigger->i_code)
                    return;
                std::shared_ptr<CCode> code = trigger->i_code;
                RValue result;
                bool ok;
                {
                    CCodePlace running(place);
                    ok = Code_Execute(instance, instance, *code, result);
                }
                if (!ok) {
                    Error_Show("ERROR in trigger " + trigger->i_name + "\r\n" + Code_PendingError(), false);
                    Code_Context().ClearError();
                    continue;
                }
                if (result.kind == VALUE_REAL && IsTrue(result.val))
                    PerformEvent(instance, instance, kEventTrigger, t);
            }
        }
    }
}
