#include "platform/StopSignals.h"

#include "platform/RunFolder.h"

#include <initializer_list>

volatile std::sig_atomic_t Platform_StopState = 0;

namespace {

volatile std::sig_atomic_t StopSignals = 0;

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction PreviousFatal[sizeof kFatalSignals / sizeof kFatalSignals[0]];

// Room for the handlers even when a crash comes from a stack overflow.
alignas(16) char HandlerStack[64 * 1024];

void OnStopSignal(int number)
{
    bool first = StopSignals == 0;
    StopSignals = 1;
    if (first) {
        if (Platform_StopState == 0)
            Platform_StopState = 1;
        return;
    }
    // The second one ends the process the default way, after the cleanup
    // that the shut-down would have done.
    Platform_RemoveRunFolderFromSignal();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

void OnFatalSignal(int number, siginfo_t* info, void*)
{
    Platform_RemoveRunFolderFromSignal();
    // Back to whatever handled it before (the default, or a sanitizer's
    // report): a fault the processor raised happens again on return, a sent
    // signal is sent again.
    for (size_t k = 0; k < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++k)
        if (kFatalSignals[k] == number)
            sigaction(number, &PreviousFatal[k], nullptr);
    if (!info || info->si_code <= 0 || number == SIGABRT)
        std::raise(number);
}

} // namespace

void Platform_WatchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = &OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        sigaction(number, &action, nullptr);

    stack_t stack = {};
    stack.ss_sp = HandlerStack;
    stack.ss_size = sizeof HandlerStack;
#ifndef __EMSCRIPTEN__ // a browser page has no signal stacks (nor signals)
    sigaltstack(&stack, nullptr);
#endif
    struct sigaction fatal = {};
    fatal.sa_sigaction = &OnFatalSignal;
    fatal.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&fatal.sa_mask);
    for (size_t k = 0; k < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++k)
        sigaction(kFatalSignals[k], &fatal, &PreviousFatal[k]);
}

bool Platform_TakeStopRequest()
{
    if (Platform_StopState != 1)
        return false;
    Platform_StopState = 2;
    return true;
}
