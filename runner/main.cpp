// brindle-run: plays the game appended to this executable, or the game file
// named on the command line.
#include "platform/Executable.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/StopSignals.h"
#include "runner/Registration.h"
#include "runner/RunnerOptions.h"
#include "runner/Startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef BRINDLE_VERSION
#define BRINDLE_VERSION "0.1"
#endif

namespace {

// Game data lies behind the program image exactly when the file is longer
// than the image.
bool HasAppendedGame(const std::string& self)
{
    int64_t image = Platform_ProgramImageSize(self);
    int64_t size = Platform_FileSize(self);
    return image > 0 && size > image;
}

} // namespace

int main(int argc, char** argv)
{
    std::string self = Platform_ExecutablePath();
    bool selfContained = !self.empty() && HasAppendedGame(self);
    std::vector<std::string> arguments(argv, argv + argc);
    if (selfContained)
        arguments[0] = self;

    std::string environmentOptions;
    Platform_GetEnvironment(kOptionsVariable, environmentOptions);
    RunnerOptions options;
    std::string error;
    if (!ParseRunnerOptions(arguments, selfContained, environmentOptions, options, error)) {
        std::fprintf(stderr, "brindle-run: %s\n%s", error.c_str(), RunnerUsage().c_str());
        return kExitUsage;
    }
    if (options.ShowHelp) {
        std::printf("%s", RunnerUsage().c_str());
        return kExitClean;
    }
    if (options.ShowVersion) {
        std::printf("brindle-run %s\n", BRINDLE_VERSION);
        return kExitClean;
    }
    std::string problem;
    if (!Runner_RegisterTables(problem)) {
        std::fprintf(stderr, "brindle-run: internal error: %s\n", problem.c_str());
        return kExitFailed;
    }
    if (options.ListFunctions) {
        std::printf("%s", Runner_ListFunctions().c_str());
        return kExitClean;
    }
    // Automated runs put messages on standard error instead of into boxes.
    Platform_AllowMessageBoxesOnScreen(!options.IsAutomated());
    Platform_WatchStopSignals();
    const int status = RunGame(options);
#ifdef __EMSCRIPTEN__
    // After a wait the page has resumed the game from its event loop: a
    // status returned from here would be lost (the page would hear 0), so
    // the runner exits with it instead.
    std::exit(status);
#endif
    return status;
}
