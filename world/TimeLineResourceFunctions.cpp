// The time line functions of a running game: the queries, adding, clearing
// and deleting time lines, and adding and clearing moments. A moment of the
// very time line may be running, so a changed time line is a changed copy
// put in its place, and the one it replaces is retired.
#include "world/ResourceFunctions.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Resources.h"
#include "data/RetiredResources.h"
#include "data/TimeLine.h"
#include "world/EventEditing.h"
#include "world/ResourceRoutines.h"
#include "world/TimeEvents.h"

#include <memory>

namespace {

int32_t Index(const RValue& value)
{
    return RoundToInt32(value.val);
}

// Changes a copy of the time line at args[0], when it exists; change tells
// whether anything changed, and only then does the copy take its place.
template <typename Change>
bool ChangeTimeLine(const RValue* args, Change change)
{
    const int32_t index = Index(args[0]);
    const CTimeLine* line = TimeLines.Get(index);
    if (!line)
        return true;
    auto changed = std::make_unique<CTimeLine>(*line);
    if (change(*changed))
        Resource_Retire(TimeLines.Exchange(index, std::move(changed)));
    return true;
}

BUILTIN(Add)
{
    result.SetReal(Resource_Append(TimeLines, std::make_unique<CTimeLine>(), "timeline"));
    return true;
}

BUILTIN(Delete)
{
    Resource_Delete(TimeLines, args[0], "Trying to delete non-existing timeline.", result, nullptr, true);
    return true;
}

BUILTIN(Clear)
{
    return ChangeTimeLine(args, [](CTimeLine& line) {
        line.Clear();
        return true;
    });
}

BUILTIN(MomentClear)
{
    const int32_t step = Index(args[1]);
    return ChangeTimeLine(args, [&](CTimeLine& line) {
        if (TimeLine_Find(line, step) < 0)
            return false;
        TimeLine_DeleteMoment(line, step);
        return true;
    });
}

BUILTIN(MomentAdd)
{
    const int32_t step = Index(args[1]);
    return ChangeTimeLine(args, [&](CTimeLine& line) {
        TimeLine_AddMoment(line, step);
        return Event_AddCodeAction(line.s_event[static_cast<size_t>(TimeLine_Find(line, step))], args[2].str);
    });
}

} // namespace

void World_ImplementTimeLineResourceFunctions()
{
    Resource_ImplementCommon<CTimeLine, &CGameResources::TimeLines>("timeline");
    Function_Implement("timeline_add", &Add);
    Function_Implement("timeline_delete", &Delete);
    Function_Implement("timeline_clear", &Clear);
    Function_Implement("timeline_moment_clear", &MomentClear);
    Function_Implement("timeline_moment_add", &MomentAdd);
}
