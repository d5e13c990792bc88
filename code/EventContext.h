// The event being run: its object (or time line), type, number and action.
// The dispatcher keeps it current; error messages name their place from it
// and the built-in variables event_type and its companions read it. Code
// that runs outside any event (a creation code, the library initialization,
// a trigger condition) names itself instead, through CCodePlace.
#pragma once

#include <cstdint>
#include <string>

// The type recorded while a time line moment runs; the object field then
// holds the time line and the number field the moment's step.
constexpr int32_t kTimeLineEventType = 100000;

struct RCurrentEvent {
    int32_t object = -1; // -1: no event is running
    int32_t type = 0;
    int32_t number = 0;
    int32_t action = 0;
    const std::string* place = nullptr; // code outside events: what it is ("creation code of room rm")
};

extern RCurrentEvent CurrentEvent;

// For its scope, the running code is place, outside any event; the event
// context before it comes back afterwards. place must outlive the scope.
class CCodePlace {
public:
    explicit CCodePlace(const std::string& place) : c_saved(CurrentEvent)
    {
        CurrentEvent = RCurrentEvent{};
        CurrentEvent.place = &place;
    }
    ~CCodePlace() { CurrentEvent = c_saved; }
    CCodePlace(const CCodePlace&) = delete;
    CCodePlace& operator=(const CCodePlace&) = delete;

private:
    RCurrentEvent c_saved;
};
