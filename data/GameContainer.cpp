// Marker search, key text, scrambling and checksum of the game data.
#include "data/GameContainer.h"

#include "data/Stream.h"

#include <algorithm>
#include <cstring>

namespace {

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

// The marker as it is written: 'B', 0, 'R', 0xF7, 0x67, 'N', 0x14, 'D'. It is
// kept here only XOR-ed with kMarkerKey and put together at run time through
// a volatile read, so no build of the runner holds its bytes side by side:
// the search walks through the program image of any runner larger than
// kMarkerSearchStart, and a copy there would be taken for the game's own.
constexpr uint8_t kMarkerKey = 0x5A;
constexpr uint8_t kScrambledMarker[8] = {'B' ^ kMarkerKey, 0x00 ^ kMarkerKey, 'R' ^ kMarkerKey, 0xF7 ^ kMarkerKey,
                                         0x67 ^ kMarkerKey, 'N' ^ kMarkerKey, 0x14 ^ kMarkerKey, 'D' ^ kMarkerKey};
volatile uint8_t MarkerKey = kMarkerKey;

struct RMarker {
    uint8_t bytes[8];
    uint32_t first, second; // the two words, as read from a file
};

const RMarker& Marker()
{
    static const RMarker marker = [] {
        RMarker m{};
        uint8_t key = MarkerKey;
        for (int k = 0; k < 8; ++k)
            m.bytes[k] = static_cast<uint8_t>(kScrambledMarker[k] ^ key);
        std::memcpy(&m.first, m.bytes, 4);
        std::memcpy(&m.second, m.bytes + 4, 4);
        return m;
    }();
    return marker;
}

// Only the bytes 1 and 3 of the first word and 0 and 2 of the second are
// tested; the others are free.
constexpr uint32_t kFirstTested = 0xFF00FF00u;
constexpr uint32_t kSecondTested = 0x00FF00FFu;

bool MatchesAt(const RMarker& marker, const uint8_t* data, int64_t p)
{
    uint32_t differs = ((WordAt(data, p) ^ marker.first) & kFirstTested) |
                       ((WordAt(data, p + 4) ^ marker.second) & kSecondTested);
    return differs == 0;
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
    return MatchesAt(Marker(), data, p);
}

int64_t FindGameDataMarker(const uint8_t* data, int64_t size, int64_t fileOffset)
{
    const RMarker& marker = Marker();
    for (int64_t p = std::max<int64_t>(kMarkerSearchStart - fileOffset, 0); p + 8 <= size; ++p)
        if (MatchesAt(marker, data, p))
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
    std::memcpy(data + marker, Marker().bytes, 8);
    uint32_t checksum = CalcCRC(outerBody.data(), static_cast<int64_t>(outerBody.size()));
    PutWord(data, marker + 8, keyNumber);
    PutWord(data, marker + 12, checksum);
    PutWord(data, marker + 16, static_cast<uint32_t>(kGameDataVersion ^ VersionMask(marker)));
    std::copy(outerBody.begin(), outerBody.end(), file.begin() + marker + 20);
    ApplyWadScramble(data, marker + 8, static_cast<int64_t>(file.size()), keyNumber, checksum);
    return file;
}
