// CDS_Map: values under keys for the ds_map_* built-ins. Entries are kept
// sorted by key with the data structures' comparison, so keys are found by
// binary search; equal keys may occur several times, the oldest first.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <vector>

class CDS_Map {
public:
    static constexpr int32_t kStoredKind = 401;
    static constexpr const char* kKindName = "map";

    void Clear() { i_entries.clear(); }
    // Goes after every key that compares equal: duplicates are kept.
    void Add(const RValue& key, const RValue& value);
    // These act on the first of the keys that compare equal, if any.
    void Replace(const RValue& key, const RValue& value);
    void Delete(const RValue& key);
    bool Exists(const RValue& key) const;
    // The value, the real 0 when the key is missing.
    RValue Find(const RValue& key) const;
    // The key before the first one not less than key (the last key when all
    // are less), and the key after the last one not greater than key; the
    // real 0 when there is none.
    RValue FindPrevious(const RValue& key) const;
    RValue FindNext(const RValue& key) const;
    RValue FindFirst() const { return Empty() ? RValue() : i_entries.front().key; }
    RValue FindLast() const { return Empty() ? RValue() : i_entries.back().key; }
    bool Empty() const { return i_entries.empty(); }
    size_t Size() const { return i_entries.size(); }

    // Stored form: count, then all keys in order, then all values in order.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    struct REntry {
        RValue key;
        RValue value;
    };
    // The first entry whose key does not compare less than key.
    size_t LowerBound(const RValue& key) const;
    // The first entry whose key compares greater than key: one past the last
    // one that does not.
    size_t UpperBound(const RValue& key) const;
    // The entry of the first key equal to key; Size() when there is none.
    size_t Locate(const RValue& key) const;

    std::vector<REntry> i_entries; // sorted by key
};
