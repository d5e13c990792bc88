// Sound file decoding and WAV writing with libsndfile (which also reads MP3
// on Debian 12); MIDI goes to the synthesizer.
#include "platform/SoundFiles.h"

#include "platform/Files.h"
#include "platform/MidiRender.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// libsndfile reads from memory through these callbacks.
struct RMemory {
    const uint8_t* data;
    sf_count_t size;
    sf_count_t position;
};

sf_count_t MemoryLength(void* user)
{
    return static_cast<RMemory*>(user)->size;
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user)
{
    RMemory* m = static_cast<RMemory*>(user);
    sf_count_t base = whence == SEEK_CUR ? m->position : whence == SEEK_END ? m->size : 0;
    sf_count_t target = base + offset;
    if (target < 0 || target > m->size)
        return -1;
    m->position = target;
    return target;
}

sf_count_t MemoryRead(void* buffer, sf_count_t count, void* user)
{
    RMemory* m = static_cast<RMemory*>(user);
    sf_count_t n = std::clamp<sf_count_t>(m->size - m->position, 0, std::max<sf_count_t>(count, 0));
    std::memcpy(buffer, m->data + m->position, static_cast<size_t>(n));
    m->position += n;
    return n;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t MemoryTell(void* user)
{
    return static_cast<RMemory*>(user)->position;
}

constexpr int32_t kLowestRate = 1000;
constexpr int32_t kHighestRate = 384000;

// Reads every frame of an open file, mixing more than two channels down to
// two (even channels left, odd ones right).
bool ReadFrames(SNDFILE* file, const SF_INFO& info, RPcm& pcm, std::string& error)
{
    if (info.channels < 1 || info.channels > 64 || info.samplerate < kLowestRate || info.samplerate > kHighestRate) {
        error = "unsupported channel count or sample rate";
        return false;
    }
    // Floating-point files may exceed full scale; clip them instead of
    // letting them wrap around.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    const int32_t in = info.channels;
    const int32_t out = std::min(in, 2);
    const int64_t longest = static_cast<int64_t>(kLongestDecodedSound * info.samplerate);
    pcm = RPcm();
    pcm.rate = info.samplerate;
    pcm.channels = out;
    std::vector<int16_t> block(static_cast<size_t>(4096 * in));
    int64_t frames = 0;
    while (frames < longest) {
        sf_count_t got = sf_readf_short(file, block.data(), 4096);
        if (got <= 0)
            break;
        frames += got;
        if (in <= 2) {
            pcm.samples.insert(pcm.samples.end(), block.begin(), block.begin() + got * in);
            continue;
        }
        for (sf_count_t f = 0; f < got; ++f) {
            int32_t sums[2] = {0, 0};
            int32_t counts[2] = {0, 0};
            for (int32_t c = 0; c < in; ++c) {
                sums[c & 1] += block[static_cast<size_t>(f * in + c)];
                ++counts[c & 1];
            }
            pcm.samples.push_back(static_cast<int16_t>(sums[0] / counts[0]));
            pcm.samples.push_back(static_cast<int16_t>(sums[1] / counts[1]));
        }
    }
    if (pcm.Frames() == 0) {
        error = "the file holds no sound";
        pcm = RPcm();
        return false;
    }
    return true;
}

// Whether the sound library was built with the codec of a major format.
bool LibraryReads(int major)
{
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int k = 0; k < count; ++k) {
        SF_FORMAT_INFO info{};
        info.format = k;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.format == major)
            return true;
    }
    return false;
}

} // namespace

std::string Platform_MissingSoundCodec(const uint8_t* data, size_t size)
{
    if (!data || size < 4)
        return {};
    if (Platform_IsMidi(data, size))
        return Platform_HasMidiSynthesizer() ? std::string() : "MIDI music cannot be played here";
    const char* name = nullptr;
    int major = 0;
    if (std::memcmp(data, "OggS", 4) == 0) {
        name = "OGG";
        major = SF_FORMAT_OGG;
    } else if (std::memcmp(data, "fLaC", 4) == 0) {
        name = "FLAC";
        major = SF_FORMAT_FLAC;
    } else if (std::memcmp(data, "ID3", 3) == 0 || (data[0] == 0xFF && (data[1] & 0xE0) == 0xE0)) {
        name = "MP3";
        major = SF_FORMAT_MPEG;
    }
    if (!name || LibraryReads(major))
        return {};
    return std::string(name) + " sounds cannot be decoded here";
}

bool Platform_IsMidi(const uint8_t* data, size_t size)
{
    if (size >= 14 && std::memcmp(data, "MThd", 4) == 0)
        return true;
    return size >= 20 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "RMID", 4) == 0;
}

bool Platform_DecodeSound(const uint8_t* data, size_t size, double tempo, RPcm& pcm, std::string& error)
{
    pcm = RPcm();
    if (!data || size == 0) {
        error = "no sound data";
        return false;
    }
    if (Platform_IsMidi(data, size))
        return Platform_RenderMidi(data, size, tempo, pcm, error);
    SF_VIRTUAL_IO io{&MemoryLength, &MemorySeek, &MemoryRead, &MemoryWrite, &MemoryTell};
    RMemory memory{data, static_cast<sf_count_t>(size), 0};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file) {
        error = sf_strerror(nullptr);
        return false;
    }
    bool ok = ReadFrames(file, info, pcm, error);
    sf_close(file);
    return ok;
}

bool Platform_DecodeSoundFile(const std::string& hostPath, double tempo, RPcm& pcm, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(hostPath, bytes)) {
        error = "cannot read " + hostPath;
        return false;
    }
    return Platform_DecodeSound(bytes.data(), bytes.size(), tempo, pcm, error);
}

bool CWavWriter::Open(const std::string& hostPath, int32_t rate, int32_t channels)
{
    Close();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(hostPath.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_command(file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    w_file = file;
    return true;
}

bool CWavWriter::Write(const int16_t* frames, int64_t count)
{
    if (!w_file || count <= 0)
        return w_file != nullptr;
    return sf_writef_short(static_cast<SNDFILE*>(w_file), frames, count) == count;
}

void CWavWriter::Close()
{
    if (w_file)
        sf_close(static_cast<SNDFILE*>(w_file));
    w_file = nullptr;
}

bool Platform_WriteWav(const std::string& hostPath, const RPcm& pcm)
{
    CWavWriter writer;
    return writer.Open(hostPath, pcm.rate, pcm.channels) && writer.Write(pcm.samples.data(), pcm.Frames());
}
