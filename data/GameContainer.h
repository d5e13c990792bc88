// The container around the game data: the marker that locates it behind the
// runner's program image, the key and checksum, and the scrambling of the
// outer body. The reader and the builder both go through this file, so the
// two can never disagree on the format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CStream;

// The marker is searched from this offset on, one byte at a time.
constexpr int64_t kMarkerSearchStart = 3800004;
constexpr int32_t kGameDataVersion = 810;

// The two texts around the key number in the key text. Data can only be read
// by a runner that uses the same two texts as the builder that wrote it.
constexpr const char* kKeyPrefix = "Brd<";
constexpr const char* kKeySuffix = ">lnR";

// The marker test at offset p; needs p + 8 <= size.
bool IsMarkerAt(const uint8_t* data, int64_t p);
// The first marker at or after kMarkerSearchStart, or -1 when there is none.
// data may hold only the file from fileOffset on; the result is still an
// offset into data.
int64_t FindGameDataMarker(const uint8_t* data, int64_t size, int64_t fileOffset = 0);
// The value the stored version word is XOR-ed with for a marker at markerOffset.
int32_t VersionMask(int64_t markerOffset);

// The key text for a key number and its CRC over UTF-16 little-endian units.
std::string MakeKeyText(uint32_t keyNumber);
uint32_t KeyTextCRC(uint32_t keyNumber);

// Unscrambles the file in place from baseoffset (marker + 8) on and checks the
// stored checksum; false when the data has been changed.
bool DecryptWad(CStream& file, int64_t baseoffset);

// Writes a game: prefix (the runner image or nothing), padded with zeros up to
// the marker, then the header and the scrambled outer body. The key number is
// chosen by the caller.
std::vector<uint8_t> WriteGameContainer(const std::vector<uint8_t>& prefix, const std::vector<uint8_t>& outerBody,
                                        uint32_t keyNumber);
