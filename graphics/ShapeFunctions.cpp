// Script functions that draw shapes, in the draw colour and alpha or in
// game colours given with the draw alpha.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/PathDraw.h"
#include "graphics/Shapes.h"

namespace {

uint32_t Plain()
{
    return Draw_DeviceColor();
}

uint32_t Given(const RValue& color)
{
    return Color_ToDevice(ArgColor(color), DrawState.alpha);
}

BUILTIN(DrawPoint) { Shape_Point(args[0].val, args[1].val, Plain()); return true; }
BUILTIN(DrawPointColor) { Shape_Point(args[0].val + 0.01, args[1].val + 0.01, Given(args[2])); return true; }
BUILTIN(DrawLine) { Shape_Line(args[0].val, args[1].val, args[2].val, args[3].val, Plain(), Plain()); return true; }
BUILTIN(DrawLineColor)
{
    Shape_Line(args[0].val, args[1].val, args[2].val, args[3].val, Given(args[4]), Given(args[5]));
    return true;
}
BUILTIN(DrawLineWidth)
{
    Shape_LineWidth(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, Plain(), Plain());
    return true;
}
BUILTIN(DrawLineWidthColor)
{
    Shape_LineWidth(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, Given(args[5]), Given(args[6]));
    return true;
}
BUILTIN(DrawRectangle)
{
    const uint32_t colors[4] = {Plain(), Plain(), Plain(), Plain()};
    Shape_Rectangle(args[0].val, args[1].val, args[2].val, args[3].val, colors, ArgBool(args[4]));
    return true;
}
BUILTIN(DrawRectangleColor)
{
    const uint32_t colors[4] = {Given(args[4]), Given(args[5]), Given(args[6]), Given(args[7])};
    Shape_Rectangle(args[0].val, args[1].val, args[2].val, args[3].val, colors, ArgBool(args[8]));
    return true;
}
BUILTIN(DrawRoundrect)
{
    Shape_RoundRect(args[0].val, args[1].val, args[2].val, args[3].val, Plain(), Plain(), ArgBool(args[4]));
    return true;
}
BUILTIN(DrawRoundrectColor)
{
    Shape_RoundRect(args[0].val, args[1].val, args[2].val, args[3].val, Given(args[4]), Given(args[5]),
                    ArgBool(args[6]));
    return true;
}
BUILTIN(DrawTriangle)
{
    Shape_Triangle(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, Plain(), Plain(),
                   Plain(), ArgBool(args[6]));
    return true;
}
BUILTIN(DrawTriangleColor)
{
    Shape_Triangle(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, args[5].val, Given(args[6]),
                   Given(args[7]), Given(args[8]), ArgBool(args[9]));
    return true;
}
BUILTIN(DrawCircle)
{
    const double x = args[0].val, y = args[1].val, r = args[2].val;
    Shape_Ellipse(x - r, y - r, x + r, y + r, Plain(), Plain(), ArgBool(args[3]));
    return true;
}
BUILTIN(DrawCircleColor)
{
    const double x = args[0].val, y = args[1].val, r = args[2].val;
    Shape_Ellipse(x - r, y - r, x + r, y + r, Given(args[3]), Given(args[4]), ArgBool(args[5]));
    return true;
}
BUILTIN(DrawEllipse)
{
    Shape_Ellipse(args[0].val, args[1].val, args[2].val, args[3].val, Plain(), Plain(), ArgBool(args[4]));
    return true;
}
BUILTIN(DrawEllipseColor)
{
    Shape_Ellipse(args[0].val, args[1].val, args[2].val, args[3].val, Given(args[4]), Given(args[5]),
                  ArgBool(args[6]));
    return true;
}
BUILTIN(DrawSetCirclePrecision) { Shape_SetCirclePrecision(RoundToInteger(args[0].val)); return true; }
BUILTIN(DrawArrow) { Shape_Arrow(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, Plain()); return true; }
BUILTIN(DrawButton) { Shape_Button(args[0].val, args[1].val, args[2].val, args[3].val, ArgBool(args[4])); return true; }
BUILTIN(DrawHealthbar)
{
    Shape_HealthBar(args[0].val, args[1].val, args[2].val, args[3].val, args[4].val, ArgColor(args[5]),
                    ArgColor(args[6]), ArgColor(args[7]), ArgInt(args[8]), ArgBool(args[9]), ArgBool(args[10]));
    return true;
}
BUILTIN(DrawPath)
{
    if (!Path_Draw(ArgInt(args[0]), args[1].val, args[2].val, ArgBool(args[3])))
        Error_ShowInEvent("Trying to drawn non-existing path.", false);
    return true;
}

} // namespace

void Graphics_RegisterShapeFunctions()
{
    Function_Implement("draw_point", &DrawPoint);
    Function_Implement("draw_point_color", &DrawPointColor);
    Function_Implement("draw_line", &DrawLine);
    Function_Implement("draw_line_color", &DrawLineColor);
    Function_Implement("draw_line_width", &DrawLineWidth);
    Function_Implement("draw_line_width_color", &DrawLineWidthColor);
    Function_Implement("draw_rectangle", &DrawRectangle);
    Function_Implement("draw_rectangle_color", &DrawRectangleColor);
    Function_Implement("draw_roundrect", &DrawRoundrect);
    Function_Implement("draw_roundrect_color", &DrawRoundrectColor);
    Function_Implement("draw_triangle", &DrawTriangle);
    Function_Implement("draw_triangle_color", &DrawTriangleColor);
    Function_Implement("draw_circle", &DrawCircle);
    Function_Implement("draw_circle_color", &DrawCircleColor);
    Function_Implement("draw_ellipse", &DrawEllipse);
    Function_Implement("draw_ellipse_color", &DrawEllipseColor);
    Function_Implement("draw_set_circle_precision", &DrawSetCirclePrecision);
    Function_Implement("draw_arrow", &DrawArrow);
    Function_Implement("draw_button", &DrawButton);
    Function_Implement("draw_healthbar", &DrawHealthbar);
    Function_Implement("draw_path", &DrawPath);
}
