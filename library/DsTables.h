// What the ds_* routine files share: the id table of each kind, finding the
// structure an id argument names (with the error when there is none) and
// the routines every kind has in the same form. Internal to library/.
#pragma once

#include "code/Functions.h"
#include "library/DsIdTable.h"
#include "library/DsValues.h"
#include "library/LibraryRoutines.h"

#include <string>

class CDS_Grid;
class CDS_List;
class CDS_Map;
class CDS_Priority;
class CDS_Queue;
class CDS_Stack;

template <class TStructure>
CDsIdTable<TStructure>& Ds_Table();
template <>
CDsIdTable<CDS_Stack>& Ds_Table<CDS_Stack>();
template <>
CDsIdTable<CDS_Queue>& Ds_Table<CDS_Queue>();
template <>
CDsIdTable<CDS_List>& Ds_Table<CDS_List>();
template <>
CDsIdTable<CDS_Map>& Ds_Table<CDS_Map>();
template <>
CDsIdTable<CDS_Priority>& Ds_Table<CDS_Priority>();
template <>
CDsIdTable<CDS_Grid>& Ds_Table<CDS_Grid>();

// "Data structure with index does not exist." as a run-time error.
void Ds_ReportMissing();

// The structure that the id argument (rounded) names; reports and gives null when none.
template <class TStructure>
TStructure* Ds_Find(const RValue& id)
{
    TStructure* structure = Ds_Table<TStructure>().Find(Library_RoundCount(id.val));
    if (!structure)
        Ds_ReportMissing();
    return structure;
}

// ds_<kind>_<verb>, for messages.
template <class TStructure>
std::string Ds_FunctionName(const char* verb)
{
    return std::string("ds_") + TStructure::kKindName + "_" + verb;
}

// ---- the routines of every kind ----

template <class TStructure>
bool Ds_Destroy(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!Ds_Table<TStructure>().Remove(Library_RoundCount(args[0].val)))
        Ds_ReportMissing();
    return true;
}

template <class TStructure>
bool Ds_Copy(CExecutionContext&, RValue&, int, RValue* args)
{
    TStructure* target = Ds_Find<TStructure>(args[0]);
    if (!target)
        return true;
    const TStructure* source = Ds_Find<TStructure>(args[1]);
    if (source && source != target)
        *target = *source;
    return true;
}

template <class TStructure>
bool Ds_Write(CExecutionContext&, RValue& result, int, RValue* args)
{
    const TStructure* structure = Ds_Find<TStructure>(args[0]);
    if (!structure)
        return true;
    std::string text;
    if (!Ds_WriteToString(*structure, text))
        Library_ReportTooLong(Ds_FunctionName<TStructure>("write").c_str());
    result.SetString(RString(std::move(text)));
    return true;
}

// A text of another kind (or the empty text) leaves the structure as it is
// without a word; a text of this kind that does not decode is reported.
template <class TStructure>
bool Ds_Read(CExecutionContext&, RValue&, int, RValue* args)
{
    TStructure* structure = Ds_Find<TStructure>(args[0]);
    if (!structure)
        return true;
    if (Ds_ReadFromString(*structure, args[1].str.Text()) == EDsRead::Damaged)
        Library_ReportError(
            ("Error in function " + Ds_FunctionName<TStructure>("read") + "(): the string is damaged.").c_str());
    return true;
}

// The kinds other than grids also share these.
template <class TStructure>
bool Ds_Create(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetReal(static_cast<double>(Ds_Table<TStructure>().Add(std::make_unique<TStructure>())));
    return true;
}

template <class TStructure>
bool Ds_Clear(CExecutionContext&, RValue&, int, RValue* args)
{
    if (TStructure* structure = Ds_Find<TStructure>(args[0]))
        structure->Clear();
    return true;
}

template <class TStructure>
bool Ds_Size(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const TStructure* structure = Ds_Find<TStructure>(args[0]))
        result.SetReal(static_cast<double>(structure->Size()));
    return true;
}

template <class TStructure>
bool Ds_Empty(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const TStructure* structure = Ds_Find<TStructure>(args[0]))
        result.SetReal(structure->Empty() ? 1 : 0);
    return true;
}

// create, destroy, clear, copy, size, empty, write and read of one kind.
template <class TStructure>
void Ds_ImplementCommon()
{
    Function_Implement(Ds_FunctionName<TStructure>("create").c_str(), &Ds_Create<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("destroy").c_str(), &Ds_Destroy<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("clear").c_str(), &Ds_Clear<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("copy").c_str(), &Ds_Copy<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("size").c_str(), &Ds_Size<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("empty").c_str(), &Ds_Empty<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("write").c_str(), &Ds_Write<TStructure>);
    Function_Implement(Ds_FunctionName<TStructure>("read").c_str(), &Ds_Read<TStructure>);
}

void Ds_ImplementStackQueueList();
void Ds_ImplementMapPriority();
void Ds_ImplementGrid();
