// CTimeLine: a time line resource as stored: moments, each a step number
// with an action list, kept in the order they were stored.
#pragma once

#include "data/Event.h"

#include <cstdint>
#include <vector>

class CStream;

class CTimeLine {
public:
    static constexpr int32_t kVersion = 500;

    std::vector<int32_t> s_step;  // the step of each moment
    std::vector<CEvent> s_event; // the actions of each moment

    int Count() const { return static_cast<int>(s_step.size()); }

    void Clear() { *this = CTimeLine(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CTimeLine&) const = default;
};
