// CEvent: the action list of one event of an object or one moment of a time
// line, as stored. An event without actions counts as absent.
#pragma once

#include "data/Action.h"

#include <cstdint>
#include <vector>

class CStream;

class CEvent {
public:
    static constexpr int32_t kVersion = 400;

    std::vector<CAction> e_actions;

    int Count() const { return static_cast<int>(e_actions.size()); }

    void Clear() { e_actions.clear(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CEvent&) const = default;
};

// The event types, numbered as stored and as scripts see them.
enum EEventType : int32_t {
    kEventCreate = 0,
    kEventDestroy = 1,
    kEventAlarm = 2,
    kEventStep = 3,
    kEventCollision = 4,
    kEventKeyboard = 5,
    kEventMouse = 6,
    kEventOther = 7,
    kEventDraw = 8,
    kEventKeyPress = 9,
    kEventKeyRelease = 10,
    kEventTrigger = 11,
};
constexpr int kEventTypeCount = 12;
