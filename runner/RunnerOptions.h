// The runner's own command line. A plain runner takes its options before the
// game file; a self-contained game passes its whole command line to the game
// and takes runner options only from the environment variable below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kOptionsVariable = "BRINDLE_RUNNER_OPTIONS";

struct RunnerOptions {
    bool ShowHelp = false;
    bool ShowVersion = false;
    bool ListFunctions = false;
    bool Dump = false;                      // print every resource and end
    bool Headless = false;                  // no window, no drawing; deterministic time and seed
    int64_t Steps = -1;                     // end the game after this many steps (-1: no limit)
    bool Fast = false;                      // no sleeping between steps
    bool HasSeed = false;
    uint32_t Seed = 0;                      // the random generator's seed at start
    bool AbortOnErrors = false;             // without a window, every error ends the game
    std::string InputFile;                  // host path of an input script ("" for none)
    std::string RecordFile;                 // host path: the player's input is written here as a script
    std::string ScreenshotFile;             // host path: the last frame as PNG when the game ends
    std::string SoundCapture;               // render the game's sound into this WAV file
    std::string GameFile;                  // host path of the file holding the game data
    std::vector<std::string> GameArguments; // parameter 0 (the game file) first

    // Nobody is there to click a box away: the run plays an input script,
    // ends after a number of steps or takes a screenshot (or has no window).
    bool IsAutomated() const
    {
        return Headless || Dump || !InputFile.empty() || !ScreenshotFile.empty() || Steps >= 0;
    }
};

// Fills options from the command line; false with error set on a bad option.
// selfContained: the game data lies behind this very executable.
bool ParseRunnerOptions(const std::vector<std::string>& arguments, bool selfContained,
                        const std::string& environmentOptions, RunnerOptions& options, std::string& error);

std::string RunnerUsage();
