// The instances of one object whose boxes can meet a given box, found without
// testing every instance: the collision stage asks this for every instance of
// the first object of a pair, so testing all pairs would be quadratic in the
// room's size. The room is cut into bands as high as the tallest entry; the
// entries are sorted by the band of their top edge, then by left edge, so a
// query looks at a few bands and in each only at entries whose left edge
// lies within the widest entry's width of the box.
//
// The index may name more instances than meet the box (its callers test
// each one), never fewer: after anything that may have moved, made or
// reordered instances it must be rebuilt, or told the new box of each
// instance that moved.
#pragma once

#include "data/Mask.h"

#include <cstdint>
#include <vector>

class CInstanceLists;

class CCandidateIndex {
public:
    // Takes the unmarked instances of the object's own list.
    void Build(const CInstanceLists& lists, int32_t objectindex);
    // The instance at a list position now has this box. After many such
    // changes the index rebuilds itself from the lists given to Build.
    void Refresh(int32_t position, const RBox& box);
    // Replaces out with the list positions in [first, end) whose boxes meet
    // box (edges inclusive), ascending, each once; possibly a few more.
    void Find(const RBox& box, int32_t first, int32_t end, std::vector<int32_t>& out) const;

private:
    struct REntry {
        RBox box;
        int32_t position;
        int64_t band; // of the top edge
    };
    // Boxes this wide or high or more are kept apart, so that one huge
    // instance does not widen the search window for all the others.
    static constexpr int64_t kHuge = 1024;
    // A query spanning more bands than this looks at every entry instead.
    static constexpr int64_t kMaxBands = 64;
    // Refreshed entries are searched one by one; past this many, rebuild.
    static constexpr size_t kMaxRefreshed = 32;

    const CInstanceLists* c_lists = nullptr;
    int32_t c_object = -1;
    std::vector<REntry> c_entries;   // by band, then by left edge
    std::vector<REntry> c_huge;      // in list order
    std::vector<REntry> c_refreshed; // boxes newer than their entries above
    int64_t c_widest = 0;            // right - left of the widest entry in c_entries
    int64_t c_tallest = 0;           // bottom - top of the tallest
    int64_t c_band = 1;              // the band height, more than c_tallest
};
