// CSprite: a sprite resource as stored: its images, origin and collision
// masks, with the bounding box derived from the masks. Drawing and collision
// tests are built on these fields elsewhere.
#pragma once

#include "data/Bitmap32.h"
#include "data/Mask.h"

#include <cstdint>
#include <vector>

class CStream;

// How masks are built from images (see TMask::Create).
struct RMaskSettings {
    int32_t bbmode = kBoxAutomatic;
    RBox bbox;
    int32_t kind = kMaskPrecise;
    int32_t tolerance = 0;
    bool operator==(const RMaskSettings&) const = default;
};

class CSprite {
public:
    static constexpr int32_t kVersion = 800;

    int32_t i_xorig = 0;
    int32_t i_yorig = 0;
    std::vector<TBitmap32> i_bitmap; // the images, all of one size in a well-formed sprite
    bool i_sepmasks = false;         // one mask per image, else one shared mask
    std::vector<TMask> i_mask;       // i_bitmap.size() masks, or one, or none without images
    RBox i_bbox;                     // derived from the masks by ComputeBoundingBox
    // What ComputeMask last built the masks with. Sprite records store the
    // masks themselves, not this, so a sprite read from one has the defaults.
    RMaskSettings i_masksettings;

    int Count() const { return static_cast<int>(i_bitmap.size()); }
    int Width() const { return i_bitmap.empty() ? 0 : i_bitmap[0].Width(); }
    int Height() const { return i_bitmap.empty() ? 0 : i_bitmap[0].Height(); }

    void Clear();
    // Rebuilds the masks from the images, then the bounding box.
    void ComputeMask(bool sepmasks, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance);
    void ComputeBoundingBox();

    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    // The stored fields (the mask settings are not stored).
    bool operator==(const CSprite& o) const
    {
        return i_xorig == o.i_xorig && i_yorig == o.i_yorig && i_bitmap == o.i_bitmap && i_sepmasks == o.i_sepmasks &&
               i_mask == o.i_mask && i_bbox == o.i_bbox;
    }
};
