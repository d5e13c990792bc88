// What the tests through the real OpenGL device share: opening a display on
// SDL's offscreen driver and comparing pixels within a small tolerance.
#pragma once

#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "tests/support/TestSupport.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

// Opens a w × h display with the draw state reset; null when it is open,
// else why the test must be skipped.
inline const char* OpenGlDisplay(int32_t w, int32_t h)
{
    std::unique_ptr<IGameWindow> window = Platform_OpenGameWindow(false);
    if (window->IsHeadless())
        return "no video system to open a window with";
    Display_Open(std::move(window));
    CMessageCapture capture;
    if (!Display_CreateDevice(w, h, false))
        return "no OpenGL 3.3 core context";
    Draw_ResetState(false);
    Draw_ApplyState();
    return nullptr;
}

// Every channel within ±2.
inline ::testing::AssertionResult Near(uint32_t actual, uint32_t expected)
{
    for (int shift = 0; shift < 32; shift += 8) {
        int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 2)
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}
