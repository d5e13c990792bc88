// Feeds arbitrary bytes to the runner's picture loading. The first byte
// chooses the road: 0 decodes as a viewer shows it, 1 as a strip of up to 8
// images with the background removed and the edges smoothed, 2 as a sprite
// animation, 3 as the runner's sprite file, 4 as its background file.
#include "graphics/PictureFiles.h"
#include "graphics/SpriteImages.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t road = data[0] % 5, option = data[1];
    data += 2;
    size -= 2;
    CSprite sprite;
    CBackground background;
    switch (road) {
    case 0: {
        std::vector<TBitmap32> frames;
        Picture_Decode(data, size, frames);
        break;
    }
    case 1:
        Sprite_LoadFromPictureBytes(sprite, data, size, false, option % 8, option & 8, option & 16, 0, 0);
        break;
    case 2:
        Sprite_LoadFromPictureBytes(sprite, data, size, true, 1, option & 8, option & 16, 0, 0);
        break;
    case 3:
        Sprite_LoadFromSpriteBytes(sprite, std::vector<uint8_t>(data, data + size));
        break;
    default:
        Background_LoadFromBackgroundBytes(background, std::vector<uint8_t>(data, data + size));
        break;
    }
    return 0;
}
