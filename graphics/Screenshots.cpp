// Screen pictures to files.
#include "graphics/Screenshots.h"

#include "graphics/Display.h"
#include "graphics/ImageFiles.h"
#include "platform/Files.h"
#include "world/SecureMode.h"

bool Screen_ReadOpaque(int32_t x, int32_t y, int32_t w, int32_t h, TBitmap32& bitmap)
{
    if (!Display_ReadScreen(x, y, w, h, bitmap))
        return false;
    for (int32_t row = 0; row < bitmap.Height(); ++row)
        for (int32_t col = 0; col < bitmap.Width(); ++col)
            bitmap.Row(row)[col * 4 + 3] = 255;
    return true;
}

bool Screen_Save(const std::string& gameName, int32_t x, int32_t y, int32_t w, int32_t h)
{
    TBitmap32 bitmap;
    return SecureMode_MayWrite(gameName) && Screen_ReadOpaque(x, y, w, h, bitmap) && Image_SaveFile(gameName, bitmap);
}

bool Screen_SaveWhole(const std::string& gameName)
{
    int32_t w = 0, h = 0;
    Display_GetBackRegion(w, h);
    return Screen_Save(gameName, 0, 0, w, h);
}

std::string Screen_SaveNumbered()
{
    for (int64_t n = 100;; ++n) {
        std::string name = "screenshot" + std::to_string(n) + ".png";
        if (!Platform_FileExists(ToHostPath(name)))
            return Screen_SaveWhole(name) ? name : std::string();
    }
}
