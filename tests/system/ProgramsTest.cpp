// Other programs, the command line and the environment: a shell script run
// with and without waiting, the original platform's argument quoting,
// programs that are refused, documents handed to the desktop's opener.
#include "platform/Programs.h"
#include "system/CommandLine.h"
#include "system/Parameters.h"
#include "tests/system/SystemFixture.h"

#include <sys/stat.h>

namespace {

void WriteScript(const std::string& hostPath, const std::string& body)
{
    SystemFixture::WriteFile(hostPath, "#!/bin/sh\n" + body);
    ::chmod(hostPath.c_str(), 0755);
}

// Sets PATH for the life of a test step.
class CSearchPath {
public:
    explicit CSearchPath(const std::string& path) : p_old(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        setenv("PATH", path.c_str(), 1);
    }
    ~CSearchPath() { setenv("PATH", p_old.c_str(), 1); }

private:
    std::string p_old;
};

} // namespace

TEST_F(SystemFixture, ExecuteProgramRunsAScriptWithTheGamesArguments)
{
    WriteScript(Work("Write Args.sh"), "for a in \"$@\"; do printf '[%s]' \"$a\"; done > args.txt\n");
    // Waiting: the file is there as soon as the call returns.
    Call("execute_program", {"\"write args.sh\"", "one \"two three\" four\\\"five", 1});
    EXPECT_EQ(ReadFile(Work("args.txt")), "[one][two three][four\"five]");
    EXPECT_EQ(Reported(), "");

    // The program's name may carry arguments of its own.
    Call("execute_program", {"\"..\\work\\WRITE ARGS.SH\" x", "y", 1});
    EXPECT_EQ(ReadFile(Work("args.txt")), "[x][y]");

    // Without waiting the game goes on; the test waits for the program itself.
    Call("execute_program", {Work("write args.sh"), "later", 0});
    Platform_WaitForAllPrograms();
    EXPECT_EQ(ReadFile(Work("args.txt")), "[later]");
    EXPECT_EQ(Reported(), "");
}

TEST_F(SystemFixture, ProgramsThatCannotRunHereAreRefused)
{
    WriteFile(Work("game.exe"), "MZ\x90 not for this system");
    ::chmod(Work("game.exe").c_str(), 0755);
    WriteScript(Work("setup.bat"), "touch ran.txt\n");
    WriteFile(Work("plain.txt"), "not executable");
    for (const char* program : {"game.exe", "setup.bat", "plain.txt", "missing", "C:\\Windows\\notepad.exe", ""}) {
        Call("execute_program", {program, "", 1});
        EXPECT_EQ(Reported(), std::string("Cannot execute ") + program);
    }
    EXPECT_EQ(ReadFile(Work("ran.txt")), "<missing>");

    GameState.secureMode = true;
    Call("execute_program", {"game.exe", "", 0});
    EXPECT_EQ(Reported(), "In Secure mode you cannot execute program game.exe");
    Call("execute_shell", {"plain.txt", ""});
    EXPECT_EQ(Reported(), "In Secure mode you cannot execute program plain.txt");
}

TEST_F(SystemFixture, ExecuteShellRunsProgramsAndOpensDocuments)
{
    std::string bin = Folder() + "/bin";
    WriteScript(bin + "/xdg-open", "printf '%s' \"$1\" > \"" + Folder() + "/opened.txt\"\n");
    WriteScript(Work("tool.sh"), "printf '%s' \"$1\" > tool.txt\n");
    WriteFile(Work("Manual.txt"), "read me");
    {
        CSearchPath path(bin);
        Call("execute_shell", {"manual.TXT", "ignored"});
        Platform_WaitForAllPrograms();
        EXPECT_EQ(ReadFile(Folder() + "/opened.txt"), Work("Manual.txt"));
        Call("execute_shell", {"https://example.org/a b", ""});
        Platform_WaitForAllPrograms();
        EXPECT_EQ(ReadFile(Folder() + "/opened.txt"), "https://example.org/a b");
        Call("execute_shell", {"tool.sh", "\"an argument\""});
        Platform_WaitForAllPrograms();
        EXPECT_EQ(ReadFile(Work("tool.txt")), "an argument");
        EXPECT_EQ(Reported(), "");
        Call("execute_shell", {"missing.txt", ""});
        EXPECT_EQ(Reported(), "Cannot execute missing.txt");
    }
    {
        CSearchPath path(Folder() + "/nothing");
        Call("execute_shell", {"manual.txt", ""});
        EXPECT_EQ(Reported(), "Cannot execute manual.txt");
    }
}

TEST(CommandLine, SplitsAsTheOriginalPlatformsProgramsDo)
{
    using Words = std::vector<std::string>;
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"a b\tc", {"a", "b", "c"}},
        {"  spaced   out  ", {"spaced", "out"}},
        {"\"two words\" x", {"two words", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"C:\\dir\\ x", {"C:\\dir\\", "x"}},  // backslashes stay unless a quote follows
        {"a\\\\\"b c\"", {"a\\b c"}},          // 2n backslashes: n, then the quote acts
        {"a\\\\\\\"b", {"a\\\"b"}},            // 2n + 1: n and a literal quote
        {"\"open to the end", {"open to the end"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST_F(SystemFixture, ParametersAndEnvironment)
{
    GameParameters = {"/games/quest.brg", "-level", "3"};
    EXPECT_EQ(Real("parameter_count", {}), 2);
    const struct {
        double index;
        const char* text;
    } cases[] = {{0, "/games/quest.brg"}, {1, "-level"}, {2, "3"}, {3, ""}, {-1, ""}, {1.4, "-level"}};
    for (const auto& c : cases)
        EXPECT_EQ(Text("parameter_string", {c.index}), c.text) << c.index;
    GameParameters = {"/games/caf\xC3\xA9.brg"}; // host text comes to the game in its code page
    EXPECT_EQ(Text("parameter_string", {0}), "/games/caf\xE9.brg");
    GameParameters.clear();
    EXPECT_EQ(Real("parameter_count", {}), 0);

    setenv("BrindleTestSetting", "on", 1);
    EXPECT_EQ(Text("environment_get_variable", {"BrindleTestSetting"}), "on");
    EXPECT_EQ(Text("environment_get_variable", {"BRINDLETESTSETTING"}), "on");
    EXPECT_EQ(Text("environment_get_variable", {"BrindleTestMissing"}), "");
    unsetenv("BrindleTestSetting");
}
