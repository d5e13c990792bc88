// TMask: the collision mask of one sprite image, a grid of cells that count
// for collisions with the bounding box of the set cells. Masks come stored
// with the game data or are built here from an image's alpha.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CStream;
class TBitmap32;

// An inclusive rectangle in image pixels.
struct RBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const RBox&) const = default;
};

// How the box of a built mask is chosen.
enum EBoxMode : int32_t {
    kBoxAutomatic = 0, // the pixels whose alpha exceeds the tolerance
    kBoxFullImage = 1,
    kBoxManual = 2,    // the given box, clipped to the image
};

// The shape of a built mask inside its box.
enum EMaskKind : int32_t {
    kMaskPrecise = 0,
    kMaskRectangle = 1,
    kMaskEllipse = 2,
    kMaskDiamond = 3,
};

class TMask {
public:
    static constexpr int32_t kVersion = 800;

    int32_t i_w = 0;
    int32_t i_h = 0;
    // One byte per cell, 1 where the pixel counts; row by row from the top
    // (index y × i_w + x), the order in which the cells are stored.
    std::vector<uint8_t> i_mask;
    RBox i_bbox;

    bool IsSet(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < i_w && y < i_h && i_mask[static_cast<size_t>(y) * i_w + x] != 0;
    }
    int CountSet() const;

    // Empty: 0 × 0 with box (0, 0, 0, 0).
    void Clear();
    // Builds the mask of an image (an empty image gives an empty mask).
    void Create(const TBitmap32& image, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance);
    // Folds one more image into a mask shared by several images.
    void Merge(const TBitmap32& image, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance);

    // A wrong version leaves the mask empty and gives false.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const TMask&) const = default;

private:
    void FillShape(int32_t kind);
};
