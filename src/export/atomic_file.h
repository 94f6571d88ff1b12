#pragma once
// Files that appear whole or not at all: the content goes to a temporary file beside the
// target, which takes the target's name only when it is complete.

#include <filesystem>
#include <string>
#include <string_view>

#include "export/export_status.h"

namespace tarvo {

// An empty private file "<directory>/.<stem>-XXXXXX", removed again by the destructor unless
// it was given its final name.
class TemporaryFile {
public:
    TemporaryFile(const std::filesystem::path& directory, std::string_view stem);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    bool created() const { return fd_ >= 0 || closed_; }
    std::string error() const { return SystemErrorText(errorNumber_); }  // why not created
    const std::filesystem::path& path() const { return path_; }

    // Writes everything, flushes it to the disk and closes the file; a failure gives the
    // system's reason.
    ExportStatus WriteAndClose(std::string_view contents);
    // Closes the file so that another writer can open it by name.
    void Close();

    // Gives the file the permissions of a newly created one and renames it to `target`,
    // replacing a file of that name.
    ExportStatus Replace(const std::filesystem::path& target);
    // Gives it the name "<stem><extension>" in its directory, or "<stem> (2)<extension>" and
    // so on when that is taken; never replaces a file. Returns the name given.
    ExportStatus PublishUnderNewName(std::string_view stem, std::string_view extension,
                                     std::filesystem::path& published);

private:
    void ApplyDefaultPermissions();

    std::filesystem::path path_;
    int errorNumber_ = 0;
    int fd_ = -1;
    bool closed_ = false;
    bool kept_ = false;
};

// Writes `contents` to `target` through a temporary file; a failure names the target.
ExportStatus WriteFileAtomically(const std::filesystem::path& target, std::string_view contents);

}  // namespace tarvo
