#include "export/xlsx_workbook.h"

#include <locale.h>
#include <xlsxwriter.h>

#include <cerrno>

#include "export/export_status.h"
#include "files/file_io.h"

namespace tarvo {

namespace {

// More exports than this of the same name in one directory means something is wrong.
constexpr int kMaxNameAttempts = 10000;
constexpr std::string_view kWorkbookExtension = ".xlsx";

// libxlsxwriter prints numbers with snprintf, which follows LC_NUMERIC: under a locale with a
// decimal comma (any Russian desktop) the cells and margins would read "1,25" and the
// workbook would be corrupt. The writer therefore runs with the C locale on this thread.
class CLocaleOnThisThread {
public:
    CLocaleOnThisThread() : cLocale_(::newlocale(LC_ALL_MASK, "C", locale_t{})) {
        if (cLocale_ != locale_t{}) {
            previous_ = ::uselocale(cLocale_);
        }
    }
    CLocaleOnThisThread(const CLocaleOnThisThread&) = delete;
    CLocaleOnThisThread& operator=(const CLocaleOnThisThread&) = delete;
    ~CLocaleOnThisThread() {
        if (cLocale_ != locale_t{}) {
            ::uselocale(previous_);
            ::freelocale(cLocale_);
        }
    }

private:
    locale_t cLocale_;
    locale_t previous_{};
};

std::string WorkbookFailure(const std::filesystem::path& directory, std::string_view reason) {
    return "Не удалось сохранить книгу Excel в папке " + Quoted(directory.string()) + ": " +
           std::string(reason);
}

// The library's own texts are English; the user reads why in Russian.
std::string WorkbookErrorReason(lxw_error error) {
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return "не хватает памяти";
        case LXW_ERROR_CREATING_XLSX_FILE:
            return "не удалось создать файл книги";
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
            return "не удалось записать или прочитать временный файл";
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
            return "ошибка записи файла книги (нет места на диске или нет доступа)";
        default:
            return "внутренняя ошибка библиотеки записи книг (код " +
                   std::to_string(static_cast<int>(error)) + ")";
    }
}

std::string NumberedName(const std::filesystem::path& directory, int number) {
    std::string name(kWorksheetName);
    if (number > 1) {
        name += " (" + std::to_string(number) + ")";
    }
    name += kWorkbookExtension;
    return (directory / name).string();
}

// Fills the one worksheet; the workbook is written and freed by the caller's workbook_close.
lxw_error FillWorksheet(lxw_workbook* workbook, const std::vector<WorkbookRow>& rows) {
    const std::string name(kWorksheetName);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.c_str());
    if (sheet == nullptr) {
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    lxw_row_t row = 0;
    for (const WorkbookRow& values : rows) {
        if (lxw_error error = worksheet_write_number(sheet, row, 0, values.time, nullptr)) {
            return error;
        }
        if (lxw_error error = worksheet_write_number(sheet, row, 1, values.thrust, nullptr)) {
            return error;
        }
        ++row;
    }
    if (row > 0) {
        worksheet_set_selection(sheet, 0, 0, row - 1, 1);
    }
    return LXW_NO_ERROR;
}

// Writes the workbook under the temporary file's name; empty text on success.
std::string WriteWorkbookFile(const std::filesystem::path& path,
                              const std::vector<WorkbookRow>& rows) {
    CLocaleOnThisThread cLocale;
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (workbook == nullptr) {
        return WorkbookErrorReason(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    const lxw_error filled = FillWorksheet(workbook, rows);
    if (filled != LXW_NO_ERROR) {
        lxw_workbook_free(workbook);
        return WorkbookErrorReason(filled);
    }
    const lxw_error closed = workbook_close(workbook);
    return closed == LXW_NO_ERROR ? std::string() : WorkbookErrorReason(closed);
}

}  // namespace

// The library writes to a name of its own beside the first free name; the finished file then
// takes the first name that is still free, never replacing one.
WorkbookResult WriteThrustWorkbook(const std::vector<WorkbookRow>& rows,
                                   const std::filesystem::path& directory) {
    PendingFile pending(NumberedName(directory, 1));
    if (pending.error()) {
        return {{}, WorkbookFailure(directory, pending.error()->reason)};
    }
    pending.Close();
    if (std::string reason = WriteWorkbookFile(pending.path(), rows); !reason.empty()) {
        return {{}, WorkbookFailure(directory, reason)};
    }
    for (int number = 1; number <= kMaxNameAttempts; ++number) {
        const std::string candidate = NumberedName(directory, number);
        const std::optional<FileError> failure = pending.PublishAsNew(candidate);
        if (!failure) {
            return {candidate, ""};
        }
        if (failure->errorNumber != EEXIST) {
            return {{}, WorkbookFailure(directory, failure->reason)};
        }
    }
    return {{}, WorkbookFailure(directory, "занято слишком много имён книг")};
}

}  // namespace tarvo
