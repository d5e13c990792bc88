// The input picture, its events and functions, in a running room.
#include "tests/world/RunningGameFixture.h"

#include "data/GameData.h"
#include "data/GameSettings.h"
#include "world/GameKeys.h"
#include "world/Input.h"
#include "world/Rooms.h"

#include <filesystem>

namespace {

constexpr int32_t kLeft = 37, kEscape = 27;

// An object whose listed events each show their own name, followed by the
// instance's x when showX (to tell instances apart).
std::string LogObject(const std::string& name, const std::vector<std::string>& events, bool showX = false)
{
    std::string toml = "[[object]]\nname = \"" + name + "\"\n";
    for (const std::string& on : events) {
        toml += "[[object.event]]\non = \"" + on + "\"\ncode = \"show_debug_message('" + on + "'" +
                (showX ? " + ' ' + string(x)" : "") + ");\"\n";
    }
    return toml;
}

std::string RoomWith(const std::string& object, const std::vector<std::pair<int, int>>& places)
{
    std::string toml = "[[room]]\nname = \"rm_test\"\nwidth = 640\nheight = 480\n";
    for (auto [x, y] : places)
        toml += "[[room.instance]]\nobject = \"" + object + "\"\nx = " + std::to_string(x) +
                "\ny = " + std::to_string(y) + "\n";
    return toml;
}

using Lines = std::vector<std::string>;

class InputTest : public RunningGameFixture {
protected:
    void StartWithEvents(const std::vector<std::string>& events, const std::string& extra = "")
    {
        LoadGame(extra + LogObject("obj_log", events) + RoomWith("obj_log", {{0, 0}}));
        StartGame();
        TakeMessages();
    }
    double Real(const std::string& expression) { return Evaluate(expression).val; }
    std::string Text(const std::string& expression) { return Evaluate(expression).str.Text(); }
};

TEST_F(InputTest, KeyTappedBetweenStepsRaisesHeldPressedAndReleasedInOneStep)
{
    StartWithEvents({"keyboard[vk_left]", "keypress[vk_left]", "keyrelease[vk_left]", "keyboard[vk_nokey]",
                     "keyboard[vk_anykey]", "keypress[vk_anykey]", "keyrelease[vk_anykey]"});
    Input_KeyDown(kLeft);
    Input_KeyUp(kLeft);
    EXPECT_EQ(Real("keyboard_check(vk_left)"), 0);
    EXPECT_EQ(Real("keyboard_check_pressed(vk_left)"), 1);
    EXPECT_EQ(Real("keyboard_check_released(vk_left)"), 1);
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"keyboard[vk_left]", "keyboard[vk_anykey]", "keypress[vk_left]",
                                     "keypress[vk_anykey]", "keyrelease[vk_left]", "keyrelease[vk_anykey]"}));
    // The end of the step forgot the press and the release.
    EXPECT_EQ(Real("keyboard_check_pressed(vk_left) + keyboard_check_released(vk_left)"), 0);
    EXPECT_EQ(Real("keyboard_lastkey"), kLeft);
    Step(2);
    EXPECT_EQ(TakeMessages(), (Lines{"keyboard[vk_nokey]", "keyboard[vk_nokey]"}));
}

TEST_F(InputTest, HeldKeyPressesOnceWhateverThePlatformRepeats)
{
    StartWithEvents({"keyboard[vk_left]", "keypress[vk_left]", "keyrelease[vk_left]"});
    Input_KeyDown(kLeft);
    Step();
    Input_KeyDown(kLeft); // auto-repeat
    Input_KeyDown(kLeft);
    Step();
    Input_KeyUp(kLeft);
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"keyboard[vk_left]", "keypress[vk_left]", "keyboard[vk_left]",
                                     "keyrelease[vk_left]"}));
    EXPECT_EQ(Real("keyboard_key"), 0);
}

TEST_F(InputTest, WhichCodesCountForAnyKey)
{
    StartWithEvents({"keyboard[vk_nokey]", "keyboard[vk_anykey]"});
    struct {
        int32_t code;
        const char* raised;
    } cases[] = {
        {3, "keyboard[vk_nokey]"},    // codes below 8 raise nothing, not even <any key>
        {8, "keyboard[vk_anykey]"},
        {160, "keyboard[vk_anykey]"}, // beyond the event lists, yet some key
        {255, "keyboard[vk_anykey]"},
    };
    for (const auto& c : cases) {
        Input_KeyDown(c.code);
        Step();
        EXPECT_EQ(TakeMessages(), Lines{c.raised}) << c.code;
        Input_KeyUp(c.code);
        Step();
        TakeMessages();
    }
}

TEST_F(InputTest, KeyMapTurnsOneKeyIntoAnother)
{
    StartWithEvents({"keypress[A]", "keypress[B]"});
    Run("keyboard_set_map(ord('A'), ord('B')); keyboard_set_map(300, 1); keyboard_set_map(ord('C'), 999);");
    EXPECT_EQ(Real("keyboard_get_map(ord('A'))"), 'B');
    EXPECT_EQ(Real("keyboard_get_map(300)"), 300);
    EXPECT_EQ(Real("keyboard_get_map(-5)"), -5);
    Input_KeyDown('A');
    EXPECT_EQ(Real("keyboard_key"), 'B');
    Step();
    EXPECT_EQ(TakeMessages(), Lines{"keypress[B]"});
    // A key mapped outside 0..255 is not a key at all.
    Input_KeyDown('C');
    EXPECT_EQ(Real("keyboard_lastkey"), 'B');
    Run("keyboard_unset_map();");
    EXPECT_EQ(Real("keyboard_get_map(ord('A'))"), 'A');
}

TEST_F(InputTest, TypedTextKeepsTheNewestCharacters)
{
    StartWithEvents({});
    Input_Character(8); // backspace on nothing
    EXPECT_EQ(Text("keyboard_string"), "");
    EXPECT_EQ(Real("ord(keyboard_lastchar)"), 8);
    size_t longest = 0;
    for (int k = 0; k < 1100; ++k) {
        Input_Character('a' + k % 26);
        longest = std::max(longest, InputState.in_typed.size());
    }
    EXPECT_EQ(longest, kTypedTextKept + 1);
    std::string typed = Text("keyboard_string");
    ASSERT_EQ(typed.size(), kTypedTextKept + 1);
    EXPECT_EQ(typed.back(), 'a' + 1099 % 26);
    Input_Character(8);
    EXPECT_EQ(Text("keyboard_string").size(), kTypedTextKept - 1);
    // Control characters other than backspace are not text; Windows-1252 letters are.
    Run("keyboard_string = '';");
    for (int32_t c : {9, 13, 27, 0xE9})
        Input_Character(c);
    EXPECT_EQ(Text("keyboard_string"), "\xE9");
}

TEST_F(InputTest, VariablesIgnoreWritesOutsideTheirRange)
{
    StartWithEvents({});
    struct {
        const char* assignment;
        const char* variable;
        double expected;
    } cases[] = {
        {"keyboard_key = 65", "keyboard_key", 65},       {"keyboard_key = 256", "keyboard_key", 65},
        {"keyboard_lastkey = 255", "keyboard_lastkey", 255}, {"keyboard_lastkey = -1", "keyboard_lastkey", 255},
        {"mouse_button = 3", "mouse_button", 3},         {"mouse_button = 0", "mouse_button", 3},
        {"mouse_lastbutton = 2", "mouse_lastbutton", 2}, {"mouse_lastbutton = 4", "mouse_lastbutton", 2},
    };
    for (const auto& c : cases) {
        Run(std::string(c.assignment) + ";");
        EXPECT_EQ(Real(c.variable), c.expected) << c.assignment;
    }
    Run("keyboard_lastchar = 'xyz'; keyboard_lastchar = '';");
    EXPECT_EQ(Text("keyboard_lastchar"), "x");
    Run("keyboard_string = 'typed';");
    EXPECT_EQ(Text("keyboard_string"), "typed");
}

TEST_F(InputTest, CheckFunctionsTakePseudoCodes)
{
    StartWithEvents({});
    struct {
        const char* expression;
        double before, after; // before and after A and the right button go down
    } cases[] = {
        {"keyboard_check(vk_nokey)", 1, 0},    {"keyboard_check(vk_anykey)", 0, 1},
        {"keyboard_check(ord('A'))", 0, 1},    {"keyboard_check(256)", 0, 0},
        {"keyboard_check(-1)", 0, 0},          {"keyboard_check_pressed(vk_anykey)", 0, 1},
        {"mouse_check_button(mb_any)", 0, 1},  {"mouse_check_button(mb_none)", 1, 0},
        {"mouse_check_button(mb_right)", 0, 1}, {"mouse_check_button(4)", 0, 0},
        {"mouse_check_button_pressed(mb_any)", 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Real(c.expression), c.before) << c.expression;
    Input_KeyDown('A');
    Input_MouseDown(2);
    Input_MouseDown(4); // not a button of the game
    for (const auto& c : cases)
        EXPECT_EQ(Real(c.expression), c.after) << c.expression;
}

TEST_F(InputTest, ReleasingAnyButtonClearsTheCurrentButton)
{
    StartWithEvents({});
    Input_MouseDown(1);
    Input_MouseDown(2);
    Input_MouseUp(2);
    EXPECT_EQ(Real("mouse_button"), 0);
    EXPECT_EQ(Real("mouse_lastbutton"), 2);
    EXPECT_EQ(Real("mouse_check_button(mb_left)"), 1);
}

TEST_F(InputTest, FullClearForgetsEverythingButTheMap)
{
    StartWithEvents({});
    Run("keyboard_set_map(ord('A'), ord('B'));");
    Input_KeyDown('A');
    Input_Character('q');
    Input_MouseDown(1);
    Input_Wheel(1);
    Run("io_clear();");
    EXPECT_EQ(Real("keyboard_key + keyboard_lastkey + keyboard_check(vk_anykey) + mouse_button + mouse_lastbutton"), 0);
    EXPECT_EQ(Real("mouse_check_button(mb_any) + mouse_check_button_pressed(mb_any) + mouse_wheel_up()"), 0);
    EXPECT_EQ(Text("keyboard_string + keyboard_lastchar"), "");
    EXPECT_EQ(Real("keyboard_get_map(ord('A'))"), 'B');
}

TEST_F(InputTest, ClearOneKeyOrButton)
{
    StartWithEvents({});
    Input_KeyDown('A');
    Input_KeyDown('B');
    Input_MouseDown(1);
    Input_MouseDown(3);
    Run("keyboard_clear(ord('A')); mouse_clear(mb_left); keyboard_clear(999); mouse_clear(mb_any);");
    EXPECT_EQ(Real("keyboard_check(ord('A')) + keyboard_check_pressed(ord('A'))"), 0);
    EXPECT_EQ(Real("keyboard_check(ord('B'))"), 1);
    EXPECT_EQ(Real("mouse_check_button(mb_left)"), 0);
    EXPECT_EQ(Real("mouse_check_button(mb_middle)"), 1);
}

TEST_F(InputTest, InactiveWindowClearsInputAtTheStartOfEveryStep)
{
    StartWithEvents({"keyboard[vk_left]", "keyboard[vk_nokey]"});
    static bool active = true;
    InputHooks.windowActive = [] { return active; };
    Input_KeyDown(kLeft);
    Input_Character('x');
    active = false;
    Step();
    EXPECT_EQ(TakeMessages(), Lines{"keyboard[vk_nokey]"});
    EXPECT_EQ(Text("keyboard_string"), "");
    active = true;
    Input_KeyDown(kLeft);
    Step();
    EXPECT_EQ(TakeMessages(), Lines{"keyboard[vk_left]"});
}

TEST_F(InputTest, FreezeWhenInactiveSkipsWholeSteps)
{
    StartWithEvents({"step"}, "[window]\nfreeze_when_inactive = true\n");
    static bool active = false;
    InputHooks.windowActive = [] { return active; };
    Step(2);
    EXPECT_TRUE(TakeMessages().empty());
    active = true;
    Step();
    EXPECT_EQ(TakeMessages(), Lines{"step"});
}

TEST_F(InputTest, EnteringARoomClearsInput)
{
    LoadGame(LogObject("obj_log", {"keyboard[vk_left]"}) + RoomWith("obj_log", {{0, 0}}) +
             "[[room]]\nname = \"rm_second\"\n[[room.instance]]\nobject = \"obj_log\"\n");
    StartGame();
    Input_KeyDown(kLeft);
    Room_Goto(1, 0);
    ASSERT_TRUE(Room_CarryOutPendingChange());
    Step();
    EXPECT_TRUE(TakeMessages().empty());
}

// What the game keys called, for the test below.
std::string Called;

TEST_F(InputTest, GameKeysActOnlyWhenTheSettingsAllow)
{
    LoadGame("[game]\nid = 4242\n" + LogObject("obj_log", {"keypress[vk_f4]"}) + RoomWith("obj_log", {{0, 0}}));
    StartGame();
    // The screenshot's name depends on the files of the working directory.
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(w_folder.Path());
    GameKeys.showInformation = [] { Called += "information;"; };
    GameKeys.toggleFullScreen = [] { Called += "full screen;"; };
    GameKeys.saveGame = [](const std::string& file) { Called += "save " + file + ";"; };
    GameKeys.loadGame = [](const std::string& file) { Called += "load " + file + ";"; };
    GameKeys.saveScreenshot = [](const std::string& file) { Called += "screenshot " + file + ";"; };
    struct {
        int32_t key;
        bool allowed;
        const char* called;
    } cases[] = {
        {112, true, "information;"},           {112, false, ""},
        {115, true, "full screen;"},           {115, false, ""},
        {116, true, "save _save4242.sav;"},    {117, true, "load _save4242.sav;"},
        {117, false, ""},                      {120, true, "screenshot screenshot100.png;"},
        {120, false, ""},                      {65, true, ""},
    };
    for (const auto& c : cases) {
        Settings.KeyF1Information = Settings.KeyF4FullScreen = Settings.KeyF5SaveF6Load = Settings.KeyF9Screenshot =
            c.allowed;
        Called.clear();
        Input_KeyDown(c.key);
        Input_Character('z');
        Step();
        EXPECT_EQ(Called, c.called) << c.key;
        // A key the runner took is gone for the game; one it left stays the last key.
        bool taken = *c.called != '\0';
        EXPECT_EQ(Real("keyboard_lastkey"), taken ? 0 : c.key) << c.key;
        if (c.key == 112) {
            EXPECT_EQ(Text("keyboard_string"), taken ? "" : "z"); // the information window clears input
        }
        Input_KeyUp(c.key);
        Run("io_clear();");
        Step();
        TakeMessages();
    }
    std::filesystem::current_path(previous);
    EXPECT_FALSE(IsChangePending());
}

TEST_F(InputTest, EscEndsTheGameBeforeTheStepRuns)
{
    StartWithEvents({"begin_step", "keypress[vk_escape]"});
    Input_KeyDown(kEscape);
    Step();
    EXPECT_EQ(PendingRoomChange, kChangeEnd);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(InputTest, ScreenshotNameSkipsFilesThatExist)
{
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(w_folder.Path());
    w_folder.Write("screenshot100.png", std::string("x"));
    w_folder.Write("screenshot101.png", std::string("x"));
    std::string name = GameKeys_ScreenshotFileName();
    std::filesystem::current_path(previous);
    EXPECT_EQ(name, "screenshot102.png");
}

TEST_F(InputTest, CloseButtonStandsInForEsc)
{
    StartWithEvents({"keyboard[vk_escape]", "keypress[vk_escape]", "keyrelease[vk_escape]", "keyboard[vk_nokey]"},
                    "[keys]\nesc_ends_game = false\n");
    Input_CloseButton();
    EXPECT_EQ(Real("keyboard_lastkey"), kEscape);
    EXPECT_EQ(Real("keyboard_key"), kEscape);
    Step();
    // Held without a press; and since no one will ever let it go, the
    // runner does after one step instead of leaving it held for good.
    EXPECT_EQ(TakeMessages(), Lines{"keyboard[vk_escape]"});
    EXPECT_EQ(Real("keyboard_check(vk_escape) + keyboard_key"), 0);
    Step();
    EXPECT_EQ(TakeMessages(), Lines{"keyboard[vk_nokey]"});

    // A real Esc pressed after the close button is the player's to release.
    Input_CloseButton();
    Input_KeyDown(kEscape);
    Step(2);
    EXPECT_EQ(Real("keyboard_check(vk_escape)"), 1);
}

TEST_F(InputTest, CloseButtonEndsTheGameThroughEsc)
{
    StartWithEvents({});
    Input_CloseButton();
    Step();
    EXPECT_EQ(PendingRoomChange, kChangeEnd);
}

TEST_F(InputTest, CloseButtonRaisesItsEventWhenNotEsc)
{
    StartWithEvents({"other[close_button]"}, "[keys]\nclose_button_acts_as_esc = false\n");
    Input_CloseButton();
    EXPECT_EQ(TakeMessages(), Lines{"other[close_button]"});
    EXPECT_EQ(Real("keyboard_lastkey"), 0);
}

TEST_F(InputTest, OverlayTakesTheCloseButtonAndIgnoresNotifications)
{
    StartWithEvents({"other[close_button]"}, "[keys]\nclose_button_acts_as_esc = false\n");
    static int closed = 0;
    InputHooks.overlayShowing = [] { return true; };
    InputHooks.closeOverlay = [] { ++closed; };
    Input_CloseButton();
    Input_KeyDown('A');
    Input_MouseDown(1);
    Input_Character('a');
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Real("keyboard_lastkey + mouse_lastbutton + string_length(keyboard_string)"), 0);
}

TEST_F(InputTest, WindowEventsBecomeVirtualKeysAndCharacters)
{
    StartWithEvents({});
    auto key = [](EWindowEvent kind, int32_t sym, int32_t scancode) {
        RWindowEvent event;
        event.kind = kind;
        event.key = sym;
        event.scancode = scancode;
        Input_HandleWindowEvent(event);
    };
    RWindowEvent text;
    text.kind = EWindowEvent::Text;
    text.text = "h\xC3\xA9"; // "hé" in UTF-8
    Input_HandleWindowEvent(text);
    key(EWindowEvent::KeyDown, 'a', 4); // the A key types nothing itself: text does
    EXPECT_EQ(Real("keyboard_lastkey"), 'A');
    key(EWindowEvent::KeyDown, 8, 42); // Backspace types its character
    key(EWindowEvent::KeyUp, 8, 42);
    EXPECT_EQ(Text("keyboard_string"), "h");
    EXPECT_EQ(Real("keyboard_check_released(vk_backspace)"), 1);
    RWindowEvent wheel;
    wheel.kind = EWindowEvent::MouseWheel;
    wheel.wheel = -1;
    Input_HandleWindowEvent(wheel);
    EXPECT_EQ(Real("mouse_wheel_down() - mouse_wheel_up()"), 1);
}

TEST_F(InputTest, InjectedKeysArriveWithTheNextMessages)
{
    StartWithEvents({});
    Run("keyboard_key_press(ord('K')); keyboard_key_press(300);");
    EXPECT_EQ(Real("keyboard_check_direct(ord('K'))"), 1);
    EXPECT_EQ(Real("keyboard_check(ord('K'))"), 0);
    Run("io_handle();");
    EXPECT_EQ(Real("keyboard_check(ord('K'))"), 1);
    Run("keyboard_key_release(ord('K')); io_handle();");
    EXPECT_EQ(Real("keyboard_check(ord('K')) + keyboard_check_direct(ord('K'))"), 0);
    EXPECT_EQ(Real("keyboard_check_released(ord('K'))"), 1);

    double numLock = Real("keyboard_get_numlock()");
    Run("keyboard_set_numlock(!keyboard_get_numlock());");
    EXPECT_EQ(Real("keyboard_get_numlock()"), 1 - numLock);
    Run("keyboard_set_numlock(keyboard_get_numlock());"); // already so: nothing injected
    Run("io_clear(); io_handle();");
    EXPECT_EQ(Real("keyboard_lastkey"), 0);
}

TEST_F(InputTest, WaitingEndsWhenInputComesOrCannotCome)
{
    StartWithEvents({});
    Run("keyboard_wait(); mouse_wait();"); // nothing installed: nothing can come
    EXPECT_EQ(Real("keyboard_lastkey"), 0);
    static int polls = 0;
    polls = 0;
    InputHooks.waitForInput = [] {
        if (++polls == 3)
            Input_MouseDown(1);
        if (polls == 5)
            Input_KeyDown('W');
        return polls < 10;
    };
    Run("mouse_wait();");
    EXPECT_EQ(polls, 3);
    Run("keyboard_wait();");
    EXPECT_EQ(polls, 5);
    EXPECT_EQ(Real("keyboard_lastkey"), 'W');
    Run("keyboard_wait();"); // gives up when the hook says nothing more can come
    EXPECT_EQ(polls, 10);
}

class MouseStageTest : public InputTest {
protected:
    void SetUp() override
    {
        InputTest::SetUp();
        // Two instances of a 16-pixel sprite whose bottom-right quarter is transparent.
        LoadGame(LogObject("obj_button",
                           {"mouse[left_button]", "mouse[no_button]", "mouse[left_press]", "mouse[left_release]",
                            "mouse[global_left_button]", "mouse[global_press]", "mouse[global_left_release]",
                            "mouse[mouse_enter]", "mouse[mouse_leave]", "mouse[mouse_wheel_up]"},
                           true) +
                 RoomWith("obj_button", {{100, 100}, {300, 100}}));
        AddSprite(16, [](int x, int y) { return x < 8 || y < 8; }, {"obj_button"});
        StartGame();
        InputHooks.mouseInRoom = [](int32_t& x, int32_t& y) {
            x = MouseX;
            y = MouseY;
        };
        MouseX = MouseY = -50;
        Step();
        TakeMessages();
    }
    static inline int32_t MouseX = 0, MouseY = 0;
};

TEST_F(MouseStageTest, LocalEventsReachOnlyTheInstanceUnderThePointer)
{
    MouseX = MouseY = 104;
    Input_MouseDown(1);
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"mouse[left_button] 100", "mouse[global_left_button] 100",
                                     "mouse[global_left_button] 300", "mouse[left_press] 100",
                                     "mouse[global_press] 100", "mouse[global_press] 300",
                                     "mouse[mouse_enter] 100"}));
    EXPECT_EQ(Real("mouse_x * 1000 + mouse_y"), 104104);
    // Into the transparent corner: inside the box, off the mask.
    MouseX = MouseY = 112;
    Input_MouseUp(1);
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"mouse[global_left_release] 100", "mouse[global_left_release] 300",
                                     "mouse[mouse_leave] 100"}));
    Input_Wheel(1);
    MouseX = 305;
    MouseY = 101;
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"mouse[no_button] 300", "mouse[mouse_enter] 300", "mouse[mouse_wheel_up] 100",
                                     "mouse[mouse_wheel_up] 300"}));
}

TEST_F(InputTest, PointerSeenForTheFirstTimeEntersButNeverLeaves)
{
    LoadGame(LogObject("obj_area", {"mouse[mouse_enter]", "mouse[mouse_leave]"}, true) +
             RoomWith("obj_area", {{0, 0}, {200, 0}}));
    AddSprite(8, [](int, int) { return true; }, {"obj_area"});
    StartGame();
    InputHooks.mouseInRoom = [](int32_t& x, int32_t& y) {
        x = 203;
        y = 3;
    };
    Step(2);
    EXPECT_EQ(TakeMessages(), Lines{"mouse[mouse_enter] 200"});
}

TEST_F(MouseStageTest, GlobalReleaseComesOncePerButton)
{
    Input_MouseDown(1);
    Input_MouseDown(3);
    Input_MouseUp(1);
    Input_MouseUp(3);
    Step();
    Lines messages = TakeMessages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "mouse[global_press] 100"), 2);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "mouse[global_left_release] 100"), 1);
}

class JoystickTest : public InputTest {
protected:
    static inline RJoystickState Sticks[2];
    static inline bool Present[2] = {false, false};
    void SetUp() override
    {
        InputTest::SetUp();
        Present[0] = Present[1] = false;
        InputHooks.readJoystick = [](int32_t index, RJoystickState& state) {
            state = Sticks[index];
            return Present[index];
        };
    }
    static void Place(int index, int32_t x, int32_t y, uint32_t buttons = 0, int32_t pov = kPovCentred)
    {
        Present[index] = true;
        Sticks[index] = RJoystickState();
        Sticks[index].name = "stick " + std::to_string(index + 1);
        Sticks[index].axes = 6;
        Sticks[index].buttons = 12;
        Sticks[index].hasPov = true;
        Sticks[index].position = {x, y, 32767, 0, 65535, 32767};
        Sticks[index].buttonBits = buttons;
        Sticks[index].pov = pov;
    }
};

TEST_F(JoystickTest, EventsFollowThePositionAndButtonsOfEachStick)
{
    StartWithEvents({"mouse[joystick1_left]", "mouse[joystick1_right]", "mouse[joystick1_up]", "mouse[joystick1_down]",
                     "mouse[joystick1_button1]", "mouse[joystick1_button8]", "mouse[joystick2_right]",
                     "mouse[joystick2_button2]"});
    Place(0, 19999, 44001, 0x81);
    Place(1, 44001, 32767, 0x102); // button 9 has no event
    Step();
    EXPECT_EQ(TakeMessages(), (Lines{"mouse[joystick1_left]", "mouse[joystick1_down]", "mouse[joystick1_button1]",
                                     "mouse[joystick1_button8]", "mouse[joystick2_right]",
                                     "mouse[joystick2_button2]"}));
    Place(0, 20000, 44000);
    Present[1] = false;
    Step();
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(JoystickTest, FunctionsReadTheStick)
{
    StartWithEvents({});
    EXPECT_EQ(Real("joystick_exists(1) + joystick_axes(1) + joystick_xpos(1)"), 0);
    EXPECT_EQ(Real("joystick_direction(1)"), 101);
    EXPECT_EQ(Real("joystick_pov(1)"), -1);
    EXPECT_EQ(Text("joystick_name(1)"), "");
    Place(0, 32767, 0, 0x2, 9000);
    Place(1, 0, 65535);
    struct {
        const char* expression;
        double expected;
    } cases[] = {
        {"joystick_exists(1)", 1},         {"joystick_exists(7)", 1}, // every id but 2 is the first
        {"joystick_axes(1)", 6},           {"joystick_buttons(1)", 12},
        {"joystick_has_pov(1)", 1},        {"joystick_xpos(1)", 0},
        {"joystick_ypos(1)", -1},          {"joystick_upos(1)", 65535.0 / 32767.0 - 1.0},
        {"joystick_pov(1)", 90},           {"joystick_direction(1)", 104},
        {"joystick_direction(2)", 97},     {"joystick_check_button(1, 2)", 1},
        {"joystick_check_button(1, 1)", 0}, {"joystick_check_button(1, 33)", 0},
        {"joystick_check_button(1, 0)", 0}, {"joystick_pov(2)", -1},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Real(c.expression), c.expected) << c.expression;
    EXPECT_EQ(Text("joystick_name(2)"), "stick 2");
}

} // namespace
