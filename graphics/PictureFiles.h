// Picture files to and from TBitmap32, for the runner and the builder alike:
// PNG, Windows bitmap, JPEG and GIF (every frame) are read, PNG and Windows
// bitmap written. The kind of a file is told by its first bytes, never by
// its name. Decoding gives 8-bit blue, green, red, alpha pixels with the
// alpha as the file has it (files without alpha are opaque).
//
// Every failure says why in an RPictureError; the frames are then empty.
// Pictures whose frames hold more than kPictureMaxPixels pixels in all are
// refused before anything that large is made, whatever their header says.
#pragma once

#include "data/Bitmap32.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class EPictureError : int32_t {
    kNone = 0,
    kUnreadable,  // the file does not exist or cannot be read
    kUnknownKind, // not a PNG, Windows bitmap, JPEG or GIF picture
    kDamaged,     // damaged or truncated
    kTooLarge,    // beyond the limits below
};

struct RPictureError {
    EPictureError kind = EPictureError::kNone;
    std::string message; // "damaged PNG picture (IDAT: CRC error)" and the like
};

// 64 Mi pixels (256 MiB as TBitmap32) over all frames together; GIF files
// have at most kPictureMaxFrames frames; no file longer than
// kPictureMaxFileBytes is read.
constexpr uint64_t kPictureMaxPixels = uint64_t(1) << 26;
constexpr size_t kPictureMaxFrames = 16384;
constexpr size_t kPictureMaxFileBytes = size_t(512) << 20;

// The frames as a viewer shows them: one for still pictures; for a GIF each
// frame drawn over the canvas left by the one before (transparent at first,
// then as that frame's disposal leaves it), all of the GIF's screen size.
bool Picture_Decode(const uint8_t* data, size_t size, std::vector<TBitmap32>& frames, RPictureError* error = nullptr);
// The same for a file; hostPath is a path of this system (ToHostPath).
bool Picture_DecodeFile(const std::string& hostPath, std::vector<TBitmap32>& frames,
                        RPictureError* error = nullptr);

// GIF disposal methods: what becomes of a frame's rectangle after it was shown.
enum : int32_t {
    kDisposalUnspecified = 0,
    kDisposalKeep = 1,       // the next frame is drawn over this one
    kDisposalBackground = 2, // the rectangle is cleared
    kDisposalPrevious = 3,   // the canvas returns to what it was before this frame
};

// A picture as stored, for callers that compose frames their own way.
struct RPictureLayer {
    TBitmap32 image;        // the frame's own rectangle, cut to the screen; alpha 0 where it shows nothing
    int32_t left = 0;       // its place on the screen
    int32_t top = 0;
    int32_t disposal = kDisposalUnspecified;
};
struct RPictureLayers {
    int32_t width = 0;  // the screen (for a still picture its size); may be 0 for a GIF
    int32_t height = 0;
    std::vector<RPictureLayer> layers; // a still picture is one layer at (0, 0)
};
bool Picture_DecodeLayers(const uint8_t* data, size_t size, RPictureLayers& picture, RPictureError* error = nullptr);
bool Picture_DecodeLayersFile(const std::string& hostPath, RPictureLayers& picture, RPictureError* error = nullptr);

// Encoding. PNG: 8-bit RGBA, one IDAT chunk of unfiltered rows deflated at
// zlib's default level. Windows bitmap: 32 bits with the alpha kept. Both
// give no bytes for an empty picture.
std::vector<uint8_t> Picture_EncodePng(const TBitmap32& bitmap);
std::vector<uint8_t> Picture_EncodeBitmap(const TBitmap32& bitmap);
