// CDS_Map: values under keys for the ds_map_* built-ins. Entries are kept
// in a tree ordered by the data structures' comparison, so finding, adding
// and deleting take logarithmic time; equal keys may occur several times,
// the oldest first.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"
#include "library/DsValues.h"

#include <map>
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
    RValue FindFirst() const { return Empty() ? RValue() : i_entries.begin()->first; }
    RValue FindLast() const { return Empty() ? RValue() : i_entries.rbegin()->first; }
    bool Empty() const { return i_entries.empty(); }
    size_t Size() const { return i_entries.size(); }

    // Stored form: count, then all keys in order, then all values in order.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    // The tree only walks down by this and never rebalances by it, so keys
    // that compare equal within the precision cannot upset its structure.
    struct RKeyOrder {
        bool operator()(const RValue& a, const RValue& b) const { return Ds_Compare(a, b) < 0; }
    };
    using TEntries = std::multimap<RValue, RValue, RKeyOrder>;
    // The first of the keys equal to key; end() when there is none.
    template <class TTree>
    static auto Locate(TTree& entries, const RValue& key)
    {
        const auto at = entries.lower_bound(key);
        return at != entries.end() && Ds_Equal(at->first, key) ? at : entries.end();
    }

    TEntries i_entries; // a new key goes after the keys equal to it
};
