// CSound: a sound resource as stored: the sound file's bytes with the kind,
// effects, volume and pan it is played with. Playback is built on it elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CStream;

// Kinds of sound.
enum ESoundKind : int32_t {
    kSoundNormal = 0,
    kSoundMusic = 1,
    kSound3D = 2,
    kSoundMultimedia = 3,
};

class CSound {
public:
    static constexpr int32_t kVersion = 800;

    int32_t s_kind = -1;
    std::string s_extension; // with the dot, as ".wav"
    std::string s_origname;
    bool s_hasSound = false;      // the record carries sound data (possibly empty)
    std::vector<uint8_t> s_sound; // the sound file's bytes
    int32_t s_effects = 0;        // effect bits: 1 chorus, 2 echo, 4 flanger, 8 gargle, 16 reverb,
                                  // 32 compressor, 64 equalizer, 128 distortion, 256 environment reverb
    double s_volume = 1;
    double s_pan = 0;
    bool s_preload = true;

    void Clear() { *this = CSound(); }
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream) const;

    bool operator==(const CSound&) const = default;
};
