#include "files/ini_file.h"

namespace tarvo {

IniFile IniFile::Open(std::string path) {
    IniFile file(std::move(path));
    const FileContents contents = ReadFileBytes(file.path_);
    file.existed_ = contents.status != ReadStatus::Missing;
    file.stamp_ = contents.stamp;
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

std::string IniIssueText(const IniIssue& issue) {
    const std::string line = "Строка " + std::to_string(issue.line) + ": ";
    const std::string section = "[" + issue.section + "]";
    switch (issue.kind) {
        case IniIssue::Kind::kRepeatedSection:
            return line + "раздел " + section + " повторяется (впервые в строке " +
                   std::to_string(issue.firstLine) + ")";
        case IniIssue::Kind::kRepeatedKey:
            return line + "ключ " + issue.key + " раздела " + section +
                   " повторяется, действует первое значение (строка " +
                   std::to_string(issue.firstLine) + ")";
        case IniIssue::Kind::kValueCut:
            return line + "значение ключа " + issue.key + " раздела " + section + " длиной " +
                   std::to_string(issue.length) + " символов обрезано до " +
                   std::to_string(kMaxIniValueLength);
    }
    return line;
}

std::vector<std::string> FileWarnings(const IniFile& file) {
    std::vector<std::string> warnings;
    if (file.readError() && file.existed()) {
        warnings.push_back(file.readError()->reason);
    }
    const std::vector<IniIssue>& issues = file.document().issues();
    for (std::size_t i = 0; i < issues.size(); ++i) {
        if (warnings.size() == kMaxFileWarnings) {
            warnings.push_back("и ещё " + std::to_string(issues.size() - i) + " таких замечаний");
            break;
        }
        warnings.push_back(IniIssueText(issues[i]));
    }
    return warnings;
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
