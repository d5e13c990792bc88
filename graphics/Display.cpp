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

// The runner's own picture over the game (a dialog), and whether the next
// frame of the game drops it.
struct ROverlay {
    TextureHandle texture = 0;
    int32_t textureW = 0, textureH = 0;
    int32_t w = 0, h = 0;
    uint32_t tint = 0xFFFFFFFF;
    bool shown = false;
    bool released = false;
};
ROverlay Overlay;

// The display mode the game asked for, while it differs from the screen's.
bool Emulating = false;
RDisplayMode Emulated;

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
    Emulating = false;
    Model_ForgetMeshes();
    Surface_ForgetAll();
    ResourceTextures_FreeAll();
    Texture_ForgetAll();
    Device.reset();
    Overlay = ROverlay();
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
    Overlay = ROverlay();
    if (!Window)
        return false;
    BackRegionW = w;
    BackRegionH = h;
    ClipToScreen(BackRegionW, BackRegionH);
    Display_Synchronization = synchronization;
    RDisplayMode mode;
    if (!Display_GetMode(mode)) {
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
    if (Overlay.released)
        Overlay.shown = Overlay.released = false;
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
    if (Overlay.shown) {
        p.overlay = Overlay.texture;
        p.overlayW = Overlay.w;
        p.overlayH = Overlay.h;
        p.overlayTint = Overlay.tint;
    }
    return p;
}

} // namespace

RPresentation Display_CurrentPresentation()
{
    return CurrentPresentation();
}

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

namespace {

// What a screen could be switched to: sizes a display can have, the two
// depths games may ask for, refresh rates of real screens.
bool PossibleMode(const RDisplayMode& mode)
{
    return mode.width >= 1 && mode.width <= kLargestEmulatedScreen && mode.height >= 1 &&
           mode.height <= kLargestEmulatedScreen && (mode.bitsPerPixel == 16 || mode.bitsPerPixel == 32) &&
           mode.refreshRate >= 1 && mode.refreshRate <= 1000;
}

} // namespace

bool Display_GetMode(RDisplayMode& mode)
{
    if (!Window || !Window->GetDisplayMode(mode))
        return false;
    if (Emulating)
        mode = Emulated;
    return true;
}

bool Display_GetEmulatedScreen(int32_t& w, int32_t& h)
{
    w = Emulated.width;
    h = Emulated.height;
    return Emulating;
}

bool Display_ChangeMode(const RDisplayMode& wanted, bool testOnly)
{
    RDisplayMode real, mode;
    if (!Window || !Window->GetDisplayMode(real) || !Display_GetMode(mode))
        return false;
    if (wanted.width > 0)
        mode.width = wanted.width;
    if (wanted.height > 0)
        mode.height = wanted.height;
    if (wanted.bitsPerPixel > 0)
        mode.bitsPerPixel = wanted.bitsPerPixel;
    if (wanted.refreshRate > 0)
        mode.refreshRate = wanted.refreshRate;
    if (!PossibleMode(mode))
        return false;
    if (testOnly)
        return true;
    // The screen itself never changes: the game sees the mode, and full
    // screen shows its region as that screen would.
    // The device needs no reset for it, so surfaces survive the change.
    Emulating = !(mode == real);
    Emulated = mode;
    return true;
}

void Display_ResetMode()
{
    Emulating = false;
    Emulated = RDisplayMode();
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

bool Display_SetOverlay(const TBitmap32& picture, double opacity)
{
    if (!Device || picture.IsEmpty())
        return false;
    if (picture.Width() > Overlay.textureW || picture.Height() > Overlay.textureH) {
        if (Overlay.texture)
            Device->FreeTexture(Overlay.texture);
        Overlay.texture = Device->CreateTexture(picture.Width(), picture.Height(), false, Overlay.textureW,
                                                Overlay.textureH);
        if (!Overlay.texture) {
            Overlay = ROverlay();
            return false;
        }
    }
    if (!Device->UploadTexture(Overlay.texture, {0, 0, picture.Width(), picture.Height()}, picture.Pixels()))
        return false;
    Overlay.w = picture.Width();
    Overlay.h = picture.Height();
    Overlay.tint = Color_ToDevice(0xFFFFFF, opacity);
    Overlay.shown = true;
    Overlay.released = false;
    return true;
}

void Display_ReleaseOverlay()
{
    Overlay.released = Overlay.shown;
}
