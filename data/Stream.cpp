// CStream primitives, blocks, substitution and the text form.
#include "data/Stream.h"

#include "data/Bitmap32.h"
#include "platform/Files.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <libdeflate.h>
#include <zlib.h>

static_assert(std::endian::native == std::endian::little,
              "values are copied straight between memory and the little-endian stream");

namespace {

std::array<uint32_t, 256> CrcTable;
bool CrcTableReady = false;

constexpr size_t kZlibChunk = 32 * 1024;

} // namespace

// ---------------------------------------------------------------- buffer

void CStream::Seek(size_t position)
{
    if (position > s_data.size())
        throw EStreamError("Stream read error");
    s_position = position;
}

void CStream::Clear()
{
    s_data.clear();
    s_position = 0;
}

bool CStream::LoadFromFile(const std::string& hostPath)
{
    return LoadFromFile(hostPath, 0);
}

bool CStream::LoadFromFile(const std::string& hostPath, size_t from)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadFileFrom(hostPath, from, bytes))
        return false;
    s_data = std::move(bytes);
    s_position = 0;
    return true;
}

bool CStream::SaveToFile(const std::string& hostPath) const
{
    return Platform_WriteWholeFile(hostPath, s_data.data(), s_data.size());
}

void CStream::ReadBytes(void* target, size_t count)
{
    if (count > s_data.size() - s_position)
        throw EStreamError("Stream read error");
    if (count > 0)
        std::memcpy(target, s_data.data() + s_position, count);
    s_position += count;
}

void CStream::WriteBytes(const void* source, size_t count)
{
    if (count == 0)
        return;
    size_t end = s_position + count;
    if (end > s_data.size())
        s_data.resize(end);
    std::memcpy(s_data.data() + s_position, source, count);
    s_position = end;
}

// ---------------------------------------------------------------- strings

void CStream::ReadString(std::string& s)
{
    int32_t count = ReadInteger();
    if (count <= 0) {
        s.clear();
        return;
    }
    if (static_cast<size_t>(count) > s_data.size() - s_position)
        throw EStreamError("Stream read error");
    s.assign(reinterpret_cast<const char*>(s_data.data() + s_position), static_cast<size_t>(count));
    s_position += static_cast<size_t>(count);
}

void CStream::WriteString(std::string_view value)
{
    WriteInteger(static_cast<int32_t>(value.size()));
    WriteBytes(value.data(), value.size());
}

// ---------------------------------------------------------------- blocks

namespace {

// A block's byte count, checked against what is left so a damaged count
// cannot make us allocate gigabytes before failing.
size_t ReadBlockSize(CStream& stream)
{
    int32_t count = stream.ReadInteger();
    if (count < 0 || static_cast<size_t>(count) > stream.Size() - stream.Position())
        throw EStreamError("Stream read error");
    return static_cast<size_t>(count);
}

} // namespace

std::unique_ptr<CStream> CStream::ReadStream()
{
    size_t count = ReadBlockSize(*this);
    std::vector<uint8_t> bytes(s_data.begin() + static_cast<ptrdiff_t>(s_position),
                               s_data.begin() + static_cast<ptrdiff_t>(s_position + count));
    s_position += count;
    return std::make_unique<CStream>(std::move(bytes));
}

void CStream::WriteStream(const CStream& stream)
{
    WriteInteger(static_cast<int32_t>(stream.Size()));
    WriteBytes(stream.Memory(), stream.Size());
}

std::unique_ptr<CStream> CStream::ReadStreamC()
{
    return ReadStreamC(size_t(1) << 31);
}

std::unique_ptr<CStream> CStream::ReadStreamC(size_t limit)
{
    size_t count = ReadBlockSize(*this);
    auto result = std::make_unique<CStream>(InflateBytes(s_data.data() + s_position, count, limit));
    s_position += count;
    return result;
}

void CStream::WriteStreamC(const CStream& stream)
{
    std::vector<uint8_t> packed = DeflateBytes(stream.Memory(), stream.Size());
    WriteInteger(static_cast<int32_t>(packed.size()));
    WriteBytes(packed.data(), packed.size());
}

std::vector<uint8_t> DeflateBytes(const uint8_t* data, size_t size)
{
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
        throw EStreamError("Compression error");
    std::vector<uint8_t> out;
    std::array<uint8_t, kZlibChunk> chunk;
    size_t offset = 0;
    int flush = Z_NO_FLUSH;
    int status = Z_OK;
    do {
        size_t take = std::min(size - offset, kZlibChunk);
        z.next_in = const_cast<Bytef*>(data + offset);
        z.avail_in = static_cast<uInt>(take);
        offset += take;
        flush = offset >= size ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = chunk.data();
            z.avail_out = kZlibChunk;
            status = deflate(&z, flush);
            out.insert(out.end(), chunk.data(), chunk.data() + (kZlibChunk - z.avail_out));
        } while (z.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&z);
    if (status != Z_STREAM_END)
        throw EStreamError("Compression error");
    return out;
}

std::vector<uint8_t> InflateBytes(const uint8_t* data, size_t size, size_t limit)
{
    // The whole block is in memory, so it is inflated in one call into a
    // buffer of a guessed size, grown when the guess was short. The guess
    // starts from the ratio of the last block, as neighbouring blocks of a
    // game (the images of a sprite list) tend to compress alike.
    thread_local std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> decompressor(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    thread_local double lastRatio = 4.0;
    if (!decompressor)
        throw EStreamError("Decompression error");
    size_t capacity = std::max<size_t>(static_cast<size_t>(static_cast<double>(size) * lastRatio * 1.05) + 64,
                                       kZlibChunk);
    capacity = std::min(capacity, std::max<size_t>(limit, 1));
    std::vector<uint8_t> out;
    for (;;) {
        out.resize(capacity);
        size_t used = 0;
        size_t produced = 0;
        libdeflate_result result =
            libdeflate_zlib_decompress_ex(decompressor.get(), data, size, out.data(), out.size(), &used, &produced);
        if (result == LIBDEFLATE_SUCCESS) {
            out.resize(produced);
            if (size > 0)
                lastRatio = std::max(1.0, static_cast<double>(produced) / static_cast<double>(size));
            return out;
        }
        // A block may not expand beyond what the stored byte counts allow.
        if (result != LIBDEFLATE_INSUFFICIENT_SPACE || capacity >= limit)
            throw EStreamError("Decompression error");
        capacity = std::min(capacity * 2, limit);
    }
}

// ---------------------------------------------------------------- scrambled block

std::unique_ptr<CStream> CStream::ReadStreamE()
{
    int32_t c1 = ReadInteger();
    for (int32_t k = 0; k < c1; ++k)
        ReadInteger();
    int32_t c2 = ReadInteger();
    uint8_t table[256];
    ReadBytes(table, 256);
    for (int32_t k = 0; k < c2; ++k)
        ReadInteger();
    size_t n = ReadBlockSize(*this);
    std::vector<uint8_t> body(s_data.begin() + static_cast<ptrdiff_t>(s_position),
                              s_data.begin() + static_cast<ptrdiff_t>(s_position + n));
    s_position += n;

    uint8_t inverse[256];
    for (int i = 0; i < 256; ++i)
        inverse[table[i]] = static_cast<uint8_t>(i);
    // The whole game passes through here, so both passes run together in
    // windows that stay in the cache: the swaps at i reach back at most 255
    // bytes, all of which the difference pass has finished by then.
    uint8_t* b = body.data();
    auto swapAt = [b, &table](size_t i) {
        size_t back = table[i & 255];
        size_t j = back > i ? 0 : i - back;
        std::swap(b[i], b[j]);
    };
    constexpr size_t kWindow = 64 * 1024;
    size_t swapped = n; // swaps are done for every index at or above this
    for (size_t end = n; end > 1;) {
        size_t start = end > kWindow ? end - kWindow : 1;
        for (size_t i = end; i-- > start;)
            b[i] = static_cast<uint8_t>(inverse[b[i]] - b[i - 1] - static_cast<uint8_t>(i));
        // Indices from start + 255 up have everything they touch finished.
        size_t limit = start == 1 ? 0 : start + 255;
        while (swapped > limit && swapped > 0)
            swapAt(--swapped);
        end = start;
    }
    while (swapped > 0)
        swapAt(--swapped);
    return std::make_unique<CStream>(std::move(body));
}

void CStream::WriteStreamE(const CStream& stream, uint32_t& z, uint32_t& w)
{
    int32_t c1 = 100 + static_cast<int32_t>(LocalRandom(z, w) % 500);
    int32_t c2 = 100 + static_cast<int32_t>(LocalRandom(z, w) % 500);
    uint8_t table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(i);
    for (int i = 255; i > 0; --i)
        std::swap(table[i], table[LocalRandom(z, w) % static_cast<uint32_t>(i + 1)]);

    // Undo the reader's two passes in reverse: its swaps run from the end, so
    // ours run from the start; its difference pass reads the scrambled
    // predecessor, which is known here once we go forwards.
    std::vector<uint8_t> body = stream.Bytes();
    size_t n = body.size();
    for (size_t i = 0; i < n; ++i) {
        ptrdiff_t j = static_cast<ptrdiff_t>(i) - table[i % 256];
        if (j < 0)
            j = 0;
        std::swap(body[i], body[static_cast<size_t>(j)]);
    }
    for (size_t i = 1; i < n; ++i)
        body[i] = table[static_cast<uint8_t>(body[i] + body[i - 1] + i)];

    WriteInteger(c1);
    for (int32_t k = 0; k < c1; ++k)
        WriteInteger(static_cast<int32_t>(LocalRandom(z, w)));
    WriteInteger(c2);
    WriteBytes(table, 256);
    for (int32_t k = 0; k < c2; ++k)
        WriteInteger(static_cast<int32_t>(LocalRandom(z, w)));
    WriteInteger(static_cast<int32_t>(n));
    WriteBytes(body.data(), n);
}

// ---------------------------------------------------------------- bitmaps

std::unique_ptr<TBitmap32> CStream::ReadBitmap()
{
    if (!ReadBoolean())
        return nullptr;
    std::unique_ptr<CStream> block = ReadStreamC();
    auto bitmap = std::make_unique<TBitmap32>();
    if (!bitmap->LoadFromBitmapFile(block->Memory(), block->Size()))
        return nullptr;
    return bitmap;
}

void CStream::WriteBitmap(const TBitmap32* bitmap)
{
    WriteBoolean(bitmap != nullptr);
    if (!bitmap)
        return;
    CStream file(bitmap->SaveToBitmapFile());
    WriteStreamC(file);
}

// ---------------------------------------------------------------- substitution

void CStream::Substitute(int32_t key, int64_t position, int64_t count, bool forward)
{
    int64_t a = (key % 250) + 6;
    int64_t b = key / 250;
    if (a < 0)
        a += 256;
    if (b < 0)
        b += 256;
    uint8_t forwardTable[256];
    uint8_t backwardTable[256];
    for (int i = 0; i < 256; ++i)
        forwardTable[i] = static_cast<uint8_t>(i);
    for (int64_t i = 1; i <= 10000; ++i) {
        int64_t r = (i * a + b) % 254;
        // Only keys far below any stored one make r negative; keep j inside the table.
        if (r < 0)
            r += 254;
        int64_t j = r + 1;
        std::swap(forwardTable[j], forwardTable[j + 1]);
    }
    backwardTable[0] = 0;
    for (int i = 1; i < 256; ++i)
        backwardTable[forwardTable[i]] = static_cast<uint8_t>(i);

    int64_t size = static_cast<int64_t>(s_data.size());
    if (position < 0)
        position = 0;
    if (count <= 0)
        count = size - position;
    int64_t end = std::min(size, position + count);
    const uint8_t* table = forward ? forwardTable : backwardTable;
    for (int64_t k = position; k < end; ++k)
        s_data[static_cast<size_t>(k)] = table[s_data[static_cast<size_t>(k)]];
}

void CStream::Encrypt(int32_t key, int64_t position, int64_t count)
{
    Substitute(key, position, count, true);
}

void CStream::Decrypt(int32_t key, int64_t position, int64_t count)
{
    Substitute(key, position, count, false);
}

// ---------------------------------------------------------------- text form

void CStream::ConvertToString(std::string& s) const
{
    static const char digits[] = "0123456789ABCDEF";
    s.resize(s_data.size() * 2);
    for (size_t k = 0; k < s_data.size(); ++k) {
        s[2 * k] = digits[s_data[k] >> 4];
        s[2 * k + 1] = digits[s_data[k] & 15];
    }
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

void CStream::ConvertFromString(std::string_view s)
{
    s_data.clear();
    s_position = 0;
    s_data.reserve(s.size() / 2);
    for (size_t k = 0; k + 1 < s.size(); k += 2) {
        int high = HexDigit(s[k]);
        int low = HexDigit(s[k + 1]);
        if (high < 0 || low < 0)
            throw EStreamError("'" + std::string(s.substr(k, 2)) + "' is not a valid hexadecimal value");
        s_data.push_back(static_cast<uint8_t>(high * 16 + low));
    }
}

// ---------------------------------------------------------------- CRC and random

void InitFastCRC()
{
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        CrcTable[i] = c;
    }
    CrcTableReady = true;
}

uint32_t CalcCRC(const void* buffer, int64_t size)
{
    // The stored checksum is the complement of the standard CRC-32, which
    // zlib computes many bytes at a time; the whole game passes through here.
    const uint8_t* p = static_cast<const uint8_t*>(buffer);
    uLong crc = crc32(0L, Z_NULL, 0);
    while (size > 0) {
        uInt take = static_cast<uInt>(std::min<int64_t>(size, 1 << 30));
        crc = crc32(crc, p, take);
        p += take;
        size -= take;
    }
    return ~static_cast<uint32_t>(crc);
}

