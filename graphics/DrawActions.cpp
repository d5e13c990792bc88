// The drawing actions: sprites, backgrounds, text, values with captions,
// shapes and gradients, the health bar with its palette, and the colour and
// font settings. Positions are relative to the instance when the action is.
#include "code/ArgumentVariables.h"
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Shapes.h"
#include "graphics/SpriteDraw.h"
#include "graphics/Text.h"
#include "library/RealText.h"
#include "world/ActionForward.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/Rooms.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;

// The colours the health bar action offers, by index 1..16.
constexpr int32_t kPalette[17] = {
    kBlack,   // unused
    0x000000, // black
    0x808080, // grey
    0xC0C0C0, // silver
    0xFFFFFF, // white
    0x000080, // maroon
    0x008000, // green
    0x008080, // olive
    0x800000, // navy
    0x800080, // purple
    0x808000, // teal
    0x0000FF, // red
    0x00FF00, // lime
    0x00FFFF, // yellow
    0xFF0000, // blue
    0xFF00FF, // fuchsia
    0xFFFF00, // aqua
};

// A string as it is; a real as string() writes it.
std::string TextOf(const RValue& value)
{
    if (value.IsString())
        return value.str.Text();
    char buffer[kRealTextSize];
    return std::string(buffer, FormatRealInto(value.val, buffer));
}

uint32_t Device(int32_t color)
{
    return Color_ToDevice(color, DrawState.alpha);
}

BUILTIN(F_DrawSprite)
{
    const int32_t sprite = ArgInt(args[0]);
    if (!Sprites.Exists(sprite)) {
        Error_ShowInEvent("Trying to draw a non-existing sprite.", false);
        return true;
    }
    CInstance* self = context.Self();
    int64_t image = RoundToInteger(args[3].val);
    if (image < 0)
        image = static_cast<int64_t>(std::floor(std::clamp(self->i_imageindex, -9.0e18, 9.0e18)));
    Sprite_DrawSimple(sprite, image, Action_X(context, args[1]), Action_Y(context, args[2]));
    return true;
}

BUILTIN(F_DrawBackground)
{
    const int32_t background = ArgInt(args[0]);
    if (!Backgrounds.Exists(background)) {
        Error_ShowInEvent("Trying to draw a non-existing background.", false);
        return true;
    }
    const double x = Action_X(context, args[1]), y = Action_Y(context, args[2]);
    if (args[3].val >= 0.5) {
        const double w = CurrentRoom ? CurrentRoom->r_width : 0, h = CurrentRoom ? CurrentRoom->r_height : 0;
        Background_DrawTiled(background, x, y, 1, 1, true, true, 0, 0, w, h, kWhite, 1);
    } else {
        Background_DrawSimple(background, x, y);
    }
    return true;
}

BUILTIN(F_DrawText)
{
    Text_Draw(Action_X(context, args[1]), Action_Y(context, args[2]), TextOf(args[0]), -1, -1);
    return true;
}

BUILTIN(F_DrawTextTransformed)
{
    Text_DrawTransformed(Action_X(context, args[1]), Action_Y(context, args[2]), TextOf(args[0]), -1, -1, args[3].val,
                         args[4].val, args[5].val);
    return true;
}

BUILTIN(F_DrawVariable)
{
    Text_Draw(Action_X(context, args[1]), Action_Y(context, args[2]), TextOf(args[0]), -1, -1);
    return true;
}

BUILTIN(F_DrawScore)
{
    Text_Draw(Action_X(context, args[0]), Action_Y(context, args[1]), TextOf(args[2]) + std::to_string(GameState.score), -1, -1);
    return true;
}

BUILTIN(F_DrawLife)
{
    Text_Draw(Action_X(context, args[0]), Action_Y(context, args[1]), TextOf(args[2]) + std::to_string(GameState.lives), -1, -1);
    return true;
}

BUILTIN(F_DrawLifeImages)
{
    const int32_t sprite = ArgInt(args[2]);
    const CSprite* picture = Sprites.Get(sprite);
    if (!picture)
        return true;
    const double x = Action_X(context, args[0]), y = Action_Y(context, args[1]);
    for (int32_t k = 0; k < GameState.lives; ++k)
        Sprite_DrawSimple(sprite, 0, x + static_cast<double>(k) * picture->Width(), y);
    return true;
}

// The bar colour of the health bar action for an amount in 0..100.
int32_t HealthBarColor(int64_t bar, double amount)
{
    auto through = [amount](int32_t low, int32_t mid, int32_t high) {
        return static_cast<int32_t>(amount <= 50 ? Color_Merge(low, mid, amount / 50)
                                                 : Color_Merge(mid, high, (amount - 50) / 50));
    };
    if (bar == 0)
        return through(0x0000FF, 0x00FFFF, 0x00FF00);
    if (bar == 1)
        return through(kBlack, 0x808080, kWhite);
    if (bar >= 2 && bar <= 17)
        return kPalette[bar - 1];
    return kBlack;
}

BUILTIN(F_DrawHealth)
{
    const double amount = std::isnan(GameState.health) ? 0 : std::clamp(GameState.health, 0.0, 100.0);
    const int64_t back = RoundToInteger(args[4].val);
    const int32_t bar = HealthBarColor(RoundToInteger(args[5].val), amount);
    const bool showBack = back >= 1 && back <= 16;
    Shape_HealthBar(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]), amount,
                    showBack ? kPalette[back] : kBlack, bar, bar, 0, showBack, true);
    return true;
}

BUILTIN(F_DrawRectangle)
{
    const uint32_t c = Draw_DeviceColor();
    const uint32_t colors[4] = {c, c, c, c};
    Shape_Rectangle(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]), colors,
                    args[4].val >= 0.5);
    return true;
}

template <bool Horizontal>
bool F_DrawGradient(CExecutionContext& context, RValue&, int, RValue* args)
{
    const uint32_t c1 = Device(ArgColor(args[4])), c2 = Device(ArgColor(args[5]));
    // Corners from the top-left clockwise.
    const uint32_t horizontal[4] = {c1, c2, c2, c1}, vertical[4] = {c1, c1, c2, c2};
    Shape_Rectangle(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]),
                    Horizontal ? horizontal : vertical, false);
    return true;
}

BUILTIN(F_DrawEllipse)
{
    const uint32_t c = Draw_DeviceColor();
    Shape_Ellipse(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]), c, c,
                  args[4].val >= 0.5);
    return true;
}

BUILTIN(F_DrawEllipseGradient)
{
    Shape_Ellipse(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]),
                  Device(ArgColor(args[4])), Device(ArgColor(args[5])), false);
    return true;
}

BUILTIN(F_DrawLine)
{
    const uint32_t c = Draw_DeviceColor();
    Shape_Line(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]), c, c);
    return true;
}

BUILTIN(F_DrawArrow)
{
    Shape_Arrow(Action_X(context, args[0]), Action_Y(context, args[1]), Action_X(context, args[2]), Action_Y(context, args[3]), args[4].val,
                Draw_DeviceColor());
    return true;
}

BUILTIN(F_Color)
{
    Draw_SetColor(ArgColor(args[0]));
    return true;
}

BUILTIN(F_Font)
{
    Text_SetFont(ArgInt(args[0]));
    Text_SetHAlign(ArgInt(args[1]));
    return true;
}

} // namespace

void Graphics_RegisterDrawActions()
{
    Function_Implement("action_draw_sprite", &F_DrawSprite);
    Function_Implement("action_draw_background", &F_DrawBackground);
    Function_Implement("action_draw_text", &F_DrawText);
    Function_Implement("action_draw_text_transformed", &F_DrawTextTransformed);
    Function_Implement("action_draw_variable", &F_DrawVariable);
    Function_Implement("action_draw_score", &F_DrawScore);
    Function_Implement("action_draw_life", &F_DrawLife);
    Function_Implement("action_draw_life_images", &F_DrawLifeImages);
    Function_Implement("action_draw_health", &F_DrawHealth);
    Function_Implement("action_draw_rectangle", &F_DrawRectangle);
    Function_Implement("action_draw_gradient_hor", &F_DrawGradient<true>);
    Function_Implement("action_draw_gradient_vert", &F_DrawGradient<false>);
    Function_Implement("action_draw_ellipse", &F_DrawEllipse);
    Function_Implement("action_draw_ellipse_gradient", &F_DrawEllipseGradient);
    Function_Implement("action_draw_line", &F_DrawLine);
    Function_Implement("action_draw_arrow", &F_DrawArrow);
    Function_Implement("action_color", &F_Color);
    Function_Implement("action_font", &F_Font);
}
