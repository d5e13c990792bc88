// Virtual keys from platform keys, the own key table, Windows-1252 text and
// joysticks. Scancodes are USB HID usages, the platform's own numbering.
#include "platform/TextEncoding.h"
#include "platform/Joysticks.h"
#include "platform/Keys.h"

#include <gtest/gtest.h>

namespace {

// A few HID usages.
enum : int32_t {
    kHidA = 4,
    kHidQ = 20,
    kHid1 = 30,
    kHid0 = 39,
    kHidReturn = 40,
    kHidEscape = 41,
    kHidMinus = 45,
    kHidF1 = 58,
    kHidF12 = 69,
    kHidLeft = 80,
    kHidKeypad1 = 89,
    kHidKeypad5 = 93,
    kHidKeypad0 = 98,
    kHidKeypadPeriod = 99,
    kHidKeypadEnter = 88,
    kHidLeftControl = 224,
    kHidRightShift = 229,
    kHidRightAlt = 230,
};

TEST(Keys, VirtualKeysFollowLettersAndDigitsByKeyAndTheRestByPosition)
{
    struct {
        int32_t key, scancode;
        bool numLock;
        int32_t code, sided;
    } cases[] = {
        {'a', kHidA, true, 'A', 'A'},
        {'a', kHidQ, true, 'A', 'A'},        // a French layout: the Q position types a
        {0x444, kHidQ, true, 'Q', 'Q'},      // a Cyrillic letter: by position
        {'1', kHid1, true, '1', '1'},
        {'&', kHid1, true, '1', '1'},        // a French top row types & unshifted
        {'0', kHid0, true, '0', '0'},
        {13, kHidReturn, true, 13, 13},
        {27, kHidEscape, true, 27, 27},
        {'-', kHidMinus, true, 189, 189},
        {0, kHidF1, true, 112, 112},
        {0, kHidF12, true, 123, 123},
        {0, kHidLeft, true, 37, 37},
        {0, kHidKeypad1, true, 97, 97},
        {0, kHidKeypad1, false, 35, 35},     // End, as printed on the key
        {0, kHidKeypad5, false, 12, 12},     // Clear
        {0, kHidKeypad0, true, 96, 96},
        {0, kHidKeypad0, false, 45, 45},
        {0, kHidKeypadPeriod, false, 46, 46},
        {0, kHidKeypadEnter, false, 13, 13},
        {0, kHidLeftControl, true, 17, 162},
        {0, kHidRightShift, true, 16, 161},
        {0, kHidRightAlt, true, 18, 165},
        {0, 300, true, 0, 0},                // no virtual key
    };
    for (const auto& c : cases) {
        RVirtualKey key = Platform_TranslateKey(c.key, c.scancode, c.numLock);
        EXPECT_EQ(key.code, c.code) << c.key << "/" << c.scancode;
        EXPECT_EQ(key.sided, c.sided) << c.key << "/" << c.scancode;
    }
}

TEST(Keys, InjectedKeysQueueInOrderAndShowInDirectChecks)
{
    Platform_ResetKeys();
    bool numLock = Platform_NumLock();
    Platform_InjectKey('A', true);
    Platform_InjectKey(300, true); // not a key
    Platform_InjectKey(144, true);
    Platform_InjectKey(144, true); // held: no second flip
    Platform_InjectKey(144, false);
    Platform_InjectKey(162, true); // left Ctrl answers for Ctrl too
    EXPECT_TRUE(Platform_IsKeyDown('A'));
    EXPECT_TRUE(Platform_IsKeyDown(17));
    EXPECT_FALSE(Platform_IsKeyDown(163));
    EXPECT_FALSE(Platform_IsKeyDown(-1));
    EXPECT_NE(Platform_NumLock(), numLock);
    int32_t code = 0;
    bool down = false;
    std::vector<std::pair<int32_t, bool>> taken;
    while (Platform_TakeInjectedKey(code, down))
        taken.emplace_back(code, down);
    EXPECT_EQ(taken, (std::vector<std::pair<int32_t, bool>>{
                         {'A', true}, {144, true}, {144, true}, {144, false}, {162, true}}));
    Platform_ResetKeys();
    EXPECT_FALSE(Platform_IsKeyDown('A'));
    EXPECT_EQ(Platform_NumLock(), numLock);
}

TEST(Keys, Utf8BecomesWindows1252)
{
    struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"plain", "plain"},
        {"\xC3\xA9", "\xE9"},         // é
        {"\xE2\x82\xAC", "\x80"},     // €
        {"\xE2\x80\x9C", "\x93"},     // left double quote
        {"\xE4\xB8\xAD", "?"},        // a character the code page lacks
        {"\xF0\x9F\x98\x80", "?"},    // beyond the first plane
        {"a\xC3", "a?"},              // cut short
        {"\x80z", "?z"},              // a stray continuation byte
        {"\xC3(", "?("},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

TEST(Joysticks, VirtualStickReadsLikeARealOne)
{
    if (!Platform_AttachVirtualJoystick(6, 12, 1))
        GTEST_SKIP() << "this platform cannot make a virtual joystick";
    Platform_SetVirtualJoystickAxis(0, -32768);
    Platform_SetVirtualJoystickAxis(1, 32767);
    Platform_SetVirtualJoystickButton(2, true);
    Platform_SetVirtualJoystickHat(0, 2 | 4); // right and down
    // The virtual stick comes after any real one.
    RJoystickState state;
    int32_t index = 0;
    while (Platform_ReadJoystick(index + 1, state))
        ++index;
    ASSERT_TRUE(Platform_ReadJoystick(index, state));
    EXPECT_EQ(state.axes, 6);
    EXPECT_EQ(state.buttons, 12);
    EXPECT_TRUE(state.hasPov);
    EXPECT_EQ(state.position[0], 0);
    EXPECT_EQ(state.position[1], 65535);
    EXPECT_EQ(state.buttonBits, 1u << 2);
    EXPECT_EQ(state.pov, 13500);
    Platform_SetVirtualJoystickHat(0, 0);
    ASSERT_TRUE(Platform_ReadJoystick(index, state));
    EXPECT_EQ(state.pov, kPovCentred);
    // Detached, and the real sticks before it keep their places.
    Platform_CloseJoysticks();
    EXPECT_FALSE(Platform_ReadJoystick(index, state));
    Platform_CloseJoysticks();
}

} // namespace
