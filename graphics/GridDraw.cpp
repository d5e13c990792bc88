// mp_grid_draw: every cell of a motion-planning grid as a filled rectangle,
// red when forbidden and green when free, at the current alpha.
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Shapes.h"
#include "motion/Grid.h"

namespace {

constexpr int32_t kForbiddenColor = 0x0000FF;
constexpr int32_t kFreeColor = 0x008000;

BUILTIN(MpGridDraw)
{
    const CGrid* grid = Grid_Get(ArgInt(args[0]));
    if (!grid)
        return true;
    const uint32_t forbidden = Color_ToDevice(kForbiddenColor, DrawState.alpha);
    const uint32_t free = Color_ToDevice(kFreeColor, DrawState.alpha);
    for (int32_t i = 0; i < grid->i_hcells; ++i) {
        for (int32_t j = 0; j < grid->i_vcells; ++j) {
            const uint32_t color = grid->Cell(i, j) == CGrid::kForbidden ? forbidden : free;
            const uint32_t colors[4] = {color, color, color, color};
            const double x = grid->i_left + static_cast<double>(i) * grid->i_cellw;
            const double y = grid->i_top + static_cast<double>(j) * grid->i_cellh;
            Shape_Rectangle(x, y, x + grid->i_cellw, y + grid->i_cellh, colors, false);
        }
    }
    return true;
}

} // namespace

void Graphics_RegisterGridDrawFunction()
{
    Function_Implement("mp_grid_draw", &MpGridDraw);
}
