// Panel windows on SDL: a plain window surface the picture is copied into;
// the events the game window's pump routes here wait in a queue.
#include "platform/PanelWindow.h"

#include "platform/SdlEventRouter.h"
#include "platform/TextEncoding.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace {

class CSdlPanelWindow : public IPanelWindow {
public:
    explicit CSdlPanelWindow(SDL_Window* window) : p_window(window), p_id(SDL_GetWindowID(window))
    {
        SdlEvents_Register(p_id, [this](const SDL_Event& event) {
            RWindowEvent out;
            if (SdlEvents_Translate(event, out))
                p_events.push_back(std::move(out));
        });
    }
    ~CSdlPanelWindow() override
    {
        SdlEvents_Unregister(p_id);
        SDL_DestroyWindow(p_window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void ShowPicture(const uint8_t* pixels, int32_t w, int32_t h) override
    {
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), w, h, 32, w * 4,
                                                                  SDL_PIXELFORMAT_ARGB8888);
        if (!picture)
            return;
        SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
        if (SDL_Surface* surface = SDL_GetWindowSurface(p_window)) {
            SDL_BlitSurface(picture, nullptr, surface, nullptr);
            SDL_UpdateWindowSurface(p_window);
        }
        SDL_FreeSurface(picture);
    }

    RPixelRect ClientBounds() const override
    {
        RPixelRect r;
        SDL_GetWindowPosition(p_window, &r.x, &r.y);
        SDL_GetWindowSize(p_window, &r.w, &r.h);
        return r;
    }

    void SetClientBounds(const RPixelRect& bounds) override
    {
        SDL_SetWindowSize(p_window, std::max(bounds.w, 1), std::max(bounds.h, 1));
        SDL_SetWindowPosition(p_window, bounds.x < 0 ? SDL_WINDOWPOS_CENTERED : bounds.x,
                              bounds.y < 0 ? SDL_WINDOWPOS_CENTERED : bounds.y);
    }

    void TakeEvents(const WindowEventHandler& handler) override
    {
        while (!p_events.empty()) {
            RWindowEvent event = std::move(p_events.front());
            p_events.pop_front();
            if (handler)
                handler(event);
        }
    }

private:
    SDL_Window* p_window;
    uint32_t p_id;
    std::deque<RWindowEvent> p_events;
};

bool HasEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

std::unique_ptr<IPanelWindow> Platform_OpenPanelWindow(const RPanelStyle& style)
{
    if (!HasEnvironment("SDL_VIDEODRIVER") && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY"))
        return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    // A plain framebuffer for the window's surface (see the picture window).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!style.border)
        flags |= SDL_WINDOW_BORDERLESS;
    if (style.border && style.sizeable)
        flags |= SDL_WINDOW_RESIZABLE;
    if (style.stayOnTop)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const int x = style.bounds.x < 0 ? SDL_WINDOWPOS_CENTERED : style.bounds.x;
    const int y = style.bounds.y < 0 ? SDL_WINDOWPOS_CENTERED : style.bounds.y;
    SDL_Window* window = SDL_CreateWindow(Cp1252ToUtf8(style.caption).c_str(), x, y, std::max(style.bounds.w, 1),
                                          std::max(style.bounds.h, 1), flags);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    return std::make_unique<CSdlPanelWindow>(window);
}
