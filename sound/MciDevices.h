// The media command strings games send themselves (MCI_command): the small
// part that opens, plays, pauses, seeks, asks about and closes sound files.
// Any other command, and every command to the CD drive (there is none),
// gets the empty reply. Times are milliseconds.
#pragma once

#include "platform/AudioDevice.h"

#include <map>
#include <string>
#include <vector>

class CMciDevices {
public:
    void Attach(IAudioDevice* device) { m_device = device; }
    // Closes every opened file and lets go of the device.
    void Detach();

    // The reply to one command, at most 255 characters.
    std::string Send(const std::string& command);

private:
    struct ROpened {
        AudioPathId path = 0;
        AudioBufferId buffer = 0;
        AudioVoiceId voice = 0;
        double length = 0;    // seconds
        double position = 0;  // seconds, while not playing
        double started = 0;   // where the voice started, seconds
        bool paused = false;
        bool loop = false;
    };

    void CloseAll();
    std::string Open(const std::vector<std::string>& words);
    void Close(const std::string& name);
    void Start(ROpened& opened, double at);
    double PositionOf(ROpened& opened);
    bool IsPlaying(ROpened& opened);
    std::string Status(ROpened& opened, const std::string& item);

    IAudioDevice* m_device = nullptr;
    std::map<std::string, ROpened> m_opened; // by lower-case alias
};
