// brindle-pack's resources: a project that uses every record kind reads
// back unchanged, mistakes name their file and position, and pictures and
// fonts come out as the runner expects them.
#include "data/Font.h"
#include "data/GameData.h"
#include "data/ResourceDump.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "platform/Files.h"
#include "runner/Startup.h"
#include "tests/support/TestSupport.h"
#include "tools/pack/FontBuilder.h"
#include "tools/pack/Manifest.h"
#include "tools/pack/Project.h"

#include <gtest/gtest.h>

#ifndef BRINDLE_SOURCE_DIR
#error "the tests need the source folder"
#endif

namespace {

std::string ProjectError(const CScratchFolder& folder)
{
    try {
        GameProject project;
        ReadProject(folder.Path(), project);
    } catch (const EProjectError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(PackResources, ProjectWithEveryRecordKindReadsBackUnchanged)
{
    GameProject project;
    ReadProject(std::string(BRINDLE_SOURCE_DIR) + "/tests/games/every-record", project);
    CMessageCapture messages;
    CScratchFolder folder;
    folder.Write("game.brg", BuildGame(project, {}));
    ASSERT_EQ(LoadGameGuarded(folder.File("game.brg"), nullptr), GameLoadResult::Loaded);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(DumpResources(GameResources), DumpResources(project.Resources));
    EXPECT_TRUE(GameResources == project.Resources);
    // Names, holes and references by name survive.
    EXPECT_EQ(Objects.Find("obj_wall"), 3);
    EXPECT_FALSE(Objects.Exists(2));
    EXPECT_EQ(Rooms.Count(), 3);
    EXPECT_EQ(GameResources.RoomOrder, (std::vector<int32_t>{2, 0}));
    ClearResources();
}

TEST(PackResources, MistakesNameTheFileAndPosition)
{
    struct Case {
        const char* manifest;
        const char* included; // objects.toml, when not empty
        const char* expected;
    } cases[] = {
        {"[[object]]\nname = \"a\"\nparent = \"b\"\n", "", "game.toml:3:10: 'object[0].parent': no object named \"b\""},
        {"[[sprite]]\nname = \"s\"\n[[sprite]]\nname = \"s\"\n", "", "game.toml:4:8: a sprite named \"s\" is already listed"},
        {"[[object]]\nname = \"a\"\n[[object.event]]\non = \"stepp\"\n", "", "game.toml:4:6: 'object[0].event[0].on': unknown event \"stepp\""},
        {"[[object]]\nname = \"a\"\n[[object.event]]\non = \"alarm[12]\"\n", "", "game.toml:4:6: 'object[0].event[0].on': alarms are numbered 0 to 11"},
        {"[[object]]\nname = \"a\"\n[[object.event]]\non = \"collision[ghost]\"\n", "", "'object[0].event[0].on': no object named \"ghost\""},
        {"[[sprite]]\nname = \"s\"\ncolour = 1\n", "", "game.toml:3:1: unknown key 'sprite[0].colour'"},
        {"[[sprite]]\nhole = true\nname = \"s\"\n", "", "unknown key 'sprite[0].name'"},
        {"[[room]]\nname = \"r\"\n[[room.instance]]\nobject = \"o\"\n", "", "'room[0].instance[0].object': no object named \"o\""},
        {"[game]\nroom_order = [\"nowhere\"]\n", "", "game.toml:2:14: 'game.room_order': no room named \"nowhere\""},
        {"include = [\"objects.toml\"]\n", "[[object]]\nname = \"a\"\nsprite = \"nope\"\n",
         "objects.toml:3:10: 'object[0].sprite': no sprite named \"nope\""},
        {"[[object]]\nname = \"a\"\nparent = \"b\"\n[[object]]\nname = \"b\"\nparent = \"a\"\n", "",
         "the parents of this object form a cycle"},
        {"[[script]]\nname = \"scr\"\n", "", "script \"scr\" has no code: give code, code_file, or write scripts/scr.brs"},
        {"[[sound]]\nname = \"snd\"\nfile = \"objects.toml\"\n", "x = 1\n", "is not a WAV, OGG, MP3 or MIDI file"},
        {"[[timeline]]\nname = \"t\"\n[[timeline.moment]]\nstep = 5\n[[timeline.moment]]\nstep = 5\n", "",
         "moments are listed by rising step, each step once"},
    };
    for (const Case& c : cases) {
        CScratchFolder folder;
        folder.Write("game.toml", std::string(c.manifest));
        if (*c.included)
            folder.Write("objects.toml", std::string(c.included));
        std::string error = ProjectError(folder);
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.manifest << "\n  gave: " << error;
    }
}

// Every path a project names stays inside the project folder, whether it
// climbs out with "..", starts at the root or goes out through a link; an
// included file's export name stays inside the folder it is exported to.
TEST(PackResources, EveryPathStaysInsideTheProjectFolder)
{
    CScratchFolder scratch;
    scratch.Write("outside.txt", std::string("x = 1;"));
    scratch.Write("outside.toml", std::string("[[object]]\nname = \"o\"\n"));
    std::string project = scratch.File("project");
    std::filesystem::create_directories(project + "/sub");
    std::filesystem::create_symlink(scratch.File("outside.txt"), project + "/link.txt");
    scratch.Write("project/code.brs", std::string("y = 2;"));
    scratch.Write("project/notes.txt", std::string("notes"));
    const std::string outside = "is outside the project folder";
    struct Case {
        std::string manifest;
        std::string expected; // "" when the project reads
    } cases[] = {
        {"include = [\"../outside.toml\"]\n", outside},
        {"include = [\"" + scratch.File("outside.toml") + "\"]\n", outside},
        {"[[script]]\nname = \"s\"\ncode_file = \"../outside.txt\"\n", outside},
        {"[[script]]\nname = \"s\"\ncode_file = \"sub/../../outside.txt\"\n", outside},
        {"[[script]]\nname = \"s\"\ncode_file = \"link.txt\"\n", outside},
        {"[[datafile]]\nfile = \"" + scratch.File("outside.txt") + "\"\n", outside},
        {"[loading]\nimage = \"../outside.txt\"\n", outside},
        {"[[script]]\nname = \"s\"\ncode_file = \"sub/../code.brs\"\n", ""},
        {"[[datafile]]\nfile = \"notes.txt\"\nname = \"../notes.txt\"\n", "'datafile[0].name': an included file is "
                                                                         "exported inside its folder"},
        {"[[datafile]]\nfile = \"notes.txt\"\nname = \"sub\\\\notes.txt\"\n", ""},
    };
    for (const Case& c : cases) {
        scratch.Write("project/game.toml", c.manifest);
        std::string error;
        try {
            GameProject read;
            ReadProject(project, read);
        } catch (const EProjectError& e) {
            error = e.what();
        }
        if (c.expected.empty())
            EXPECT_EQ(error, "") << c.manifest;
        else
            EXPECT_NE(error.find(c.expected), std::string::npos) << c.manifest << "\n  gave: " << error;
    }
}

TEST(PackResources, HolesDefaultsAndTheFirstRoom)
{
    CScratchFolder folder;
    folder.Write("game.toml", std::string("[[sprite]]\nhole = true\n[[sprite]]\nname = \"s\"\n"));
    GameProject project;
    ReadProject(folder.Path(), project);
    const CGameResources& r = project.Resources;
    EXPECT_EQ(r.Sprites.Count(), 2);
    EXPECT_FALSE(r.Sprites.Exists(0));
    EXPECT_EQ(r.Sprites.Find("s"), 1);
    // A project without rooms still has one to start in.
    EXPECT_EQ(r.Rooms.Name(0), "room0");
    EXPECT_EQ(r.RoomOrder, std::vector<int32_t>{0});
}

TEST(PackResources, FontAtlasHoldsEachGlyphInsideItsRectangle)
{
    CFont font;
    font.s_name = "DejaVu Sans";
    font.s_size = 12;
    font.s_first = 32;
    font.s_last = 127;
    std::string error;
    ASSERT_TRUE(BuildFontAtlas(font, error)) << error;
    EXPECT_GT(font.s_shift['W'], font.s_shift['i']);
    EXPECT_GT(font.s_w['A'], 0);
    EXPECT_GT(font.s_shift[32], 0);
    EXPECT_EQ(font.s_w[32], font.s_shift[32]); // the space has no bitmap of its own
    // Every covered atlas pixel belongs to some glyph's rectangle, and the
    // rectangles start at the top of the line, so descenders reach lower.
    std::vector<uint8_t> owned(font.s_bytes.size(), 0);
    for (int c = font.s_first; c <= font.s_last; ++c)
        for (int y = font.s_y[c]; y < font.s_y[c] + font.s_h[c]; ++y)
            for (int x = font.s_x[c]; x < font.s_x[c] + font.s_w[c]; ++x)
                if (x < font.s_bw && y < font.s_bh)
                    owned[static_cast<size_t>(y) * font.s_bw + x] = 1;
    size_t covered = 0;
    for (size_t k = 0; k < owned.size(); ++k) {
        covered += font.s_bytes[k] != 0;
        EXPECT_TRUE(owned[k] || font.s_bytes[k] == 0) << k;
    }
    EXPECT_GT(covered, 500u);
    EXPECT_GT(font.s_h['g'], font.s_h['a']);
    // The atlas is the smallest power-of-two size that holds the layout.
    EXPECT_LE(font.s_bw, 256);
    EXPECT_EQ(font.s_bw & (font.s_bw - 1), 0);
}
