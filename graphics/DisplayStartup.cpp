// The display's start-up.
#include "graphics/DisplayStartup.h"

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/ResourceTextures.h"
#include "graphics/WindowState.h"
#include "platform/MessageBox.h"

const char* const kColorModeQuestion =
    "This application requires 16-bit or 32-bit color mode. Should I switch to a valid color mode?";

namespace {

// What the settings ask of the display mode; zeros keep a value.
RDisplayMode WantedMode(const GameSettings& settings)
{
    static const int32_t kSizes[][2] = {{0, 0}, {320, 240}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    static const int32_t kRates[] = {0, 60, 70, 85, 100, 120};
    RDisplayMode wanted;
    if (!settings.SetDisplayMode)
        return wanted;
    wanted.bitsPerPixel = settings.ColorDepth == 1 ? 16 : settings.ColorDepth == 2 ? 32 : 0;
    if (settings.Resolution >= 1 && settings.Resolution <= 6) {
        wanted.width = kSizes[settings.Resolution][0];
        wanted.height = kSizes[settings.Resolution][1];
    }
    if (settings.Frequency >= 1 && settings.Frequency <= 5)
        wanted.refreshRate = kRates[settings.Frequency];
    return wanted;
}

} // namespace

bool Display_Start(const GameSettings& settings, std::unique_ptr<IGameWindow> window)
{
    if (!window)
        return false;
    RDisplayMode wanted = WantedMode(settings);
    bool change = wanted.width > 0 || wanted.bitsPerPixel > 0 || wanted.refreshRate > 0;
    RDisplayMode current;
    if (wanted.bitsPerPixel == 0 && window->GetDisplayMode(current) && current.bitsPerPixel != 16 &&
        current.bitsPerPixel != 32) {
        if (!Platform_AskYesNo(kColorModeQuestion))
            return false;
        wanted.bitsPerPixel = 16;
        change = true;
    }

    Display_Open(std::move(window));
    if (change) // the result does not matter here: the device checks the depth itself
        Display_ChangeMode(wanted, false);
    Window_ApplyStyle();
    Window_SetRegionSize(8, 8, true);
    Window_SetRegionScale(settings.Scaling / 100.0, true);
    Window_SetSizeable(settings.Sizeable);
    Window_SetStayOnTop(settings.StayOnTop);
    Window_SetColor(settings.WindowColor);
    Window_SetShowBorder(!settings.NoBorder);
    Window_SetShowIcons(!settings.NoCaptionButtons);
    Window_SetFullScreen(settings.FullScreen);
    if (!settings.ShowCursor)
        Window_SetCursor(-1);
    Display_Window()->SetScreenSaverAllowed(!settings.NoScreenSaver);

    if (!Display_CreateDevice(640, 480, settings.VerticalSync))
        return false;
    Draw_ResetState(settings.Interpolate);
    Draw_ApplyState();
    ResourceTextures_BuildAll();
    Display_BeginFrame();
    return true;
}
