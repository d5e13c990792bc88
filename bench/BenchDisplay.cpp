#include "bench/BenchDisplay.h"

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "platform/NullVideo.h"

#include <cstdlib>
#include <memory>

bool Bench_OpenDisplay(bool gl)
{
    if (gl) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        std::unique_ptr<IGameWindow> window = Platform_OpenGameWindow(false);
        if (window->IsHeadless())
            return false;
        Display_Open(std::move(window));
    } else {
        Display_Open(std::make_unique<CNullGameWindow>());
    }
    if (!Display_CreateDevice(640, 480, false))
        return false;
    Draw_ResetState(false);
    Draw_ApplyState();
    return true;
}
