// The built-in variables of an instance: position, motion, sprite and
// animation, bounding box, alarms, path and time line state. Setters take
// the real part of the value and keep the derived values consistent.
#include "world/InstanceVariables.h"

#include "code/VariableCatalogue.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "world/Instance.h"

#include <algorithm>

namespace {

using Get = TVariableGetter;
using Set = TVariableSetter;

inline bool Real(RValue& value, double real)
{
    value.SetReal(real);
    return true;
}

// Flags are true when the rounded value is at least 1, so 0.5 is false.
bool Flag(const RValue& value)
{
    return RoundToInteger(value.val) >= 1;
}

const CSprite* SpriteOf(const CInstance* instance)
{
    return Sprites.Get(instance->i_spriteindex);
}

struct RInstanceVariable {
    const char* name;
    Get getter;
    Set setter;
};

// Fields stored exactly as given.
#define PLAIN_REAL(field)                                                                                        \
    [](CInstance* i, int32_t, RValue& v) { return Real(v, i->field); },                                          \
        [](CInstance* i, int32_t, const RValue& v) {                                                             \
            i->field = v.val;                                                                                    \
            return true;                                                                                         \
        }
#define PLAIN_FLAG(field)                                                                                        \
    [](CInstance* i, int32_t, RValue& v) { return Real(v, i->field ? 1.0 : 0.0); },                              \
        [](CInstance* i, int32_t, const RValue& v) {                                                             \
            i->field = Flag(v);                                                                                  \
            return true;                                                                                         \
        }
#define READ_ONLY(expression) [](CInstance* i, int32_t, RValue& v) { return Real(v, (expression)); }, nullptr

const RInstanceVariable kVariables[] = {
    {"x", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_x); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetPosition(v.val, i->i_y);
         return true;
     }},
    {"y", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_y); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetPosition(i->i_x, v.val);
         return true;
     }},
    {"xprevious", PLAIN_REAL(i_xprevious)},
    {"yprevious", PLAIN_REAL(i_yprevious)},
    {"xstart", PLAIN_REAL(i_xstart)},
    {"ystart", PLAIN_REAL(i_ystart)},
    {"hspeed", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_hspeed); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetHspeed(v.val);
         return true;
     }},
    {"vspeed", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_vspeed); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetVspeed(v.val);
         return true;
     }},
    {"direction", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_direction); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetDirection(v.val);
         return true;
     }},
    {"speed", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_speed); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetSpeed(v.val);
         return true;
     }},
    {"friction", PLAIN_REAL(i_friction)},
    {"gravity", PLAIN_REAL(i_gravity)},
    {"gravity_direction", PLAIN_REAL(i_gravitydir)},
    {"object_index", READ_ONLY(i->i_objectindex)},
    {"id", READ_ONLY(i->i_id)},
    {"alarm",
     [](CInstance* i, int32_t index, RValue& v) { return Real(v, i->Alarm(index >= 0 && index < kAlarmCount ? index : 0)); },
     [](CInstance* i, int32_t index, const RValue& v) {
         i->SetAlarm(index >= 0 && index < kAlarmCount ? index : 0, RoundToInt32(v.val));
         return true;
     }},
    {"solid", PLAIN_FLAG(i_solid)},
    {"visible", PLAIN_FLAG(i_visible)},
    {"persistent", PLAIN_FLAG(i_persistent)},
    {"depth", PLAIN_REAL(i_depth)},
    {"bbox_left", READ_ONLY(i->i_bbox.left)},
    {"bbox_right", READ_ONLY(i->i_bbox.right)},
    {"bbox_top", READ_ONLY(i->i_bbox.top)},
    {"bbox_bottom", READ_ONLY(i->i_bbox.bottom)},
    {"sprite_index", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_spriteindex); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetSprite(RoundToInt32(v.val));
         return true;
     }},
    {"image_index", PLAIN_REAL(i_imageindex)},
    {"image_single",
     [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_imagespeed != 0 ? -1.0 : i->i_imageindex); },
     [](CInstance* i, int32_t, const RValue& v) {
         if (v.val >= 0) {
             i->i_imageindex = v.val;
             i->i_imagespeed = 0;
         } else {
             i->i_imagespeed = 1;
         }
         return true;
     }},
    {"image_number", READ_ONLY(SpriteOf(i) ? SpriteOf(i)->Count() : 0)},
    {"sprite_width", READ_ONLY(SpriteOf(i) ? SpriteOf(i)->Width() * i->i_imagescalex : 0.0)},
    {"sprite_height", READ_ONLY(SpriteOf(i) ? SpriteOf(i)->Height() * i->i_imagescaley : 0.0)},
    {"sprite_xoffset", READ_ONLY(SpriteOf(i) ? SpriteOf(i)->i_xorig * i->i_imagescalex : 0.0)},
    {"sprite_yoffset", READ_ONLY(SpriteOf(i) ? SpriteOf(i)->i_yorig * i->i_imagescaley : 0.0)},
    {"image_xscale", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_imagescalex); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetImageScaleX(v.val);
         return true;
     }},
    {"image_yscale", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_imagescaley); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetImageScaleY(v.val);
         return true;
     }},
    {"image_angle", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_imageangle); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetImageAngle(v.val);
         return true;
     }},
    {"image_alpha", PLAIN_REAL(i_imagealpha)},
    {"image_blend", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_imageblend); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->i_imageblend = static_cast<uint32_t>(RoundToInteger(v.val));
         return true;
     }},
    {"image_speed", PLAIN_REAL(i_imagespeed)},
    {"mask_index", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_maskindex); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->SetMask(RoundToInt32(v.val));
         return true;
     }},
    {"path_index", READ_ONLY(i->i_pathindex)},
    {"path_position", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_pathposition); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->i_pathposition = std::clamp(v.val, 0.0, 1.0);
         return true;
     }},
    {"path_positionprevious", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_pathpositionprevious); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->i_pathpositionprevious = std::clamp(v.val, 0.0, 1.0);
         return true;
     }},
    {"path_speed", PLAIN_REAL(i_pathspeed)},
    {"path_scale", PLAIN_REAL(i_pathscale)},
    {"path_orientation", PLAIN_REAL(i_pathorientation)},
    {"path_endaction", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_pathend); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->i_pathend = RoundToInt32(v.val);
         return true;
     }},
    {"timeline_index", [](CInstance* i, int32_t, RValue& v) { return Real(v, i->i_timelineindex); },
     [](CInstance* i, int32_t, const RValue& v) {
         i->i_timelineindex = RoundToInt32(v.val);
         return true;
     }},
    {"timeline_position", PLAIN_REAL(i_timelineposition)},
    {"timeline_speed", PLAIN_REAL(i_timelinespeed)},
    {"timeline_running", PLAIN_FLAG(i_timelinerunning)},
    {"timeline_loop", PLAIN_FLAG(i_timelineloop)},
};

#undef PLAIN_REAL
#undef PLAIN_FLAG
#undef READ_ONLY

} // namespace

void World_ImplementInstanceVariables()
{
    for (const RInstanceVariable& variable : kVariables)
        Variable_Implement(variable.name, variable.getter, variable.setter);
}
