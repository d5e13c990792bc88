// Routing SDL events between the runner's windows.
#include "platform/SdlEventRouter.h"

#include <unordered_map>

namespace {

std::unordered_map<uint32_t, std::function<void(const SDL_Event&)>>& Sinks()
{
    static std::unordered_map<uint32_t, std::function<void(const SDL_Event&)>> sinks;
    return sinks;
}

} // namespace

void SdlEvents_Register(uint32_t windowId, std::function<void(const SDL_Event&)> sink)
{
    Sinks()[windowId] = std::move(sink);
}

void SdlEvents_Unregister(uint32_t windowId)
{
    Sinks().erase(windowId);
}

uint32_t SdlEvents_WindowOf(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return event.key.windowID;
    case SDL_TEXTINPUT:
        return event.text.windowID;
    case SDL_TEXTEDITING:
        return event.edit.windowID;
    case SDL_MOUSEMOTION:
        return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return event.button.windowID;
    case SDL_MOUSEWHEEL:
        return event.wheel.windowID;
    default:
        return 0;
    }
}

bool SdlEvents_Route(const SDL_Event& event)
{
    const uint32_t window = SdlEvents_WindowOf(event);
    if (window == 0)
        return false;
    auto found = Sinks().find(window);
    if (found == Sinks().end())
        return false;
    auto sink = found->second; // the sink may unregister itself
    sink(event);
    return true;
}

bool SdlEvents_Translate(const SDL_Event& e, RWindowEvent& out)
{
    switch (e.type) {
    case SDL_QUIT:
        out.kind = EWindowEvent::Close;
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = EWindowEvent::Close;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.kind = EWindowEvent::Resized;
            out.w = e.window.data1;
            out.h = e.window.data2;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            out.kind = EWindowEvent::Paint;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = EWindowEvent::FocusGained;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = EWindowEvent::FocusLost;
            break;
        default:
            return false;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = e.type == SDL_KEYDOWN ? EWindowEvent::KeyDown : EWindowEvent::KeyUp;
        out.key = e.key.keysym.sym;
        out.scancode = e.key.keysym.scancode;
        out.repeat = e.key.repeat != 0;
        break;
    case SDL_TEXTINPUT:
        out.kind = EWindowEvent::Text;
        out.text = e.text.text;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? EWindowEvent::MouseDown : EWindowEvent::MouseUp;
        out.button = e.button.button == SDL_BUTTON_LEFT    ? 1
                     : e.button.button == SDL_BUTTON_RIGHT ? 2
                     : e.button.button == SDL_BUTTON_MIDDLE ? 3
                                                            : 0;
        out.x = e.button.x;
        out.y = e.button.y;
        break;
    case SDL_MOUSEWHEEL:
        out.kind = EWindowEvent::MouseWheel;
        out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    case SDL_MOUSEMOTION:
        out.kind = EWindowEvent::MouseMove;
        out.x = e.motion.x;
        out.y = e.motion.y;
        break;
    default:
        return false;
    }
    return true;
}
