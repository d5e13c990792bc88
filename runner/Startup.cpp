// Start of the game and shut-down.
#include "runner/Startup.h"

#include "data/GameData.h"
#include "dialogs/Dialogs.h"
#include "data/ResourceDump.h"
#include "data/Resources.h"
#include "data/RetiredResources.h"
#include "data/Stream.h"
#include "graphics/Graphics.h"
#include "runner/LoadingWindow.h"
#include "runner/RunDirectory.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "system/Extensions.h"
#include "system/ExternalFunctions.h"
#include "system/FileFunctions.h"
#include "system/Parameters.h"
#include "code/ErrorReport.h"
#include "library/Random.h"
#include "motion/Motion.h"
#include "runner/IncludedFiles.h"
#include "runner/InputConnection.h"
#include "runner/Preparation.h"
#include "runner/ProjectRun.h"
#include "sound/Sound.h"
#include "world/GameState.h"
#include "world/GameVariables.h"
#include "world/Input.h"
#include "graphics/Screenshots.h"
#include "multiplayer/Multiplayer.h"
#include "particles/Particles.h"
#include "platform/NetworkPlay.h"
#include "platform/StopSignals.h"
#include "world/GameKeys.h"
#include "world/HookSlot.h"
#include "world/Rooms.h"
#include "world/SaveGame.h"
#include "world/StepLoop.h"
#include "world/World.h"

#include <cstdio>
#include <filesystem>
#include <new>

namespace {

std::string FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::absolute(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

uint32_t SeedAtStart = 0;

// Sound moves on by the time each step took: exactly one step at the room
// speed when time is virtual or the sound is captured, so a capture holds
// 44100 / room speed frames per step.
IStepClock* SoundClock = nullptr;
bool SoundBySteps = false;
int64_t SoundLastTime = 0;

void UpdateSound()
{
    int64_t now = SoundClock->Microseconds();
    double seconds = (now - SoundLastTime) / 1e6;
    SoundLastTime = now;
    if (SoundBySteps)
        seconds = 1.0 / (CurrentRoom && CurrentRoom->r_speed > 0 ? CurrentRoom->r_speed : 30);
    Sound_Update(seconds);
}

} // namespace

GameLoadResult LoadGameGuarded(const std::string& gameFile, ILoadObserver* observer,
                               std::vector<uint8_t>* inMemory)
{
    // Damaged data shows one fixed message, whatever reader met it.
    try {
        if (inMemory) {
            CStream stream(std::move(*inMemory));
            return LoadGameDataFromStream(stream, observer);
        }
        return LoadGameData(gameFile, observer);
    } catch (const EStreamError&) {
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    Platform_ShowMessage(kCorruptGameMessage);
    return GameLoadResult::Failed;
}

bool Runner_InstallHooks(const RunnerOptions& options, IStepClock& clock, std::string& problem)
{
    Hooks_BeginStartup();
    // Waits before the loop runs (sleep or a splash's delay in the first
    // room's creation) pass on the run's clock too, not in real time.
    StepLoop_SetClock(&clock);
    RoomHooks.seedRandom = options.HasSeed || options.Headless ? +[] { Random_SetSeed(SeedAtStart); }
                                                               : +[] { Random_Randomize(); };
    SeedAtStart = options.Seed;
    Error_SetAbortWithoutWindow(options.AbortOnErrors);
    Error_SetHooks(RErrorHooks{[](const std::string& text, bool abortOnly) {
                                   bool shown = false;
                                   bool abort = Platform_ShowErrorWindow(text, abortOnly, shown);
                                   return shown ? (abort ? 1 : 0) : -1;
                               },
                               &Input_ClearAll, [] { PendingRoomChange = kChangeStop; }, &Runner_TellErrorPlace});
    // Drawing first: input then takes over the window's messages, as it
    // handles every window event, the close button included.
    Graphics_InstallWorldHooks();
    Runner_ConnectInput();
    // Nobody sits at the screen of an automated run: its dialogs answer
    // from the input script or take their defaults.
    Dialogs_SetAutomated(options.Headless || options.Steps >= 0 || !options.InputFile.empty() ||
                         !options.ScreenshotFile.empty());
    Dialogs_Start();
    GameKeys.toggleFullScreen = &Graphics_ToggleFullScreen;
    GameKeys.saveScreenshot = [](const std::string& file) { Screen_SaveWhole(file); };
    World_InstallSaveHooks();
    RoomHooks.startExtensions = &Extensions_Start;
    RoomHooks.endExtensions = &Extensions_End;
    // A headless run never reaches past this computer.
    Multiplayer_Start(Platform_CreateNetworkPlay(RNetworkPlayOptions{options.Headless, Platform_NetworkPlayPort()}),
                      GameGUID);
    StepHooks.serviceNetwork = &Multiplayer_Service;

    SoundClock = &clock;
    SoundBySteps = &clock == &VirtualStepClock() || !options.SoundCapture.empty();
    SoundLastTime = clock.Microseconds();
    StepHooks.updateSound = &UpdateSound;
    Motion_InstallStepHooks();
    Particles_InstallHooks();
    problem = Hooks_FinishStartup(kHookDebugChecks);
    return problem.empty();
}

namespace {

// The game's run: start, the step loop, the end. False when an error ended it.
bool RunTheGame(const RunnerOptions& options)
{
    IStepClock& clock = options.Headless || options.Fast ? VirtualStepClock() : RealStepClock();
    // A headless run repeats exactly: its time and dates follow the steps
    // from a fixed start date-time.
    if (options.Headless)
        Platform_SetClock(&VirtualTimeSource());
    std::string problem;
    if (!Runner_InstallHooks(options, clock, problem)) {
        std::fprintf(stderr, "brindle-run: internal error: %s\n", problem.c_str());
        Multiplayer_Shutdown();
        return false;
    }
    bool screenshotMissing = false;

    StepLoop = RStepLoopState();
    StepLoop.running = true;
    if (!Game_Start()) {
        StepLoop.running = false;
    } else {
        RStepLoopOptions loop;
        loop.clock = &clock;
        loop.maxSteps = options.Steps;
        loop.pace = options.Headless && !options.Fast;
        loop.takeStopRequest = &Platform_TakeStopRequest;
        StepLoop_Run(loop);
        // The debug window may hold the game paused between runs of the loop.
        while (Dialogs_HoldWhilePaused())
            StepLoop_Run(loop);
        if (!options.ScreenshotFile.empty() && !Graphics_SaveLastFrame(options.ScreenshotFile)) {
            std::fprintf(stderr,
                         "brindle-run: the last frame was not written to %s"
                         " (no display to draw on, or the file cannot be written)\n",
                         options.ScreenshotFile.c_str());
            screenshotMissing = true;
        }
    }
    // A stop asked during the last step or the start is carried out here:
    // the game end event runs in full.
    Platform_TakeStopRequest();
    Game_End();
    Resource_FreeRetired(); // while what their code needs is still there
    Dialogs_Shutdown();
    Multiplayer_Shutdown();
    return !Error_Terminating && !screenshotMissing;
}

} // namespace

int RunGame(const RunnerOptions& givenOptions)
{
    RunnerOptions options = givenOptions;
    std::string scriptError;
    if (!options.InputFile.empty() && !Runner_LoadInputScript(options.InputFile, scriptError)) {
        std::fprintf(stderr, "brindle-run: %s\n", scriptError.c_str());
        return kExitUsage;
    }
    if (!options.RecordFile.empty()) {
        // A recorded run has a seed that the recording tells, as if given.
        if (!options.HasSeed && !options.Headless) {
            options.HasSeed = true;
            options.Seed = static_cast<uint32_t>(Platform_SystemClock().MonotonicMicroseconds());
        }
        if (!Runner_StartRecording(options.RecordFile, options.Seed, options.GameFile, scriptError)) {
            std::fprintf(stderr, "brindle-run: %s\n", scriptError.c_str());
            return kExitUsage;
        }
    }
    // A project folder runs as it stands, packed in memory; the folder is
    // then where the game's program lies.
    bool fromFolder = Platform_DirectoryExists(options.GameFile);
    std::vector<uint8_t> packed;
    if (fromFolder && !Runner_PackProject(options.GameFile, packed))
        return kExitFailed;
    std::string programFolder =
        fromFolder ? std::filesystem::absolute(options.GameFile).lexically_normal().string() : FolderOf(options.GameFile);
    while (programFolder.size() > 1 && programFolder.back() == '/')
        programFolder.pop_back();
    Platform_SetApplicationTitle(fromFolder ? std::filesystem::path(programFolder).filename().string()
                                            : std::filesystem::path(options.GameFile).stem().string());
    GameParameters = options.GameArguments;
    GameState.secureMode = System_ReadSecureMode();
    Game_SetProgramDirectory(programFolder);
    CreateTempDir(programFolder);

    CLoadingWindow loadingWindow(options.Headless || options.Dump);
    GameLoadResult result = LoadGameGuarded(options.GameFile, &loadingWindow, fromFolder ? &packed : nullptr);
    if (result != GameLoadResult::Loaded) {
        RemoveTempDir();
        return result == GameLoadResult::Tampered ? kExitTampered : kExitFailed;
    }

    if (options.Dump) {
        loadingWindow.Close();
        std::string text = "game " + std::to_string(GameId) + "\n" + DumpResources(GameResources);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
        RemoveTempDir();
        return kExitClean;
    }

    int status = kExitClean;
    bool prepared = false;
    try {
        LastInstanceId = GameResources.LastInstanceId;
        Sound_SetOptions(RSoundOptions{options.Headless, options.SoundCapture});
        if (!Runner_PrepareGame(loadingWindow, options.Headless)) {
            status = kExitFailed;
        } else {
            prepared = true;
            loadingWindow.Close();
            if (!RunTheGame(options))
                status = kExitFailed;
        }
    } catch (const std::exception&) {
        Platform_ShowMessage("Unexpected error occured when running the game.");
        status = kExitFailed;
    }
    // The shut-down removes the included files after an unexpected error too.
    if (prepared)
        IncludedFiles_RemoveAll();
    std::fflush(stdout);

    Runner_StopRecording();
    System_CloseFiles();
    External_FreeAll();
    Display_Close();
    Sound_Shutdown();
    if (Sound_CaptureFailed())
        status = kExitFailed;
    RemoveTempDir();
    return status;
}
