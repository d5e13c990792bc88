// CInstance: one live thing in the running room, an instance of an object
// with its position, sprite and animation, motion, bounding box, alarms, path
// and time line state and its own variables. The setters keep the derived
// values consistent: object, sprite, mask, scale and angle recompute the
// bounding box; speed and direction and the two speed components follow
// each other.
#pragma once

#include "code/VariableList.h"
#include "data/Mask.h"

#include <array>
#include <cstdint>
#include <string>

class CObject;

constexpr int kAlarmCount = 12;
// The box of an instance without a mask sprite, outside every box test.
constexpr int32_t kNoBox = -100000;

// Counts every recomputed box and every change of the instance lists, so
// that code keeping an index of boxes can tell whether an event it ran may
// have moved, made or reordered instances.
extern uint64_t InstanceLayoutChanges;

class CInstance {
public:
    int32_t i_id = 0;
    int32_t i_spriteindex = -1;
    double i_imageindex = 0;
    double i_imagespeed = 1;
    double i_imagescalex = 1;
    double i_imagescaley = 1;
    double i_imageangle = 0;
    double i_imagealpha = 1;
    uint32_t i_imageblend = 0xFFFFFF;
    int32_t i_maskindex = -1;
    double i_depth = 0;
    double i_x = 0, i_y = 0;
    double i_xstart = 0, i_ystart = 0;
    double i_xprevious = 0, i_yprevious = 0;
    double i_direction = 0;
    double i_speed = 0;
    double i_friction = 0;
    double i_gravitydir = 270;
    double i_gravity = 0;
    double i_hspeed = 0, i_vspeed = 0;
    RBox i_bbox{kNoBox, kNoBox, kNoBox, kNoBox};
    bool i_visible = true;
    bool i_solid = false;
    bool i_persistent = false;
    int32_t i_objectindex = -1;
    CObject* i_object = nullptr;
    std::array<int32_t, kAlarmCount> i_timer;
    CVariableList i_vars;
    bool i_marked = false;
    bool i_deactivated = false;
    int32_t i_pathindex = -1;
    double i_pathposition = 0;
    double i_pathpositionprevious = 0;
    double i_pathspeed = 0;
    double i_pathscale = 1;
    double i_pathorientation = 0;
    int32_t i_pathend = 0;
    double i_pathxstart = 0, i_pathystart = 0;
    int32_t i_timelineindex = -1;
    double i_timelineposition = 0;
    double i_timelinespeed = 1;
    bool i_timelinerunning = false;
    bool i_timelineloop = false;
    std::string i_initcode;

    CInstance() { i_timer.fill(-1); }

    void Create(double x, double y, int32_t id, int32_t objectindex);
    // Copies every field of other, its variables included, except the path origin.
    void Assign(const CInstance& other);

    void SetObject(int32_t objectindex);
    void SetSprite(int32_t spriteindex);
    void SetMask(int32_t maskindex);
    void SetImageScaleX(double value);
    void SetImageScaleY(double value);
    void SetImageAngle(double value);
    void SetPosition(double x, double y);
    void SetDirection(double value);
    void SetSpeed(double value);
    void SetHspeed(double value);
    void SetVspeed(double value);
    void AddTo_Speed(double direction, double amount);
    // Friction, then gravity, once per step before the instance moves.
    void Adapt_Speed();

    int32_t Alarm(int index) const { return index >= 0 && index < kAlarmCount ? i_timer[static_cast<size_t>(index)] : -1; }
    void SetAlarm(int index, int32_t value)
    {
        if (index >= 0 && index < kAlarmCount)
            i_timer[static_cast<size_t>(index)] = value;
    }

    void ComputeBoundingBox();

private:
    void DeriveComponents();
    void DeriveDirectionAndSpeed();
};
