// The clocks of the runner: a monotonic microsecond counter and the local
// wall-clock time. Every reading goes through one replaceable source, so
// tests and headless runs can fix the start date-time and move time by hand.
#pragma once

#include <cstdint>

// Where the runner's times come from. The system clock is used until
// another source is installed.
class CClock {
public:
    virtual ~CClock() = default;
    // Microseconds from an arbitrary start; never goes backwards.
    virtual int64_t MonotonicMicroseconds() = 0;
    // Microseconds since 1 January 1970 00:00 on the local wall clock (the
    // time zone's offset already added), for the date functions.
    virtual int64_t LocalMicroseconds() = 0;
};

// A clock that stands still until told to move: it starts at a fixed local
// date-time and at monotonic time 0.
class CFixedClock : public CClock {
public:
    // 1 January 2000 00:00:00 on the local wall clock.
    static constexpr int64_t kDefaultStartLocalMicroseconds = int64_t(946684800) * 1000000;

    explicit CFixedClock(int64_t startLocalMicroseconds = kDefaultStartLocalMicroseconds)
        : s_startLocal(startLocalMicroseconds)
    {
    }
    int64_t MonotonicMicroseconds() override { return s_elapsed; }
    int64_t LocalMicroseconds() override { return s_startLocal + s_elapsed; }
    // Moves both readings forward; a negative step is ignored.
    void Advance(int64_t microseconds)
    {
        if (microseconds > 0)
            s_elapsed += microseconds;
    }

private:
    int64_t s_startLocal;
    int64_t s_elapsed = 0;
};

// Installs the source of all readings; nullptr goes back to the system
// clock. The caller keeps the clock alive while it is installed.
void Platform_SetClock(CClock* clock);
CClock& Platform_Clock();
// The system's own clock, whatever is installed: for real sleeping.
CClock& Platform_SystemClock();

int64_t Platform_LocalMicroseconds();
int64_t Platform_MonotonicMicroseconds();

// Blocks the thread for at least this long, or until a stop is requested
// (platform/StopSignals.h): a game that sleeps for days still ends on the
// first signal. In a browser page it hands control back to the browser
// meanwhile, even for 0.
void Platform_SleepMicroseconds(int64_t microseconds);
// In a browser page: hands control back to the browser when the game has
// kept it for long, so the page draws and hears input. Elsewhere nothing.
void Platform_YieldNowAndThen();
