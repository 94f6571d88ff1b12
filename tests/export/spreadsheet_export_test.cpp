#include "export/spreadsheet_export.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <map>
#include <regex>

#include "fake_desktop.h"
#include "model/number_text.h"
#include "test_support.h"

namespace tarvo {
namespace {

using testing::FakeDesktop;
using testing::kDocumentsQuery;
using testing::kMimeQuery;
using testing::TempDir;

const std::string kWorkbook = "Расчёты двигателя (Tarvo).xlsx";

std::map<std::string, std::string> SheetCells(const std::string& xml) {
    std::map<std::string, std::string> cells;
    const std::regex cell(R"re(<c r="([A-Z]+[0-9]+)"[^>]*><v>([^<]*)</v></c>)re");
    for (std::sregex_iterator it(xml.begin(), xml.end(), cell), end; it != end; ++it) {
        cells[(*it)[1]] = (*it)[2];
    }
    return cells;
}

class WorkbookOfExample : public ::testing::TestWithParam<testing::Example> {};

TEST_P(WorkbookOfExample, HoldsTheTableTextsAsNumbersWithTheTableSelected) {
    const CalculationResult motor = testing::Calculate(GetParam());
    ASSERT_TRUE(motor.succeeded());
    const std::vector<ResultRow>& rows = motor.rows;
    FakeDesktop desktop;

    ASSERT_EQ(desktop.Export(rows), SpreadsheetExportOutcome::kDone);
    const std::filesystem::path saved = desktop.documents.File(kWorkbook);
    ASSERT_EQ(desktop.opened, std::vector{saved});
    EXPECT_EQ(testing::FileNames(desktop.documents.path()), std::set{kWorkbook});  // no temp file
    EXPECT_NE(testing::ZipMember(saved, "xl/workbook.xml")
                  .find(R"xml(<sheet name="Расчёты двигателя (Tarvo)")xml"),
              std::string::npos);
    const std::string sheet = testing::ZipMember(saved, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find(R"(sqref="A1:B23")"), std::string::npos);
    const auto cells = SheetCells(sheet);
    ASSERT_EQ(cells.size(), 46u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string row = std::to_string(r + 1);
        // The sheet must hold a point, never a comma, for the reader to see a number.
        EXPECT_EQ(ParseNumber(cells.at("A" + row)), ParseNumber(FormatFixed(rows[r].time, 2)));
        EXPECT_EQ(ParseNumber(cells.at("B" + row)), ParseNumber(FormatFixed(rows[r].thrust, 1)));
        EXPECT_EQ(cells.at("A" + row).find(','), std::string::npos);
    }
    EXPECT_EQ(cells.at("A1"), "0");
    EXPECT_EQ(cells.at("B23"), "0");
}

INSTANTIATE_TEST_SUITE_P(Examples, WorkbookOfExample, ::testing::ValuesIn(testing::kExamples),
                         testing::ExampleName);

std::vector<ResultRow> Rows() {
    std::vector<ResultRow> rows;
    for (int i = 0; i < 23; ++i) {
        rows.push_back({i, i * 0.0537, i == 0 || i == 22 ? 0.0 : 100.0 / 3 + i});
    }
    return rows;
}

// The window's test compares the clipboard with the table; here each export gets its own file.
TEST(ExportToSpreadsheet, RepeatedExportsGetNewFiles) {
    FakeDesktop desktop;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(desktop.Export(Rows()), SpreadsheetExportOutcome::kDone);
    }
    EXPECT_EQ(testing::FileNames(desktop.documents.path()),
              (std::set<std::string>{kWorkbook, "Расчёты двигателя (Tarvo) (2).xlsx",
                                     "Расчёты двигателя (Tarvo) (3).xlsx"}));
}

// The clipboard gets the table whenever there is one; the workbook is saved whether or not an
// application can open it, and every message says what happened in Russian.
TEST(ExportToSpreadsheet, WithoutAnApplicationSaysWhereTheWorkbookIsAndFailuresSayWhy) {
    std::vector<ResultRow> withNaN = Rows();
    withNaN[5].thrust = NAN;
    const struct {
        std::vector<ResultRow> rows;
        bool noApplication;
        std::string documents;  // empty: the scratch directory
        std::string launchError;
        std::string message;
        bool onClipboard;
        std::size_t workbooks;  // left in the scratch directory
    } cases[] = {
        {Rows(), true, "", "", "Книга сохранена: ", true, 1},
        {{}, false, "", "", "в таблице результатов 0 строк вместо 23", false, 0},
        {withNaN, false, "", "", "Строка 6 таблицы результатов (0,27; nan)", false, 0},
        {Rows(), false, "/proc", "", "в папке «/proc»: ", true, 0},
        {Rows(), false, "", "нет программы", "но открыть её не удалось: нет программы", true, 1},
    };
    for (const auto& c : cases) {
        FakeDesktop desktop;
        desktop.Answer(kMimeQuery, c.noApplication ? std::nullopt : std::optional("calc"));
        if (!c.documents.empty()) {
            desktop.outputs[kDocumentsQuery] = c.documents;
        }
        desktop.launchAnswer = ExportStatus{c.launchError};

        const auto outcome = desktop.Export(c.rows);
        EXPECT_EQ(outcome, c.noApplication ? SpreadsheetExportOutcome::kNoSpreadsheetApplication
                                           : SpreadsheetExportOutcome::kFailed);
        const auto& messages = c.noApplication ? desktop.warnings : desktop.errors;
        ASSERT_EQ(desktop.warnings.size() + desktop.errors.size(), 1u) << c.message;
        EXPECT_NE(messages.at(0).find(c.message), std::string::npos) << messages.at(0);
        const std::size_t colon = messages.at(0).rfind(": ");
        if (!c.noApplication && colon != std::string::npos) {
            const std::string reason = messages.at(0).substr(colon);  // in Russian
            EXPECT_FALSE(std::regex_search(reason, std::regex("[A-Za-z]{2}"))) << messages.at(0);
        }
        EXPECT_EQ(desktop.clipboard.has_value(), c.onClipboard) << c.message;
        EXPECT_EQ(testing::FileNames(desktop.documents.path()).size(), c.workbooks);
        EXPECT_EQ(desktop.opened.size(), c.launchError.empty() ? 0u : 1u);
    }
    FakeDesktop desktop;
    desktop.Answer(kMimeQuery, std::nullopt);
    desktop.Export(Rows());
    EXPECT_EQ(desktop.warnings,
              std::vector{"Книга сохранена: " + desktop.documents.File(kWorkbook) +
                          "; программа для её открытия не найдена"});
}

TEST(SpreadsheetInstalled, AsksTheDesktopThenLooksForLibreOffice) {
    const struct {
        std::optional<std::string> answer;
        std::set<std::string, std::less<>> onPath;
        bool installed;
    } cases[] = {
        {"calc.desktop\n", {}, true}, {" \n", {}, false},
        {std::nullopt, {}, false},    {std::nullopt, {"libreoffice"}, true},
        {"\n", {"soffice"}, true},    {std::nullopt, {"gnumeric", "xdg-open"}, false},
    };
    for (const auto& c : cases) {
        FakeDesktop desktop;
        desktop.Answer(kMimeQuery, c.answer);
        desktop.onPath = c.onPath;
        EXPECT_EQ(SpreadsheetInstalled(desktop), c.installed) << c.answer.value_or("(failed)");
    }
}

TEST(DocumentsDirectory, PrefersTheDesktopsThenHomeDocumentsThenTheTemporaryDirectory) {
    TempDir home, xdg, tmp;
    const std::filesystem::path homeDocuments = home.File("Documents");
    const struct {
        std::optional<std::string> answer;
        bool homeDocuments;
        std::optional<std::string> tmpdir;
        std::filesystem::path expected;
    } cases[] = {
        {xdg.path() + "\n", true, {}, xdg.path()},
        {home.path() + "/\n", true, {}, homeDocuments},  // home means "none set"
        {"/no/such/dir", true, {}, homeDocuments},
        {"Documents", true, {}, homeDocuments},
        {std::nullopt, false, tmp.path(), tmp.path()},
        {home.path(), false, "/no/such/tmp", "/tmp"},
        {std::nullopt, false, std::nullopt, "/tmp"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(homeDocuments);
        if (c.homeDocuments) {
            std::filesystem::create_directory(homeDocuments);
        }
        FakeDesktop desktop;
        desktop.Answer(kDocumentsQuery, c.answer);
        desktop.environment["HOME"] = home.path();
        if (c.tmpdir) {
            desktop.environment["TMPDIR"] = *c.tmpdir;
        }
        EXPECT_EQ(DocumentsDirectory(desktop), c.expected) << c.answer.value_or("(failed)");
    }
}

// A Russian desktop session has a decimal comma in LC_NUMERIC; the workbook must not.
TEST(WriteThrustWorkbook, WritesDecimalPointsUnderACommaLocale) {
    TempDir locales, documents;
    const std::string build =
        "localedef -i ru_RU -f UTF-8 " + locales.File("ru_RU.UTF-8") + " >/dev/null 2>&1";
    ::setenv("LOCPATH", locales.path().c_str(), 1);
    const bool commaLocale =
        std::system(build.c_str()) == 0 && ::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    if (!commaLocale) {
        GTEST_SKIP() << "localedef cannot provide ru_RU.UTF-8 here";
    }
    const WorkbookResult written = WriteThrustWorkbook({{1.25, 10.5}}, documents.path());
    ::setlocale(LC_NUMERIC, "C");

    ASSERT_TRUE(written.ok()) << written.error;
    const std::string sheet = testing::ZipMember(written.path, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(SheetCells(sheet),
              (std::map<std::string, std::string>{{"A1", "1.25"}, {"B1", "10.5"}}));
    EXPECT_NE(sheet.find(R"(left="0.7")"), std::string::npos);
}

}  // namespace
}  // namespace tarvo
