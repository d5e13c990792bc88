// The mp_ script functions: the step methods and path builders against
// solid instances, all instances or one object, the potential settings,
// and the grids. mp_grid_draw belongs to the drawing module.
#include "motion/FunctionGroups.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "motion/Grid.h"
#include "motion/Planning.h"
#include "world/Instance.h"
#include "world/InstanceTargets.h"

namespace {

// More cells than this would take gigabytes; no room needs them.
constexpr int64_t kMostGridCells = int64_t{1} << 26;

RObstacles AgainstAllOrSolid(const RValue& checkall)
{
    return RObstacles{IsTrue(checkall.val) ? RObstacles::All : RObstacles::Solid};
}

RObstacles AgainstObject(CExecutionContext& context, const RValue& object)
{
    return RObstacles{RObstacles::Object, RoundToInt32(object.val), context.Other()};
}

CPath* PathArgument(const RValue& value)
{
    CPath* path = Paths.Get(RoundToInt32(value.val));
    if (!path)
        Error_ShowInEvent("Trying to assign to a non-existing path.", false);
    return path;
}

void Answer(RValue& result, bool value)
{
    result = RValue(value ? 1.0 : 0.0);
}

template <bool (*Step)(CInstance&, double, double, double, const RObstacles&), bool ByObject>
bool F_Step(CExecutionContext& context, RValue& result, int, RValue* args)
{
    RObstacles obstacles = ByObject ? AgainstObject(context, args[3]) : AgainstAllOrSolid(args[3]);
    Answer(result, Step(*context.Self(), args[0].val, args[1].val, args[2].val, obstacles));
    return true;
}

template <bool ByObject>
bool F_LinearPath(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CPath* path = PathArgument(args[0]);
    RObstacles obstacles = ByObject ? AgainstObject(context, args[4]) : AgainstAllOrSolid(args[4]);
    Answer(result, path && Plan_LinearPath(*context.Self(), *path, args[1].val, args[2].val, args[3].val, obstacles));
    return true;
}

template <bool ByObject>
bool F_PotentialPath(CExecutionContext& context, RValue& result, int, RValue* args)
{
    CPath* path = PathArgument(args[0]);
    RObstacles obstacles = ByObject ? AgainstObject(context, args[5]) : AgainstAllOrSolid(args[5]);
    Answer(result, path && Plan_PotentialPath(*context.Self(), *path, args[1].val, args[2].val, args[3].val,
                                              args[4].val, obstacles));
    return true;
}

BUILTIN(F_PotentialSettings)
{
    Plan_SetPotentialSettings(args[0].val, args[1].val, args[2].val, IsTrue(args[3].val));
    return true;
}

BUILTIN(F_GridCreate)
{
    const int32_t hcells = RoundToInt32(args[2].val), vcells = RoundToInt32(args[3].val);
    if (static_cast<int64_t>(std::max(hcells, 0)) * std::max(vcells, 0) > kMostGridCells) {
        Error_ShowInEvent("Cannot create a grid of " + std::to_string(hcells) + " by " + std::to_string(vcells) +
                              " cells.",
                          false);
        result = RValue(-1.0);
        return true;
    }
    result = RValue(static_cast<double>(Grid_Create(RoundToInt32(args[0].val), RoundToInt32(args[1].val), hcells,
                                                    vcells, RoundToInt32(args[4].val), RoundToInt32(args[5].val))));
    return true;
}

BUILTIN(F_GridDestroy)
{
    Grid_Destroy(RoundToInt32(args[0].val));
    return true;
}

BUILTIN(F_GridClearAll)
{
    if (CGrid* grid = Grid_Get(RoundToInt32(args[0].val)))
        grid->ClearAll();
    return true;
}

template <void (CGrid::*Change)(int32_t, int32_t)>
bool F_GridCell(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CGrid* grid = Grid_Get(RoundToInt32(args[0].val)))
        (grid->*Change)(RoundToInt32(args[1].val), RoundToInt32(args[2].val));
    return true;
}

template <void (CGrid::*Change)(int32_t, int32_t, int32_t, int32_t)>
bool F_GridRectangle(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CGrid* grid = Grid_Get(RoundToInt32(args[0].val)))
        (grid->*Change)(RoundToInt32(args[1].val), RoundToInt32(args[2].val), RoundToInt32(args[3].val),
                        RoundToInt32(args[4].val));
    return true;
}

BUILTIN(F_GridAddInstances)
{
    CGrid* grid = Grid_Get(RoundToInt32(args[0].val));
    if (!grid)
        return true;
    const bool prec = IsTrue(args[2].val);
    ForEachTarget(RoundToInt32(args[1].val), context.Self(), context.Other(),
                  [&](CInstance* instance) { grid->AddInstance(*instance, prec); });
    return true;
}

BUILTIN(F_GridPath)
{
    CGrid* grid = Grid_Get(RoundToInt32(args[0].val));
    if (!grid)
        return true;
    CPath* path = PathArgument(args[1]);
    Answer(result, path && grid->FindPath(*path, RoundToInt32(args[2].val), RoundToInt32(args[3].val),
                                          RoundToInt32(args[4].val), RoundToInt32(args[5].val),
                                          IsTrue(args[6].val)));
    return true;
}

} // namespace

void Motion_ImplementPlanningFunctions()
{
    Function_Implement("mp_linear_step", &F_Step<&Plan_LinearStep, false>);
    Function_Implement("mp_linear_step_object", &F_Step<&Plan_LinearStep, true>);
    Function_Implement("mp_potential_step", &F_Step<&Plan_PotentialStep, false>);
    Function_Implement("mp_potential_step_object", &F_Step<&Plan_PotentialStep, true>);
    Function_Implement("mp_potential_settings", &F_PotentialSettings);
    Function_Implement("mp_linear_path", &F_LinearPath<false>);
    Function_Implement("mp_linear_path_object", &F_LinearPath<true>);
    Function_Implement("mp_potential_path", &F_PotentialPath<false>);
    Function_Implement("mp_potential_path_object", &F_PotentialPath<true>);
    Function_Implement("mp_grid_create", &F_GridCreate);
    Function_Implement("mp_grid_destroy", &F_GridDestroy);
    Function_Implement("mp_grid_clear_all", &F_GridClearAll);
    Function_Implement("mp_grid_clear_cell", &F_GridCell<&CGrid::ClearCell>);
    Function_Implement("mp_grid_add_cell", &F_GridCell<&CGrid::AddCell>);
    Function_Implement("mp_grid_clear_rectangle", &F_GridRectangle<&CGrid::ClearRectangle>);
    Function_Implement("mp_grid_add_rectangle", &F_GridRectangle<&CGrid::AddRectangle>);
    Function_Implement("mp_grid_add_instances", &F_GridAddInstances);
    Function_Implement("mp_grid_path", &F_GridPath);
}
