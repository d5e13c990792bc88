// The map's searches and its stored form.
#include "library/DsMap.h"

#include <iterator>

void CDS_Map::Add(const RValue& key, const RValue& value)
{
    i_entries.emplace(key, value);
}

void CDS_Map::Replace(const RValue& key, const RValue& value)
{
    const auto at = Locate(i_entries, key);
    if (at != i_entries.end())
        at->second = value;
}

void CDS_Map::Delete(const RValue& key)
{
    const auto at = Locate(i_entries, key);
    if (at != i_entries.end())
        i_entries.erase(at);
}

bool CDS_Map::Exists(const RValue& key) const
{
    return Locate(i_entries, key) != i_entries.end();
}

RValue CDS_Map::Find(const RValue& key) const
{
    const auto at = Locate(i_entries, key);
    return at != i_entries.end() ? at->second : RValue();
}

RValue CDS_Map::FindPrevious(const RValue& key) const
{
    const auto at = i_entries.lower_bound(key);
    return at != i_entries.begin() ? std::prev(at)->first : RValue();
}

RValue CDS_Map::FindNext(const RValue& key) const
{
    const auto at = i_entries.upper_bound(key);
    return at != i_entries.end() ? at->first : RValue();
}

size_t CDS_Map::StoredSize() const
{
    size_t bytes = 4;
    for (const auto& [key, value] : i_entries)
        bytes += Ds_StoredSize(key) + Ds_StoredSize(value);
    return bytes;
}

void CDS_Map::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_entries.size()));
    for (const auto& entry : i_entries)
        Ds_WriteValue(stream, entry.first);
    for (const auto& entry : i_entries)
        Ds_WriteValue(stream, entry.second);
}

// A text written under another precision (or edited by hand) may hold keys
// out of our order; each key still goes where a search will find it, and
// keys in order (the usual case) are added at the end in constant time.
void CDS_Map::ReadFromStream(CStream& stream)
{
    std::vector<RValue> keys(Ds_ReadCount(stream, 2 * kStoredValueBytes));
    for (RValue& key : keys)
        Ds_ReadValue(stream, key);
    TEntries read;
    for (RValue& key : keys) {
        RValue value;
        Ds_ReadValue(stream, value);
        read.emplace_hint(read.end(), std::move(key), std::move(value));
    }
    i_entries.swap(read);
}
