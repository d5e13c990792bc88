// The run's temporary directory.
#include "runner/RunDirectory.h"

#include "data/TempDirectory.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <random>

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

bool TryCreateBelow(const std::string& base, std::mt19937& random)
{
    if (base.empty())
        return false;
    std::string host = ToHostPath(base);
    while (!host.empty() && host.size() > 1 && host.back() == '/')
        host.pop_back();
    std::uniform_int_distribution<int> number(0, 99999);
    // A bounded number of draws: a base that is full or unwritable must not hang start-up.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string candidate = host + "/br_ttt_" + std::to_string(number(random));
        if (Platform_DirectoryExists(candidate) || Platform_FileExists(candidate))
            continue;
        if (!Platform_CreateDirectories(candidate))
            return false;
        TempDir = candidate;
        return true;
    }
    return false;
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
    std::mt19937 random(static_cast<uint32_t>(Platform_MonotonicMicroseconds()));
    TempDir.clear();
    if (TryCreateBelow(ChooseTempBase(programDirectory), random) || TryCreateBelow("/tmp", random) ||
        TryCreateBelow(Platform_WorkingDirectory(), random))
        return true;
    Platform_ShowMessage("Failed to create temp dir. This can cause serious problems with sounds, etc.");
    return false;
}

void RemoveTempDir()
{
    if (!TempDir.empty())
        Platform_RemoveTree(TempDir);
    TempDir.clear();
}
