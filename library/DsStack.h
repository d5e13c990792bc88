// CDS_Stack: a last-in first-out stack of values for the ds_stack_*
// built-ins, stored bottom first.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <vector>

class CDS_Stack {
public:
    static constexpr int32_t kStoredKind = 101;
    static constexpr const char* kKindName = "stack";

    void Clear() { i_val.clear(); }
    void Push(const RValue& value) { i_val.push_back(value); }
    // The top value, removed; the real 0 when empty.
    RValue Pop();
    RValue Top() const { return i_val.empty() ? RValue() : i_val.back(); }
    bool Empty() const { return i_val.empty(); }
    size_t Size() const { return i_val.size(); }

    // Stored form: count, then the values from bottom to top.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    std::vector<RValue> i_val;
};
