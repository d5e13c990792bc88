// Sprite images packed together into a few large device textures. Instances
// of different sprites, and the frames of one animation, then share one
// texture, so the device can draw a whole room of them with a few calls
// instead of one call per texture change.
//
// Each picture gets a one-texel border that repeats its outermost rows and
// columns: filtering at the picture's edges then reads what a texture of its
// own would give with clamped addressing, never a neighbour.
#pragma once

#include "data/Bitmap32.h"
#include "data/StressBuild.h"
#include "graphics/Textures.h"

#include <cstdint>
#include <vector>

class CTextureAtlas {
public:
    // Side of a shared page in texels; larger pictures get a page of their
    // own. The stress build makes them small, so pages fill up all the time.
    static constexpr int32_t kPageSize = kStressBuild ? 64 : 2048;

    // Places the picture on a page and uploads it; false when the device
    // cannot hold it (no device, or the picture is larger than a texture).
    bool Add(const TBitmap32& bitmap, RTexturePicture& picture);
    // The picture's place is not reused, but a page whose pictures are all
    // released is given back to the device.
    void Release(const RTexturePicture& picture);
    // Frees every page (when the device still exists) and starts empty.
    void Clear();

    int32_t PageCount() const { return static_cast<int32_t>(a_pages.size()); }

private:
    struct RShelf {
        int32_t y = 0, h = 0, x = 0; // x: where the next picture goes
    };
    struct RPage {
        TextureHandle handle = 0;
        int32_t w = 0, h = 0;
        std::vector<RShelf> shelves;
        int32_t nextY = 0;   // top of the next shelf
        int32_t pictures = 0;
        bool single = false; // one picture too large to share
    };

    // A place for w × h texels on a shared page (a new page when needed).
    bool Reserve(int32_t w, int32_t h, size_t& page, int32_t& x, int32_t& y);
    bool AddPage(int32_t w, int32_t h, bool single);

    std::vector<RPage> a_pages;
};
