// The path functions of a running game: the queries, adding, duplicating,
// assigning and deleting paths, and changing their points, kind, closed
// flag and precision. A missing path changes nothing and reads as -1.
#include "motion/FunctionGroups.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "world/ResourceRoutines.h"

#include <memory>

namespace {

constexpr const char* kKind = "path";

int32_t Index(const RValue& value)
{
    return RoundToInt32(value.val);
}

template <typename Field>
bool PathField(RValue& result, const RValue& index, Field field)
{
    const CPath* path = Paths.Get(Index(index));
    result.SetReal(path ? field(*path) : -1);
    return true;
}

// Way point n of the path, or nullptr.
const RWayPoint* Point(const RValue* args)
{
    const CPath* path = Paths.Get(Index(args[0]));
    const int64_t n = RoundToInteger(args[1].val);
    return path && n >= 0 && n < path->Count() ? &path->i_points[static_cast<size_t>(n)] : nullptr;
}

// Changes the path at args[0] when it exists.
template <typename Change>
bool ChangePath(const RValue* args, Change change)
{
    if (CPath* path = Paths.Get(Index(args[0])))
        change(*path);
    return true;
}

BUILTIN(GetLength)
{
    return PathField(result, args[0], [](const CPath& p) { return p.i_length; });
}
BUILTIN(GetKind)
{
    return PathField(result, args[0], [](const CPath& p) { return p.i_kind; });
}
BUILTIN(GetClosed)
{
    return PathField(result, args[0], [](const CPath& p) { return p.i_closed ? 1 : 0; });
}
BUILTIN(GetPrecision)
{
    return PathField(result, args[0], [](const CPath& p) { return p.i_precision; });
}
BUILTIN(GetNumber)
{
    return PathField(result, args[0], [](const CPath& p) { return p.Count(); });
}
BUILTIN(GetPointX)
{
    const RWayPoint* point = Point(args);
    result.SetReal(point ? point->x : -1);
    return true;
}
BUILTIN(GetPointY)
{
    const RWayPoint* point = Point(args);
    result.SetReal(point ? point->y : -1);
    return true;
}
BUILTIN(GetPointSpeed)
{
    const RWayPoint* point = Point(args);
    result.SetReal(point ? point->speed : -1);
    return true;
}

BUILTIN(SetKind)
{
    return ChangePath(args, [&](CPath& p) { p.SetKind(RoundToInt32(args[1].val)); });
}
BUILTIN(SetClosed)
{
    return ChangePath(args, [&](CPath& p) { p.SetClosed(IsTrue(args[1].val)); });
}
BUILTIN(SetPrecision)
{
    return ChangePath(args, [&](CPath& p) { p.SetPrecision(RoundToInt32(args[1].val)); });
}

BUILTIN(Add)
{
    result.SetReal(Resource_Append(Paths, std::make_unique<CPath>(), kKind));
    return true;
}

BUILTIN(Duplicate)
{
    Resource_Duplicate(Paths, args[0], kKind, "Trying to duplicate non-existing path.", result);
    return true;
}

BUILTIN(Delete)
{
    Resource_Delete(Paths, args[0], "Trying to delete non-existing path.", result);
    return true;
}

BUILTIN(Assign)
{
    Resource_Assign(Paths, args, kKind, "Error assigning a path.", result);
    return true;
}

BUILTIN(Append)
{
    CPath* path = Paths.Get(Index(args[0]));
    if (!path) {
        Error_ShowInEvent("Appending to non-existing path.", false);
        return true;
    }
    const CPath* other = Paths.Get(Index(args[1]));
    if (!other) {
        Error_ShowInEvent("Appending a non-existing path.", false);
        return true;
    }
    path->Append(*other);
    return true;
}

BUILTIN(AddPoint)
{
    return ChangePath(args, [&](CPath& p) { p.AddPoint(args[1].val, args[2].val, args[3].val); });
}
BUILTIN(InsertPoint)
{
    return ChangePath(
        args, [&](CPath& p) { p.InsertPoint(RoundToInteger(args[1].val), args[2].val, args[3].val, args[4].val); });
}
BUILTIN(ChangePoint)
{
    return ChangePath(
        args, [&](CPath& p) { p.ChangePoint(RoundToInteger(args[1].val), args[2].val, args[3].val, args[4].val); });
}
BUILTIN(DeletePoint)
{
    return ChangePath(args, [&](CPath& p) { p.DeletePoint(RoundToInteger(args[1].val)); });
}
BUILTIN(ClearPoints)
{
    return ChangePath(args, [](CPath& p) { p.ClearPoints(); });
}
BUILTIN(Reverse)
{
    return ChangePath(args, [](CPath& p) { p.Reverse(); });
}
BUILTIN(Mirror)
{
    return ChangePath(args, [](CPath& p) { p.Mirror(); });
}
BUILTIN(Flip)
{
    return ChangePath(args, [](CPath& p) { p.Flip(); });
}
BUILTIN(Rotate)
{
    return ChangePath(args, [&](CPath& p) { p.Rotate(args[1].val); });
}
BUILTIN(Scale)
{
    return ChangePath(args, [&](CPath& p) { p.Scale(args[1].val, args[2].val); });
}
BUILTIN(Shift)
{
    return ChangePath(args, [&](CPath& p) { p.Shift(args[1].val, args[2].val); });
}

} // namespace

void Motion_ImplementPathResourceFunctions()
{
    Resource_ImplementCommon<CPath, &CGameResources::Paths>("path");
    Function_Implement("path_get_length", &GetLength);
    Function_Implement("path_get_kind", &GetKind);
    Function_Implement("path_get_closed", &GetClosed);
    Function_Implement("path_get_precision", &GetPrecision);
    Function_Implement("path_get_number", &GetNumber);
    Function_Implement("path_get_point_x", &GetPointX);
    Function_Implement("path_get_point_y", &GetPointY);
    Function_Implement("path_get_point_speed", &GetPointSpeed);
    Function_Implement("path_set_kind", &SetKind);
    Function_Implement("path_set_closed", &SetClosed);
    Function_Implement("path_set_precision", &SetPrecision);
    Function_Implement("path_add", &Add);
    Function_Implement("path_duplicate", &Duplicate);
    Function_Implement("path_delete", &Delete);
    Function_Implement("path_assign", &Assign);
    Function_Implement("path_append", &Append);
    Function_Implement("path_add_point", &AddPoint);
    Function_Implement("path_insert_point", &InsertPoint);
    Function_Implement("path_change_point", &ChangePoint);
    Function_Implement("path_delete_point", &DeletePoint);
    Function_Implement("path_clear_points", &ClearPoints);
    Function_Implement("path_reverse", &Reverse);
    Function_Implement("path_mirror", &Mirror);
    Function_Implement("path_flip", &Flip);
    Function_Implement("path_rotate", &Rotate);
    Function_Implement("path_scale", &Scale);
    Function_Implement("path_shift", &Shift);
}
