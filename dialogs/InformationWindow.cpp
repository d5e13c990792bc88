// The game information page and its windows.
#include "dialogs/InformationWindow.h"

#include "dialogs/Companions.h"
#include "graphics/Overlay.h"
#include "platform/Files.h"
#include "world/Input.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int32_t kEscape = 27, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kUp = 38, kDown = 40;
constexpr int32_t kLineStep = 20; // pixels a line key or a wheel notch scrolls
constexpr int32_t kScrollBar = 6;

CGameInformation Information;

RPanelStyle PanelStyle(const CGameInformation& info)
{
    int32_t screenW = 1024, screenH = 768;
    Overlay_GetScreenSize(screenW, screenH);
    const RCanvasRect place = Information_Placement(info, screenW, screenH);
    RPanelStyle style;
    style.caption = info.i_caption;
    style.bounds = {place.x, place.y, place.w, place.h};
    style.border = info.i_showborder;
    style.sizeable = info.i_showborder && info.i_sizeable;
    style.stayOnTop = info.i_stayontop;
    return style;
}

} // namespace

void Information_Set(const CGameInformation& information)
{
    Information = information;
}

const CGameInformation& Information_Get()
{
    return Information;
}

bool Information_LoadFile(const std::string& gamePath)
{
    std::vector<uint8_t> bytes;
    if (gamePath.empty() || !Platform_ReadWholeFile(ToHostPath(gamePath), bytes))
        return false;
    Information.i_text.assign(bytes.begin(), bytes.end());
    return true;
}

RCanvasRect Information_Placement(const CGameInformation& info, int32_t screenW, int32_t screenH)
{
    const int32_t w = std::min(std::max(info.i_width, 1), std::max(screenW, 1));
    const int32_t h = std::min(std::max(info.i_height, 1), std::max(screenH, 1));
    const int32_t x = info.i_left < 0 ? (screenW - w) / 2 : info.i_left;
    const int32_t y = info.i_top < 0 ? (screenH - h) / 2 : info.i_top;
    return {x, y, w, h};
}

CInformationPage::CInformationPage(const CGameInformation& information, bool inGameWindow, std::string function)
    : p_document(RichText_Read(information.i_text)), p_color(information.i_color), p_inGameWindow(inGameWindow),
      p_function(std::move(function))
{
}

bool CInformationPage::Apply(const RDialogAnswer& answer)
{
    if (answer.kind != EDialogAnswer::Cancel && answer.kind != EDialogAnswer::Button)
        return false;
    p_closed = true;
    return true;
}

std::string CInformationPage::TakeDefault()
{
    p_closed = true;
    return "closed";
}

void CInformationPage::ScrollBy(int32_t pixels)
{
    const int32_t most = std::max(p_layout.Height() - p_viewHeight, 0);
    p_scroll = std::clamp(p_scroll + pixels, 0, most);
}

void CInformationPage::KeyDown(int32_t key, bool)
{
    // Inside the game window the page goes when Escape is let go, so that
    // the key's release does not reach the game.
    if (key == kEscape && !p_inGameWindow)
        p_closed = true;
    else if (key == kUp || key == kDown)
        ScrollBy(key == kUp ? -kLineStep : kLineStep);
    else if (key == kPageUp || key == kPageDown)
        ScrollBy((key == kPageUp ? -1 : 1) * std::max(p_viewHeight - kLineStep, kLineStep));
    else if (key == kHome || key == kEnd)
        ScrollBy(key == kHome ? -p_layout.Height() : p_layout.Height());
}

void CInformationPage::KeyUp(int32_t key)
{
    if (key == kEscape && p_inGameWindow)
        p_closed = true;
}

void CInformationPage::Wheel(int32_t direction)
{
    ScrollBy(-direction * 3 * kLineStep);
}

void CInformationPage::Paint(CCanvas& canvas)
{
    const int32_t w = canvas.Picture().Width(), h = canvas.Picture().Height();
    if (w != p_layoutWidth) {
        p_layout.Build(p_document, w - kScrollBar);
        p_layoutWidth = w;
    }
    p_viewHeight = h;
    ScrollBy(0);
    canvas.Fill({0, 0, w, h}, Canvas_Color(p_color));
    p_layout.Paint(canvas, {0, 0, w - kScrollBar, h}, p_scroll);
    if (p_layout.Height() > h) {
        const int32_t thumb = std::max(h * h / p_layout.Height(), 16);
        const int32_t top = (h - thumb) * p_scroll / std::max(p_layout.Height() - h, 1);
        canvas.Fill({w - kScrollBar, 0, kScrollBar, h}, 0x30000000);
        canvas.Fill({w - kScrollBar + 1, top, kScrollBar - 2, thumb}, 0xA0000000);
    }
}

void Information_Show(const char* function)
{
    const CGameInformation& info = Information;
    if (info.i_ingamewindow) {
        CInformationPage page(info, true, function);
        Dialog_Run(page);
        return;
    }
    if (info.i_pausegame) {
        CPanelHost host(PanelStyle(info));
        CInformationPage page(info, false, function);
        Dialog_Run(page, host);
        return;
    }
    // Beside the running game.
    Companion_Open(std::make_unique<CPanelHost>(PanelStyle(info)),
                   std::make_unique<CInformationPage>(info, false, function));
    Input_ClearAll();
}

