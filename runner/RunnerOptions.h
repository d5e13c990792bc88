// The runner's own command line. A plain runner takes its options before the
// game file; a self-contained game passes its whole command line to the game
// and takes runner options only from the environment variable below.
#pragma once

#include <string>
#include <vector>

constexpr const char* kOptionsVariable = "BRINDLE_RUNNER_OPTIONS";

struct RunnerOptions {
    bool ShowHelp = false;
    bool ShowVersion = false;
    bool Headless = false;                 // no window and no drawing: the null display
    std::string GameFile;                  // host path of the file holding the game data
    std::vector<std::string> GameArguments; // parameter 0 (the game file) first
};

// Fills options from the command line; false with error set on a bad option.
// selfContained: the game data lies behind this very executable.
bool ParseRunnerOptions(const std::vector<std::string>& arguments, bool selfContained,
                        const std::string& environmentOptions, RunnerOptions& options, std::string& error);

std::string RunnerUsage();
