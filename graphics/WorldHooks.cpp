// Where drawing meets the running world: the step loop's draw, present and
// message stages, and the start of each room.
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "graphics/Display.h"
#include "graphics/Graphics.h"
#include "graphics/PictureFiles.h"
#include "graphics/RoomDraw.h"
#include "graphics/Screenshots.h"
#include "graphics/Tiles.h"
#include "graphics/Transitions.h"
#include "graphics/WindowState.h"
#include "platform/Files.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

namespace {

void (*Listener)(const RWindowEvent&) = nullptr;

void Present()
{
    Display_EndFrameAndPresent();
    Display_BeginFrame();
}

void HandleEvent(const RWindowEvent& event)
{
    if (Listener) {
        Listener(event);
        return;
    }
    if (event.kind == EWindowEvent::Close && Settings.CloseButtonAsEsc && Settings.KeyEscEnds)
        Game_RequestEnd();
}

void HandleMessages()
{
    Window_ProcessEvents(&HandleEvent);
}

void RoomEntered(bool first)
{
    if (CurrentRoom)
        RoomDraw_FitRegionToRoom(*CurrentRoom);
    if (first)
        Window_SetVisible(true);
}

// The room's first picture shows at once, before its first step, through
// the transition when one was captured as the old room was left.
void RoomStarted()
{
    if (!StepLoop.automaticDraw)
        return;
    Transition_PlayRoomStart();
    TransitionKind = 0;
}

void RoomLeaving(bool ending)
{
    if (!ending)
        Transition_Capture(TransitionKind);
}

} // namespace

void Graphics_InstallWorldHooks()
{
    LastTileId = GameResources.LastTileId;
    StepHooks.drawRoom = &RoomDraw_DrawRoom;
    StepHooks.presentFrame = &Present;
    RoomHooks.roomEntered = &RoomEntered;
    RoomHooks.roomStarted = &RoomStarted;
    RoomHooks.roomLeaving = &RoomLeaving;
}

void Graphics_InstallMessageHandling()
{
    StepHooks.handleMessages = &HandleMessages;
}

void Graphics_SetWindowEventListener(void (*listener)(const RWindowEvent& event))
{
    Listener = listener;
}

void Graphics_ToggleFullScreen()
{
    Window_SetFullScreen(!WindowState.fullScreen);
}

std::string Graphics_SaveScreenshot()
{
    return Screen_SaveNumbered();
}

bool Graphics_SaveLastFrame(const std::string& hostPath)
{
    IRenderDevice* device = Display_Device();
    if (!device || device->IsHeadless())
        return false;
    // The window as the player saw it, so that scaling shows; the drawn
    // region alone where the window cannot be read.
    TBitmap32 frame;
    if (!Display_ReadWindow(frame)) {
        int32_t w = 0, h = 0;
        Display_GetBackRegion(w, h);
        if (!Display_ReadScreen(0, 0, w, h, frame))
            return false;
    }
    for (int32_t y = 0; y < frame.Height(); ++y)
        for (int32_t x = 0; x < frame.Width(); ++x)
            frame.Row(y)[x * 4 + 3] = 255;
    std::vector<uint8_t> png = Picture_EncodePng(frame);
    return !png.empty() && Platform_WriteWholeFile(hostPath, png.data(), png.size());
}
