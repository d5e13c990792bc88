// Shape geometry. Vertex orders follow the pictures games were made with:
// rectangles from the top-left clockwise, fans from the centre, rims from
// angle 0 (pointing right) turning down the screen.
#include "graphics/Shapes.h"

#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t kMaxPrecision = 64;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kGray = 0x808080;
constexpr int32_t kBlack = 0;
// The centre, n + 4 rim points of a rounded rectangle and the closing one.
constexpr int32_t kMaxVertices = kMaxPrecision + 6;

int32_t Precision = 24;
double Cos[kMaxPrecision + 1];
double Sin[kMaxPrecision + 1];
bool TableMade = false;

void MakeTable()
{
    for (int32_t i = 0; i <= Precision; ++i) {
        const double a = 2 * std::numbers::pi * i / Precision;
        Cos[i] = std::cos(a);
        Sin[i] = std::sin(a);
    }
    TableMade = true;
}

// Vertices collected for one primitive.
class CShape {
public:
    void Add(double x, double y, uint32_t color)
    {
        if (s_count < kMaxVertices)
            s_v[s_count++] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(DrawState.depth),
                              color, 0, 0};
    }
    void Send(EPrimitive kind) const
    {
        IRenderDevice* device = Display_Device();
        if (!device || s_count == 0)
            return;
        // Untextured drawing ignores texture addressing; asking for the
        // textured quads' settings keeps shapes and sprites from flushing
        // each other's batches over it.
        device->SetDrawSettings(Draw_Settings(true));
        device->Draw(kind, 0, s_v, s_count);
    }
    int32_t Count() const { return s_count; }
    const RVertex& At(int32_t k) const { return s_v[k]; }

private:
    RVertex s_v[kMaxVertices];
    int32_t s_count = 0;
};

// A whole right or bottom edge moves 0.01 further so that it covers its last
// pixel centre.
double EdgeAdjusted(double v)
{
    return v == std::floor(v) ? v + 0.01 : v;
}

struct RBox {
    double left, top, right, bottom;
};

RBox OrderedBox(double x1, double y1, double x2, double y2)
{
    return {std::min(x1, x2), std::min(y1, y2), EdgeAdjusted(std::max(x1, x2)), EdgeAdjusted(std::max(y1, y2))};
}

uint32_t DrawColorOf(int32_t color)
{
    return Color_ToDevice(color, DrawState.alpha);
}

} // namespace

void Shape_SetCirclePrecision(int64_t n)
{
    n = std::clamp<int64_t>(n, 4, kMaxPrecision);
    const int32_t precision = static_cast<int32_t>(n - n % 4);
    if (precision != Precision || !TableMade) {
        Precision = precision;
        MakeTable();
    }
}

int32_t Shape_CirclePrecision()
{
    return Precision;
}

void Shape_Point(double x, double y, uint32_t color)
{
    CShape shape;
    shape.Add(x, y, color);
    shape.Send(EPrimitive::PointList);
}

void Shape_Line(double x1, double y1, double x2, double y2, uint32_t color1, uint32_t color2)
{
    CShape shape;
    shape.Add(x1 + 0.01, y1 + 0.01, color1);
    shape.Add(x2 + 0.01, y2 + 0.01, color2);
    shape.Send(EPrimitive::LineList);
}

void Shape_LineWidth(double x1, double y1, double x2, double y2, double w, uint32_t color1, uint32_t color2)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0))
        return;
    const double px = -dy * w / 2 / length, py = dx * w / 2 / length;
    CShape shape;
    shape.Add(x1 - px, y1 - py, color1);
    shape.Add(x2 - px, y2 - py, color2);
    shape.Add(x2 + px, y2 + py, color2);
    shape.Add(x1 + px, y1 + py, color1);
    shape.Send(EPrimitive::TriangleFan);
}

void Shape_Rectangle(double x1, double y1, double x2, double y2, const uint32_t colors[4], bool outline)
{
    const RBox b = OrderedBox(x1, y1, x2, y2);
    CShape shape;
    shape.Add(b.left, b.top, colors[0]);
    shape.Add(b.right, b.top, colors[1]);
    shape.Add(b.right, b.bottom, colors[2]);
    shape.Add(b.left, b.bottom, colors[3]);
    if (outline) {
        shape.Add(b.left, b.top, colors[0]);
        shape.Send(EPrimitive::LineStrip);
    } else {
        shape.Send(EPrimitive::TriangleFan);
    }
}

void Shape_RoundRect(double x1, double y1, double x2, double y2, uint32_t centre, uint32_t rim, bool outline)
{
    if (!TableMade)
        MakeTable();
    const RBox b = OrderedBox(x1, y1, x2, y2);
    const double width = b.right - b.left, height = b.bottom - b.top;
    const double rx = std::min(10.0, width) / 2, ry = std::min(10.0, height) / 2;
    const double sx = (width - 2 * rx) / 2, sy = (height - 2 * ry) / 2;
    const double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    // Each quarter of the circle around its own corner, both ends included.
    const double cornerX[4] = {cx + sx, cx - sx, cx - sx, cx + sx};
    const double cornerY[4] = {cy + sy, cy + sy, cy - sy, cy - sy};
    const int32_t quarter = Precision / 4;
    CShape shape;
    shape.Add(cx, cy, centre);
    for (int32_t q = 0; q < 4; ++q)
        for (int32_t i = q * quarter; i <= (q + 1) * quarter; ++i)
            shape.Add(cornerX[q] + rx * Cos[i], cornerY[q] + ry * Sin[i], rim);
    const RVertex first = shape.At(1);
    shape.Add(first.x, first.y, rim);
    if (!outline) {
        shape.Send(EPrimitive::TriangleFan);
        return;
    }
    CShape rimOnly;
    for (int32_t k = 1; k < shape.Count(); ++k)
        rimOnly.Add(shape.At(k).x, shape.At(k).y, rim);
    rimOnly.Send(EPrimitive::LineStrip);
}

void Shape_Triangle(double x1, double y1, double x2, double y2, double x3, double y3, uint32_t color1,
                    uint32_t color2, uint32_t color3, bool outline)
{
    CShape shape;
    shape.Add(x1, y1, color1);
    shape.Add(x2, y2, color2);
    shape.Add(x3, y3, color3);
    if (outline) {
        shape.Add(x1, y1, color1);
        shape.Send(EPrimitive::LineStrip);
    } else {
        shape.Send(EPrimitive::TriangleList);
    }
}

void Shape_Ellipse(double x1, double y1, double x2, double y2, uint32_t centre, uint32_t rim, bool outline)
{
    if (!TableMade)
        MakeTable();
    const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const double rx = std::fabs(x2 - x1) / 2, ry = std::fabs(y2 - y1) / 2;
    CShape shape;
    if (!outline)
        shape.Add(cx, cy, centre);
    for (int32_t i = 0; i <= Precision; ++i)
        shape.Add(cx + rx * Cos[i], cy + ry * Sin[i], rim);
    shape.Send(outline ? EPrimitive::LineStrip : EPrimitive::TriangleFan);
}

void Shape_Arrow(double x1, double y1, double x2, double y2, double size, uint32_t color)
{
    const double lx = x2 - x1, ly = y2 - y1;
    const double length = std::sqrt(lx * lx + ly * ly);
    if (!(length > 0))
        return;
    Shape_Line(x1, y1, x2, y2, color, color);
    const double h = std::min(size, length);
    const double dx = lx * h / length, dy = ly * h / length;
    Shape_Triangle(x2, y2, x2 - dx - dy / 3, y2 - dy + dx / 3, x2 - dx + dy / 3, y2 - dy - dx / 3, color, color,
                   color, false);
}

void Shape_Button(double x1, double y1, double x2, double y2, bool up)
{
    const uint32_t light = DrawColorOf(up ? kWhite : kGray), dark = DrawColorOf(up ? kGray : kWhite);
    Shape_Triangle(x1, y1, x2, y1, x1, y2, light, light, light, false);
    Shape_Triangle(x1, y2, x2, y1, x2, y2, dark, dark, dark, false);
    const uint32_t face = Draw_DeviceColor();
    const uint32_t colors[4] = {face, face, face, face};
    Shape_Rectangle(x1 + 2, y1 + 2, x2 - 2, y2 - 2, colors, false);
}

int32_t Shape_HealthColor(double amount, int32_t minColor, int32_t maxColor)
{
    const double mid = Color_Merge(minColor, maxColor, 0.5);
    const double merged = amount > 50 ? Color_Merge(mid, maxColor, (amount - 50) / 50)
                                      : Color_Merge(minColor, mid, amount / 50);
    return static_cast<int32_t>(merged);
}

void Shape_HealthBar(double x1, double y1, double x2, double y2, double amount, int32_t backColor, int32_t minColor,
                     int32_t maxColor, int32_t direction, bool showBack, bool showBorder)
{
    auto fill = [](double a, double b, double c, double d, int32_t color, bool outline) {
        const uint32_t device = DrawColorOf(color);
        const uint32_t colors[4] = {device, device, device, device};
        Shape_Rectangle(a, b, c, d, colors, outline);
    };
    if (showBack) {
        fill(x1, y1, x2, y2, backColor, false);
        if (showBorder)
            fill(x1, y1, x2, y2, kBlack, true);
    }
    amount = std::isnan(amount) ? 0 : std::clamp(amount, 0.0, 100.0);
    double left = x1, top = y1, right = x2, bottom = y2;
    switch (direction) {
    case 1:
        left = x2 - (x2 - x1) * amount / 100;
        break;
    case 2:
        bottom = y1 + (y2 - y1) * amount / 100;
        break;
    case 3:
        top = y2 - (y2 - y1) * amount / 100;
        break;
    default:
        right = x1 + (x2 - x1) * amount / 100;
        break;
    }
    fill(left, top, right, bottom, Shape_HealthColor(amount, minColor, maxColor), false);
    if (showBorder)
        fill(left, top, right, bottom, kBlack, true);
}
