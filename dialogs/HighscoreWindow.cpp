// The highscore window.
#include "dialogs/HighscoreWindow.h"

#include "data/Background.h"
#include "data/Resources.h"
#include "dialogs/WindowFrame.h"
#include "platform/TextEncoding.h"

namespace {

constexpr int32_t kEscape = 27, kEnter = 13, kBackspace = 8;
constexpr int32_t kFirstRow = 48, kRowStep = 32;
constexpr int32_t kNameLeft = 48, kNameWidth = 209, kScoreLeft = 264, kScoreWidth = 73;

RDialogFontKey TableFont()
{
    RDialogFontKey key;
    key.name = HighscoreStyle.fontName;
    key.size = HighscoreStyle.fontSize;
    key.bold = HighscoreStyle.bold;
    key.italic = HighscoreStyle.italic;
    return key;
}

} // namespace

CHighscoreWindow::CHighscoreWindow(int32_t score, int32_t newPlace)
    : h_score(score), h_newPlace(newPlace), h_table(Highscore_ReadAll())
{
    int32_t hostW = 0, hostH = 0;
    Dialog_HostSize(hostW, hostH);
    const bool border = HighscoreStyle.border;
    const int32_t w = Frame_Width(kWidth, border), h = Frame_Height(kHeight, border);
    h_window = {(hostW - w) / 2, (hostH - h) / 2, w, h};
}

std::string CHighscoreWindow::Describe() const
{
    return "highscore_show(" + std::to_string(h_score) + ")";
}

bool CHighscoreWindow::Apply(const RDialogAnswer& answer)
{
    if (answer.kind == EDialogAnswer::Text) {
        if (h_newPlace == 0)
            return false;
        h_typed = answer.text;
    } else if (answer.kind != EDialogAnswer::Cancel && answer.kind != EDialogAnswer::Button) {
        return false;
    }
    h_closed = true;
    return true;
}

std::string CHighscoreWindow::TakeDefault()
{
    h_closed = true;
    return h_newPlace ? "the name at place " + std::to_string(h_newPlace) + " is \"" + Cp1252ToUtf8(h_typed) + "\""
                      : "closed";
}

RDialogAnswer CHighscoreWindow::Answer() const
{
    RDialogAnswer answer;
    if (h_newPlace) {
        answer.kind = EDialogAnswer::Text;
        answer.text = h_typed;
    }
    return answer;
}

void CHighscoreWindow::KeyDown(int32_t key, bool)
{
    if (key == kEscape || key == kEnter)
        h_closed = true;
    else if (key == kBackspace && h_newPlace && !h_typed.empty())
        h_typed.pop_back();
}

void CHighscoreWindow::Character(int32_t code)
{
    if (h_newPlace && code >= 32 && code <= 255 && !h_closed)
        h_typed += static_cast<char>(code);
}

void CHighscoreWindow::Paint(CCanvas& canvas)
{
    const RHighscoreStyle& s = HighscoreStyle;
    if (s.border)
        Frame_Paint(canvas, h_window, s.caption);
    const RCanvasRect client = Frame_Client(h_window, s.border);
    canvas.SetClip(client);
    canvas.Fill(client, Canvas_Color(s.backColor));
    if (const CBackground* back = Backgrounds.Get(s.background))
        canvas.DrawPicture(back->i_bitmap, client);
    const CDialogFont& font = Dialog_Font(TableFont());
    const uint32_t other = Canvas_Color(s.otherColor), fresh = Canvas_Color(s.newColor);
    for (int32_t place = 1; place <= kHighscorePlaces; ++place) {
        const RHighscoreEntry& entry = h_table[static_cast<size_t>(place - 1)];
        const bool isNew = place == h_newPlace;
        const uint32_t color = isNew ? fresh : other;
        const int32_t y = client.y + kFirstRow + (place - 1) * kRowStep;
        const std::string rank = std::to_string(place) + ".";
        canvas.DrawText(font, client.x + kNameLeft - 8 - font.Width(rank), y, rank, color);
        canvas.SetClip({client.x + kNameLeft, y, kNameWidth, font.Height()});
        canvas.DrawText(font, client.x + kNameLeft, y, isNew ? h_typed + (h_closed ? "" : "|") : entry.name, color);
        canvas.SetClip(client);
        const std::string score = std::to_string(isNew ? h_score : entry.score);
        canvas.DrawText(font, client.x + kScoreLeft + kScoreWidth - font.Width(score), y, score, color);
    }
    canvas.DrawText(font, client.x + (kWidth - font.Width(s.escape)) / 2, client.y + kHeight - font.Height() - 12,
                    s.escape, other);
    canvas.ResetClip();
}
