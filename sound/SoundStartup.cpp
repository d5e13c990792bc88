// Choosing the audio device, and the life of the sound system.
#include "sound/Sound.h"

#include "platform/MessageBox.h"
#include "platform/NullAudio.h"
#include "platform/SoundFiles.h"
#include "sound/SoundResources.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"

#include <atomic>
#include <cstdio>
#include <memory>

namespace {

RSoundOptions Options;
constexpr int32_t kCaptureRate = 44100;
// Set when the capture asked for was not (completely) written.
std::atomic<bool> CaptureFailed = false;

// The capture device writes what it renders straight into the file.
std::unique_ptr<IAudioDevice> OpenCapture(const std::string& file)
{
    auto writer = std::make_shared<CWavWriter>();
    if (!writer->Open(file, kCaptureRate, 2)) {
        std::fprintf(stderr, "brindle-run: cannot write the sound capture %s\n", file.c_str());
        CaptureFailed = true;
        return nullptr;
    }
    std::string error;
    auto device = Platform_OpenLoopbackAudio(
        kCaptureRate,
        [writer, file](const int16_t* frames, int64_t count) {
            if (!writer->Write(frames, count) && !CaptureFailed.exchange(true))
                std::fprintf(stderr, "brindle-run: the sound capture %s could not be written completely\n",
                             file.c_str());
        },
        error);
    if (!device) {
        std::fprintf(stderr, "brindle-run: no sound capture: %s\n", error.c_str());
        CaptureFailed = true;
    }
    return device;
}

std::unique_ptr<IAudioDevice> ChooseDevice()
{
    if (!Options.captureFile.empty()) {
        if (auto device = OpenCapture(Options.captureFile))
            return device;
        return std::make_unique<CNullAudioDevice>();
    }
    if (Options.headless)
        return std::make_unique<CNullAudioDevice>();
    std::string error;
    if (auto device = Platform_OpenAudioDevice(error))
        return device;
    Platform_ShowMessage("No sound device detected. Sounds might not play.");
    return std::make_unique<CNullAudioDevice>();
}

} // namespace

void Sound_RegisterFunctions()
{
    Sound_ImplementPlaybackFunctions();
    Sound_ImplementEffectFunctions();
    Sound_ImplementCdFunctions();
    Sound_ImplementResourceFunctions();
    Sound_ImplementActions();
}

void Sound_SetOptions(const RSoundOptions& options)
{
    Options = options;
    CaptureFailed = false;
}

bool Sound_CaptureFailed()
{
    return CaptureFailed;
}

bool Sound_Prepare()
{
    Sound_ForgetAll();
    SoundSystem.Start(ChooseDevice());
    return Sound_PrepareAll();
}

void Sound_Update(double seconds)
{
    SoundSystem.Update(seconds);
}

void Sound_Shutdown()
{
    SoundSystem.Shutdown();
    Sound_ForgetAll();
}

void Sound_PlayVideoSound(const std::string& name, const RPcm& pcm, bool loop)
{
    SoundSystem.Player().PlaySamples(name, pcm, loop);
}

void Sound_StopVideoSound(const std::string& name)
{
    SoundSystem.Player().Stop(name);
}
