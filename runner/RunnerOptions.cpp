// Parsing the runner's options.
#include "runner/RunnerOptions.h"

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
    if (word == "--headless") {
        options.Headless = true;
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
    if (options.ShowHelp || options.ShowVersion)
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
           "brindle-pack). A game executable runs itself; its runner options come from\n"
           "the environment variable " +
           std::string(kOptionsVariable) +
           ".\n"
           "\n"
           "Options:\n"
           "  --help            show this text\n"
           "  --version         show the runner's version\n"
           "  --headless        run without a window: nothing is shown or drawn\n"
           "  --                end of options; the next word is the game file\n";
}
