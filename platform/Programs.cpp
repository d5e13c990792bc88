// Programs over posix_spawn and waitpid.
#include "platform/Programs.h"

#include "platform/StopSignals.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Started and not yet waited for; collected now and then so they do not
// stay behind as zombies.
std::vector<pid_t> Unwaited;

void Forget(pid_t process)
{
    Unwaited.erase(std::remove(Unwaited.begin(), Unwaited.end(), process), Unwaited.end());
}

std::string LowerExtension(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string extension = path.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

int StatusOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace

bool Platform_StartProgram(const std::string& hostProgram, const std::vector<std::string>& arguments,
                           int64_t& processId)
{
    Platform_CollectEndedPrograms();
    if (hostProgram.empty() || !Platform_IsExecutableFile(hostProgram) || Platform_IsForeignProgram(hostProgram))
        return false;
    std::vector<char*> argv;
    std::vector<std::string> copies = arguments.empty() ? std::vector<std::string>{hostProgram} : arguments;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The program starts with the signal handling a fresh process has, not
    // whatever the runner's libraries set up, in a process group of its own
    // as an independent program would be.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    pid_t process = -1;
    int error = posix_spawn(&process, hostProgram.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return false;
    Unwaited.push_back(process);
    processId = process;
    return true;
}

int Platform_WaitForProgram(int64_t processId, const std::function<void()>& whileWaiting)
{
    pid_t process = static_cast<pid_t>(processId);
    Forget(process);
    for (;;) {
        int status = 0;
        pid_t done = ::waitpid(process, &status, WNOHANG);
        if (done == process)
            return StatusOf(status);
        if (done < 0 && errno != EINTR)
            return -1;
        // A game asked to stop stops waiting; the program goes on by itself.
        if (Platform_StopRequested()) {
            Unwaited.push_back(process);
            return -1;
        }
        if (whileWaiting)
            whileWaiting();
        struct timespec pause = {0, 50 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
}

void Platform_CollectEndedPrograms()
{
    std::vector<pid_t> still;
    for (pid_t process : Unwaited) {
        int status;
        pid_t done = ::waitpid(process, &status, WNOHANG);
        if (done == 0)
            still.push_back(process);
    }
    Unwaited.swap(still);
}

void Platform_WaitForAllPrograms()
{
    for (pid_t process : Unwaited) {
        int status;
        while (::waitpid(process, &status, 0) < 0 && errno == EINTR) {
        }
    }
    Unwaited.clear();
}

bool Platform_FindOnSearchPath(const std::string& name, std::string& hostPath)
{
    const char* path = std::getenv("PATH");
    if (name.empty() || name.find('/') != std::string::npos || !path)
        return false;
    std::string list = path;
    size_t start = 0;
    while (start <= list.size()) {
        size_t colon = list.find(':', start);
        if (colon == std::string::npos)
            colon = list.size();
        std::string folder = list.substr(start, colon - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (Platform_IsExecutableFile(candidate)) {
            hostPath = candidate;
            return true;
        }
        start = colon + 1;
    }
    return false;
}

bool Platform_IsForeignProgram(const std::string& hostPath)
{
    std::string extension = LowerExtension(hostPath);
    if (extension == ".bat" || extension == ".cmd" || extension == ".com")
        return true;
    int descriptor = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    char signature[2] = {0, 0};
    ssize_t got = ::read(descriptor, signature, 2);
    ::close(descriptor);
    return got == 2 && signature[0] == 'M' && signature[1] == 'Z';
}

bool Platform_IsExecutableFile(const std::string& hostPath)
{
    struct stat info;
    return !hostPath.empty() && ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(hostPath.c_str(), X_OK) == 0;
}

bool Platform_OpenDocument(const std::string& target)
{
    std::string opener;
    if (target.empty() || !Platform_FindOnSearchPath("xdg-open", opener))
        return false;
    int64_t process = 0;
    return Platform_StartProgram(opener, {opener, target}, process);
}
