// Building and asking the candidate index.
#include "motion/CandidateIndex.h"

#include "motion/PlacedMask.h"
#include "world/Instance.h"
#include "world/InstanceList.h"

#include <algorithm>

namespace {

bool Meets(const RBox& a, const RBox& b)
{
    return b.left <= a.right && a.left <= b.right && b.top <= a.bottom && a.top <= b.bottom;
}

} // namespace

void CCandidateIndex::Build(const CInstanceLists& lists, int32_t objectindex)
{
    c_entries.clear();
    c_wide.clear();
    c_widest = 0;
    int32_t count = lists.Obj_Number(objectindex);
    for (int32_t k = 0; k < count; ++k) {
        const CInstance* instance = lists.Obj_Instance(objectindex, k);
        if (!instance || instance->i_marked || !HasCollisionMask(*instance))
            continue;
        const RBox& box = instance->i_bbox;
        int64_t width = int64_t(box.right) - box.left;
        if (width >= kWide) {
            c_wide.push_back(REntry{box, k});
            continue;
        }
        c_entries.push_back(REntry{box, k});
        c_widest = std::max(c_widest, width);
    }
    std::sort(c_entries.begin(), c_entries.end(),
              [](const REntry& a, const REntry& b) { return a.box.left < b.box.left; });
}

void CCandidateIndex::Find(const RBox& box, int32_t first, int32_t end, std::vector<int32_t>& out) const
{
    out.clear();
    // Every entry that meets box has left >= box.left - widest.
    int64_t from = int64_t(box.left) - c_widest;
    auto it = std::lower_bound(c_entries.begin(), c_entries.end(), from,
                               [](const REntry& e, int64_t value) { return e.box.left < value; });
    for (; it != c_entries.end() && it->box.left <= box.right; ++it)
        if (it->position >= first && it->position < end && Meets(box, it->box))
            out.push_back(it->position);
    for (const REntry& e : c_wide)
        if (e.position >= first && e.position < end && Meets(box, e.box))
            out.push_back(e.position);
    std::sort(out.begin(), out.end());
}
