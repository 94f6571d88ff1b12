#include "files/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>

namespace tarvo {
namespace {

// Symbolic links followed before a write gives up, as the kernel does.
constexpr int kMaxLinkHops = 40;
constexpr std::string_view kTemporarySuffix = ".tmp";

// Closes a descriptor on every way out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

FileError ErrorFor(const std::string& path, int error) {
    return FileError{path, ReasonForErrno(error), error};
}

FileStamp StampFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string DirectoryOrCurrent(const std::string& path) {
    const std::string directory = DirectoryOf(path);
    return directory.empty() ? "." : directory;
}

// The rename is durable only once the directory entry itself is on the disk.
void SyncDirectory(const std::string& target) {
    Descriptor dir(::open(DirectoryOrCurrent(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

// Refuses a target that is a directory, a device or a read-only file. Writing through the
// rename would otherwise replace a file its owner had protected.
std::optional<FileError> CheckReplaceable(const std::string& target, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return ErrorFor(target, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return FileError{target, "это не обычный файл"};
    }
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        return FileError{target, "файл только для чтения"};
    }
    return std::nullopt;
}

// Renames without replacing; 0 or an errno value.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without the flag: a hard link fails when the name is taken.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    ::unlink(from.c_str());
    return 0;
}

// The process number in a temporary file name of `prefix`, such as ".m.zel.4711.tmp".
std::optional<pid_t> LeftoverPid(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix)) {
        return std::nullopt;
    }
    const std::string_view digits =
        name.substr(prefix.size(), name.size() - prefix.size() - kTemporarySuffix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

bool ProcessIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsAbsoluteDirectory(const char* directory) {
    return directory != nullptr && directory[0] == '/';
}

std::string HomeFromPasswordDatabase() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

}  // namespace

std::string SaveFailureMessage(const FileError& error) {
    return "Не удалось сохранить файл " + error.path + ": " + error.reason + ".";
}

std::string ReadFailureMessage(const FileError& error) {
    return "Не удалось прочитать файл " + error.path + ": " + error.reason + ".";
}

std::string ReasonForErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "нет прав доступа";
        case EROFS:
            return "диск доступен только для чтения";
        case ENOENT:
            return "папка не существует";
        case ENOTDIR:
            return "часть пути не является папкой";
        case EISDIR:
            return "по этому пути находится папка";
        case EEXIST:
            return "файл с таким именем уже существует";
        case ENOSPC:
            return "на диске нет места";
        case EDQUOT:
            return "превышена дисковая квота";
        case EFBIG:
            return "превышен допустимый размер файла";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        case ELOOP:
            return "слишком много символических ссылок";
        case EMFILE:
        case ENFILE:
            return "открыто слишком много файлов";
        case EIO:
            return "ошибка ввода-вывода";
        case EXDEV:
            return "файл находится на другом диске";
        default:
            return "системная ошибка " + std::to_string(error);
    }
}

std::string ReasonForFailure(const std::exception& failure) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&failure)) {
        const std::error_category& category = system->code().category();
        if (category == std::generic_category() || category == std::system_category()) {
            return ReasonForErrno(system->code().value());
        }
    }
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
        return "не хватает памяти";
    }
    return std::string("внутренняя ошибка программы (") + failure.what() + ")";
}

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StampFrom(info);
}

FileContents ReadFileBytes(const std::string& path, std::size_t limit) {
    FileContents contents;
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        // A path through a plain file names no file either.
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        contents.status = missing ? ReadStatus::Missing : ReadStatus::Failed;
        if (contents.status == ReadStatus::Failed) {
            contents.error = ErrorFor(path, errno);
        }
        return contents;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        contents.status = ReadStatus::Failed;
        contents.error =
            S_ISDIR(info.st_mode) ? ErrorFor(path, EISDIR) : FileError{path, "это не обычный файл"};
        return contents;
    }
    contents.stamp = StampFrom(info);
    char buffer[65536];
    while (contents.bytes.size() <= limit) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            contents.status = ReadStatus::Failed;
            contents.error = ErrorFor(path, errno);
            contents.bytes.clear();
            return contents;
        }
        if (got == 0) {
            break;
        }
        contents.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (contents.bytes.size() > limit) {
        contents.bytes.resize(limit);
        contents.truncated = true;
    }
    contents.status = ReadStatus::Ok;
    return contents;
}

std::string ResolveWriteTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            return current;
        }
        const std::string link(buffer, static_cast<std::size_t>(length));
        const std::string directory = DirectoryOf(current);
        if (link.front() == '/' || directory.empty()) {
            current = link;
        } else {
            current = (directory == "/" ? directory : directory + "/") + link;
        }
    }
    return current;  // a loop of links: the write reports it
}

std::string TemporaryPathFor(const std::string& target, pid_t pid) {
    const std::string directory = DirectoryOf(target);
    return (directory.empty()  ? std::string()
            : directory == "/" ? directory
                               : directory + "/") +
           "." + FileNameOf(target) + "." + std::to_string(pid) + std::string(kTemporarySuffix);
}

void RemoveDeadLeftovers(const std::string& target) {
    DIR* directory = ::opendir(DirectoryOrCurrent(target).c_str());
    if (directory == nullptr) {
        return;
    }
    const std::string prefix = "." + FileNameOf(target) + ".";
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(directory)) {
        const std::optional<pid_t> pid = LeftoverPid(entry->d_name, prefix);
        if (pid && *pid != self && ProcessIsGone(*pid)) {
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
        }
    }
    ::closedir(directory);
}

PendingFile::PendingFile(const std::string& target) {
    RemoveDeadLeftovers(target);
    path_ = TemporaryPathFor(target, ::getpid());
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    fd_ = ::open(path_.c_str(), kFlags, 0666);
    if (fd_ < 0 && errno == EEXIST) {
        // Our own name: left by an earlier save of this process that could not clean up, or by
        // a dead process that had the same number. No save of ours is using it now.
        ::unlink(path_.c_str());
        fd_ = ::open(path_.c_str(), kFlags, 0666);
    }
    if (fd_ < 0) {
        const int error = errno;
        error_ = error == EACCES || error == EPERM
                     ? FileError{target, "нет прав на запись в папку", error}
                     : ErrorFor(target, error);
        path_.clear();
    }
}

PendingFile::~PendingFile() {
    Close();
    if (!published_ && !path_.empty()) {
        ::unlink(path_.c_str());
    }
}

void PendingFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::optional<FileError> PendingFile::Write(std::string_view bytes) {
    if (error_) {
        return error_;
    }
    if (fd_ < 0 || !WriteAll(fd_, bytes)) {
        return ErrorFor(path_, fd_ < 0 ? EBADF : errno);
    }
    return std::nullopt;
}

// Flushes the content to the disk and closes the file; a delayed write error shows here.
std::optional<FileError> PendingFile::Flush() {
    if (error_) {
        return error_;
    }
    if (flushed_) {
        return std::nullopt;
    }
    const int fd = fd_ >= 0 ? fd_ : ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    fd_ = -1;
    if (fd < 0) {
        return ErrorFor(path_, errno);
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    if (::close(fd) != 0 || !synced) {
        return ErrorFor(path_, synced ? errno : syncError);
    }
    flushed_ = true;
    return std::nullopt;
}

std::optional<FileError> PendingFile::Replace(const std::string& target,
                                              std::optional<mode_t> mode) {
    if (mode && !error_ && ::chmod(path_.c_str(), *mode) != 0) {
        return ErrorFor(target, errno);
    }
    if (auto failure = Flush()) {
        failure->path = target;
        return failure;
    }
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return ErrorFor(target, errno);
    }
    published_ = true;
    SyncDirectory(target);
    return std::nullopt;
}

std::optional<FileError> PendingFile::PublishAsNew(const std::string& target) {
    if (auto failure = Flush()) {
        failure->path = target;
        return failure;
    }
    if (const int error = RenameNoReplace(path_, target); error != 0) {
        return ErrorFor(target, error);
    }
    published_ = true;
    SyncDirectory(target);
    return std::nullopt;
}

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return FileError{path, "не указано имя файла"};
    }
    const std::string target = ResolveWriteTarget(path);
    struct stat info {};
    std::optional<mode_t> mode;
    if (::stat(target.c_str(), &info) == 0) {
        if (auto refused = CheckReplaceable(target, info)) {
            refused->path = path;
            return refused;
        }
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return ErrorFor(path, errno);
    }
    PendingFile pending(target);
    auto failure = pending.Write(bytes);
    if (!failure) {
        failure = pending.Replace(target, mode);
    }
    if (failure) {
        failure->path = path;
    }
    return failure;
}

std::optional<FileError> CreateDirectories(const std::string& directory) {
    if (directory.empty()) {
        return std::nullopt;
    }
    struct stat info {};
    if (::stat(directory.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? std::nullopt : std::optional(ErrorFor(directory, ENOTDIR));
    }
    const std::string parent = DirectoryOf(directory);
    if (!parent.empty() && parent != directory) {
        if (auto failure = CreateDirectories(parent)) {
            return failure;
        }
    }
    if (::mkdir(directory.c_str(), 0777) != 0 && errno != EEXIST) {
        return ErrorFor(directory, errno);
    }
    return std::nullopt;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string DirectoryOf(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return "";
    }
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

std::string FileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    const std::size_t nameStart =
        path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1;
    const std::size_t dot = path.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    const bool hasExtension = dot != std::string_view::npos && dot > nameStart;
    return std::string(hasExtension ? path.substr(0, dot) : path) + std::string(extension);
}

std::string ExecutableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return "";
    }
    return DirectoryOf(std::string_view(buffer, static_cast<std::size_t>(length)));
}

std::string TarvoConfigDirectory(const char* xdgConfigHome, const char* home) {
    std::string base;
    if (IsAbsoluteDirectory(xdgConfigHome)) {
        base = xdgConfigHome;
    } else if (IsAbsoluteDirectory(home)) {
        base = std::string(home) + "/.config";
    } else {
        return "";
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return base + "/Tarvo";
}

std::string TarvoConfigDirectory() {
    const char* home = std::getenv("HOME");
    const std::string fallbackHome = IsAbsoluteDirectory(home) ? "" : HomeFromPasswordDatabase();
    return TarvoConfigDirectory(std::getenv("XDG_CONFIG_HOME"),
                                fallbackHome.empty() ? home : fallbackHome.c_str());
}

}  // namespace tarvo
