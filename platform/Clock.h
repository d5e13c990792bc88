// The clocks of the runner: a monotonic microsecond counter and a
// millisecond tick count.
#pragma once

#include <cstdint>

int64_t Platform_MonotonicMicroseconds();

// Blocks the thread for at least this long.
void Platform_SleepMicroseconds(int64_t microseconds);
