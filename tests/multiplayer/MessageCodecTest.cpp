// The bytes of a message: pinned layouts, text in both directions, cut long
// strings, and everything a damaged or hostile message may look like.
#include "multiplayer/MessageCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

RMess Message(bool isMessage, int32_t id, const RValue& value)
{
    RMess message;
    message.ms_isMessage = isMessage;
    message.ms_messid = id;
    message.ms_val = value;
    return message;
}

} // namespace

TEST(MessageCodec, LayoutOfARealAndOfAString)
{
    EXPECT_EQ(Message_Encode(Message(true, -2, RValue(1.5))),
              (std::vector<uint8_t>{1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    // The euro sign is byte 0x80 in the game's text and U+20AC on the wire.
    EXPECT_EQ(Message_Encode(Message(false, 7, RValue("A\x80"))),
              (std::vector<uint8_t>{0, 7, 0, 0, 0, 1, 2, 0, 0, 0, 0x41, 0, 0xAC, 0x20}));
    EXPECT_EQ(Message_Encode(Message(true, 0, RValue(""))), (std::vector<uint8_t>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
}

TEST(MessageCodec, EveryByteOfGameTextComesBack)
{
    std::string text;
    for (int byte = 1; byte < 256; ++byte)
        text += static_cast<char>(byte);
    RMess back;
    ASSERT_TRUE(Message_Decode(Message_Encode(Message(true, 3, RValue(text))), back));
    EXPECT_TRUE(back.ms_val.IsString());
    EXPECT_EQ(back.ms_val.str.Text(), text);
    EXPECT_EQ(back.ms_messid, 3);

    // Characters the code page lacks arrive as '?'.
    const std::vector<uint8_t> cyrillic = {1, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0x16, 0x04, 0x41, 0};
    ASSERT_TRUE(Message_Decode(cyrillic, back));
    EXPECT_EQ(back.ms_val.str.Text(), "?A");
}

TEST(MessageCodec, StringsAreCutToWhatAReceiverTakes)
{
    const std::string longText(kLongestMessageString + 100, 'x');
    const std::vector<uint8_t> bytes = Message_Encode(Message(true, 1, RValue(longText)));
    EXPECT_EQ(bytes.size(), kLargestMessageBytes);
    RMess back;
    ASSERT_TRUE(Message_Decode(bytes, back));
    EXPECT_EQ(back.ms_val.str.Text(), longText.substr(0, kLongestMessageString));
}

TEST(MessageCodec, DamagedMessagesAreRefused)
{
    std::vector<uint8_t> tooLong = {1, 0, 0, 0, 0, 1, 0xF0, 0x3E, 0, 0};
    tooLong.resize(10 + 2 * 0x3EF0, 0x41);
    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        {1, 0, 0, 0, 0},
        {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       // neither a message nor an update
        {1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0},       // neither a string nor a real
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},          // a real one byte short
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},    // a real with a byte more
        {1, 0, 0, 0, 0, 1, 2, 0},                         // a count cut off
        {1, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0x41, 0},          // fewer characters than counted
        {1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0x41, 0, 0},       // an odd byte left over
        {1, 0, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}, // a count no buffer holds
        tooLong,                                          // more characters than a receiver takes
    };
    for (size_t k = 0; k < damaged.size(); ++k) {
        RMess message;
        EXPECT_FALSE(Message_Decode(damaged[k], message)) << "case " << k;
    }
}
