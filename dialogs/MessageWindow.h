// The message window: one borderless box with a background picture, a
// word-wrapped text, up to three picture buttons and an optional one-line
// input field. Its look (MessageStyle) is set by the message_ functions for
// the rest of the run; each show_message, show_question, show_message_ext,
// get_integer and get_string fills in the text, the buttons and the field.
#pragma once

#include "code/Value.h"
#include "dialogs/ModalDialog.h"

#include <array>
#include <cstdint>
#include <string>

struct RMessageStyle {
    int32_t fixedLeft = -1, fixedTop = -1;     // negative: centred
    int32_t fixedWidth = -1, fixedHeight = -1; // below 1: computed
    TBitmap32 background;                      // stretched over the client area
    bool keyed = false;                        // pixels of keyColor are see-through
    uint32_t keyColor = 0;                     // 0xRRGGBB
    RDialogFontKey textFont;
    int32_t textColor = 0xFFFFFF;
    RDialogFontKey buttonFont;
    int32_t buttonColor = 0xFFFFFF;
    int32_t mouseColor = 0xFFFFFF;             // a button's caption while the mouse is over it
    RDialogFontKey inputFont;
    int32_t inputColor = 0xFFFFFF;
    int32_t inputBack = 0x3C3C3C;
    std::array<TBitmap32, 3> buttonImages;     // normal, mouse over, pressed
    int32_t alpha = 255;
    bool border = false;
    std::string caption;

    RMessageStyle(); // the built-in look
};
extern RMessageStyle MessageStyle;

// The built-in pictures: a dark window, and dark 80 × 25 buttons.
TBitmap32 Message_DefaultBackground();
std::array<TBitmap32, 3> Message_DefaultButtons();

// The text of a value shown in a message: a string as it is, a whole real
// as its integer, any other real with two decimals.
std::string Message_ValueText(const RValue& value);
// The short key of a caption: the character after the last "&" that has one.
char Message_ShortKey(const std::string& caption);

enum class EMessageKind : int32_t { Message, Question, Choice, Integer, String, HighscoreName };

struct RMessageLayout {
    RCanvasRect window;  // in the host, frame included
    RCanvasRect client;  // in the host
    RCanvasRect text;    // relative to the client
    RCanvasRect input;   // relative to the client (empty when hidden)
    std::array<RCanvasRect, 3> buttons; // relative to the client (empty when hidden)
};

class CMessageDialog : public IModalDialog {
public:
    // text goes through the line-break rule; captions[k] empty hides button k + 1.
    CMessageDialog(EMessageKind kind, std::string function, std::string text, std::array<std::string, 3> captions,
                   bool input = false, std::string inputText = "");

    // Result: the tag of the button that closed it, 0 for Escape.
    int32_t Result() const { return m_result; }
    const std::string& InputText() const { return m_input; }
    const RMessageLayout& Layout() const { return m_layout; }

    std::string Describe() const override;
    bool Apply(const RDialogAnswer& answer) override;
    std::string TakeDefault() override;
    RDialogAnswer Answer() const override;
    bool IsClosed() const override { return m_closed; }
    void KeyDown(int32_t key, bool ctrl) override;
    void Character(int32_t code) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDown(int32_t button, int32_t x, int32_t y) override;
    void MouseUp(int32_t button, int32_t x, int32_t y) override;
    void Paint(CCanvas& canvas) override;
    double Opacity() const override;

private:
    void Close(int32_t result);
    int32_t LeftmostButton() const;
    int32_t ButtonAt(int32_t x, int32_t y) const;
    void ComputeLayout();

    EMessageKind m_kind;
    std::string m_function;
    std::string m_text;
    std::array<std::string, 3> m_captions;
    bool m_hasInput;
    std::string m_input;
    bool m_selected = true; // the prefilled text is selected: typing replaces it
    RMessageLayout m_layout;
    int32_t m_inside = 0;   // button under the mouse, 0 none
    int32_t m_down = 0;     // button the mouse went down on
    int32_t m_result = 0;
    bool m_closed = false;
};
