// Script functions of the display, the window and the screen.
#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "graphics/Colors.h"
#include "graphics/Display.h"
#include "graphics/FunctionArguments.h"
#include "graphics/Graphics.h"
#include "graphics/RoomDraw.h"
#include "graphics/Screenshots.h"
#include "graphics/WindowState.h"
#include "world/GameState.h"
#include "world/StepLoop.h"

namespace {

RDisplayMode CurrentMode()
{
    RDisplayMode mode;
    Display_GetMode(mode);
    return mode;
}

void ChangeMode(RValue& result, const RDisplayMode& wanted)
{
    result.SetReal(Display_ChangeMode(wanted, false) ? 1 : 0);
}

BUILTIN(DisplayGetWidth) { result.SetReal(CurrentMode().width); return true; }
BUILTIN(DisplayGetHeight) { result.SetReal(CurrentMode().height); return true; }
BUILTIN(DisplayGetColorDepth) { result.SetReal(CurrentMode().bitsPerPixel); return true; }
BUILTIN(DisplayGetFrequency)
{
    // Drivers that do not know their rate say 0; games divide by it.
    int32_t rate = CurrentMode().refreshRate;
    result.SetReal(rate > 0 ? rate : 60);
    return true;
}
BUILTIN(DisplaySetSize) { ChangeMode(result, {ArgInt(args[0]), ArgInt(args[1]), 0, 0}); return true; }
BUILTIN(DisplaySetColorDepth) { ChangeMode(result, {0, 0, ArgInt(args[0]), 0}); return true; }
BUILTIN(DisplaySetFrequency) { ChangeMode(result, {0, 0, 0, ArgInt(args[0])}); return true; }
BUILTIN(DisplaySetAll) { ChangeMode(result, {ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[3]), ArgInt(args[2])}); return true; }
BUILTIN(DisplayTestAll)
{
    result.SetReal(Display_ChangeMode({ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[3]), ArgInt(args[2])}, true));
    return true;
}
BUILTIN(DisplayReset)
{
    Display_ResetMode();
    result.SetReal(0);
    return true;
}
BUILTIN(DisplayMouseGetX)
{
    int32_t x = 0, y = 0;
    if (IGameWindow* window = Display_Window())
        window->GetScreenMouse(x, y);
    result.SetReal(x);
    return true;
}
BUILTIN(DisplayMouseGetY)
{
    int32_t x = 0, y = 0;
    if (IGameWindow* window = Display_Window())
        window->GetScreenMouse(x, y);
    result.SetReal(y);
    return true;
}
BUILTIN(DisplayMouseSet)
{
    if (IGameWindow* window = Display_Window())
        window->SetScreenMouse(ArgInt(args[0]), ArgInt(args[1]));
    return true;
}

BUILTIN(WindowSetVisible) { Window_SetVisible(ArgBool(args[0])); return true; }
BUILTIN(WindowGetVisible) { result.SetReal(Window_IsVisible()); return true; }
BUILTIN(WindowSetFullScreen) { Window_SetFullScreen(ArgBool(args[0])); return true; }
BUILTIN(WindowGetFullScreen) { result.SetReal(WindowState.fullScreen); return true; }
BUILTIN(WindowSetShowBorder) { Window_SetShowBorder(ArgBool(args[0])); return true; }
BUILTIN(WindowGetShowBorder) { result.SetReal(WindowState.showBorder); return true; }
BUILTIN(WindowSetShowIcons) { Window_SetShowIcons(ArgBool(args[0])); return true; }
BUILTIN(WindowGetShowIcons) { result.SetReal(WindowState.showIcons); return true; }
BUILTIN(WindowSetSizeable) { Window_SetSizeable(ArgBool(args[0])); return true; }
BUILTIN(WindowGetSizeable) { result.SetReal(WindowState.sizeable); return true; }
BUILTIN(WindowSetStayOnTop) { Window_SetStayOnTop(ArgBool(args[0])); return true; }
BUILTIN(WindowGetStayOnTop) { result.SetReal(WindowState.stayOnTop); return true; }
BUILTIN(WindowSetCaption) { Window_SetCaption(args[0].IsString() ? args[0].str.Text() : std::string()); return true; }
BUILTIN(WindowGetCaption) { result.SetString(WindowState.caption); return true; }
BUILTIN(WindowSetCursor) { Window_SetCursor(ArgInt(args[0])); return true; }
BUILTIN(WindowGetCursor) { result.SetReal(WindowState.cursor); return true; }
BUILTIN(WindowSetColor) { Window_SetColor(ArgColor(args[0])); return true; }
BUILTIN(WindowGetColor) { result.SetReal(WindowState.color); return true; }
BUILTIN(WindowSetPosition) { Window_SetPosition(ArgInt(args[0]), ArgInt(args[1])); return true; }
BUILTIN(WindowSetSize) { Window_SetSize(ArgInt(args[0]), ArgInt(args[1])); return true; }
BUILTIN(WindowSetRectangle)
{
    Window_SetRectangle(ArgInt(args[0]), ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]));
    return true;
}
BUILTIN(WindowCenter) { Window_Center(); return true; }
BUILTIN(WindowDefault) { Window_Default(); return true; }
BUILTIN(WindowGetX) { result.SetReal(Window_ClientBounds().x); return true; }
BUILTIN(WindowGetY) { result.SetReal(Window_ClientBounds().y); return true; }
BUILTIN(WindowGetWidth) { result.SetReal(Window_ClientBounds().w); return true; }
BUILTIN(WindowGetHeight) { result.SetReal(Window_ClientBounds().h); return true; }
BUILTIN(WindowSetRegionSize)
{
    Window_SetRegionSize(ArgInt(args[0]), ArgInt(args[1]), ArgBool(args[2]));
    return true;
}
BUILTIN(WindowGetRegionWidth) { result.SetReal(WindowState.regionW); return true; }
BUILTIN(WindowGetRegionHeight) { result.SetReal(WindowState.regionH); return true; }
BUILTIN(WindowSetRegionScale) { Window_SetRegionScale(args[0].val, ArgBool(args[1])); return true; }
BUILTIN(WindowGetRegionScale) { result.SetReal(WindowState.regionScale); return true; }
BUILTIN(WindowMouseGetX)
{
    int32_t x, y;
    Window_MouseInClient(x, y);
    result.SetReal(x);
    return true;
}
BUILTIN(WindowMouseGetY)
{
    int32_t x, y;
    Window_MouseInClient(x, y);
    result.SetReal(y);
    return true;
}
BUILTIN(WindowMouseSet)
{
    IGameWindow* window = Display_Window();
    if (!window)
        return true;
    RPixelRect client = window->ClientBounds();
    window->SetScreenMouse(client.x + ArgInt(args[0]), client.y + ArgInt(args[1]));
    return true;
}

// The mouse in room coordinates through one view entry; the region point
// when the entry cannot map.
RRegionPoint MouseThroughView(const RValue& view)
{
    RRegionPoint region = Window_MouseInRegion();
    int64_t v = RoundToInteger(view.val);
    if (v < 0 || v >= kViewTableSize || !View_CanMap(WindowState.views[static_cast<size_t>(v)]))
        return region;
    return View_RegionToRoom(WindowState.views[static_cast<size_t>(v)], static_cast<double>(region.x),
                             static_cast<double>(region.y));
}

RRegionPoint MouseThroughViews()
{
    RRegionPoint region = Window_MouseInRegion();
    return View_RegionToRoomThroughViews(WindowState.views, static_cast<double>(region.x),
                                         static_cast<double>(region.y));
}

BUILTIN(WindowViewMouseGetX) { result.SetReal(static_cast<double>(MouseThroughView(args[0]).x)); return true; }
BUILTIN(WindowViewMouseGetY) { result.SetReal(static_cast<double>(MouseThroughView(args[0]).y)); return true; }
BUILTIN(WindowViewMouseSet)
{
    int64_t v = RoundToInteger(args[0].val);
    if (v < 0 || v >= kViewTableSize || !View_CanMap(WindowState.views[static_cast<size_t>(v)]))
        return true;
    RRegionPoint region = View_RoomToRegion(WindowState.views[static_cast<size_t>(v)], args[1].val, args[2].val);
    Window_SetMouseToRegion(static_cast<double>(region.x), static_cast<double>(region.y));
    return true;
}
BUILTIN(WindowViewsMouseGetX) { result.SetReal(static_cast<double>(MouseThroughViews().x)); return true; }
BUILTIN(WindowViewsMouseGetY) { result.SetReal(static_cast<double>(MouseThroughViews().y)); return true; }
BUILTIN(WindowViewsMouseSet)
{
    double x = args[0].val, y = args[1].val;
    for (const RViewEntry& view : WindowState.views) {
        if (!view.active)
            continue;
        if (View_CanMap(view)) {
            RRegionPoint region = View_RoomToRegion(view, x, y);
            x = static_cast<double>(region.x);
            y = static_cast<double>(region.y);
        }
        break;
    }
    Window_SetMouseToRegion(x, y);
    return true;
}

BUILTIN(SetSynchronization)
{
    Display_Synchronization = ArgBool(args[0]);
    if (IRenderDevice* device = Display_Device())
        device->SetSynchronization(Display_Synchronization);
    return true;
}
BUILTIN(SetAutomaticDraw) { StepLoop.automaticDraw = ArgBool(args[0]); return true; }
BUILTIN(ScreenRefresh) { Display_PresentFrame(); return true; }
// A draw event that asks for a redraw would draw forever: inside a room draw
// the request is passed over.
BUILTIN(ScreenRedraw)
{
    if (RoomDraw_IsDrawing())
        return true;
    RoomDraw_DrawRoom();
    Display_EndFrameAndPresent();
    Display_BeginFrame();
    return true;
}
BUILTIN(ScreenWaitVsync) { Display_WaitVerticalBlank(); return true; }

// A file that cannot be written is passed over, as a game expects.
void SaveScreen(const RValue& name, int32_t x, int32_t y, int32_t w, int32_t h)
{
    const std::string& file = name.IsString() ? name.str.Text() : std::string();
    if (file.empty()) {
        Error_ShowInEvent("Trying to save screen to empty image file name.", false);
        return;
    }
    Screen_Save(file, x, y, w, h);
}

BUILTIN(ScreenSave)
{
    int32_t w, h;
    Display_GetBackRegion(w, h);
    SaveScreen(args[0], 0, 0, w, h);
    return true;
}
BUILTIN(ScreenSavePart)
{
    SaveScreen(args[0], ArgInt(args[1]), ArgInt(args[2]), ArgInt(args[3]), ArgInt(args[4]));
    return true;
}
BUILTIN(DrawGetPixel)
{
    double x = args[0].val, y = args[1].val;
    const int32_t view = GameState.viewCurrent;
    if (view >= 0 && view < kViewTableSize && View_CanMap(WindowState.views[static_cast<size_t>(view)])) {
        RRegionPoint region = View_RoomToRegion(WindowState.views[static_cast<size_t>(view)], x, y);
        x = static_cast<double>(region.x);
        y = static_cast<double>(region.y);
    }
    TBitmap32 pixel;
    if (!Display_ReadScreen(ArgInt(RValue(x)), ArgInt(RValue(y)), 1, 1, pixel)) {
        result.SetReal(0);
        return true;
    }
    result.SetReal(Color_FromDevice(pixel.PixelAt(0, 0)));
    return true;
}

} // namespace

void Graphics_RegisterDisplayFunctions()
{
    Function_Implement("display_get_width", &DisplayGetWidth);
    Function_Implement("display_get_height", &DisplayGetHeight);
    Function_Implement("display_get_colordepth", &DisplayGetColorDepth);
    Function_Implement("display_get_frequency", &DisplayGetFrequency);
    Function_Implement("display_set_size", &DisplaySetSize);
    Function_Implement("display_set_colordepth", &DisplaySetColorDepth);
    Function_Implement("display_set_frequency", &DisplaySetFrequency);
    Function_Implement("display_set_all", &DisplaySetAll);
    Function_Implement("display_test_all", &DisplayTestAll);
    Function_Implement("display_reset", &DisplayReset);
    Function_Implement("display_mouse_get_x", &DisplayMouseGetX);
    Function_Implement("display_mouse_get_y", &DisplayMouseGetY);
    Function_Implement("display_mouse_set", &DisplayMouseSet);
    Function_Implement("window_set_visible", &WindowSetVisible);
    Function_Implement("window_get_visible", &WindowGetVisible);
    Function_Implement("window_set_fullscreen", &WindowSetFullScreen);
    Function_Implement("window_get_fullscreen", &WindowGetFullScreen);
    Function_Implement("window_set_showborder", &WindowSetShowBorder);
    Function_Implement("window_get_showborder", &WindowGetShowBorder);
    Function_Implement("window_set_showicons", &WindowSetShowIcons);
    Function_Implement("window_get_showicons", &WindowGetShowIcons);
    Function_Implement("window_set_sizeable", &WindowSetSizeable);
    Function_Implement("window_get_sizeable", &WindowGetSizeable);
    Function_Implement("window_set_stayontop", &WindowSetStayOnTop);
    Function_Implement("window_get_stayontop", &WindowGetStayOnTop);
    Function_Implement("window_set_caption", &WindowSetCaption);
    Function_Implement("window_get_caption", &WindowGetCaption);
    Function_Implement("window_set_cursor", &WindowSetCursor);
    Function_Implement("window_get_cursor", &WindowGetCursor);
    Function_Implement("window_set_color", &WindowSetColor);
    Function_Implement("window_get_color", &WindowGetColor);
    Function_Implement("window_set_position", &WindowSetPosition);
    Function_Implement("window_set_size", &WindowSetSize);
    Function_Implement("window_set_rectangle", &WindowSetRectangle);
    Function_Implement("window_center", &WindowCenter);
    Function_Implement("window_default", &WindowDefault);
    Function_Implement("window_get_x", &WindowGetX);
    Function_Implement("window_get_y", &WindowGetY);
    Function_Implement("window_get_width", &WindowGetWidth);
    Function_Implement("window_get_height", &WindowGetHeight);
    Function_Implement("window_set_region_size", &WindowSetRegionSize);
    Function_Implement("window_get_region_width", &WindowGetRegionWidth);
    Function_Implement("window_get_region_height", &WindowGetRegionHeight);
    Function_Implement("window_set_region_scale", &WindowSetRegionScale);
    Function_Implement("window_get_region_scale", &WindowGetRegionScale);
    Function_Implement("window_mouse_get_x", &WindowMouseGetX);
    Function_Implement("window_mouse_get_y", &WindowMouseGetY);
    Function_Implement("window_mouse_set", &WindowMouseSet);
    Function_Implement("window_view_mouse_get_x", &WindowViewMouseGetX);
    Function_Implement("window_view_mouse_get_y", &WindowViewMouseGetY);
    Function_Implement("window_view_mouse_set", &WindowViewMouseSet);
    Function_Implement("window_views_mouse_get_x", &WindowViewsMouseGetX);
    Function_Implement("window_views_mouse_get_y", &WindowViewsMouseGetY);
    Function_Implement("window_views_mouse_set", &WindowViewsMouseSet);
    Function_Implement("set_synchronization", &SetSynchronization);
    Function_Implement("set_automatic_draw", &SetAutomaticDraw);
    Function_Implement("screen_refresh", &ScreenRefresh);
    Function_Implement("screen_redraw", &ScreenRedraw);
    Function_Implement("screen_wait_vsync", &ScreenWaitVsync);
    Function_Implement("screen_save", &ScreenSave);
    Function_Implement("screen_save_part", &ScreenSavePart);
    Function_Implement("draw_getpixel", &DrawGetPixel);
}
