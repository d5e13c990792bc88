// The runner's command line and its temporary directory.
#include "code/ErrorReport.h"
#include "data/DataFile.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "code/FunctionCatalogue.h"
#include "runner/IncludedFiles.h"
#include "runner/Registration.h"
#include "runner/RunDirectory.h"
#include "runner/RunnerOptions.h"
#include "tests/support/TestSupport.h"
#include "world/GameState.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Words = std::vector<std::string>;

} // namespace

TEST(RunnerOptions, GameSeesItsFileAndOnlyItsOwnArguments)
{
    struct Case {
        Words arguments;
        bool selfContained;
        std::string environment;
        bool ok;
        std::string gameFile;
        Words gameArguments;
    } cases[] = {
        {{"brindle-run", "game.brg"}, false, "", true, "game.brg", {"game.brg"}},
        {{"brindle-run", "game.brg", "--help", "x"}, false, "", true, "game.brg", {"game.brg", "--help", "x"}},
        {{"brindle-run", "--", "--odd-name"}, false, "", true, "--odd-name", {"--odd-name"}},
        {{"brindle-run"}, false, "", false, "", {}},
        {{"brindle-run", "--bogus", "game.brg"}, false, "", false, "", {}},
        // A self-contained game passes everything on and reads options from the environment.
        {{"/games/g", "--help", "-x"}, true, "", true, "/games/g", {"/games/g", "--help", "-x"}},
        {{"/games/g"}, true, "--bogus", false, "", {}},
    };
    for (const Case& c : cases) {
        RunnerOptions options;
        std::string error;
        bool ok = ParseRunnerOptions(c.arguments, c.selfContained, c.environment, options, error);
        EXPECT_EQ(ok, c.ok) << c.arguments.back();
        if (!ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_FALSE(options.ShowHelp) << c.arguments.back();
        EXPECT_EQ(options.GameFile, c.gameFile);
        EXPECT_EQ(options.GameArguments, c.gameArguments);
    }
    RunnerOptions options;
    std::string error;
    ASSERT_TRUE(ParseRunnerOptions({"/games/g", "a"}, true, " --help ", options, error));
    EXPECT_TRUE(options.ShowHelp);
    EXPECT_EQ(options.GameArguments, (Words{"/games/g", "a"}));

    ASSERT_TRUE(ParseRunnerOptions({"brindle-run", "--steps", "5", "--screenshot", "out.png", "g.brg"}, false, "",
                                   options, error));
    EXPECT_EQ(options.ScreenshotFile, "out.png");
    EXPECT_EQ(options.GameFile, "g.brg");
    EXPECT_FALSE(ParseRunnerOptions({"brindle-run", "--screenshot"}, false, "", options, error));
    EXPECT_NE(error.find("--screenshot"), std::string::npos);
}

TEST(RunnerOptions, RunsThatNobodyWatchesAreAutomated)
{
    struct Case {
        Words arguments;
        bool automated;
    } cases[] = {
        {{"brindle-run", "g.brg"}, false},
        {{"brindle-run", "--fast", "--seed", "3", "g.brg"}, false},
        {{"brindle-run", "--steps", "5", "g.brg"}, true},
        {{"brindle-run", "--input", "i.txt", "g.brg"}, true},
        {{"brindle-run", "--screenshot", "s.png", "g.brg"}, true},
        {{"brindle-run", "--headless", "g.brg"}, true},
        {{"brindle-run", "--dump", "g.brg"}, true},
    };
    for (const Case& c : cases) {
        RunnerOptions options;
        std::string error;
        ASSERT_TRUE(ParseRunnerOptions(c.arguments, false, "", options, error)) << error;
        EXPECT_EQ(options.IsAutomated(), c.automated) << c.arguments[1];
    }
}

TEST(RunnerOptions, SoundCaptureTakesAFileFromEitherCommandLine)
{
    RunnerOptions options;
    std::string error;
    ASSERT_TRUE(ParseRunnerOptions({"brindle-run", "--sound-capture", "out.wav", "game.brg"}, false, "", options, error));
    EXPECT_EQ(options.SoundCapture, "out.wav");
    EXPECT_EQ(options.GameFile, "game.brg");
    ASSERT_TRUE(ParseRunnerOptions({"/games/g"}, true, "--headless --sound-capture c.wav", options, error));
    EXPECT_EQ(options.SoundCapture, "c.wav");
    EXPECT_FALSE(ParseRunnerOptions({"brindle-run", "game.brg"}, true, "--sound-capture", options, error));
    EXPECT_NE(error.find("needs a value"), std::string::npos) << error;
}

TEST(RunDirectory, TempDirTxtWinsOverTheEnvironment)
{
    CScratchFolder program;
    CScratchFolder base;
    program.Write("tempdir.txt", base.Path() + "\r\nsecond line\r\n");
    setenv("temp", "/nonexistent", 1);
    EXPECT_EQ(ChooseTempBase(program.Path()), base.Path());
    CMessageCapture messages;
    ASSERT_TRUE(CreateTempDir(program.Path()));
    EXPECT_EQ(TempDir.rfind(base.Path() + "/br_ttt_", 0), 0u) << TempDir;
    EXPECT_TRUE(std::filesystem::is_directory(TempDir));
    std::string made = TempDir;
    std::filesystem::create_directories(made + "/a/b");
    RemoveTempDir();
    EXPECT_FALSE(std::filesystem::exists(made));
    EXPECT_TRUE(messages.Messages().empty());
    unsetenv("temp");
}

TEST(RunDirectory, EnvironmentChoosesTheBaseInOrder)
{
    CScratchFolder program;
    unsetenv("temp");
    unsetenv("TEMP");
    unsetenv("tmp");
    unsetenv("TMP");
    setenv("TMPDIR", "/from/tmpdir", 1);
    EXPECT_EQ(ChooseTempBase(program.Path()), "/from/tmpdir");
    setenv("TMP", "/from/tmp", 1);
    EXPECT_EQ(ChooseTempBase(program.Path()), "/from/tmp"); // looked up ignoring case
    setenv("temp", "/from/temp", 1);
    EXPECT_EQ(ChooseTempBase(program.Path()), "/from/temp");
    unsetenv("temp");
    unsetenv("TMP");
    unsetenv("TMPDIR");
    EXPECT_EQ(ChooseTempBase(program.Path()), "/tmp");
}

TEST(RunDirectory, UnusableBaseFallsBackToTmp)
{
    CScratchFolder program;
    program.Write("tempdir.txt", std::string("/proc/no/such/place"));
    CMessageCapture messages;
    ASSERT_TRUE(CreateTempDir(program.Path()));
    EXPECT_EQ(TempDir.rfind("/tmp/br_ttt_", 0), 0u) << TempDir;
    RemoveTempDir();
    EXPECT_TRUE(messages.Messages().empty());
}


// The folder is the run's own: private to the user, and nothing is written
// into it through a link someone placed there.
TEST(RunDirectory, TheFolderIsPrivateAndWritesInItFollowNoLink)
{
    CScratchFolder program;
    CScratchFolder base;
    program.Write("tempdir.txt", base.Path());
    ASSERT_TRUE(CreateTempDir(program.Path()));
    struct stat info;
    ASSERT_EQ(lstat(TempDir.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    CScratchFolder outside;
    outside.Write("target.txt", std::string("keep"));
    std::filesystem::create_symlink(outside.File("target.txt"), TempDir + "/level.txt");
    CDataFile file;
    file.s_filename = "level.txt";
    file.s_exists = file.s_store = file.s_overwrite = true;
    file.s_data = {'n', 'e', 'w'};
    file.s_exportaction = kExportTemp;
    EXPECT_FALSE(DataFile_Prepare(file));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(outside.File("target.txt"), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "keep");

    std::string made = TempDir;
    RemoveTempDir();
    EXPECT_FALSE(std::filesystem::exists(made));
}

TEST(IncludedFiles, ExportByActionOverwriteFreeAndRemove)
{
    CScratchFolder folder;
    TempDir = folder.Path();
    CDataFile file;
    file.s_filename = "level.txt";
    file.s_exists = true;
    file.s_store = true;
    file.s_data = {'n', 'e', 'w'};
    file.s_exportaction = kExportTemp;
    file.s_overwrite = false;
    file.s_freedata = false;
    folder.Write("level.txt", std::string("old"));
    // An existing file is kept unless the record allows overwriting.
    EXPECT_FALSE(DataFile_Prepare(file));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("level.txt"), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
    file.s_overwrite = true;
    EXPECT_TRUE(DataFile_Prepare(file));
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("level.txt"), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
    // Discarded data is gone: a later export fails silently.
    DataFile_Discard(file);
    EXPECT_FALSE(DataFile_Prepare(file));
    // Removed at the end when asked.
    file.s_removeend = true;
    DataFile_Remove(file);
    EXPECT_FALSE(Platform_FileExists(folder.File("level.txt")));
    // Freed after export when the record says so.
    CDataFile freed = CDataFile();
    freed.s_filename = "b.txt";
    freed.s_exists = freed.s_store = true;
    freed.s_data = {'x'};
    freed.s_exportaction = kExportFolder;
    freed.s_exportdir = folder.Path() + "/sub";
    freed.s_freedata = true;
    EXPECT_TRUE(DataFile_Prepare(freed));
    EXPECT_TRUE(Platform_FileExists(folder.File("sub/b.txt")));
    EXPECT_FALSE(freed.HasData());
    // In secure mode a name with a path is refused.
    GameState.secureMode = true;
    CDataFile secure = file;
    secure.s_store = true;
    secure.s_data = {'y'};
    secure.s_filename = "dir\\x.txt";
    EXPECT_FALSE(DataFile_Prepare(secure));
    GameState.secureMode = false;
    TempDir.clear();
}

// The end of a run removes only files the run itself exported: a file of
// that name that was there before (and kept) is not the game's, and a name
// that leaves its folder is not exported at all.
TEST(IncludedFiles, OnlyWhatTheRunExportedIsRemoved)
{
    CScratchFolder folder;
    std::filesystem::create_directory(folder.File("work"));
    folder.Write("work/kept.txt", std::string("before"));
    folder.Write("notes.txt", std::string("above"));
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.File("work"));

    struct Case {
        const char* name;
        bool exported;
        const char* error;
    } cases[] = {
        {"kept.txt", false, ""},
        {"../notes.txt", false, "Cannot export a data file outside its folder: ../notes.txt"},
        {"sub\\..\\..\\notes.txt", false, "Cannot export a data file outside its folder: sub\\..\\..\\notes.txt"},
        {"new.txt", true, ""},
    };
    std::vector<CDataFile> files;
    for (const Case& c : cases) {
        CDataFile& file = files.emplace_back();
        file.s_filename = c.name;
        file.s_exists = file.s_store = true;
        file.s_data = {'g', 'a', 'm', 'e'};
        file.s_exportaction = kExportWorking;
        file.s_overwrite = false;
        file.s_removeend = true;
        Error_Last.clear();
        EXPECT_EQ(DataFile_Prepare(file), c.exported) << c.name;
        EXPECT_NE(Error_Last.find(c.error), std::string::npos) << c.name << ": " << Error_Last;
    }
    EXPECT_TRUE(Platform_FileExists("new.txt"));
    for (CDataFile& file : files)
        DataFile_Remove(file);
    std::filesystem::current_path(before);

    EXPECT_FALSE(Platform_FileExists(folder.File("work/new.txt")));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("work/kept.txt"), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "before");
    ASSERT_TRUE(Platform_ReadWholeFile(folder.File("notes.txt"), bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "above");
}

// A game may call any built-in in the middle of a level: the program must
// have every one, or refuse to start rather than fail there.
TEST(Registration, EveryCataloguedFunctionHasItsRoutine)
{
    std::string problem;
    ASSERT_TRUE(Runner_RegisterTables(problem)) << problem;
    EXPECT_EQ(Function_Unsupplied(), "");
    const std::string list = Runner_ListFunctions();
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 1260);
    EXPECT_EQ(list.find("not implemented"), std::string::npos);
}
