// Splash screens.
#include "dialogs/Splash.h"

#include "code/ErrorReport.h"
#include "code/Value.h"
#include "dialogs/Companions.h"
#include "dialogs/PanelHost.h"
#include "dialogs/PictureFile.h"
#include "graphics/Overlay.h"
#include "graphics/WindowState.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Programs.h"
#include "platform/TextEncoding.h"
#include "sound/Sound.h"
#include "world/GameState.h"
#include "world/Input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

RSplashSettings SplashSettings;

namespace {

constexpr int32_t kEscape = 27;
// The player takes names shorter than this.
constexpr size_t kLongestVideoName = 126;

RCanvasRect CloseButtonRect(int32_t panelW)
{
    return {panelW - kSplashCloseButton, 0, kSplashCloseButton, kSplashCloseButton};
}

void PaintCloseButton(CCanvas& canvas, const RCanvasRect& r)
{
    canvas.Fill(r, 0xFF404040);
    canvas.Frame(r, 0xFFC0C0C0);
    for (int32_t k = 6; k < r.w - 6; ++k) {
        canvas.Fill({r.x + k, r.y + k, 2, 1}, 0xFFFFFFFF);
        canvas.Fill({r.x + r.w - 1 - k - 1, r.y + k, 2, 1}, 0xFFFFFFFF);
    }
}

std::string Quoted(const char* function, const std::string& name)
{
    return std::string(function) + "(\"" + Cp1252ToUtf8(name) + "\")";
}

// Shows the splash where its settings say, until it closes (or beside the
// game), then clears the input.
void Run(std::unique_ptr<CSplash> splash)
{
    const RSplashSettings& s = SplashSettings;
    if (s.main) {
        const int32_t cursor = WindowState.cursor;
        if (!s.cursor)
            Window_SetCursor(-1);
        Dialog_Run(*splash);
        if (!s.cursor)
            Window_SetCursor(cursor);
        return;
    }
    RPanelStyle style;
    style.caption = s.caption;
    style.stayOnTop = s.top;
    style.cursor = s.cursor;
    int32_t screenW = 1024, screenH = 768;
    Overlay_GetScreenSize(screenW, screenH);
    if (s.fullscreen) {
        style.border = false;
        style.bounds = {0, 0, screenW, screenH};
    } else {
        style.border = s.border;
        style.bounds = {s.x, s.y, std::max(s.width, 1), std::max(s.height, 1)};
        int32_t w = 0, h = 0;
        splash->NaturalSize(w, h);
        if (s.adapt && w > 0 && h > 0) {
            const RCanvasRect content = Splash_Place(w, h, style.bounds.w, style.bounds.h, s.scale);
            style.bounds.w = std::max(content.w, 1);
            style.bounds.h = std::max(content.h, 1);
        }
    }
    if (s.interrupt) {
        CPanelHost host(style);
        Dialog_Run(*splash, host);
        return;
    }
    Companion_Open(std::make_unique<CPanelHost>(style), std::move(splash));
    Input_ClearAll();
}

} // namespace

RCanvasRect Splash_Place(int32_t w, int32_t h, int32_t pw, int32_t ph, double scale)
{
    if (w <= 0 || h <= 0)
        return {};
    const double f = scale > 0 ? scale : std::min(static_cast<double>(pw) / w, static_cast<double>(ph) / h);
    const int32_t cw = RoundToInt32(w * f), ch = RoundToInt32(h * f);
    return {(pw - cw) / 2, (ph - ch) / 2, cw, ch};
}

bool Splash_Bool(double value)
{
    return RoundToInteger(value) >= 1;
}

CSplash::CSplash(ESplashKind kind, std::string describe, int32_t delayMs, const RSplashSettings& settings)
    : s_kind(kind), s_describe(std::move(describe)), s_delay(delayMs), s_settings(settings)
{
}

void CSplash::SetVideo(std::unique_ptr<IVideoFile> video, std::string name, bool loop)
{
    s_video = std::move(video);
    s_videoName = std::move(name);
    s_loop = loop;
}

void CSplash::NaturalSize(int32_t& w, int32_t& h) const
{
    w = h = 0;
    if (s_kind == ESplashKind::Image) {
        w = s_image.Width();
        h = s_image.Height();
    } else if (s_kind == ESplashKind::Video && s_video) {
        w = s_video->Width();
        h = s_video->Height();
    }
}

bool CSplash::Apply(const RDialogAnswer& answer)
{
    if (answer.kind != EDialogAnswer::Cancel && answer.kind != EDialogAnswer::Button)
        return false;
    Close();
    return true;
}

std::string CSplash::TakeDefault()
{
    Close();
    return "closed";
}

int64_t CSplash::ClosesAfter() const
{
    if (s_kind == ESplashKind::Video)
        return !s_loop && s_video && s_video->Duration() >= 0 ? s_video->Duration() : -1;
    return s_delay > 0 ? int64_t(s_delay) * 1000 : -1;
}

void CSplash::Close()
{
    if (s_closed)
        return;
    s_closed = true;
    if (s_soundStarted)
        Sound_StopVideoSound(s_videoName);
}

void CSplash::StartSound()
{
    RPcm pcm;
    if (s_video && s_video->DecodeSound(pcm)) {
        Sound_PlayVideoSound(s_videoName, pcm, false);
        s_soundStarted = true;
    }
}

void CSplash::KeyDown(int32_t key, bool)
{
    if (key == kEscape && s_settings.stopKey)
        Close();
}

void CSplash::MouseDown(int32_t, int32_t x, int32_t y)
{
    if ((s_settings.closeButton && CloseButtonRect(s_panelW).Contains(x, y)) || s_settings.stopMouse)
        Close();
}

void CSplash::Paint(CCanvas& canvas)
{
    const int32_t pw = canvas.Picture().Width(), ph = canvas.Picture().Height();
    s_panelW = pw;
    canvas.Fill({0, 0, pw, ph}, Canvas_Color(s_settings.color));
    if (s_kind == ESplashKind::Image) {
        canvas.DrawPicture(s_image, Splash_Place(s_image.Width(), s_image.Height(), pw, ph, s_settings.scale));
    } else if (s_kind == ESplashKind::Text) {
        if (pw != s_layoutWidth) {
            s_layout.Build(s_document, pw);
            s_layoutWidth = pw;
        }
        s_layout.Paint(canvas, {0, 0, pw, ph}, 0);
    } else if (s_video) {
        const RCanvasRect place = Splash_Place(s_video->Width(), s_video->Height(), pw, ph, s_settings.scale);
        const int64_t now = Platform_MonotonicMicroseconds();
        if (s_videoStart < 0) {
            s_videoStart = now;
            StartSound();
        }
        bool shown = s_video->PictureAt(now - s_videoStart, place.w, place.h, s_frame);
        if (!shown && s_loop && s_video->Rewind()) {
            s_videoStart = now;
            if (s_soundStarted)
                StartSound();
            shown = s_video->PictureAt(0, place.w, place.h, s_frame);
        }
        if (!shown) {
            Close();
        } else {
            canvas.Fill(place, 0xFF000000);
            TBitmap32 picture(place.w, place.h);
            std::memcpy(picture.Pixels(), s_frame.data(), std::min(s_frame.size(), size_t(place.w) * place.h * 4));
            canvas.DrawPicture(picture, place);
        }
    }
    if (s_settings.closeButton)
        PaintCloseButton(canvas, CloseButtonRect(pw));
}

void Splash_ShowImage(const char* function, const std::string& fname, int32_t delayMs)
{
    const std::string host = ToHostPath(fname);
    TBitmap32 image;
    if (fname.empty() || !Platform_FileExists(host)) {
        Error_ShowInEvent("Image file not found.", false);
    } else if (!Dialog_LoadPicture(host, image)) {
        Error_ShowInEvent("Image file cannot be shown: " + fname, false);
    } else {
        auto splash = std::make_unique<CSplash>(ESplashKind::Image, Quoted(function, fname), delayMs, SplashSettings);
        splash->SetImage(std::move(image));
        Run(std::move(splash));
        return;
    }
    Input_ClearAll();
}

void Splash_ShowText(const char* function, const std::string& fname, int32_t delayMs)
{
    std::vector<uint8_t> bytes;
    if (fname.empty() || !Platform_ReadWholeFile(ToHostPath(fname), bytes)) {
        Error_ShowInEvent("Text file not found.", false);
        Input_ClearAll();
        return;
    }
    auto splash = std::make_unique<CSplash>(ESplashKind::Text, Quoted(function, fname), delayMs, SplashSettings);
    splash->SetText(RichText_Read(std::string(bytes.begin(), bytes.end())));
    Run(std::move(splash));
}

void Splash_ShowVideo(const char* function, const std::string& fname, bool loop)
{
    const std::string host = ToHostPath(fname);
    if (fname.empty() || fname.size() > kLongestVideoName || !Platform_FileExists(host)) {
        Error_ShowInEvent("Video file not found (or name too long).", false);
        Input_ClearAll();
        return;
    }
    std::string why;
    std::unique_ptr<IVideoFile> video = Platform_OpenVideo(host, why);
    if (!video) {
        Error_ShowInEvent("Video file cannot be played: " + fname + " (" + why + ")", false);
        Input_ClearAll();
        return;
    }
    auto splash = std::make_unique<CSplash>(ESplashKind::Video, Quoted(function, fname), 0, SplashSettings);
    splash->SetVideo(std::move(video), host, loop);
    Run(std::move(splash));
}

void Splash_ShowWeb(const char* function, const std::string& url, int32_t)
{
    // The page opens in the system's browser, never in an automated run.
    // The browser is handed any address or local file, which could start a
    // program: secure mode refuses it, as it refuses the web page action.
    if (GameState.secureMode) {
        Error_ShowInEvent("In secure mode you cannot open webpages.", false);
    } else if (Dialogs_IsAutomated()) {
        std::fprintf(stderr, "brindle-run: %s: a web page is not opened in an automated run\n",
                     Quoted(function, url).c_str());
        std::fflush(stderr);
    } else if (url.empty() || !Platform_OpenDocument(GameTextToHost(url))) {
        Platform_ShowMessage("Failed to display the webpage");
    }
    Input_ClearAll();
}
