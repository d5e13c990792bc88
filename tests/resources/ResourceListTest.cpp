// The list operations every resource kind shares (add, names, delete,
// duplicate, assign, the messages for missing entries), and the queries and
// changes of paths, scripts and fonts.
#include "tests/resources/ResourceFixture.h"

#include "graphics/PictureFiles.h"

#include <cmath>

namespace {

struct RKind {
    const char* kind;
    const char* add;       // code that adds one
    const char* getter;    // a field getter, -1 for a missing entry ("" for none)
    const char* deleted;   // message of deleting a missing one ("" when there is no delete)
    const char* duplicated;
    const char* assigned;
};

} // namespace

TEST_F(ResourceFixture, EveryKindAddsDeletesDuplicatesAndAssignsAlike)
{
    StartWith();
    TBitmap32 picture(4, 3);
    w_folder.Write("dot.png", Picture_EncodePng(picture));
    const std::string png = w_folder.File("dot.png");
    const std::string addSprite = "sprite_add(\"" + png + "\", 1, false, false, 0, 0)";
    const RKind kinds[] = {
        {"sprite", addSprite.c_str(), "sprite_get_width", "Trying to delete non-existing sprite.",
         "Trying to duplicate non-existing sprite.", "Error assigning a sprite."},
        {"background", "background_create_color(4, 3, c_red)", "background_get_width",
         "Trying to delete non-existing background.", "Trying to duplicate non-existing background.",
         "Error assigning a background."},
        {"font", "font_add(\"Liberation Sans\", 12, false, false, 32, 127)", "font_get_size",
         "Trying to delete non-existing font.", "", ""},
        {"path", "path_add()", "path_get_number", "Trying to delete non-existing path.",
         "Trying to duplicate non-existing path.", "Error assigning a path."},
        {"timeline", "timeline_add()", "", "Trying to delete non-existing timeline.", "", ""},
        {"object", "object_add()", "object_get_depth", "Trying to delete non-existing object.", "", ""},
        {"room", "room_add()", "", "", "Trying to duplicate non-existing room.", "Error assigning a room."},
    };
    for (const RKind& k : kinds) {
        const std::string kind = k.kind;
        SCOPED_TRACE(kind);
        const double first = Real(k.add);
        ASSERT_GE(first, 0);
        const double second = Real(k.add);
        EXPECT_EQ(second, first + 1);
        const std::string f = std::to_string(static_cast<int>(first)), s = std::to_string(static_cast<int>(second));
        EXPECT_EQ(Text(kind + "_get_name(" + f + ")"), "__new" + kind + f);
        EXPECT_EQ(Text(kind + "_name(" + s + ")"), "__new" + kind + s);
        EXPECT_EQ(Real(kind + "_exists(" + f + ")"), 1);
        EXPECT_EQ(Real(kind + "_exists(-1)") + Real(kind + "_exists(100000)"), 0);
        if (*k.deleted) {
            EXPECT_EQ(Real(kind + "_delete(" + f + ")"), 1);
            EXPECT_EQ(Real(kind + "_exists(" + f + ")"), 0);
            EXPECT_EQ(Text(kind + "_get_name(" + f + ")"), "<undefined>");
            if (*k.getter) {
                EXPECT_EQ(Real(std::string(k.getter) + "(" + f + ")"), -1);
            }
            EXPECT_EQ(TakeError(), "");
            Evaluate(kind + "_delete(" + f + ")");
            EXPECT_EQ(TakeError(), k.deleted);
        }
        if (*k.duplicated) {
            const double third = Real(kind + "_duplicate(" + s + ")");
            EXPECT_EQ(third, second + 1);
            EXPECT_EQ(Text(kind + "_get_name(" + std::to_string(static_cast<int>(third)) + ")"),
                      "__new" + kind + std::to_string(static_cast<int>(third)));
            EXPECT_EQ(Real(kind + "_duplicate(-3)"), -1);
            EXPECT_EQ(TakeError(), k.duplicated);
        }
        if (*k.assigned) {
            // Onto a hole (the deleted first entry, where there is a delete) and onto itself.
            EXPECT_EQ(Real(kind + "_assign(" + f + ", " + s + ")"), 1);
            EXPECT_EQ(Real(kind + "_exists(" + f + ")"), 1);
            EXPECT_EQ(Real(kind + "_assign(" + s + ", " + s + ")"), 1);
            EXPECT_EQ(TakeError(), "");
            Evaluate(kind + "_assign(100000, " + s + ")");
            EXPECT_EQ(TakeError(), k.assigned);
            Evaluate(kind + "_assign(" + s + ", -1)");
            EXPECT_EQ(TakeError(), k.assigned);
        }
    }
}

TEST_F(ResourceFixture, AFailedAddLeavesTheCountAsItWas)
{
    StartWith();
    TBitmap32 picture(2, 2);
    w_folder.Write("good.png", Picture_EncodePng(picture));
    w_folder.Write("bad.png", std::string("\x89PNG but not really"));
    const double before = Real("sprite_add(\"" + w_folder.File("good.png") + "\", 1, 0, 0, 0, 0)");
    EXPECT_EQ(Real("sprite_add(\"" + w_folder.File("missing.png") + "\", 1, 0, 0, 0, 0)"), -1);
    EXPECT_EQ(Real("sprite_add(\"" + w_folder.File("bad.png") + "\", 1, 0, 0, 0, 0)"), -1);
    EXPECT_EQ(Real("background_add(\"" + w_folder.File("bad.png") + "\", 0, 0)"), -1);
    EXPECT_EQ(Real("font_add_sprite(12345, 32, 0, 0)"), -1);
    EXPECT_EQ(TakeError(), "Trying to create font from non-existing sprite.");
    // The next add takes the index the failed ones did not.
    EXPECT_EQ(Real("sprite_add(\"" + w_folder.File("good.png") + "\", 1, 0, 0, 0, 0)"), before + 1);
}

TEST_F(ResourceFixture, PathPointsAndTransforms)
{
    StartWith("", "[[path]]\nname = \"pth_l\"\npoints = [[0, 0], [100, 0], [100, 100]]\nclosed = false\n");
    EXPECT_EQ(Real("path_get_length(pth_l)"), 200);
    EXPECT_EQ(Real("path_get_closed(pth_l)") * 10 + Real("path_get_kind(pth_l)"), 0);
    struct {
        const char* change;
        const char* points; // x,y of every point after it
    } cases[] = {
        {"path_reverse(p)", "100,100 100,0 0,0"},
        {"path_mirror(p)", "100,0 0,0 0,100"},
        {"path_flip(p)", "0,100 100,100 100,0"},
        {"path_rotate(p, 90)", "0,100 0,0 100,0"}, // counter-clockwise on the screen, about (50, 50)
        {"path_scale(p, 2, 0.5)", "-50,25 150,25 150,75"},
        {"path_shift(p, 5, -5)", "5,-5 105,-5 105,95"},
        {"path_insert_point(p, 1, 7, 8, 50)", "0,0 7,8 100,0 100,100"},
        {"path_insert_point(p, 3, 7, 8, 50)", "0,0 100,0 100,100 7,8"},
        {"path_insert_point(p, 4, 7, 8, 50)", "0,0 100,0 100,100"}, // beyond the end: nothing
        {"path_change_point(p, 2, 1, 2, 3)", "0,0 100,0 1,2"},
        {"path_delete_point(p, 0)", "100,0 100,100"},
        {"path_delete_point(p, -1)", "0,0 100,0 100,100"},
        {"path_append(p, p)", "0,0 100,0 100,100 0,0 100,0 100,100"},
        {"path_clear_points(p)", ""},
    };
    for (const auto& c : cases) {
        Run("p = path_duplicate(pth_l); " + std::string(c.change) +
            "; s = ''; for (i = 0; i < path_get_number(p); i += 1) s += string(round(path_get_point_x(p, i))) + ',' + "
            "string(round(path_get_point_y(p, i))) + ' '; global.points = string_copy(s, 1, string_length(s) - 1);");
        EXPECT_EQ(Text("global.points"), c.points) << c.change;
    }
    Run("p = path_add(); path_add_point(p, 0, 0, 100); path_add_point(p, 30, 40, 25); path_set_closed(p, false);");
    EXPECT_EQ(Real("path_get_length(p)"), 50);
    EXPECT_EQ(Real("path_get_point_speed(p, 1)"), 25);
    EXPECT_EQ(Real("path_get_point_speed(p, 2)"), -1);
    Run("path_set_kind(p, 7); path_set_precision(p, 20);");
    EXPECT_EQ(Real("path_get_kind(p)"), 0);
    EXPECT_EQ(Real("path_get_precision(p)"), 8);
    Run("path_set_closed(p, true);");
    EXPECT_EQ(Real("path_get_length(p)"), 100); // the way back counts
    Evaluate("path_append(p, -1)");
    EXPECT_EQ(TakeError(), "Appending a non-existing path.");
    Evaluate("path_append(-1, p)");
    EXPECT_EQ(TakeError(), "Appending to non-existing path.");
    EXPECT_EQ(Real("path_get_length(-1)") + Real("path_get_point_x(-1, 0)"), -2);
}

TEST_F(ResourceFixture, ScriptsAndFontsAnswerTheirFields)
{
    StartWith("", "[[script]]\nname = \"scr_twice\"\ncode = \"return argument0 * 2;\"\n"
                  "[[font]]\nname = \"fnt_plain\"\ntypeface = \"Liberation Sans\"\nsize = 10\nbold = true\nfirst = 40\nlast = 90\n");
    EXPECT_EQ(Real("script_exists(scr_twice)"), 1);
    EXPECT_EQ(Text("script_get_name(scr_twice)"), "scr_twice");
    EXPECT_EQ(Text("script_get_text(scr_twice)"), "return argument0 * 2;");
    EXPECT_EQ(Text("script_get_text(7)"), "");
    EXPECT_EQ(Text("script_name(7)"), "<undefined>");

    EXPECT_EQ(Text("font_get_fontname(fnt_plain)"), "Liberation Sans");
    EXPECT_EQ(Real("font_get_size(fnt_plain)"), 10);
    EXPECT_EQ(Real("font_get_bold(fnt_plain)") * 10 + Real("font_get_italic(fnt_plain)"), 10);
    EXPECT_EQ(Real("font_get_first(fnt_plain)") * 1000 + Real("font_get_last(fnt_plain)"), 40090);
    EXPECT_EQ(Text("font_get_fontname(9)"), "");
    EXPECT_EQ(Real("font_get_first(9)"), -1);

    Run("f = font_add(\"Liberation Serif\", 20, false, true, 65, 70); font_replace(fnt_plain, \"Liberation Mono\", 8, "
        "false, false, 32, 127);");
    EXPECT_EQ(Real("font_get_italic(f)") * 100 + Real("font_get_size(f)"), 120);
    EXPECT_EQ(Text("font_get_fontname(fnt_plain)"), "Liberation Mono");
    EXPECT_EQ(Text("font_get_name(fnt_plain)"), "fnt_plain"); // replacing keeps the name
    Evaluate("font_replace(99, \"Liberation Mono\", 8, false, false, 32, 127)");
    EXPECT_EQ(TakeError(), "Trying to replace non-existing font.");
    Evaluate("font_replace_sprite(fnt_plain, 99, 32, true, 0)");
    EXPECT_EQ(TakeError(), "Trying to replace font from non-existing sprite.");
    EXPECT_EQ(Text("font_get_fontname(fnt_plain)"), "Liberation Mono"); // unchanged
}
