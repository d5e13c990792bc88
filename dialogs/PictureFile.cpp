// Reading splash pictures.
#include "dialogs/PictureFile.h"

#include "graphics/PngCodec.h"
#include "platform/Files.h"

#include <vector>

bool Dialog_LoadPicture(const std::string& hostPath, TBitmap32& picture)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(hostPath, bytes) || bytes.empty())
        return false;
    if (DecodePng(bytes.data(), bytes.size(), picture))
        return true;
    return picture.LoadFromBitmapFile(bytes.data(), bytes.size());
}
