// The order of the game data: header, outer body, main body, sections.
#include "data/GameData.h"

#include "data/GameContainer.h"
#include "data/GameSettings.h"
#include "data/Resources.h"
#include "data/Sections.h"
#include "data/Stream.h"
#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/RunFolder.h"

bool GameDebugMode = false;
int32_t GameId = 0;
std::array<uint8_t, 16> GameGUID{};

namespace {

constexpr const char* kResourceError = "Error: Error in resource data.";

class CNullObserver : public ILoadObserver {
public:
    void SettingsRead(bool) override {}
    void Progress(int, const std::string&) override {}
};

} // namespace

GameLoadResult LoadGameData(const std::string& hostPath, ILoadObserver* observer)
{
    // Nothing before the marker's first possible place is ever looked at:
    // that stretch is the runner's own program image and the zeros after
    // it, several megabytes that would cost more to read than the whole
    // start of an empty game.
    CStream file;
    if (!file.LoadFromFile(hostPath, kMarkerSearchStart)) {
        Platform_ShowMessage("Error: Cannot read the game file.");
        return GameLoadResult::Failed;
    }
    return LoadGameDataFromStream(file, observer, kMarkerSearchStart);
}

GameLoadResult LoadGameDataFromStream(CStream& file, ILoadObserver* observer, int64_t fileOffset)
{
    CNullObserver nullObserver;
    if (!observer)
        observer = &nullObserver;
    ClearResources();
    InitFastCRC();

    int64_t marker = FindGameDataMarker(file.Memory(), static_cast<int64_t>(file.Size()), fileOffset);
    if (marker < 0) {
        Platform_ShowMessage("Error: Not a valid game file.");
        return GameLoadResult::Failed;
    }
    file.Seek(static_cast<size_t>(marker + 16));
    int32_t storedVersion = file.ReadInteger();
    file.Seek(static_cast<size_t>(marker + 16));
    file.WriteInteger(storedVersion ^ VersionMask(marker + fileOffset));

    if (!DecryptWad(file, marker + 8))
        return GameLoadResult::Tampered;

    file.Seek(static_cast<size_t>(marker + 16));
    if (file.ReadInteger() != kGameDataVersion) {
        Platform_ShowMessage("Error: Wrong version number.");
        return GameLoadResult::Failed;
    }
    file.ReadInteger(); // reserved
    GameDebugMode = file.ReadBoolean();
    file.ReadInteger(); // reserved
    if (!Settings.LoadFromStream(file)) {
        Platform_ShowMessage(kResourceError);
        return GameLoadResult::Failed;
    }
    observer->SettingsRead(GameDebugMode);
    observer->Progress(1, "Reading data");

    // The stored library is the original platform's 3D helper. It is written
    // out as the format expects, but nothing here ever loads it.
    std::string libraryName = SafeFileName(file.ReadString());
    std::unique_ptr<CStream> library = file.ReadStreamC();
    if (!libraryName.empty() && !TempDir.empty())
        Platform_WritePrivateFile(TempDir + "/" + libraryName, library->Bytes().data(), library->Bytes().size());
    library.reset();

    std::unique_ptr<CStream> body = file.ReadStreamE();
    int32_t filler = body->ReadInteger();
    for (int32_t k = 0; k < filler; ++k)
        body->ReadInteger();
    body->ReadInteger(); // reserved
    GameId = body->ReadInteger();
    body->ReadBytes(GameGUID.data(), GameGUID.size());

    if (!LoadSections(*body, *observer))
        return GameLoadResult::Failed;
    return GameLoadResult::Loaded;
}
