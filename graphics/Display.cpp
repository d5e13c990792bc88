// Device life and presenting.
#include "graphics/Display.h"

#include "graphics/Colors.h"
#include "graphics/DrawState.h"
#include "graphics/Mode3D.h"
#include "graphics/Models3D.h"
#include "graphics/ResourceTextures.h"
#include "graphics/Surfaces.h"
#include "graphics/Textures.h"
#include "graphics/ViewMapping.h"
#include "graphics/WindowState.h"
#include "platform/MessageBox.h"

#include <algorithm>

const char* const kDisplayDepthMessage = "This program requires 16-bit (High Color) or 32-bit (Full Color) mode. "
                                         "Please change this in your display properties and run again.";
const char* const kDisplayModeMessage = "Failed to retrieve display mode.";
const char* const kDisplaySurfacesMessage =
    "Failed to initialize drawing surfaces. Please check that your graphics card meets the minimum requirements "
    "and that your drivers are up-to-date. If your graphics card has little memory, try switching your computer "
    "to a lower resolution.";

bool Display_Synchronization = false;

namespace {

std::unique_ptr<IGameWindow> Window;
std::unique_ptr<IRenderDevice> Device;
int32_t BackRegionW = 0;
int32_t BackRegionH = 0;
void (*BeforeReset)() = nullptr;

// The region as far as the screen allows.
void ClipToScreen(int32_t& w, int32_t& h)
{
    RDisplayMode mode;
    if (Window && Window->GetDisplayMode(mode)) {
        w = std::min(w, mode.width);
        h = std::min(h, mode.height);
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
}

// Viewport and projection for the whole back-buffer region.
void UseWholeRegion()
{
    Device->SetBackBufferSize(BackRegionW, BackRegionH);
    Device->SetViewport({0, 0, BackRegionW, BackRegionH});
    Draw_SetProjection2D(0, 0, BackRegionW, BackRegionH, 0);
}

} // namespace

void Display_Open(std::unique_ptr<IGameWindow> window)
{
    Display_Close();
    Window = std::move(window);
    Window_Attach(Window.get());
}

void Display_Close()
{
    Model_ForgetMeshes();
    Surface_ForgetAll();
    ResourceTextures_FreeAll();
    Texture_ForgetAll();
    Device.reset();
    Window_Attach(nullptr);
    Window.reset();
    BackRegionW = BackRegionH = 0;
}

IGameWindow* Display_Window()
{
    return Window.get();
}

IRenderDevice* Display_Device()
{
    return Device.get();
}

bool Display_CreateDevice(int32_t w, int32_t h, bool synchronization)
{
    Model_ForgetMeshes();
    Surface_ForgetAll();
    ResourceTextures_FreeAll();
    Texture_ForgetAll();
    Device.reset();
    if (!Window)
        return false;
    BackRegionW = w;
    BackRegionH = h;
    ClipToScreen(BackRegionW, BackRegionH);
    Display_Synchronization = synchronization;
    RDisplayMode mode;
    if (!Window->GetDisplayMode(mode)) {
        Platform_ShowMessage(kDisplayModeMessage);
        return false;
    }
    if (mode.bitsPerPixel != 16 && mode.bitsPerPixel != 32) {
        Platform_ShowMessage(kDisplayDepthMessage);
        return false;
    }
    std::string error;
    Device = Window->CreateRenderDevice(error);
    if (!Device) {
        Platform_ShowMessage(kDisplaySurfacesMessage);
        return false;
    }
    Device->SetSynchronization(synchronization);
    Device->SetDepthBuffer(Mode3D.on);
    UseWholeRegion();
    Device->Clear(0xFF000000);
    Draw_ApplyState();
    return true;
}

void Display_SetBeforeResetHook(void (*hook)())
{
    BeforeReset = hook;
}

bool Display_Reset()
{
    RDisplayMode mode;
    if (!Device || !Window || !Window->GetDisplayMode(mode))
        return false;
    Surface_FreeAll();
    if (BeforeReset)
        BeforeReset();
    Device->SetRenderTarget(0);
    // A 16-bit depth buffer in 3D mode only.
    if (!Device->SetDepthBuffer(Mode3D.on))
        return false;
    UseWholeRegion();
    Device->Clear(0xFF000000);
    Draw_ApplyState();
    return true;
}

void Display_SetRegionSize(int32_t w, int32_t h)
{
    ClipToScreen(w, h);
    if (w == BackRegionW && h == BackRegionH)
        return;
    BackRegionW = w;
    BackRegionH = h;
    if (Device)
        UseWholeRegion();
}

void Display_GetBackRegion(int32_t& w, int32_t& h)
{
    w = BackRegionW;
    h = BackRegionH;
}

void Display_BeginFrame()
{
    // GL needs no scene bracket; drawing is always allowed between presents.
}

bool Display_EndFrameAndPresent()
{
    if (!Device)
        return false;
    if (!Display_PresentFrame()) {
        Display_Reset();
        return false;
    }
    return true;
}

namespace {

RPresentation CurrentPresentation()
{
    RPresentGeometry geometry = Window_PresentGeometry();
    RPresentation p;
    p.sourceW = BackRegionW;
    p.sourceH = BackRegionH;
    p.target = Display_PresentRectangle(geometry);
    p.clientW = geometry.clientW;
    p.clientH = geometry.clientH;
    p.windowColor = Color_ToDevice(WindowState.color, 1.0);
    return p;
}

} // namespace

bool Display_PresentFrame()
{
    return Device && Device->Present(CurrentPresentation());
}

bool Display_ReadWindow(TBitmap32& picture)
{
    if (!Device)
        return false;
    RPresentation p = CurrentPresentation();
    if (p.clientW <= 0 || p.clientH <= 0)
        return false;
    TBitmap32 read(p.clientW, p.clientH);
    if (!Device->ReadPresentation(p, read.Pixels()))
        return false;
    picture = std::move(read);
    return true;
}

void Display_PaintWindow()
{
    Display_PresentFrame();
}

void Display_WaitVerticalBlank()
{
    if (Window)
        Window->WaitVerticalBlank();
}

bool Display_ChangeMode(const RDisplayMode& wanted, bool)
{
    RDisplayMode current;
    if (!Window || !Window->GetDisplayMode(current))
        return false;
    return (wanted.width <= 0 || wanted.width == current.width) &&
           (wanted.height <= 0 || wanted.height == current.height) &&
           (wanted.bitsPerPixel <= 0 || wanted.bitsPerPixel == current.bitsPerPixel) &&
           (wanted.refreshRate <= 0 || wanted.refreshRate == current.refreshRate);
}

bool Display_ReadScreen(int32_t x, int32_t y, int32_t w, int32_t h, TBitmap32& bitmap)
{
    bitmap.SetSize(0, 0);
    if (!Device)
        return false;
    // Negative corners move to 0 and the size is cut to the region, in 64
    // bits because games pass any numbers.
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(left + w, BackRegionW);
    int64_t bottom = std::min<int64_t>(top + h, BackRegionH);
    if (right <= left || bottom <= top)
        return false;
    RPixelRect area{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                    static_cast<int32_t>(bottom - top)};
    bitmap.SetSize(area.w, area.h);
    if (!Device->ReadPixels(0, area, bitmap.Pixels())) {
        bitmap.SetSize(0, 0);
        return false;
    }
    return true;
}
