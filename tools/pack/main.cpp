// brindle-pack: turns a game project folder into a game: a game file (for
// "brindle-run GAME"), a self-contained executable or a web page.
#include "platform/Executable.h"
#include "platform/Files.h"
#include "tools/pack/CodeCheck.h"
#include "tools/pack/GameBuilder.h"
#include "tools/pack/Manifest.h"
#include "tools/pack/WebPage.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

void PrintUsage(std::FILE* to)
{
    std::fprintf(to, "Usage: brindle-pack [options] PROJECT_FOLDER -o OUTPUT\n"
                     "Packs the game project in PROJECT_FOLDER (its manifest is game.toml).\n"
                     "\n"
                     "Options:\n"
                     "  -o, --output FILE   where to write the game (required)\n"
                     "  --executable        write a self-contained game executable instead of a\n"
                     "                      game file for brindle-run\n"
                     "  --web               write a folder that any static web server can serve:\n"
                     "                      index.html plays the game in a browser\n"
                     "  --runner FILE       the runner to copy into an executable (default: the\n"
                     "                      brindle-run beside brindle-pack); with --web, the\n"
                     "                      folder holding brindle-run.js and brindle-run.wasm\n"
                     "                      (default: web/ beside brindle-pack)\n"
                     "  --no-code-check     write the game even when its code does not compile\n"
                     "                      (the runner then reports the first mistake at start)\n"
                     "  --help              show this text\n");
}

} // namespace

int main(int argc, char** argv)
{
    std::string project;
    std::string output;
    std::string runner;
    bool executable = false;
    bool checkCode = true;
    bool web = false;
    for (int k = 1; k < argc; ++k) {
        std::string word = argv[k];
        if (word == "--help" || word == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if ((word == "-o" || word == "--output") && k + 1 < argc) {
            output = argv[++k];
        } else if (word == "--runner" && k + 1 < argc) {
            runner = argv[++k];
        } else if (word == "--executable") {
            executable = true;
        } else if (word == "--no-code-check") {
            checkCode = false;
        } else if (word == "--web") {
            web = true;
        } else if (!word.empty() && word[0] == '-') {
            std::fprintf(stderr, "brindle-pack: unknown option '%s'\n", word.c_str());
            PrintUsage(stderr);
            return 2;
        } else if (project.empty()) {
            project = word;
        } else {
            std::fprintf(stderr, "brindle-pack: more than one project folder given\n");
            return 2;
        }
    }
    if (project.empty() || output.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    if (executable && web) {
        std::fprintf(stderr, "brindle-pack: --executable and --web exclude each other\n");
        return 2;
    }

    try {
        GameProject game;
        ReadProject(project, game);
        // Every piece of code is compiled now, as the runner would at start;
        // each mistake is told with its place in the project.
        if (checkCode) {
            std::vector<std::string> mistakes = CheckProjectCode(game);
            for (const std::string& mistake : mistakes)
                std::fprintf(stderr, "brindle-pack: %s\n", mistake.c_str());
            if (!mistakes.empty())
                return 1;
        }
        std::vector<uint8_t> runnerImage;
        if (executable) {
            if (runner.empty())
                runner = Platform_ProgramDirectory() + "/brindle-run";
            if (!Platform_ReadWholeFile(runner, runnerImage))
                throw EProjectError(runner + ": cannot read the runner");
            // A runner that already carries a game is cut back to its own image.
            int64_t image = Platform_ProgramImageSize(runner);
            if (image <= 0)
                throw EProjectError(runner + ": not a runner executable");
            runnerImage.resize(static_cast<size_t>(image));
        }
        std::vector<uint8_t> bytes = BuildGame(game, runnerImage);
        if (web) {
            WebPage_WriteFolder(game, bytes, runner.empty() ? Platform_ProgramDirectory() + "/web" : runner, output);
            return 0;
        }
        // The zeros before the game data take no disk.
        if (!Platform_WriteSparseFile(output, bytes.data(), bytes.size()))
            throw EProjectError(output + ": cannot write the game");
        if (executable && !Platform_MakeExecutable(output))
            throw EProjectError(output + ": cannot make the game executable");
    } catch (const EProjectError& error) {
        std::fprintf(stderr, "brindle-pack: %s\n", error.what());
        return 1;
    } catch (const std::bad_alloc&) {
        // A picture or sound that claims a huge size can ask for more memory
        // than there is: a failure to report, not a crash.
        std::fprintf(stderr, "brindle-pack: not enough memory to pack %s\n", project.c_str());
        return 1;
    }
    return 0;
}
