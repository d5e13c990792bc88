// The pop-up menu.
#include "dialogs/PopupMenu.h"

#include "dialogs/MessageWindow.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace {

constexpr int32_t kEscape = 27, kEnter = 13, kUp = 38, kDown = 40;
constexpr int32_t kPad = 4;

RDialogFontKey MenuFont()
{
    RDialogFontKey key;
    key.size = 9;
    return key;
}

std::string Shown(const std::string& entry)
{
    std::string shown;
    for (size_t k = 0; k < entry.size(); ++k) {
        if (entry[k] == '&' && k + 1 < entry.size())
            ++k;
        shown += entry[k];
    }
    return shown;
}

} // namespace

CPopupMenu::CPopupMenu(std::string function, const std::string& entries, int32_t x, int32_t y)
    : m_function(std::move(function))
{
    size_t start = 0;
    for (;;) {
        const size_t bar = entries.find('|', start);
        m_entries.push_back(entries.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    const CDialogFont& font = Dialog_Font(MenuFont());
    m_rowHeight = font.Height() + 2 * kPad;
    int32_t width = 60;
    for (const std::string& entry : m_entries)
        width = std::max(width, font.Width(Shown(entry)) + 8 * kPad);
    const int32_t height = static_cast<int32_t>(m_entries.size()) * m_rowHeight + 2;
    // A menu opens down and to the right of the point, and moves back
    // inside the window where it would not fit.
    int32_t hostW = 0, hostH = 0;
    Dialog_HostSize(hostW, hostH);
    if (x + width > hostW)
        x = hostW - width;
    if (y + height > hostH)
        y = hostH - height;
    m_bounds = {std::max(x, 0), std::max(y, 0), width, height};
}

std::string CPopupMenu::Describe() const
{
    std::string all;
    for (size_t k = 0; k < m_entries.size(); ++k)
        all += (k ? "|" : "") + m_entries[k];
    return m_function + "(\"" + Cp1252ToUtf8(all) + "\")";
}

bool CPopupMenu::Selectable(int32_t entry) const
{
    return entry >= 0 && entry < static_cast<int32_t>(m_entries.size()) &&
           m_entries[static_cast<size_t>(entry)] != "-";
}

void CPopupMenu::Choose(int32_t entry)
{
    m_chosen = entry;
    m_closed = true;
}

bool CPopupMenu::Apply(const RDialogAnswer& answer)
{
    if (answer.kind == EDialogAnswer::Cancel) {
        Choose(-1);
        return true;
    }
    if (answer.kind != EDialogAnswer::Menu || !Selectable(answer.number))
        return false;
    Choose(answer.number);
    return true;
}

std::string CPopupMenu::TakeDefault()
{
    Choose(-1);
    return "no entry chosen";
}

RDialogAnswer CPopupMenu::Answer() const
{
    RDialogAnswer answer;
    if (m_chosen >= 0) {
        answer.kind = EDialogAnswer::Menu;
        answer.number = m_chosen;
    }
    return answer;
}

int32_t CPopupMenu::EntryAt(int32_t x, int32_t y) const
{
    if (!m_bounds.Contains(x, y))
        return -1;
    const int32_t entry = (y - m_bounds.y - 1) / std::max(m_rowHeight, 1);
    return Selectable(entry) ? entry : -1;
}

void CPopupMenu::KeyDown(int32_t key, bool)
{
    const int32_t count = static_cast<int32_t>(m_entries.size());
    if (key == kEscape) {
        Choose(-1);
    } else if (key == kEnter) {
        if (Selectable(m_hot))
            Choose(m_hot);
    } else if (key == kUp || key == kDown) {
        const int32_t step = key == kUp ? -1 : 1;
        for (int32_t k = 1; k <= count; ++k) {
            const int32_t next = ((m_hot < 0 ? (step > 0 ? -1 : count) : m_hot) + step * k + count * 2) % count;
            if (Selectable(next)) {
                m_hot = next;
                break;
            }
        }
    }
}

void CPopupMenu::Character(int32_t code)
{
    const unsigned char typed = Cp1252FoldCase(static_cast<unsigned char>(code));
    for (int32_t k = 0; k < static_cast<int32_t>(m_entries.size()); ++k) {
        const char shortKey = Message_ShortKey(m_entries[static_cast<size_t>(k)]);
        if (shortKey && Selectable(k) && Cp1252FoldCase(static_cast<unsigned char>(shortKey)) == typed) {
            Choose(k);
            return;
        }
    }
}

void CPopupMenu::MouseMove(int32_t x, int32_t y)
{
    m_hot = EntryAt(x, y);
}

void CPopupMenu::MouseDown(int32_t, int32_t x, int32_t y)
{
    // A click beside the menu closes it without a choice.
    if (!m_bounds.Contains(x, y))
        Choose(-1);
}

void CPopupMenu::MouseUp(int32_t, int32_t x, int32_t y)
{
    const int32_t entry = EntryAt(x, y);
    if (entry >= 0)
        Choose(entry);
}

void CPopupMenu::Paint(CCanvas& canvas)
{
    const CDialogFont& font = Dialog_Font(MenuFont());
    canvas.Fill(m_bounds, 0xFFF2F2F2);
    canvas.Frame(m_bounds, 0xFF808080);
    for (int32_t k = 0; k < static_cast<int32_t>(m_entries.size()); ++k) {
        const RCanvasRect row{m_bounds.x + 1, m_bounds.y + 1 + k * m_rowHeight, m_bounds.w - 2, m_rowHeight};
        const std::string& entry = m_entries[static_cast<size_t>(k)];
        if (entry == "-") {
            canvas.Fill({row.x + kPad, row.y + row.h / 2, row.w - 2 * kPad, 1}, 0xFFA0A0A0);
            continue;
        }
        const bool hot = k == m_hot || (m_closed && k == m_chosen);
        if (hot)
            canvas.Fill(row, 0xFF3D6FB4);
        canvas.DrawText(font, row.x + 4 * kPad, row.y + kPad, Shown(entry), hot ? 0xFFFFFFFF : 0xFF000000);
    }
}
