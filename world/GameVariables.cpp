// The built-in variables of the game and of the current room: room and
// transition numbers, score, lives and health, directories, the room's
// fields, background and view slots, time, the event context and errors.
#include "world/GameVariables.h"

#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/VariableCatalogue.h"
#include "data/Background.h"
#include "data/GameData.h"
#include "data/Resources.h"
#include "data/TempDirectory.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "world/EventDispatch.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <algorithm>
#include <ctime>

namespace {

bool Real(RValue& value, double real)
{
    value = RValue(real);
    return true;
}

bool Text(RValue& value, const std::string& text)
{
    value = RValue(RString(text));
    return true;
}

bool Flag(const RValue& value)
{
    return RoundToInteger(value.val) >= 1;
}

// Array variables of the eight slots read and write slot 0 for an index out of range.
size_t Slot(int32_t index)
{
    return index >= 0 && index < CRoom::kSlots ? static_cast<size_t>(index) : 0;
}

CLiveRoom* Room()
{
    return CurrentRoom;
}

// The local date and time, from the runner's clock (fixed in headless runs).
std::tm LocalNow()
{
    std::time_t seconds = static_cast<std::time_t>(Platform_LocalMicroseconds() / 1000000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    return parts;
}

struct RGameVariable {
    const char* name;
    TVariableGetter getter;
    TVariableSetter setter;
};

// Room fields: read and written only while there is a room.
#define ROOM_FIELD(read, write)                                                                                  \
    [](CInstance*, int32_t, RValue& v) { return Real(v, Room() ? static_cast<double>(Room()->read) : 0.0); },     \
        [](CInstance*, int32_t, const RValue& v) {                                                               \
            if (Room())                                                                                          \
                Room()->write;                                                                                   \
            return true;                                                                                         \
        }
#define BACK_FIELD(field, convert)                                                                               \
    [](CInstance*, int32_t i, RValue& v) {                                                                       \
        return Real(v, Room() ? static_cast<double>(Room()->r_background[Slot(i)].field) : 0.0);                 \
    },                                                                                                           \
        [](CInstance*, int32_t i, const RValue& v) {                                                             \
            if (Room())                                                                                          \
                Room()->r_background[Slot(i)].field = convert(v);                                                \
            return true;                                                                                         \
        }
#define VIEW_FIELD(field, convert)                                                                               \
    [](CInstance*, int32_t i, RValue& v) {                                                                       \
        return Real(v, Room() ? static_cast<double>(Room()->r_view[Slot(i)].field) : 0.0);                       \
    },                                                                                                           \
        [](CInstance*, int32_t i, const RValue& v) {                                                             \
            if (Room())                                                                                          \
                Room()->r_view[Slot(i)].field = convert(v);                                                      \
            return true;                                                                                         \
        }
#define READ(expression) [](CInstance*, int32_t, RValue& v) { return Real(v, static_cast<double>(expression)); }, nullptr

int32_t IntegerOf(const RValue& v)
{
    return RoundToInt32(v.val);
}

double AsReal(const RValue& v)
{
    return v.val;
}

double BackgroundSize(int32_t slot, bool width)
{
    if (!Room())
        return 0;
    const CBackground* background = Backgrounds.Get(Room()->r_background[Slot(slot)].index);
    return background ? (width ? background->Width() : background->Height()) : 0;
}

const RGameVariable kVariables[] = {
    {"room", [](CInstance*, int32_t, RValue& v) { return Real(v, CurrentRoomIndex); },
     [](CInstance*, int32_t, const RValue& v) {
         Room_Goto(RoundToInt32(v.val), TransitionKind);
         return true;
     }},
    {"room_first", READ(Room_First())},
    {"room_last", READ(Room_Last())},
    {"transition_kind", [](CInstance*, int32_t, RValue& v) { return Real(v, TransitionKind); },
     [](CInstance*, int32_t, const RValue& v) {
         TransitionKind = RoundToInt32(v.val);
         return true;
     }},
    {"transition_steps", [](CInstance*, int32_t, RValue& v) { return Real(v, TransitionSteps); },
     [](CInstance*, int32_t, const RValue& v) {
         TransitionSteps = std::max(RoundToInt32(v.val), 1); // a transition shows at least two frames
         return true;
     }},
    {"score", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.score); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.score = RoundToInt32(v.val);
         return true;
     }},
    {"lives", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.lives); },
     [](CInstance*, int32_t, const RValue& v) {
         Game_SetLives(RoundToInt32(v.val));
         return true;
     }},
    {"health", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.health); },
     [](CInstance*, int32_t, const RValue& v) {
         Game_SetHealth(v.val);
         return true;
     }},
    {"game_id", READ(GameId)},
    {"working_directory", [](CInstance*, int32_t, RValue& v) { return Text(v, Platform_WorkingDirectory()); }, nullptr},
    {"temp_directory", [](CInstance*, int32_t, RValue& v) { return Text(v, TempDir); }, nullptr},
    {"program_directory",
     [](CInstance*, int32_t, RValue& v) { return Text(v, Game_ProgramDirectory()); }, nullptr},
    {"instance_count", READ(Room() ? Room()->InstanceCount() : 0)},
    {"instance_id",
     [](CInstance*, int32_t i, RValue& v) {
         CInstance* instance = Room() ? Room()->InstanceAt(i) : nullptr;
         return Real(v, instance ? instance->i_id : -4);
     },
     nullptr},
    {"room_width", READ(Room() ? Room()->r_width : 0)},
    {"room_height", READ(Room() ? Room()->r_height : 0)},
    {"room_caption", [](CInstance*, int32_t, RValue& v) { return Text(v, Room() ? Room()->r_caption : ""); },
     [](CInstance*, int32_t, const RValue& v) {
         if (Room())
             Room()->r_caption = v.str.Text();
         return true;
     }},
    {"room_speed", [](CInstance*, int32_t, RValue& v) { return Real(v, Room() ? Room()->r_speed : 0); },
     [](CInstance*, int32_t, const RValue& v) {
         int32_t speed = RoundToInt32(v.val);
         if (speed <= 0) {
             Error_ShowInEvent("Trying to set the room speed to a value <= 0.", false);
             return false;
         }
         if (Room())
             Room()->r_speed = speed;
         return true;
     }},
    {"room_persistent", ROOM_FIELD(r_persistent ? 1 : 0, r_persistent = Flag(v))},
    {"background_color", ROOM_FIELD(r_color, r_color = RoundToInt32(v.val))},
    {"background_showcolor", ROOM_FIELD(r_showcolor ? 1 : 0, r_showcolor = Flag(v))},
    {"background_visible", BACK_FIELD(visible, Flag)},
    {"background_foreground", BACK_FIELD(foreground, Flag)},
    {"background_index", BACK_FIELD(index, IntegerOf)},
    {"background_x", BACK_FIELD(x, AsReal)},
    {"background_y", BACK_FIELD(y, AsReal)},
    {"background_width", [](CInstance*, int32_t i, RValue& v) { return Real(v, BackgroundSize(i, true)); }, nullptr},
    {"background_height", [](CInstance*, int32_t i, RValue& v) { return Real(v, BackgroundSize(i, false)); }, nullptr},
    {"background_htiled", BACK_FIELD(htiled, Flag)},
    {"background_vtiled", BACK_FIELD(vtiled, Flag)},
    {"background_xscale", BACK_FIELD(xscale, AsReal)},
    {"background_yscale", BACK_FIELD(yscale, AsReal)},
    {"background_hspeed", BACK_FIELD(hspeed, AsReal)},
    {"background_vspeed", BACK_FIELD(vspeed, AsReal)},
    {"background_blend", BACK_FIELD(blend, IntegerOf)},
    {"background_alpha", BACK_FIELD(alpha, AsReal)},
    {"view_enabled", ROOM_FIELD(r_enableviews ? 1 : 0, r_enableviews = Flag(v))},
    {"view_current", READ(GameState.viewCurrent)},
    {"view_visible", VIEW_FIELD(visible, Flag)},
    {"view_xview", VIEW_FIELD(xview, IntegerOf)},
    {"view_yview", VIEW_FIELD(yview, IntegerOf)},
    {"view_wview", VIEW_FIELD(wview, IntegerOf)},
    {"view_hview", VIEW_FIELD(hview, IntegerOf)},
    {"view_xport", VIEW_FIELD(xport, IntegerOf)},
    {"view_yport", VIEW_FIELD(yport, IntegerOf)},
    {"view_wport", VIEW_FIELD(wport, IntegerOf)},
    {"view_hport", VIEW_FIELD(hport, IntegerOf)},
    {"view_angle", VIEW_FIELD(angle, AsReal)},
    {"view_hborder", VIEW_FIELD(hborder, IntegerOf)},
    {"view_vborder", VIEW_FIELD(vborder, IntegerOf)},
    {"view_hspeed", VIEW_FIELD(hspeed, IntegerOf)},
    {"view_vspeed", VIEW_FIELD(vspeed, IntegerOf)},
    {"view_object", VIEW_FIELD(index, IntegerOf)},
    {"cursor_sprite", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.cursorSprite); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.cursorSprite = RoundToInt32(v.val);
         return true;
     }},
    {"show_score", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.showScore ? 1 : 0); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.showScore = Flag(v);
         GameState.scoreRequested = true;
         return true;
     }},
    {"show_lives", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.showLives ? 1 : 0); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.showLives = Flag(v);
         return true;
     }},
    {"show_health", [](CInstance*, int32_t, RValue& v) { return Real(v, GameState.showHealth ? 1 : 0); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.showHealth = Flag(v);
         return true;
     }},
    {"caption_score", [](CInstance*, int32_t, RValue& v) { return Text(v, GameState.captionScore); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.captionScore = v.str.Text();
         return true;
     }},
    {"caption_lives", [](CInstance*, int32_t, RValue& v) { return Text(v, GameState.captionLives); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.captionLives = v.str.Text();
         return true;
     }},
    {"caption_health", [](CInstance*, int32_t, RValue& v) { return Text(v, GameState.captionHealth); },
     [](CInstance*, int32_t, const RValue& v) {
         GameState.captionHealth = v.str.Text();
         return true;
     }},
    {"fps", READ(StepLoop.fps)},
    {"current_time", READ(Game_CurrentMilliseconds())},
    {"current_year", READ(LocalNow().tm_year + 1900)},
    {"current_month", READ(LocalNow().tm_mon + 1)},
    {"current_day", READ(LocalNow().tm_mday)},
    {"current_weekday", READ(LocalNow().tm_wday + 1)},
    {"current_hour", READ(LocalNow().tm_hour)},
    {"current_minute", READ(LocalNow().tm_min)},
    {"current_second", READ(LocalNow().tm_sec)},
    {"event_type", READ(CurrentEvent.type)},
    {"event_number", READ(CurrentEvent.number)},
    {"event_object", READ(CurrentEvent.object)},
    {"event_action", READ(CurrentEvent.action)},
    {"secure_mode", READ(GameState.secureMode ? 1 : 0)},
    {"debug_mode", READ(GameDebugMode ? 1 : 0)},
    {"error_occurred", [](CInstance*, int32_t, RValue& v) { return Real(v, Error_Occurred ? 1 : 0); },
     [](CInstance*, int32_t, const RValue& v) {
         Error_Occurred = v.val >= 0.5;
         return true;
     }},
    {"error_last", [](CInstance*, int32_t, RValue& v) { return Text(v, Error_Last); },
     [](CInstance*, int32_t, const RValue& v) {
         Error_Last = v.str.Text();
         return true;
     }},
    {"brindle_version", READ(800)},
    {"os_type", READ(0)},
    {"os_device", READ(0)},
};

#undef ROOM_FIELD
#undef BACK_FIELD
#undef VIEW_FIELD
#undef READ

std::string ProgramDirectory;

} // namespace

void Game_SetProgramDirectory(const std::string& directory)
{
    ProgramDirectory = directory;
}

const std::string& Game_ProgramDirectory()
{
    return ProgramDirectory;
}

double Game_CurrentMilliseconds()
{
    return static_cast<double>(Platform_MonotonicMicroseconds() / 1000);
}

void World_ImplementGameVariables()
{
    for (const RGameVariable& variable : kVariables)
        Variable_Implement(variable.name, variable.getter, variable.setter);
}
