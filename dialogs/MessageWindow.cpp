// The message window's look, layout, keys and painting.
#include "dialogs/MessageWindow.h"

#include "dialogs/WindowFrame.h"

#include "graphics/TextLayout.h"
#include "platform/TextEncoding.h"

#include <cctype>
#include <cmath>
#include <cstdio>

RMessageStyle MessageStyle;

namespace {

constexpr int32_t kEscape = 27, kEnter = 13, kSpace = 32, kBackspace = 8;
constexpr uint32_t kSelectionBack = 0xFF3D6FB4;

// A vertical ramp between two opaque colours, with a one-pixel rim.
TBitmap32 Ramp(int32_t w, int32_t h, uint32_t top, uint32_t bottom, uint32_t rim)
{
    TBitmap32 picture(w, h);
    for (int32_t y = 0; y < h; ++y) {
        const double f = h > 1 ? static_cast<double>(y) / (h - 1) : 0;
        uint32_t c = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const double a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
            c |= static_cast<uint32_t>(std::lround(a + (b - a) * f)) << shift;
        }
        for (int32_t x = 0; x < w; ++x)
            picture.SetPixel(x, y, (x == 0 || y == 0 || x == w - 1 || y == h - 1) ? rim : c);
    }
    return picture;
}

RDialogFontKey Font(int32_t size, bool bold)
{
    RDialogFontKey key;
    key.name = "Arial";
    key.size = size;
    key.bold = bold;
    return key;
}

// The caption as drawn: without its "&" marks ("&&" shows one "&"), and
// where the short key's character went.
std::string ShownCaption(const std::string& caption, int32_t& keyAt)
{
    std::string shown;
    keyAt = -1;
    for (size_t k = 0; k < caption.size(); ++k) {
        if (caption[k] == '&' && k + 1 < caption.size()) {
            ++k;
            if (caption[k] != '&')
                keyAt = static_cast<int32_t>(shown.size());
        }
        shown += caption[k];
    }
    return shown;
}

} // namespace

TBitmap32 Message_DefaultBackground()
{
    return Ramp(400, 140, 0xFF3A3E48, 0xFF1C1E24, 0xFF5A5F6C);
}

std::array<TBitmap32, 3> Message_DefaultButtons()
{
    return {Ramp(80, 25, 0xFF4A4F5C, 0xFF2C2F38, 0xFF7A8090), Ramp(80, 25, 0xFF5C6374, 0xFF3A3E4A, 0xFFA0A8BC),
            Ramp(80, 25, 0xFF24262E, 0xFF3A3E4A, 0xFFA0A8BC)};
}

RMessageStyle::RMessageStyle()
    : background(Message_DefaultBackground()), textFont(Font(8, false)), buttonFont(Font(8, true)),
      inputFont(Font(8, false)), buttonImages(Message_DefaultButtons())
{
}

std::string Message_ValueText(const RValue& value)
{
    if (value.IsString())
        return value.str.Text();
    const double v = value.val;
    char text[400];
    if (std::isfinite(v) && std::floor(v) == v)
        std::snprintf(text, sizeof text, "%.0f", v == 0 ? 0.0 : v);
    else
        std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

char Message_ShortKey(const std::string& caption)
{
    char key = 0;
    for (size_t k = 0; k + 1 < caption.size(); ++k)
        if (caption[k] == '&')
            key = caption[++k];
    return key == '&' ? 0 : key;
}

CMessageDialog::CMessageDialog(EMessageKind kind, std::string function, std::string text,
                               std::array<std::string, 3> captions, bool input, std::string inputText)
    : m_kind(kind), m_function(std::move(function)), m_text(std::move(text)), m_captions(std::move(captions)),
      m_hasInput(input), m_input(std::move(inputText))
{
    ComputeLayout();
}

void CMessageDialog::ComputeLayout()
{
    const RMessageStyle& s = MessageStyle;
    RMessageLayout& l = m_layout;
    const int32_t bw = s.buttonImages[0].Width(), bh = s.buttonImages[0].Height();
    const int32_t cw = s.fixedWidth >= 1 ? s.fixedWidth : std::max(s.background.Width(), 1);
    const CDialogFont& font = Dialog_Font(s.textFont);
    CTextLines lines;
    lines.Break(font.Glyphs(), m_text + " ", std::max(cw - 48, 1));
    const int32_t textH = static_cast<int32_t>(lines.Count()) * font.Height();
    const int32_t inputH = Dialog_Font(s.inputFont).Height() + 8;
    int32_t ch = s.fixedHeight >= 1 ? s.fixedHeight : textH + bh + 48 + (m_hasInput ? inputH + 16 : 0);
    l.text = {24, 16, cw - 48, textH};
    const int32_t buttonTop = ch - bh - 16;
    for (size_t k = 0; k < 3; ++k)
        l.buttons[k] = {};
    if (!m_captions[0].empty())
        l.buttons[0] = {24, buttonTop, bw, bh};
    if (!m_captions[1].empty())
        l.buttons[1] = {(cw - bw) / 2, buttonTop, bw, bh};
    if (!m_captions[2].empty())
        l.buttons[2] = {cw - bw - 24, buttonTop, bw, bh};
    l.input = m_hasInput ? RCanvasRect{24, buttonTop - 16 - inputH, cw - 48, inputH} : RCanvasRect{};

    int32_t hostW = 0, hostH = 0;
    Dialog_HostSize(hostW, hostH);
    const int32_t ww = Frame_Width(cw, s.border), wh = Frame_Height(ch, s.border);
    // Positions are the game window's own pixels: the window lives inside it.
    const int32_t wx = s.fixedLeft >= 0 ? s.fixedLeft : (hostW - ww) / 2;
    const int32_t wy = s.fixedTop >= 0 ? s.fixedTop : (hostH - wh) / 2;
    l.window = {wx, wy, ww, wh};
    l.client = Frame_Client(l.window, s.border);
}

std::string CMessageDialog::Describe() const
{
    std::string shown = m_text.size() > 60 ? m_text.substr(0, 57) + "..." : m_text;
    return m_function + "(\"" + Cp1252ToUtf8(shown) + "\")";
}

void CMessageDialog::Close(int32_t result)
{
    m_result = result;
    m_closed = true;
    m_down = 0;
}

int32_t CMessageDialog::LeftmostButton() const
{
    for (int32_t k = 0; k < 3; ++k)
        if (!m_captions[static_cast<size_t>(k)].empty())
            return k + 1;
    return 0;
}

int32_t CMessageDialog::ButtonAt(int32_t x, int32_t y) const
{
    for (int32_t k = 0; k < 3; ++k) {
        RCanvasRect r = m_layout.buttons[static_cast<size_t>(k)];
        r.x += m_layout.client.x;
        r.y += m_layout.client.y;
        if (!m_captions[static_cast<size_t>(k)].empty() && r.Contains(x, y))
            return k + 1;
    }
    return 0;
}

bool CMessageDialog::Apply(const RDialogAnswer& answer)
{
    switch (answer.kind) {
    case EDialogAnswer::Button:
        if (answer.number < 1 || answer.number > 3 || m_captions[static_cast<size_t>(answer.number - 1)].empty())
            return false;
        Close(answer.number);
        return true;
    case EDialogAnswer::Text:
        if (!m_hasInput)
            return false;
        m_input = answer.text;
        m_selected = false;
        Close(LeftmostButton());
        return true;
    case EDialogAnswer::Cancel:
        Close(0);
        return true;
    default:
        return false;
    }
}

std::string CMessageDialog::TakeDefault()
{
    Close(0);
    switch (m_kind) {
    case EMessageKind::Message:
        return "closed";
    case EMessageKind::Question:
        return "takes No (0)";
    case EMessageKind::Choice:
        return "takes Escape (0)";
    case EMessageKind::Integer:
    case EMessageKind::String:
    case EMessageKind::HighscoreName:
        return "takes \"" + Cp1252ToUtf8(m_input) + "\"";
    }
    return "closed";
}

RDialogAnswer CMessageDialog::Answer() const
{
    RDialogAnswer answer;
    if (m_result == 0) {
        answer.kind = EDialogAnswer::Cancel;
    } else if (m_hasInput) {
        answer.kind = EDialogAnswer::Text;
        answer.text = m_input;
    } else {
        answer.kind = EDialogAnswer::Button;
        answer.number = m_result;
    }
    return answer;
}

void CMessageDialog::KeyDown(int32_t key, bool ctrl)
{
    if (m_closed)
        return;
    if (key == kEscape) {
        Close(0);
        return;
    }
    if (key == kEnter || (key == kSpace && !m_hasInput && !ctrl)) {
        Close(LeftmostButton());
        return;
    }
    if (ctrl) {
        for (int32_t k = 0; k < 3; ++k) {
            const char shortKey = Message_ShortKey(m_captions[static_cast<size_t>(k)]);
            // Key codes of letters are their upper-case characters.
            if (shortKey && key == std::toupper(static_cast<unsigned char>(shortKey))) {
                Close(k + 1);
                return;
            }
        }
    }
    if (key == kBackspace && m_hasInput) {
        if (m_selected)
            m_input.clear();
        else if (!m_input.empty())
            m_input.pop_back();
        m_selected = false;
    }
}

void CMessageDialog::Character(int32_t code)
{
    if (m_closed || code < 32 || code > 255)
        return;
    if (m_hasInput) {
        if (m_selected)
            m_input.clear();
        m_selected = false;
        m_input += static_cast<char>(code);
        return;
    }
    const unsigned char typed = Cp1252FoldCase(static_cast<unsigned char>(code));
    for (int32_t k = 0; k < 3; ++k) {
        const char shortKey = Message_ShortKey(m_captions[static_cast<size_t>(k)]);
        if (shortKey && Cp1252FoldCase(static_cast<unsigned char>(shortKey)) == typed) {
            Close(k + 1);
            return;
        }
    }
}

void CMessageDialog::MouseMove(int32_t x, int32_t y)
{
    m_inside = ButtonAt(x, y);
}

void CMessageDialog::MouseDown(int32_t button, int32_t x, int32_t y)
{
    m_inside = ButtonAt(x, y);
    if (button == 1)
        m_down = m_inside;
}

void CMessageDialog::MouseUp(int32_t button, int32_t x, int32_t y)
{
    m_inside = ButtonAt(x, y);
    if (button != 1)
        return;
    const int32_t clicked = m_down != 0 && m_down == m_inside ? m_down : 0;
    m_down = 0;
    if (clicked)
        Close(clicked);
}

double CMessageDialog::Opacity() const
{
    return MessageStyle.alpha / 255.0;
}

void CMessageDialog::Paint(CCanvas& canvas)
{
    const RMessageStyle& s = MessageStyle;
    const RMessageLayout& l = m_layout;
    if (s.border)
        Frame_Paint(canvas, l.window, s.caption);
    const RCanvasRect& c = l.client;
    canvas.SetClip(c);
    canvas.Fill(c, 0x00000000);
    canvas.DrawPicture(s.background, c);

    const CDialogFont& textFont = Dialog_Font(s.textFont);
    CTextLines lines;
    lines.Break(textFont.Glyphs(), m_text + " ", std::max(c.w - 48, 1));
    for (size_t k = 0; k < lines.Count(); ++k)
        canvas.DrawText(textFont, c.x + l.text.x, c.y + l.text.y + static_cast<int32_t>(k) * textFont.Height(),
                        lines.Text(k), Canvas_Color(s.textColor));

    if (m_hasInput) {
        const RCanvasRect field{c.x + l.input.x, c.y + l.input.y, l.input.w, l.input.h};
        canvas.Fill(field, Canvas_Color(s.inputBack));
        canvas.Frame(field, 0xFF808080);
        const CDialogFont& inputFont = Dialog_Font(s.inputFont);
        const int32_t tx = field.x + 4, ty = field.y + (field.h - inputFont.Height()) / 2;
        canvas.SetClip({field.x + 2, field.y + 2, field.w - 4, field.h - 4});
        if (m_selected && !m_input.empty())
            canvas.Fill({tx, ty, inputFont.Width(m_input), inputFont.Height()}, kSelectionBack);
        const int32_t end = canvas.DrawText(inputFont, tx, ty, m_input, Canvas_Color(s.inputColor));
        if (!m_closed && !m_selected)
            canvas.Fill({end, ty, 1, inputFont.Height()}, Canvas_Color(s.inputColor));
        canvas.SetClip(c);
    }

    const CDialogFont& buttonFont = Dialog_Font(s.buttonFont);
    for (int32_t k = 0; k < 3; ++k) {
        const std::string& caption = m_captions[static_cast<size_t>(k)];
        if (caption.empty())
            continue;
        const RCanvasRect& b = l.buttons[static_cast<size_t>(k)];
        const RCanvasRect r{c.x + b.x, c.y + b.y, b.w, b.h};
        const bool inside = m_inside == k + 1, down = m_down == k + 1;
        canvas.DrawPicture(s.buttonImages[down && inside ? 2 : inside ? 1 : 0], r);
        int32_t keyAt = -1;
        const std::string shown = ShownCaption(caption, keyAt);
        const uint32_t color = Canvas_Color(inside ? s.mouseColor : s.buttonColor);
        const int32_t tw = buttonFont.Width(shown), th = buttonFont.Height();
        const int32_t tx = r.x + (r.w - tw) / 2, ty = r.y + (r.h - th) / 2;
        canvas.DrawText(buttonFont, tx, ty, shown, color);
        if (keyAt >= 0) {
            const int32_t ux = tx + buttonFont.Width(std::string_view(shown).substr(0, static_cast<size_t>(keyAt)));
            const int32_t uw = buttonFont.Width(std::string_view(shown).substr(static_cast<size_t>(keyAt), 1));
            canvas.Fill({ux, ty + buttonFont.Ascent() + 1, uw, 1}, color);
        }
    }
    if (s.keyed)
        canvas.KeyOut(c, s.keyColor);
    canvas.ResetClip();
}
