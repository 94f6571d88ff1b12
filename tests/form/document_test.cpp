// The document commands: what opening a motor file fills in and saving writes, the older
// layout, saves that cannot happen, the save prompts of New, Open and closing, start-up, the
// recent list and the propellant commands.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "document_test_support.h"
#include "files/ini_file.h"
#include "form/form_layout.h"
#include "form_test_support.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

// Every control survives a save and an open, and the Cyrillic texts are Windows-1251 on disk.
TEST_F(DocumentTest, SavingAndOpeningGivesBackEveryControl) {
    WriteBytes(dir.File("names.grn"),
               Utf8ToWindows1251("[Const&Vars_SU]\r\nFuelName=Карамель на сахаре\r\n"));
    ASSERT_TRUE(document.loadPropellantFile(dir.File("names.grn")));
    form.setLoadingGuard(true);
    for (const FieldLayout& field : FieldLayouts()) {
        form.setFieldText(EditId{field.edit}, FormatGeneral(field.edit + 0.25));
    }
    const std::pair<int, const char*> motor[] = {{1, "40"}, {2, "200"}, {6, "60"},
                                                 {7, "2"},  {95, "70"}, {96, "30"}};
    for (const auto& [edit, text] : motor) {
        form.setFieldText(EditId{edit}, text);
    }
    const std::pair<int, int> positions[] = {{2, 1},  {3, 0},  {4, 0},  {5, 93},  {6, 90},
                                             {7, 75}, {8, 12}, {9, 30}, {10, 80}, {11, 55}};
    for (const auto& [stepper, position] : positions) {
        form.setStepperPosition(StepperId{stepper}, position);
        form.clickStepper(StepperId{stepper});
    }
    form.selectPropellant(2);
    form.setLoadingGuard(false);
    form.setChecked(kEndGrainBox, true);
    form.setChecked(kCoredGrainsBox, false);
    form.setActiveTab(3);
    form.setMemoText("Мой двигатель «Ёж» №1\r\nвторая строка не сохраняется");
    dialogs.files = {dir.File("round.txt")};
    ASSERT_TRUE(document.save());  // no file yet: Save as, and the file is written as .zel
    EXPECT_EQ(document.currentFileName(), dir.File("round.txt"));
    EXPECT_FALSE(document.isDocumentChanged());
    const std::string bytes = ReadBytes(dir.File("round.zel"));
    for (const std::string_view line :
         {"FuelName=Карамель на сахаре\r\n", "FuelName=KN/DX - Нитрат калия - декстроза\r\n",
          "Motor=Мой двигатель «Ёж» №1\r\n"}) {
        EXPECT_NE(bytes.find(Utf8ToWindows1251(line)), std::string::npos) << line;
    }

    testing::StartedDocument started({{dir.File("GRAINS.grn")}, "", true});
    auto& [reopened, quiet, second] = started;
    second.openMotorFile(dir.File("round.zel"));
    for (const FieldLayout& field : FieldLayouts()) {
        EXPECT_EQ(reopened.fieldText(EditId{field.edit}), form.fieldText(EditId{field.edit}))
            << "Edit" << field.edit;
    }
    for (const auto& [stepper, position] : positions) {
        EXPECT_EQ(reopened.stepperPosition(StepperId{stepper}), position) << "UpDown" << stepper;
    }
    EXPECT_TRUE(reopened.isChecked(kEndGrainBox));
    EXPECT_FALSE(reopened.isChecked(kCoredGrainsBox));
    EXPECT_EQ(reopened.activeTab(), 3);
    EXPECT_EQ(reopened.selectedPropellant(), 2);
    EXPECT_EQ(reopened.memoText(), "Мой двигатель «Ёж» №1");
    EXPECT_EQ(reopened.groupCaption(10), "Карамель на сахаре");
    EXPECT_FALSE(second.isDocumentChanged());
}

TEST_F(DocumentTest, AFileWithOnlyTheChamberDiameterOpensWithEveryDefault) {
    const std::string path = MotorFile("dc.zel", "[Params]\r\nDc=30\r\n");
    document.openMotorFile(path);
    // clang-format off
    const std::pair<const char*, const char*> texts[] = {
        {"Edit1", "30"}, {"Edit2", "0"}, {"Edit8", "0"}, {"Edit9", "1"}, {"Edit11", "0,96"},
        {"Edit43", "0,100"}, {"Memo1", "Описание двигателя:"},
        {"Label93", "KN/SB - Нитрат калия - сорбит"}};
    // clang-format on
    for (const auto& [control, text] : texts) {
        EXPECT_EQ(form.text(*FindControl(control)), text) << control;
    }
    EXPECT_EQ(form.selectedPropellant(), 0);  // "Ftype" defaults to KN/DX
    EXPECT_FALSE(form.isChecked(kEndGrainBox));
    EXPECT_TRUE(form.isChecked(kCoredGrainsBox));
    EXPECT_EQ(form.activeTab(), 0);
    EXPECT_EQ(form.statusText(1), path);
    EXPECT_EQ(form.statusText(2), "dc.zel");
    EXPECT_FALSE(document.isDocumentChanged());
}

TEST_F(DocumentTest, TheFirstBadNumberEndsTheGuardedBlock) {
    struct Case {
        const char* params;
        int propellant;
        const char* os;    // Edit8, from "Os"
        const char* aeAt;  // Edit94, from "Ae/At"
        int tab;
        bool endGrain;
    };
    const Case cases[] = {
        {"Ftype=2\nOs=1\nAe/At=50\nTrasser=TRUE\n[Tab]\nActive=4", 1, "1", "5", 4, true},
        {"Ftype=0\nOs=1\nAe/At=50\nTrasser=0,5\n[Tab]\nActive=7", -1, "1", "5", -1, true},
        {"Ftype=4\nOs=1\nAe/At=50\nTrasser=yes\n[Tab]\nActive=x", -1, "1", "5", 0, false},
        {"Ftype=abc\nOs=1\nAe/At=50", 1, "0", "1", 0, false},
        {"Ftype=3\nOs=x\nAe/At=50", 2, "0", "1", 0, false},
        {"Ftype=3\nOs=1\nuc=70000\nAe/At=50", 2, "1", "1", 0, false},
        {"Ftype=3\nAe/At=5000", 2, "0", "30", 0, false},
    };
    for (const Case& c : cases) {
        document.openMotorFile(MotorFile("guarded.zel", std::string("[Params]\n") + c.params));
        EXPECT_EQ(form.selectedPropellant(), c.propellant) << c.params;
        EXPECT_EQ(form.fieldText(EditId{8}), c.os) << c.params;
        EXPECT_EQ(form.fieldText(EditId{94}), c.aeAt) << c.params;
        EXPECT_EQ(form.activeTab(), c.tab) << c.params;
        EXPECT_EQ(form.isChecked(kEndGrainBox), c.endGrain) << c.params;
        EXPECT_FALSE(document.isDocumentChanged()) << c.params;
    }
}

TEST_F(DocumentTest, OlderFilesAreConvertedOnceAndWrittenBack) {
    struct Case {
        const char* text;
        bool converted;
        int tab;
        const char* dc;
        int propellant;
    };
    const Case cases[] = {
        {"[Tabs]\nActive=3\n", true, 3, "0", 1},
        {"[Tabs]\n[Params]\nDc=25\n", false, 0, "25", 0},
    };
    for (const Case& c : cases) {
        const std::string path = MotorFile("old.zel", c.text);
        const std::string before = ReadBytes(path);
        document.openMotorFile(path);
        EXPECT_EQ(form.activeTab(), c.tab) << c.text;
        EXPECT_EQ(form.fieldText(EditId{1}), c.dc) << c.text;
        EXPECT_EQ(form.selectedPropellant(), c.propellant) << c.text;
        const std::string after = ReadBytes(path);
        EXPECT_EQ(after != before, c.converted) << c.text;
        if (c.converted) {
            EXPECT_EQ(after.find("[Tabs]"), std::string::npos) << c.text;
            document.openMotorFile(path);
            EXPECT_EQ(ReadBytes(path), after) << c.text << ": converted again";
        }
    }
}

TEST_F(DocumentTest, SavingOverAnOlderFileDropsItsOldSections) {
    const std::string path = MotorFile("old.zel", "[Tabs]\nActive=3\n[Const&Vars]\n11=99\n");
    testing::TypeCoredMotor(form);
    dialogs.files = {path};
    ASSERT_TRUE(document.saveAs());
    document.openMotorFile(path);
    EXPECT_EQ(form.fieldText(EditId{1}), "40");
    EXPECT_EQ(form.activeTab(), 0);
}

// A save that cannot happen names the file and the reason, keeps the old file whole and leaves
// the document changed.
TEST_F(DocumentTest, AFailedSaveIsReportedAndTheDocumentStaysChanged) {
    const std::string old = "[Params]\r\nDc=12\r\n";
    WriteBytes(dir.File("plain"), "not a directory");
    const std::string locked = MotorFile("locked.zel", old);
    ::chmod(locked.c_str(), 0444);  // refused even for root: a rename would replace it
    ::mkdir(dir.File("folder.zel").c_str(), 0755);
    ::mkdir(dir.File("ro").c_str(), 0755);
    const std::string inReadOnly = MotorFile("ro/m.zel", old);
    ::chmod(dir.File("ro").c_str(), 0555);
    std::vector<std::pair<std::string, const char*>> cases = {
        {dir.File("plain/motor.zel"), "не является папкой"},
        {dir.File("nowhere/motor.zel"), "папка не существует"},
        {dir.File("folder.zel"), "по этому пути находится папка"},
        {locked, "файл только для чтения"},
    };
    if (::access(dir.File("ro").c_str(), W_OK) != 0) {  // root writes into any directory
        cases.emplace_back(inReadOnly, "нет прав на запись в папку");
    }
    for (const auto& [path, reason] : cases) {
        dialogs.messages.clear();
        form.setMemoText("правка для " + path);
        dialogs.files = {path};
        EXPECT_FALSE(document.saveAs()) << path;
        ASSERT_EQ(dialogs.messages.size(), 1u) << path;
        EXPECT_NE(dialogs.messages[0].find(path), std::string::npos) << dialogs.messages[0];
        EXPECT_NE(dialogs.messages[0].find(reason), std::string::npos) << dialogs.messages[0];
        EXPECT_TRUE(document.isDocumentChanged()) << path;
        EXPECT_EQ(document.currentFileName(), "") << path;
        EXPECT_EQ(form.statusText(0).find("Сохранено"), std::string::npos) << path;
        EXPECT_EQ(document.windowTitle(), "Без имени[*] — Tarvo+ [Версия 2.21]") << path;
        EXPECT_TRUE(document.recentFiles().entries().empty()) << path;
    }
    EXPECT_EQ(ReadBytes(locked), old);
    EXPECT_EQ(ReadBytes(inReadOnly), old);
    ::chmod(dir.File("ro").c_str(), 0755);
}

// The title names the file and carries Qt's changed mark; a save says so in the status bar.
// New and Open start a document of their own: no field marked, no result stale.
TEST_F(DocumentTest, TheTitleAndTheStatusBarFollowTheDocument) {
    const std::string caption = " — Tarvo+ [Версия 2.21]";
    int told = 0;
    document.addObserver([&told](DocumentEvent event) { told += event == DocumentEvent::kTitle; });
    EXPECT_EQ(document.windowTitle(), "Без имени[*]" + caption);
    form.setChecked(kEndGrainBox, true);
    EXPECT_TRUE(document.isDocumentChanged());
    form.setChecked(kEndGrainBox, false);  // back as it was saved: unchanged again
    EXPECT_FALSE(document.isDocumentChanged());
    EXPECT_EQ(told, 2);
    testing::Type(form, 1, "-");
    EXPECT_TRUE(document.isDocumentChanged());
    EXPECT_EQ(told, 3);

    dialogs.files = {dir.File("мотор.zel")};
    ASSERT_TRUE(document.saveAs());
    EXPECT_EQ(form.statusText(0), "Сохранено: мотор.zel");
    EXPECT_EQ(form.statusText(2), "мотор.zel");
    EXPECT_EQ(document.windowTitle(), "мотор.zel[*]" + caption);
    EXPECT_FALSE(document.isDocumentChanged());
    EXPECT_EQ(told, 4);  // one announcement for the new name and the cleared mark
    EXPECT_TRUE(form.isFieldMarked(EditId{1}));  // saving keeps what the user typed

    form.setStatusText(0, "");
    form.setMemoText("ещё правка");
    ASSERT_TRUE(document.save());
    EXPECT_EQ(form.statusText(0), "Сохранено: мотор.zel");

    document.openMotorFile(MotorFile("other.zel", "[Params]\r\nDc=x1\r\nLc=100\r\n"));
    EXPECT_EQ(document.windowTitle(), "other.zel[*]" + caption);
    EXPECT_FALSE(form.isFieldMarked(EditId{1}));
    testing::Type(form, 2, "1O0");
    dialogs.answers = {Answer::kNo};
    document.newDocument();
    EXPECT_EQ(document.windowTitle(), "Без имени[*]" + caption);
    EXPECT_FALSE(form.isFieldMarked(EditId{2}));
    EXPECT_FALSE(form.anyResultsStale());
}

enum class Command { kNew, kOpen, kClose };

struct PromptCase {
    const char* name;
    Command command;
    bool fileBacked;
    Answer answer;
    std::optional<bool> saveAsChoosesFile;  // the Save as dialog: a file, or cancelled
    bool saveFails;
    bool goesOn;
    bool saved;
};

void PrintTo(const PromptCase& c, std::ostream* out) {
    *out << c.name;
}

class SavePrompt : public DocumentTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(SavePrompt, GoesOnOnlyWhenTheWorkIsSafeOrDiscarded) {
    const PromptCase& c = GetParam();
    const std::string current = MotorFile("current.zel", "[Params]\r\nDc=11\r\n");
    const std::string other = MotorFile("other.zel", "[Params]\r\nDc=22\r\n");
    if (c.fileBacked) {
        document.openMotorFile(current);
    }
    if (c.saveFails) {
        ::chmod(current.c_str(), 0444);
    }
    const std::string before = ReadBytes(current);
    form.setMemoText("несохранённая правка");
    dialogs.answers = {c.answer};
    if (c.saveAsChoosesFile) {
        dialogs.files = {*c.saveAsChoosesFile ? std::optional(dir.File("new.zel")) : std::nullopt};
    }
    bool wentOn = false;
    if (c.command == Command::kNew) {
        document.newDocument();
        wentOn = form.memoText() == kMemoFirstLine;
    } else if (c.command == Command::kOpen) {
        document.openMotorFile(other);
        wentOn = document.currentFileName() == other;
    } else {
        wentOn = document.closeQuery();
    }
    EXPECT_EQ(
        dialogs.questions,
        (std::vector<std::string>{c.fileBacked ? "Файл " + current + " не сохранён. Сохранить?"
                                               : "Файл не сохранён. Сохранить?"}));
    EXPECT_EQ(wentOn, c.goesOn);
    EXPECT_EQ(c.fileBacked ? ReadBytes(current) != before : FileExists(dir.File("new.zel")),
              c.saved);
    EXPECT_EQ(document.isDocumentChanged(), !c.goesOn || c.command == Command::kClose);
}

using A = Answer;
using C = Command;
INSTANTIATE_TEST_SUITE_P(
    Document, SavePrompt,
    ::testing::Values(
        PromptCase{"NewCancel", C::kNew, false, A::kCancel, {}, false, false, false},
        PromptCase{"NewNo", C::kNew, false, A::kNo, {}, false, true, false},
        PromptCase{"NewYesSaveAs", C::kNew, false, A::kYes, true, false, true, true},
        PromptCase{"NewYesDialogCancelled", C::kNew, false, A::kYes, false, false, false, false},
        PromptCase{"OpenCancel", C::kOpen, true, A::kCancel, {}, false, false, false},
        PromptCase{"OpenYes", C::kOpen, true, A::kYes, {}, false, true, true},
        PromptCase{"CloseNo", C::kClose, true, A::kNo, {}, false, true, false},
        PromptCase{"CloseYesSaveFails", C::kClose, true, A::kYes, {}, true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, StartingWithoutGrainsShowsTheBuiltInPropellantsAndSaysSo) {
    EXPECT_EQ(form.statusText(0),
              "Файл GRAINS.grn не найден. Параметры топлив установлены по умолчанию. См. "
              "справку. Искали: " +
                  dir.File("GRAINS.grn"));
    EXPECT_EQ(form.propellantItems()[1], "KN/SB - Нитрат калия - сорбит");
    EXPECT_EQ(form.selectedPropellant(), 1);
    EXPECT_FALSE(document.isDocumentChanged());
    EXPECT_FALSE(std::filesystem::exists(dir.File("config")));  // nothing to remember yet
}

TEST_F(DocumentTest, TheRecentListKeepsTheLastFourNewestFirst) {
    int menuEvents = 0;
    document.addObserver([&](DocumentEvent e) { menuEvents += e == DocumentEvent::kRecentMenu; });
    std::vector<std::string> paths;
    for (const char* name : {"m1.zel", "m2.zel", "m3.zel", "M3.zel", "m&5.zel"}) {
        paths.push_back(MotorFile(name, "[Params]\r\nDc=10\r\n"));
        document.openMotorFile(paths.back());
    }
    EXPECT_EQ(menuEvents, 5);
    const auto menu = [this] {
        std::vector<std::string> shown;
        for (const RecentMenuItem& item : document.recentMenu().items) {
            shown.push_back(item.path);
        }
        return shown;
    };
    const std::string ini = dir.File("config/Tarvo.ini");
    EXPECT_EQ(menu(), (std::vector{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(document.recentMenu().items[0].caption, dir.File("m&&5.zel"));
    EXPECT_EQ(ReadIniStr(ini, "Files", "3", ""), paths[1]);

    document.recentItemClick(2);  // m3.zel moves to the top, once
    EXPECT_EQ(menu(), (std::vector{paths[2], paths[4], paths[3], paths[1]}));

    std::filesystem::remove(paths[3]);
    document.recentItemClick(2);
    EXPECT_EQ(dialogs.messages, (std::vector{"Файл " + paths[3] + " не найден!"}));
    EXPECT_EQ(menu(), (std::vector{paths[2], paths[4], paths[1]}));
    EXPECT_EQ(ReadIniStr(ini, "Files", "2", ""), paths[1]);
    EXPECT_EQ(ReadIniStr(ini, "Files", "3", ""), "");

    document.recentItemClick(1);  // the path with "&" opens
    EXPECT_EQ(document.currentFileName(), paths[4]);

    // A folder where the file was is named as a folder, and leaves the list too.
    std::filesystem::remove(paths[1]);
    std::filesystem::create_directory(paths[1]);
    document.recentItemClick(2);
    EXPECT_NE(dialogs.messages.back().find("по этому пути находится папка"), std::string::npos)
        << dialogs.messages.back();
    EXPECT_EQ(menu(), (std::vector{paths[4], paths[2]}));
}

TEST_F(DocumentTest, PropellantCommands) {
    document.openMotorFile(MotorFile("a.zel", "[Params]\r\nRoi/Ror=93\r\n"));
    document.restorePropellantDefaults();
    EXPECT_EQ(form.fieldText(EditId{11}), "0,96");  // the steppers are restored too
    EXPECT_TRUE(document.isDocumentChanged());      // a document from a file has changed

    const std::string target = dir.File("my.grn");
    WriteBytes(target, "[Extra]\r\nKeep=1\r\n");
    dialogs.files = {dir.File("my"), dir.File("my.txt"), target};
    dialogs.overwrite = {false, true, true};
    document.savePropellantsCommand();  // "my" is "my.grn": asked, No
    EXPECT_EQ(ReadBytes(target), "[Extra]\r\nKeep=1\r\n");
    document.savePropellantsCommand();  // Yes: the whole file is replaced
    EXPECT_EQ(dialogs.questions.back(), "Файл " + target + " существует. Переписать?");
    EXPECT_EQ(form.statusText(0), "Файл параметров топлив my.grn сохранён");
    EXPECT_EQ(ReadIniStr(target, "Extra", "Keep", ""), "");
    EXPECT_EQ(dialogs.proposedNames, (std::vector<std::string>(2, dir.File("GRAINS.grn"))));
    const std::string saved = ReadBytes(target);
    ::chmod(target.c_str(), 0444);
    document.savePropellantsCommand();  // refused: the old file is kept whole
    EXPECT_EQ(ReadBytes(target), saved);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvo
