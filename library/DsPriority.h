// CDS_Priority: values with priorities for the ds_priority_* built-ins, in
// no particular order. Adding is constant time; the extremes are found by a
// scan in storage order, which decides between equal priorities, so the
// storage order (a removal moves the last entry into the gap) is kept exactly.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <vector>

class CDS_Priority {
public:
    static constexpr int32_t kStoredKind = 501;
    static constexpr const char* kKindName = "priority";

    void Clear() { i_entries.clear(); }
    void Add(const RValue& value, const RValue& priority) { i_entries.push_back(REntry{value, priority}); }
    // These act on the first entry, in storage order, whose value compares equal.
    void Change(const RValue& value, const RValue& priority);
    RValue Find(const RValue& value) const; // its priority; the real 0 when none
    void Delete(const RValue& value);
    // The value of the first entry with the smallest (largest) priority; the
    // Delete forms also remove it. The real 0 when empty.
    RValue FindMin() const;
    RValue DeleteMin();
    RValue FindMax() const;
    RValue DeleteMax();
    bool Empty() const { return i_entries.empty(); }
    size_t Size() const { return i_entries.size(); }

    // Stored form: count, then all priorities, then all values.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    struct REntry {
        RValue value;
        RValue priority;
    };
    size_t Locate(const RValue& value) const;      // Size() when none
    size_t Extreme(int wantedOrder) const;         // -1 smallest, 1 largest; Size() when empty
    RValue Remove(size_t at);

    std::vector<REntry> i_entries;
};
