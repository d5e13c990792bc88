// The id tables of the six kinds of data structure, the missing-id error,
// and the module's registration.
#include "library/DataStructures.h"

#include "library/DsGrid.h"
#include "library/DsList.h"
#include "library/DsMap.h"
#include "library/DsPriority.h"
#include "library/DsQueue.h"
#include "library/DsStack.h"
#include "library/DsTables.h"

namespace {

CDsIdTable<CDS_Stack> Stacks;
CDsIdTable<CDS_Queue> Queues;
CDsIdTable<CDS_List> Lists;
CDsIdTable<CDS_Map> Maps;
CDsIdTable<CDS_Priority> Priorities;
CDsIdTable<CDS_Grid> Grids;

bool F_SetPrecision(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!Ds_SetPrecision(args[0].val))
        Library_ReportError("Error in function ds_set_precision(): the precision is not a number.");
    return true;
}

} // namespace

template <>
CDsIdTable<CDS_Stack>& Ds_Table<CDS_Stack>()
{
    return Stacks;
}
template <>
CDsIdTable<CDS_Queue>& Ds_Table<CDS_Queue>()
{
    return Queues;
}
template <>
CDsIdTable<CDS_List>& Ds_Table<CDS_List>()
{
    return Lists;
}
template <>
CDsIdTable<CDS_Map>& Ds_Table<CDS_Map>()
{
    return Maps;
}
template <>
CDsIdTable<CDS_Priority>& Ds_Table<CDS_Priority>()
{
    return Priorities;
}
template <>
CDsIdTable<CDS_Grid>& Ds_Table<CDS_Grid>()
{
    return Grids;
}

void Ds_ReportMissing()
{
    Library_ReportError("Data structure with index does not exist.");
}

void Ds_DestroyAll()
{
    Stacks.RemoveAll();
    Queues.RemoveAll();
    Lists.RemoveAll();
    Maps.RemoveAll();
    Priorities.RemoveAll();
    Grids.RemoveAll();
}

void Library_RegisterDataStructures()
{
    Function_Implement("ds_set_precision", &F_SetPrecision);
    Ds_ImplementStackQueueList();
    Ds_ImplementMapPriority();
    Ds_ImplementGrid();
}
