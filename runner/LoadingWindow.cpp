// The loading window.
#include "runner/LoadingWindow.h"

#include "data/GameSettings.h"
#include "runner/LoadingPicture.h"

void CLoadingWindow::SettingsRead(bool)
{
    // The progress text would show only in debug mode; the runner has no
    // type of its own to draw it with before the game's fonts exist.
    w_shown = true;
    if (!w_noWindow) {
        RLoadingLayout layout = Loading_Layout(Settings);
        RPictureWindowStyle style;
        style.w = layout.w;
        style.h = layout.h;
        const TBitmap32* image = Settings.LoadingImage.get();
        if (Settings.LoadingImageTransparent && image && !image->IsEmpty()) {
            style.colorKey = true;
            style.keyColor = image->PixelAt(0, image->Height() - 1) & 0xFFFFFF;
        }
        style.opacity = Settings.LoadingImageAlpha / 255.0;
        w_window = Platform_OpenPictureWindow(style);
    }
    Progress(0, "Loading");
}

void CLoadingWindow::Progress(int percent, const std::string& text)
{
    w_steps.emplace_back(percent, text);
    if (w_window) {
        TBitmap32 picture = Loading_Picture(Settings, percent);
        w_window->ShowPicture(picture.Pixels());
    }
}

void CLoadingWindow::Close()
{
    w_window.reset();
    w_shown = false;
}
