// Sound files: decoding WAV, OGG, FLAC, MP3 and the like into 16-bit samples,
// rendering MIDI through a software synthesizer with the system's General
// MIDI soundfont, and writing WAV files. Every reader checks what it is given:
// damaged or hostile data gives false with a reason, never a crash.
#pragma once

#include "platform/AudioDevice.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decoded sounds are cut off after this long, so a damaged length or a
// MIDI file stretched by a tiny tempo cannot take all memory.
constexpr double kLongestDecodedSound = 20 * 60; // seconds

// A standard MIDI file, bare or in a RIFF wrapper.
bool Platform_IsMidi(const uint8_t* data, size_t size);

// Decodes a whole sound file held in memory into one or two channels (more
// are mixed down to two). MIDI is rendered at 44100 Hz with its tempo
// multiplied by tempo.
bool Platform_DecodeSound(const uint8_t* data, size_t size, double tempo, RPcm& pcm, std::string& error);
bool Platform_DecodeSoundFile(const std::string& hostPath, double tempo, RPcm& pcm, std::string& error);

// When this build cannot decode the data's kind of sound at all (its sound
// library was built without that codec, or it has no MIDI synthesizer, as in
// a browser), says so ("OGG sounds cannot be decoded here"); otherwise, and
// for data of no kind it knows, gives an empty text.
std::string Platform_MissingSoundCodec(const uint8_t* data, size_t size);

// Writes 16-bit PCM WAV files as the frames come; the header is kept up to
// date so that a run that ends abruptly still leaves a readable file.
class CWavWriter {
public:
    CWavWriter() = default;
    ~CWavWriter() { Close(); }
    CWavWriter(const CWavWriter&) = delete;
    CWavWriter& operator=(const CWavWriter&) = delete;

    bool Open(const std::string& hostPath, int32_t rate, int32_t channels);
    bool Write(const int16_t* frames, int64_t count);
    void Close();
    bool IsOpen() const { return w_file != nullptr; }

private:
    void* w_file = nullptr;
};

// Writes a whole sound as a WAV file.
bool Platform_WriteWav(const std::string& hostPath, const RPcm& pcm);
