// The loading window's picture: its size, the bars and their images.
#include "runner/LoadingPicture.h"
#include "runner/LoadingWindow.h"

#include <gtest/gtest.h>

namespace {

class LoadingPicture : public ::testing::Test {
protected:
    void SetUp() override { Settings.Reset(); }
    void TearDown() override { Settings.Reset(); }

    static std::unique_ptr<TBitmap32> Filled(int w, int h, uint32_t argb)
    {
        auto bitmap = std::make_unique<TBitmap32>(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                bitmap->SetPixel(x, y, argb);
        return bitmap;
    }
};

} // namespace

TEST_F(LoadingPicture, LayoutFollowsTheImage)
{
    RLoadingLayout plain = Loading_Layout(Settings);
    EXPECT_EQ(plain.w, 332);
    EXPECT_EQ(plain.h, 92);
    EXPECT_EQ(plain.barY, 60);
    EXPECT_EQ(plain.barW, 284);
    EXPECT_EQ(Loading_FullBarWidth(plain, 50), 142);
    EXPECT_EQ(Loading_FullBarWidth(plain, 150), 284);

    Settings.LoadingImage = Filled(200, 100, 0xFF112233);
    RLoadingLayout pictured = Loading_Layout(Settings);
    EXPECT_EQ(pictured.w, 200);
    EXPECT_EQ(pictured.barY, 68);
    EXPECT_EQ(pictured.barW, 152);
    TBitmap32 picture = Loading_Picture(Settings, 0);
    EXPECT_EQ(picture.PixelAt(5, 5), 0xFF112233u);
    EXPECT_NE(picture.PixelAt(30, 70), 0xFF112233u); // the empty bar lies on it

    Settings.ShowProgressBar = false;
    EXPECT_EQ(Loading_Picture(Settings, 100).PixelAt(30, 70), 0xFF112233u);
}

TEST_F(LoadingPicture, BarsFillWithTheProgress)
{
    // The runner's own look: the bar fills from the left.
    TBitmap32 half = Loading_Picture(Settings, 50);
    const uint32_t fill = half.PixelAt(26, 68), empty = half.PixelAt(300, 68);
    EXPECT_NE(fill, empty);
    EXPECT_EQ(half.PixelAt(24 + 140, 68), fill);
    EXPECT_EQ(half.PixelAt(24 + 143, 68), empty);

    // Bar images: the front one stretched to the bar's length, or cut there.
    Settings.BarBackImage = Filled(284, 16, 0xFF0000FF);
    Settings.BarFrontImage = Filled(10, 16, 0xFFFF0000);
    TBitmap32 scaled = Loading_Picture(Settings, 50);
    EXPECT_EQ(scaled.PixelAt(24, 60), 0xFFFF0000u);
    EXPECT_EQ(scaled.PixelAt(24 + 141, 75), 0xFFFF0000u);
    EXPECT_EQ(scaled.PixelAt(24 + 142, 60), 0xFF0000FFu);
    Settings.ScaleProgressBar = false;
    TBitmap32 cut = Loading_Picture(Settings, 50);
    EXPECT_EQ(cut.PixelAt(24 + 9, 60), 0xFFFF0000u);
    EXPECT_EQ(cut.PixelAt(24 + 10, 60), 0xFF0000FFu);
}

TEST_F(LoadingPicture, HeadlessRunsRecordTheStepsWithoutAWindow)
{
    CLoadingWindow window(true);
    window.SettingsRead(false);
    window.Progress(50, "Extracting included files");
    EXPECT_TRUE(window.IsShown());
    EXPECT_FALSE(window.HasWindow());
    ASSERT_EQ(window.Steps().size(), 2u);
    EXPECT_EQ(window.Steps()[0], (std::pair<int, std::string>{0, "Loading"}));
    window.Close();
    EXPECT_FALSE(window.IsShown());
}
