// 3D mode on the null device: switching it, the current depth, the world
// transform and its stack, lights, shapes and their step counts, and models
// (drawn from one kept mesh, saved, loaded, and damaged files refused).
#include "graphics/Matrix3D.h"
#include "graphics/Mode3D.h"
#include "graphics/ModelFile.h"
#include "graphics/Models3D.h"
#include "graphics/Surfaces.h"
#include "tests/graphics/GraphicsFixture.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

class D3DTest : public GraphicsFixture {
protected:
    void TearDown() override
    {
        Model_DestroyAll();
        GraphicsFixture::TearDown();
    }

    static std::vector<RValue> Reals(std::initializer_list<double> values)
    {
        return std::vector<RValue>(values.begin(), values.end());
    }
    static RValue CallWith(const char* name, const std::vector<RValue>& arguments)
    {
        return Test_CallFunction(name, arguments);
    }
    std::vector<RVertex3D> Sent3D() { return g_device->TakeSentVertices3D(); }

    // Where a point lands under the world transform.
    static RVector3 Transformed(double x, double y, double z)
    {
        const RMatrix4& m = Mode3D.world;
        return {x * m.m[0][0] + y * m.m[1][0] + z * m.m[2][0] + m.m[3][0],
                x * m.m[0][1] + y * m.m[1][1] + z * m.m[2][1] + m.m[3][1],
                x * m.m[0][2] + y * m.m[1][2] + z * m.m[2][2] + m.m[3][2]};
    }
};

} // namespace

TEST_F(D3DTest, StartingTwiceDoesNothingTheSecondTimeAndSurfacesGo)
{
    const double surface = Real("surface_create", {RValue(16.0), RValue(16.0)});
    ASSERT_EQ(Real("surface_exists", {RValue(surface)}), 1);
    EXPECT_EQ(Real("d3d_start"), 1);
    EXPECT_TRUE(g_device->HasDepthBuffer());
    EXPECT_EQ(Real("surface_exists", {RValue(surface)}), 0); // the display was reset
    EXPECT_TRUE(g_device->SceneState().hidden);
    const double again = Real("surface_create", {RValue(16.0), RValue(16.0)});
    EXPECT_EQ(Real("d3d_start"), 1);
    EXPECT_EQ(Real("surface_exists", {RValue(again)}), 1); // no second reset
    EXPECT_EQ(Real("d3d_end"), 1);
    EXPECT_FALSE(g_device->HasDepthBuffer());
    EXPECT_FALSE(g_device->SceneState().hidden); // hidden surfaces count only in 3D mode
    EXPECT_EQ(Real("surface_exists", {RValue(again)}), 0);
}

TEST_F(D3DTest, AFailedStartStaysIn2D)
{
    CMessageCapture messages;
    g_device->FailDepthBuffer(true);
    EXPECT_EQ(Real("d3d_start"), 0);
    EXPECT_FALSE(Mode3D.on);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{kMode3DFailedMessage});
    Call("d3d_set_depth", {RValue(50.0)});
    EXPECT_EQ(DrawState.depth, 0);
}

TEST_F(D3DTest, DepthIsClampedIn3DAndAlwaysZeroOutside)
{
    Call("d3d_set_depth", {RValue(500.0)});
    Call("draw_rectangle", {RValue(0.0), RValue(0.0), RValue(4.0), RValue(4.0), RValue(0.0)});
    EXPECT_EQ(g_device->TakeSentVertices().at(0).z, 0);
    ASSERT_EQ(Real("d3d_start"), 1);
    for (auto [asked, kept] : {std::pair{20000.0, 16000.0}, {-20000.0, -16000.0}, {-250.5, -250.5}}) {
        Call("d3d_set_depth", {RValue(asked)});
        Call("draw_rectangle", {RValue(0.0), RValue(0.0), RValue(4.0), RValue(4.0), RValue(0.0)});
        EXPECT_EQ(g_device->TakeSentVertices().at(0).z, kept) << asked;
    }
    Call("d3d_end");
    EXPECT_EQ(DrawState.depth, 0);
}

TEST_F(D3DTest, TransformsApplyAfterTheWorldSoFarWithAnglesTurningCounterClockwise)
{
    Call("d3d_transform_set_rotation_z", {RValue(90.0)});
    Call("d3d_transform_add_translation", {RValue(10.0), RValue(0.0), RValue(0.0)});
    // (1, 0) turns to (0, -1), up in a y-down room, then moves right.
    RVector3 p = Transformed(1, 0, 0);
    EXPECT_NEAR(p.x, 10, 1e-9);
    EXPECT_NEAR(p.y, -1, 1e-9);
    Call("d3d_transform_set_scaling", {RValue(2.0), RValue(3.0), RValue(4.0)});
    Call("d3d_transform_add_rotation_axis", {RValue(0.0), RValue(0.0), RValue(5.0), RValue(90.0)});
    p = Transformed(1, 1, 1);
    EXPECT_NEAR(p.x, 3, 1e-9);
    EXPECT_NEAR(p.y, -2, 1e-9);
    EXPECT_NEAR(p.z, 4, 1e-9);
    Call("d3d_transform_set_identity");
    Call("d3d_transform_add_rotation_x", {RValue(90.0)});
    p = Transformed(0, 1, 0);
    EXPECT_NEAR(p.z, -1, 1e-9);
    Call("d3d_transform_set_rotation_y", {RValue(90.0)});
    p = Transformed(0, 0, 1);
    EXPECT_NEAR(p.x, -1, 1e-9);
}

TEST_F(D3DTest, TheStackHoldsAThousandAndOneMatrices)
{
    EXPECT_EQ(Real("d3d_transform_stack_empty"), 1);
    EXPECT_EQ(Real("d3d_transform_stack_pop"), 0);
    EXPECT_EQ(Real("d3d_transform_stack_top"), 0);
    EXPECT_EQ(Real("d3d_transform_stack_discard"), 0);
    Call("d3d_transform_set_translation", {RValue(1.0), RValue(0.0), RValue(0.0)});
    for (int k = 0; k < 1001; ++k)
        ASSERT_EQ(Real("d3d_transform_stack_push"), 1) << k;
    EXPECT_EQ(Real("d3d_transform_stack_push"), 0);
    Call("d3d_transform_set_translation", {RValue(7.0), RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Real("d3d_transform_stack_top"), 1);
    EXPECT_NEAR(Transformed(0, 0, 0).x, 1, 1e-12);
    Call("d3d_transform_set_translation", {RValue(7.0), RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Real("d3d_transform_stack_discard"), 1);
    EXPECT_NEAR(Transformed(0, 0, 0).x, 7, 1e-12); // discarding leaves the world alone
    EXPECT_EQ(Real("d3d_transform_stack_pop"), 1);
    EXPECT_NEAR(Transformed(0, 0, 0).x, 1, 1e-12);
    EXPECT_EQ(Real("d3d_transform_stack_empty"), 0);
    Call("d3d_transform_stack_clear");
    EXPECT_EQ(Real("d3d_transform_stack_empty"), 1);
}

TEST_F(D3DTest, LightsReachTheDeviceByNumber)
{
    Call("d3d_set_lighting", {RValue(1.0)});
    Call("d3d_light_define_ambient", {RValue(0x336699 + 0.9)}); // truncated
    Call("d3d_light_define_ambient", {RValue("no")});          // a string changes nothing
    CallWith("d3d_light_define_point", Reals({3, 1, 2, 3, 200, 0x0000FF}));
    CallWith("d3d_light_define_direction", Reals({1, 0, 0, 2, 0xFF0000}));
    Call("d3d_light_enable", {RValue(3.0), RValue(1.0)});
    Call("d3d_light_enable", {RValue(1.0), RValue(1.0)});
    Call("d3d_light_enable", {RValue(9.0), RValue(1.0)}); // never defined: white along +z
    RSceneState s = g_device->SceneState();
    EXPECT_TRUE(s.lighting);
    EXPECT_FLOAT_EQ(s.ambient[0], 0x99 / 255.0f);
    EXPECT_FLOAT_EQ(s.ambient[2], 0x33 / 255.0f);
    ASSERT_EQ(s.lightCount, 3);
    EXPECT_FALSE(s.lights[0].point); // light 1 comes first
    EXPECT_FLOAT_EQ(s.lights[0].b, 1);
    EXPECT_FLOAT_EQ(s.lights[0].z, 2);
    EXPECT_TRUE(s.lights[1].point);
    EXPECT_FLOAT_EQ(s.lights[1].attenuation, 4.0f / 200);
    EXPECT_FLOAT_EQ(s.lights[1].r, 1);
    EXPECT_FLOAT_EQ(s.lights[1].g, 0);
    EXPECT_EQ(s.lights[2], RLight());
    Call("d3d_light_enable", {RValue(1.0), RValue(0.0)});
    EXPECT_EQ(g_device->SceneState().lightCount, 2);
    EXPECT_TRUE(Error_Last.empty());
    for (int k = 20; k < 27; ++k)
        Call("d3d_light_enable", {RValue(double(k)), RValue(1.0)});
    EXPECT_NE(Error_Last.find("8 lights"), std::string::npos);
    EXPECT_EQ(g_device->SceneState().lightCount, 8);
}

TEST_F(D3DTest, ShapesCountTheirStepsAndWrapTheirTexture)
{
    const double texture = Real("surface_get_texture", {RValue(Real("surface_create", {RValue(8.0), RValue(8.0)}))});
    auto cylinder = [&](double steps, bool closed) {
        CallWith("d3d_draw_cylinder", Reals({0, 0, 0, 10, 20, 5, texture, 2, 3, closed ? 1.0 : 0.0, steps}));
        return Sent3D();
    };
    // Each step adds two strip vertices; caps are a centre and the rim.
    EXPECT_EQ(cylinder(2, false).size(), 2u * 4);
    EXPECT_EQ(cylinder(500, false).size(), 2u * 129);
    std::vector<RVertex3D> v = cylinder(4, true);
    ASSERT_EQ(v.size(), 6u + 10u + 6u);
    EXPECT_EQ(v[0].z, 5);   // the z2 cap first, +z
    EXPECT_EQ(v[0].nz, 1);
    EXPECT_EQ(v[0].v, 3);
    EXPECT_FLOAT_EQ(v[6].x, 10); // the side: angle 0 at the right edge
    EXPECT_FLOAT_EQ(v[6].y, 10);
    EXPECT_EQ(v[6].nx, 1);
    EXPECT_EQ(v[7].z, 0);
    EXPECT_EQ(v[7].v, 0);
    EXPECT_FLOAT_EQ(v[14].u, 2);
    EXPECT_EQ(v[16].nz, -1);
    EXPECT_TRUE(g_device->DrawSettings().repeat);
    EXPECT_FALSE(DrawState.textureRepeat);

    CallWith("d3d_draw_cone", Reals({0, 0, 0, 10, 10, 5, -1, 1, 1, 1, 3}));
    v = Sent3D();
    ASSERT_EQ(v.size(), 8u + 5u); // strip and the z1 cap only
    EXPECT_FLOAT_EQ(v[0].x, 5);   // the apex
    EXPECT_EQ(v[0].z, 5);
    CallWith("d3d_draw_ellipsoid", Reals({0, 0, 0, 10, 10, 10, -1, 1, 3, 4}));
    v = Sent3D();
    ASSERT_EQ(v.size(), 2u * 2 * 5); // (4 + 1) div 2 rings of 5 steps
    EXPECT_EQ(v[0].z, 10);           // from the top down
    EXPECT_EQ(v[0].v, 0);
    EXPECT_FLOAT_EQ(v[1].z, 5);
    EXPECT_FLOAT_EQ(v[1].v, 1.5f); // each latitude its own texture row
    CallWith("d3d_draw_block", Reals({0, 0, 0, 1, 1, 1, -1, 1, 1}));
    v = Sent3D();
    ASSERT_EQ(v.size(), 24u);
    EXPECT_EQ(v[0].nz, -1);
    EXPECT_EQ(v[4].nz, 1);
    EXPECT_EQ(v[8].nx, 1);
    EXPECT_EQ(v[12].ny, 1);
    EXPECT_EQ(v[16].nx, -1);
    EXPECT_EQ(v[20].ny, -1);
    CallWith("d3d_draw_floor", Reals({0, 0, 0, 10, 20, 5, -1, 2, 3}));
    v = Sent3D();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[2].z, 5);
    EXPECT_EQ(v[1].v, 3);
}

TEST_F(D3DTest, AWallWithoutLengthDrawsNothingAndLeavesRepeatAlone)
{
    Call("texture_set_repeat", {RValue(0.0)});
    Call("draw_primitive_begin", {RValue(1.0)});
    Call("draw_vertex", {RValue(0.0), RValue(0.0)});
    Call("draw_primitive_end");
    CallWith("d3d_draw_wall", Reals({5, 5, 0, 5, 5, 10, -1, 1, 1}));
    EXPECT_TRUE(Sent3D().empty());
    EXPECT_FALSE(g_device->DrawSettings().repeat);
    CallWith("d3d_draw_wall", Reals({0, 0, 0, 3, 4, 10, -1, 2, 1}));
    std::vector<RVertex3D> v = Sent3D();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].nx, 0.8f);
    EXPECT_FLOAT_EQ(v[0].ny, -0.6f);
    EXPECT_EQ(v[2].u, 2);
    EXPECT_FALSE(DrawState.textureRepeat);
}

TEST_F(D3DTest, PrimitivesTakeTheirOwnZAndTheDrawColourWhereTheyHaveNone)
{
    Call("draw_set_color", {RValue(0x0000FF)});
    Call("d3d_primitive_begin", {RValue(4.0)});
    CallWith("d3d_vertex", Reals({1, 2, 3}));
    CallWith("d3d_vertex_normal_texture_color", Reals({4, 5, 6, 0, 1, 0, 0.5, 0.25, 0x00FF00, 0.5}));
    CallWith("d3d_vertex_color", Reals({7, 8, 9, 0xFF0000, 1}));
    Call("d3d_primitive_end");
    std::vector<RVertex3D> v = Sent3D();
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].z, 3);
    EXPECT_EQ(v[0].color, 0xFFFF0000u);
    EXPECT_EQ(v[1].ny, 1);
    EXPECT_EQ(v[1].u, 0.5f);
    EXPECT_EQ(v[1].color, 0x8000FF00u);
    EXPECT_EQ(v[2].color, 0xFF0000FFu);
    // Vertices beyond the 32001st are ignored.
    Call("d3d_primitive_begin", {RValue(1.0)});
    for (int k = 0; k < 32005; ++k)
        CallWith("d3d_vertex", Reals({0, 0, 0}));
    Call("d3d_primitive_end");
    EXPECT_EQ(Sent3D().size(), 32001u);
}

TEST_F(D3DTest, ModelsAreKeptInTheDeviceAndDrawnWithACallPerKindOfList)
{
    const double m = Real("d3d_model_create");
    EXPECT_EQ(m, 0);
    EXPECT_EQ(Real("d3d_model_create"), 1);
    Call("d3d_model_destroy", {RValue(0.0)});
    EXPECT_EQ(Real("d3d_model_create"), 0); // the first free slot
    Call("d3d_model_primitive_begin", {RValue(m), RValue(4.0)});
    for (int k = 0; k < 6; ++k)
        CallWith("d3d_model_vertex_normal", Reals({m, double(k), 0, 0, 0, 0, -1}));
    Call("d3d_model_primitive_end", {RValue(m)});
    CallWith("d3d_model_block", Reals({m, 0, 0, 0, 1, 1, 1, 1, 1}));
    CallWith("d3d_model_wall", Reals({m, 0, 0, 0, 5, 0, 1, 1, 1}));
    CallWith("d3d_model_draw", Reals({m, 10, 20, 30, -1}));
    EXPECT_EQ(g_device->Stats().meshUploads, 1);
    const RMesh* mesh = g_device->Mesh(g_device->LastMeshDrawn());
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->vertices.size(), 6u + 24u + 4u);
    EXPECT_EQ(g_device->LastMeshOffset()[2], 30);
    EXPECT_FALSE(mesh->parts[0].repeat); // primitives follow the repeat flag, shapes wrap
    EXPECT_TRUE(mesh->parts[1].repeat);
    EXPECT_EQ(mesh->drawColor[0], 1); // no colour of their own: the colour of each draw

    const RDeviceStats before = g_device->Stats();
    for (int k = 0; k < 10; ++k)
        CallWith("d3d_model_draw", Reals({m, double(k), 0, 0, -1}));
    const RDeviceStats after = g_device->Stats();
    EXPECT_EQ(after.meshUploads, before.meshUploads);
    EXPECT_EQ(after.drawCalls - before.drawCalls, 2 * 10); // unwrapped and wrapped triangles
    CallWith("d3d_model_vertex", Reals({m, 0, 0, 0}));      // a change builds it again
    CallWith("d3d_model_draw", Reals({m, 0, 0, 0, -1}));
    EXPECT_EQ(g_device->Stats().meshUploads, 2);
    EXPECT_EQ(g_device->MeshCount(), 1u);
    Call("d3d_model_clear", {RValue(m)});
    CallWith("d3d_model_draw", Reals({m, 0, 0, 0, -1}));
    EXPECT_EQ(g_device->MeshCount(), 0u);
    // Indices that name no model do nothing.
    CallWith("d3d_model_draw", Reals({7, 0, 0, 0, -1}));
    CallWith("d3d_model_block", Reals({-1, 0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Real("d3d_model_save", {RValue(7.0), RValue("x.d3d")}), 0);
}

TEST_F(D3DTest, ReplayingEntriesDrawsWhatTheImmediateFunctionsDraw)
{
    std::vector<REntry> entries = {
        {kModelVertex, 9, 9, 9},                       // outside a primitive: never drawn
        {kModelPrimitiveBegin, 7},                     // no such kind
        {kModelVertex, 1, 1, 1},
        {kModelPrimitiveEnd},
        {kModelPrimitiveBegin, 5},
        {kModelVertexTextureColor, 1, 2, 3, 0.5, 0.5, 0x0000FF, 1},
        {kModelVertexNormalColor, 4, 5, 6, 0, 0, 1, 0x00FF00, 0.5},
        {kModelVertexNormalTextureColor, 7, 8, 9, 1, 0, 0, 0.25, 0.75, 0xFF0000, 1},
        {kModelPrimitiveEnd},
        {kModelPrimitiveEnd},                          // ending again draws it again
        {99, 1, 2, 3},                                 // a kind no step has
        {kModelCylinder, 0, 0, 0, 4, 4, 4, 1, 1, 1, 2}, // closed, 3 steps
    };
    RMesh mesh;
    Model_BuildMesh(entries, static_cast<int32_t>(entries.size()), mesh);
    ASSERT_EQ(mesh.parts.size(), 2u + 3u);
    EXPECT_EQ(mesh.parts[0].kind, EPrimitive::TriangleStrip);
    EXPECT_EQ(mesh.parts[1].first, 3);
    ASSERT_GE(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.vertices[0].color, 0xFFFF0000u);
    EXPECT_EQ(mesh.vertices[1].color, 0x8000FF00u);
    EXPECT_EQ(mesh.vertices[1].nz, 1);
    EXPECT_EQ(mesh.vertices[2].v, 0.75f);
    EXPECT_EQ(mesh.drawColor[2], 0);
    EXPECT_EQ(mesh.vertices.size(), 6u + 5u + 8u + 5u);
}

TEST_F(D3DTest, ASavedModelLoadsBackEntryForEntry)
{
    CScratchFolder folder;
    const double m = Real("d3d_model_create");
    CallWith("d3d_model_primitive_begin", Reals({m, 6}));
    CallWith("d3d_model_vertex_normal_texture_color", Reals({m, -1.5, 2.25, 1e6, 0, -1, 0, 0.125, 3, 0xFF8040, 0.5}));
    CallWith("d3d_model_vertex", Reals({m, 1.00004, -0.00004, 2.5}));
    CallWith("d3d_model_primitive_end", Reals({m}));
    CallWith("d3d_model_cylinder", Reals({m, 0, 0, 0, 10, 10, 20, 2, 1, 1, 24}));
    CallWith("d3d_model_floor", Reals({m, -5, -5, 0, 5, 5, 0, 4, 4}));
    const std::string name = folder.File("ship.d3d");
    ASSERT_EQ(Real("d3d_model_save", {RValue(m), RValue(name)}), 1);

    std::ifstream file(name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string written = text.str();
    EXPECT_EQ(written.substr(0, 8), "100\r\n6\r\n");
    EXPECT_NE(written.find("\r\n0 6.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000\r\n"),
              std::string::npos);
    EXPECT_NE(written.find("\r\n2 1.0000 0.0000 2.5000 0.0000"), std::string::npos); // 4 decimals, no "-0"

    const double copy = Real("d3d_model_create");
    ASSERT_EQ(Real("d3d_model_load", {RValue(copy), RValue(name)}), 1);
    const C3D_Model* a = Model_Get(static_cast<int32_t>(m));
    const C3D_Model* b = Model_Get(static_cast<int32_t>(copy));
    ASSERT_EQ(b->i_numb, 6);
    for (int32_t k = 0; k < 6; ++k) {
        const REntry& x = a->i_val[static_cast<size_t>(k)];
        const REntry& y = b->i_val[static_cast<size_t>(k)];
        EXPECT_EQ(x.kind, y.kind) << k;
        for (int n = 0; n < 10; ++n)
            EXPECT_NEAR(x.Arg(n), y.Arg(n), 0.00005) << k << " " << n;
    }
}

TEST_F(D3DTest, DamagedModelFilesLoadNothing)
{
    CScratchFolder folder;
    const std::string good = "100\r\n2\r\n0 4.0000 0 0 0 0 0 0 0 0 0\r\n1 0 0 0 0 0 0 0 0 0 0\r\n";
    std::vector<REntry> entries;
    ASSERT_TRUE(ModelFile_Parse(good, entries));
    EXPECT_EQ(entries.size(), 2u);
    // Line ends of any kind, and what follows an entry's eleventh number, are fine.
    EXPECT_TRUE(ModelFile_Parse("100\n1\n2 1 2 3 0 0 0 0 0 0 0 extra\r", entries));
    EXPECT_TRUE(ModelFile_Parse("100\r0\r", entries));
    EXPECT_TRUE(entries.empty());

    const struct {
        const char* text;
        const char* why;
    } damaged[] = {
        {"", "empty"},
        {"101\r\n0\r\n", "not 100"},
        {"100.0\r\n0\r\n", "not an integer 100"},
        {"100\r\n-1\r\n", "negative count"},
        {"100\r\n3\r\n0 4.0000 0 0 0 0 0 0 0 0 0\r\n", "fewer entries than announced"},
        {"100\r\n1\r\n0 4.0000 0 0 0 0 0 0 0 0\r\n", "cut in the middle of an entry"},
        {"100\r\n1\r\n0 4.0000 0 0 0 0 nan 0 0 0 0\r\n", "not a number"},
        {"100\r\n1\r\n0 4.0000 0 0 0 0 1e999 0 0 0 0\r\n", "out of range"},
        {"100\r\n1\r\n2.5 0 0 0 0 0 0 0 0 0 0\r\n", "a kind that is no integer"},
        {"100\r\n99999999999\r\n", "a count past any model"},
        {"100\r\n1\r\n0 4.0000 0 0 0 0 0x1 0 0 0 0\r\n", "hexadecimal"},
    };
    const double m = Real("d3d_model_create");
    CallWith("d3d_model_block", Reals({m, 0, 0, 0, 1, 1, 1, 1, 1}));
    for (const auto& d : damaged) {
        EXPECT_FALSE(ModelFile_Parse(d.text, entries)) << d.why;
        const std::string name = folder.File("bad.d3d");
        std::ofstream(name, std::ios::binary) << d.text;
        EXPECT_EQ(Real("d3d_model_load", {RValue(m), RValue(name)}), 0) << d.why;
        // A failed load loses nothing the model had.
        EXPECT_EQ(Model_Get(static_cast<int32_t>(m))->i_numb, 1) << d.why;
    }
    EXPECT_EQ(Real("d3d_model_load", {RValue(m), RValue(folder.File("missing.d3d"))}), 0);
    const double fresh = Real("d3d_model_create");
    std::ofstream(folder.File("bad.d3d"), std::ios::binary) << "200\r\n1\r\n";
    EXPECT_EQ(Real("d3d_model_load", {RValue(fresh), RValue(folder.File("bad.d3d"))}), 0);
    EXPECT_EQ(Model_Get(static_cast<int32_t>(fresh))->i_numb, 0);
}
