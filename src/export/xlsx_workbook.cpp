#include "export/xlsx_workbook.h"

#include <locale.h>
#include <xlsxwriter.h>

#include "export/atomic_file.h"
#include "export/export_status.h"

namespace tarvo {

namespace {

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
        return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    const lxw_error filled = FillWorksheet(workbook, rows);
    if (filled != LXW_NO_ERROR) {
        lxw_workbook_free(workbook);
        return lxw_strerror(filled);
    }
    const lxw_error closed = workbook_close(workbook);
    return closed == LXW_NO_ERROR ? std::string() : std::string(lxw_strerror(closed));
}

}  // namespace

WorkbookResult WriteThrustWorkbook(const std::vector<WorkbookRow>& rows,
                                   const std::filesystem::path& directory) {
    TemporaryFile temporary(directory, "tarvo-workbook");
    if (!temporary.created()) {
        return {{}, WorkbookFailure(directory, temporary.error())};
    }
    temporary.Close();
    if (std::string reason = WriteWorkbookFile(temporary.path(), rows); !reason.empty()) {
        return {{}, WorkbookFailure(directory, reason)};
    }
    WorkbookResult result;
    const ExportStatus published =
        temporary.PublishUnderNewName(kWorksheetName, ".xlsx", result.path);
    if (!published.ok()) {
        return {{}, published.error};
    }
    return result;
}

}  // namespace tarvo
