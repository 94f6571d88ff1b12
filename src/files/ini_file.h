#pragma once
// One INI file on disk: read once when opened, changed in memory, written once by Commit().
// Saving a motor is one read and one atomic write, whatever the number of keys.
//
//     IniFile file = IniFile::Open(path);
//     file.document().WriteIniStr("Params", "Dc", text);   // ... every key
//     if (auto failure = file.Commit()) { show SaveFailureMessage(*failure); }
//
// A file that does not exist opens as an empty document and nothing is created until Commit.
// A file that exists but cannot be read, or is larger than the read limit, opens with its
// readable part (or empty) and refuses to be committed, so that a save never destroys content
// it could not see.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "files/ini_document.h"

namespace tarvo {

class IniFile {
public:
    static IniFile Open(std::string path);
    // A document that ignores what is on disk: the whole file is replaced on Commit.
    static IniFile Create(std::string path);

    const std::string& path() const { return path_; }
    IniDocument& document() { return document_; }
    const IniDocument& document() const { return document_; }

    bool existed() const { return existed_; }
    // Why the file could not be read in full (the reader then saw defaults or a part).
    const std::optional<FileError>& readError() const { return readError_; }
    // The file as it was read; nothing for a file that did not exist.
    const std::optional<FileStamp>& stamp() const { return stamp_; }

    // Writes the whole document atomically. Nothing is written when the file could not be
    // read in full; the error then says so.
    std::optional<FileError> Commit() const;

private:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    std::string path_;
    IniDocument document_;
    bool existed_ = false;
    std::optional<FileError> readError_;
    std::optional<FileStamp> stamp_;
};

// The user's texts for what the reading rules passed over in the file: repeated sections and
// keys, values cut at kMaxIniValueLength, and a file read only up to the size limit. At most
// kMaxFileWarnings texts; a last one counts the rest.
inline constexpr std::size_t kMaxFileWarnings = 100;
std::vector<std::string> FileWarnings(const IniFile& file);
std::string IniIssueText(const IniIssue& issue);

// One-shot operations on a path, each a read and (for the changing ones) an atomic write, for
// callers that touch a single key. Reading a missing or unreadable file gives the fallback.
std::string ReadIniStr(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view fallback);
// False when the file could not be written; the old file is then untouched.
bool WriteIniStr(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value);
// True unless a needed write failed; a missing key needs no write.
bool DeleteIniKey(const std::string& path, std::string_view section, std::string_view key);
// True unless a needed write failed; a section without keys is left as it is.
bool EraseIniSection(const std::string& path, std::string_view section);

}  // namespace tarvo
