#include "export/atomic_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tarvo {

namespace {

// More exports than this of the same name in one directory means something is wrong.
constexpr int kMaxNameAttempts = 10000;

std::string WriteFailure(const std::filesystem::path& target, int errorNumber) {
    return "Не удалось записать файл " + Quoted(target.string()) + ": " +
           SystemErrorText(errorNumber);
}

std::filesystem::path NumberedName(const std::filesystem::path& directory, std::string_view stem,
                                   std::string_view extension, int number) {
    std::string name(stem);
    if (number > 1) {
        name += " (" + std::to_string(number) + ")";
    }
    name += extension;
    return directory / name;
}

// Renames without replacing; 0 or an errno value.
int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without the flag: check first, accepting the short race.
    if (::access(to.c_str(), F_OK) == 0) {
        return EEXIST;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& directory, std::string_view stem) {
    const std::filesystem::path base = directory.empty() ? std::filesystem::path(".") : directory;
    std::string pattern = (base / ("." + std::string(stem) + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ < 0) {
        errorNumber_ = errno;
        return;
    }
    path_ = buffer.data();
}

TemporaryFile::~TemporaryFile() {
    Close();
    if (!kept_ && !path_.empty()) {
        ::unlink(path_.c_str());
    }
}

void TemporaryFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        closed_ = true;
    }
}

ExportStatus TemporaryFile::WriteAndClose(std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd_, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return ExportStatus::Failure(SystemErrorText(written < 0 ? errno : EIO));
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd_) != 0) {
        return ExportStatus::Failure(SystemErrorText(errno));
    }
    const int fd = fd_;
    fd_ = -1;
    closed_ = true;
    if (::close(fd) != 0) {
        return ExportStatus::Failure(SystemErrorText(errno));
    }
    return ExportStatus::Success();
}

void TemporaryFile::ApplyDefaultPermissions() {
    // mkostemp makes the file private; the user expects an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(path_.c_str(), 0666 & ~mask);
}

ExportStatus TemporaryFile::Replace(const std::filesystem::path& target) {
    Close();
    ApplyDefaultPermissions();
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return ExportStatus::Failure(WriteFailure(target, errno));
    }
    kept_ = true;
    return ExportStatus::Success();
}

ExportStatus TemporaryFile::PublishUnderNewName(std::string_view stem, std::string_view extension,
                                                std::filesystem::path& published) {
    Close();
    ApplyDefaultPermissions();
    const std::filesystem::path directory = path_.parent_path();
    for (int number = 1; number <= kMaxNameAttempts; ++number) {
        const std::filesystem::path candidate = NumberedName(directory, stem, extension, number);
        const int result = RenameNoReplace(path_, candidate);
        if (result == 0) {
            kept_ = true;
            published = candidate;
            return ExportStatus::Success();
        }
        if (result != EEXIST) {
            return ExportStatus::Failure(WriteFailure(candidate, result));
        }
    }
    return ExportStatus::Failure(WriteFailure(NumberedName(directory, stem, extension, 1), EEXIST));
}

ExportStatus WriteFileAtomically(const std::filesystem::path& target, std::string_view contents) {
    if (target.empty() || !target.has_filename()) {
        return ExportStatus::Failure(WriteFailure(target, EISDIR));
    }
    TemporaryFile temporary(target.parent_path(), target.filename().string());
    if (!temporary.created()) {
        return ExportStatus::Failure("Не удалось записать файл " + Quoted(target.string()) + ": " +
                                     temporary.error());
    }
    if (ExportStatus written = temporary.WriteAndClose(contents); !written.ok()) {
        return ExportStatus::Failure("Не удалось записать файл " + Quoted(target.string()) + ": " +
                                     written.error);
    }
    return temporary.Replace(target);
}

}  // namespace tarvo
