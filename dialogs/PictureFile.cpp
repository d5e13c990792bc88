// Reading splash pictures.
#include "dialogs/PictureFile.h"

#include "graphics/PictureFiles.h"

#include <vector>

bool Dialog_LoadPicture(const std::string& hostPath, TBitmap32& picture)
{
    // An animated picture shows its first frame.
    std::vector<TBitmap32> frames;
    if (!Picture_DecodeFile(hostPath, frames) || frames.empty())
        return false;
    picture = std::move(frames.front());
    return true;
}
