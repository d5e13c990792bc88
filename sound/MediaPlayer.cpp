// The media player: decodes the whole file when it is opened and plays it on
// a path of its own.
#include "sound/MediaPlayer.h"

#include "code/ErrorReport.h"
#include "platform/Files.h"
#include "platform/SoundFiles.h"

namespace {

// The player takes names shorter than this.
constexpr size_t kLongestPlayerName = 126;

} // namespace

void CMediaPlayer::Detach()
{
    Close();
    if (m_device && m_path)
        m_device->FreePath(m_path);
    m_path = 0;
    m_device = nullptr;
}

void CMediaPlayer::Close()
{
    if (!m_device)
        return;
    if (m_voice)
        m_device->Stop(m_voice);
    if (m_buffer)
        m_device->FreeBuffer(m_buffer);
    m_voice = 0;
    m_buffer = 0;
    m_file.clear();
}

void CMediaPlayer::Play(const std::string& hostPath, bool loop)
{
    if (!m_device)
        return;
    if (hostPath.size() > kLongestPlayerName) {
        Error_ShowInEvent("Music file name too long for player.", false);
        return;
    }
    if (!Platform_FileExists(hostPath))
        return;
    if (hostPath != m_file || !m_buffer) {
        Close();
        RPcm pcm;
        std::string error;
        // A file the player cannot read stays open and silent, as a player
        // that does not know the format would be.
        if (Platform_DecodeSoundFile(hostPath, 1, pcm, error))
            m_buffer = m_device->CreateBuffer(pcm);
        m_file = hostPath;
    } else if (m_voice) {
        m_device->Stop(m_voice);
    }
    m_voice = 0;
    if (!m_path)
        m_path = m_device->CreatePath(false);
    if (m_buffer)
        m_voice = m_device->Play(m_path, m_buffer, loop, 0);
}

void CMediaPlayer::PlaySamples(const std::string& name, const RPcm& pcm, bool loop)
{
    if (!m_device)
        return;
    Close();
    m_buffer = m_device->CreateBuffer(pcm);
    m_file = name;
    if (!m_path)
        m_path = m_device->CreatePath(false);
    if (m_buffer)
        m_voice = m_device->Play(m_path, m_buffer, loop, 0);
}

void CMediaPlayer::Stop(const std::string& hostPath)
{
    if (m_device && m_voice && hostPath == m_file) {
        m_device->Stop(m_voice);
        m_voice = 0;
    }
}

bool CMediaPlayer::IsPlaying(const std::string& hostPath)
{
    return m_device && m_voice && hostPath == m_file && m_device->IsPlaying(m_voice);
}

void CMediaPlayer::StopAny()
{
    if (m_device && m_voice)
        m_device->Stop(m_voice);
    m_voice = 0;
}
