// Capturing and playing room transitions, and the built-in effects.
#include "graphics/Transitions.h"

#include "code/ErrorReport.h"
#include "code/ExecutionContext.h"
#include "code/Functions.h"
#include "code/Value.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/RoomDraw.h"
#include "graphics/Surfaces.h"
#include "graphics/TextureDraw.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

struct RDefinedTransition {
    int32_t function = -1;
    std::string name;
};
std::unordered_map<int32_t, RDefinedTransition> Defined;

// Between the capture and the play of one room change.
int32_t Kind = -1; // -1: none
int32_t From = -1, To = -1;

bool IsKind(int32_t kind)
{
    return (kind >= 1 && kind <= kBuiltinTransitions) || Defined.count(kind) > 0;
}

int64_t Round(double v)
{
    return RoundToInteger(v);
}

int32_t TextureOf(int32_t surface)
{
    const RSurface* s = Surface_Get(surface);
    return s ? s->texture : -1;
}

void DrawWhole(int32_t surface, double x, double y)
{
    Draw_Texture(TextureOf(surface), x, y);
}

// The part (x, y, w, h) of a picture at its own place.
void DrawPart(int32_t surface, double x, double y, double w, double h)
{
    if (w > 0 && h > 0)
        Draw_TexturePart(TextureOf(surface), kWhite, 1, x, y, w, h, x, y, 1, 1);
}

// Stripes of the new picture (kinds 10 to 13), with the wipe of kinds 1 to 4
// over the second half.
void Stripes(int32_t kind, int32_t from, int32_t to, int32_t w, int32_t h, double t, int32_t steps)
{
    const int64_t c = Round(t * steps);
    if (c >= steps) {
        DrawWhole(to, 0, 0);
        return;
    }
    const int64_t g = steps / 2;
    if (g < c)
        Transition_DrawBuiltin(kind - 9, from, to, w, h, static_cast<double>(c - g) / static_cast<double>(g), steps);
    else
        DrawWhole(from, 0, 0);
    const bool vertical = kind <= 11, forward = kind == 10 || kind == 12;
    const double side = vertical ? w : h;
    for (int64_t i = 0; i <= g; ++i) {
        if (forward ? i > c : i < g - c)
            continue;
        const double at = static_cast<double>(Round(2.0 * static_cast<double>(i) * side / steps));
        const double width = static_cast<double>(Round(side / steps));
        if (vertical)
            DrawPart(to, at, 0, width, h);
        else
            DrawPart(to, 0, at, w, width);
    }
}

// The new picture grown from nothing and turned about the middle (18: +a, 19: -a).
void Spin(int32_t to, int32_t w, int32_t h, double t, double sign)
{
    const double a = sign * 2 * std::numbers::pi * std::sqrt(t);
    const double x = w / 2.0 - w * t / 2 * std::cos(a) - h * t / 2 * std::sin(a);
    const double y = h / 2.0 + w * t / 2 * std::sin(a) - h * t / 2 * std::cos(a);
    Draw_TextureExt(TextureOf(to), kWhite, 1, a, t, t, static_cast<double>(Round(x)), static_cast<double>(Round(y)), 0, 0);
}

// Calls the defined function of the kind for one frame; false (after
// reporting it) when there is none or it failed.
bool DrawDefined(int32_t kind, int32_t w, int32_t h, double t)
{
    auto found = Defined.find(kind);
    if (found == Defined.end()) {
        Error_Show("Transition Function does not exist.", false);
        return false;
    }
    const RDefinedTransition& defined = found->second;
    if (defined.function < kFirstScriptFunction)
        return true; // a built-in function is not called
    CInstance temporary;
    temporary.Create(0, 0, 0, 0);
    RValue args[kMaxCallArguments];
    args[0].SetReal(From);
    args[1].SetReal(To);
    args[2].SetReal(w);
    args[3].SetReal(h);
    args[4].SetReal(t);
    RValue result;
    if (Function_Call(defined.function, &temporary, &temporary, result, args, 5))
        return true;
    Error_Show("ERROR in transition function " + defined.name + "\r" + Code_Context().ErrorMessage(), false);
    Code_Context().ClearError();
    return false;
}

// The wait before each presented frame: the display's refresh, or in a run on
// virtual time one refresh period of that time, without sleeping.
void WaitForFrame()
{
    if (StepLoop_TimeIsVirtual())
        StepLoop_Sleep(1000000 / 60);
    else
        Display_WaitVerticalBlank();
}

void FreePictures()
{
    Surface_Free(From);
    Surface_Free(To);
    From = To = -1;
    Kind = -1;
}

void Present()
{
    Display_EndFrameAndPresent();
    Display_BeginFrame();
}

} // namespace

void Transition_Capture(int32_t kind)
{
    FreePictures(); // a capture that was never played
    IRenderDevice* device = Display_Device();
    if (!IsKind(kind) || !device || device->IsHeadless())
        return;
    int32_t w = 0, h = 0;
    Display_GetBackRegion(w, h);
    From = Surface_Create(w, h);
    if (From < 0 || !Surface_SetTarget(From)) {
        FreePictures();
        return;
    }
    // The picture is complete: the room drawing leaves nothing out for the
    // change under way.
    const int32_t pending = PendingRoomChange;
    PendingRoomChange = kNoChange;
    RoomDraw_DrawRoom();
    PendingRoomChange = pending;
    Surface_ResetTarget();
    To = Surface_Create(w, h);
    if (To < 0) {
        FreePictures();
        return;
    }
    Kind = kind;
}

void Transition_PlayRoomStart()
{
    if (Kind < 0 || !Surface_Exists(From) || !Surface_Exists(To)) {
        // No transition: the new room's first picture, as it is.
        FreePictures();
        RoomDraw_DrawRoom();
        Present();
        return;
    }
    // The new room's first picture goes into the second surface; it takes
    // the target only now, so that events of the change cannot move it.
    Surface_SetTarget(To);
    RoomDraw_DrawRoom();
    Surface_ResetTarget();

    IRenderDevice* device = Display_Device();
    const RSurface* picture = Surface_Get(From);
    const int32_t w = picture->w, h = picture->h;
    int32_t regionW = 0, regionH = 0;
    Display_GetBackRegion(regionW, regionH);
    device->SetViewport({0, 0, regionW, regionH});
    Draw_SetProjection2D(0, 0, regionW, regionH, 0);
    // Frames are drawn with the plain state, whatever the game left set.
    const RDrawState saved = DrawState;
    Draw_SetBlendMode(0);
    DrawState.textureBlending = true;
    const int32_t steps = std::max(TransitionSteps, 1);
    for (int32_t count = 0; count <= steps; ++count) {
        const double t = static_cast<double>(count) / steps;
        Display_BeginFrame();
        if (Kind <= kBuiltinTransitions && !Defined.count(Kind)) {
            Transition_DrawBuiltin(Kind, From, To, w, h, t, steps);
        } else if (!DrawDefined(Kind, w, h, t)) {
            // Reported once; the new room then shows at once.
            DrawWhole(To, 0, 0);
            count = steps;
        }
        WaitForFrame();
        Display_EndFrameAndPresent();
    }
    Display_BeginFrame();
    DrawState = saved;
    FreePictures();
}

void Transition_DrawBuiltin(int32_t kind, int32_t from, int32_t to, int32_t w, int32_t h, double t, int32_t steps)
{
    const double W = w, H = h;
    const double wt = static_cast<double>(Round(W * t)), ht = static_cast<double>(Round(H * t));
    if (kind <= 9 || kind == 18 || kind == 19 || kind == 20)
        DrawWhole(from, 0, 0);
    switch (kind) {
    case 1:
        DrawPart(to, 0, 0, wt, H);
        break;
    case 2:
        DrawPart(to, W - wt, 0, wt, H);
        break;
    case 3:
        DrawPart(to, 0, 0, W, ht);
        break;
    case 4:
        DrawPart(to, 0, H - ht, W, ht);
        break;
    case 5:
        DrawPart(to, static_cast<double>(Round((W - W * t) / 2)), static_cast<double>(Round((H - H * t) / 2)), wt, ht);
        break;
    case 6:
        DrawWhole(to, wt - W, 0);
        break;
    case 7:
        DrawWhole(to, W - wt, 0);
        break;
    case 8:
        DrawWhole(to, 0, ht - H);
        break;
    case 9:
        DrawWhole(to, 0, H - ht);
        break;
    case 10:
    case 11:
    case 12:
    case 13:
        Stripes(kind, from, to, w, h, t, std::max(steps, 1));
        break;
    case 14:
        DrawWhole(from, wt, 0);
        DrawWhole(to, wt - W, 0);
        break;
    case 15:
        DrawWhole(from, -wt, 0);
        DrawWhole(to, W - wt, 0);
        break;
    case 16:
        DrawWhole(from, 0, ht);
        DrawWhole(to, 0, ht - H);
        break;
    case 17:
        DrawWhole(from, 0, -ht);
        DrawWhole(to, 0, H - ht);
        break;
    case 18:
        Spin(to, w, h, t, 1);
        break;
    case 19:
        Spin(to, w, h, t, -1);
        break;
    case 20:
        Draw_TextureExt(TextureOf(to), kWhite, t, 0, 1, 1, 0, 0, 0, 0);
        break;
    case 21:
        if (IRenderDevice* device = Display_Device())
            device->Clear(0xFF000000);
        if (t > 0.5)
            Draw_TextureExt(TextureOf(to), kWhite, 2 * t - 1, 0, 1, 1, 0, 0, 0, 0);
        else
            Draw_TextureExt(TextureOf(from), kWhite, 1 - 2 * t, 0, 1, 1, 0, 0, 0, 0);
        break;
    default:
        break;
    }
}

bool Transition_Define(int32_t kind, const std::string& name)
{
    int32_t function = -1;
    if (!Function_Find(name, function))
        return false;
    if (kind > 0 && kind <= kMaxTransitionKind)
        Defined[kind] = {function, name};
    return true;
}

bool Transition_Exists(int32_t kind)
{
    return IsKind(kind);
}

void Transition_ForgetDefined()
{
    Defined.clear();
}
