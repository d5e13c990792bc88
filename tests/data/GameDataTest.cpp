// The game data container: finding, unscrambling, checking and reading the
// header and settings, against games written by the builder.
#include "data/GameContainer.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "data/Room.h"
#include "platform/Files.h"
#include "runner/Startup.h"
#include "tests/support/TestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

GameProject SampleProject()
{
    GameProject project;
    project.Name = "sample";
    project.GameId = 424242;
    for (size_t k = 0; k < 16; ++k)
        project.GameGUID[k] = static_cast<uint8_t>(0xA0 + k);
    project.DebugMode = true;
    // A game needs a room to start in.
    project.Resources.Rooms.Set(0, std::make_unique<CRoom>(), "room0");
    project.Resources.RoomOrder = {0};
    return project;
}

// Loads bytes as a game file through the same path as the runner.
GameLoadResult LoadBytes(const std::vector<uint8_t>& bytes, CMessageCapture&)
{
    CScratchFolder folder;
    folder.Write("game.brg", bytes);
    return LoadGameGuarded(folder.File("game.brg"), nullptr);
}

// A container around an outer body we build by hand, with a valid checksum.
std::vector<uint8_t> GameAround(const CStream& outer)
{
    return WriteGameContainer({}, outer.Bytes(), 1234567);
}

CStream OuterBodyWithSettings(const GameSettings& settings)
{
    CStream outer;
    outer.WriteInteger(0);
    outer.WriteBoolean(false);
    outer.WriteInteger(0);
    settings.SaveToStream(outer);
    return outer;
}

class GameDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings.Reset();
        GameId = 0;
        GameDebugMode = false;
    }
};

} // namespace

TEST_F(GameDataTest, BuiltGameReadsBackHeaderAndEverySetting)
{
    GameProject project = SampleProject();
    GameSettings& s = project.Settings;
    s.FullScreen = true;
    s.Interpolate = true;
    s.NoBorder = true;
    s.ShowCursor = false;
    s.Scaling = -1;
    s.Sizeable = true;
    s.StayOnTop = true;
    s.WindowColor = 0x123456;
    s.SetDisplayMode = true;
    s.ColorDepth = 2;
    s.Resolution = 3;
    s.Frequency = 4;
    s.NoCaptionButtons = true;
    s.VerticalSync = true;
    s.NoScreenSaver = false;
    s.KeyF4FullScreen = false;
    s.KeyF1Information = false;
    s.KeyEscEnds = false;
    s.KeyF5SaveF6Load = false;
    s.KeyF9Screenshot = false;
    s.CloseButtonAsEsc = false;
    s.Priority = 2;
    s.FreezeWhenInactive = true;
    s.BarBackImage = std::make_unique<TBitmap32>(4, 2);
    s.BarFrontImage = std::make_unique<TBitmap32>(3, 1);
    s.BarFrontImage->SetPixel(1, 0, 0xFF112233);
    s.LoadingImage = std::make_unique<TBitmap32>(2, 2);
    s.LoadingImageTransparent = true;
    s.LoadingImageAlpha = 17;
    s.ScaleProgressBar = false;
    s.ShowErrorMessages = false;
    s.LogErrorMessages = true;
    s.AbortOnErrors = true;
    s.ScriptOptions = 3;

    CMessageCapture messages;
    ASSERT_EQ(LoadBytes(BuildGame(project, {}), messages), GameLoadResult::Loaded);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(GameId, 424242);
    EXPECT_EQ(GameGUID, project.GameGUID);
    EXPECT_TRUE(GameDebugMode);
    EXPECT_TRUE(Settings.FullScreen && Settings.Interpolate && Settings.NoBorder && !Settings.ShowCursor);
    EXPECT_EQ(Settings.Scaling, -1);
    EXPECT_TRUE(Settings.Sizeable && Settings.StayOnTop);
    EXPECT_EQ(Settings.WindowColor, 0x123456);
    EXPECT_TRUE(Settings.SetDisplayMode);
    EXPECT_EQ(Settings.ColorDepth, 2);
    EXPECT_EQ(Settings.Resolution, 3);
    EXPECT_EQ(Settings.Frequency, 4);
    EXPECT_TRUE(Settings.NoCaptionButtons && Settings.VerticalSync && !Settings.NoScreenSaver);
    EXPECT_FALSE(Settings.KeyF4FullScreen || Settings.KeyF1Information || Settings.KeyEscEnds ||
                 Settings.KeyF5SaveF6Load || Settings.KeyF9Screenshot || Settings.CloseButtonAsEsc);
    EXPECT_EQ(Settings.Priority, 2);
    EXPECT_TRUE(Settings.FreezeWhenInactive && Settings.ShowProgressBar);
    ASSERT_TRUE(Settings.BarBackImage && Settings.BarFrontImage && Settings.LoadingImage);
    EXPECT_EQ(*Settings.BarFrontImage, *s.BarFrontImage);
    EXPECT_EQ(Settings.BarBackImage->Width(), 4);
    EXPECT_EQ(Settings.LoadingImage->Height(), 2);
    EXPECT_TRUE(Settings.LoadingImageTransparent);
    EXPECT_EQ(Settings.LoadingImageAlpha, 17);
    EXPECT_FALSE(Settings.ScaleProgressBar || Settings.ShowErrorMessages);
    EXPECT_TRUE(Settings.LogErrorMessages && Settings.AbortOnErrors);
    EXPECT_TRUE(Settings.UninitializedIsZero && Settings.CheckScriptArguments);
}

TEST_F(GameDataTest, DefaultsHoldBeforeAnyBlockIsRead)
{
    GameSettings fresh;
    EXPECT_TRUE(fresh.ShowCursor && fresh.NoScreenSaver && fresh.ShowProgressBar && fresh.CheckScriptArguments);
    EXPECT_FALSE(fresh.UninitializedIsZero || fresh.FullScreen);
    EXPECT_EQ(fresh.Scaling, 100);
    EXPECT_EQ(fresh.WindowColor, 0xFFFFFF);
    EXPECT_EQ(fresh.LoadingImageAlpha, 255);
}

TEST_F(GameDataTest, ScriptOptionsSetBothFlags)
{
    struct Case {
        int32_t options;
        bool zero, check;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const Case& c : cases) {
        GameSettings written;
        written.ScriptOptions = c.options;
        CStream s;
        written.SaveToStream(s);
        s.Seek(0);
        GameSettings read;
        ASSERT_TRUE(read.LoadFromStream(s));
        EXPECT_EQ(read.UninitializedIsZero, c.zero) << c.options;
        EXPECT_EQ(read.CheckScriptArguments, c.check) << c.options;
    }
}

TEST_F(GameDataTest, WithoutProgressBarTheLoadingImageFollowsDirectly)
{
    GameSettings written;
    written.ShowProgressBar = false;
    written.LoadingImage = std::make_unique<TBitmap32>(1, 1);
    CStream s;
    written.SaveToStream(s);
    s.Seek(4);
    auto block = s.ReadStreamC();
    // 23 fields of 4 bytes, the progress flag, then directly the image's presence flag.
    block->Seek(24 * 4);
    EXPECT_TRUE(block->ReadBoolean());
    s.Seek(0);
    GameSettings read;
    ASSERT_TRUE(read.LoadFromStream(s));
    EXPECT_FALSE(read.BarBackImage || read.BarFrontImage);
    EXPECT_TRUE(read.LoadingImage);
}

TEST_F(GameDataTest, MarkerAtTheFirstOffsetStoresTheVersionUnchanged)
{
    std::vector<uint8_t> game = BuildGame(SampleProject(), {});
    EXPECT_EQ(VersionMask(kMarkerSearchStart), 0);
    int32_t stored;
    std::memcpy(&stored, game.data() + kMarkerSearchStart + 16, 4);
    EXPECT_EQ(stored, 810);
    // Behind a larger image the version is masked.
    std::vector<uint8_t> image(kMarkerSearchStart + 401, 0);
    std::vector<uint8_t> later = BuildGame(SampleProject(), image);
    std::memcpy(&stored, later.data() + image.size() + 16, 4);
    EXPECT_EQ(stored, 810 ^ 100);
    CMessageCapture messages;
    EXPECT_EQ(LoadBytes(later, messages), GameLoadResult::Loaded);
}

TEST_F(GameDataTest, MarkerIsFoundWhateverItsFreeBytesHold)
{
    std::vector<uint8_t> game = BuildGame(SampleProject(), {});
    for (int64_t free : {0, 2, 5, 7})
        game[static_cast<size_t>(kMarkerSearchStart + free)] = 0xEE;
    CMessageCapture messages;
    EXPECT_EQ(LoadBytes(game, messages), GameLoadResult::Loaded);
    EXPECT_TRUE(messages.Messages().empty());
}

// A runner whose image is larger than the search start (a sanitizer build,
// or any build as it grows) is searched itself: a copy of the marker in it
// would stand in for every game appended behind it.
TEST_F(GameDataTest, TheRunnerImageHoldsNoMarker)
{
    std::vector<uint8_t> image;
    ASSERT_TRUE(Platform_ReadWholeFile(BRINDLE_RUNNER_FILE, image));
    ASSERT_GT(image.size(), 100000u);
    for (size_t p = 0; p + 8 <= image.size(); ++p)
        ASSERT_FALSE(IsMarkerAt(image.data(), static_cast<int64_t>(p))) << "at offset " << p;
    // The marker is still written and found as before.
    std::vector<uint8_t> game = BuildGame(SampleProject(), image);
    EXPECT_EQ(FindGameDataMarker(game.data(), static_cast<int64_t>(game.size())),
              std::max<int64_t>(kMarkerSearchStart, static_cast<int64_t>(image.size())));
}

TEST_F(GameDataTest, DamagedFilesGiveTheirMessages)
{
    std::vector<uint8_t> good = BuildGame(SampleProject(), {});
    const size_t marker = static_cast<size_t>(kMarkerSearchStart);

    std::vector<uint8_t> wrongVersion = good;
    wrongVersion[marker + 16] ^= 1;

    std::vector<uint8_t> shortFile(kMarkerSearchStart + 7, 0);

    GameSettings badSettings;
    CStream settingsOuter = OuterBodyWithSettings(badSettings);
    int32_t badVersion = 799;
    std::memcpy(settingsOuter.Memory() + 12, &badVersion, 4);

    // A body cut short, with a checksum that matches what is left.
    CStream truncated = OuterBodyWithSettings(GameSettings());
    truncated.WriteString("D3DX8.dll");

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::vector<std::string> messages;
    } cases[] = {
        {"short file", shortFile, {"Error: Not a valid game file."}},
        {"no marker", std::vector<uint8_t>(kMarkerSearchStart + 5000, 0x55), {"Error: Not a valid game file."}},
        {"wrong version", wrongVersion, {"Error: Wrong version number."}},
        {"bad settings", GameAround(settingsOuter), {"Error: Error in resource data."}},
        {"truncated body", GameAround(truncated), {"Failed to load the game data. File seems corrupted."}},
    };
    for (const Case& c : cases) {
        CMessageCapture messages;
        EXPECT_EQ(LoadBytes(c.bytes, messages), GameLoadResult::Failed) << c.name;
        EXPECT_EQ(messages.Messages(), c.messages) << c.name;
    }

    CMessageCapture messages;
    EXPECT_EQ(LoadGameGuarded("/nonexistent/brindle/game.brg", nullptr), GameLoadResult::Failed);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Error: Cannot read the game file."});
}

TEST_F(GameDataTest, AnyChangedByteBehindTheHeaderEndsSilently)
{
    std::vector<uint8_t> good = BuildGame(SampleProject(), {});
    const size_t first = static_cast<size_t>(kMarkerSearchStart) + 20;
    // The first bytes of the body are never scrambled, the last few neither,
    // and everything in between is: changing any of them must be caught.
    for (size_t offset : {first, first + 7, first + 300, (first + good.size()) / 2, good.size() - 3, good.size() - 1}) {
        std::vector<uint8_t> changed = good;
        changed[offset] ^= 0x10;
        CMessageCapture messages;
        EXPECT_EQ(LoadBytes(changed, messages), GameLoadResult::Tampered) << offset;
        EXPECT_TRUE(messages.Messages().empty()) << offset;
    }
}

TEST_F(GameDataTest, ScramblingLeavesTheFirstBytesAndTheTailAlone)
{
    CStream outer = OuterBodyWithSettings(GameSettings());
    outer.WriteString(std::string(600, 'x'));
    std::vector<uint8_t> game = GameAround(outer);
    uint32_t w = KeyTextCRC(1234567);
    size_t s = (w & 0xFF) + 6;
    ASSERT_LT(s + 8, outer.Size());
    size_t body = static_cast<size_t>(kMarkerSearchStart) + 20;
    for (size_t k = 0; k < s; ++k)
        EXPECT_EQ(game[body + k], outer.Bytes()[k]) << k;
    EXPECT_EQ(game[game.size() - 1], outer.Bytes().back());
    EXPECT_EQ(game[game.size() - 2], outer.Bytes()[outer.Size() - 2]);
    EXPECT_NE(std::vector<uint8_t>(game.begin() + static_cast<ptrdiff_t>(body + s), game.end()),
              std::vector<uint8_t>(outer.Bytes().begin() + static_cast<ptrdiff_t>(s), outer.Bytes().end()));
}

TEST_F(GameDataTest, KeyTextUsesTheChosenPrefixAndSuffix)
{
    EXPECT_EQ(MakeKeyText(4000000000u), std::string(kKeyPrefix) + "4000000000" + kKeySuffix);
}
