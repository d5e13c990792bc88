// The priority queue's scans and removals, and its stored form.
#include "library/DsPriority.h"

#include "library/DsValues.h"

size_t CDS_Priority::Locate(const RValue& value) const
{
    for (size_t k = 0; k < i_entries.size(); ++k)
        if (Ds_Equal(i_entries[k].value, value))
            return k;
    return i_entries.size();
}

size_t CDS_Priority::Extreme(int wantedOrder) const
{
    if (i_entries.empty())
        return 0;
    size_t best = 0;
    for (size_t k = 1; k < i_entries.size(); ++k)
        if (Ds_Compare(i_entries[k].priority, i_entries[best].priority) == wantedOrder)
            best = k;
    return best;
}

// The last entry fills the gap, so no other entry moves.
RValue CDS_Priority::Remove(size_t at)
{
    RValue value = std::move(i_entries[at].value);
    if (at + 1 != i_entries.size())
        i_entries[at] = std::move(i_entries.back());
    i_entries.pop_back();
    return value;
}

void CDS_Priority::Change(const RValue& value, const RValue& priority)
{
    const size_t at = Locate(value);
    if (at < i_entries.size())
        i_entries[at].priority = priority;
}

RValue CDS_Priority::Find(const RValue& value) const
{
    const size_t at = Locate(value);
    return at < i_entries.size() ? i_entries[at].priority : RValue();
}

void CDS_Priority::Delete(const RValue& value)
{
    const size_t at = Locate(value);
    if (at < i_entries.size())
        Remove(at);
}

RValue CDS_Priority::FindMin() const
{
    return Empty() ? RValue() : i_entries[Extreme(-1)].value;
}

RValue CDS_Priority::DeleteMin()
{
    return Empty() ? RValue() : Remove(Extreme(-1));
}

RValue CDS_Priority::FindMax() const
{
    return Empty() ? RValue() : i_entries[Extreme(1)].value;
}

RValue CDS_Priority::DeleteMax()
{
    return Empty() ? RValue() : Remove(Extreme(1));
}

size_t CDS_Priority::StoredSize() const
{
    size_t bytes = 4;
    for (const REntry& entry : i_entries)
        bytes += Ds_StoredSize(entry.value) + Ds_StoredSize(entry.priority);
    return bytes;
}

void CDS_Priority::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_entries.size()));
    for (const REntry& entry : i_entries)
        Ds_WriteValue(stream, entry.priority);
    for (const REntry& entry : i_entries)
        Ds_WriteValue(stream, entry.value);
}

void CDS_Priority::ReadFromStream(CStream& stream)
{
    std::vector<REntry> entries(Ds_ReadCount(stream, 2 * kStoredValueBytes));
    for (REntry& entry : entries)
        Ds_ReadValue(stream, entry.priority);
    for (REntry& entry : entries)
        Ds_ReadValue(stream, entry.value);
    i_entries.swap(entries);
}
