// Small picture files made in memory for tests: GIFs frame by frame, with
// a fixed palette, and damaged forms of any file.
#pragma once

#include <cstdint>
#include <vector>

// Palette indices of the GIFs made here.
enum : uint8_t { kGifBlack = 0, kGifRed = 1, kGifGreen = 2, kGifBlue = 3 };

struct RGifFrame {
    int left = 0, top = 0, width = 1, height = 1;
    int disposal = 0;     // 0 unspecified, 1 keep, 2 background, 3 previous
    int transparent = -1; // palette index shown as nothing, or -1
    bool interlaced = false;
    std::vector<uint8_t> pixels; // width × height palette indices, rows from the top
};

std::vector<uint8_t> Test_MakeGif(int screenWidth, int screenHeight, const std::vector<RGifFrame>& frames);

// A grey JPEG of width × height pixels.
std::vector<uint8_t> Test_MakeJpeg(int width, int height, uint8_t grey);
