// CBackground: a background resource as stored: one image. Drawing and
// tiling are built on it elsewhere.
#pragma once

#include "data/Bitmap32.h"

#include <cstdint>

class CStream;

class CBackground {
public:
    static constexpr int32_t kVersion = 710;

    TBitmap32 i_bitmap;

    int Width() const { return i_bitmap.Width(); }
    int Height() const { return i_bitmap.Height(); }

    void Clear() { i_bitmap = TBitmap32(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CBackground&) const = default;
};
