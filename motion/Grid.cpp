// The grid of motion planning and its search. The search marks cells with
// their distance from the start (the start cell 1), then walks back from
// the goal along decreasing marks; every mark is wiped afterwards so that
// only free and forbidden cells remain between searches.
#include "motion/Grid.h"

#include "data/Path.h"
#include "motion/Collision.h"
#include "world/Instance.h"

#include <algorithm>
#include <memory>

namespace {

std::vector<std::unique_ptr<CGrid>> Slots;

// div as scripts know it: truncation towards zero.
int32_t DivideTruncating(int64_t a, int32_t b)
{
    return b == 0 ? 0 : static_cast<int32_t>(a / b);
}

} // namespace

void CGrid::Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellw, int32_t cellh)
{
    i_left = left;
    i_top = top;
    i_hcells = std::max(hcells, 0);
    i_vcells = std::max(vcells, 0);
    i_cellw = cellw;
    i_cellh = cellh;
    i_cells.assign(static_cast<size_t>(i_hcells) * static_cast<size_t>(i_vcells), kFree);
}

void CGrid::ClearAll()
{
    std::fill(i_cells.begin(), i_cells.end(), kFree);
}

void CGrid::SetCell(int32_t i, int32_t j, int32_t value)
{
    if (Contains(i, j))
        i_cells[static_cast<size_t>(j + i * i_vcells)] = value;
}

void CGrid::CoveredRange(int32_t low, int32_t high, int32_t origin, int32_t size, int32_t count, int32_t& first,
                         int32_t& last) const
{
    first = std::max(DivideTruncating(static_cast<int64_t>(low) - origin, size), 0);
    last = std::min(DivideTruncating(static_cast<int64_t>(high) - origin, size), count - 1);
}

void CGrid::FillRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t value)
{
    int32_t i1, i2, j1, j2;
    CoveredRange(std::min(x1, x2), std::max(x1, x2), i_left, i_cellw, i_hcells, i1, i2);
    CoveredRange(std::min(y1, y2), std::max(y1, y2), i_top, i_cellh, i_vcells, j1, j2);
    for (int32_t i = i1; i <= i2; ++i)
        for (int32_t j = j1; j <= j2; ++j)
            i_cells[static_cast<size_t>(j + i * i_vcells)] = value;
}

void CGrid::AddInstance(const CInstance& instance, bool prec)
{
    const RBox& box = instance.i_bbox;
    if (box.left == kNoBox)
        return;
    int32_t i1, i2, j1, j2;
    CoveredRange(box.left, box.right, i_left, i_cellw, i_hcells, i1, i2);
    CoveredRange(box.top, box.bottom, i_top, i_cellh, i_vcells, j1, j2);
    for (int32_t i = i1; i <= i2; ++i) {
        for (int32_t j = j1; j <= j2; ++j) {
            int32_t& cell = i_cells[static_cast<size_t>(j + i * i_vcells)];
            if (!prec) {
                cell = kForbidden;
                continue;
            }
            if (cell != kFree)
                continue;
            const double x1 = i_left + static_cast<double>(i) * i_cellw;
            const double y1 = i_top + static_cast<double>(j) * i_cellh;
            if (Collision_Rectangle(instance, x1, y1, x1 + i_cellw - 1, y1 + i_cellh - 1, true))
                cell = kForbidden;
        }
    }
}

// Breadth-first from start until goal is taken from the queue. The
// neighbours' states are read before any of them is marked, so a diagonal
// step needs both orthogonal cells it passes to have been free then.
bool CGrid::Search(int32_t start, int32_t goal, bool allowdiag)
{
    const int32_t rows = i_vcells;
    i_queue.clear();
    i_queue.push_back(start);
    i_cells[static_cast<size_t>(start)] = 1;
    for (size_t head = 0; head < i_queue.size(); ++head) {
        const int32_t cell = i_queue[head];
        if (cell == goal)
            return true;
        const int32_t i = cell / rows, j = cell % rows;
        const int32_t next = i_cells[static_cast<size_t>(cell)] + 1;
        auto open = [&](int32_t di, int32_t dj) {
            return Contains(i + di, j + dj) && i_cells[static_cast<size_t>(cell + dj + di * rows)] == kFree;
        };
        const bool left = open(-1, 0), right = open(1, 0), up = open(0, -1), down = open(0, 1);
        const bool lowerLeft = allowdiag && left && down && open(-1, 1);
        const bool upperLeft = allowdiag && left && up && open(-1, -1);
        const bool lowerRight = allowdiag && right && down && open(1, 1);
        const bool upperRight = allowdiag && right && up && open(1, -1);
        auto mark = [&](bool take, int32_t di, int32_t dj) {
            if (!take)
                return;
            const int32_t neighbour = cell + dj + di * rows;
            i_cells[static_cast<size_t>(neighbour)] = next;
            i_queue.push_back(neighbour);
        };
        mark(left, -1, 0);
        mark(right, 1, 0);
        mark(up, 0, -1);
        mark(down, 0, 1);
        mark(lowerLeft, -1, 1);
        mark(upperLeft, -1, -1);
        mark(lowerRight, 1, 1);
        mark(upperRight, 1, -1);
    }
    return false;
}

bool CGrid::FindPath(CPath& path, int32_t xs, int32_t ys, int32_t xg, int32_t yg, bool allowdiag)
{
    const int64_t width = static_cast<int64_t>(i_hcells) * i_cellw, height = static_cast<int64_t>(i_vcells) * i_cellh;
    auto inside = [&](int32_t x, int32_t y) {
        return x >= i_left && x < i_left + width && y >= i_top && y < i_top + height;
    };
    if (!inside(xs, ys) || !inside(xg, yg))
        return false;
    const int32_t si = (xs - i_left) / i_cellw, sj = (ys - i_top) / i_cellh;
    const int32_t gi = (xg - i_left) / i_cellw, gj = (yg - i_top) / i_cellh;
    if (Cell(si, sj) == kForbidden || Cell(gi, gj) == kForbidden)
        return false;

    const int32_t start = sj + si * i_vcells, goal = gj + gi * i_vcells;
    const bool found = Search(start, goal, allowdiag);
    if (found) {
        std::vector<RWayPoint> points{RWayPoint{static_cast<double>(xg), static_cast<double>(yg), 100}};
        int32_t i = gi, j = gj;
        static constexpr int32_t kOrthogonal[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        static constexpr int32_t kDiagonal[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
        while (!(i == si && j == sj)) {
            const int32_t want = Cell(i, j) - 1;
            bool moved = false;
            for (int pass = 0; pass < (allowdiag ? 2 : 1) && !moved; ++pass) {
                for (const auto& step : pass == 0 ? kOrthogonal : kDiagonal) {
                    if (Contains(i + step[0], j + step[1]) && Cell(i + step[0], j + step[1]) == want) {
                        i += step[0];
                        j += step[1];
                        moved = true;
                        break;
                    }
                }
            }
            if (!moved)
                break; // cannot happen on marks a search made; never loop on bad data
            if (!(i == si && j == sj))
                points.push_back(RWayPoint{i_left + static_cast<double>(i) * i_cellw + i_cellw / 2,
                                           i_top + static_cast<double>(j) * i_cellh + i_cellh / 2, 100});
        }
        points.push_back(RWayPoint{static_cast<double>(xs), static_cast<double>(ys), 100});
        std::reverse(points.begin(), points.end());
        path.i_points = std::move(points);
        path.i_kind = 0;
        path.i_closed = false;
        path.Rebuild();
    }
    for (int32_t cell : i_queue)
        i_cells[static_cast<size_t>(cell)] = kFree;
    return found;
}

int32_t Grid_Create(int32_t left, int32_t top, int32_t hcells, int32_t vcells, int32_t cellw, int32_t cellh)
{
    auto grid = std::make_unique<CGrid>();
    grid->Create(left, top, hcells, vcells, cellw, cellh);
    for (size_t k = 0; k < Slots.size(); ++k) {
        if (!Slots[k]) {
            Slots[k] = std::move(grid);
            return static_cast<int32_t>(k);
        }
    }
    Slots.push_back(std::move(grid));
    return static_cast<int32_t>(Slots.size() - 1);
}

CGrid* Grid_Get(int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= Slots.size())
        return nullptr;
    return Slots[static_cast<size_t>(index)].get();
}

void Grid_Destroy(int32_t index)
{
    if (Grid_Get(index))
        Slots[static_cast<size_t>(index)].reset();
}

void Grid_DestroyAll()
{
    Slots.clear();
}
