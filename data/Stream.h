// CStream: the in-memory byte stream behind the game data, save files and the
// text form of the data structures. Every encoding here is fixed by the stored
// files, so nothing may change how a value is laid out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TBitmap32;

// Reading past the end, a damaged compressed block or a bad text form.
// Loaders catch it at their top level and report their own message.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CStream {
public:
    CStream() = default;
    explicit CStream(std::vector<uint8_t> bytes) : s_data(std::move(bytes)) {}

    // --- the buffer ---
    size_t Size() const { return s_data.size(); }
    size_t Position() const { return s_position; }
    void Seek(size_t position);
    void Clear();
    uint8_t* Memory() { return s_data.data(); }
    const uint8_t* Memory() const { return s_data.data(); }
    std::vector<uint8_t>& Bytes() { return s_data; }
    const std::vector<uint8_t>& Bytes() const { return s_data; }
    bool LoadFromFile(const std::string& hostPath);
    // Only the bytes from offset `from` on: position 0 is that byte of the file.
    bool LoadFromFile(const std::string& hostPath, size_t from);
    bool SaveToFile(const std::string& hostPath) const;

    // Raw access at the current position; ReadBytes fails rather than read a partial value.
    void ReadBytes(void* target, size_t count);
    void WriteBytes(const void* source, size_t count);

    // --- primitives (little-endian) ---
    int32_t ReadInteger()
    {
        int32_t value;
        ReadBytes(&value, 4);
        return value;
    }
    double ReadReal()
    {
        double value;
        ReadBytes(&value, 8);
        return value;
    }
    bool ReadBoolean() { return ReadInteger() > 0; }
    void ReadString(std::string& s);
    std::string ReadString()
    {
        std::string s;
        ReadString(s);
        return s;
    }

    void WriteInteger(int32_t value) { WriteBytes(&value, 4); }
    void WriteReal(double value) { WriteBytes(&value, 8); }
    void WriteBoolean(bool value) { WriteInteger(value ? 1 : 0); }
    void WriteString(std::string_view value);

    // --- blocks ---
    std::unique_ptr<CStream> ReadStream();
    void WriteStream(const CStream& stream);
    std::unique_ptr<CStream> ReadStreamC();
    // The same, failing for a block that inflates beyond limit bytes.
    std::unique_ptr<CStream> ReadStreamC(size_t limit);
    void WriteStreamC(const CStream& stream);
    std::unique_ptr<CStream> ReadStreamE();
    // The builder's inverse of ReadStreamE; the filler counts and the table come
    // from the caller's random source so output can be reproduced in tests.
    void WriteStreamE(const CStream& stream, uint32_t& z, uint32_t& w);
    std::unique_ptr<TBitmap32> ReadBitmap();
    void WriteBitmap(const TBitmap32* bitmap);

    // --- substitution ---
    void Encrypt(int32_t key, int64_t position, int64_t count);
    void Decrypt(int32_t key, int64_t position, int64_t count);

    // --- text form ---
    void ConvertToString(std::string& s) const;
    void ConvertFromString(std::string_view s);

private:
    void Substitute(int32_t key, int64_t position, int64_t count, bool forward);

    std::vector<uint8_t> s_data;
    size_t s_position = 0;
};

static_assert(sizeof(int32_t) == 4 && sizeof(double) == 8, "the stored encodings need these sizes");

// CRC with the reflected polynomial 0xEDB88320, without the final inversion.
void InitFastCRC();
uint32_t CalcCRC(const void* buffer, int64_t size);

// Two multiply-with-carry generators; z and w are carried by the caller.
// Inline: it runs once for every word of the game data.
inline uint32_t LocalRandom(uint32_t& z, uint32_t& w)
{
    z = 36969u * (z & 0xFFFFu) + (z >> 16);
    w = 18000u * (w & 0xFFFFu) + (w >> 16);
    return (z << 16) + (w & 0xFFFFu);
}

// zlib helpers shared by the compressed blocks and the image files.
std::vector<uint8_t> DeflateBytes(const uint8_t* data, size_t size);
// A block may not inflate beyond limit bytes (EStreamError).
std::vector<uint8_t> InflateBytes(const uint8_t* data, size_t size, size_t limit = size_t(1) << 31);
