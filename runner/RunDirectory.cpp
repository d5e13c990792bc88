// The run's temporary directory.
#include "runner/RunDirectory.h"

#include "data/TempDirectory.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/RunFolder.h"

namespace {

std::string FirstLine(const std::vector<uint8_t>& bytes)
{
    std::string line;
    for (uint8_t b : bytes) {
        if (b == '\r' || b == '\n')
            break;
        line += static_cast<char>(b);
    }
    return line;
}

constexpr const char* kFolderPrefix = "br_ttt_";

// The run's folder below base, made exclusively and private to the user.
// Folders that earlier runs left behind when they were killed are removed
// first.
bool TryCreateBelow(const std::string& base)
{
    if (base.empty())
        return false;
    std::string host = ToHostPath(base);
    while (!host.empty() && host.size() > 1 && host.back() == '/')
        host.pop_back();
    if (host.empty())
        return false;
    Platform_RemoveAbandonedRunFolders(host, kFolderPrefix);
    TempDir = Platform_CreateRunFolder(host, kFolderPrefix);
    return !TempDir.empty();
}

} // namespace

std::string ChooseTempBase(const std::string& programDirectory)
{
    std::vector<uint8_t> bytes;
    if (Platform_ReadWholeFile(programDirectory + "/tempdir.txt", bytes))
        return FirstLine(bytes);
    std::string value;
    if (Platform_GetEnvironment("temp", value) && !value.empty())
        return value.substr(0, 256);
    if (Platform_GetEnvironment("tmp", value) && !value.empty())
        return value.substr(0, 256);
    if (Platform_GetEnvironment("TMPDIR", value) && !value.empty())
        return value;
    return "/tmp";
}

bool CreateTempDir(const std::string& programDirectory)
{
    TempDir.clear();
    if (TryCreateBelow(ChooseTempBase(programDirectory)) || TryCreateBelow("/tmp") ||
        TryCreateBelow(Platform_WorkingDirectory()))
        return true;
    Platform_ShowMessage("Failed to create temp dir. This can cause serious problems with sounds, etc.");
    return false;
}

void RemoveTempDir()
{
    Platform_RemoveRunFolder();
    TempDir.clear();
}
