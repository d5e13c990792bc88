// Building and asking the candidate index.
#include "motion/CandidateIndex.h"

#include "world/Instance.h"
#include "world/InstanceList.h"

#include <algorithm>

namespace {

constexpr int64_t kLeastBand = 16;

bool Meets(const RBox& a, const RBox& b)
{
    return b.left <= a.right && a.left <= b.right && b.top <= a.bottom && a.top <= b.bottom;
}

// Division rounding down, also for the negative coordinates left of and
// above the room.
int64_t FloorDivide(int64_t value, int64_t divisor)
{
    int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

void CCandidateIndex::Build(const CInstanceLists& lists, int32_t objectindex)
{
    c_lists = &lists;
    c_object = objectindex;
    c_entries.clear();
    c_huge.clear();
    c_refreshed.clear();
    c_widest = c_tallest = 0;
    int32_t count = lists.Obj_Number(objectindex);
    for (int32_t k = 0; k < count; ++k) {
        const CInstance* instance = lists.Obj_Instance(objectindex, k);
        // Instances without a mask stay in: one may gain a mask without
        // changing its box, when a script gives its sprite images.
        if (!instance || instance->i_marked)
            continue;
        const RBox& box = instance->i_bbox;
        int64_t width = int64_t(box.right) - box.left, height = int64_t(box.bottom) - box.top;
        if (width >= kHuge || height >= kHuge) {
            c_huge.push_back(REntry{box, k, 0});
            continue;
        }
        c_entries.push_back(REntry{box, k, 0});
        c_widest = std::max(c_widest, width);
        c_tallest = std::max(c_tallest, height);
    }
    c_band = std::max(kLeastBand, c_tallest + 1);
    for (REntry& e : c_entries)
        e.band = FloorDivide(e.box.top, c_band);
    std::sort(c_entries.begin(), c_entries.end(), [](const REntry& a, const REntry& b) {
        return a.band != b.band ? a.band < b.band : a.box.left < b.box.left;
    });
}

void CCandidateIndex::Refresh(int32_t position, const RBox& box)
{
    for (REntry& e : c_refreshed)
        if (e.position == position) {
            e.box = box;
            return;
        }
    if (c_refreshed.size() >= kMaxRefreshed && c_lists) {
        Build(*c_lists, c_object);
        return;
    }
    c_refreshed.push_back(REntry{box, position, 0});
}

void CCandidateIndex::Find(const RBox& box, int32_t first, int32_t end, std::vector<int32_t>& out) const
{
    out.clear();
    auto take = [&](const REntry& e) {
        if (e.position >= first && e.position < end && Meets(box, e.box))
            out.push_back(e.position);
    };
    // An entry that meets box has its top within the tallest height above
    // box's top and its left within the widest width left of box's left.
    int64_t firstBand = FloorDivide(int64_t(box.top) - c_tallest, c_band);
    int64_t lastBand = FloorDivide(box.bottom, c_band);
    if (lastBand - firstBand >= kMaxBands) {
        for (const REntry& e : c_entries)
            take(e);
    } else {
        int64_t from = int64_t(box.left) - c_widest;
        for (int64_t band = firstBand; band <= lastBand; ++band) {
            auto it = std::lower_bound(c_entries.begin(), c_entries.end(), band, [&](const REntry& e, int64_t b) {
                return e.band != b ? e.band < b : e.box.left < from;
            });
            for (; it != c_entries.end() && it->band == band && it->box.left <= box.right; ++it)
                take(*it);
        }
    }
    for (const REntry& e : c_huge)
        take(e);
    // A refreshed instance may also match by its old box.
    for (const REntry& e : c_refreshed)
        take(e);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}
