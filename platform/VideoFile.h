// Videos for splash screens, decoded with FFmpeg's libraries: the pictures
// one after another at their times, scaled to the size they are shown at,
// and the whole sound at once as samples for the audio device.
#pragma once

#include "platform/AudioDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IVideoFile {
public:
    virtual ~IVideoFile() = default;
    // The display size (non-square pixels already applied).
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Microseconds; -1 when the file does not say.
    virtual int64_t Duration() const = 0;
    // The picture due at time microseconds from the start, w × h, blue,
    // green, red, alpha bytes, rows from the top. False once the video has
    // no more pictures (its end) or cannot decode further.
    virtual bool PictureAt(int64_t time, int32_t w, int32_t h, std::vector<uint8_t>& pixels) = 0;
    // Back to the start.
    virtual bool Rewind() = 0;
    // The whole sound as 44100 Hz stereo; false when the video has none.
    virtual bool DecodeSound(RPcm& pcm) = 0;
};

// Null with error set when the file cannot be opened or has no pictures.
std::unique_ptr<IVideoFile> Platform_OpenVideo(const std::string& hostPath, std::string& error);
