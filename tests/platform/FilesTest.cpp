// Game paths become host paths.
#include "platform/Files.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(Files, GamePathsBecomeHostPaths)
{
    CScratchFolder folder;
    folder.Write("Data/Level1.TXT", std::string("x"));
    std::string base = folder.Path();
    struct Case {
        std::string game, host;
    } cases[] = {
        {base + "\\Data\\Level1.TXT", base + "/Data/Level1.TXT"},
        {base + "\\\\data//level1.txt", base + "/Data/Level1.TXT"}, // case-insensitive, repeats collapse
        {base + "/data/new.txt", base + "/Data/new.txt"},            // a new file keeps its own name
        {base + "/DATA/", base + "/Data/"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHostPath(c.game), c.host) << c.game;

    setenv("XDG_DATA_HOME", base.c_str(), 1);
    EXPECT_EQ(ToHostPath("C:\\games\\x.ini"), base + "/brindle/drive_c/games/x.ini");
    EXPECT_EQ(ToHostPath("d:file"), base + "/brindle/drive_d/file");
    unsetenv("XDG_DATA_HOME");
}

TEST(Files, EnvironmentFallsBackToAnyCase)
{
    setenv("BrindleTestVariable", "yes", 1);
    std::string value;
    EXPECT_TRUE(Platform_GetEnvironment("BRINDLETESTVARIABLE", value));
    EXPECT_EQ(value, "yes");
    EXPECT_FALSE(Platform_GetEnvironment("BrindleTestMissing", value));
    unsetenv("BrindleTestVariable");
}

TEST(Files, SparseFilesReadBackWholeAndLeaveZeroBlocksUnwritten)
{
    CScratchFolder folder;
    // Zeros before the data (as before the game data marker), data across a
    // block edge, zeros short of a block, and a hole at the very end.
    std::vector<uint8_t> bytes(3 * 1024 * 1024 + 10000, 0);
    for (size_t k = 3 * 1024 * 1024 - 5; k < 3 * 1024 * 1024 + 20; ++k)
        bytes[k] = static_cast<uint8_t>(k);
    bytes[3 * 1024 * 1024 + 5000] = 7;
    for (size_t size : {bytes.size(), size_t(3 * 1024 * 1024 + 100), size_t(0), size_t(4096)}) {
        std::string path = folder.File("game.brg");
        ASSERT_TRUE(Platform_WriteSparseFile(path, bytes.data(), size));
        std::vector<uint8_t> back;
        ASSERT_TRUE(Platform_ReadWholeFile(path, back));
        EXPECT_TRUE(back == std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)))
            << size;
    }
    ASSERT_TRUE(Platform_WriteSparseFile(folder.File("game.brg"), bytes.data(), bytes.size()));
    struct stat info;
    ASSERT_EQ(stat(folder.File("game.brg").c_str(), &info), 0);
    // Where the file system keeps holes, the zeros take no disk.
    struct stat probe;
    int fd = open(folder.File("probe").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 1024 * 1024), 0);
    close(fd);
    ASSERT_EQ(stat(folder.File("probe").c_str(), &probe), 0);
    if (probe.st_blocks * 512 < 512 * 1024) {
        EXPECT_LT(info.st_blocks * 512, 64 * 1024);
    }
    EXPECT_FALSE(Platform_WriteSparseFile(folder.File("missing/game.brg"), bytes.data(), 1));
}

TEST(Files, ReadingFromAnOffsetGivesTheRestOfTheFile)
{
    CScratchFolder folder;
    const std::string text = "0123456789";
    folder.Write("f.bin", text);
    for (uint64_t from : {0u, 3u, 9u, 10u, 11u, 1000000u}) {
        std::vector<uint8_t> back{1, 2, 3};
        ASSERT_TRUE(Platform_ReadFileFrom(folder.File("f.bin"), from, back)) << from;
        EXPECT_EQ(std::string(back.begin(), back.end()), from < text.size() ? text.substr(from) : "") << from;
    }
    std::vector<uint8_t> back;
    EXPECT_FALSE(Platform_ReadFileFrom(folder.File("missing.bin"), 3, back));
}
