#include "platform/Clock.h"

#include <time.h>

int64_t Platform_MonotonicMicroseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void Platform_SleepMicroseconds(int64_t microseconds)
{
    if (microseconds <= 0)
        return;
    timespec wait{static_cast<time_t>(microseconds / 1000000), static_cast<long>((microseconds % 1000000) * 1000)};
    while (nanosleep(&wait, &wait) != 0) {
    }
}
