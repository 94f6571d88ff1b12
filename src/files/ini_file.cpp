#include "files/ini_file.h"

namespace tarvo {

IniFile IniFile::Open(std::string path) {
    IniFile file(std::move(path));
    const FileContents contents = ReadFileBytes(file.path_);
    file.existed_ = contents.status != ReadStatus::Missing;
    if (contents.status == ReadStatus::Failed) {
        file.readError_ = contents.error;
        return file;
    }
    std::string_view bytes = contents.bytes;
    if (contents.truncated) {
        file.readError_ = FileError{file.path_, "файл слишком велик, прочитано только начало"};
        // The line cut by the limit would give a cut value: only whole lines count.
        const std::size_t lastBreak = bytes.find_last_of("\r\n");
        bytes = bytes.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
    }
    file.document_ = IniDocument::Parse(bytes);
    return file;
}

IniFile IniFile::Create(std::string path) {
    return IniFile(std::move(path));
}

std::optional<FileError> IniFile::Commit() const {
    if (readError_) {
        return readError_;
    }
    return WriteFileAtomically(path_, document_.Serialize());
}

std::string ReadIniStr(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view fallback) {
    return IniFile::Open(path).document().ReadIniStr(section, key, fallback);
}

bool WriteIniStr(const std::string& path, std::string_view section, std::string_view key,
                 std::string_view value) {
    IniFile file = IniFile::Open(path);
    file.document().WriteIniStr(section, key, value);
    return !file.Commit();
}

bool DeleteIniKey(const std::string& path, std::string_view section, std::string_view key) {
    IniFile file = IniFile::Open(path);
    return !file.document().DeleteIniKey(section, key) || !file.Commit();
}

bool EraseIniSection(const std::string& path, std::string_view section) {
    IniFile file = IniFile::Open(path);
    return !file.document().EraseIniSection(section) || !file.Commit();
}

}  // namespace tarvo
