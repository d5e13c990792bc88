// CObject: an object resource as stored: what new instances start with
// (sprite, mask, depth, flags), the parent, and the events by type and
// number. Event lookup through parents and dispatch are built on it elsewhere.
#pragma once

#include "data/Event.h"

#include <array>
#include <cstdint>
#include <map>

class CStream;

class CObject {
public:
    static constexpr int32_t kVersion = 430;

    int32_t o_spriteindex = -1;
    bool o_solid = false;
    bool o_visible = true;
    int32_t o_depth = 0;
    bool o_persistent = false;
    int32_t o_parent = -1;
    int32_t o_mask = -1; // -1: the instance's own sprite is the mask
    // Per event type, the events by number. Keyed rather than indexed: event
    // numbers such as collision object indices are sparse, and a damaged
    // number must not make a list of billions of entries.
    std::array<std::map<int32_t, CEvent>, kEventTypeCount> o_events;

    // The event (type, number), made empty when absent; nullptr for a type
    // outside 0..11 or a negative number.
    CEvent* CreateEvent(int32_t etype, int32_t enumb);
    // The event when it exists and has actions, else nullptr.
    const CEvent* GetEventDirect(int32_t etype, int32_t enumb) const;

    void Clear() { *this = CObject(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CObject&) const = default;
};
