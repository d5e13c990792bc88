// brindle-pack's project reading: defaults, every setting, and errors that
// name the file and position.
#include "tests/support/TestSupport.h"
#include "tools/pack/Manifest.h"
#include "tools/pack/Project.h"

#include <gtest/gtest.h>

TEST(Pack, EmptyManifestGivesEveryDefault)
{
    CScratchFolder folder;
    folder.Write("game.toml", std::string(""));
    GameProject project;
    ReadProject(folder.Path(), project);
    GameSettings defaults;
    EXPECT_EQ(project.Settings.Scaling, defaults.Scaling);
    EXPECT_EQ(project.Settings.ScriptOptions, 2);
    EXPECT_FALSE(project.DebugMode);
    EXPECT_GT(project.GameId, 0);
    // The id is derived from the name, so it is stable.
    GameProject again;
    ReadProject(folder.Path(), again);
    EXPECT_EQ(again.GameId, project.GameId);
    EXPECT_EQ(again.GameGUID, project.GameGUID);
}

TEST(Pack, ManifestSetsEverySetting)
{
    CScratchFolder folder;
    TBitmap32 bar(4, 1);
    folder.Write("bar.bmp", bar.SaveToBitmapFile());
    folder.Write("game.toml", std::string(R"(
[game]
name = "Demo"
id = 77
guid = "{00112233-4455-6677-8899-aabbccddeeff}"
debug = true

[window]
fullscreen = true
interpolate = true
border = false
cursor = false
scaling = 0
sizeable = true
stay_on_top = true
color = "#102030"
caption_buttons = false
vsync = true
screen_saver = true
freeze_when_inactive = true
priority = "highest"
display_mode = { depth = "32", resolution = "800x600", frequency = "85" }

[keys]
esc_ends_game = false
f1_shows_information = false
f4_switches_fullscreen = false
f5_saves_f6_loads = false
f9_takes_screenshot = false
close_button_acts_as_esc = false

[loading]
progress_bar = true
bar_back = "bar.bmp"
bar_front = "bar.bmp"
image = "bar.bmp"
scale_bar = false
transparent = true
alpha = 100

[errors]
show = false
log = true
abort = true
uninitialized_is_zero = true
check_script_arguments = false
)"));
    GameProject project;
    ReadProject(folder.Path(), project);
    const GameSettings& s = project.Settings;
    EXPECT_EQ(project.Name, "Demo");
    EXPECT_EQ(project.GameId, 77);
    EXPECT_EQ(project.GameGUID[0], 0x33);
    EXPECT_EQ(project.GameGUID[4], 0x55);
    EXPECT_EQ(project.GameGUID[15], 0xFF);
    EXPECT_TRUE(project.DebugMode);
    EXPECT_TRUE(s.FullScreen && s.Interpolate && s.NoBorder && !s.ShowCursor && s.Sizeable && s.StayOnTop);
    EXPECT_EQ(s.Scaling, 0);
    EXPECT_EQ(s.WindowColor, 0x302010);
    EXPECT_TRUE(s.NoCaptionButtons && s.VerticalSync && !s.NoScreenSaver && s.FreezeWhenInactive);
    EXPECT_EQ(s.Priority, 2);
    EXPECT_TRUE(s.SetDisplayMode);
    EXPECT_EQ(s.ColorDepth, 2);
    EXPECT_EQ(s.Resolution, 3);
    EXPECT_EQ(s.Frequency, 3);
    EXPECT_FALSE(s.KeyEscEnds || s.KeyF1Information || s.KeyF4FullScreen || s.KeyF5SaveF6Load ||
                 s.KeyF9Screenshot || s.CloseButtonAsEsc);
    ASSERT_TRUE(s.BarBackImage && s.BarFrontImage && s.LoadingImage);
    EXPECT_EQ(s.BarBackImage->Width(), 4);
    EXPECT_FALSE(s.ScaleProgressBar);
    EXPECT_TRUE(s.LoadingImageTransparent);
    EXPECT_EQ(s.LoadingImageAlpha, 100);
    EXPECT_FALSE(s.ShowErrorMessages);
    EXPECT_TRUE(s.LogErrorMessages && s.AbortOnErrors);
    EXPECT_EQ(s.ScriptOptions, 1);
}

TEST(Pack, MistakesNameTheFileAndPosition)
{
    struct Case {
        std::string manifest;
        std::string expected; // the message after the folder
    } cases[] = {
        {"[window]\nbordr = false\n", "/game.toml:2:1: unknown key 'window.bordr'"},
        {"[window]\nscaling = \"big\"\n", "/game.toml:2:11: 'window.scaling': expected a whole number"},
        {"[window]\npriority = \"max\"\n",
         "/game.toml:2:12: 'window.priority': expected one of \"normal\", \"high\", \"highest\""},
        {"[window]\ncolor = \"#12\"\n", "/game.toml:2:9: 'window.color': expected a colour as \"#RRGGBB\" or a "
                                        "number 0xBBGGRR"},
        {"[loading]\nalpha = 300\n", "/game.toml:2:9: 'loading.alpha': must lie between 0 and 255"},
        {"[loading]\nimage = \"missing.png\"\n",
         "/game.toml:2:9: 'loading.image': cannot read the file \"missing.png\""},
        {"[game]\nguid = \"xyz\"\n", "/game.toml:2:8: 'game.guid': expected 32 hexadecimal digits such as "
                                     "\"0123abcd-4567-89ef-0123-456789abcdef\""},
        {"[game\n", "/game.toml:1:6: Error while parsing table header: expected ']', saw '\\n'"},
    };
    for (const Case& c : cases) {
        CScratchFolder folder;
        folder.Write("game.toml", c.manifest);
        GameProject project;
        try {
            ReadProject(folder.Path(), project);
            ADD_FAILURE() << "no error for " << c.manifest;
        } catch (const EProjectError& error) {
            EXPECT_EQ(std::string(error.what()), folder.Path() + c.expected) << c.manifest;
        }
    }
}
