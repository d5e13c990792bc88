// CDS_Queue: a first-in first-out queue of values for the ds_queue_*
// built-ins. The queued entries sit in one array between a head index and an
// end index; the whole array, spent and spare slots included, is part of the
// stored form, so its length is kept exactly as the stored files expect.
#pragma once

#include "code/Value.h"
#include "data/Stream.h"

#include <vector>

class CDS_Queue {
public:
    static constexpr int32_t kStoredKind = 201;
    static constexpr const char* kKindName = "queue";

    void Clear();
    void Enqueue(const RValue& value);
    // The oldest value, removed; the real 0 when empty.
    RValue Dequeue();
    RValue Head() const { return Empty() ? RValue() : i_val[i_last]; }
    RValue Tail() const { return Empty() ? RValue() : i_val[i_first - 1]; }
    bool Empty() const { return i_first == i_last; }
    size_t Size() const { return i_first - i_last; }

    // Stored form: end index, head index, array length, then every slot.
    size_t StoredSize() const;
    void WriteToStream(CStream& stream) const;
    void ReadFromStream(CStream& stream);

private:
    std::vector<RValue> i_val; // grows 16 slots at a time
    size_t i_first = 0;        // one past the newest entry
    size_t i_last = 0;         // the oldest entry (the head)
};
