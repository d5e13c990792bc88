// Splash screens and the game information page: where content goes, the
// settings' booleans, missing files, timers and videos in automated runs,
// and the information window's placement and text.
#include "dialogs/InformationWindow.h"
#include "dialogs/Splash.h"
#include "graphics/PictureFiles.h"
#include "platform/Files.h"
#include "platform/VideoFile.h"
#include "tests/dialogs/DialogFixture.h"
#include "world/GameKeys.h"
#include "world/GameState.h"

namespace {

using SplashTest = DialogFixture;

const std::string kClip = std::string(BRINDLE_SOURCE_DIR) + "/tests/dialogs/clip.avi";

TEST(SplashPlace, ScaleAndBooleans)
{
    EXPECT_EQ(Splash_Place(320, 240, 640, 480, -1), (RCanvasRect{0, 0, 640, 480}));
    EXPECT_EQ(Splash_Place(320, 240, 640, 480, 1), (RCanvasRect{160, 120, 320, 240}));
    EXPECT_EQ(Splash_Place(320, 240, 640, 480, 0), (RCanvasRect{0, 0, 640, 480}));
    EXPECT_EQ(Splash_Place(100, 400, 640, 480, -1), (RCanvasRect{260, 0, 120, 480}));
    EXPECT_EQ(Splash_Place(0, 240, 640, 480, -1), (RCanvasRect{}));
    struct {
        double value;
        bool on;
    } cases[] = {{0.5, false}, {0.6, true}, {1.5, true}, {-1, false}, {2.5, true}, {0.49, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Splash_Bool(c.value), c.on) << c.value;
}

TEST_F(SplashTest, SettingsAndMissingFiles)
{
    Call("splash_set_stop_key", {RValue(0.5)});
    EXPECT_FALSE(SplashSettings.stopKey);
    Call("splash_set_stop_key", {RValue(0.6)});
    EXPECT_TRUE(SplashSettings.stopKey);
    Call("splash_set_scale", {RValue(0.25)});
    EXPECT_EQ(SplashSettings.scale, 0.25); // kept unrounded

    // full of the older functions: any whole number but 0 is full screen.
    Call("show_image", {RValue("nothing.png"), RValue(-1.0), RValue(0.0)});
    EXPECT_TRUE(SplashSettings.fullscreen);
    EXPECT_FALSE(SplashSettings.main);
    EXPECT_EQ(Reported(), "Image file not found.");
    Error_Reset();
    Call("show_text", {RValue("nothing.rtf"), RValue(0.0), RValue(255.0), RValue(0.0)});
    EXPECT_TRUE(SplashSettings.main);
    EXPECT_EQ(SplashSettings.color, 255);
    EXPECT_EQ(Reported(), "Text file not found.");
    Error_Reset();

    // A video's name of 127 characters is refused even when the file is there;
    // one of 126 goes on to the player, which cannot play a text file.
    const std::string folder = d_scratch.Path() + "/";
    const std::string longName = folder + std::string(127 - folder.size(), 'v');
    d_scratch.Write(longName.substr(folder.size()), "no video");
    Call("splash_show_video", {RValue(longName), RValue(0.0)});
    EXPECT_EQ(Reported(), "Video file not found (or name too long).");
    Error_Reset();
    const std::string shorter = longName.substr(0, 126);
    d_scratch.Write(shorter.substr(folder.size()), "no video");
    Call("splash_show_video", {RValue(shorter), RValue(0.0)});
    EXPECT_EQ(Reported().rfind("Video file cannot be played: " + shorter, 0), 0u) << Reported();
    SplashSettings = RSplashSettings();
}

TEST_F(SplashTest, ClosedByTimeByAnswerOrByDefault)
{
    TBitmap32 picture(4, 3);
    const std::vector<uint8_t> png = Picture_EncodePng(picture);
    d_scratch.Write("pic.png", png);
    const std::string pic = d_scratch.File("pic.png");
    // A delay closes it by itself: nobody needs to answer.
    Call("splash_show_image", {RValue(pic), RValue(1.0)});
    EXPECT_EQ(Said(), "");
    Answer(EDialogAnswer::Cancel);
    Call("splash_show_image", {RValue(pic), RValue(0.0)});
    EXPECT_EQ(Said(), "");
    Call("splash_show_image", {RValue(pic), RValue(0.0)});
    EXPECT_EQ(Said(), "brindle-run: splash_show_image(\"" + pic + "\"): no answer, closed\n");
    // Web pages are never opened by automated runs.
    Call("splash_show_web", {RValue("https://example.org"), RValue(0.0)});
    EXPECT_EQ(Said(), "brindle-run: splash_show_web(\"https://example.org\"): a web page is not opened in an "
                      "automated run\n");
    // Secure mode hands no address to the system's browser.
    GameState.secureMode = true;
    Call("splash_show_web", {RValue("file:///bin/sh"), RValue(0.0)});
    GameState.secureMode = false;
    EXPECT_EQ(Reported(), "In secure mode you cannot open webpages.");
    EXPECT_EQ(Said(), "");
    Error_Reset();
    // Beside the game, with no display to show it on: said so.
    Call("splash_set_main", {RValue(0.0)});
    Call("splash_set_interrupt", {RValue(0.0)});
    Call("splash_show_image", {RValue(pic), RValue(0.0)});
    EXPECT_NE(Said().find("cannot be shown beside the game without a display"), std::string::npos);
    SplashSettings = RSplashSettings();
}

TEST_F(SplashTest, VideosPlayTheirPicturesAndSound)
{
    std::string why;
    std::unique_ptr<IVideoFile> video = Platform_OpenVideo(kClip, why);
    ASSERT_TRUE(video) << why;
    EXPECT_EQ(video->Width(), 32);
    EXPECT_EQ(video->Height(), 24);
    EXPECT_NEAR(static_cast<double>(video->Duration()), 800000.0, 100000.0);
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(video->PictureAt(0, 16, 12, pixels));
    EXPECT_EQ(pixels.size(), 16u * 12u * 4u);
    EXPECT_GT(pixels[2], 200); // red first
    EXPECT_LT(pixels[1], 60);
    ASSERT_TRUE(video->PictureAt(600000, 16, 12, pixels));
    EXPECT_GT(pixels[1], 200); // then green
    EXPECT_LT(pixels[2], 60);
    EXPECT_FALSE(video->PictureAt(5000000, 16, 12, pixels)); // past the end
    ASSERT_TRUE(video->Rewind());
    ASSERT_TRUE(video->PictureAt(0, 16, 12, pixels));
    EXPECT_GT(pixels[2], 200);
    RPcm pcm;
    ASSERT_TRUE(video->DecodeSound(pcm));
    EXPECT_EQ(pcm.rate, 44100);
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_NEAR(pcm.Seconds(), 0.8, 0.05);

    // Played as a splash, it closes when it ends; a looping one needs the player.
    Call("splash_show_video", {RValue(kClip), RValue(0.0)});
    EXPECT_EQ(Said(), "");
    Call("show_video", {RValue(kClip), RValue(0.0), RValue(1.0)});
    EXPECT_EQ(Said(), "brindle-run: show_video(\"" + kClip + "\"): no answer, closed\n");
    SplashSettings = RSplashSettings();
}

TEST_F(SplashTest, InformationPage)
{
    CGameInformation info;
    info.i_width = 5000;
    info.i_height = 300;
    EXPECT_EQ(Information_Placement(info, 1920, 1080), (RCanvasRect{0, 390, 1920, 300}));
    info.i_left = 15;
    info.i_top = 25;
    EXPECT_EQ(Information_Placement(info, 1920, 1080), (RCanvasRect{15, 25, 1920, 300}));

    info = CGameInformation();
    info.i_text = "first";
    Information_Set(info);
    EXPECT_EQ(Call("load_info", {RValue("missing.rtf")}).val, 0);
    EXPECT_EQ(Information_Get().i_text, "first");
    d_scratch.Write("info.rtf", "{\\rtf1 second}");
    EXPECT_EQ(Call("load_info", {RValue(d_scratch.File("info.rtf"))}).val, 1);
    EXPECT_EQ(Information_Get().i_text, "{\\rtf1 second}");

    // Shown modally (here answered, then unanswered); beside the game it
    // needs a display.
    Answer(EDialogAnswer::Cancel);
    Call("show_info");
    EXPECT_EQ(Said(), "");
    Call("show_info");
    EXPECT_EQ(Said(), "brindle-run: show_info(): no answer, closed\n");
    info.i_pausegame = false;
    Information_Set(info);
    Call("show_info");
    EXPECT_EQ(Said(), "brindle-run: show_info(): cannot be shown beside the game without a display\n");

    // F1 shows the same page, when the settings allow it.
    Dialogs_Start();
    info.i_pausegame = true;
    Information_Set(info);
    Settings.KeyF1Information = true;
    InputState.in_lastKey = 112;
    GameKeys_Handle();
    EXPECT_EQ(Said(), "brindle-run: F1(): no answer, closed\n");
    EXPECT_EQ(InputState.in_lastKey, 0);
    Dialogs_Shutdown();

    // Inside the game window the page goes when Escape is let go.
    CInformationPage page(info, true, "F1");
    page.KeyDown(27, false);
    EXPECT_FALSE(page.IsClosed());
    page.KeyUp(27);
    EXPECT_TRUE(page.IsClosed());
    CInformationPage own(info, false, "F1");
    own.KeyDown(27, false);
    EXPECT_TRUE(own.IsClosed());
}

} // namespace
