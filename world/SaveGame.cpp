// The save file as a whole and the save and load operations.
#include "world/SaveGame.h"

#include "code/ErrorReport.h"
#include "code/FunctionCatalogue.h"
#include "code/Variables.h"
#include "data/GameData.h"
#include "data/Stream.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "world/GameKeys.h"
#include "world/GameState.h"
#include "world/Rooms.h"
#include "world/SaveRecords.h"
#include "world/SecureMode.h"
#include "world/StepLoop.h"
#include "world/World.h"

#include <new>
#include <stdexcept>

namespace {

// Everything a save file holds, read aside before any of it is used.
struct RSavedGame {
    int32_t room = -1;
    int32_t transitionKind = 0;
    int32_t score = 0;
    int32_t lives = -1;
    double health = 100;
    int32_t cursorSprite = -1;
    int32_t cursorImage = 0;
    bool automaticDraw = true;
    RGlobalsBlock globals;
    std::vector<std::unique_ptr<CLiveRoom>> rooms;
    int32_t lastInstanceId = 0;
    int32_t lastTileId = 0;
};

// Reads what follows the version and the game id; damage throws.
void ReadBody(CStream& stream, RSavedGame& saved)
{
    saved.room = stream.ReadInteger();
    saved.transitionKind = stream.ReadInteger();
    saved.score = stream.ReadInteger();
    saved.lives = stream.ReadInteger();
    saved.health = stream.ReadReal();
    saved.cursorSprite = stream.ReadInteger();
    saved.cursorImage = stream.ReadInteger();
    saved.automaticDraw = stream.ReadBoolean();
    if (!Variable_ReadGlobals(stream, saved.globals))
        throw EStreamError("Stream read error");
    int32_t slots = stream.ReadInteger();
    // Every slot takes at least its flag.
    if (slots < 0 || static_cast<size_t>(slots) > (stream.Size() - stream.Position()) / 4)
        throw EStreamError("Stream read error");
    saved.rooms.resize(static_cast<size_t>(slots));
    for (std::unique_ptr<CLiveRoom>& slot : saved.rooms)
        if (stream.ReadBoolean())
            slot = SaveRecords_ReadRoom(stream);
    saved.lastInstanceId = stream.ReadInteger();
    saved.lastTileId = stream.ReadInteger();
    // A game must go on in a room: a current room outside the table or in an
    // empty slot is as damaged as a short file.
    if (saved.room < 0 || saved.room >= slots || !saved.rooms[static_cast<size_t>(saved.room)])
        throw EStreamError("Stream read error");
}

void PutInPlace(RSavedGame& saved)
{
    TransitionKind = saved.transitionKind;
    GameState.score = saved.score;
    GameState.lives = saved.lives;
    GameState.health = saved.health;
    GameState.cursorSprite = saved.cursorSprite;
    GameState.cursorImage = saved.cursorImage;
    StepLoop.automaticDraw = saved.automaticDraw;
    Variable_ReplaceGlobals(std::move(saved.globals));
    Room_ReplaceLiveRooms(std::move(saved.rooms), saved.room);
    LastInstanceId = saved.lastInstanceId;
    LastTileId = saved.lastTileId;
    // The drawing region fits the room as when a room is entered.
    if (RoomHooks.roomEntered)
        RoomHooks.roomEntered(false);
}

void Report(const std::string& message, bool inEvent)
{
    if (inEvent)
        Error_ShowInEvent(message, false);
    else
        Error_Show(message, false);
}

bool F_GameSave(CExecutionContext&, RValue&, int, RValue* args)
{
    Game_Save(args[0].str.Text(), true);
    return true;
}

} // namespace

void SaveGame_Write(CStream& stream)
{
    stream.WriteInteger(kSaveFileVersion);
    stream.WriteInteger(GameId);
    stream.WriteInteger(CurrentRoomIndex);
    stream.WriteInteger(TransitionKind);
    stream.WriteInteger(GameState.score);
    stream.WriteInteger(GameState.lives);
    stream.WriteReal(GameState.health);
    stream.WriteInteger(GameState.cursorSprite);
    stream.WriteInteger(GameState.cursorImage);
    stream.WriteBoolean(StepLoop.automaticDraw);
    Variable_SaveGlobals(stream);
    const int32_t slots = Room_LiveSlotCount();
    stream.WriteInteger(slots);
    for (int32_t k = 0; k < slots; ++k) {
        const CLiveRoom* room = Room_LiveSlot(k);
        stream.WriteBoolean(room != nullptr);
        if (room)
            SaveRecords_WriteRoom(stream, *room);
    }
    stream.WriteInteger(LastInstanceId);
    stream.WriteInteger(LastTileId);
}

ESaveRead SaveGame_Apply(CStream& stream)
{
    RSavedGame saved;
    try {
        stream.Seek(0);
        if (stream.ReadInteger() != kSaveFileVersion)
            return ESaveRead::OtherVersion;
        if (stream.ReadInteger() != GameId)
            return ESaveRead::OtherGame;
        ReadBody(stream, saved);
    } catch (const EStreamError&) {
        return ESaveRead::Damaged;
    } catch (const std::bad_alloc&) {
        return ESaveRead::Damaged;
    } catch (const std::length_error&) {
        return ESaveRead::Damaged;
    }
    PutInPlace(saved);
    return ESaveRead::Loaded;
}

bool Game_Save(const std::string& file, bool inEvent)
{
    if (SecureMode_Forbids(file)) {
        Report("In secure mode you cannot save game to file " + file, inEvent);
        return false;
    }
    CStream stream;
    SaveGame_Write(stream);
    // Written beside the old file, flushed, then renamed over it.
    if (!Platform_ReplaceFile(ToHostPath(file), stream.Memory(), stream.Size())) {
        Report("Failed to save game to file " + file, inEvent);
        return false;
    }
    return true;
}

bool Game_Load(const std::string& file, bool inEvent)
{
    const std::string hostPath = ToHostPath(file);
    if (!Platform_FileExists(hostPath))
        return false;
    CStream stream;
    if (!stream.LoadFromFile(hostPath)) {
        Report("Failed to load game from file " + file, inEvent);
        return false;
    }
    switch (SaveGame_Apply(stream)) {
    case ESaveRead::Loaded:
        return true;
    case ESaveRead::OtherVersion:
        Report("Cannot load game saved with other version.", inEvent);
        return false;
    case ESaveRead::OtherGame:
        Report("This is a save file for a different game!", inEvent);
        return false;
    case ESaveRead::Damaged:
        break;
    }
    Report("Failed to load game from file " + file, inEvent);
    return false;
}

void World_InstallSaveHooks()
{
    RoomHooks.loadGame = [](const std::string& file) { return Game_Load(file, false); };
    GameKeys.saveGame = [](const std::string& file) { Game_Save(file, false); };
    GameKeys.loadGame = [](const std::string& file) { Game_Load(file, false); };
}

void World_ImplementSaveFunctions()
{
    Function_Implement("game_save", &F_GameSave);
    Function_Implement("action_save_game", &F_GameSave);
}
