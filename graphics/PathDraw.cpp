// Drawing a path. Positions along it come from its interpolated points by
// distance travelled, the same lookup path following uses.
#include "graphics/PathDraw.h"

#include "code/Value.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A strip ends after every 500th point so that no strip holds more vertices
// than a primitive may.
constexpr int64_t kStripPoints = 500;
// A path longer than this many steps is drawn with longer steps instead of
// keeping the game busy for minutes.
constexpr int64_t kMostSteps = 1000000;

// Walks along a path by growing distances; each lookup starts from the
// segment the previous one ended in.
class CPathWalker {
public:
    explicit CPathWalker(const CPath& path) : w_path(path) {}

    // The point at a fraction 0..1 of the length; fractions must not shrink.
    void Position(double fraction, double& x, double& y)
    {
        const std::vector<RIntPoint>& points = w_path.i_intpoints;
        x = y = 0;
        if (points.empty())
            return;
        if (points.size() == 1 || !(w_path.i_length > 0) || !(fraction > 0)) {
            x = points.front().x;
            y = points.front().y;
            return;
        }
        if (fraction >= 1) {
            x = points.back().x;
            y = points.back().y;
            return;
        }
        const double d = w_path.i_length * fraction;
        while (w_segment + 2 < points.size() && !(points[w_segment + 1].l > d))
            ++w_segment;
        const RIntPoint& a = points[w_segment];
        const RIntPoint& b = points[w_segment + 1];
        if (b.l == a.l) {
            x = a.x;
            y = a.y;
            return;
        }
        const double t = (d - a.l) / (b.l - a.l);
        x = a.x + (b.x - a.x) * t;
        y = a.y + (b.y - a.y) * t;
    }

private:
    const CPath& w_path;
    size_t w_segment = 0;
};

void SendStrip(const std::vector<RVertex>& strip)
{
    if (IRenderDevice* device = Display_Device()) {
        device->SetDrawSettings(Draw_Settings(true));
        device->Draw(EPrimitive::LineStrip, 0, strip.data(), static_cast<int32_t>(strip.size()));
    }
}

} // namespace

bool Path_Draw(int32_t path, double x, double y, bool absolute)
{
    const CPath* resource = Paths.Get(path);
    if (!resource)
        return false;
    double xoff = absolute ? 0 : x, yoff = absolute ? 0 : y;
    if (!absolute) {
        double x0, y0;
        CPathWalker(*resource).Position(0, x0, y0);
        xoff -= x0;
        yoff -= y0;
    }
    const double steps = std::isfinite(resource->i_length) ? resource->i_length / 4 : 0;
    const int64_t n = std::min<int64_t>(RoundToInteger(std::min(steps, 1e18)), kMostSteps);
    if (n <= 0)
        return true;
    const uint32_t color = Draw_DeviceColor();
    const float z = static_cast<float>(DrawState.depth);
    CPathWalker walker(*resource);
    std::vector<RVertex> strip;
    strip.reserve(kStripPoints + 1);
    for (int64_t i = 0; i <= n; ++i) {
        double px, py;
        walker.Position(static_cast<double>(i) / static_cast<double>(n), px, py);
        const RVertex vertex{static_cast<float>(px + xoff), static_cast<float>(py + yoff), z, color, 0, 0};
        strip.push_back(vertex);
        if (i > 0 && i % kStripPoints == 0) {
            SendStrip(strip);
            strip.assign(1, vertex);
        }
    }
    if (strip.size() > 1)
        SendStrip(strip);
    return true;
}
