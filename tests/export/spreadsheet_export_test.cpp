#include "export/spreadsheet_export.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <map>
#include <regex>

#include "model/number_text.h"
#include "test_support.h"

namespace tarvo {
namespace {

using testing::ScratchDirectory;

const std::string kMimeQuery = "xdg-mime query default " + std::string(kXlsxMimeType);
const std::string kDocumentsQuery = "xdg-user-dir DOCUMENTS";
const std::string kWorkbook = "Расчёты двигателя (Tarvo).xlsx";

struct FakeDesktop : SystemAccess, SpreadsheetLauncher, ClipboardSink, MessageSink {
    ScratchDirectory documents;
    std::map<std::string, std::string> outputs{{kMimeQuery, "calc.desktop\n"},
                                               {kDocumentsQuery, documents.path().string()}};
    std::set<std::string, std::less<>> onPath;
    std::map<std::string, std::string> environment;
    ExportStatus launchAnswer;
    std::vector<std::filesystem::path> opened;
    std::optional<std::string> clipboard;
    std::vector<std::string> warnings, errors;

    std::optional<std::string> RunForOutput(const std::vector<std::string>& command) override {
        std::string joined;
        for (const std::string& word : command) {
            joined += (joined.empty() ? "" : " ") + word;
        }
        return outputs.contains(joined) ? std::optional(outputs[joined]) : std::nullopt;
    }
    bool ProgramOnPath(std::string_view program) override { return onPath.contains(program); }
    std::optional<std::string> Environment(const std::string& name) override {
        return environment.contains(name) ? std::optional(environment[name]) : std::nullopt;
    }
    ExportStatus Open(const std::filesystem::path& workbook) override {
        opened.push_back(workbook);
        return launchAnswer;
    }
    void SetText(const std::string& text) override { clipboard = text; }
    void Warning(std::string_view text) override { warnings.emplace_back(text); }
    void Error(std::string_view text) override { errors.emplace_back(text); }
    void Answer(const std::string& query, const std::optional<std::string>& text) {
        text ? void(outputs[query] = *text) : void(outputs.erase(query));
    }
    SpreadsheetExportOutcome Export(const std::vector<ResultRow>& rows) {
        return ExportToSpreadsheet(rows, {*this, *this, *this, *this});
    }
};

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
    const auto motor = testing::Calculate(GetParam());
    ASSERT_TRUE(motor.result.succeeded) << motor.result.status;
    const std::vector<ResultRow>& rows = motor.result.thrust->rows;
    FakeDesktop desktop;

    ASSERT_EQ(desktop.Export(rows), SpreadsheetExportOutcome::kDone);
    const std::filesystem::path saved = desktop.documents.path() / kWorkbook;
    ASSERT_EQ(desktop.opened, std::vector{saved});
    EXPECT_EQ(desktop.documents.Names(), std::set{kWorkbook});  // no temporary file left
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

TEST(ExportToSpreadsheet, RepeatedExportsGetNewFilesAndTheClipboardGetsTheTableTexts) {
    FakeDesktop desktop;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(desktop.Export(Rows()), SpreadsheetExportOutcome::kDone);
    }
    EXPECT_EQ(desktop.documents.Names(),
              (std::set<std::string>{kWorkbook, "Расчёты двигателя (Tarvo) (2).xlsx",
                                     "Расчёты двигателя (Tarvo) (3).xlsx"}));
    const std::string& text = desktop.clipboard.value();
    EXPECT_TRUE(text.starts_with("0,00\t0,0\n0,05\t34,3\n0,11\t35,3\n")) << text;
    EXPECT_TRUE(text.ends_with("\n1,18\t0,0\n")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 23);
}

TEST(ExportToSpreadsheet, WithoutAnApplicationOnlyWarnsAndAFailureOnlySaysWhatFailed) {
    std::vector<ResultRow> withNaN = Rows();
    withNaN[5].thrust = NAN;
    const struct {
        std::vector<ResultRow> rows;
        bool noApplication;
        std::string documents;  // empty: the scratch directory
        std::string launchError;
        std::string message;
    } cases[] = {
        {Rows(), true, "", "", "Microsoft Excel не установлен :("},
        {{}, false, "", "", "в таблице результатов 0 строк вместо 23"},
        {withNaN, false, "", "", "Строка 6 таблицы результатов (0,27; nan)"},
        {Rows(), false, "/proc", "", "в папке «/proc»"},
        {Rows(), false, "", "нет программы", "но открыть её не удалось: нет программы"},
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
        EXPECT_FALSE(desktop.clipboard.has_value());
        // Only a workbook the application failed to open stays, for the user to find.
        EXPECT_EQ(desktop.documents.Names().size(), c.launchError.empty() ? 0u : 1u);
        EXPECT_EQ(desktop.opened.size(), c.launchError.empty() ? 0u : 1u);
    }
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
    ScratchDirectory home, xdg, tmp;
    const std::filesystem::path homeDocuments = home.path() / "Documents";
    const struct {
        std::optional<std::string> answer;
        bool homeDocuments;
        std::optional<std::string> tmpdir;
        std::filesystem::path expected;
    } cases[] = {
        {xdg.path().string() + "\n", true, {}, xdg.path()},
        {home.path().string() + "/\n", true, {}, homeDocuments},  // home means "none set"
        {"/no/such/dir", true, {}, homeDocuments},
        {"Documents", true, {}, homeDocuments},
        {std::nullopt, false, tmp.path().string(), tmp.path()},
        {home.path().string(), false, "/no/such/tmp", "/tmp"},
        {std::nullopt, false, std::nullopt, "/tmp"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(homeDocuments);
        if (c.homeDocuments) {
            std::filesystem::create_directory(homeDocuments);
        }
        FakeDesktop desktop;
        desktop.Answer(kDocumentsQuery, c.answer);
        desktop.environment["HOME"] = home.path().string();
        if (c.tmpdir) {
            desktop.environment["TMPDIR"] = *c.tmpdir;
        }
        EXPECT_EQ(DocumentsDirectory(desktop), c.expected) << c.answer.value_or("(failed)");
    }
}

// A Russian desktop session has a decimal comma in LC_NUMERIC; the workbook must not.
TEST(WriteThrustWorkbook, WritesDecimalPointsUnderACommaLocale) {
    ScratchDirectory locales, documents;
    const std::string build =
        "localedef -i ru_RU -f UTF-8 " + locales.path().string() + "/ru_RU.UTF-8 >/dev/null 2>&1";
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
