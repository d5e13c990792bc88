// Start of the game and shut-down.
#include "runner/Startup.h"

#include "data/GameData.h"
#include "data/Stream.h"
#include "graphics/Graphics.h"
#include "runner/LoadingWindow.h"
#include "runner/RunDirectory.h"
#include "platform/MessageBox.h"
#include "system/Parameters.h"

#include <cstdio>
#include <filesystem>
#include <new>

namespace {

std::string FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::absolute(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

} // namespace

GameLoadResult LoadGameGuarded(const std::string& gameFile, ILoadObserver* observer)
{
    // Damaged data shows one fixed message, whatever reader met it.
    try {
        return LoadGameData(gameFile, observer);
    } catch (const EStreamError&) {
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    Platform_ShowMessage(kCorruptGameMessage);
    return GameLoadResult::Failed;
}

int RunGame(const RunnerOptions& options)
{
    Platform_SetApplicationTitle(std::filesystem::path(options.GameFile).stem().string());
    GameParameters = options.GameArguments;
    CreateTempDir(FolderOf(options.GameFile));

    CLoadingWindow loadingWindow;
    GameLoadResult result = LoadGameGuarded(options.GameFile, &loadingWindow);
    if (result != GameLoadResult::Loaded) {
        RemoveTempDir();
        return result == GameLoadResult::Tampered ? kExitTampered : kExitFailed;
    }
    loadingWindow.Progress(90, "Preparing graphics");
    if (!Display_Start(Settings, Platform_OpenGameWindow(options.Headless))) {
        Display_Close();
        RemoveTempDir();
        return kExitFailed;
    }
    loadingWindow.Progress(100, "Ready");
    loadingWindow.Close();

    std::printf("Loaded game %d.\n", GameId);
    std::fflush(stdout);

    Display_Close();
    RemoveTempDir();
    return kExitClean;
}
