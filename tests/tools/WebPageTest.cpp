// brindle-pack --web: how the page follows the game's settings, and the
// folder it writes.
#include "platform/Files.h"
#include "tests/support/TestSupport.h"
#include "tools/pack/Manifest.h"
#include "tools/pack/WebPage.h"

#include <gtest/gtest.h>

TEST(WebPage, FillsTheBrowserWindowWhenTheGameScalesToItsWindow)
{
    const struct {
        int32_t scaling;
        bool fullScreen;
        bool fills;
    } cases[] = {{100, false, false}, {200, false, false}, {0, false, true}, {-1, false, true}, {100, true, true}};
    for (const auto& c : cases) {
        GameProject project;
        project.Settings.Scaling = c.scaling;
        project.Settings.FullScreen = c.fullScreen;
        const std::string page = WebPage_Html(project, false);
        EXPECT_EQ(page.find("<body class=\"fill\">") != std::string::npos, c.fills) << c.scaling;
        EXPECT_NE(page.find(c.fills ? "var fillPage = true;" : "var fillPage = false;"), std::string::npos);
    }
}

TEST(WebPage, TitleIsEscapedAndTheWindowColourSurroundsTheGame)
{
    GameProject project;
    project.Name = "<Tom & \"Jerry\">";
    project.Settings.WindowColor = 0x0080FF; // 0xBBGGRR
    const std::string page = WebPage_Html(project, false);
    EXPECT_NE(page.find("<title>&lt;Tom &amp; &quot;Jerry&quot;&gt;</title>"), std::string::npos);
    EXPECT_EQ(page.find("<Tom"), std::string::npos);
    EXPECT_NE(page.find("background: #FF8000;"), std::string::npos);
    EXPECT_EQ(page.find('@'), std::string::npos) << "a mark was left unfilled";
}

TEST(WebPage, FolderHoldsThePageTheRunnerAndTheGame)
{
    CScratchFolder runner, out;
    runner.Write(kWebRunnerScript, std::string("script"));
    runner.Write(kWebRunnerCode, std::vector<uint8_t>{0, 'a', 's', 'm'});
    GameProject project;
    const std::vector<uint8_t> game = {1, 2, 3, 0, 255};
    WebPage_WriteFolder(project, game, runner.Path(), out.File("page"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(out.File("page/") + kWebGameFile, bytes));
    EXPECT_EQ(bytes, game);
    ASSERT_TRUE(Platform_ReadWholeFile(out.File("page/") + kWebRunnerCode, bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 'a', 's', 'm'}));
    EXPECT_TRUE(Platform_FileExists(out.File("page/") + kWebRunnerScript));
    EXPECT_TRUE(Platform_FileExists(out.File("page/index.html")));
    // The default font's face goes along where this computer has one.
    EXPECT_TRUE(Platform_FileExists(out.File("page/") + kWebTypefaceFile));
}

TEST(WebPage, MissingRunnerNamesTheFileAndHowToBuildIt)
{
    CScratchFolder runner, out;
    GameProject project;
    try {
        WebPage_WriteFolder(project, {1}, runner.Path(), out.File("page"));
        FAIL() << "no error";
    } catch (const EProjectError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(runner.File(kWebRunnerScript)), std::string::npos) << text;
        EXPECT_NE(text.find("bash run.sh web"), std::string::npos) << text;
    }
}
