// Game paths become host paths.
#include "platform/Files.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

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
