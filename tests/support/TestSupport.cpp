#include "tests/support/TestSupport.h"

#include "platform/Files.h"

#include <atomic>
#include <unistd.h>

namespace {
std::atomic<int> FolderCounter{0};
}

CScratchFolder::CScratchFolder()
{
    std::filesystem::path base = std::filesystem::temp_directory_path();
    c_path = (base / ("brindle_test_" + std::to_string(getpid()) + "_" + std::to_string(FolderCounter++))).string();
    std::filesystem::remove_all(c_path);
    std::filesystem::create_directories(c_path);
}

CScratchFolder::~CScratchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(c_path, error);
}

void CScratchFolder::Write(const std::string& name, const std::string& text) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    Platform_WriteWholeFile(File(name), text.data(), text.size());
}

void CScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
    Platform_WriteWholeFile(File(name), bytes.data(), bytes.size());
}
