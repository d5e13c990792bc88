// A borderless window in the middle of the screen that shows one picture and
// nothing else: the loading window of start-up. Without a display there is
// no such window, and nothing complains: the game loads all the same.
#pragma once

#include <cstdint>
#include <memory>

struct RPictureWindowStyle {
    int32_t w = 0, h = 0;       // the client area, which the picture fills
    bool colorKey = false;      // pixels of keyColor are see-through, where the window system can do it
    uint32_t keyColor = 0;      // 0xRRGGBB
    double opacity = 1.0;       // of the whole window, 0..1
};

class IPictureWindow {
public:
    virtual ~IPictureWindow() = default;
    // pixels: w × h of the style, blue, green, red, alpha bytes, rows from the top.
    virtual void ShowPicture(const uint8_t* pixels) = 0;
    // Lets the window system repaint; events for the window are dropped.
    virtual void HandleMessages() = 0;
};

// Shown at once with a busy cursor; null when there is no display.
std::unique_ptr<IPictureWindow> Platform_OpenPictureWindow(const RPictureWindowStyle& style);
