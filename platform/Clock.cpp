// The system clock (CLOCK_MONOTONIC and the local wall clock) and the
// switch that lets tests put a fixed clock in its place.
#include "platform/Clock.h"

#include "platform/StopSignals.h"

#include <algorithm>
#include <cerrno>
#include <time.h>

#include <algorithm>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

class CSystemClock : public CClock {
public:
    int64_t MonotonicMicroseconds() override
    {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    }
    int64_t LocalMicroseconds() override
    {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        // The offset of the local time zone at this instant (TZ is honoured,
        // so TZ=UTC gives plain UTC).
        tm local{};
        time_t seconds = now.tv_sec;
        localtime_r(&seconds, &local);
        return (static_cast<int64_t>(now.tv_sec) + local.tm_gmtoff) * 1000000 + now.tv_nsec / 1000;
    }
};

CSystemClock SystemClock;
CClock* Installed = nullptr;

} // namespace

void Platform_SetClock(CClock* clock)
{
    Installed = clock;
}

CClock& Platform_SystemClock()
{
    return SystemClock;
}

CClock& Platform_Clock()
{
    return Installed ? *Installed : SystemClock;
}

int64_t Platform_MonotonicMicroseconds()
{
    return Platform_Clock().MonotonicMicroseconds();
}

int64_t Platform_LocalMicroseconds()
{
    return Platform_Clock().LocalMicroseconds();
}

#ifdef __EMSCRIPTEN__
namespace {
int64_t LastYield = 0;
}

// A page only draws, hears input and runs its timers while the game has
// handed control back to the browser: sleeping does that (the runner is
// built so that its stack survives the return), and so does a long run of
// steps that never sleep, so that the page stays alive.
void Platform_SleepMicroseconds(int64_t microseconds)
{
    emscripten_sleep(static_cast<unsigned>(std::max<int64_t>(microseconds, 0) / 1000));
    LastYield = Platform_SystemClock().MonotonicMicroseconds();
}

void Platform_YieldNowAndThen()
{
#ifdef BRINDLE_WEB_NO_WAITS
    // Built without the means to come back after handing control over
    // (only for measuring what that costs): a run that never sleeps keeps
    // the page until it ends.
    return;
#endif
    constexpr int64_t kLongestWithoutYield = 50000;
    if (Platform_SystemClock().MonotonicMicroseconds() - LastYield >= kLongestWithoutYield)
        Platform_SleepMicroseconds(0);
}
#else
void Platform_YieldNowAndThen() {}

void Platform_SleepMicroseconds(int64_t microseconds)
{
    if (microseconds <= 0)
        return;
    // In slices of at most 50 ms: a signal that comes just before a slice
    // starts is seen when it ends.
    constexpr int64_t kSlice = 50000;
    // The real clock, whatever clock the game's time follows.
    auto now = [] {
        timespec time;
        clock_gettime(CLOCK_MONOTONIC, &time);
        return static_cast<int64_t>(time.tv_sec) * 1000000 + time.tv_nsec / 1000;
    };
    int64_t end = now() + microseconds;
    while (!Platform_StopRequested()) {
        int64_t left = end - now();
        if (left <= 0)
            return;
        int64_t slice = std::min(left, kSlice);
        timespec wait{static_cast<time_t>(slice / 1000000), static_cast<long>((slice % 1000000) * 1000)};
        nanosleep(&wait, nullptr);
    }
}
#endif
