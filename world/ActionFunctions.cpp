// The action functions of instances, sprites, alarms, time lines, the
// questions on values, score, lives and health, and the caption. Each reads
// the relative flag of the running action; value arguments are added to the
// current value when it is set.
#include "world/ActionFunctions.h"

#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "code/Operators.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "library/Random.h"
#include "world/ActionForward.h"
#include "world/GameState.h"
#include "world/Input.h"
#include "world/Instance.h"
#include "world/InstanceLife.h"
#include "world/InstanceTargets.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <cmath>
#include <limits>

namespace {

// The comparisons of the question actions: 1 less than, 2 greater than,
// anything else equal; within the tolerance that == uses.
bool Compares(double difference, int32_t operation)
{
    switch (operation) {
    case 1: return difference < -kCompareEpsilon;
    case 2: return difference > kCompareEpsilon;
    default: return difference > -kCompareEpsilon && difference < kCompareEpsilon;
    }
}

void Answer(RValue& result, bool yes)
{
    result = RValue(yes ? 1.0 : 0.0);
}

// ---- instances ----

BUILTIN(F_CreateObject)
{
    Instance_Create(RoundToInt32(args[0].val), Action_X(context, args[1]), Action_Y(context, args[2]));
    return true;
}

BUILTIN(F_CreateObjectMotion)
{
    Instance_CreateMoving(RoundToInt32(args[0].val), Action_X(context, args[1]), Action_Y(context, args[2]),
                          args[3].val, args[4].val);
    return true;
}

BUILTIN(F_CreateObjectRandom)
{
    int32_t objects[4];
    bool any = false;
    for (int k = 0; k < 4; ++k) {
        objects[k] = RoundToInt32(args[k].val);
        any = any || Objects.Exists(objects[k]);
    }
    if (!any)
        return true;
    int32_t chosen;
    do
        chosen = objects[Random_Below(4)];
    while (!Objects.Exists(chosen));
    Instance_Create(chosen, Action_X(context, args[4]), Action_Y(context, args[5]));
    return true;
}

BUILTIN(F_ChangeObject)
{
    Instance_Change(context.Self(), RoundToInt32(args[0].val), RoundToInteger(args[1].val) > 0.5);
    return true;
}

BUILTIN(F_KillObject)
{
    Instance_Destroy(context.Self());
    return true;
}

// ---- sprites ----

BUILTIN(F_SetSprite)
{
    const int32_t sprite = RoundToInt32(args[0].val);
    if (!Sprites.Exists(sprite) && sprite != -1) {
        Error_ShowInEvent("Setting instance to non-existing sprite: " + std::to_string(sprite), false);
        return true;
    }
    CInstance* self = context.Self();
    self->SetSprite(sprite);
    if (args[1].val > 0) {
        self->SetImageScaleX(args[1].val);
        self->SetImageScaleY(args[1].val);
    }
    return true;
}

BUILTIN(F_SpriteSet)
{
    const int32_t sprite = RoundToInt32(args[0].val);
    if (!Sprites.Exists(sprite) && sprite != -1) {
        Error_ShowInEvent("Setting instance to non-existing sprite: " + std::to_string(sprite), false);
        return true;
    }
    CInstance* self = context.Self();
    self->SetSprite(sprite);
    if (args[1].val >= 0)
        self->i_imageindex = args[1].val;
    self->i_imagespeed = args[2].val;
    return true;
}

BUILTIN(F_SpriteTransform)
{
    CInstance* self = context.Self();
    const int64_t mirror = RoundToInteger(args[3].val);
    self->SetImageScaleX(mirror == 1 || mirror == 3 ? -args[0].val : args[0].val);
    self->SetImageScaleY(mirror == 2 || mirror == 3 ? -args[1].val : args[1].val);
    self->SetImageAngle(args[2].val);
    return true;
}

BUILTIN(F_SpriteColor)
{
    CInstance* self = context.Self();
    self->i_imageblend = static_cast<uint32_t>(RoundToInteger(args[0].val)) & 0xFFFFFF;
    self->i_imagealpha = args[1].val;
    return true;
}

// ---- alarms and time lines ----

BUILTIN(F_SetAlarm)
{
    const int64_t alarm = RoundToInteger(args[1].val);
    if (alarm < 0 || alarm >= kAlarmCount)
        return true;
    CInstance* self = context.Self();
    const int32_t steps = RoundToInt32(args[0].val);
    const int32_t current = self->i_timer[static_cast<size_t>(alarm)];
    self->SetAlarm(static_cast<int>(alarm), ArgumentRelative && current >= 0 ? current + steps : steps);
    return true;
}

bool UsableTimeLine(int32_t index)
{
    return index == -1 || TimeLines.Exists(index);
}

BUILTIN(F_SetTimeline)
{
    const int32_t index = RoundToInt32(args[0].val);
    if (!UsableTimeLine(index))
        return true;
    CInstance* self = context.Self();
    self->i_timelineindex = index;
    self->i_timelineposition = static_cast<double>(RoundToInteger(args[1].val));
    self->i_timelinerunning = true;
    return true;
}

BUILTIN(F_TimelineSet)
{
    const int32_t index = RoundToInt32(args[0].val);
    if (!UsableTimeLine(index))
        return true;
    CInstance* self = context.Self();
    self->i_timelineindex = index;
    self->i_timelineposition = static_cast<double>(RoundToInteger(args[1].val));
    self->i_timelinerunning = RoundToInteger(args[2].val) == 0;
    self->i_timelineloop = RoundToInteger(args[3].val) == 1;
    return true;
}

BUILTIN(F_TimelineStart)
{
    context.Self()->i_timelinerunning = true;
    return true;
}

BUILTIN(F_TimelinePause)
{
    context.Self()->i_timelinerunning = false;
    return true;
}

BUILTIN(F_TimelineStop)
{
    context.Self()->i_timelinerunning = false;
    context.Self()->i_timelineposition = 0;
    return true;
}

BUILTIN(F_SetTimelinePosition)
{
    CInstance* self = context.Self();
    self->i_timelineposition = static_cast<double>(RoundToInteger(Action_Relative(args[0].val, self->i_timelineposition)));
    return true;
}

BUILTIN(F_SetTimelineSpeed)
{
    CInstance* self = context.Self();
    self->i_timelinespeed = Action_Relative(args[0].val, self->i_timelinespeed);
    return true;
}

// ---- questions ----

BUILTIN(F_If)
{
    result = args[0];
    return true;
}

BUILTIN(F_IfNumber)
{
    double count = 0;
    ForEachTarget(RoundToInt32(args[0].val), context.Self(), context.Other(), [&](CInstance*) { ++count; });
    Answer(result, Compares(count - args[1].val, RoundToInt32(args[2].val)));
    return true;
}

BUILTIN(F_IfVariable)
{
    if (args[0].kind != args[1].kind) {
        Error_ShowInEvent("Cannot compare arguments.", false);
        return true;
    }
    double difference;
    if (args[0].kind == VALUE_STRING) {
        const int c = args[0].str.Text().compare(args[1].str.Text());
        difference = c < 0 ? -1 : c > 0 ? 1 : 0;
    } else {
        difference = args[0].val - args[1].val;
    }
    Answer(result, Compares(difference, RoundToInt32(args[2].val)));
    return true;
}

template <int Which>
bool F_IfGameValue(CExecutionContext&, RValue& result, int, RValue* args)
{
    const double value = Which == 0 ? GameState.score : Which == 1 ? GameState.lives : GameState.health;
    Answer(result, Compares(value - args[0].val, RoundToInt32(args[1].val)));
    return true;
}

BUILTIN(F_IfDice)
{
    const double sides = args[0].val;
    if (sides <= 1) {
        Answer(result, true);
        return true;
    }
    const double faces = std::nearbyint(std::min(sides * 1000, static_cast<double>(std::numeric_limits<uint32_t>::max())));
    Answer(result, Random_Below(static_cast<uint32_t>(faces)) <= 1000);
    return true;
}

BUILTIN(F_IfMouse)
{
    const int64_t button = RoundToInteger(args[0].val);
    if (button >= 1 && button <= kMouseButtons) {
        const size_t b = static_cast<size_t>(button);
        Answer(result, InputState.in_buttonHeld[b] || InputState.in_buttonReleased[b]);
        return true;
    }
    bool held = false;
    for (int32_t b = 1; b <= kMouseButtons; ++b)
        held = held || InputState.in_buttonHeld[static_cast<size_t>(b)];
    Answer(result, !held);
    return true;
}

// ---- scripts and events ----

BUILTIN(F_ExecuteScript)
{
    static CActionForward scriptExecute("script_execute");
    return scriptExecute.Call(context, result, {args[0], args[1], args[2], args[3], args[4], args[5]});
}

BUILTIN(F_Inherited)
{
    static CActionForward inherited("event_inherited");
    return inherited.Call(context, result, {});
}

// ---- score, lives, health and the caption ----

// Score and lives are whole: the value is rounded before it is added.
int32_t WholeRelative(double value, int32_t current)
{
    const int32_t whole = RoundToInt32(value);
    return ArgumentRelative ? current + whole : whole;
}

BUILTIN(F_SetScore)
{
    GameState.score = WholeRelative(args[0].val, GameState.score);
    return true;
}

BUILTIN(F_SetLife)
{
    Game_SetLives(WholeRelative(args[0].val, GameState.lives));
    return true;
}

BUILTIN(F_SetHealth)
{
    Game_SetHealth(Action_Relative(args[0].val, GameState.health));
    return true;
}

BUILTIN(F_SetCaption)
{
    GameState.showScore = RoundToInteger(args[0].val) == 1;
    GameState.captionScore = args[1].kind == VALUE_STRING ? args[1].str.Text() : std::string();
    GameState.showLives = RoundToInteger(args[2].val) == 1;
    GameState.captionLives = args[3].kind == VALUE_STRING ? args[3].str.Text() : std::string();
    GameState.showHealth = RoundToInteger(args[4].val) == 1;
    GameState.captionHealth = args[5].kind == VALUE_STRING ? args[5].str.Text() : std::string();
    GameState.scoreRequested = true;
    return true;
}

// ---- waiting ----

BUILTIN(F_Sleep)
{
    if (args[1].val >= 0.5) {
        if (StepHooks.drawRoom)
            StepHooks.drawRoom();
        if (StepHooks.presentFrame)
            StepHooks.presentFrame();
    }
    const double milliseconds = std::clamp(args[0].val, 0.0, 1e12);
    StepLoop_Sleep(static_cast<int64_t>(milliseconds * 1000));
    return true;
}

// Old names kept in the table; they do nothing and answer 0.
BUILTIN(F_Nothing)
{
    return true;
}

} // namespace

void World_ImplementActionFunctions()
{
    Function_Implement("action_create_object", &F_CreateObject);
    Function_Implement("action_create_object_motion", &F_CreateObjectMotion);
    Function_Implement("action_create_object_random", &F_CreateObjectRandom);
    Function_Implement("action_change_object", &F_ChangeObject);
    Function_Implement("action_kill_object", &F_KillObject);
    Function_Implement("action_set_sprite", &F_SetSprite);
    Function_Implement("action_sprite_set", &F_SpriteSet);
    Function_Implement("action_sprite_transform", &F_SpriteTransform);
    Function_Implement("action_sprite_color", &F_SpriteColor);
    Function_Implement("action_set_alarm", &F_SetAlarm);
    Function_Implement("action_set_timeline", &F_SetTimeline);
    Function_Implement("action_timeline_set", &F_TimelineSet);
    Function_Implement("action_timeline_start", &F_TimelineStart);
    Function_Implement("action_timeline_pause", &F_TimelinePause);
    Function_Implement("action_timeline_stop", &F_TimelineStop);
    Function_Implement("action_set_timeline_position", &F_SetTimelinePosition);
    Function_Implement("action_set_timeline_speed", &F_SetTimelineSpeed);
    Function_Implement("action_if", &F_If);
    Function_Implement("action_if_number", &F_IfNumber);
    Function_Implement("action_if_variable", &F_IfVariable);
    Function_Implement("action_if_score", &F_IfGameValue<0>);
    Function_Implement("action_if_life", &F_IfGameValue<1>);
    Function_Implement("action_if_health", &F_IfGameValue<2>);
    Function_Implement("action_if_dice", &F_IfDice);
    Function_Implement("action_if_mouse", &F_IfMouse);
    Function_Implement("action_execute_script", &F_ExecuteScript);
    Function_Implement("action_inherited", &F_Inherited);
    Function_Implement("action_set_score", &F_SetScore);
    Function_Implement("action_set_life", &F_SetLife);
    Function_Implement("action_set_health", &F_SetHealth);
    Function_Implement("action_set_caption", &F_SetCaption);
    Function_Implement("action_sleep", &F_Sleep);
    for (const char* name : {"action_path_old", "action_draw_font", "action_draw_font_old", "action_fill_color",
                             "action_line_color", "action_highscore"})
        Function_Implement(name, &F_Nothing);
}
