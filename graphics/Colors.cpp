// Colour conversions and the HSV model of the colour functions.
#include "graphics/Colors.h"

#include "code/Value.h"

#include <algorithm>
#include <cmath>

uint8_t Color_AlphaByte(double alpha)
{
    double scaled = std::min(std::max(alpha * 255.0, 0.0), 255.0);
    if (std::isnan(scaled))
        return 0;
    return static_cast<uint8_t>(RoundToInteger(scaled));
}

uint32_t Color_ToDevice(int32_t gameColor, double alpha)
{
    uint32_t c = static_cast<uint32_t>(gameColor);
    return static_cast<uint32_t>(Color_AlphaByte(alpha)) << 24 | (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int32_t Color_FromDevice(uint32_t argb)
{
    return static_cast<int32_t>(((argb >> 16) & 0xFF) | (argb & 0xFF00) | (argb & 0xFF) << 16);
}

double Color_MakeRgb(double r, double g, double b)
{
    return static_cast<double>(RoundToInteger(r)) + static_cast<double>(RoundToInteger(g)) * 256.0 +
           static_cast<double>(RoundToInteger(b)) * 65536.0;
}

namespace {

int64_t Channel(double color, int64_t divisor)
{
    // Truncating division keeps the sign, so negative colours give negative
    // channels, as the integer arithmetic of the functions defines.
    return (RoundToInteger(color) / divisor) % 256;
}

struct RHsv {
    double hue;        // degrees
    double saturation; // 0..1
    double value;      // 0..1
};

RHsv ToHsv(double color)
{
    double r = static_cast<double>(Channel(color, 1)) / 255.0;
    double g = static_cast<double>(Channel(color, 256)) / 255.0;
    double b = static_cast<double>(Channel(color, 65536)) / 255.0;
    double max = std::max({r, g, b});
    double min = std::min({r, g, b});
    RHsv hsv{0.0, max == 0.0 ? 0.0 : (max - min) / max, max};
    if (hsv.saturation == 0.0)
        return hsv;
    double delta = max - min;
    if (r == max)
        hsv.hue = (g - b) * 60.0 / delta;
    else if (g != max)
        hsv.hue = (r - g) * 60.0 / delta + 240.0;
    else
        hsv.hue = (b - r) * 60.0 / delta + 120.0;
    if (hsv.hue < 0.0)
        hsv.hue += 360.0;
    return hsv;
}

} // namespace

int32_t Color_Red(double color)
{
    return static_cast<int32_t>(Channel(color, 1));
}

int32_t Color_Green(double color)
{
    return static_cast<int32_t>(Channel(color, 256));
}

int32_t Color_Blue(double color)
{
    return static_cast<int32_t>(Channel(color, 65536));
}

int32_t Color_Hue(double color)
{
    return static_cast<int32_t>(std::trunc(ToHsv(color).hue * 255.0 / 360.0));
}

int32_t Color_Saturation(double color)
{
    return static_cast<int32_t>(std::trunc(ToHsv(color).saturation * 255.0));
}

int32_t Color_Value(double color)
{
    return static_cast<int32_t>(std::trunc(ToHsv(color).value * 255.0));
}

int32_t Color_MakeHsv(double h, double s, double v)
{
    double hue = static_cast<double>(RoundToInteger(h)) * 360.0 / 255.0;
    double sat = static_cast<double>(RoundToInteger(s)) / 255.0;
    double val = static_cast<double>(RoundToInteger(v)) / 255.0;
    if (hue >= 360.0)
        hue = 0.0;
    double r = val, g = val, b = val;
    if (sat != 0.0) {
        double sector = std::trunc(hue / 60.0);
        double f = hue / 60.0 - sector;
        double p = val * (1.0 - sat);
        double q = val * (1.0 - sat * f);
        double t = val * (1.0 - sat * (1.0 - f));
        switch (static_cast<int>(sector)) {
        case 0:
            r = val, g = t, b = p;
            break;
        case 1:
            r = q, g = val, b = p;
            break;
        case 2:
            r = p, g = val, b = t;
            break;
        case 3:
            r = p, g = q, b = val;
            break;
        case 4:
            r = t, g = p, b = val;
            break;
        default:
            r = val, g = p, b = q;
            break;
        }
    }
    auto byte = [](double channel) { return static_cast<int32_t>(std::trunc(channel * 255.0)); };
    return byte(r) + byte(g) * 256 + byte(b) * 65536;
}

double Color_Merge(double color1, double color2, double amount)
{
    int64_t out = 0;
    for (int64_t divisor : {int64_t(1), int64_t(256), int64_t(65536)}) {
        double a = static_cast<double>(Channel(color1, divisor));
        double b = static_cast<double>(Channel(color2, divisor));
        out += RoundToInteger((1.0 - amount) * a + amount * b) * divisor;
    }
    return static_cast<double>(out);
}
