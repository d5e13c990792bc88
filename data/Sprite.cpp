// Reading and writing sprite records; masks and the sprite's bounding box.
#include "data/Sprite.h"

#include "data/Stream.h"

#include <algorithm>

void CSprite::Clear()
{
    *this = CSprite();
}

void CSprite::ComputeMask(bool sepmasks, int32_t bbmode, const RBox& bbox, int32_t kind, int32_t tolerance)
{
    i_mask.clear();
    i_sepmasks = sepmasks;
    i_masksettings = RMaskSettings{bbmode, bbox, kind, tolerance};
    if (!i_bitmap.empty()) {
        if (sepmasks) {
            i_mask.resize(i_bitmap.size());
            for (size_t k = 0; k < i_bitmap.size(); ++k)
                i_mask[k].Create(i_bitmap[k], bbmode, bbox, kind, tolerance);
        } else {
            i_mask.resize(1);
            i_mask[0].Create(i_bitmap[0], bbmode, bbox, kind, tolerance);
            for (size_t k = 1; k < i_bitmap.size(); ++k)
                i_mask[0].Merge(i_bitmap[k], bbmode, bbox, kind, tolerance);
        }
    }
    ComputeBoundingBox();
}

void CSprite::ComputeBoundingBox()
{
    if (i_bitmap.empty() || i_mask.empty()) {
        i_bbox = RBox();
        return;
    }
    if (!i_sepmasks) {
        i_bbox = i_mask[0].i_bbox;
        return;
    }
    RBox box{Width() - 1, Height() - 1, 0, 0};
    for (const TMask& mask : i_mask) {
        box.left = std::min(box.left, mask.i_bbox.left);
        box.top = std::min(box.top, mask.i_bbox.top);
        box.right = std::max(box.right, mask.i_bbox.right);
        box.bottom = std::max(box.bottom, mask.i_bbox.bottom);
    }
    i_bbox = box;
}

bool CSprite::LoadFromStream(CStream& stream)
{
    Clear();
    if (stream.ReadInteger() != kVersion)
        return false;
    i_xorig = stream.ReadInteger();
    i_yorig = stream.ReadInteger();
    int32_t count = stream.ReadInteger();
    // Each image record takes at least 12 bytes; more images than that
    // cannot be there, so do not reserve room for them.
    if (count < 0 || static_cast<uint64_t>(count) * 12 > stream.Size() - stream.Position())
        return false;
    i_bitmap.resize(static_cast<size_t>(count));
    // A damaged image would leave the stream at an unknown place; the
    // record fails rather than read the rest from there.
    for (TBitmap32& image : i_bitmap)
        if (!image.LoadFromStream(stream))
            return false;
    i_sepmasks = stream.ReadBoolean();
    if (count > 0) {
        i_mask.resize(i_sepmasks ? static_cast<size_t>(count) : 1);
        for (TMask& mask : i_mask)
            if (!mask.LoadFromStream(stream))
                return false;
    }
    ComputeBoundingBox();
    return true;
}

void CSprite::SaveToStream(CStream& stream) const
{
    stream.WriteInteger(kVersion);
    stream.WriteInteger(i_xorig);
    stream.WriteInteger(i_yorig);
    stream.WriteInteger(Count());
    for (const TBitmap32& image : i_bitmap)
        image.SaveToStream(stream);
    stream.WriteBoolean(i_sepmasks);
    // Masks follow only with images: one per image or exactly one shared.
    if (i_bitmap.empty())
        return;
    size_t needed = i_sepmasks ? i_bitmap.size() : 1;
    for (size_t k = 0; k < needed; ++k)
        (k < i_mask.size() ? i_mask[k] : TMask()).SaveToStream(stream);
}
