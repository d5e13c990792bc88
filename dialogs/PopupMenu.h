// The pop-up menu of show_menu and show_menu_pos: entries are the parts of
// a text between "|" characters, numbered from 0; "-" alone is a dividing
// line. It opens at a point of the game window and closes with the entry
// chosen, or with none (Escape, or a click beside it).
#pragma once

#include "dialogs/ModalDialog.h"

#include <string>
#include <vector>

class CPopupMenu : public IModalDialog {
public:
    CPopupMenu(std::string function, const std::string& entries, int32_t x, int32_t y);

    // The entry chosen, -1 for none.
    int32_t Chosen() const { return m_chosen; }
    const std::vector<std::string>& Entries() const { return m_entries; }
    const RCanvasRect& Bounds() const { return m_bounds; }

    std::string Describe() const override;
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override;
    bool IsClosed() const override { return m_closed; }
    void KeyDown(int32_t key, bool ctrl) override;
    void Character(int32_t code) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseUp(int32_t button, int32_t x, int32_t y) override;
    void MouseDown(int32_t button, int32_t x, int32_t y) override;
    void Paint(CCanvas& canvas) override;

private:
    bool Selectable(int32_t entry) const;
    int32_t EntryAt(int32_t x, int32_t y) const;
    void Choose(int32_t entry);

    std::string m_function;
    std::vector<std::string> m_entries;
    RCanvasRect m_bounds;
    int32_t m_rowHeight = 0;
    int32_t m_hot = -1;
    int32_t m_chosen = -1;
    bool m_closed = false;
};
