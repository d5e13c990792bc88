// GameSettings: the author's choices for how the game is presented and run,
// read once as the first block of the game data. Only ShowCursor changes
// afterwards; the window functions change the live window, not this record.
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>
#include <memory>

class CStream;

struct GameSettings {
    static constexpr int32_t kVersion = 800;

    bool FullScreen = false;
    bool Interpolate = false;
    bool NoBorder = false;
    bool ShowCursor = true;
    int32_t Scaling = 100;          // percent; 0 fills the window, negative keeps the aspect ratio
    bool Sizeable = false;
    bool StayOnTop = false;
    int32_t WindowColor = 0xFFFFFF; // 0x00BBGGRR outside the drawn region
    bool SetDisplayMode = false;
    int32_t ColorDepth = 0;         // 0 keep, 1 16 bits, 2 32 bits
    int32_t Resolution = 0;         // 0 keep, 1 320×240 ... 6 1600×1200
    int32_t Frequency = 0;          // 0 keep, 1 60 Hz ... 5 120 Hz
    bool NoCaptionButtons = false;
    bool VerticalSync = false;
    bool NoScreenSaver = true;
    bool KeyF4FullScreen = true;
    bool KeyF1Information = true;
    bool KeyEscEnds = true;
    bool KeyF5SaveF6Load = true;
    bool KeyF9Screenshot = true;
    bool CloseButtonAsEsc = true;
    int32_t Priority = 0;           // 0 normal, 1 high, 2 highest
    bool FreezeWhenInactive = false;
    bool ShowProgressBar = true;
    std::unique_ptr<TBitmap32> BarBackImage;  // only stored when ShowProgressBar
    std::unique_ptr<TBitmap32> BarFrontImage; // only stored when ShowProgressBar
    std::unique_ptr<TBitmap32> LoadingImage;
    bool LoadingImageTransparent = false;
    int32_t LoadingImageAlpha = 255;
    bool ScaleProgressBar = true;
    bool ShowErrorMessages = true;
    bool LogErrorMessages = false;
    bool AbortOnErrors = false;
    int32_t ScriptOptions = 0;      // as stored: bit 0 and bit 1 below

    // Decoded from ScriptOptions.
    bool UninitializedIsZero = false;
    bool CheckScriptArguments = true;

    // Back to the values held before any game data is read.
    void Reset();
    // Reads the version and the compressed block; false on a wrong version.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;
};

// The one settings record of the program.
extern GameSettings Settings;
