// The list's operations, its sort and shuffle, and its stored form.
#include "library/DsList.h"

#include "library/DsValues.h"
#include "library/Random.h"

#include <algorithm>
#include <utility>

namespace {

// Stable merge sort; mustPrecede(right, left) says that an element of the
// right run goes before one of the left run. Unlike std::stable_sort this
// needs no strict weak order, which comparing reals within a precision is not.
template <class TPrecedes>
void MergeSort(std::vector<RValue>& values, std::vector<RValue>& buffer, size_t first, size_t last,
               TPrecedes mustPrecede)
{
    if (last - first < 2)
        return;
    const size_t middle = first + (last - first) / 2;
    MergeSort(values, buffer, first, middle, mustPrecede);
    MergeSort(values, buffer, middle, last, mustPrecede);
    if (!mustPrecede(values[middle], values[middle - 1]))
        return; // the runs are already in order
    size_t left = first;
    size_t right = middle;
    size_t out = first;
    while (left < middle && right < last)
        buffer[out++] = mustPrecede(values[right], values[left]) ? std::move(values[right++])
                                                                 : std::move(values[left++]);
    while (left < middle)
        buffer[out++] = std::move(values[left++]);
    while (right < last)
        buffer[out++] = std::move(values[right++]);
    std::move(buffer.begin() + static_cast<ptrdiff_t>(first), buffer.begin() + static_cast<ptrdiff_t>(last),
              values.begin() + static_cast<ptrdiff_t>(first));
}

} // namespace

void CDS_List::Insert(int64_t position, const RValue& value)
{
    if (position < 0 || static_cast<uint64_t>(position) > i_val.size())
        return;
    i_val.insert(i_val.begin() + static_cast<ptrdiff_t>(position), value);
}

void CDS_List::Replace(int64_t position, const RValue& value)
{
    if (Holds(position))
        i_val[static_cast<size_t>(position)] = value;
}

void CDS_List::Delete(int64_t position)
{
    if (Holds(position))
        i_val.erase(i_val.begin() + static_cast<ptrdiff_t>(position));
}

int64_t CDS_List::Find(const RValue& value) const
{
    for (size_t k = 0; k < i_val.size(); ++k)
        if (Ds_Equal(i_val[k], value))
            return static_cast<int64_t>(k);
    return -1;
}

RValue CDS_List::GetValue(int64_t position) const
{
    return Holds(position) ? i_val[static_cast<size_t>(position)] : RValue();
}

// The order is that of an insertion sort which moves a value left past every
// neighbour that compares greater (ascending) or not greater (descending).
// Descending is therefore a stable descending sort of the reversed list.
void CDS_List::Sort(bool ascending)
{
    std::vector<RValue> buffer(i_val.size());
    if (ascending) {
        MergeSort(i_val, buffer, 0, i_val.size(),
                  [](const RValue& right, const RValue& left) { return Ds_Compare(left, right) > 0; });
    } else {
        std::reverse(i_val.begin(), i_val.end());
        MergeSort(i_val, buffer, 0, i_val.size(),
                  [](const RValue& right, const RValue& left) { return Ds_Compare(left, right) < 0; });
    }
}

void CDS_List::Shuffle()
{
    const uint32_t size = static_cast<uint32_t>(std::min<size_t>(i_val.size(), UINT32_MAX));
    for (uint64_t swap = 0; swap < uint64_t(8) * size; ++swap) {
        const uint32_t a = Random_Below(size);
        const uint32_t b = Random_Below(size);
        std::swap(i_val[a], i_val[b]);
    }
}

size_t CDS_List::StoredSize() const
{
    size_t bytes = 4;
    for (const RValue& value : i_val)
        bytes += Ds_StoredSize(value);
    return bytes;
}

void CDS_List::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_val.size()));
    for (const RValue& value : i_val)
        Ds_WriteValue(stream, value);
}

void CDS_List::ReadFromStream(CStream& stream)
{
    std::vector<RValue> values(Ds_ReadCount(stream, kStoredValueBytes));
    for (RValue& value : values)
        Ds_ReadValue(stream, value);
    i_val.swap(values);
}
