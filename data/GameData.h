// LoadGameData: finds the game data in the game file, checks and unscrambles
// it, and reads the settings and every section into the program's tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class CStream;

// Start-up follows the load through this: the loading window appears once the
// settings are known, and each section announces itself before it is read.
class ILoadObserver {
public:
    virtual ~ILoadObserver() = default;
    virtual void SettingsRead(bool debugMode) = 0;
    virtual void Progress(int percent, const std::string& text) = 0;
};

enum class GameLoadResult {
    Loaded,
    Failed,   // a message has been shown
    Tampered, // the checksum differs: end at once, without a message
};

// What the header of the game data holds beyond the settings.
extern bool GameDebugMode;
extern int32_t GameId;
extern std::array<uint8_t, 16> GameGUID;

// Reads the file at hostPath. Read and decompression errors are thrown
// (EStreamError); the caller reports them.
GameLoadResult LoadGameData(const std::string& hostPath, ILoadObserver* observer);
// The same over a file already in memory; the stream is unscrambled in place.
// The stream may start at byte fileOffset of the file (before the marker).
GameLoadResult LoadGameDataFromStream(CStream& file, ILoadObserver* observer, int64_t fileOffset = 0);

// The message start-up shows when an error escapes the load.
constexpr const char* kCorruptGameMessage = "Failed to load the game data. File seems corrupted.";
