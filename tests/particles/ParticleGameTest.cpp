// Particles in a running game without a display: the script functions reach
// the types and systems with their arguments in the right places, systems
// update in the step loop, and the room start clears the effects.
#include "particles/Particles.h"
#include "tests/world/RunningGameFixture.h"
#include "world/Rooms.h"

#include <functional>

namespace {

class ParticleGame : public RunningGameFixture {
protected:
    void SetUp() override
    {
        RunningGameFixture::SetUp();
        Particles_Reset();
        Particles_InstallHooks();
    }
    void TearDown() override
    {
        RunningGameFixture::TearDown();
        Particles_Reset();
    }
};

constexpr const char* kTwoRooms = R"(
[[object]]
name = "obj_game"
[[room]]
name = "rm_one"
[[room.instance]]
object = "obj_game"
x = 0
y = 0
[[room]]
name = "rm_two"
[[room.instance]]
object = "obj_game"
x = 0
y = 0
)";

} // namespace

TEST_F(ParticleGame, SettersPutEveryArgumentInItsPlace)
{
    LoadGame(kTwoRooms);
    StartGame();
    Run("t = part_type_create(); ps = part_system_create();");
    struct RCase {
        const char* code;
        std::function<bool(const RParticleType&, const RParticleSystem&)> holds;
    };
    const RCase cases[] = {
        {"part_type_sprite(t, 3, 0, 1, 1)",
         [](auto& t, auto&) { return t.sprite == 3 && !t.spriteanim && t.spritestretch && t.spriterandom; }},
        {"part_type_shape(t, pt_shape_snow)", [](auto& t, auto&) { return t.shape == 13 && t.sprite == -1; }},
        {"part_type_size(t, 1, 2, 3, 4)",
         [](auto& t, auto&) { return t.sizemin == 1 && t.sizemax == 2 && t.sizeincr == 3 && t.sizerand == 4; }},
        {"part_type_scale(t, 2, 3)", [](auto& t, auto&) { return t.xscale == 2 && t.yscale == 3; }},
        {"part_type_life(t, 10.4, 20.6)", [](auto& t, auto&) { return t.lifemin == 10 && t.lifemax == 21; }},
        {"part_type_step(t, 2, 5)", [](auto& t, auto&) { return t.stepnumber == 2 && t.steptype == 5; }},
        {"part_type_death(t, -3, 6)", [](auto& t, auto&) { return t.deathnumber == -3 && t.deathtype == 6; }},
        {"part_type_speed(t, 1, 2, 3, 4)",
         [](auto& t, auto&) { return t.spmin == 1 && t.spmax == 2 && t.spincr == 3 && t.sprand == 4; }},
        {"part_type_direction(t, 1, 2, 3, 4)",
         [](auto& t, auto&) { return t.dirmin == 1 && t.dirmax == 2 && t.dirincr == 3 && t.dirrand == 4; }},
        {"part_type_orientation(t, 1, 2, 3, 4, true)",
         [](auto& t, auto&) {
             return t.angmin == 1 && t.angmax == 2 && t.angincr == 3 && t.angrand == 4 && t.angdir;
         }},
        {"part_type_gravity(t, 0.5, 90)", [](auto& t, auto&) { return t.grav == 0.5 && t.gravdir == 90; }},
        {"part_type_color_rgb(t, 1, 2, 3, 4, 5, 6)",
         [](auto& t, auto&) { return t.colmode == kColorRgb && t.colpar[2] == 3 && t.colpar[5] == 6; }},
        {"part_type_color(t, 1, 2, 3)", [](auto& t, auto&) { return t.colmode == kColorThree && t.colpar[2] == 3; }},
        {"part_type_alpha2(t, 1, 0)",
         [](auto& t, auto&) { return t.alphastart == 1 && t.alphamiddle == 0.5 && t.alphaend == 0; }},
        {"part_type_blend(t, true)", [](auto& t, auto&) { return t.additiveblend; }},
        {"part_system_depth(ps, -100); part_system_position(ps, 4, 5)",
         [](auto&, auto& s) { return s.depth == -100 && s.xdraw == 4 && s.ydraw == 5; }},
        {"part_system_clear(ps)", [](auto&, auto& s) { return s.depth == 0 && s.xdraw == 0; }},
        {"e = part_emitter_create(ps); part_emitter_region(ps, e, 1, 2, 3, 4, ps_shape_diamond, ps_distr_gaussian);"
         "part_emitter_stream(ps, e, t, -4)",
         [](auto&, auto& s) {
             const REmitter& e = s.emitters[0];
             return e.xmin == 1 && e.xmax == 2 && e.ymin == 3 && e.ymax == 4 && e.shape == 2 && e.posdistr == 1 &&
                    e.number == -4 && e.parttype == 0;
         }},
        {"a = part_attractor_create(ps); part_attractor_position(ps, a, 7, 8);"
         "part_attractor_force(ps, a, 2, 50, ps_force_quadratic, false)",
         [](auto&, auto& s) {
             const RAttractor& a = s.attractors[0];
             return a.x == 7 && a.y == 8 && a.force == 2 && a.dist == 50 && a.kind == 2 && !a.additive;
         }},
        {"c = part_changer_create(ps); part_changer_region(ps, c, 1, 2, 3, 4, ps_shape_ellipse);"
         "part_changer_types(ps, c, 5, 6); part_changer_kind(ps, c, ps_change_motion)",
         [](auto&, auto& s) {
             const RChanger& c = s.changers[0];
             return c.xmax == 2 && c.shape == 1 && c.part1 == 5 && c.part2 == 6 && c.kind == 2;
         }},
        {"d = part_deflector_create(ps); part_deflector_region(ps, d, 1, 2, 3, 4);"
         "part_deflector_kind(ps, d, ps_deflect_horizontal); part_deflector_friction(ps, d, 0.5)",
         [](auto&, auto& s) {
             const RDeflector& d = s.deflectors[0];
             return d.ymax == 4 && d.kind == 1 && d.friction == 0.5;
         }},
        {"part_changer_destroy(ps, c); part_deflector_destroy_all(ps)",
         [](auto&, auto& s) { return !s.changers[0].created && s.deflectors.empty(); }},
    };
    for (const RCase& c : cases) {
        Run(c.code);
        EXPECT_TRUE(c.holds(*ParticleType_Get(0), *ParticleSystem_Get(0))) << c.code;
    }
    // Functions on parts and types that are not in use do nothing and answer nothing.
    EXPECT_EQ(Evaluate("part_emitter_exists(ps, 5) + part_type_exists(9) + part_particles_count(7)").val, 0);
    EXPECT_EQ(Evaluate("part_emitter_create(7)").val, -1);
    Run("part_type_size(9, 1, 1, 1, 1); part_emitter_burst(ps, 3, t, 10); part_system_update(4)");
    EXPECT_EQ(Evaluate("part_particles_count(ps)").val, 0);
}

TEST_F(ParticleGame, SystemsUpdateInStepsAndEffectsEndWithTheRoom)
{
    LoadGame(kTwoRooms);
    StartGame();
    Run("t = part_type_create(); part_type_life(t, 3, 3); ps = part_system_create();"
        "e = part_emitter_create(ps); part_emitter_region(ps, e, 0, 10, 0, 10, ps_shape_rectangle, ps_distr_linear);"
        "part_emitter_stream(ps, e, t, 2); effect_create_above(ef_ring, 10, 10, 1, c_white);");
    Step();
    EXPECT_EQ(Evaluate("part_particles_count(ps)").val, 2);
    Step(5);
    // Each lives three updates: the last three streams are alive.
    EXPECT_EQ(Evaluate("part_particles_count(ps)").val, 6);
    Run("part_system_automatic_update(ps, false)");
    Step(3);
    EXPECT_EQ(Evaluate("part_particles_count(ps)").val, 6);
    EXPECT_GT(ParticleSystem_Get(Effect_System(true))->particles.size(), 0u);

    Run("room_goto_next()");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    EXPECT_EQ(CurrentRoomIndex, 1);
    EXPECT_TRUE(ParticleSystem_Get(Effect_System(true))->particles.empty());
    EXPECT_EQ(Evaluate("part_particles_count(0)").val, 6); // the game's own systems stay
}
