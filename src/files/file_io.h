#pragma once
// Whole-file reading and writing with POSIX calls. A file is written whole or not at all: the
// bytes go to a temporary file in the same directory, are flushed to the disk, and the
// temporary file is renamed over the old one. Any failure leaves the old file as it was and
// comes back with a reason in Russian for the message box that names the file.

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// Motor and propellant files are a few kilobytes; a larger file is read only up to this size,
// which keeps a damaged or foreign file from exhausting memory.
inline constexpr std::size_t kMaxReadableFileBytes = 1 << 20;

struct FileError {
    std::string path;
    std::string reason;  // Russian, lower case, no final stop: "нет прав на запись"
};

// "Не удалось сохранить файл PATH: REASON." / "Не удалось прочитать файл PATH: REASON."
std::string SaveFailureMessage(const FileError& error);
std::string ReadFailureMessage(const FileError& error);

// The reason text for an errno value of a failed file operation.
std::string ReasonForErrno(int error);

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
};

// Reads at most `limit` bytes. Never blocks on a pipe or a device: only regular files are read.
FileContents ReadFileBytes(const std::string& path, std::size_t limit = kMaxReadableFileBytes);

// Replaces the file at `path` by `bytes` atomically. An existing file keeps its permission bits;
// a file without any write permission counts as read-only and is not replaced. A symbolic link
// is followed, so the file it points to is replaced, not the link.
std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates the directory and its missing parents.
std::optional<FileError> CreateDirectories(const std::string& directory);

// Whether something that can be opened as a file (not a directory) exists at the path.
bool FileExists(const std::string& path);

// The directory part of a path ("" when it has none) and the part after it.
std::string DirectoryOf(std::string_view path);
std::string FileNameOf(std::string_view path);

// The path with the extension of its file name replaced by `extension` (".zel"); a name
// without an extension gets it appended. Dots in directory names do not count.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The directory of the running program ("" when it cannot be found).
std::string ExecutableDirectory();

}  // namespace tarvo
