#include "ui/desktop_services.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"

namespace tarvo {

void DesktopUrlOpener::open(const std::string& url) {
    QDesktopServices::openUrl(QUrl(ToQString(url)));
}

ExportStatus DesktopSpreadsheetLauncher::Open(const std::filesystem::path& workbook) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(workbook.string())))) {
        return ExportStatus::Success();
    }
    return ExportStatus::Failure("программа для таблиц не запустилась");
}

void DesktopClipboard::SetText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(ToQString(text));
    }
}

void MessageBoxSink::Warning(std::string_view text) {
    ShowMessage(parent_, MessageIcon::kWarning, text);
}

void MessageBoxSink::Error(std::string_view text) {
    ShowMessage(parent_, MessageIcon::kError, text);
}

}  // namespace tarvo
