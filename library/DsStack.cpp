// The stack's operations and its stored form.
#include "library/DsStack.h"

#include "library/DsValues.h"

RValue CDS_Stack::Pop()
{
    if (i_val.empty())
        return RValue();
    RValue top = std::move(i_val.back());
    i_val.pop_back();
    return top;
}

size_t CDS_Stack::StoredSize() const
{
    size_t bytes = 4;
    for (const RValue& value : i_val)
        bytes += Ds_StoredSize(value);
    return bytes;
}

void CDS_Stack::WriteToStream(CStream& stream) const
{
    stream.WriteInteger(static_cast<int32_t>(i_val.size()));
    for (const RValue& value : i_val)
        Ds_WriteValue(stream, value);
}

void CDS_Stack::ReadFromStream(CStream& stream)
{
    std::vector<RValue> values(Ds_ReadCount(stream, kStoredValueBytes));
    for (RValue& value : values)
        Ds_ReadValue(stream, value);
    i_val.swap(values);
}
