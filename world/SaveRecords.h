// The records of a saved game: a live room with its background and view
// slots, its active and deactivated instances and its tiles, and one
// instance with every field and its variables. Nothing is recomputed when
// a record is read back: the instance takes its object from its object
// index and everything else exactly as stored.
#pragma once

#include <cstdint>
#include <memory>

class CInstance;
class CLiveRoom;
class CStream;

constexpr int32_t kSavedRoomVersion = 540;

void SaveRecords_WriteRoom(CStream& stream, const CLiveRoom& room);
// A new room with its instance lists built; damaged data (a short record,
// a wrong version, a slot count beyond 8) throws EStreamError.
std::unique_ptr<CLiveRoom> SaveRecords_ReadRoom(CStream& stream);

void SaveRecords_WriteInstance(CStream& stream, const CInstance& instance);
std::unique_ptr<CInstance> SaveRecords_ReadInstance(CStream& stream);
