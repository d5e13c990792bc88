// The media player of multimedia sounds: one file at a time, opened anew for
// every play, replacing whatever the player had.
#pragma once

#include "platform/AudioDevice.h"

#include <string>

class CMediaPlayer {
public:
    void Attach(IAudioDevice* device) { m_device = device; }
    // Closes the file and lets go of the device.
    void Detach();

    // Plays the file from its start, looping on request. A name the player
    // cannot take is reported; a missing file plays nothing.
    void Play(const std::string& hostPath, bool loop);
    // Plays samples decoded elsewhere (a video's sound) under the name.
    void PlaySamples(const std::string& name, const RPcm& pcm, bool loop);
    // Stops only when the player holds this file.
    void Stop(const std::string& hostPath);
    bool IsPlaying(const std::string& hostPath);
    void StopAny();
    const std::string& File() const { return m_file; }

private:
    void Close();

    IAudioDevice* m_device = nullptr;
    AudioPathId m_path = 0;
    AudioBufferId m_buffer = 0;
    AudioVoiceId m_voice = 0;
    std::string m_file;
};
