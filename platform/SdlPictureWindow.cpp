// The picture window on SDL: a window surface the picture is copied into,
// shaped by a colour key when the window system supports shaped windows.
#include "platform/PictureWindow.h"
#include "platform/LazyLibraries.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

bool HasEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Video for a window that must not complain when there is none: without a
// display server (and no driver asked for by name) nothing is started.
bool StartVideo()
{
    bool asked = HasEnvironment("SDL_VIDEODRIVER");
    if (!asked && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY"))
        return false;
    std::string error;
    if (!Platform_LoadLibraries({kLazySdl}, error) || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    std::string name = driver ? driver : "";
    if (!asked && (name == "offscreen" || name == "dummy")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

class CSdlPictureWindow : public IPictureWindow {
public:
    CSdlPictureWindow(SDL_Window* window, const RPictureWindowStyle& style, bool shaped)
        : p_window(window), p_style(style), p_shaped(shaped)
    {
        p_cursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
        if (p_cursor)
            SDL_SetCursor(p_cursor);
    }
    ~CSdlPictureWindow() override
    {
        SDL_DestroyWindow(p_window);
        if (p_cursor) {
            SDL_SetCursor(SDL_GetDefaultCursor());
            SDL_FreeCursor(p_cursor);
        }
        HandleMessages(); // nothing of this window may reach the game window later
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void ShowPicture(const uint8_t* pixels) override
    {
        // Blue, green, red, alpha bytes are ARGB8888 words on this little-endian machine.
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), p_style.w, p_style.h,
                                                                  32, p_style.w * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!picture)
            return;
        SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
        if (p_shaped) {
            // The shape comes from the loading image, which the bars do not change.
            p_shaped = false;
            SDL_WindowShapeMode mode;
            mode.mode = ShapeModeColorKey;
            mode.parameters.colorKey = {static_cast<Uint8>(p_style.keyColor >> 16),
                                        static_cast<Uint8>(p_style.keyColor >> 8),
                                        static_cast<Uint8>(p_style.keyColor), 255};
            SDL_SetWindowShape(p_window, picture, &mode);
        }
        if (SDL_Surface* surface = SDL_GetWindowSurface(p_window)) {
            SDL_BlitSurface(picture, nullptr, surface, nullptr);
            SDL_UpdateWindowSurface(p_window);
        }
        SDL_FreeSurface(picture);
        HandleMessages();
    }

    void HandleMessages() override
    {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
    }

private:
    SDL_Window* p_window;
    RPictureWindowStyle p_style;
    bool p_shaped;
    SDL_Cursor* p_cursor = nullptr;
};

} // namespace

std::unique_ptr<IPictureWindow> Platform_OpenPictureWindow(const RPictureWindowStyle& style)
{
    if (style.w <= 0 || style.h <= 0 || !StartVideo())
        return nullptr;
    // A plain framebuffer for the window's surface: the accelerated one
    // makes the window again with OpenGL (X11, SDL 2.26), which loses its
    // shape and its place on the screen.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
    SDL_Window* window = nullptr;
    bool shaped = false;
    if (style.colorKey) {
        window = SDL_CreateShapedWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        static_cast<unsigned>(style.w), static_cast<unsigned>(style.h), flags);
        shaped = window != nullptr;
    }
    if (!window)
        window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, style.w, style.h, flags);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    if (style.opacity < 1.0)
        SDL_SetWindowOpacity(window, static_cast<float>(std::clamp(style.opacity, 0.0, 1.0)));
    SDL_ShowWindow(window);
    return std::make_unique<CSdlPictureWindow>(window, style, shaped);
}
