// Saving pictures to files.
#include "graphics/ImageFiles.h"

#include "graphics/PngCodec.h"
#include "platform/Files.h"
#include "world/SecureMode.h"

#include <cctype>

bool Image_HasPngName(const std::string& gameName)
{
    if (gameName.size() < 4)
        return false;
    std::string ending = gameName.substr(gameName.size() - 4);
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".png";
}

bool Image_SaveFile(const std::string& gameName, const TBitmap32& bitmap)
{
    if (!SecureMode_MayWrite(gameName))
        return false;
    std::vector<uint8_t> bytes = Image_HasPngName(gameName) ? EncodePng(bitmap) : bitmap.SaveToBitmapFile();
    return !bytes.empty() && Platform_WriteWholeFile(ToHostPath(gameName), bytes.data(), bytes.size());
}
