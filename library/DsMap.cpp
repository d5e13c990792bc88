// The map's searches, which keep it sorted, and its stored form.
#include "library/DsMap.h"

#include "library/DsValues.h"

namespace {

// The first index of [0, size) whose entry satisfies isPast, for a
// predicate that holds from some index on: binary search while more than 8
// entries remain, then a linear walk.
template <class TEntries, class TPredicate>
size_t FirstWhere(const TEntries& entries, TPredicate isPast)
{
    size_t low = 0;
    size_t high = entries.size();
    while (high - low > 8) {
        const size_t middle = low + (high - low) / 2;
        if (isPast(entries[middle]))
            high = middle;
        else
            low = middle + 1;
    }
    while (low < high && !isPast(entries[low]))
        ++low;
    return low;
}

} // namespace

size_t CDS_Map::LowerBound(const RValue& key) const
{
    return FirstWhere(i_entries, [&](const REntry& entry) { return Ds_Compare(entry.key, key) >= 0; });
}

size_t CDS_Map::UpperBound(const RValue& key) const
{
    return FirstWhere(i_entries, [&](const REntry& entry) { return Ds_Compare(entry.key, key) > 0; });
}

size_t CDS_Map::Locate(const RValue& key) const
{
    const size_t at = LowerBound(key);
    return at < i_entries.size() && Ds_Equal(i_entries[at].key, key) ? at : i_entries.size();
}

void CDS_Map::Add(const RValue& key, const RValue& value)
{
    i_entries.insert(i_entries.begin() + static_cast<ptrdiff_t>(UpperBound(key)), REntry{key, value});
}

void CDS_Map::Replace(const RValue& key, const RValue& value)
{
    const size_t at = Locate(key);
    if (at < i_entries.size())
        i_entries[at].value = value;
}

void CDS_Map::Delete(const RValue& key)
{
    const size_t at = Locate(key);
    if (at < i_entries.size())
        i_entries.erase(i_entries.begin() + static_cast<ptrdiff_t>(at));
}

bool CDS_Map::Exists(const RValue& key) const
{
    return Locate(key) < i_entries.size();
}

RValue CDS_Map::Find(const RValue& key) const
{
    const size_t at = Locate(key);
    return at < i_entries.size() ? i_entries[at].value : RValue();
}

RValue CDS_Map::FindPrevious(const RValue& key) const
{
    const size_t at = LowerBound(key);
    return at > 0 ? i_entries[at - 1].key : RValue();
}

RValue CDS_Map::FindNext(const RValue& key) const
{
    const size_t at = UpperBound(key);
    return at < i_entries.size() ? i_entries[at].key : RValue();
}

size_t CDS_Map::StoredSize() const
{
    size_t bytes = 4;
    for (const REntry& entry : i_entries)
        bytes += Ds_StoredSize(entry.key) + Ds_StoredSize(entry.value);
    return bytes;
}

void CDS_Map::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_entries.size()));
    for (const REntry& entry : i_entries)
        Ds_WriteValue(stream, entry.key);
    for (const REntry& entry : i_entries)
        Ds_WriteValue(stream, entry.value);
}

// A text written under another precision (or edited by hand) may hold keys
// out of our order; adding them one by one puts each where a search will
// find it, and keeps a sorted text exactly as it was.
void CDS_Map::ReadFromStream(CStream& stream)
{
    std::vector<RValue> keys(Ds_ReadCount(stream, 2 * kStoredValueBytes));
    for (RValue& key : keys)
        Ds_ReadValue(stream, key);
    CDS_Map read;
    read.i_entries.reserve(keys.size());
    for (RValue& key : keys) {
        RValue value;
        Ds_ReadValue(stream, value);
        if (read.i_entries.empty() || Ds_Compare(read.i_entries.back().key, key) <= 0)
            read.i_entries.push_back(REntry{std::move(key), std::move(value)});
        else
            read.Add(key, value);
    }
    i_entries.swap(read.i_entries);
}
