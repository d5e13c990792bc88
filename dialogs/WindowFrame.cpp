// Window frames.
#include "dialogs/WindowFrame.h"

int32_t Frame_Width(int32_t clientW, bool border)
{
    return clientW + (border ? 2 * kWindowRim : 0);
}

int32_t Frame_Height(int32_t clientH, bool border)
{
    return clientH + (border ? 2 * kWindowRim + kWindowCaptionBar : 0);
}

RCanvasRect Frame_Client(const RCanvasRect& window, bool border)
{
    if (!border)
        return window;
    return {window.x + kWindowRim, window.y + kWindowRim + kWindowCaptionBar, window.w - 2 * kWindowRim,
            window.h - 2 * kWindowRim - kWindowCaptionBar};
}

void Frame_Paint(CCanvas& canvas, const RCanvasRect& window, const std::string& caption)
{
    canvas.Fill(window, 0xFF2B3A55);
    canvas.Frame(window, 0xFF6F7F9F);
    RDialogFontKey key;
    key.bold = true;
    const CDialogFont& font = Dialog_Font(key);
    const RCanvasRect saved = canvas.Clip();
    canvas.SetClip({window.x + 6, window.y + kWindowRim, window.w - 12, kWindowCaptionBar});
    canvas.DrawText(font, window.x + 6, window.y + kWindowRim + (kWindowCaptionBar - font.Height()) / 2, caption,
                    0xFFFFFFFF);
    canvas.SetClip(saved);
}
