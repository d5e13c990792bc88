// CDS_Grid: a two-dimensional array of values for the ds_grid_* built-ins,
// with operations, statistics and searches over single cells, rectangles,
// disks and rectangles of another grid. The cells are one flat array,
// column by column, which is also the order they are stored and searched in.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <cstdint>
#include <vector>

enum class EGridOperation {
    Set,      // the cell becomes the value
    Add,      // reals add, strings join, otherwise the cell becomes the value
    Multiply, // reals multiply, otherwise nothing
};

// Over the real cells of an area; string cells are skipped.
struct RGridStatistics {
    double sum = 0;
    double max = -100000000; // what an area without real cells gives
    double min = 100000000;
    int64_t count = 0;
    double Mean() const { return count > 0 ? sum / static_cast<double>(count) : 0; }
};

class CDS_Grid {
public:
    static constexpr int32_t kStoredKind = 601;
    static constexpr const char* kKindName = "grid";
    // 16 Mi cells (384 MiB of values): a size read from a script or a text
    // must not be able to exhaust memory.
    static constexpr int64_t kLargestCellCount = int64_t(1) << 24;

    // Sides from 0 up, at most kLargestCellCount cells.
    static bool IsValidSize(int64_t width, int64_t height);
    // New cells are the real 0; cells inside both sizes keep their values.
    // False (and nothing changes) for a size that is not valid.
    bool Resize(int64_t width, int64_t height);
    int32_t Width() const { return i_w; }
    int32_t Height() const { return i_h; }

    void Clear(const RValue& value);
    // The real 0 outside the grid.
    RValue Get(int64_t x, int64_t y) const;

    // Cells outside the grid are left alone. Rectangles take their corners in
    // either order. False when a string would grow past kLongestBuiltString
    // (that cell keeps its value).
    bool CellOperation(EGridOperation operation, int64_t x, int64_t y, const RValue& value);
    bool RegionOperation(EGridOperation operation, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                         const RValue& value);
    bool DiskOperation(EGridOperation operation, double xm, double ym, double r, const RValue& value);
    // The rectangle of source (which may be this grid) with its smallest
    // corner placed at (xpos, ypos); what falls outside this grid is cut off.
    // Overlapping copies within one grid behave like a block move.
    bool GridOperation(EGridOperation operation, const CDS_Grid& source, int64_t x1, int64_t y1, int64_t x2,
                       int64_t y2, int64_t xpos, int64_t ypos);

    RGridStatistics RegionStatistics(int64_t x1, int64_t y1, int64_t x2, int64_t y2) const;
    RGridStatistics DiskStatistics(double xm, double ym, double r) const;
    // The first cell, column by column, whose value compares equal.
    bool FindInRegion(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const RValue& value, int64_t& x,
                      int64_t& y) const;
    bool FindInDisk(double xm, double ym, double r, const RValue& value, int64_t& x, int64_t& y) const;

    // 8 × width × height swaps of two cells drawn from the shared random generator.
    void Shuffle();

    // Stored form: width, height, then the cells column by column.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    // An area of cells inside the grid, from (x1, y1) to (x2, y2) inclusive.
    struct RCellRange {
        int32_t x1 = 0, y1 = 0, x2 = -1, y2 = -1;
    };
    static bool ClampRange(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width, int32_t height,
                           RCellRange& range);
    bool DiskRange(double xm, double ym, double r, RCellRange& range) const;
    static bool InDisk(int32_t x, int32_t y, double xm, double ym, double r)
    {
        const double dx = x - xm;
        const double dy = y - ym;
        return dx * dx + dy * dy <= r * r;
    }
    RValue& At(int32_t x, int32_t y) { return i_val[static_cast<size_t>(x) * static_cast<size_t>(i_h) + y]; }
    const RValue& At(int32_t x, int32_t y) const
    {
        return i_val[static_cast<size_t>(x) * static_cast<size_t>(i_h) + y];
    }

    int32_t i_w = 0;
    int32_t i_h = 0;
    std::vector<RValue> i_val; // cell (x, y) at x × i_h + y
};
