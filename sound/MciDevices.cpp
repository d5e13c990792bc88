// The subset of media command strings, played through the audio device.
#include "sound/MciDevices.h"

#include "platform/Files.h"
#include "platform/SoundFiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr size_t kLongestReply = 255;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Words split at blanks; a double-quoted part (a file name with spaces) is one word.
std::vector<std::string> SplitCommand(const std::string& command)
{
    std::vector<std::string> words;
    size_t k = 0;
    while (k < command.size()) {
        if (std::isspace(static_cast<unsigned char>(command[k]))) {
            ++k;
            continue;
        }
        if (command[k] == '"') {
            size_t end = command.find('"', k + 1);
            if (end == std::string::npos)
                end = command.size();
            words.push_back(command.substr(k + 1, end - k - 1));
            k = end + 1;
            continue;
        }
        size_t end = k;
        while (end < command.size() && !std::isspace(static_cast<unsigned char>(command[end])))
            ++end;
        words.push_back(command.substr(k, end - k));
        k = end;
    }
    return words;
}

// The value after keyword in words, from position start on.
bool ValueAfter(const std::vector<std::string>& words, size_t start, const std::string& keyword, std::string& value)
{
    for (size_t k = start; k + 1 < words.size(); ++k) {
        if (Lower(words[k]) == keyword) {
            value = words[k + 1];
            return true;
        }
    }
    return false;
}

bool HasWord(const std::vector<std::string>& words, size_t start, const std::string& word)
{
    for (size_t k = start; k < words.size(); ++k)
        if (Lower(words[k]) == word)
            return true;
    return false;
}

// Milliseconds given as text; false for anything that is not a number.
bool Milliseconds(const std::string& text, double& seconds)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    seconds = std::stod(text) / 1000;
    return true;
}

std::string Whole(double seconds)
{
    return std::to_string(static_cast<int64_t>(std::llround(seconds * 1000)));
}

} // namespace

void CMciDevices::CloseAll()
{
    while (!m_opened.empty())
        Close(m_opened.begin()->first);
}

void CMciDevices::Detach()
{
    CloseAll();
    m_device = nullptr;
}

void CMciDevices::Close(const std::string& name)
{
    auto found = m_opened.find(name);
    if (found == m_opened.end())
        return;
    if (m_device) {
        if (found->second.voice)
            m_device->Stop(found->second.voice);
        m_device->FreePath(found->second.path);
        m_device->FreeBuffer(found->second.buffer);
    }
    m_opened.erase(found);
}

std::string CMciDevices::Open(const std::vector<std::string>& words)
{
    if (words.size() < 2 || !m_device)
        return std::string();
    const std::string& file = words[1];
    std::string alias = file;
    ValueAfter(words, 2, "alias", alias);
    alias = Lower(alias);
    if (alias == "cdaudio" || Lower(file) == "cdaudio" || m_opened.count(alias))
        return std::string();
    RPcm pcm;
    std::string error;
    if (!Platform_DecodeSoundFile(ToHostPath(file), 1, pcm, error))
        return std::string();
    ROpened opened;
    opened.buffer = m_device->CreateBuffer(pcm);
    opened.path = opened.buffer ? m_device->CreatePath(false) : 0;
    if (!opened.path) {
        if (opened.buffer)
            m_device->FreeBuffer(opened.buffer);
        return std::string();
    }
    opened.length = pcm.Seconds();
    m_opened[alias] = opened;
    return std::string();
}

void CMciDevices::Start(ROpened& opened, double at)
{
    if (opened.voice)
        m_device->Stop(opened.voice);
    opened.voice = m_device->Play(opened.path, opened.buffer, opened.loop, at);
    opened.started = at;
    opened.paused = false;
}

bool CMciDevices::IsPlaying(ROpened& opened)
{
    if (opened.voice && !m_device->IsPlaying(opened.voice)) {
        opened.voice = 0;
        opened.position = opened.length; // played to its end
    }
    return opened.voice != 0;
}

double CMciDevices::PositionOf(ROpened& opened)
{
    return IsPlaying(opened) ? m_device->Position(opened.voice) : opened.position;
}

std::string CMciDevices::Status(ROpened& opened, const std::string& item)
{
    if (item == "mode")
        return IsPlaying(opened) ? "playing" : opened.paused ? "paused" : "stopped";
    if (item == "length")
        return Whole(opened.length);
    if (item == "position")
        return Whole(PositionOf(opened));
    if (item == "ready")
        return "true";
    return std::string();
}

std::string CMciDevices::Send(const std::string& command)
{
    std::vector<std::string> words = SplitCommand(command);
    if (words.empty() || !m_device)
        return std::string();
    std::string verb = Lower(words[0]);
    if (verb == "open")
        return Open(words);
    if (words.size() < 2)
        return std::string();
    std::string name = Lower(words[1]);
    if (verb == "close") {
        if (name == "all")
            CloseAll();
        else
            Close(name);
        return std::string();
    }
    auto found = m_opened.find(name);
    if (found == m_opened.end())
        return std::string();
    ROpened& opened = found->second;
    std::string reply;
    std::string value;
    double at = 0;
    if (verb == "play") {
        opened.loop = HasWord(words, 2, "repeat");
        if (ValueAfter(words, 2, "from", value) && Milliseconds(value, at))
            opened.position = std::min(at, opened.length);
        else if (IsPlaying(opened))
            opened.position = m_device->Position(opened.voice);
        if (opened.position >= opened.length)
            opened.position = 0;
        Start(opened, opened.position);
    } else if (verb == "stop" || verb == "pause") {
        opened.position = PositionOf(opened);
        if (opened.voice)
            m_device->Stop(opened.voice);
        opened.voice = 0;
        opened.paused = verb == "pause";
    } else if (verb == "resume") {
        if (opened.paused)
            Start(opened, opened.position);
    } else if (verb == "seek") {
        if (opened.voice)
            m_device->Stop(opened.voice);
        opened.voice = 0;
        opened.paused = false;
        if (HasWord(words, 2, "start"))
            opened.position = 0;
        else if (HasWord(words, 2, "end"))
            opened.position = opened.length;
        else if (ValueAfter(words, 2, "to", value) && Milliseconds(value, at))
            opened.position = std::min(at, opened.length);
    } else if (verb == "status" && words.size() >= 3) {
        reply = Status(opened, Lower(words[2]));
    } else if (verb == "setaudio" && ValueAfter(words, 2, "to", value) && Milliseconds(value, at)) {
        // Volume 0..1000, linear.
        double level = std::clamp(at * 1000, 0.0, 1000.0);
        int32_t volume = level <= 0 ? -10000 : static_cast<int32_t>(std::lround(2000 * std::log10(level / 1000)));
        m_device->SetPathVolume(opened.path, std::max(volume, -10000));
    }
    if (reply.size() > kLongestReply)
        reply.resize(kLongestReply);
    return reply;
}
