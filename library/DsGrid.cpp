// The grid's areas (rectangles and disks clamped to the grid), the cell
// operations over them, grid-to-grid operations, statistics, searches,
// shuffling and the stored form.
#include "library/DsGrid.h"

#include "library/DsValues.h"
#include "library/Random.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

// False when a string would grow past kLongestBuiltString; the cell is kept.
// cell and value may be the same cell.
bool Apply(EGridOperation operation, RValue& cell, const RValue& value)
{
    switch (operation) {
    case EGridOperation::Set:
        cell = value;
        return true;
    case EGridOperation::Add:
        if (cell.kind == VALUE_REAL && value.kind == VALUE_REAL) {
            cell.val += value.val;
        } else if (cell.kind == VALUE_STRING && value.kind == VALUE_STRING) {
            if (cell.str.size() > kLongestBuiltString - std::min(value.str.size(), kLongestBuiltString))
                return false;
            std::string joined;
            joined.reserve(cell.str.size() + value.str.size());
            joined += cell.str.Text();
            joined += value.str.Text();
            cell.SetString(RString(std::move(joined)));
        } else {
            cell = value;
        }
        return true;
    case EGridOperation::Multiply:
        if (cell.kind == VALUE_REAL && value.kind == VALUE_REAL)
            cell.val *= value.val;
        return true;
    }
    return true;
}

// One side of a rectangle: the ends in either order, clamped to [0, size).
bool ClampSide(int64_t a, int64_t b, int32_t size, int32_t& low, int32_t& high)
{
    if (a > b)
        std::swap(a, b);
    a = std::max<int64_t>(a, 0);
    b = std::min<int64_t>(b, int64_t(size) - 1);
    if (a > b)
        return false;
    low = static_cast<int32_t>(a);
    high = static_cast<int32_t>(b);
    return true;
}

// One side of a disk's bounding box: floor(centre - r) to ceil(centre + r),
// clamped to [0, size).
bool DiskSide(double centre, double r, int32_t size, int32_t& low, int32_t& high)
{
    double a = std::floor(centre - r);
    double b = std::ceil(centre + r);
    if (std::isnan(a) || std::isnan(b))
        return false;
    a = std::max(a, 0.0);
    b = std::min(b, double(size) - 1);
    if (a > b)
        return false;
    low = static_cast<int32_t>(a);
    high = static_cast<int32_t>(b);
    return true;
}

// The rectangle starting at first (clamped) placed at position of a side of
// size targetSize: cuts what falls before 0 or past the end. False when
// nothing is left.
bool PlaceSide(int32_t& first, int32_t& last, int64_t& position, int32_t targetSize)
{
    if (position < 0) {
        if (position < int64_t(first) - last)
            return false;
        first = static_cast<int32_t>(first - position);
        position = 0;
    }
    if (position >= targetSize)
        return false;
    last = static_cast<int32_t>(std::min<int64_t>(last, first + (targetSize - 1 - position)));
    return true;
}

} // namespace

bool CDS_Grid::IsValidSize(int64_t width, int64_t height)
{
    if (width < 0 || height < 0 || width > kLargestCellCount || height > kLargestCellCount)
        return false;
    return width == 0 || height <= kLargestCellCount / width;
}

bool CDS_Grid::Resize(int64_t width, int64_t height)
{
    if (!IsValidSize(width, height))
        return false;
    const int32_t w = static_cast<int32_t>(width);
    const int32_t h = static_cast<int32_t>(height);
    if (w == i_w && h == i_h)
        return true;
    std::vector<RValue> cells(static_cast<size_t>(w) * static_cast<size_t>(h));
    const int32_t keptW = std::min(w, i_w);
    const int32_t keptH = std::min(h, i_h);
    for (int32_t x = 0; x < keptW; ++x)
        for (int32_t y = 0; y < keptH; ++y)
            cells[static_cast<size_t>(x) * static_cast<size_t>(h) + y] = std::move(At(x, y));
    i_val.swap(cells);
    i_w = w;
    i_h = h;
    return true;
}

void CDS_Grid::Clear(const RValue& value)
{
    std::fill(i_val.begin(), i_val.end(), value);
}

RValue CDS_Grid::Get(int64_t x, int64_t y) const
{
    if (x < 0 || y < 0 || x >= i_w || y >= i_h)
        return RValue();
    return At(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

bool CDS_Grid::ClampRange(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width, int32_t height,
                          RCellRange& range)
{
    return ClampSide(x1, x2, width, range.x1, range.x2) && ClampSide(y1, y2, height, range.y1, range.y2);
}

bool CDS_Grid::DiskRange(double xm, double ym, double r, RCellRange& range) const
{
    return DiskSide(xm, r, i_w, range.x1, range.x2) && DiskSide(ym, r, i_h, range.y1, range.y2);
}

bool CDS_Grid::CellOperation(EGridOperation operation, int64_t x, int64_t y, const RValue& value)
{
    if (x < 0 || y < 0 || x >= i_w || y >= i_h)
        return true;
    return Apply(operation, At(static_cast<int32_t>(x), static_cast<int32_t>(y)), value);
}

bool CDS_Grid::RegionOperation(EGridOperation operation, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                               const RValue& value)
{
    RCellRange range;
    if (!ClampRange(x1, y1, x2, y2, i_w, i_h, range))
        return true;
    bool fits = true;
    for (int32_t x = range.x1; x <= range.x2; ++x)
        for (int32_t y = range.y1; y <= range.y2; ++y)
            fits &= Apply(operation, At(x, y), value);
    return fits;
}

bool CDS_Grid::DiskOperation(EGridOperation operation, double xm, double ym, double r, const RValue& value)
{
    RCellRange range;
    if (!DiskRange(xm, ym, r, range))
        return true;
    bool fits = true;
    for (int32_t x = range.x1; x <= range.x2; ++x)
        for (int32_t y = range.y1; y <= range.y2; ++y)
            if (InDisk(x, y, xm, ym, r))
                fits &= Apply(operation, At(x, y), value);
    return fits;
}

// Within one grid the visiting order makes every source cell read before it
// is overwritten: columns from the right when the block moves right, rows
// from the bottom when it moves down.
bool CDS_Grid::GridOperation(EGridOperation operation, const CDS_Grid& source, int64_t x1, int64_t y1, int64_t x2,
                             int64_t y2, int64_t xpos, int64_t ypos)
{
    RCellRange from;
    if (!ClampRange(x1, y1, x2, y2, source.i_w, source.i_h, from))
        return true;
    if (!PlaceSide(from.x1, from.x2, xpos, i_w) || !PlaceSide(from.y1, from.y2, ypos, i_h))
        return true;
    const int32_t columns = from.x2 - from.x1 + 1;
    const int32_t rows = from.y2 - from.y1 + 1;
    const bool descendingX = from.x1 < xpos;
    const bool descendingY = from.y1 < ypos;
    const int32_t toX = static_cast<int32_t>(xpos);
    const int32_t toY = static_cast<int32_t>(ypos);
    bool fits = true;
    for (int32_t i = 0; i < columns; ++i) {
        const int32_t dx = descendingX ? columns - 1 - i : i;
        for (int32_t j = 0; j < rows; ++j) {
            const int32_t dy = descendingY ? rows - 1 - j : j;
            fits &= Apply(operation, At(toX + dx, toY + dy), source.At(from.x1 + dx, from.y1 + dy));
        }
    }
    return fits;
}

namespace {

void Count(RGridStatistics& statistics, const RValue& cell)
{
    if (cell.kind != VALUE_REAL)
        return;
    statistics.sum += cell.val;
    if (cell.val > statistics.max)
        statistics.max = cell.val;
    if (cell.val < statistics.min)
        statistics.min = cell.val;
    ++statistics.count;
}

} // namespace

RGridStatistics CDS_Grid::RegionStatistics(int64_t x1, int64_t y1, int64_t x2, int64_t y2) const
{
    RGridStatistics statistics;
    RCellRange range;
    if (ClampRange(x1, y1, x2, y2, i_w, i_h, range))
        for (int32_t x = range.x1; x <= range.x2; ++x)
            for (int32_t y = range.y1; y <= range.y2; ++y)
                Count(statistics, At(x, y));
    return statistics;
}

RGridStatistics CDS_Grid::DiskStatistics(double xm, double ym, double r) const
{
    RGridStatistics statistics;
    RCellRange range;
    if (DiskRange(xm, ym, r, range))
        for (int32_t x = range.x1; x <= range.x2; ++x)
            for (int32_t y = range.y1; y <= range.y2; ++y)
                if (InDisk(x, y, xm, ym, r))
                    Count(statistics, At(x, y));
    return statistics;
}

bool CDS_Grid::FindInRegion(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const RValue& value, int64_t& x,
                            int64_t& y) const
{
    RCellRange range;
    if (ClampRange(x1, y1, x2, y2, i_w, i_h, range))
        for (int32_t i = range.x1; i <= range.x2; ++i)
            for (int32_t j = range.y1; j <= range.y2; ++j)
                if (Ds_Equal(At(i, j), value)) {
                    x = i;
                    y = j;
                    return true;
                }
    return false;
}

bool CDS_Grid::FindInDisk(double xm, double ym, double r, const RValue& value, int64_t& x, int64_t& y) const
{
    RCellRange range;
    if (DiskRange(xm, ym, r, range))
        for (int32_t i = range.x1; i <= range.x2; ++i)
            for (int32_t j = range.y1; j <= range.y2; ++j)
                if (InDisk(i, j, xm, ym, r) && Ds_Equal(At(i, j), value)) {
                    x = i;
                    y = j;
                    return true;
                }
    return false;
}

void CDS_Grid::Shuffle()
{
    const uint64_t swaps = uint64_t(8) * static_cast<uint64_t>(i_w) * static_cast<uint64_t>(i_h);
    const uint32_t w = static_cast<uint32_t>(i_w);
    const uint32_t h = static_cast<uint32_t>(i_h);
    for (uint64_t k = 0; k < swaps; ++k) {
        const int32_t ax = static_cast<int32_t>(Random_Below(w));
        const int32_t ay = static_cast<int32_t>(Random_Below(h));
        const int32_t bx = static_cast<int32_t>(Random_Below(w));
        const int32_t by = static_cast<int32_t>(Random_Below(h));
        std::swap(At(ax, ay), At(bx, by));
    }
}

size_t CDS_Grid::StoredSize() const
{
    size_t bytes = 8;
    for (const RValue& value : i_val)
        bytes += Ds_StoredSize(value);
    return bytes;
}

void CDS_Grid::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(i_w);
    stream.WriteInteger(i_h);
    for (const RValue& value : i_val)
        Ds_WriteValue(stream, value);
}

void CDS_Grid::ReadFromStream(CStream& stream)
{
    const int32_t w = stream.ReadInteger();
    const int32_t h = stream.ReadInteger();
    if (!IsValidSize(w, h))
        throw EStreamError("the grid's size is not valid");
    const size_t cells = static_cast<size_t>(w) * static_cast<size_t>(h);
    if (cells > (stream.Size() - stream.Position()) / kStoredValueBytes)
        throw EStreamError("the grid's cells do not fit the text");
    std::vector<RValue> values(cells);
    for (RValue& value : values)
        Ds_ReadValue(stream, value);
    i_val.swap(values);
    i_w = w;
    i_h = h;
}
