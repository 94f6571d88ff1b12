#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace tarvo {
namespace {

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
    // Closes now and reports whether the close succeeded (it can report a delayed write error).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

FileError ErrorFor(const std::string& path, int error) {
    return FileError{path, ReasonForErrno(error)};
}

// A temporary file beside the target, created exclusively so that no other file is touched.
int CreateTemporaryFile(const std::string& target, std::string& temporaryPath) {
    const std::string directory = DirectoryOf(target);
    const std::string prefix =
        (directory.empty() ? std::string() : directory + "/") + "." + FileNameOf(target) + ".";
    std::random_device seed;
    std::mt19937 generator(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = prefix + std::to_string(generator() % 1000000) + ".tmp";
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
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

// The rename is durable only once the directory entry itself is on the disk.
void SyncDirectory(const std::string& target) {
    const std::string directory = DirectoryOf(target);
    Descriptor dir(
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

// The file a write to `path` must replace: the target of a symbolic link, else the path.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
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

std::optional<FileError> WriteTemporary(int fd, std::string_view bytes,
                                        const std::optional<mode_t>& mode) {
    if (mode && ::fchmod(fd, *mode) != 0) {
        return FileError{"", ReasonForErrno(errno)};
    }
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        return FileError{"", ReasonForErrno(errno)};
    }
    return std::nullopt;
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
        default:
            return "системная ошибка " + std::to_string(error);
    }
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

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return FileError{path, "не указано имя файла"};
    }
    const std::string target = ResolveTarget(path);
    struct stat info {};
    std::optional<mode_t> mode;
    if (::stat(target.c_str(), &info) == 0) {
        if (auto refused = CheckReplaceable(target, info)) {
            refused->path = path;
            return refused;
        }
        mode = info.st_mode & 07777;
    }
    std::string temporaryPath;
    Descriptor fd(CreateTemporaryFile(target, temporaryPath));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            return FileError{path, "нет прав на запись в папку"};
        }
        return ErrorFor(path, error);
    }
    auto failure = WriteTemporary(fd.get(), bytes, mode);
    if (!failure && !fd.Close()) {
        failure = FileError{"", ReasonForErrno(errno)};
    }
    if (!failure && ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        failure = FileError{"", ReasonForErrno(errno)};
    }
    if (failure) {
        ::unlink(temporaryPath.c_str());
        failure->path = path;
        return failure;
    }
    SyncDirectory(target);
    return std::nullopt;
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

}  // namespace tarvo
