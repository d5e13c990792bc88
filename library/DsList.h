// CDS_List: an ordered list of values for the ds_list_* built-ins, with
// search, sorting and shuffling by the data structures' comparison rule.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <cstdint>
#include <vector>

class CDS_List {
public:
    static constexpr int32_t kStoredKind = 301;
    static constexpr const char* kKindName = "list";

    void Clear() { i_val.clear(); }
    void Add(const RValue& value) { i_val.push_back(value); }
    // Positions outside the list do nothing: 0 to size for Insert, below size for the others.
    void Insert(int64_t position, const RValue& value);
    void Replace(int64_t position, const RValue& value);
    void Delete(int64_t position);
    bool Empty() const { return i_val.empty(); }
    size_t Size() const { return i_val.size(); }
    // The first position whose value compares equal, -1 when none does.
    int64_t Find(const RValue& value) const;
    // The real 0 outside the list.
    RValue GetValue(int64_t position) const;
    // Ascending keeps equal values in their order; descending reverses
    // their order. Reals come before strings.
    void Sort(bool ascending);
    // 8 × size swaps of two positions drawn from the shared random generator.
    void Shuffle();

    // Stored form: count, then the values in order.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    bool Holds(int64_t position) const { return position >= 0 && static_cast<uint64_t>(position) < i_val.size(); }

    std::vector<RValue> i_val;
};
