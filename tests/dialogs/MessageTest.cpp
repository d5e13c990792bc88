// The message window: its texts, layout, keys and clicks, the functions that
// show it with answers given and not given, and the message_ settings.
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "dialogs/MessageWindow.h"
#include "dialogs/PopupMenu.h"
#include "tests/dialogs/DialogFixture.h"

namespace {

using MessageTest = DialogFixture;

CMessageDialog Choice(const std::string& a, const std::string& b, const std::string& c, bool input = false)
{
    return CMessageDialog(EMessageKind::Choice, "show_message_ext", "Pick", {a, b, c}, input, "7");
}

TEST(MessageText, ValuesAndLineBreaks)
{
    struct {
        RValue value;
        const char* text;
    } cases[] = {{RValue(3.0), "3"},       {RValue(3.25), "3.25"}, {RValue(1.0 / 3), "0.33"},
                 {RValue(-0.0), "0"},      {RValue(-2.5), "-2.50"}, {RValue(1e20), "100000000000000000000"},
                 {RValue("a#b"), "a#b"}};
    for (const auto& c : cases)
        EXPECT_EQ(Message_ValueText(c.value), c.text);

    // "#" breaks the line, "\#" is a "#": the text's height tells the lines.
    CMessageDialog two(EMessageKind::Message, "show_message", "a#b", {"", "OK", ""});
    CMessageDialog one(EMessageKind::Message, "show_message", "a\\#b", {"", "OK", ""});
    EXPECT_EQ(two.Layout().text.h, 2 * one.Layout().text.h);

    EXPECT_EQ(Message_ShortKey("&Yes"), 'Y');
    EXPECT_EQ(Message_ShortKey("S&ave &As"), 'A'); // the last "&" wins
    EXPECT_EQ(Message_ShortKey("Tom && Jerry"), 0);
    EXPECT_EQ(Message_ShortKey("End&"), 0);

    int32_t value = 9;
    struct {
        const char* text;
        bool ok;
        int32_t value;
    } numbers[] = {{"42", true, 42},   {" -17", true, -17}, {"+5", true, 5},     {"$ff", true, 255},
                   {"0x10", true, 16}, {"x", false, 9},     {"", false, 9},      {"12a", false, 9},
                   {"1.5", false, 9},  {"- 5", false, 9},   {"2147483648", false, 9}, {"-2147483648", true, INT32_MIN}};
    for (const auto& n : numbers) {
        value = 9;
        EXPECT_EQ(Dialog_ParseInteger(n.text, value), n.ok) << n.text;
        EXPECT_EQ(value, n.value) << n.text;
    }
}

TEST_F(MessageTest, LayoutFollowsTheStyle)
{
    CMessageDialog dialog = Choice("Yes", "Maybe", "No", true);
    const RMessageLayout& l = dialog.Layout();
    // The default window is the default background's width, centred in the
    // 640 × 480 client area; buttons sit 16 pixels above the bottom.
    EXPECT_EQ(l.client.w, 400);
    EXPECT_EQ(l.client.x, (640 - 400) / 2);
    EXPECT_EQ(l.client.y, (480 - l.client.h) / 2);
    const int32_t top = l.client.h - 25 - 16;
    EXPECT_EQ(l.buttons[0], (RCanvasRect{24, top, 80, 25}));
    EXPECT_EQ(l.buttons[1], (RCanvasRect{160, top, 80, 25}));
    EXPECT_EQ(l.buttons[2], (RCanvasRect{400 - 80 - 24, top, 80, 25}));
    EXPECT_EQ(l.input.y + l.input.h, top - 16);
    EXPECT_EQ(l.client.h, l.text.h + 25 + 48 + l.input.h + 16);

    MessageStyle.fixedWidth = 300;
    MessageStyle.fixedHeight = 200;
    MessageStyle.fixedLeft = 10;
    MessageStyle.fixedTop = 20;
    MessageStyle.border = true;
    CMessageDialog fixed = Choice("", "OK", "");
    EXPECT_EQ(fixed.Layout().client.w, 300);
    EXPECT_EQ(fixed.Layout().client.h, 200);
    EXPECT_EQ(fixed.Layout().window.x, 10);
    EXPECT_EQ(fixed.Layout().window.y, 20);
    EXPECT_GT(fixed.Layout().window.h, 200); // the frame and caption around it
    EXPECT_TRUE(fixed.Layout().buttons[0].w == 0 && fixed.Layout().buttons[2].w == 0);
    MessageStyle = RMessageStyle();
}

TEST_F(MessageTest, KeysAndClicks)
{
    struct {
        const char* a;
        const char* b;
        const char* c;
        bool input;
        int32_t key;
        bool ctrl;
        int32_t character;
        int32_t result;
    } cases[] = {
        {"", "Ok", "", false, 13, false, 0, 2},        // Enter: the leftmost button shown
        {"Yes", "", "No", false, 32, false, 0, 1},     // Space too, without a field
        {"Yes", "", "No", false, 27, false, 0, 0},     // Escape
        {"&Yes", "", "&No", false, 0, false, 'n', 3}, // a short key, either case
        {"&Yes", "", "&No", false, 0, false, 'Y', 1},
        {"&Yes", "", "&No", true, 78, true, 0, 3},    // Ctrl with the key: also with a field
        {"&Yes", "", "&No", true, 0, false, 'n', -1}, // typed into the field instead
        {"", "OK", "", true, 32, false, 0, -1},       // Space types with a field
    };
    for (const auto& c : cases) {
        CMessageDialog dialog = Choice(c.a, c.b, c.c, c.input);
        if (c.key)
            dialog.KeyDown(c.key, c.ctrl);
        if (c.character)
            dialog.Character(c.character);
        EXPECT_EQ(dialog.IsClosed(), c.result >= 0) << c.a << c.key << char(c.character);
        if (c.result >= 0) {
            EXPECT_EQ(dialog.Result(), c.result) << c.a << c.key << char(c.character);
        }
    }

    // Typing replaces the prefilled (selected) text; backspace takes one back.
    CMessageDialog field = Choice("", "OK", "", true);
    field.Character('4');
    field.Character('2');
    field.Character('0');
    field.KeyDown(8, false);
    EXPECT_EQ(field.InputText(), "42");

    // A click is a press and a release on the same button.
    CMessageDialog click = Choice("Yes", "", "No");
    const RMessageLayout& l = click.Layout();
    const int32_t yesX = l.client.x + l.buttons[0].x + 5, noX = l.client.x + l.buttons[2].x + 5;
    const int32_t y = l.client.y + l.buttons[0].y + 5;
    click.MouseDown(1, yesX, y);
    click.MouseUp(1, noX, y);
    EXPECT_FALSE(click.IsClosed());
    click.MouseDown(1, noX, y);
    click.MouseUp(1, noX, y);
    EXPECT_EQ(click.Result(), 3);
}

TEST_F(MessageTest, FunctionsTakeAnswersOrTheirDefaults)
{
    Answer(EDialogAnswer::Button, 1);
    EXPECT_EQ(Call("show_question", {RValue("Go?")}).val, 1);
    EXPECT_EQ(Call("show_question", {RValue("Again?")}).val, 0); // no answer: No
    EXPECT_EQ(Said(), "brindle-run: show_question(\"Again?\"): no answer, takes No (0)\n");

    Answer(EDialogAnswer::Text, 0, "x");
    EXPECT_EQ(Call("get_integer", {RValue("How many?"), RValue(7.0)}).val, 7); // text that is no number
    Answer(EDialogAnswer::Text, 0, "-12");
    EXPECT_EQ(Call("get_integer", {RValue("How many?"), RValue(7.0)}).val, -12);
    EXPECT_EQ(Call("get_string", {RValue("Name?"), RValue("bob")}).str.Text(), "bob");
    EXPECT_EQ(Said(), "brindle-run: get_string(\"Name?\"): no answer, takes \"bob\"\n");
    Answer(EDialogAnswer::Text, 0, "Ann");
    EXPECT_EQ(Call("get_string", {RValue("Name?"), RValue("bob")}).str.Text(), "Ann");

    // An answer that does not fit (a hidden button, text without a field)
    // is said so, and the default is taken.
    Answer(EDialogAnswer::Button, 1);
    EXPECT_EQ(Call("show_message_ext", {RValue("Pick"), RValue(""), RValue("Ok"), RValue("")}).val, 0);
    EXPECT_EQ(Said(), "brindle-run: show_message_ext(\"Pick\"): the input script's answer does not fit this "
                      "dialog, takes Escape (0)\n");
    Answer(EDialogAnswer::Button, 2);
    EXPECT_EQ(Call("show_message_ext", {RValue("Pick"), RValue(""), RValue("Ok"), RValue("")}).val, 2);
    Answer(EDialogAnswer::Cancel);
    Call("show_message", {RValue(1.5)});
    EXPECT_EQ(Said(), "");
    Call("show_message", {RValue(1.5)});
    EXPECT_EQ(Said(), "brindle-run: show_message(\"1.50\"): no answer, closed\n");
}

TEST_F(MessageTest, InputIsClearedAfterEveryDialog)
{
    Input_KeyDown(65);
    Input_Character('a');
    Input_MouseDown(1);
    Call("show_message", {RValue("hi")});
    EXPECT_FALSE(InputState.in_keyHeld[65]);
    EXPECT_FALSE(InputState.in_buttonHeld[1]);
    EXPECT_EQ(InputState.in_typed, "");
    EXPECT_EQ(InputState.in_lastKey, 0);
}

TEST_F(MessageTest, MenusChooseAnEntryOrTheDefault)
{
    CPopupMenu menu("show_menu", "One|-|&Two||Four", 600, 470);
    EXPECT_EQ(menu.Entries(), (std::vector<std::string>{"One", "-", "&Two", "", "Four"}));
    // It opens at the point, moved back inside the window where it would not fit.
    EXPECT_LE(menu.Bounds().x + menu.Bounds().w, 640);
    EXPECT_LE(menu.Bounds().y + menu.Bounds().h, 480);
    menu.KeyDown(40, false); // down: the first entry
    menu.KeyDown(40, false); // past the line to "Two"
    menu.KeyDown(13, false);
    EXPECT_EQ(menu.Chosen(), 2);
    CPopupMenu typed("show_menu", "One|&Two", 0, 0);
    typed.Character('t');
    EXPECT_EQ(typed.Chosen(), 1);

    Answer(EDialogAnswer::Menu, 2);
    EXPECT_EQ(Call("show_menu_pos", {RValue(10.0), RValue(10.0), RValue("a|b|c"), RValue(-1.0)}).val, 2);
    Answer(EDialogAnswer::Menu, 1);
    EXPECT_EQ(Call("show_menu", {RValue("a|-|c"), RValue(9.0)}).val, 9); // a line is no entry
    EXPECT_NE(Said().find("does not fit"), std::string::npos);
    Answer(EDialogAnswer::Cancel);
    EXPECT_EQ(Call("show_menu", {RValue("a|b"), RValue(5.0)}).val, 5);
}

TEST_F(MessageTest, StyleFunctions)
{
    Call("message_background", {RValue(3.0)});
    EXPECT_EQ(Reported(), "Trying to set a non-existing message background");
    Error_Reset();
    Call("message_button", {RValue(0.0)});
    EXPECT_EQ(Reported(), "Trying to set a non-existing message button");
    EXPECT_EQ(MessageStyle.buttonImages[0].Width(), 80); // unchanged

    // A picture that is not fully opaque takes its bottom-left colour as see-through.
    auto back = std::make_unique<CBackground>();
    back->i_bitmap.SetSize(20, 10);
    back->i_bitmap.SetPixel(0, 9, 0x80123456);
    Backgrounds.Add(std::move(back), "bg");
    Call("message_background", {RValue(0.0)});
    EXPECT_TRUE(MessageStyle.keyed);
    EXPECT_EQ(MessageStyle.keyColor, 0x123456u);
    // A sprite of one image serves all three button states.
    auto sprite = std::make_unique<CSprite>();
    sprite->i_bitmap.emplace_back(50, 20);
    Sprites.Add(std::move(sprite), "spr");
    Call("message_button", {RValue(0.0)});
    EXPECT_EQ(MessageStyle.buttonImages[2].Width(), 50);

    struct {
        double alpha;
        int32_t stored;
    } alphas[] = {{0.5, 128}, {1.0, 255}, {2.0, 255}, {-1.0, 0}};
    for (const auto& a : alphas) {
        Call("message_alpha", {RValue(a.alpha)});
        EXPECT_EQ(MessageStyle.alpha, a.stored) << a.alpha;
    }
    Call("message_text_font", {RValue("Courier New"), RValue(-1.0), RValue(255.0), RValue(5.0)});
    EXPECT_EQ(MessageStyle.textFont.name, "Courier New");
    EXPECT_EQ(MessageStyle.textFont.size, 8);     // a negative size keeps it
    EXPECT_FALSE(MessageStyle.textFont.bold);     // style 5 keeps the style
    EXPECT_EQ(MessageStyle.textColor, 255);
    Call("message_button_font", {RValue(""), RValue(12.0), RValue(-1.0), RValue(3.0)});
    EXPECT_EQ(MessageStyle.buttonFont.name, "Arial");
    EXPECT_TRUE(MessageStyle.buttonFont.bold && MessageStyle.buttonFont.italic);
    Call("message_text_charset", {RValue(2.0), RValue(204.0)});
    EXPECT_EQ(MessageStyle.inputFont.charset, 204);
    Call("message_caption", {RValue(0.5), RValue("Note")});
    EXPECT_TRUE(MessageStyle.border);
    EXPECT_EQ(MessageStyle.caption, "Note");
    Backgrounds.Clear();
    Sprites.Clear();
    MessageStyle = RMessageStyle();
}

} // namespace
