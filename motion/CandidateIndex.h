// The instances of one object whose boxes can meet a given box, found without
// testing every instance: the collision stage asks this for every instance of
// the first object of a pair, so testing all pairs would be quadratic in the
// room's size. Entries are sorted by left edge; a query looks only at those
// whose left edge lies within the widest entry's width of the box.
//
// The index is a snapshot of the boxes: rebuild it after anything that may
// have moved, created, destroyed or reordered instances (any event).
#pragma once

#include "data/Mask.h"

#include <cstdint>
#include <vector>

class CInstanceLists;

class CCandidateIndex {
public:
    // Takes the instances of the object's own list that can meet anything
    // precisely: unmarked and with a collision mask.
    void Build(const CInstanceLists& lists, int32_t objectindex);
    // Replaces out with the list positions in [first, end) whose boxes meet
    // box (edges inclusive), in ascending order.
    void Find(const RBox& box, int32_t first, int32_t end, std::vector<int32_t>& out) const;

private:
    struct REntry {
        RBox box;
        int32_t position;
    };
    // Boxes this wide or wider are kept apart, so that one huge instance
    // does not widen the search window for all the others.
    static constexpr int64_t kWide = 1024;

    std::vector<REntry> c_entries; // by left edge
    std::vector<REntry> c_wide;    // in list order
    int64_t c_widest = 0;          // right - left of the widest entry in c_entries
};
