#include "files/recent_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "files/ini_file.h"

namespace tarvo {
namespace {

std::string RecentKey(std::size_t index) {
    return std::to_string(index);
}

}  // namespace

void RecentFiles::LoadRecentList(const IniDocument& document) {
    entries_.clear();
    for (std::size_t i = 0; i < kRecentFileLimit; ++i) {
        const std::string path = document.ReadIniStr(kRecentSection, RecentKey(i), "");
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
            entries_.push_back(path);
        }
    }
}

void RecentFiles::SaveRecentList(IniDocument& document) const {
    for (std::size_t i = 0; i < kRecentFileLimit; ++i) {
        if (i < entries_.size()) {
            document.WriteIniStr(kRecentSection, RecentKey(i), entries_[i]);
        } else {
            document.DeleteIniKey(kRecentSection, RecentKey(i));
        }
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kRecentFileLimit) {
        entries_.resize(kRecentFileLimit);
    }
}

bool RecentFiles::Remove(std::string_view path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found == entries_.end()) {
        return false;
    }
    entries_.erase(found);
    return true;
}

std::vector<RecentMenuItem> RecentFiles::MenuItems() const {
    std::vector<RecentMenuItem> items;
    for (const std::string& path : entries_) {
        items.push_back({path, RecentMenuCaption(path)});
    }
    return items;
}

std::string RecentMenuCaption(std::string_view path) {
    std::string caption;
    for (const char c : path) {
        caption += c;
        if (c == '&') {
            caption += '&';
        }
    }
    return caption;
}

std::string FileNotFoundMessage(std::string_view path) {
    return "Файл " + std::string(path) + " не найден!";
}

std::string MissingFileMessage(const std::string& path) {
    if (DirectoryExists(path)) {
        return ReadFailureMessage({path, ReasonForErrno(EISDIR), EISDIR});
    }
    return FileNotFoundMessage(path);
}

RecentClick RecentItemClick(RecentFiles& recent, std::size_t index,
                            const std::function<bool(const std::string&)>& fileExists) {
    if (index >= recent.entries().size()) {
        return {};
    }
    const std::string path = recent.entries()[index];
    if (fileExists(path)) {
        return {RecentClick::Action::Open, path, ""};
    }
    recent.Remove(path);
    return {RecentClick::Action::Missing, path, MissingFileMessage(path)};
}

std::string TarvoIniPath(const char* xdgConfigHome, const char* home) {
    const std::string directory = TarvoConfigDirectory(xdgConfigHome, home);
    return directory.empty() ? "" : directory + "/" + std::string(kTarvoIniName);
}

std::string TarvoIniPath() {
    const std::string directory = TarvoConfigDirectory();
    return directory.empty() ? "" : directory + "/" + std::string(kTarvoIniName);
}

RecentFiles LoadRecentFiles(const std::string& iniPath, std::optional<FileError>* readError) {
    RecentFiles recent;
    if (iniPath.empty()) {
        return recent;
    }
    const IniFile file = IniFile::Open(iniPath);
    recent.LoadRecentList(file.document());
    if (readError != nullptr) {
        *readError = file.readError();
    }
    return recent;
}

std::optional<FileError> SaveRecentFiles(const RecentFiles& recent, const std::string& iniPath) {
    if (iniPath.empty()) {
        return FileError{std::string(kTarvoIniName), "не найдена папка настроек пользователя"};
    }
    if (auto failure = CreateDirectories(DirectoryOf(iniPath))) {
        return failure;
    }
    IniFile file = IniFile::Open(iniPath);
    file.document().setEncoding(TextEncoding::Utf8WithBom);
    recent.SaveRecentList(file.document());
    return file.Commit();
}

}  // namespace tarvo
