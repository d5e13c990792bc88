// Saving pictures to files.
#include "graphics/ImageFiles.h"

#include "graphics/PictureFiles.h"
#include "platform/Files.h"
#include "world/SecureMode.h"

#include <cctype>
#include <cstring>

bool Image_HasExtension(const std::string& gameName, const char* ext)
{
    const size_t n = std::strlen(ext);
    if (gameName.size() < n)
        return false;
    for (size_t k = 0; k < n; ++k)
        if (std::tolower(static_cast<unsigned char>(gameName[gameName.size() - n + k])) !=
            std::tolower(static_cast<unsigned char>(ext[k])))
            return false;
    return true;
}

bool Image_HasPngName(const std::string& gameName)
{
    return Image_HasExtension(gameName, ".png");
}

bool Image_SaveFile(const std::string& gameName, const TBitmap32& bitmap)
{
    if (!SecureMode_MayWrite(gameName))
        return false;
    std::vector<uint8_t> bytes = Image_HasPngName(gameName) ? Picture_EncodePng(bitmap) : Picture_EncodeBitmap(bitmap);
    return !bytes.empty() && Platform_WriteWholeFile(ToHostPath(gameName), bytes.data(), bytes.size());
}
