// Messages to bytes and back. Game text is Windows-1252 and travels as UTF-16.
#include "multiplayer/MessageCodec.h"

#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstring>

namespace {

void PutLong(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t GetLong(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

std::vector<uint8_t> Message_Encode(const RMess& message)
{
    std::vector<uint8_t> bytes;
    bytes.push_back(message.ms_isMessage ? 1 : 0);
    PutLong(bytes, static_cast<uint32_t>(message.ms_messid));
    if (message.ms_val.IsString()) {
        const std::string& text = message.ms_val.str.Text();
        const size_t length = std::min(text.size(), kLongestMessageString);
        bytes.push_back(1);
        PutLong(bytes, static_cast<uint32_t>(length));
        for (size_t k = 0; k < length; ++k) {
            const uint16_t unit = Cp1252ToUnicode(static_cast<unsigned char>(text[k]));
            bytes.push_back(static_cast<uint8_t>(unit));
            bytes.push_back(static_cast<uint8_t>(unit >> 8));
        }
    } else {
        bytes.push_back(0);
        uint64_t bits = 0;
        std::memcpy(&bits, &message.ms_val.val, sizeof(bits));
        PutLong(bytes, static_cast<uint32_t>(bits));
        PutLong(bytes, static_cast<uint32_t>(bits >> 32));
    }
    return bytes;
}

bool Message_Decode(std::span<const uint8_t> bytes, RMess& message)
{
    if (bytes.size() < 6 || bytes.size() > kLargestMessageBytes || bytes[0] > 1 || bytes[5] > 1)
        return false;
    message.ms_isMessage = bytes[0] == 1;
    message.ms_messid = static_cast<int32_t>(GetLong(bytes.data() + 1));
    if (bytes[5] == 0) {
        if (bytes.size() != 14)
            return false;
        const uint64_t bits = uint64_t(GetLong(bytes.data() + 10)) << 32 | GetLong(bytes.data() + 6);
        double real = 0;
        std::memcpy(&real, &bits, sizeof(real));
        message.ms_val = RValue(real);
        return true;
    }
    // The count is checked against the bytes there are before anything is made.
    if (bytes.size() < 10)
        return false;
    const uint32_t length = GetLong(bytes.data() + 6);
    if (length > kLongestMessageString || bytes.size() != 10 + size_t(length) * 2)
        return false;
    std::string text(length, '\0');
    for (uint32_t k = 0; k < length; ++k) {
        const uint8_t* unit = bytes.data() + 10 + size_t(k) * 2;
        text[k] = UnicodeToCp1252(uint32_t(unit[0]) | uint32_t(unit[1]) << 8);
    }
    message.ms_val = RValue(std::move(text));
    return true;
}
