#include "platform/StopSignals.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t s_stopRequested = 0;

void OnStopSignal(int number)
{
    s_stopRequested = 1;
    // The next one takes the default way out.
    std::signal(number, SIG_DFL);
}

} // namespace

void Platform_WatchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = &OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        sigaction(number, &action, nullptr);
}

bool Platform_StopRequested()
{
    return s_stopRequested != 0;
}
