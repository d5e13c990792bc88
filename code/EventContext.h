// The event being run: its object (or time line), type, number and action.
// The dispatcher keeps it current; error messages name their place from it
// and the built-in variables event_type and its companions read it.
#pragma once

#include <cstdint>

// The type recorded while a time line moment runs; the object field then
// holds the time line and the number field the moment's step.
constexpr int32_t kTimeLineEventType = 100000;

struct RCurrentEvent {
    int32_t object = -1;
    int32_t type = 0;
    int32_t number = 0;
    int32_t action = 0;
};

extern RCurrentEvent CurrentEvent;
