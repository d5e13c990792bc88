// The ds_grid_* built-ins. Cell coordinates and counts are rounded; disk
// centres and radii are used as the reals they are.
#include "library/DsGrid.h"
#include "library/DsTables.h"

#include <string>

namespace {

int64_t Whole(const RValue& argument)
{
    return Library_RoundCount(argument.val);
}

void ReportBadSize(const char* function)
{
    Library_ReportError((std::string("Error in function ") + function +
                         "(): a grid must have sides from 0 up and at most " +
                         std::to_string(CDS_Grid::kLargestCellCount) + " cells.")
                            .c_str());
}

// Only adding strings can fail (a string past the longest allowed).
void CheckFits(bool fits, EGridOperation operation, const char* area)
{
    if (!fits && operation == EGridOperation::Add)
        Library_ReportTooLong((std::string("ds_grid_add") + area).c_str());
}

// ---- size ----

// A bad size gives -1, which names no grid, rather than an id another grid may own.
bool F_GridCreate(CExecutionContext&, RValue& result, int, RValue* args)
{
    const int64_t width = Whole(args[0]);
    const int64_t height = Whole(args[1]);
    if (!CDS_Grid::IsValidSize(width, height)) {
        ReportBadSize("ds_grid_create");
        result.SetReal(-1);
        return true;
    }
    auto grid = std::make_unique<CDS_Grid>();
    grid->Resize(width, height);
    result.SetReal(static_cast<double>(Ds_Table<CDS_Grid>().Add(std::move(grid))));
    return true;
}

bool F_GridResize(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        if (!grid->Resize(Whole(args[1]), Whole(args[2])))
            ReportBadSize("ds_grid_resize");
    return true;
}

bool F_GridWidth(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        result.SetReal(grid->Width());
    return true;
}

bool F_GridHeight(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        result.SetReal(grid->Height());
    return true;
}

bool F_GridClear(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        grid->Clear(args[1]);
    return true;
}

bool F_GridShuffle(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        grid->Shuffle();
    return true;
}

// ---- cells ----

bool F_GridGet(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        result = grid->Get(Whole(args[1]), Whole(args[2]));
    return true;
}

// (id, x, y, v)
template <EGridOperation Operation>
bool F_GridCell(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        CheckFits(grid->CellOperation(Operation, Whole(args[1]), Whole(args[2]), args[3]), Operation, "");
    return true;
}

// (id, x1, y1, x2, y2, v)
template <EGridOperation Operation>
bool F_GridRegion(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        CheckFits(grid->RegionOperation(Operation, Whole(args[1]), Whole(args[2]), Whole(args[3]), Whole(args[4]),
                                        args[5]),
                  Operation, "_region");
    return true;
}

// (id, xm, ym, r, v)
template <EGridOperation Operation>
bool F_GridDisk(CExecutionContext&, RValue&, int, RValue* args)
{
    if (CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        CheckFits(grid->DiskOperation(Operation, args[1].val, args[2].val, args[3].val, args[4]), Operation, "_disk");
    return true;
}

// (id, source, x1, y1, x2, y2, xpos, ypos)
template <EGridOperation Operation>
bool F_GridGridRegion(CExecutionContext&, RValue&, int, RValue* args)
{
    CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]);
    if (!grid)
        return true;
    const CDS_Grid* source = Ds_Find<CDS_Grid>(args[1]);
    if (!source)
        return true;
    CheckFits(grid->GridOperation(Operation, *source, Whole(args[2]), Whole(args[3]), Whole(args[4]),
                                  Whole(args[5]), Whole(args[6]), Whole(args[7])),
              Operation, "_grid_region");
    return true;
}

// ---- statistics and searches ----

enum class EStatistic { Sum, Max, Min, Mean };

double Pick(const RGridStatistics& statistics, EStatistic wanted)
{
    switch (wanted) {
    case EStatistic::Sum:
        return statistics.sum;
    case EStatistic::Max:
        return statistics.max;
    case EStatistic::Min:
        return statistics.min;
    case EStatistic::Mean:
        return statistics.Mean();
    }
    return 0;
}

// (id, x1, y1, x2, y2)
template <EStatistic Wanted>
bool F_GridRegionStatistic(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        result.SetReal(
            Pick(grid->RegionStatistics(Whole(args[1]), Whole(args[2]), Whole(args[3]), Whole(args[4])), Wanted));
    return true;
}

// (id, xm, ym, r)
template <EStatistic Wanted>
bool F_GridDiskStatistic(CExecutionContext&, RValue& result, int, RValue* args)
{
    if (const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]))
        result.SetReal(Pick(grid->DiskStatistics(args[1].val, args[2].val, args[3].val), Wanted));
    return true;
}

enum class ESearch { Exists, X, Y };

void SetFound(RValue& result, ESearch wanted, bool found, int64_t x, int64_t y)
{
    if (wanted == ESearch::Exists)
        result.SetReal(found ? 1 : 0);
    else if (found)
        result.SetReal(static_cast<double>(wanted == ESearch::X ? x : y));
}

// (id, x1, y1, x2, y2, v)
template <ESearch Wanted>
bool F_GridRegionSearch(CExecutionContext&, RValue& result, int, RValue* args)
{
    const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]);
    if (!grid)
        return true;
    int64_t x = 0;
    int64_t y = 0;
    const bool found =
        grid->FindInRegion(Whole(args[1]), Whole(args[2]), Whole(args[3]), Whole(args[4]), args[5], x, y);
    SetFound(result, Wanted, found, x, y);
    return true;
}

// (id, xm, ym, r, v)
template <ESearch Wanted>
bool F_GridDiskSearch(CExecutionContext&, RValue& result, int, RValue* args)
{
    const CDS_Grid* grid = Ds_Find<CDS_Grid>(args[0]);
    if (!grid)
        return true;
    int64_t x = 0;
    int64_t y = 0;
    const bool found = grid->FindInDisk(args[1].val, args[2].val, args[3].val, args[4], x, y);
    SetFound(result, Wanted, found, x, y);
    return true;
}

} // namespace

void Ds_ImplementGrid()
{
    Function_Implement("ds_grid_create", &F_GridCreate);
    Function_Implement("ds_grid_destroy", &Ds_Destroy<CDS_Grid>);
    Function_Implement("ds_grid_copy", &Ds_Copy<CDS_Grid>);
    Function_Implement("ds_grid_write", &Ds_Write<CDS_Grid>);
    Function_Implement("ds_grid_read", &Ds_Read<CDS_Grid>);
    Function_Implement("ds_grid_resize", &F_GridResize);
    Function_Implement("ds_grid_width", &F_GridWidth);
    Function_Implement("ds_grid_height", &F_GridHeight);
    Function_Implement("ds_grid_clear", &F_GridClear);
    Function_Implement("ds_grid_shuffle", &F_GridShuffle);
    Function_Implement("ds_grid_get", &F_GridGet);

    Function_Implement("ds_grid_set", &F_GridCell<EGridOperation::Set>);
    Function_Implement("ds_grid_add", &F_GridCell<EGridOperation::Add>);
    Function_Implement("ds_grid_multiply", &F_GridCell<EGridOperation::Multiply>);
    Function_Implement("ds_grid_set_region", &F_GridRegion<EGridOperation::Set>);
    Function_Implement("ds_grid_add_region", &F_GridRegion<EGridOperation::Add>);
    Function_Implement("ds_grid_multiply_region", &F_GridRegion<EGridOperation::Multiply>);
    Function_Implement("ds_grid_set_disk", &F_GridDisk<EGridOperation::Set>);
    Function_Implement("ds_grid_add_disk", &F_GridDisk<EGridOperation::Add>);
    Function_Implement("ds_grid_multiply_disk", &F_GridDisk<EGridOperation::Multiply>);
    Function_Implement("ds_grid_set_grid_region", &F_GridGridRegion<EGridOperation::Set>);
    Function_Implement("ds_grid_add_grid_region", &F_GridGridRegion<EGridOperation::Add>);
    Function_Implement("ds_grid_multiply_grid_region", &F_GridGridRegion<EGridOperation::Multiply>);

    Function_Implement("ds_grid_get_sum", &F_GridRegionStatistic<EStatistic::Sum>);
    Function_Implement("ds_grid_get_max", &F_GridRegionStatistic<EStatistic::Max>);
    Function_Implement("ds_grid_get_min", &F_GridRegionStatistic<EStatistic::Min>);
    Function_Implement("ds_grid_get_mean", &F_GridRegionStatistic<EStatistic::Mean>);
    Function_Implement("ds_grid_get_disk_sum", &F_GridDiskStatistic<EStatistic::Sum>);
    Function_Implement("ds_grid_get_disk_max", &F_GridDiskStatistic<EStatistic::Max>);
    Function_Implement("ds_grid_get_disk_min", &F_GridDiskStatistic<EStatistic::Min>);
    Function_Implement("ds_grid_get_disk_mean", &F_GridDiskStatistic<EStatistic::Mean>);

    Function_Implement("ds_grid_value_exists", &F_GridRegionSearch<ESearch::Exists>);
    Function_Implement("ds_grid_value_x", &F_GridRegionSearch<ESearch::X>);
    Function_Implement("ds_grid_value_y", &F_GridRegionSearch<ESearch::Y>);
    Function_Implement("ds_grid_value_disk_exists", &F_GridDiskSearch<ESearch::Exists>);
    Function_Implement("ds_grid_value_disk_x", &F_GridDiskSearch<ESearch::X>);
    Function_Implement("ds_grid_value_disk_y", &F_GridDiskSearch<ESearch::Y>);
}
