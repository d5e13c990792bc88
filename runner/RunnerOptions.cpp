// Parsing the runner's options.
#include "runner/RunnerOptions.h"

#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// Takes one option; false with error set when it is unknown or lacks its value.
bool TakeOption(const std::vector<std::string>& words, size_t& k, RunnerOptions& options, std::string& error)
{
    const std::string& word = words[k];
    if (word == "--help" || word == "-h") {
        options.ShowHelp = true;
        return true;
    }
    if (word == "--version") {
        options.ShowVersion = true;
        return true;
    }
    if (word == "--functions") {
        options.ListFunctions = true;
        return true;
    }
    if (word == "--dump") {
        options.Dump = true;
        return true;
    }
    if (word == "--headless") {
        options.Headless = true;
        return true;
    }
    if (word == "--fast") {
        options.Fast = true;
        return true;
    }
    if (word == "--sound-capture") {
        if (k + 1 >= words.size()) {
            error = "option '" + word + "' needs a value";
            return false;
        }
        options.SoundCapture = words[++k];
        return true;
    }
    if (word == "--record") {
        if (k + 1 >= words.size() || words[k + 1].empty()) {
            error = "option '--record' needs a file name";
            return false;
        }
        options.RecordFile = words[++k];
        return true;
    }
    if (word == "--screenshot") {
        if (k + 1 >= words.size() || words[k + 1].empty()) {
            error = "option '--screenshot' needs a file name";
            return false;
        }
        options.ScreenshotFile = words[++k];
        return true;
    }
    if (word == "--steps" || word == "--seed" || word == "--errors" || word == "--input") {
        if (k + 1 >= words.size()) {
            error = "option '" + word + "' needs a value";
            return false;
        }
        const std::string& value = words[++k];
        if (word == "--input") {
            options.InputFile = value;
            return true;
        }
        if (word == "--errors") {
            if (value != "abort" && value != "ignore") {
                error = "option --errors takes abort or ignore, not '" + value + "'";
                return false;
            }
            options.AbortOnErrors = value == "abort";
            return true;
        }
        char* end = nullptr;
        long long number = std::strtoll(value.c_str(), &end, 10);
        bool valid = !value.empty() && *end == '\0' && number >= 0 && (word == "--steps" || number <= 0xFFFFFFFFLL);
        if (!valid) {
            error = "option '" + word + "' takes a whole number, not '" + value + "'";
            return false;
        }
        if (word == "--steps") {
            options.Steps = number;
        } else {
            options.HasSeed = true;
            options.Seed = static_cast<uint32_t>(number);
        }
        return true;
    }
    error = "unknown option '" + word + "'";
    return false;
}

} // namespace

bool ParseRunnerOptions(const std::vector<std::string>& arguments, bool selfContained,
                        const std::string& environmentOptions, RunnerOptions& options, std::string& error)
{
    options = RunnerOptions();
    if (selfContained) {
        std::vector<std::string> words = SplitWords(environmentOptions);
        for (size_t k = 0; k < words.size(); ++k)
            if (!TakeOption(words, k, options, error))
                return false;
        options.GameFile = arguments.empty() ? std::string() : arguments[0];
        options.GameArguments = arguments;
        return true;
    }

    size_t k = 1;
    for (; k < arguments.size(); ++k) {
        const std::string& word = arguments[k];
        if (word == "--") {
            ++k;
            break;
        }
        if (word.size() < 2 || word[0] != '-')
            break;
        if (!TakeOption(arguments, k, options, error))
            return false;
    }
    if (options.ShowHelp || options.ShowVersion || options.ListFunctions)
        return true;
    if (k >= arguments.size()) {
        error = "no game file given";
        return false;
    }
    options.GameFile = arguments[k];
    options.GameArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(k), arguments.end());
    return true;
}

std::string RunnerUsage()
{
    return "Usage: brindle-run [options] GAME [game arguments...]\n"
           "Plays the game in the file GAME (a game file or a game executable made by\n"
           "brindle-pack), or the game project in the folder GAME as it stands, packed\n"
           "in memory; errors of such a run also name the project file and line of\n"
           "their code. A game executable runs itself; its runner options come from\n"
           "the environment variable " +
           std::string(kOptionsVariable) +
           ".\n"
           "\n"
           "Options:\n"
           "  --help            show this text\n"
           "  --version         show the runner's version\n"
           "  --functions       list every built-in function: name, argument count\n"
           "                    (-1 for any) and whether it is implemented\n"
           "  --dump            load the game, print every resource it holds and end\n"
           "  --headless        run without a window and without drawing; time, dates and\n"
           "                    the random seed are fixed, so a run repeats exactly\n"
           "  --steps N         end the game after N steps, as if the game ended itself;\n"
           "                    messages then go to standard error instead of boxes\n"
           "  --fast            do not sleep between steps (time still advances per step)\n"
           "  --seed N          the random generator's seed at the start of the game\n"
           "  --screenshot FILE when the game ends, write the window's last frame (scaled\n"
           "                    as shown, with the strips around it) to FILE as PNG\n"
           "                    (needs a display; use it with --steps); messages then go\n"
           "                    to standard error instead of boxes on the screen\n"
           "  --errors MODE     without a window, 'ignore' (the default) lets the game go on\n"
           "                    after an error; 'abort' ends it at the first error\n"
           "  --input FILE      play the input script FILE: keys, mouse and joystick events\n"
           "                    by step (see the README); the window then counts as active\n"
           "                    and messages go to standard error\n"
           "  --record FILE     write what the player does (keys, typed text, mouse,\n"
           "                    joysticks, the close button) into FILE as an input script,\n"
           "                    with the random seed: --input FILE --seed N plays the same\n"
           "                    run again\n"
           "  --sound-capture FILE\n"
           "                    render the game's sound into the WAV file FILE (44100 Hz\n"
           "                    stereo, 1/room speed seconds per step) instead of playing it\n"
           "  --                end of options; the next word is the game file\n";
}
