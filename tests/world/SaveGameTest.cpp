// Saving and loading a running game: the stored layout, the messages, a
// damaged or truncated file that must leave the game as it was, and a save
// that fails or is killed half-way, which must leave the previous save whole.
#include "code/ErrorReport.h"
#include "code/Variables.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "data/Stream.h"
#include "platform/Files.h"
#include "tests/world/RunningGameFixture.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/SaveGame.h"
#include "world/SaveRecords.h"
#include "world/World.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kGame = R"(
[game]
id = 4242
room_order = ["rm_a", "rm_b"]

[[object]]
name = "obj_thing"
[[object.event]]
on = "create"
code = "hp = 3; tag = chr(200) + chr(255); grid[2, 5] = id; alarm[1] = 9;"

[[object]]
name = "obj_other"

[[room]]
name = "rm_a"
persistent = true
[[room.instance]]
object = "obj_thing"
x = 10
y = 20
[[room.instance]]
object = "obj_other"
x = 30
y = 40

[[room]]
name = "rm_b"
)";

class SaveGameTest : public RunningGameFixture {
protected:
    void SetUp() override
    {
        RunningGameFixture::SetUp();
        LoadGame(kGame);
        StartGame();
        World_InstallSaveHooks();
        Settings.ShowErrorMessages = false; // the tests read Error_Last
        Run("global.g = 'caf' + chr(233); globalvar gv; gv = 5; score = 17; instance_deactivate_object(obj_other);");
    }

    // The running game as a save file would hold it.
    static std::vector<uint8_t> Snapshot()
    {
        CStream stream;
        SaveGame_Write(stream);
        return stream.Bytes();
    }

    static std::vector<uint8_t> ReadFile(const std::string& path)
    {
        std::vector<uint8_t> bytes;
        Platform_ReadWholeFile(path, bytes);
        return bytes;
    }

    // Loads a file and gives the message it showed ("" for none).
    std::string LoadMessage(const std::string& path)
    {
        Error_Last.clear();
        Game_Load(path, false);
        return Error_Last;
    }
};

int32_t IntegerAt(const std::vector<uint8_t>& bytes, size_t offset)
{
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

double RealAt(const std::vector<uint8_t>& bytes, size_t offset)
{
    double value;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
}

} // namespace

TEST_F(SaveGameTest, HeaderAndRecordsAreLaidOutAsStored)
{
    GameState.health = 66.5;
    std::vector<uint8_t> file = Snapshot();
    EXPECT_EQ(IntegerAt(file, 0), 540);
    EXPECT_EQ(IntegerAt(file, 4), 4242); // game id
    EXPECT_EQ(IntegerAt(file, 8), 0);    // room
    EXPECT_EQ(IntegerAt(file, 16), 17);  // score
    EXPECT_EQ(RealAt(file, 24), 66.5);   // health
    EXPECT_EQ(IntegerAt(file, 44), 700); // the globals block follows the header
    EXPECT_EQ(IntegerAt(file, 48), 440);

    // One instance: the box is stored left, right, top, bottom.
    CInstance instance;
    instance.i_id = 100123;
    instance.i_imageblend = 0x00FF8000;
    instance.i_x = 12.5;
    instance.i_bbox = RBox{1, 2, 3, 4}; // left, top, right, bottom
    instance.i_timer[11] = 77;
    instance.i_initcode = "x";
    CStream stream;
    SaveRecords_WriteInstance(stream, instance);
    const std::vector<uint8_t>& record = stream.Bytes();
    EXPECT_EQ(IntegerAt(record, 0), 100123);
    EXPECT_EQ(IntegerAt(record, 56), 0x00FF8000);
    EXPECT_EQ(RealAt(record, 64 + 8), 12.5); // after the depth
    EXPECT_EQ(IntegerAt(record, 176), 1);
    EXPECT_EQ(IntegerAt(record, 180), 3);
    EXPECT_EQ(IntegerAt(record, 184), 2);
    EXPECT_EQ(IntegerAt(record, 188), 4);
    EXPECT_EQ(IntegerAt(record, 208 + 11 * 4), 77);
    EXPECT_EQ(IntegerAt(record, 356), 1); // the creation code's length
    EXPECT_EQ(IntegerAt(record, 361), 440);

    // A background entry stores its scales before its speeds.
    CurrentRoom->r_background[0].xscale = 2;
    CurrentRoom->r_background[0].hspeed = 5;
    stream.Clear();
    SaveRecords_WriteRoom(stream, *CurrentRoom);
    size_t back = 4 + 4 + 4 * 3 + 4 + 4 + 4 + 4 + 4; // version, empty caption, sizes, flags, empty code, count
    EXPECT_EQ(IntegerAt(stream.Bytes(), back - 4), 8);
    EXPECT_EQ(RealAt(stream.Bytes(), back + 4 + 4 + 4 + 16 + 8), 2);
    EXPECT_EQ(RealAt(stream.Bytes(), back + 4 + 4 + 4 + 16 + 8 + 16), 5);
}

TEST_F(SaveGameTest, LoadBringsEverythingBackWithoutEvents)
{
    std::string path = w_folder.File("slot.sav");
    ASSERT_TRUE(Game_Save(path, false));
    std::vector<uint8_t> saved = ReadFile(path);
    EXPECT_EQ(saved, Snapshot());
    int32_t lastId = LastInstanceId;

    Run("global.g = 0; gv = 1; score = 0; with (obj_thing) { tag = ''; grid[2, 5] = 0; alarm[1] = -1; }");
    Run("instance_create(0, 0, obj_thing); instance_activate_object(obj_other); room_goto(rm_b);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    ASSERT_EQ(CurrentRoomIndex, 1);
    TakeMessages();

    ASSERT_TRUE(Game_Load(path, false));
    EXPECT_EQ(Error_Last, "");
    EXPECT_EQ(CurrentRoomIndex, 0);
    EXPECT_EQ(Snapshot(), saved); // every field, variable, room and counter
    EXPECT_EQ(LastInstanceId, lastId);
    EXPECT_EQ(CurrentRoom->DeactivatedCount(), 1);
    EXPECT_EQ(Evaluate("obj_thing.grid[2, 5] == obj_thing.id").val, 1);
    EXPECT_EQ(Evaluate("ord(string_char_at(obj_thing.tag, 2))").val, 255);
    EXPECT_TRUE(TakeMessages().empty());
    // New instances continue from the saved counter.
    EXPECT_EQ(Evaluate("instance_create(0, 0, obj_other)").val, lastId + 1);
}

TEST_F(SaveGameTest, FailuresReportTheirMessageAndChangeNothing)
{
    std::string good = w_folder.File("good.sav");
    ASSERT_TRUE(Game_Save(good, false));
    std::vector<uint8_t> bytes = ReadFile(good);
    auto variant = [&](const std::string& name, size_t offset, int32_t value) {
        std::vector<uint8_t> changed = bytes;
        std::memcpy(changed.data() + offset, &value, 4);
        w_folder.Write(name, changed);
        return w_folder.File(name);
    };
    Run("score = 3; room_goto(rm_b);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    const std::vector<uint8_t> before = Snapshot();

    struct {
        std::string path;
        std::string message;
    } cases[] = {
        {w_folder.File("missing.sav"), ""},
        {variant("version.sav", 0, 541), "Cannot load game saved with other version."},
        {variant("game.sav", 4, 4243), "This is a save file for a different game!"},
        {variant("room.sav", 8, 1), "Failed to load game from file " + w_folder.File("room.sav")}, // an empty slot
        {variant("globals.sav", 44, 701), "Failed to load game from file " + w_folder.File("globals.sav")},
        {variant("list.sav", 48, 441), "Failed to load game from file " + w_folder.File("list.sav")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadMessage(c.path), c.message) << c.path;
        EXPECT_EQ(Snapshot(), before) << c.path;
    }

    // Saving: secure mode refuses a path; a folder that does not exist fails.
    GameState.secureMode = true;
    Error_Last.clear();
    EXPECT_FALSE(Game_Save("saves\\one.sav", false));
    EXPECT_EQ(Error_Last, "In secure mode you cannot save game to file saves\\one.sav");
    EXPECT_FALSE(Game_Save("saves/one.sav", false));
    GameState.secureMode = false;
    std::string nowhere = w_folder.File("no/such/folder.sav");
    EXPECT_FALSE(Game_Save(nowhere, false));
    EXPECT_EQ(Error_Last, "Failed to save game to file " + nowhere);
}

// Every cut of the file and a spoiled word at every place of its rooms: a
// load either succeeds or fails with the message and leaves the game as it
// was. Most cases are read from memory; every 50th goes through a file and
// the message.
TEST_F(SaveGameTest, TruncatedOrDamagedFilesLeaveTheGameAsItWas)
{
    Run("repeat (20) instance_create(random(100), 7, obj_thing);");
    std::string good = w_folder.File("good.sav");
    ASSERT_TRUE(Game_Save(good, false));
    const std::vector<uint8_t> bytes = ReadFile(good);
    Run("score = 99; global.g = 'other'; with (obj_thing) x += 1; room_goto(rm_b);");
    ASSERT_TRUE(Room_CarryOutPendingChange());
    const std::vector<uint8_t> before = Snapshot();
    const std::string path = w_folder.File("bad.sav");
    const std::string message = "Failed to load game from file " + path;
    int tried = 0;
    // True when the file was refused, with the game unchanged.
    auto refused = [&](const std::vector<uint8_t>& file) {
        bool viaFile = ++tried % 50 == 0;
        bool failed;
        if (viaFile) {
            w_folder.Write("bad.sav", file);
            std::string shown = LoadMessage(path);
            failed = !shown.empty();
            EXPECT_TRUE(shown.empty() || shown == message) << shown;
        } else {
            CStream stream(file);
            failed = SaveGame_Apply(stream) != ESaveRead::Loaded;
        }
        if (failed) {
            EXPECT_EQ(Snapshot(), before);
        }
        return failed;
    };

    // The globals block holds 10000 declaration flags; cuts inside it are
    // sampled, everywhere else every length is tried.
    CStream globals;
    Variable_SaveGlobals(globals);
    const size_t roomsStart = 44 + globals.Size();
    for (size_t length = 0; length < bytes.size(); length += length > 64 && length < roomsStart ? 97 : 1) {
        ASSERT_TRUE(refused(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(length))))
            << "cut at " << length;
        if (HasFailure())
            return;
    }

    int refusedCount = 0, acceptedCount = 0;
    for (int32_t spoiled : {-1, 0x7FFFFFFF, 12345}) {
        for (size_t offset = roomsStart; offset + 4 <= bytes.size(); offset += 4) {
            std::vector<uint8_t> damaged = bytes;
            std::memcpy(damaged.data() + offset, &spoiled, 4);
            if (refused(damaged)) {
                ++refusedCount;
            } else {
                ++acceptedCount; // a plausible value: the game is now what the file says
                CStream restore(before);
                ASSERT_EQ(SaveGame_Apply(restore), ESaveRead::Loaded);
            }
            if (HasFailure())
                return;
        }
    }
    EXPECT_GT(refusedCount, 100);
    EXPECT_GT(acceptedCount, 100);
}

// A save that cannot be finished (the disk is full, or the runner dies while
// writing) leaves the previous save as it was.
TEST_F(SaveGameTest, AnUnfinishedSaveKeepsThePreviousOne)
{
    const std::string path = w_folder.File("slot.sav");
    ASSERT_TRUE(Game_Save(path, false));
    const std::vector<uint8_t> previous = ReadFile(path);
    Run("repeat (2000) instance_create(0, 0, obj_thing);");
    CStream large;
    SaveGame_Write(large);
    const rlim_t limit = previous.size() + large.Size() / 2;
    ASSERT_GT(large.Size(), limit);

    // The file size limit makes the write fail half-way, as a full disk does.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = {limit, old.rlim_max};
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Error_Last.clear();
    bool saved = Game_Save(path, false);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(Error_Last, "Failed to save game to file " + path);
    EXPECT_EQ(ReadFile(path), previous);
    for (const auto& entry : std::filesystem::directory_iterator(w_folder.Path()))
        EXPECT_TRUE(entry.path().filename() == "slot.sav" || entry.path().filename() == "game.toml")
            << "left behind: " << entry.path();

    // The same limit with its signal's default action kills the process in
    // the middle of the write.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        setrlimit(RLIMIT_FSIZE, &small);
        Game_Save(path, false);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadFile(path), previous);
    EXPECT_TRUE(Game_Load(path, false));
    EXPECT_EQ(CurrentRoom->InstanceCount(), 1); // the save from before the 2000 instances
}
