// cd_* and MCI_command: the command sequences the CD functions send and how
// they read the replies.
#include "code/FunctionCatalogue.h"
#include "sound/CdAudio.h"
#include "sound/SoundRoutines.h"
#include "sound/SoundSystem.h"

#include <cctype>
#include <string>

namespace {

MciSender Sender;

// Replies of the CD functions are read into 20 characters.
std::string Ask(const std::string& command)
{
    std::string reply = Sound_SendMci(command);
    if (reply.size() > 19)
        reply.resize(19);
    return reply;
}

// The number formed by the decimal digits of a reply.
int64_t Digits(const std::string& reply)
{
    int64_t number = 0;
    for (char c : reply)
        if (std::isdigit(static_cast<unsigned char>(c)) && number < 100000000000LL)
            number = number * 10 + (c - '0');
    return number;
}

const char* const kTmsf = "set cdaudio time format tmsf wait";
const char* const kMilliseconds = "set cdaudio time format milliseconds wait";

bool Present()
{
    return Ask("status cdaudio media present") == "true";
}

bool OpenAndPresent()
{
    Ask("open cdaudio");
    return Present();
}

int64_t NumberOfTracks()
{
    return OpenAndPresent() ? Digits(Ask("status cdaudio number of tracks")) : 0;
}

bool Playing()
{
    return OpenAndPresent() && Ask("status cdaudio mode") == "playing";
}

int64_t Track()
{
    Ask("open cdaudio");
    Ask(kTmsf);
    return Present() ? Digits(Ask("status cdaudio position").substr(0, 2)) : 0;
}

void Result(RValue& result, int64_t number)
{
    result = RValue(static_cast<double>(number));
}

bool CdInit(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("close cdaudio");
    Ask("open cdaudio");
    return true;
}

bool CdPresent(CExecutionContext&, RValue& result, int, RValue*)
{
    Result(result, OpenAndPresent());
    return true;
}

bool CdNumber(CExecutionContext&, RValue& result, int, RValue*)
{
    Result(result, NumberOfTracks());
    return true;
}

bool CdPlaying(CExecutionContext&, RValue& result, int, RValue*)
{
    Result(result, Playing());
    return true;
}

bool CdPaused(CExecutionContext&, RValue& result, int, RValue*)
{
    bool paused = false;
    if (OpenAndPresent()) {
        std::string mode = Ask("status cdaudio mode");
        paused = mode == "paused" || mode == "stopped";
    }
    Result(result, paused);
    return true;
}

bool CdTrack(CExecutionContext&, RValue& result, int, RValue*)
{
    Result(result, Track());
    return true;
}

bool CdLength(CExecutionContext&, RValue& result, int, RValue*)
{
    Ask("open cdaudio");
    Ask("set cdaudio time format ms wait");
    int64_t length = Present() ? Digits(Ask("status cdaudio length wait")) : 0;
    Ask(kTmsf);
    Result(result, length);
    return true;
}

bool CdTrackLength(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t track = ArgInteger(args[0]);
    if (track < 1 || track > NumberOfTracks())
        return true;
    Ask(kMilliseconds);
    int64_t length = Present() ? Digits(Ask("status cdaudio length track " + std::to_string(track))) : 0;
    Ask(kTmsf);
    Result(result, length);
    return true;
}

bool CdPosition(CExecutionContext&, RValue& result, int, RValue*)
{
    Ask(kMilliseconds);
    int64_t position = Present() ? Digits(Ask("status cdaudio position")) : 0;
    Ask(kTmsf);
    Result(result, position);
    return true;
}

bool CdTrackPosition(CExecutionContext&, RValue& result, int, RValue*)
{
    Ask(kTmsf);
    if (!Present())
        return true;
    // The reply reads TT:MM:SS:FF.
    std::string reply = Ask("status cdaudio position");
    std::string minutes = reply.size() > 3 ? reply.substr(3, 2) : std::string();
    std::string seconds = reply.size() > 6 ? reply.substr(6, 2) : std::string();
    Result(result, Digits(minutes) * 60000 + Digits(seconds) * 1000);
    return true;
}

bool CdPlay(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!OpenAndPresent())
        return true;
    Ask(kTmsf);
    int64_t first = ArgInteger(args[0]);
    int64_t last = ArgInteger(args[1]);
    if (last < first)
        return true;
    if (first < 1)
        first = 1;
    if (last < NumberOfTracks())
        Ask("play cdaudio from " + std::to_string(first) + " to " + std::to_string(last + 1));
    else
        Ask("play cdaudio from " + std::to_string(first));
    return true;
}

bool CdStop(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("stop cdaudio");
    return true;
}

bool CdPause(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("pause cdaudio");
    return true;
}

bool CdResume(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("play cdaudio");
    return true;
}

// Plays from or seeks to position (in the time format just set).
void MoveTo(const std::string& position)
{
    if (Playing())
        Ask("play cdaudio from " + position);
    else
        Ask("seek cdaudio to " + position);
}

bool CdSetPosition(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!Present())
        return true;
    Ask(kMilliseconds);
    MoveTo(std::to_string(ArgInteger(args[0])));
    Ask("set cdaudio time format tmsf");
    return true;
}

bool CdSetTrackPosition(CExecutionContext&, RValue&, int, RValue* args)
{
    if (!Present())
        return true;
    int64_t track = Track();
    if (track <= 0)
        return true;
    int64_t ms = ArgInteger(args[0]);
    std::string position = std::to_string(track) + ":" + std::to_string(ms / 60000) + ":" +
                           std::to_string((ms % 60000) / 1000);
    Ask(kTmsf);
    MoveTo(position);
    Ask("set cdaudio time format tmsf");
    return true;
}

bool CdOpenDoor(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("set cdaudio door open");
    return true;
}

bool CdCloseDoor(CExecutionContext&, RValue&, int, RValue*)
{
    Ask("set cdaudio door closed");
    return true;
}

bool MciCommand(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(Sound_SendMci(args[0].str.Text()));
    return true;
}

} // namespace

void Sound_SetMciSender(MciSender sender)
{
    Sender = std::move(sender);
}

std::string Sound_SendMci(const std::string& command)
{
    std::string reply = Sender ? Sender(command) : SoundSystem.Mci().Send(command);
    if (reply.size() > 255)
        reply.resize(255);
    return reply;
}

void Sound_ImplementCdFunctions()
{
    Function_Implement("cd_init", &CdInit);
    Function_Implement("cd_present", &CdPresent);
    Function_Implement("cd_number", &CdNumber);
    Function_Implement("cd_playing", &CdPlaying);
    Function_Implement("cd_paused", &CdPaused);
    Function_Implement("cd_track", &CdTrack);
    Function_Implement("cd_length", &CdLength);
    Function_Implement("cd_track_length", &CdTrackLength);
    Function_Implement("cd_position", &CdPosition);
    Function_Implement("cd_track_position", &CdTrackPosition);
    Function_Implement("cd_play", &CdPlay);
    Function_Implement("cd_stop", &CdStop);
    Function_Implement("cd_pause", &CdPause);
    Function_Implement("cd_resume", &CdResume);
    Function_Implement("cd_set_position", &CdSetPosition);
    Function_Implement("cd_set_track_position", &CdSetTrackPosition);
    Function_Implement("cd_open_door", &CdOpenDoor);
    Function_Implement("cd_close_door", &CdCloseDoor);
    Function_Implement("MCI_command", &MciCommand);
    // The actions take the same arguments.
    Function_Implement("action_cd_play", &CdPlay);
    Function_Implement("action_cd_stop", &CdStop);
    Function_Implement("action_cd_pause", &CdPause);
    Function_Implement("action_cd_resume", &CdResume);
    Function_Implement("action_cd_present", &CdPresent);
    Function_Implement("action_cd_playing", &CdPlaying);
}
