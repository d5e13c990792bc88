// The sections of the main body: a game with every kind of record reads
// back equal, progress is announced per section, and damaged sections give
// their messages without taking the runner down.
#include "data/Background.h"
#include "data/Font.h"
#include "data/GameData.h"
#include "data/Object.h"
#include "data/Path.h"
#include "data/ResourceDump.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Script.h"
#include "data/Sections.h"
#include "data/Sound.h"
#include "data/Sprite.h"
#include "data/TimeLine.h"
#include "data/Trigger.h"
#include "runner/Startup.h"
#include "tests/support/TestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr const char* kResourceError = "Error: Error in resource data.";
constexpr const char* kExtensionError = "Error in loading extension packages.";

class CProgressLog : public ILoadObserver {
public:
    void SettingsRead(bool) override {}
    void Progress(int percent, const std::string& text) override { steps.emplace_back(percent, text); }
    std::vector<std::pair<int, std::string>> steps;
};

// Records the builder cannot be asked for directly: holes at the end of
// lists, stored events without actions, odd bytes in texts, full slots.
CGameResources EdgeResources()
{
    CGameResources r;
    r.Triggers.Set(1, std::make_unique<CTrigger>(), "trg");
    r.Triggers.Get(1)->i_name = "trg";
    r.Triggers.Get(1)->i_moment = kTriggerEndStep;
    r.Constants = {{"A", "1"}, {"A", "2"}};
    auto sound = std::make_unique<CSound>();
    sound->s_hasSound = true; // present but empty data
    r.Sounds.Set(0, std::move(sound), "snd\xE9");
    r.Sounds.Set(2, nullptr, "");
    auto sprite = std::make_unique<CSprite>();
    sprite->i_bitmap.emplace_back(3, 2);
    sprite->i_bitmap[0].SetPixel(1, 1, 0xFF123456);
    sprite->ComputeMask(false, kBoxAutomatic, RBox(), kMaskPrecise, 0);
    r.Sprites.Set(0, std::move(sprite), "spr");
    r.Sprites.Set(1, std::make_unique<CSprite>(), "spr_none");
    r.Backgrounds.Set(0, std::make_unique<CBackground>(), "bg");
    auto path = std::make_unique<CPath>();
    path->i_points = {{1.5, -2.25, 50}};
    path->i_kind = 7; // kept as stored
    path->Rebuild();
    r.Paths.Set(0, std::move(path), "pth");
    auto script = std::make_unique<CScript>();
    script->s_text = std::string("a\0b", 3);
    r.Scripts.Set(0, std::move(script), "scr");
    auto font = std::make_unique<CFont>();
    font->s_charset = 0xEE;
    font->s_AntiAlias = 0;
    font->s_bw = 2;
    font->s_bh = 1;
    font->s_bytes = {0, 255};
    font->s_shift[255] = -3;
    r.Fonts.Set(0, std::move(font), "fnt");
    auto timeline = std::make_unique<CTimeLine>();
    timeline->s_step = {5, 2};
    timeline->s_event.resize(2);
    r.TimeLines.Set(0, std::move(timeline), "tl");
    auto object = std::make_unique<CObject>();
    object->CreateEvent(kEventStep, 2); // stored without actions
    CAction action;
    action.act_argtypecount = action.act_argstringcount = action.act_argumentcount = 8;
    action.act_argstring[7] = "last";
    action.act_argtype[7] = 15;
    action.act_who = 0;
    object->CreateEvent(kEventCollision, 0)->e_actions.push_back(action);
    object->CreateEvent(kEventKeyRelease, 255)->e_actions.push_back(CAction::MakeCode("x"));
    r.Objects.Set(0, std::move(object), "obj");
    auto room = std::make_unique<CRoom>();
    room->r_backgroundcount = room->r_viewcount = 8;
    room->r_background[7].index = 0;
    room->r_view[7].index = 0;
    room->r_instance.push_back(RRoomInstance{-5, 7, 0, 100001, "code", nullptr});
    room->r_tile.push_back(RTile{});
    r.Rooms.Set(1, std::move(room), "rm");
    r.LastInstanceId = 100001;
    r.LastTileId = 12;
    CDataFile file;
    file.s_exists = file.s_store = true;
    file.s_data = {9, 8, 7};
    r.DataFiles = {file, CDataFile()};
    r.GameInformation.i_text = "{\\rtf1 hi}";
    r.LibraryInitCode = {"", "a = 1;"};
    r.RoomOrder = {1, 1, -1};
    CExtensionPackage& package = r.ExtensionPackages.emplace_back();
    package.s_name = "p";
    package.s_files.emplace_back().s_kind = kExtensionNoData;
    return r;
}

GameLoadResult Load(const std::vector<uint8_t>& game, CMessageCapture&, ILoadObserver* observer = nullptr)
{
    CStream file{std::vector<uint8_t>(game)};
    try {
        return LoadGameDataFromStream(file, observer);
    } catch (const EStreamError&) {
        Platform_ShowMessage(kCorruptGameMessage);
        return GameLoadResult::Failed;
    }
}

// A main body with section `replaced` written by the test.
std::vector<uint8_t> GameWithSection(const CGameResources& r, int replaced, const CStream& section)
{
    CStream body = MainBodyHeader();
    for (int k = 0; k < kSectionCount; ++k) {
        if (k == replaced)
            body.WriteBytes(section.Memory(), section.Size());
        else
            SaveSection(body, r, k);
    }
    return GameAroundMainBody(body);
}

// A resource list section whose single entry holds the given record bytes.
CStream ListWithRecord(const CStream& record, bool named = true)
{
    CStream section;
    section.WriteInteger(800);
    section.WriteInteger(1);
    CStream block;
    block.WriteBoolean(true);
    if (named)
        block.WriteString("r");
    block.WriteBytes(record.Memory(), record.Size());
    section.WriteStreamC(block);
    return section;
}

CGameResources MinimalResources()
{
    CGameResources r;
    r.Rooms.Set(0, std::make_unique<CRoom>(), "room0");
    r.RoomOrder = {0};
    return r;
}

} // namespace

TEST(Sections, EdgeRecordsReadBackFieldByField)
{
    CGameResources written = EdgeResources();
    CStream body = MainBodyHeader();
    SaveSections(body, written);
    CMessageCapture messages;
    ASSERT_EQ(Load(GameAroundMainBody(body), messages), GameLoadResult::Loaded) << messages.Messages().size();
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(DumpResources(GameResources), DumpResources(written));
    EXPECT_TRUE(GameResources == written);
    // Holes keep empty names, trailing holes included; triggers take their own names.
    EXPECT_EQ(Sounds.Count(), 3);
    EXPECT_FALSE(Sounds.Exists(1) || Sounds.Exists(2));
    EXPECT_EQ(Sounds.Name(0), "snd\xE9");
    EXPECT_EQ(Triggers.Name(1), "trg");
    EXPECT_EQ(Triggers.Find("trg"), 1);
    EXPECT_FALSE(Rooms.Exists(0));
    // An event stored without actions counts as absent.
    EXPECT_EQ(Objects.Get(0)->GetEventDirect(kEventStep, 2), nullptr);
    EXPECT_NE(Objects.Get(0)->GetEventDirect(kEventKeyRelease, 255), nullptr);
    ClearResources();
}

TEST(Sections, ProgressIsAnnouncedBeforeEverySection)
{
    CStream body = MainBodyHeader();
    SaveSections(body, MinimalResources());
    CMessageCapture messages;
    CProgressLog log;
    ASSERT_EQ(Load(GameAroundMainBody(body), messages, &log), GameLoadResult::Loaded);
    std::vector<std::pair<int, std::string>> expected = {
        {1, "Reading data"},         {0, "Loading extension packages"}, {5, "Loading triggers"},
        {6, "Loading constants"},    {7, "Loading sounds"},             {10, "Loading sprites"},
        {23, "Loading backgrounds"}, {30, "Loading paths"},             {32, "Loading scripts"},
        {34, "Loading fonts"},       {36, "Loading time lines"},        {38, "Loading objects"},
        {40, "Loading rooms"},       {43, "Loading included files"},    {45, "Loading help"},
        {47, "Loading library init code"}, {49, "Loading room order"},
    };
    EXPECT_EQ(log.steps, expected);
    ClearResources();
}

TEST(Sections, DamagedSectionsGiveTheirMessages)
{
    CGameResources r = MinimalResources();
    auto wrongVersion = [](int32_t version) {
        CStream s;
        s.WriteInteger(version);
        s.WriteInteger(0);
        return s;
    };
    auto record = [](std::initializer_list<int32_t> values) {
        CStream s;
        for (int32_t v : values)
            s.WriteInteger(v);
        return s;
    };
    CStream badPackage;
    badPackage.WriteInteger(700);
    badPackage.WriteInteger(1);
    badPackage.WriteInteger(701);
    CStream badPackageFile;
    badPackageFile.WriteInteger(700);
    badPackageFile.WriteInteger(1);
    badPackageFile.WriteInteger(700);
    badPackageFile.WriteString("p");
    badPackageFile.WriteString("f");
    badPackageFile.WriteInteger(1);
    badPackageFile.WriteInteger(699);
    CStream action = record({440, 1, 2, 0, 0, 0, 0, 1, 0, 0, 0, 9});
    CStream event = record({400, 1});
    event.WriteBytes(action.Memory(), action.Size());
    CStream objectWithBadAction = record({430, -1, 0, 1, 0, 0, -1, -1, 0, 0});
    objectWithBadAction.WriteBytes(event.Memory(), event.Size());
    CStream roomHeader;
    roomHeader.WriteInteger(541);
    roomHeader.WriteString("");
    for (int32_t v : {640, 480, 30, 0, 0, 1})
        roomHeader.WriteInteger(v);
    roomHeader.WriteString("");
    CStream roomWithNineBackgrounds = roomHeader;
    roomWithNineBackgrounds.WriteInteger(9);
    CStream garbage;
    garbage.WriteInteger(800);
    garbage.WriteInteger(1);
    garbage.WriteInteger(4);
    garbage.WriteInteger(0x12345678);
    CStream truncatedSprite = ListWithRecord(record({800, 0, 0, 1, 800, 4, 4, 64}));

    struct Case {
        const char* name;
        int section;
        CStream bytes;
        std::vector<std::string> messages;
    } cases[] = {
        {"extension section version", 0, wrongVersion(699), {kResourceError}},
        {"extension package record", 0, badPackage, {kExtensionError, kResourceError}},
        {"extension file record", 0, badPackageFile, {kExtensionError, kResourceError}},
        {"trigger section version", 1, wrongVersion(801), {kResourceError}},
        {"constants version", 2, wrongVersion(700), {kResourceError}},
        {"sounds version", 3, wrongVersion(0), {kResourceError}},
        {"sprite record version", 4, ListWithRecord(record({801})), {kResourceError}},
        {"background record version", 5, ListWithRecord(record({800})), {kResourceError}},
        {"path record version", 6, ListWithRecord(record({531})), {kResourceError}},
        {"script record version", 7, ListWithRecord(record({700})), {kResourceError}},
        {"font record version", 8, ListWithRecord(record({810})), {kResourceError}},
        {"time line record version", 9, ListWithRecord(record({400})), {kResourceError}},
        {"object with nine arguments", 10, ListWithRecord(objectWithBadAction), {kResourceError}},
        {"object with event type 12", 10, ListWithRecord(record({430, -1, 0, 1, 0, 0, -1, -1, 12})), {kResourceError}},
        {"room with nine backgrounds", 11, ListWithRecord(roomWithNineBackgrounds), {kResourceError}},
        {"included files version", 12, wrongVersion(700), {kResourceError}},
        {"information version", 13, wrongVersion(801), {kResourceError}},
        {"library init version", 14, wrongVersion(800), {kResourceError}},
        {"room order version", 15, record({800, 1, 0}), {kResourceError}},
        {"room order without rooms", 15, record({700, 0}), {kResourceError}},
        {"room order with a negative count", 15, record({700, -3}), {kResourceError}},
        {"damaged compressed block", 3, garbage, {kCorruptGameMessage}},
        {"record cut short", 4, truncatedSprite, {kCorruptGameMessage}},
        {"section cut short", 15, record({700, 5, 0}), {kCorruptGameMessage}},
    };
    for (const Case& c : cases) {
        CMessageCapture messages;
        EXPECT_EQ(Load(GameWithSection(r, c.section, c.bytes), messages), GameLoadResult::Failed) << c.name;
        EXPECT_EQ(messages.Messages(), c.messages) << c.name;
    }
    ClearResources();
}

TEST(Sections, EmptyListsAndHolesReadAsSuch)
{
    CGameResources r = MinimalResources();
    CStream section;
    section.WriteInteger(800);
    section.WriteInteger(2);
    CStream hole;
    hole.WriteBoolean(false);
    hole.WriteString("ignored"); // nothing after a false flag is read
    section.WriteStreamC(hole);
    section.WriteStreamC(hole);
    CMessageCapture messages;
    ASSERT_EQ(Load(GameWithSection(r, 4, section), messages), GameLoadResult::Loaded);
    EXPECT_EQ(Sprites.Count(), 2);
    EXPECT_FALSE(Sprites.Exists(0));
    EXPECT_EQ(Sprites.Name(1), "");
    EXPECT_EQ(Sounds.Count(), 0);
    ClearResources();
}

TEST(Sections, LargeListsReportTheirFirstFailureInIndexOrder)
{
    // Enough incompressible pixels that the list is read on two threads.
    CGameResources r = MinimalResources();
    uint32_t z = 1, w = 2;
    for (int k = 0; k < 80; ++k) {
        auto sprite = std::make_unique<CSprite>();
        TBitmap32& image = sprite->i_bitmap.emplace_back(128, 128);
        for (size_t p = 0; p < 128 * 128 * 4; p += 4) {
            uint32_t value = LocalRandom(z, w);
            std::memcpy(image.Pixels() + p, &value, 4);
        }
        sprite->ComputeMask(false, kBoxFullImage, RBox(), kMaskRectangle, 0);
        r.Sprites.Set(k, std::move(sprite), "spr" + std::to_string(k));
    }
    CStream good = MainBodyHeader();
    SaveSections(good, r);
    CMessageCapture messages;
    ASSERT_EQ(Load(GameAroundMainBody(good), messages), GameLoadResult::Loaded);
    EXPECT_TRUE(Sprites.Equals(r.Sprites));

    // Entry 50 has another version and entry 60 is cut short: the version
    // counts, as it would when the entries are read one after the other.
    CStream section;
    section.WriteInteger(800);
    section.WriteInteger(r.Sprites.Count());
    for (int k = 0; k < r.Sprites.Count(); ++k) {
        CStream block;
        block.WriteBoolean(true);
        block.WriteString(r.Sprites.Name(k));
        r.Sprites.Get(k)->SaveToStream(block);
        if (k == 50)
            block.Memory()[4 + 4 + r.Sprites.Name(k).size()] = 0x21; // version 801
        if (k == 60)
            block.Bytes().resize(100);
        section.WriteStreamC(block);
    }
    EXPECT_EQ(Load(GameWithSection(r, 4, section), messages), GameLoadResult::Failed);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{kResourceError});
    ClearResources();
}
