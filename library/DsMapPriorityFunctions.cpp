// The ds_map_* and ds_priority_* built-ins beyond those every kind shares.
#include "library/DsMap.h"
#include "library/DsPriority.h"
#include "library/DsTables.h"

namespace {

// ---- maps ----

bool F_MapAdd(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        map->Add(args[1], args[2]);
    return true;
}

bool F_MapReplace(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        map->Replace(args[1], args[2]);
    return true;
}

bool F_MapDelete(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        map->Delete(args[1]);
    return true;
}

bool F_MapExists(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result.SetReal(map->Exists(args[1]) ? 1 : 0);
    return true;
}

bool F_MapFindValue(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result = map->Find(args[1]);
    return true;
}

bool F_MapFindPrevious(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result = map->FindPrevious(args[1]);
    return true;
}

bool F_MapFindNext(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result = map->FindNext(args[1]);
    return true;
}

bool F_MapFindFirst(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result = map->FindFirst();
    return true;
}

bool F_MapFindLast(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Map* map = Ds_Find<CDS_Map>(args[0]))
        result = map->FindLast();
    return true;
}

// ---- priority queues ----

bool F_PriorityAdd(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        queue->Add(args[1], args[2]);
    return true;
}

bool F_PriorityChangePriority(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        queue->Change(args[1], args[2]);
    return true;
}

bool F_PriorityFindPriority(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        result = queue->Find(args[1]);
    return true;
}

bool F_PriorityDeleteValue(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        queue->Delete(args[1]);
    return true;
}

bool F_PriorityDeleteMin(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        result = queue->DeleteMin();
    return true;
}

bool F_PriorityFindMin(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        result = queue->FindMin();
    return true;
}

bool F_PriorityDeleteMax(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        result = queue->DeleteMax();
    return true;
}

bool F_PriorityFindMax(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Priority* queue = Ds_Find<CDS_Priority>(args[0]))
        result = queue->FindMax();
    return true;
}

} // namespace

void Ds_ImplementMapPriority()
{
    Ds_ImplementCommon<CDS_Map>();
    Function_Implement("ds_map_add", &F_MapAdd);
    Function_Implement("ds_map_replace", &F_MapReplace);
    Function_Implement("ds_map_delete", &F_MapDelete);
    Function_Implement("ds_map_exists", &F_MapExists);
    Function_Implement("ds_map_find_value", &F_MapFindValue);
    Function_Implement("ds_map_find_previous", &F_MapFindPrevious);
    Function_Implement("ds_map_find_next", &F_MapFindNext);
    Function_Implement("ds_map_find_first", &F_MapFindFirst);
    Function_Implement("ds_map_find_last", &F_MapFindLast);

    Ds_ImplementCommon<CDS_Priority>();
    Function_Implement("ds_priority_add", &F_PriorityAdd);
    Function_Implement("ds_priority_change_priority", &F_PriorityChangePriority);
    Function_Implement("ds_priority_find_priority", &F_PriorityFindPriority);
    Function_Implement("ds_priority_delete_value", &F_PriorityDeleteValue);
    Function_Implement("ds_priority_delete_min", &F_PriorityDeleteMin);
    Function_Implement("ds_priority_find_min", &F_PriorityFindMin);
    Function_Implement("ds_priority_delete_max", &F_PriorityDeleteMax);
    Function_Implement("ds_priority_find_max", &F_PriorityFindMax);
}
