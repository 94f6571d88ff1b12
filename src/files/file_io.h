#pragma once
// Whole-file reading and writing with POSIX calls. A file is written whole or not at all: the
// bytes go to a temporary file in the same directory, are flushed to the disk, and the
// temporary file is renamed over the old one; then the directory itself is flushed. Any
// failure leaves the old file as it was and comes back with a reason in Russian for the
// message box that names the file. Every file the program writes (motor and propellant
// files, Tarvo.ini, the .eng curve and the workbook) goes through this one writer.
//
// Temporary files are named ".<name>.<pid>.tmp" beside their target: the name says which file
// and which process they belong to, so a leftover of a process that died in the middle of a
// save is recognised and removed by the next save of that file, while the temporary file of a
// save in progress in another window is left alone.

#include <sys/types.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// Motor and propellant files are a few kilobytes; a larger file is read only up to this size,
// which keeps a damaged or foreign file from exhausting memory.
inline constexpr std::size_t kMaxReadableFileBytes = 1 << 20;

struct FileError {
    std::string path;
    std::string reason;   // Russian, lower case, no final stop: "нет прав на запись"
    int errorNumber = 0;  // the errno value behind the reason, 0 when there is none
};

// "Не удалось сохранить файл PATH: REASON." / "Не удалось прочитать файл PATH: REASON."
std::string SaveFailureMessage(const FileError& error);
std::string ReadFailureMessage(const FileError& error);

// The reason text for an errno value of a failed file operation.
std::string ReasonForErrno(int error);

// Why a command stopped with an exception, in Russian: the operating system's reason of a
// std::system_error (std::filesystem's errors among them), or the program's own failure.
std::string ReasonForFailure(const std::exception& failure);

// One version of a file's content: another program's write changes at least one of these
// (an atomic save gives a new inode, an edit in place a new time or size).
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at the path (through symbolic links); nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

enum class ReadStatus {
    Ok,
    Missing,  // no file at the path: for an INI file that means "every key at its default"
    Failed,   // the file exists but cannot be read; `error` says why
};

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    bool truncated = false;  // the file is larger than the limit and only its start was read
    std::optional<FileError> error;
    std::optional<FileStamp> stamp;  // of the file as it was read
};

// Reads at most `limit` bytes. Never blocks on a pipe or a device: only regular files are read.
FileContents ReadFileBytes(const std::string& path, std::size_t limit = kMaxReadableFileBytes);

// Replaces the file at `path` by `bytes` atomically. An existing file keeps its permission bits;
// a file without any write permission counts as read-only and is not replaced. A symbolic link
// is followed, so the file it points to is written, not the link.
std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

// The file a write to `path` must replace: the end of a chain of symbolic links (which need
// not exist yet), else the path itself.
std::string ResolveWriteTarget(const std::string& path);

// ".<name>.<pid>.tmp" in the directory of `target`.
std::string TemporaryPathFor(const std::string& target, pid_t pid);

// Removes the temporary files of `target` left by processes that no longer exist.
void RemoveDeadLeftovers(const std::string& target);

// A temporary file beside a target, for writers that need a name of their own (the workbook
// library writes to a path). Removed by the destructor unless it was published.
class PendingFile {
public:
    // Creates ".<name>.<pid>.tmp" beside `target` (a resolved target, see ResolveWriteTarget),
    // after removing the target's leftovers of dead processes.
    explicit PendingFile(const std::string& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Why the temporary file could not be created; the other calls then fail too.
    const std::optional<FileError>& error() const { return error_; }
    const std::string& path() const { return path_; }

    // Appends the bytes.
    std::optional<FileError> Write(std::string_view bytes);
    // Closes the file so that another writer can open it by name.
    void Close();

    // Flushes the file to the disk, gives it `mode` (when set), renames it over `target` and
    // flushes the directory.
    std::optional<FileError> Replace(const std::string& target, std::optional<mode_t> mode);
    // The same without ever replacing a file: when `target` exists the error's errorNumber
    // is EEXIST and the temporary file stays, ready for another name.
    std::optional<FileError> PublishAsNew(const std::string& target);

private:
    std::optional<FileError> Flush();

    std::string path_;
    int fd_ = -1;
    bool flushed_ = false;
    bool published_ = false;
    std::optional<FileError> error_;
};

// Creates the directory and its missing parents.
std::optional<FileError> CreateDirectories(const std::string& directory);

// Whether something that can be opened as a file (not a directory) exists at the path.
bool FileExists(const std::string& path);
// Whether a directory exists at the path.
bool DirectoryExists(const std::string& path);

// The directory part of a path ("" when it has none) and the part after it.
std::string DirectoryOf(std::string_view path);
std::string FileNameOf(std::string_view path);

// The path with the extension of its file name replaced by `extension` (".zel"); a name
// without an extension gets it appended. Dots in directory names do not count.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The directory of the running program ("" when it cannot be found).
std::string ExecutableDirectory();

// The program's own directory in the user's configuration: $XDG_CONFIG_HOME/Tarvo, or
// $HOME/.config/Tarvo. Relative directories are ignored, so it never depends on the working
// directory; "" when neither variable gives an absolute directory.
std::string TarvoConfigDirectory(const char* xdgConfigHome, const char* home);
// The same from the environment (and the password database when HOME is unset).
std::string TarvoConfigDirectory();

}  // namespace tarvo
