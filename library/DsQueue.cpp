// The queue's operations, the moving of its entries back to the front, and
// its stored form.
#include "library/DsQueue.h"

#include "library/DsValues.h"

#include <algorithm>

namespace {

constexpr size_t kGrowth = 16;

} // namespace

void CDS_Queue::Clear()
{
    i_val.clear();
    i_first = 0;
    i_last = 0;
}

void CDS_Queue::Enqueue(const RValue& value)
{
    if (i_first == i_val.size())
        i_val.resize(i_val.size() + kGrowth);
    i_val[i_first++] = value;
}

// Spent slots are emptied at once so their strings are freed. Once more than
// 16 entries are spent and they make up over half the used part, the rest
// moves to the front.
RValue CDS_Queue::Dequeue()
{
    if (Empty())
        return RValue();
    RValue head = std::move(i_val[i_last]);
    i_val[i_last] = RValue();
    ++i_last;
    if (i_last > kGrowth && i_last > i_first / 2) {
        std::move(i_val.begin() + static_cast<ptrdiff_t>(i_last), i_val.begin() + static_cast<ptrdiff_t>(i_first),
                  i_val.begin());
        std::fill(i_val.begin() + static_cast<ptrdiff_t>(i_first - i_last),
                  i_val.begin() + static_cast<ptrdiff_t>(i_first), RValue());
        i_first -= i_last;
        i_last = 0;
    }
    return head;
}

size_t CDS_Queue::StoredSize() const
{
    size_t bytes = 12;
    for (const RValue& value : i_val)
        bytes += Ds_StoredSize(value);
    return bytes;
}

void CDS_Queue::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_first));
    stream.WriteInteger(static_cast<int32_t>(i_last));
    stream.WriteInteger(static_cast<int32_t>(i_val.size()));
    for (const RValue& value : i_val)
        Ds_WriteValue(stream, value);
}

void CDS_Queue::ReadFromStream(CStream& stream)
{
    const int32_t first = stream.ReadInteger();
    const int32_t last = stream.ReadInteger();
    std::vector<RValue> values(Ds_ReadCount(stream, kStoredValueBytes));
    if (last < 0 || first < last || static_cast<size_t>(first) > values.size())
        throw EStreamError("the queue's indices lie outside its array");
    for (RValue& value : values)
        Ds_ReadValue(stream, value);
    i_val.swap(values);
    i_first = static_cast<size_t>(first);
    i_last = static_cast<size_t>(last);
}
