// The table of the standard action library. Every action sits in library 1;
// its id groups it by the author's palette: 1xx motion, 2xx objects,
// sprites, sounds and rooms, 3xx timing, messages and the game, 4xx score,
// lives and health, 5xx particles and extras, 6xx control, 7xx drawing.
#include "data/ActionLibrary.h"

#include "data/Action.h"


namespace {

constexpr int32_t kLibrary = 1;

enum : int32_t {
    E = kArgExpression,
    S = kArgString,
    T = kArgStringOrExpression,
    B = kArgBoolean,
    M = kArgMenu,
    SPR = kArgSprite,
    SND = kArgSound,
    BCK = kArgBackground,
    PTH = kArgPath,
    SCR = kArgScript,
    OBJ = kArgObject,
    RM = kArgRoom,
    FNT = kArgFont,
    COL = kArgColor,
    TL = kArgTimeLine,
    FT = kArgFontText,
};

// A function action: plain or a question, offering relative or not.
RLibraryAction Do(const char* name, int32_t id, bool relative, std::vector<int32_t> arguments)
{
    return RLibraryAction{name, kLibrary, id, kActionNormal, kExecuteFunction, "", false, relative, true,
                          std::move(arguments)};
}

RLibraryAction Ask(const char* name, int32_t id, bool relative, std::vector<int32_t> arguments)
{
    RLibraryAction action = Do(name, id, relative, std::move(arguments));
    action.question = true;
    return action;
}

RLibraryAction Mark(const char* name, int32_t id, int32_t kind, std::vector<int32_t> arguments = {})
{
    return RLibraryAction{name, kLibrary, id, kind, kExecuteNone, "", false, false, false, std::move(arguments)};
}

std::vector<RLibraryAction> Build()
{
    std::vector<RLibraryAction> all = {
        // Motion.
        Do("move", 101, true, {S, E}),
        Do("set_motion", 102, true, {E, E}),
        Do("move_point", 103, true, {E, E, E}),
        Do("set_hspeed", 104, true, {E}),
        Do("set_vspeed", 105, true, {E}),
        Do("set_gravity", 106, true, {E, E}),
        Do("reverse_xdir", 107, false, {}),
        Do("reverse_ydir", 108, false, {}),
        Do("set_friction", 109, true, {E}),
        Do("move_to", 110, true, {E, E}),
        Do("move_start", 111, false, {}),
        Do("move_random", 112, false, {E, E}),
        Do("snap", 113, false, {E, E}),
        Do("wrap", 114, false, {M}),
        Do("move_contact", 115, false, {E, E, M}),
        Do("bounce", 116, false, {M, M}),
        Do("path", 117, false, {PTH, E, M, M}),
        Do("path_end", 118, false, {}),
        Do("path_position", 119, true, {E}),
        Do("path_speed", 120, true, {E}),
        Do("linear_step", 121, true, {E, E, E, M}),
        Do("potential_step", 122, true, {E, E, E, M}),
        // Objects, sprites, sounds, rooms.
        Do("create_object", 201, true, {OBJ, E, E}),
        Do("create_object_motion", 202, true, {OBJ, E, E, E, E}),
        Do("create_object_random", 203, true, {OBJ, OBJ, OBJ, OBJ, E, E}),
        Do("change_object", 204, false, {OBJ, M}),
        Do("kill_object", 205, false, {}),
        Do("kill_position", 206, true, {E, E}),
        Do("set_sprite", 207, false, {SPR, E}),
        Do("sprite_set", 208, false, {SPR, E, E}),
        Do("sprite_transform", 209, false, {E, E, E, M}),
        Do("sprite_color", 210, false, {COL, E}),
        Do("sound", 211, false, {SND, M}),
        Do("end_sound", 212, false, {SND}),
        Ask("if_sound", 213, false, {SND}),
        Do("previous_room", 214, false, {M}),
        Do("next_room", 215, false, {M}),
        Do("current_room", 216, false, {M}),
        Do("another_room", 217, false, {RM, M}),
        Ask("if_previous_room", 218, false, {}),
        Ask("if_next_room", 219, false, {}),
        // Timing, messages, the game and resources.
        Do("set_alarm", 301, true, {E, M}),
        Do("sleep", 302, false, {E, B}),
        Do("set_timeline", 303, false, {TL, E}),
        Do("timeline_set", 304, false, {TL, E, M, M}),
        Do("timeline_start", 305, false, {}),
        Do("timeline_pause", 306, false, {}),
        Do("timeline_stop", 307, false, {}),
        Do("set_timeline_position", 308, true, {E}),
        Do("set_timeline_speed", 309, true, {E}),
        Do("message", 310, false, {T}),
        Do("show_info", 311, false, {}),
        Do("show_video", 312, false, {S, B, B}),
        Do("splash_text", 313, false, {S}),
        Do("splash_image", 314, false, {S}),
        Do("splash_web", 315, false, {S, M}),
        Do("splash_video", 316, false, {S, B}),
        Do("splash_settings", 317, false, {S, M, B, B, B}),
        Do("end_game", 318, false, {}),
        Do("restart_game", 319, false, {}),
        Do("save_game", 320, false, {S}),
        Do("load_game", 321, false, {S}),
        Do("replace_sprite", 322, false, {SPR, S, E}),
        Do("replace_sound", 323, false, {SND, S}),
        Do("replace_background", 324, false, {BCK, S}),
        // Score, lives, health.
        Do("set_score", 401, true, {E}),
        Ask("if_score", 402, false, {E, M}),
        Do("draw_score", 403, true, {E, E, S}),
        Do("highscore_show", 404, false, {BCK, M, COL, COL, FT}),
        Do("highscore_clear", 405, false, {}),
        Do("set_life", 406, true, {E}),
        Ask("if_life", 407, false, {E, M}),
        Do("draw_life", 408, true, {E, E, S}),
        Do("draw_life_images", 409, true, {E, E, SPR}),
        Do("set_health", 410, true, {E}),
        Ask("if_health", 411, false, {E, M}),
        Do("draw_health", 412, true, {E, E, E, E, M, M}),
        Do("set_caption", 413, false, {M, S, M, S, M, S}),
        // Particles and extras.
        Do("partsyst_create", 501, false, {E}),
        Do("partsyst_destroy", 502, false, {}),
        Do("partsyst_clear", 503, false, {}),
        Do("parttype_create", 504, false, {M, M, SPR, E, E, E}),
        Do("parttype_color", 505, false, {M, M, COL, COL, E, E}),
        Do("parttype_life", 506, false, {M, E, E}),
        Do("parttype_speed", 507, false, {M, E, E, E, E, E}),
        Do("parttype_gravity", 508, false, {M, E, E}),
        Do("parttype_secondary", 509, false, {M, M, E, M, E}),
        Do("partemit_create", 510, true, {M, M, E, E, E, E}),
        Do("partemit_destroy", 511, false, {M}),
        Do("partemit_burst", 512, false, {M, M, E}),
        Do("partemit_stream", 513, false, {M, M, E}),
        Do("parttype_create_old", 514, false, {M, M, E, E, COL, COL}),
        Do("cd_play", 515, false, {E, E}),
        Do("cd_stop", 516, false, {}),
        Do("cd_pause", 517, false, {}),
        Do("cd_resume", 518, false, {}),
        Ask("cd_present", 519, false, {}),
        Ask("cd_playing", 520, false, {}),
        Do("set_cursor", 521, false, {SPR, B}),
        Do("webpage", 522, false, {S}),
        // Control.
        Mark("begin", 601, kActionBeginBlock),
        Mark("end", 602, kActionEndBlock),
        RLibraryAction{"code", kLibrary, CAction::kCodeActionId, kActionCode, kExecuteCode, "", false, false, true,
                       {S}},
        Mark("else", 604, kActionElse),
        Mark("exit", 605, kActionExit),
        Mark("repeat", 606, kActionRepeat, {E}),
        RLibraryAction{"variable", kLibrary, 607, kActionVariable, kExecuteCode, "", false, true, true, {S, E}},
        Do("execute_script", 608, false, {SCR, E, E, E, E, E}),
        Do("inherited", 609, false, {}),
        Ask("if_empty", 610, true, {E, E, M}),
        Ask("if_collision", 611, true, {E, E, M}),
        Ask("if_object", 612, true, {OBJ, E, E}),
        Ask("if_number", 613, false, {OBJ, E, M}),
        Ask("if_dice", 614, false, {E}),
        Ask("if_question", 615, false, {T}),
        Ask("if", 616, false, {E}),
        Ask("if_mouse", 617, false, {M}),
        Ask("if_aligned", 618, false, {E, E}),
        Ask("if_variable", 619, false, {E, E, M}),
        Do("draw_variable", 620, true, {E, E, E}),
        // Drawing.
        Do("draw_sprite", 701, true, {SPR, E, E, E}),
        Do("draw_background", 702, true, {BCK, E, E, B}),
        Do("draw_text", 703, true, {T, E, E}),
        Do("draw_text_transformed", 704, true, {T, E, E, E, E, E}),
        Do("draw_rectangle", 705, true, {E, E, E, E, M}),
        Do("draw_gradient_hor", 706, true, {E, E, E, E, COL, COL}),
        Do("draw_gradient_vert", 707, true, {E, E, E, E, COL, COL}),
        Do("draw_ellipse", 708, true, {E, E, E, E, M}),
        Do("draw_ellipse_gradient", 709, true, {E, E, E, E, COL, COL}),
        Do("draw_line", 710, true, {E, E, E, E}),
        Do("draw_arrow", 711, true, {E, E, E, E, E}),
        Do("color", 712, false, {COL}),
        Do("font", 713, false, {FNT, M}),
        Do("fullscreen", 714, false, {M}),
        Do("snapshot", 715, false, {S}),
        Do("effect", 716, true, {M, E, E, M, COL, M}),
    };
    return all;
}

} // namespace

const std::vector<RLibraryAction>& ActionLibrary_All()
{
    static const std::vector<RLibraryAction> all = [] {
        std::vector<RLibraryAction> actions = Build();
        for (RLibraryAction& action : actions)
            if (action.exetype == kExecuteFunction)
                action.function = std::string("action_") + action.name;
        return actions;
    }();
    return all;
}

const RLibraryAction* ActionLibrary_Find(std::string_view name)
{
    for (const RLibraryAction& action : ActionLibrary_All())
        if (name == action.name)
            return &action;
    return nullptr;
}

const RLibraryAction* ActionLibrary_Find(int32_t libid, int32_t id)
{
    for (const RLibraryAction& action : ActionLibrary_All())
        if (action.libid == libid && action.id == id)
            return &action;
    return nullptr;
}
