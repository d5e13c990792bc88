// CGrid: a grid of free and forbidden cells over part of the room, and the
// breadth-first search that finds a path of cell centres through it. Grids
// live in numbered slots that the mp_grid_ functions name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CInstance;
class CPath;

class CGrid {
public:
    static constexpr int32_t kFree = 0;
    static constexpr int32_t kForbidden = -1;

    int32_t i_left = 0, i_top = 0;   // room position of the top-left corner
    int32_t i_cellw = 1, i_cellh = 1; // cell size in pixels
    int32_t i_hcells = 0, i_vcells = 0;
    // Column-major: cell (i, j) at j + i * vcells. 0 free, -1 forbidden;
    // positive values only while a search runs.
    std::vector<int32_t> i_cells;

    void Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellw, int32_t cellh);
    void ClearAll();
    void ClearCell(int32_t i, int32_t j) { SetCell(i, j, kFree); }
    void AddCell(int32_t i, int32_t j) { SetCell(i, j, kForbidden); }
    void ClearRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { FillRectangle(x1, y1, x2, y2, kFree); }
    void AddRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { FillRectangle(x1, y1, x2, y2, kForbidden); }
    // Forbids the cells under the instance's bounding box; with prec only
    // those its mask really meets.
    void AddInstance(const CInstance& instance, bool prec);
    // Fills path with a way from (xs, ys) to (xg, yg); false (path
    // untouched) when there is none.
    bool FindPath(CPath& path, int32_t xs, int32_t ys, int32_t xg, int32_t yg, bool allowdiag);

    int32_t Cell(int32_t i, int32_t j) const { return i_cells[static_cast<size_t>(j + i * i_vcells)]; }
    bool Contains(int32_t i, int32_t j) const { return i >= 0 && j >= 0 && i < i_hcells && j < i_vcells; }

private:
    void SetCell(int32_t i, int32_t j, int32_t value);
    void FillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t value);
    // The covered column (or row) range of a span, clamped into the grid.
    void CoveredRange(int32_t low, int32_t high, int32_t origin, int32_t size, int32_t count, int32_t& first,
                      int32_t& last) const;
    bool Search(int32_t start, int32_t goal, bool allowdiag);

    std::vector<int32_t> i_queue; // kept between searches to spare allocations
};

// The slots: a new grid takes the first empty slot. Lookups of an index
// outside the list or of an empty slot give nullptr.
int32_t Grid_Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellw, int32_t cellh);
CGrid* Grid_Get(int32_t index);
void Grid_Destroy(int32_t index);
void Grid_DestroyAll();
