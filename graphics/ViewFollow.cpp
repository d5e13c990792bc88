// Following instances with views, and publishing the views.
#include "graphics/ViewFollow.h"

#include "code/Value.h"
#include "graphics/WindowState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <algorithm>

namespace {

constexpr int32_t kFirstInstanceId = 100000;

int64_t RoundedPosition(double value)
{
    return std::clamp<int64_t>(RoundToInteger(value), INT32_MIN, INT32_MAX);
}

} // namespace

int32_t View_FollowAxis(int32_t edge, int32_t size, int32_t border, int32_t speed, int64_t position,
                        int32_t roomSize)
{
    // 64 bits throughout: games put anything into these fields.
    int64_t candidate;
    if (2 * int64_t(border) < size) {
        candidate = position - border;
        if (candidate >= edge)
            candidate = int64_t(size) + edge < position + border ? position + border - size : edge;
    } else {
        candidate = position - size / 2;
    }
    if (candidate < 0)
        candidate = 0;
    if (candidate + size > roomSize)
        candidate = int64_t(roomSize) - size; // negative again when the room is narrower than the view
    if (speed >= 0) {
        if (candidate > int64_t(edge) + speed)
            candidate = int64_t(edge) + speed;
        else if (candidate < int64_t(edge) - speed)
            candidate = int64_t(edge) - speed;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(candidate, INT32_MIN, INT32_MAX));
}

CInstance* View_Followed(const CLiveRoom& room, int32_t index)
{
    for (int32_t k = 0; k < room.InstanceCount(); ++k) {
        CInstance* instance = room.InstanceAt(k);
        if (instance->i_marked)
            continue;
        if (index >= kFirstInstanceId ? instance->i_id == index
                                      : instance->i_objectindex == index ||
                                            Object_IsDescendentOf(instance->i_objectindex, index))
            return instance;
    }
    return nullptr;
}

void View_UpdateAll(CLiveRoom& room)
{
    if (!room.r_enableviews) {
        Window_PublishViews(nullptr, 0);
        return;
    }
    RViewEntry entries[CRoom::kSlots];
    for (int v = 0; v < CRoom::kSlots; ++v) {
        CView& view = room.r_view[static_cast<size_t>(v)];
        if (!view.visible)
            continue;
        if (view.index >= 0) {
            if (CInstance* followed = View_Followed(room, view.index)) {
                view.xview = View_FollowAxis(view.xview, view.wview, view.hborder, view.hspeed,
                                             RoundedPosition(followed->i_x), room.r_width);
                view.yview = View_FollowAxis(view.yview, view.hview, view.vborder, view.vspeed,
                                             RoundedPosition(followed->i_y), room.r_height);
            }
        }
        entries[v] = {true,
                      double(view.xview),
                      double(view.yview),
                      double(view.wview),
                      double(view.hview),
                      double(view.xport),
                      double(view.yport),
                      double(view.wport),
                      double(view.hport),
                      view.angle};
    }
    Window_PublishViews(entries, CRoom::kSlots);
}
