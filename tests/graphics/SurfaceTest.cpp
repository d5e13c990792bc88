// Surfaces on the null device: the table, the drawing target with its
// viewport, what a device reset leaves, cutting copies, errors and sizes.
#include "graphics/Surfaces.h"
#include "graphics/Textures.h"
#include "tests/graphics/GraphicsFixture.h"
#include "tests/support/TestSupport.h"
#include "world/GameState.h"

#include <filesystem>
#include <fstream>

class SurfaceTest : public GraphicsFixture {
protected:
    double Create(double w, double h) { return Real("surface_create", {RValue(w), RValue(h)}); }
};

TEST_F(SurfaceTest, TableEntriesAreReused)
{
    const double a = Create(30, 20), b = Create(16, 16);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(Real("surface_get_width", {RValue(a)}), 30);
    EXPECT_EQ(Real("surface_get_height", {RValue(a)}), 20);
    const double texture = Real("surface_get_texture", {RValue(a)});
    EXPECT_EQ(Real("texture_get_width", {RValue(texture)}), 30.0 / 32); // the device rounds up to 32
    Call("surface_free", {RValue(a)});
    EXPECT_EQ(Real("surface_exists", {RValue(a)}), 0);
    EXPECT_EQ(Real("surface_get_width", {RValue(a)}), -1);
    EXPECT_EQ(Real("surface_get_texture", {RValue(a)}), -1);
    EXPECT_FALSE(Texture_Exists(static_cast<int32_t>(texture)));
    EXPECT_EQ(Create(8, 8), a);
    Call("surface_free", {RValue(a)});
    Call("surface_free", {RValue(a)}); // twice, and ids that never were, do nothing
    Call("surface_free", {RValue(-3.0)});
    EXPECT_EQ(Real("surface_exists", {RValue(b)}), 1);

    // Sizes no device holds, or no size at all, make no surface.
    for (auto [w, h] : {std::pair{0.0, 5.0}, {5.0, -1.0}, {100000.0, 10.0}, {10.0, 1e12}, {9000.0, 9000.0}})
        EXPECT_EQ(Create(w, h), -1) << w << " x " << h;
    EXPECT_EQ(Create(kSurfaceMaxSide, 1), 0);
}

TEST_F(SurfaceTest, TheTargetTakesItsOwnViewportAndGivesTheRegionBack)
{
    const double a = Create(40, 30), b = Create(20, 10);
    EXPECT_EQ(Real("surface_reset_target"), 0); // nothing to go back to
    EXPECT_EQ(Real("surface_set_target", {RValue(7.0)}), 0);
    ASSERT_EQ(Real("surface_set_target", {RValue(a)}), 1);
    EXPECT_EQ(g_device->RenderTarget(), Texture_Handle(Surface_Get(0)->texture));
    EXPECT_EQ(g_device->Viewport(), (RPixelRect{0, 0, 40, 30}));
    EXPECT_EQ(Real("surface_set_target", {RValue(a)}), 1); // again: still the back buffer to go back to
    ASSERT_EQ(Real("surface_set_target", {RValue(b)}), 1);  // another: the first is reset on the way
    EXPECT_EQ(g_device->Viewport(), (RPixelRect{0, 0, 20, 10}));
    EXPECT_EQ(Real("surface_reset_target"), 1);
    EXPECT_EQ(g_device->RenderTarget(), 0u);
    EXPECT_EQ(g_device->Viewport(), (RPixelRect{0, 0, 640, 480}));
    EXPECT_EQ(Real("surface_reset_target"), 0);

    // Freeing the target sends drawing back first.
    Call("surface_set_target", {RValue(b)});
    Call("surface_free", {RValue(b)});
    EXPECT_EQ(g_device->RenderTarget(), 0u);
    EXPECT_EQ(Surface_Target(), -1);
    EXPECT_EQ(Real("surface_reset_target"), 0);
}

TEST_F(SurfaceTest, ADeviceResetFreesEverySurface)
{
    const double a = Create(40, 30);
    Create(10, 10);
    Call("surface_set_target", {RValue(a)});
    const int32_t textures = Texture_TableSize();
    ASSERT_TRUE(Display_Reset());
    EXPECT_EQ(Real("surface_exists", {RValue(a)}), 0);
    EXPECT_EQ(Real("surface_exists", {RValue(1.0)}), 0);
    EXPECT_EQ(Real("surface_get_width", {RValue(a)}), -1);
    EXPECT_EQ(g_device->RenderTarget(), 0u);
    EXPECT_EQ(Surface_Target(), -1);
    for (int32_t id = 0; id < textures; ++id)
        EXPECT_FALSE(Texture_Exists(id));
    // A new device starts with an empty table too.
    Create(5, 5);
    ASSERT_TRUE(Display_CreateDevice(640, 480, false));
    EXPECT_EQ(Real("surface_exists", {RValue(0.0)}), 0);
}

TEST_F(SurfaceTest, CopiesAreCutToBothSurfaces)
{
    struct Case {
        RSurfaceCopy in;
        bool copies;
        RSurfaceCopy out;
    } cases[] = {
        // Source 50 × 40, destination 30 × 20.
        {{0, 0, 0, 0, 50, 40}, true, {0, 0, 0, 0, 30, 20}},
        {{0, 0, -5, 0, 10, 10}, true, {5, 0, 0, 0, 5, 10}}, // 5 right and 5 narrower
        {{-4, -2, 10, 10, 10, 10}, true, {0, 0, 14, 12, 6, 8}},
        {{25, 15, 45, 0, 10, 10}, true, {25, 15, 45, 0, 5, 5}},
        {{0, 0, 50, 0, 10, 10}, false, {}},
        {{30, 0, 0, 0, 10, 10}, false, {}},
        {{0, 0, -20, 0, 10, 10}, false, {}},
        {{INT64_MIN, 0, 0, 0, INT64_MAX, 10}, false, {}},
    };
    for (const Case& c : cases) {
        RSurfaceCopy copy = c.in;
        EXPECT_EQ(Surface_CutCopy(copy, 50, 40, 30, 20), c.copies) << c.in.x << "," << c.in.xs;
        if (c.copies) {
            EXPECT_EQ(copy.x, c.out.x);
            EXPECT_EQ(copy.y, c.out.y);
            EXPECT_EQ(copy.xs, c.out.xs);
            EXPECT_EQ(copy.ys, c.out.ys);
            EXPECT_EQ(copy.ws, c.out.ws);
            EXPECT_EQ(copy.hs, c.out.hs);
        }
    }
}

TEST_F(SurfaceTest, MissingSurfacesAndFileNamesAreReported)
{
    const double a = Create(4, 4);
    struct Case {
        const char* name;
        std::vector<RValue> args;
        const char* message;
    } cases[] = {
        {"draw_surface", {RValue(3.0), RValue(0.0), RValue(0.0)}, "Trying to use non-existing surface."},
        {"draw_surface_tiled_ext", {RValue(-1.0), RValue(0.0), RValue(0.0), RValue(1.0), RValue(1.0), RValue(0.0),
                                    RValue(1.0)}, "Trying to use non-existing surface."},
        {"surface_getpixel", {RValue(3.0), RValue(0.0), RValue(0.0)}, "Trying to use non-existing surface."},
        {"surface_save", {RValue(3.0), RValue("x.png")}, "Trying to use non-existing surface."},
        {"surface_copy", {RValue(a), RValue(0.0), RValue(0.0), RValue(3.0)}, "Trying to use non-existing surface."},
        {"surface_copy_part", {RValue(3.0), RValue(0.0), RValue(0.0), RValue(a), RValue(0.0), RValue(0.0),
                               RValue(1.0), RValue(1.0)}, "Trying to use non-existing surface."},
        {"surface_save", {RValue(a), RValue("")}, "Trying to save surface to empty image file name."},
        {"surface_save_part", {RValue(a), RValue(""), RValue(0.0), RValue(0.0), RValue(1.0), RValue(1.0)},
         "Trying to save surface to empty image file name."},
    };
    for (const Case& c : cases) {
        Error_Last.clear();
        std::vector<RValue> args = c.args;
        int32_t number = -1;
        ASSERT_TRUE(Function_Find(c.name, number));
        RValue result;
        CExecutionContext context(nullptr, nullptr);
        Function_Get(number)->f_routine(context, result, static_cast<int>(args.size()), args.data());
        EXPECT_NE(Error_Last.find(c.message), std::string::npos) << c.name;
        EXPECT_EQ(result.val, 0) << c.name;
    }
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
}

TEST_F(SurfaceTest, DrawnSavedAndReadLikeAPicture)
{
    const double a = Create(30, 20);
    Call("draw_surface_stretched", {RValue(a), RValue(10.0), RValue(10.0), RValue(60.0), RValue(40.0)});
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[2].x, 70 - 0.5f);
    EXPECT_FLOAT_EQ(v[2].u, 30.0f / 32);
    Call("draw_surface_stretched", {RValue(a), RValue(10.0), RValue(10.0), RValue(0.0), RValue(40.0)});
    EXPECT_TRUE(g_device->TakeSentVertices().empty());

    // The null device reads back what a target was cleared to.
    Call("surface_set_target", {RValue(a)});
    Call("draw_clear_alpha", {RValue(0x102030), RValue(0.0)});
    Call("surface_reset_target");
    EXPECT_EQ(Real("surface_getpixel", {RValue(a), RValue(-5.0), RValue(3.0)}), 0x102030);
    EXPECT_EQ(Real("surface_getpixel", {RValue(a), RValue(30.0), RValue(3.0)}), 0); // past the surface

    // Saved with its alpha; one with no alpha anywhere comes out opaque.
    CScratchFolder folder;
    Call("surface_save", {RValue(a), RValue(folder.File("s.png"))});
    Call("surface_save_part", {RValue(a), RValue(folder.File("part.bmp")), RValue(25.0), RValue(0.0), RValue(50.0),
                               RValue(5.0)});
    TBitmap32 part;
    std::ifstream file(folder.File("part.bmp"), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(part.LoadFromBitmapFile(bytes.data(), bytes.size()));
    EXPECT_EQ(part.Width(), 5); // cut to the surface
    EXPECT_EQ(part.Height(), 5);
    EXPECT_EQ(part.PixelAt(0, 0), 0xFF302010u);
    EXPECT_TRUE(std::ifstream(folder.File("s.png")).good());
}

// Secure mode keeps every saver of pictures and models inside the game's
// folder, as it does the file functions: a name with a path is refused, a
// plain one is written.
TEST_F(SurfaceTest, SecureModeRefusesEverySaverAPath)
{
    CScratchFolder folder;
    const std::string outside = folder.File("victim.png");
    const double a = Create(4, 4);
    const double model = Real("d3d_model_create");
    struct Case {
        const char* name;
        std::vector<RValue> args;
    } cases[] = {
        {"screen_save", {RValue(outside)}},
        {"screen_save_part", {RValue(outside), RValue(0.0), RValue(0.0), RValue(2.0), RValue(2.0)}},
        {"surface_save", {RValue(a), RValue(outside)}},
        {"surface_save_part", {RValue(a), RValue(outside), RValue(0.0), RValue(0.0), RValue(2.0), RValue(2.0)}},
        {"surface_save", {RValue(a), RValue("..\\victim.png")}},
        {"d3d_model_save", {RValue(model), RValue(outside)}},
    };
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::create_directory(folder.File("game"));
    std::filesystem::current_path(folder.File("game"));
    GameState.secureMode = true;
    for (const Case& c : cases) {
        Error_Last.clear();
        Test_CallFunction(c.name, c.args);
        const std::string& name = c.args[c.args[0].IsString() ? 0 : 1].str.Text();
        EXPECT_NE(Error_Last.find("In secure mode you cannot write file " + name), std::string::npos)
            << c.name << ": " << Error_Last;
        EXPECT_FALSE(std::filesystem::exists(outside)) << c.name;
    }
    Error_Last.clear();
    Call("surface_save", {RValue(a), RValue("plain.png")});
    Call("screen_save", {RValue("screen.png")});
    EXPECT_EQ(Real("d3d_model_save", {RValue(model), RValue("model.d3d")}), 1);
    GameState.secureMode = false;
    std::filesystem::current_path(before);
    EXPECT_EQ(Error_Last, "");
    EXPECT_TRUE(std::filesystem::exists(folder.File("game/plain.png")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("game/screen.png")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("game/model.d3d")));
}
