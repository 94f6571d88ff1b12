#pragma once
// The list of the motor files opened or saved last, newest first, kept between runs in the
// per-user file Tarvo.ini (section "Files", keys "0" to "3").
//
// Paths keep the letter case the user chose and are compared exactly: on this file system
// "a.zel" and "A.zel" are two files. Each menu item keeps its path apart from its caption, so
// a path with "&" opens from the menu like any other.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "files/ini_document.h"

namespace tarvo {

inline constexpr std::size_t kRecentFileLimit = 4;
inline constexpr std::string_view kRecentSection = "Files";
inline constexpr std::string_view kTarvoIniName = "Tarvo.ini";

struct RecentMenuItem {
    std::string path;     // what the item opens
    std::string caption;  // what the menu shows: the path with "&" doubled (no hot key)
};

class RecentFiles {
public:
    const std::vector<std::string>& entries() const { return entries_; }

    // Replaces the list by the non-empty keys "0".."3" of "Files", without duplicates.
    void LoadRecentList(const IniDocument& document);
    // Keys "0".."n-1" hold the list; the keys after it up to "3" are removed, so the file
    // never offers an entry that the list has dropped.
    void SaveRecentList(IniDocument& document) const;

    // After an open or a save: the path goes to the top, an equal entry further down goes
    // away, and the list keeps at most four entries.
    void Add(const std::string& path);
    // Removes the entry equal to the path; true when there was one.
    bool Remove(std::string_view path);

    std::vector<RecentMenuItem> MenuItems() const;
    // "Открыть из списка" is enabled when it has at least one item.
    bool MenuEnabled() const { return !entries_.empty(); }

private:
    std::vector<std::string> entries_;
};

// The menu caption of a path: every "&" doubled, so the menu shows it instead of underlining.
std::string RecentMenuCaption(std::string_view path);

// What a click on a recent-files item leads to.
struct RecentClick {
    enum class Action {
        Open,     // open `path` with the open sequence (which asks to save first)
        Missing,  // the file is gone: it was removed from the list; save the list, show message
        None,     // no such item
    };
    Action action = Action::None;
    std::string path;
    std::string message;  // for Missing: MissingFileMessage(path)
};

RecentClick RecentItemClick(RecentFiles& recent, std::size_t index,
                            const std::function<bool(const std::string&)>& fileExists = FileExists);

// "Файл PATH не найден!", the message for a file that is not there.
std::string FileNotFoundMessage(std::string_view path);
// The same, or that the path names a folder when it does.
std::string MissingFileMessage(const std::string& path);

// Tarvo.ini in TarvoConfigDirectory ("" when there is none).
std::string TarvoIniPath(const char* xdgConfigHome, const char* home);
std::string TarvoIniPath();

// Reads the list from Tarvo.ini; a missing or unreadable file gives an empty list. A file that
// exists but cannot be read in full (a folder, an unreadable or oversized file) is never
// written over; `readError`, when given, receives why.
RecentFiles LoadRecentFiles(const std::string& iniPath,
                            std::optional<FileError>* readError = nullptr);
// Writes the list into Tarvo.ini (UTF-8, so that any path survives), creating its directory.
std::optional<FileError> SaveRecentFiles(const RecentFiles& recent, const std::string& iniPath);

}  // namespace tarvo
