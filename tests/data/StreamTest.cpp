// CStream encodings, blocks, CRC, substitution and the text form.
#include "data/Bitmap32.h"
#include "data/Stream.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> BytesOf(std::initializer_list<int> values)
{
    std::vector<uint8_t> bytes;
    for (int v : values)
        bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

CStream StreamOfInteger(uint32_t value)
{
    CStream s;
    s.WriteInteger(static_cast<int32_t>(value));
    s.Seek(0);
    return s;
}

} // namespace

TEST(Stream, BooleanIsTrueOnlyForPositiveValues)
{
    struct Case {
        uint32_t stored;
        bool expected;
    } cases[] = {{1, true}, {2, true}, {0x7FFFFFFF, true}, {0, false}, {0xFFFFFFFF, false}, {0x80000000, false}};
    for (const Case& c : cases) {
        CStream s = StreamOfInteger(c.stored);
        EXPECT_EQ(s.ReadBoolean(), c.expected) << std::hex << c.stored;
    }
    CStream s;
    s.WriteBoolean(true);
    s.WriteBoolean(false);
    EXPECT_EQ(s.Bytes(), BytesOf({1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Stream, PrimitivesAreLittleEndianAndExact)
{
    CStream s;
    s.WriteInteger(-2);
    s.WriteReal(1.5);
    s.WriteString("");
    s.WriteString("abc");
    EXPECT_EQ(s.Bytes(), BytesOf({0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 0, 0, 0, 3, 0, 0, 0, 0x61,
                                  0x62, 0x63}));
    s.Seek(0);
    EXPECT_EQ(s.ReadInteger(), -2);
    EXPECT_EQ(s.ReadReal(), 1.5);
    EXPECT_EQ(s.ReadString(), "");
    EXPECT_EQ(s.ReadString(), "abc");
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(Stream, StringBytesBecomeCharactersUnchanged)
{
    CStream s(BytesOf({1, 0, 0, 0, 0xE9}));
    std::string text = s.ReadString();
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 233);
}

TEST(Stream, ReadingPastTheEndFailsWithoutPartialValues)
{
    CStream s(BytesOf({1, 2, 3}));
    EXPECT_THROW(s.ReadInteger(), EStreamError);
    EXPECT_EQ(s.Position(), 0u);
    CStream longString(BytesOf({10, 0, 0, 0, 'a'}));
    EXPECT_THROW(longString.ReadString(), EStreamError);
    CStream hugeBlock(BytesOf({0xFF, 0xFF, 0xFF, 0x7F, 1}));
    EXPECT_THROW(hugeBlock.ReadStream(), EStreamError);
    CStream negativeBlock(BytesOf({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_THROW(negativeBlock.ReadStreamC(), EStreamError);
    CStream empty;
    EXPECT_THROW(empty.ReadReal(), EStreamError);
}

TEST(Stream, BlocksRoundTripAndRestoreNothingOfTheSource)
{
    CStream inner;
    inner.WriteString("hello block");
    inner.WriteInteger(42);
    CStream outer;
    outer.WriteStream(inner);
    outer.WriteStreamC(inner);
    outer.WriteStreamC(CStream());
    outer.Seek(0);
    auto raw = outer.ReadStream();
    auto packed = outer.ReadStreamC();
    auto emptyPacked = outer.ReadStreamC();
    EXPECT_EQ(raw->Bytes(), inner.Bytes());
    EXPECT_EQ(packed->Bytes(), inner.Bytes());
    EXPECT_EQ(packed->Position(), 0u);
    EXPECT_EQ(emptyPacked->Size(), 0u);
    EXPECT_EQ(outer.Position(), outer.Size());
}

TEST(Stream, CompressedBlockIsOneZlibStream)
{
    // zlib header 0x78 0x9C: deflate with the default level.
    CStream inner;
    for (int k = 0; k < 100000; ++k)
        inner.WriteInteger(k % 97);
    CStream outer;
    outer.WriteStreamC(inner);
    ASSERT_GT(outer.Size(), 6u);
    EXPECT_EQ(outer.Bytes()[4], 0x78);
    EXPECT_EQ(outer.Bytes()[5], 0x9C);
    outer.Seek(0);
    EXPECT_EQ(outer.ReadStreamC()->Bytes(), inner.Bytes());
}

TEST(Stream, DamagedCompressedBlockFails)
{
    CStream inner;
    inner.WriteString(std::string(1000, 'x'));
    CStream outer;
    outer.WriteStreamC(inner);
    std::vector<uint8_t> truncated = outer.Bytes();
    truncated.resize(truncated.size() - 6);
    int32_t count = static_cast<int32_t>(truncated.size() - 4);
    std::memcpy(truncated.data(), &count, 4);
    CStream cut(truncated);
    EXPECT_THROW(cut.ReadStreamC(), EStreamError);
    CStream garbage(BytesOf({4, 0, 0, 0, 1, 2, 3, 4}));
    EXPECT_THROW(garbage.ReadStreamC(), EStreamError);
}

TEST(Stream, CalcCRCIsTheComplementOfStandardCRC32)
{
    InitFastCRC();
    EXPECT_EQ(CalcCRC("abc", 3), 0xCADBBE3Du);
    EXPECT_EQ(CalcCRC("abc", 0), 0xFFFFFFFFu);
    EXPECT_EQ(CalcCRC("abc", -5), 0xFFFFFFFFu);
}

TEST(Stream, LocalRandomFollowsBothGenerators)
{
    uint32_t z = 1, w = 2;
    uint32_t first = LocalRandom(z, w);
    EXPECT_EQ(z, 36969u);
    EXPECT_EQ(w, 36000u);
    EXPECT_EQ(first, (36969u << 16) + 36000u);
    // Wrapping arithmetic with large states.
    z = 0xFFFFFFFF;
    w = 0xFFFFFFFF;
    LocalRandom(z, w);
    EXPECT_EQ(z, 36969u * 0xFFFFu + 0xFFFFu);
    EXPECT_EQ(w, 18000u * 0xFFFFu + 0xFFFFu);
}

TEST(Stream, DecryptUndoesEncryptAndKeepsZero)
{
    for (int32_t key : {0, 1, 249, 250, 12345, 987654321, -7, -64000}) {
        CStream s;
        for (int b = 0; b < 256; ++b) {
            uint8_t byte = static_cast<uint8_t>(b);
            s.WriteBytes(&byte, 1);
        }
        std::vector<uint8_t> original = s.Bytes();
        s.Encrypt(key, 0, 0);
        EXPECT_EQ(s.Bytes()[0], 0) << key;
        EXPECT_NE(s.Bytes(), original) << key;
        s.Decrypt(key, 0, -1);
        EXPECT_EQ(s.Bytes(), original) << key;
    }
}

TEST(Stream, SubstitutionTouchesOnlyItsRange)
{
    CStream s(std::vector<uint8_t>(16, 0x41));
    s.Encrypt(777, 5, 3);
    for (size_t k = 0; k < 16; ++k) {
        if (k < 5 || k >= 8) {
            EXPECT_EQ(s.Bytes()[k], 0x41) << k;
        }
    }
    EXPECT_NE(s.Bytes()[5], 0x41);
    // Keys far below any valid one stay inside the table.
    CStream odd(std::vector<uint8_t>(8, 7));
    odd.Encrypt(INT32_MIN, 0, 0);
    odd.Decrypt(INT32_MIN, 0, 0);
    EXPECT_EQ(odd.Bytes(), std::vector<uint8_t>(8, 7));
    // A range beyond the buffer changes nothing.
    odd.Encrypt(5, 100, 4);
    EXPECT_EQ(odd.Bytes(), std::vector<uint8_t>(8, 7));
}

TEST(Stream, TextFormIsUpperCaseHex)
{
    CStream s(BytesOf({0x00, 0x0A, 0xFF}));
    std::string text;
    s.ConvertToString(text);
    EXPECT_EQ(text, "000AFF");
    CStream back;
    back.ConvertFromString("000AFF");
    EXPECT_EQ(back.Bytes(), BytesOf({0x00, 0x0A, 0xFF}));
    back.ConvertFromString("ABC");
    EXPECT_EQ(back.Bytes(), BytesOf({0xAB}));
    EXPECT_EQ(back.Position(), 0u);
    CStream empty;
    empty.ConvertToString(text);
    EXPECT_EQ(text, "");
    EXPECT_THROW(back.ConvertFromString("0G"), EStreamError);
}

TEST(Stream, ScrambledBlockRoundTrips)
{
    for (size_t length : {0, 1, 2, 255, 256, 257, 5000}) {
        CStream body;
        for (size_t k = 0; k < length; ++k) {
            uint8_t byte = static_cast<uint8_t>(k * 7 + 3);
            body.WriteBytes(&byte, 1);
        }
        uint32_t z = 11, w = 13;
        CStream out;
        out.WriteStreamE(body, z, w);
        out.WriteInteger(0x5A5A5A5A);
        out.Seek(0);
        auto back = out.ReadStreamE();
        EXPECT_EQ(back->Bytes(), body.Bytes()) << length;
        EXPECT_EQ(out.ReadInteger(), 0x5A5A5A5A) << length;
    }
}

TEST(Stream, ScrambledBlockOfOneByteIsOnlySwappedWithItself)
{
    CStream s;
    s.WriteInteger(0);
    s.WriteInteger(-3); // no filler for a negative count
    for (int i = 0; i < 256; ++i) {
        uint8_t t = static_cast<uint8_t>(255 - i);
        s.WriteBytes(&t, 1);
    }
    s.WriteInteger(1);
    uint8_t byte = 0x99;
    s.WriteBytes(&byte, 1);
    s.Seek(0);
    EXPECT_EQ(s.ReadStreamE()->Bytes(), BytesOf({0x99}));
}

TEST(Stream, BitmapBlockRoundTripsAndBadImagesReadAsNone)
{
    TBitmap32 picture(3, 2);
    picture.SetPixel(0, 0, 0x80FF0000);
    picture.SetPixel(2, 1, 0x0000FF00);
    CStream s;
    s.WriteBitmap(&picture);
    s.WriteBitmap(nullptr);
    CStream notBmp;
    notBmp.WriteString("not a bitmap");
    s.WriteBoolean(true);
    s.WriteStreamC(notBmp);
    s.WriteInteger(77);
    s.Seek(0);
    auto read = s.ReadBitmap();
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, picture);
    EXPECT_EQ(s.ReadBitmap(), nullptr);
    EXPECT_EQ(s.ReadBitmap(), nullptr); // swallowed, but consumed
    EXPECT_EQ(s.ReadInteger(), 77);
}
