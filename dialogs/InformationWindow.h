// The game information page: the rich text of the game data (or of a file
// given to load_info), shown on F1 and by show_info inside the game window
// or in a window of its own, as the game's information settings say. In a
// window of its own it either holds the game (pause) or the game runs on
// beside it.
#pragma once

#include "data/GameInformation.h"
#include "dialogs/ModalDialog.h"
#include "dialogs/RichTextLayout.h"

// The page and its window settings, from the game data.
void Information_Set(const CGameInformation& information);
const CGameInformation& Information_Get();
// load_info: a file that exists and can be read becomes the page's text.
bool Information_LoadFile(const std::string& gamePath);

// Where the page's own window goes on a screen of screenW × screenH: its
// size cut to the screen, a negative left or top centred.
RCanvasRect Information_Placement(const CGameInformation& information, int32_t screenW, int32_t screenH);

// show_info and F1; function names the caller for standard error.
void Information_Show(const char* function);

class CInformationPage : public IModalDialog {
public:
    CInformationPage(const CGameInformation& information, bool inGameWindow, std::string function);

    int32_t Scroll() const { return p_scroll; }
    const CRichLayout& Layout() const { return p_layout; }

    std::string Describe() const override { return p_function + "()"; }
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override { return RDialogAnswer(); }
    bool IsClosed() const override { return p_closed; }
    void KeyDown(int32_t key, bool ctrl) override;
    void KeyUp(int32_t key) override;
    void Wheel(int32_t direction) override;
    void CloseButton() override { p_closed = true; }
    void Paint(CCanvas& canvas) override;

private:
    void ScrollBy(int32_t pixels);

    RRichDocument p_document;
    int32_t p_color;
    bool p_inGameWindow;
    std::string p_function;
    CRichLayout p_layout;
    int32_t p_layoutWidth = -1;
    int32_t p_viewHeight = 0;
    int32_t p_scroll = 0;
    bool p_closed = false;
};
