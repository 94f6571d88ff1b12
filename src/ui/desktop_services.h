#pragma once
// The desktop as the exports and the about box use it: opening web addresses and workbooks in
// the user's applications, the clipboard and message boxes. Tests replace each of them.

#include <string>
#include <string_view>

#include "export/spreadsheet_export.h"

class QWidget;

namespace tarvo {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Asks the desktop to open the address in the browser; neither waits nor reports.
    virtual void open(const std::string& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    void open(const std::string& url) override;
};

class DesktopSpreadsheetLauncher final : public SpreadsheetLauncher {
public:
    ExportStatus Open(const std::filesystem::path& workbook) override;
};

class DesktopClipboard final : public ClipboardSink {
public:
    void SetText(const std::string& text) override;
};

// Message boxes over `parent` with the window's caption as title.
class MessageBoxSink final : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent) : parent_(parent) {}
    void Warning(std::string_view text) override;
    void Error(std::string_view text) override;

private:
    QWidget* parent_;
};

}  // namespace tarvo
