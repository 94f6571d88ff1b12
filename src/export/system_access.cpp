#include "export/system_access.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace tarvo {

namespace {

using Clock = std::chrono::steady_clock;

// A helper that prints more than this is not one we understand; its answer is dropped.
constexpr std::size_t kOutputLimit = 64 * 1024;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Starts the program with standard input and error on /dev/null and output into `outputFd`.
bool Spawn(const std::vector<std::string>& command, int outputFd, pid_t& pid) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
}

// Reads until end of file; false when the deadline passes or the output grows too long.
bool ReadAll(int fd, Clock::time_point deadline, std::string& output) {
    char buffer[4096];
    while (true) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count == 0;
        }
        output.append(buffer, static_cast<std::size_t>(count));
        if (output.size() > kOutputLimit) {
            return false;
        }
    }
}

// Waits for the child until the deadline; a child still running then is killed.
bool ExitedWithSuccess(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (done < 0 && errno != EINTR) {
            return false;
        }
        if (MillisecondsLeft(deadline) == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return false;
        }
        ::usleep(5000);
    }
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> HostSystem::RunForOutput(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty()) {
        return std::nullopt;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    FileDescriptor readEnd(fds[0]);
    FileDescriptor writeEnd(fds[1]);
    pid_t pid = 0;
    if (!Spawn(command, writeEnd.get(), pid)) {
        return std::nullopt;
    }
    writeEnd.Close();
    const Clock::time_point deadline = Clock::now() + timeout_;
    std::string output;
    const bool complete = ReadAll(readEnd.get(), deadline, output);
    readEnd.Close();
    const bool succeeded = ExitedWithSuccess(pid, complete ? deadline : Clock::now());
    if (!complete || !succeeded) {
        return std::nullopt;
    }
    return output;
}

bool HostSystem::ProgramOnPath(std::string_view program) {
    if (program.empty() || program.find('/') != std::string_view::npos) {
        return false;
    }
    const std::optional<std::string> path = Environment("PATH");
    if (!path) {
        return false;
    }
    std::size_t start = 0;
    while (start <= path->size()) {
        std::size_t end = path->find(':', start);
        end = end == std::string::npos ? path->size() : end;
        const std::string directory = path->substr(start, end - start);
        // Only absolute entries: an empty or relative one would search the working directory.
        if (!directory.empty() && directory.front() == '/' &&
            IsExecutableFile(directory + "/" + std::string(program))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::optional<std::string> HostSystem::Environment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace tarvo
