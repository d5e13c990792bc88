// Marker search, key text, scrambling and checksum of the game data.
#include "data/GameContainer.h"

#include "data/Stream.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kMarker[8] = {'B', 0x00, 'R', 0xF7, 0x67, 'N', 0x14, 'D'};

uint32_t WordAt(const uint8_t* data, int64_t offset)
{
    uint32_t value;
    std::memcpy(&value, data + offset, 4);
    return value;
}

void PutWord(uint8_t* data, int64_t offset, uint32_t value)
{
    std::memcpy(data + offset, &value, 4);
}

// XORs every scrambled word of the outer body with the generator's output.
// The same pass scrambles and unscrambles.
void ApplyWadScramble(uint8_t* data, int64_t baseoffset, int64_t fileSize, uint32_t keyNumber, uint32_t checksum)
{
    int64_t len = fileSize - baseoffset - 12;
    uint32_t w = KeyTextCRC(keyNumber);
    uint32_t z = checksum;
    int64_t s = static_cast<int64_t>(w & 0xFF) + 6;
    for (int64_t i = s; i < len - 5; i += 4) {
        int64_t at = baseoffset + 12 + i;
        PutWord(data, at, WordAt(data, at) ^ LocalRandom(z, w));
    }
}

} // namespace

bool IsMarkerAt(const uint8_t* data, int64_t p)
{
    uint32_t d0 = WordAt(data, p);
    uint32_t d1 = WordAt(data, p + 4);
    return ((d0 & 0xFF00FF00u) | (d1 & 0x00FF00FFu)) == 0xF7140067u;
}

int64_t FindGameDataMarker(const uint8_t* data, int64_t size)
{
    for (int64_t p = kMarkerSearchStart; p + 8 <= size; ++p)
        if (IsMarkerAt(data, p))
            return p;
    return -1;
}

int32_t VersionMask(int64_t markerOffset)
{
    return static_cast<int32_t>((markerOffset - 1 - kMarkerSearchStart) / 4);
}

std::string MakeKeyText(uint32_t keyNumber)
{
    return std::string(kKeyPrefix) + std::to_string(keyNumber) + kKeySuffix;
}

uint32_t KeyTextCRC(uint32_t keyNumber)
{
    std::string text = MakeKeyText(keyNumber);
    std::vector<uint8_t> units;
    units.reserve(text.size() * 2);
    for (char c : text) {
        units.push_back(static_cast<uint8_t>(c));
        units.push_back(0);
    }
    return CalcCRC(units.data(), static_cast<int64_t>(units.size()));
}

bool DecryptWad(CStream& file, int64_t baseoffset)
{
    int64_t size = static_cast<int64_t>(file.Size());
    if (baseoffset + 12 > size)
        throw EStreamError("Stream read error");
    uint8_t* data = file.Memory();
    uint32_t keyNumber = WordAt(data, baseoffset);
    uint32_t checksum = WordAt(data, baseoffset + 4);
    ApplyWadScramble(data, baseoffset, size, keyNumber, checksum);
    int64_t len = size - baseoffset - 12;
    return CalcCRC(data + baseoffset + 12, len) == checksum;
}

std::vector<uint8_t> WriteGameContainer(const std::vector<uint8_t>& prefix, const std::vector<uint8_t>& outerBody,
                                        uint32_t keyNumber)
{
    int64_t marker = std::max<int64_t>(kMarkerSearchStart, static_cast<int64_t>(prefix.size()));
    std::vector<uint8_t> file(static_cast<size_t>(marker) + 20 + outerBody.size(), 0);
    std::copy(prefix.begin(), prefix.end(), file.begin());
    uint8_t* data = file.data();
    std::memcpy(data + marker, kMarker, 8);
    uint32_t checksum = CalcCRC(outerBody.data(), static_cast<int64_t>(outerBody.size()));
    PutWord(data, marker + 8, keyNumber);
    PutWord(data, marker + 12, checksum);
    PutWord(data, marker + 16, static_cast<uint32_t>(kGameDataVersion ^ VersionMask(marker)));
    std::copy(outerBody.begin(), outerBody.end(), file.begin() + marker + 20);
    ApplyWadScramble(data, marker + 8, static_cast<int64_t>(file.size()), keyNumber, checksum);
    return file;
}
