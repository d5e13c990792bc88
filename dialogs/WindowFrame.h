// The frame the runner's own windows draw around themselves when they have a
// border: a thin rim and a caption bar.
#pragma once

#include "dialogs/Canvas.h"

#include <string>

constexpr int32_t kWindowRim = 2;
constexpr int32_t kWindowCaptionBar = 20;

// The whole window for a client area of w × h, with or without the frame.
int32_t Frame_Width(int32_t clientW, bool border);
int32_t Frame_Height(int32_t clientH, bool border);
// The client area of a window placed at window.
RCanvasRect Frame_Client(const RCanvasRect& window, bool border);
// Paints the rim and the caption bar with the caption (Windows-1252).
void Frame_Paint(CCanvas& canvas, const RCanvasRect& window, const std::string& caption);
