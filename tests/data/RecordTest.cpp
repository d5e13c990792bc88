// Single records read from hand-written bytes: the layouts whose optional
// parts depend on a count or a flag, and what reading derives from them.
#include "data/Background.h"
#include "data/DataFile.h"
#include "data/ExtensionPackage.h"
#include "data/Font.h"
#include "data/Object.h"
#include "data/Path.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Sound.h"
#include "data/Sprite.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int32_t kSentinel = 0x5A5A5A5A;

// Reads one record and checks that it ends exactly at the sentinel behind it.
template <typename T>
bool ReadUpToSentinel(CStream& s, T& record)
{
    s.WriteInteger(kSentinel);
    s.Seek(0);
    bool ok = record.LoadFromStream(s);
    EXPECT_EQ(s.ReadInteger(), kSentinel) << "the record was not read to its end";
    return ok;
}

} // namespace

TEST(Records, OptionalPartsFollowTheirCountsAndFlags)
{
    {   // A sprite without images reads the separate-masks flag and no mask.
        CStream s;
        for (int32_t v : {800, 3, 4, 0, 1})
            s.WriteInteger(v);
        CSprite sprite;
        EXPECT_TRUE(ReadUpToSentinel(s, sprite));
        EXPECT_TRUE(sprite.i_sepmasks);
        EXPECT_TRUE(sprite.i_mask.empty());
        EXPECT_EQ(sprite.i_bbox, RBox());
    }
    {   // An image of width 0 has no pixel block.
        CStream s;
        for (int32_t v : {710, 800, 0, 5})
            s.WriteInteger(v);
        CBackground background;
        EXPECT_TRUE(ReadUpToSentinel(s, background));
        EXPECT_EQ(background.Width(), 0);
    }
    {   // A sound without data still has its volume, pan and the rest.
        CStream s;
        s.WriteInteger(800);
        s.WriteInteger(2);
        s.WriteString(".wav");
        s.WriteString("a.wav");
        s.WriteBoolean(false);
        s.WriteInteger(6);
        s.WriteReal(0.5);
        s.WriteReal(-1);
        s.WriteBoolean(false);
        CSound sound;
        EXPECT_TRUE(ReadUpToSentinel(s, sound));
        EXPECT_FALSE(sound.s_hasSound);
        EXPECT_EQ(sound.s_effects, 6);
        EXPECT_EQ(sound.s_volume, 0.5);
        EXPECT_EQ(sound.s_pan, -1);
        EXPECT_FALSE(sound.s_preload);
    }
    {   // A path without points is valid and has no length.
        CStream s;
        for (int32_t v : {530, 1, 1, 4, 0})
            s.WriteInteger(v);
        CPath path;
        EXPECT_TRUE(ReadUpToSentinel(s, path));
        EXPECT_EQ(path.i_length, 0);
    }
    {   // Last type -1: no event lists at all.
        CStream s;
        for (int32_t v : {430, -1, 0, 1, 0, 0, -1, -1, -1})
            s.WriteInteger(v);
        CObject object;
        EXPECT_TRUE(ReadUpToSentinel(s, object));
        EXPECT_TRUE(object.o_events[0].empty());
    }
    {   // Last type 0 with an immediate end still reads that end.
        CStream s;
        for (int32_t v : {430, -1, 0, 1, 0, 0, -1, -1, 0, -1})
            s.WriteInteger(v);
        CObject object;
        EXPECT_TRUE(ReadUpToSentinel(s, object));
        EXPECT_EQ(object.GetEventDirect(0, 0), nullptr);
    }
    {   // An included file that exists but is not stored has no data block.
        CStream s;
        s.WriteInteger(800);
        s.WriteString("a.txt");
        s.WriteString("/home/a.txt");
        s.WriteBoolean(true);
        s.WriteInteger(10);
        s.WriteBoolean(false);
        s.WriteInteger(1);
        s.WriteString("");
        for (bool b : {true, false, true})
            s.WriteBoolean(b);
        CDataFile file;
        EXPECT_TRUE(ReadUpToSentinel(s, file));
        EXPECT_TRUE(file.s_data.empty());
        EXPECT_EQ(file.s_exportaction, 1);
        EXPECT_TRUE(file.s_overwrite && !file.s_freedata && file.s_removeend);
    }
}

TEST(Records, FontFirstFieldCarriesCharsetAndAntiAliasing)
{
    struct Case {
        int32_t packed;
        int32_t first, charset, antialias;
    } cases[] = {
        {0x02000020, 32, 1, 1}, // charset bits 0 keep the default
        {0x00000041, 65, 1, 3}, // no high byte: anti-aliasing keeps its default
        {0x00CC0020, 32, 0xCC, 3},
        {0x05EE0000, 0, 0xEE, 4},
    };
    for (const Case& c : cases) {
        CFont font;
        font.UnpackFirst(c.packed);
        EXPECT_EQ(font.s_first, c.first) << std::hex << c.packed;
        EXPECT_EQ(font.s_charset, c.charset) << std::hex << c.packed;
        EXPECT_EQ(font.s_AntiAlias, c.antialias) << std::hex << c.packed;
    }
}

TEST(Records, RoomSlotsNotStoredKeepTheirDefaults)
{
    ClearResources();
    auto background = std::make_unique<CBackground>();
    background->i_bitmap.SetSize(40, 30);
    Backgrounds.Set(0, std::move(background), "bg");

    CRoom written;
    written.r_width = 400;
    written.r_height = 300;
    written.r_backgroundcount = 2;
    written.r_background[0].stretch = true;
    written.r_background[0].index = 0;  // exists: stretched to the room
    written.r_background[1].stretch = true;
    written.r_background[1].index = -1; // none: scales stay 1
    CStream s;
    written.SaveToStream(s);
    CRoom room;
    EXPECT_TRUE(ReadUpToSentinel(s, room));
    EXPECT_EQ(room.r_background[0].xscale, 10);
    EXPECT_EQ(room.r_background[0].yscale, 10);
    EXPECT_EQ(room.r_background[1].xscale, 1);
    for (int k = 2; k < CRoom::kSlots; ++k) {
        EXPECT_EQ(room.r_background[static_cast<size_t>(k)], CBack()) << k;
        EXPECT_EQ(room.r_view[static_cast<size_t>(k)], CView()) << k;
    }
    CBack slot;
    EXPECT_TRUE(slot.htiled && slot.vtiled && slot.index == -1 && slot.blend == 0xFFFFFF && slot.alpha == 1);
    CView view;
    EXPECT_TRUE(view.wview == 640 && view.hport == 480 && view.hborder == 32 && view.hspeed == -1);
    EXPECT_EQ(room.r_color, 0xC0C0C0);
    ClearResources();
}

TEST(Records, MaskWithAnotherVersionIsEmptyAndFailsItsSprite)
{
    CStream s;
    for (int32_t v : {801, 2, 2, 0, 1, 1, 0, 1, 1, 1, 1})
        s.WriteInteger(v);
    s.Seek(0);
    TMask mask;
    EXPECT_FALSE(mask.LoadFromStream(s));
    EXPECT_EQ(mask.i_w, 0);
    EXPECT_EQ(mask.CountSet(), 0);

    // Inside a sprite the rest of the record could not be found, so the
    // sprite fails rather than read on from the wrong place.
    CStream bad;
    for (int32_t v : {800, 0, 0, 1, 800, 1, 1, 4, -1, 0, 801, 1, 1, 0, 0, 0, 0, 1})
        bad.WriteInteger(v);
    bad.Seek(0);
    CSprite read;
    EXPECT_FALSE(read.LoadFromStream(bad));
}

TEST(Records, ExtensionFunctionsAreNormalizedAsRead)
{
    CExtensionFunction f;
    f.s_name = "  ext_sum ";
    f.s_extname = "";
    f.s_argcount = 5;
    f.s_argtype[0] = kExtensionString;
    f.s_returntype = 7;
    CStream s;
    f.SaveToExeStream(s);
    s.Seek(0);
    CExtensionFunction read;
    ASSERT_TRUE(read.LoadFromExeStream(s));
    read.Normalize();
    EXPECT_EQ(read.s_name, "ext_sum");
    EXPECT_EQ(read.s_extname, "ext_sum");
    EXPECT_EQ(read.s_returntype, kExtensionReal);
    for (int32_t type : read.s_argtype)
        EXPECT_EQ(type, kExtensionReal);
    // Four arguments keep their string types.
    f.s_argcount = 4;
    f.Normalize();
    EXPECT_EQ(f.s_argtype[0], kExtensionString);
}

TEST(Records, ExtensionFilesAreUnpackedOnlyBelowTheTemporaryDirectory)
{
    CScratchFolder temp;
    CExtensionPackage package;
    package.s_name = "pkg";
    package.s_folder = "..\\..\\outside";
    package.s_files.resize(3);
    CExtensionFile& library = package.s_files[0];
    library.s_filename = "../../evil.so";
    library.s_kind = kExtensionLibrary;
    library.s_data = {1, 2, 3, 4, 5, 6};
    package.s_files[1].s_filename = "nothing.txt";
    package.s_files[1].s_kind = kExtensionNoData;
    CExtensionFile& scripts = package.s_files[2];
    scripts.s_filename = "s.brs";
    scripts.s_kind = kExtensionScripts;
    std::string text = "#define f\r\nreturn 1;\r\n";
    scripts.s_data.assign(text.begin(), text.end());

    CStream s;
    package.SaveToExeStream(s);
    s.Seek(0);
    TempDir = temp.Path();
    CExtensionPackage read;
    bool ok = read.LoadFromExeStream(s);
    TempDir.clear();
    ASSERT_TRUE(ok);
    EXPECT_EQ(read, package);
    std::vector<uint8_t> written;
    EXPECT_TRUE(Platform_ReadWholeFile(temp.File("outside/evil.so"), written));
    EXPECT_EQ(written, library.s_data);
    EXPECT_FALSE(Platform_FileExists(temp.File("outside/nothing.txt")));
    EXPECT_FALSE(Platform_FileExists(temp.File("outside/s.brs")));
    EXPECT_FALSE(Platform_FileExists(temp.Path() + "/../evil.so"));
    EXPECT_FALSE(Platform_FileExists(temp.Path() + "/../../evil.so"));
}

TEST(Records, TheFifthByteOfPackageDataIsNeverSubstituted)
{
    for (int32_t key : {1, 777, 123456}) {
        CStream data;
        data.WriteInteger(key);
        for (int k = 0; k < 40; ++k)
            data.WriteBytes("\x07", 1);
        CStream scrambled = data;
        scrambled.Encrypt(key, 5, 0);
        EXPECT_EQ(scrambled.Bytes()[4], 7);
        EXPECT_NE(scrambled.Bytes(), data.Bytes());
        scrambled.Decrypt(key, 5, 0);
        EXPECT_EQ(scrambled.Bytes(), data.Bytes());
    }
}
