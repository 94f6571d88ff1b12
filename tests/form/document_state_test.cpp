// The document state, its save prompts, start-up, the recent list and the propellant commands.

#include <sys/stat.h>

#include <filesystem>

#include "document_test_support.h"
#include "files/encoding.h"
#include "files/ini_file.h"
#include "form/form_layout.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr const char* kUntitledQuestion = "Файл не сохранён. Сохранить?";

enum class Command { kNew, kOpen, kClose };

// What the save prompt leads to, for each command, answer and way the save goes.
struct PromptCase {
    const char* name;
    Command command;
    bool fileBacked;
    Answer answer;
    std::optional<bool> dialogChoosesFile;  // Save as: a file chosen, or the dialog cancelled
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
    Start();
    const std::string current = MotorFile("current.zel", "[Params]\r\nDc=11\r\n");
    const std::string other = MotorFile("other.zel", "[Params]\r\nDc=22\r\n");
    const std::string chosen = dir.File("chosen.zel");
    if (c.fileBacked) {
        document.openMotorFile(current);
    }
    if (c.saveFails) {
        ::chmod(current.c_str(), 0444);
    }
    const std::string before = ReadBytes(current);
    form.setMemoText("несохранённая правка");
    dialogs.answers = {c.answer};
    if (c.dialogChoosesFile) {
        dialogs.files = {*c.dialogChoosesFile ? std::optional(chosen) : std::nullopt};
    }

    bool wentOn = false;
    switch (c.command) {
        case Command::kNew:
            document.newDocument();
            wentOn = form.memoText() == kMemoFirstLine;
            break;
        case Command::kOpen:
            document.openMotorFile(other);
            wentOn = document.currentFileName() == other;
            break;
        case Command::kClose:
            wentOn = document.closeQuery();
            break;
    }
    ASSERT_EQ(dialogs.questions.size(), 1u) << c.name;
    EXPECT_EQ(dialogs.questions[0],
              c.fileBacked ? "Файл " + current + " не сохранён. Сохранить?" : kUntitledQuestion)
        << c.name;
    EXPECT_EQ(wentOn, c.goesOn) << c.name;
    const bool saved = c.fileBacked ? ReadBytes(current) != before : FileExists(chosen);
    EXPECT_EQ(saved, c.saved) << c.name;
    if (!c.goesOn) {
        EXPECT_EQ(form.memoText(), "несохранённая правка") << c.name;
        EXPECT_TRUE(document.isDocumentChanged()) << c.name;
    }
}

using A = Answer;
using C = Command;
INSTANTIATE_TEST_SUITE_P(
    Document, SavePrompt,
    ::testing::Values(
        PromptCase{"new cancel", C::kNew, false, A::kCancel, {}, false, false, false},
        PromptCase{"new no", C::kNew, false, A::kNo, {}, false, true, false},
        PromptCase{"new yes, save as", C::kNew, false, A::kYes, true, false, true, true},
        PromptCase{"new yes, dialog cancelled", C::kNew, false, A::kYes, false, false, false,
                   false},
        PromptCase{"new yes, file", C::kNew, true, A::kYes, {}, false, true, true},
        PromptCase{"new yes, save fails", C::kNew, true, A::kYes, {}, true, false, false},
        PromptCase{"open cancel", C::kOpen, true, A::kCancel, {}, false, false, false},
        PromptCase{"open no", C::kOpen, false, A::kNo, {}, false, true, false},
        PromptCase{"open yes", C::kOpen, true, A::kYes, {}, false, true, true},
        PromptCase{"close cancel", C::kClose, true, A::kCancel, {}, false, false, false},
        PromptCase{"close no", C::kClose, true, A::kNo, {}, false, true, false},
        PromptCase{"close yes, dialog cancelled", C::kClose, false, A::kYes, false, false, false,
                   false},
        PromptCase{"close yes, save fails", C::kClose, true, A::kYes, {}, true, false, false}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST_F(DocumentTest, AnUnchangedDocumentIsNeverPromptedFor) {
    Start();
    form.setChecked(kEndGrainBox, true);
    EXPECT_TRUE(document.isDocumentChanged());
    form.setChecked(kEndGrainBox, false);  // back to the saved state
    EXPECT_FALSE(document.isDocumentChanged());
    form.setLoadingGuard(true);
    form.setFieldText(EditId{1}, "50");
    form.setLoadingGuard(false);
    document.newDocument();
    EXPECT_TRUE(document.closeQuery());
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(form.fieldText(EditId{1}), "0");  // New reset the field all the same
}

TEST_F(DocumentTest, StartingWithoutGrainsShowsTheDefaultsAndSaysSo) {
    Start();
    EXPECT_EQ(form.statusText(0), kMissingGrainsNotice);
    EXPECT_EQ(form.propellantItems()[1], "KN/SB - Нитрат калия - сорбит");
    EXPECT_EQ(form.selectedPropellant(), 1);
    EXPECT_FALSE(document.isDocumentChanged());
    EXPECT_FALSE(document.recentMenu().enabled);
    EXPECT_FALSE(std::filesystem::exists(dir.File("config")));  // nothing to keep yet
}

TEST_F(DocumentTest, StartingWithGrainsLoadsIt) {
    WriteBytes(dir.File("GRAINS.grn"),
               Utf8ToWindows1251("[Const&Vars_DX]\r\nFuelName=Свой KN/DX\r\n1=1,9\r\n"));
    Start();
    EXPECT_EQ(form.statusText(0), "");
    EXPECT_EQ(form.propellantItems()[0], "Свой KN/DX");
    EXPECT_EQ(form.fieldText(EditId{14}), "1,9");
    EXPECT_EQ(form.labelText(LabelId{92}), "Свой KN/DX");
}

TEST_F(DocumentTest, TheRecentListKeepsTheLastFourOpenedNewestFirst) {
    Start();
    std::vector<std::string> paths;
    for (const char* name : {"m1.zel", "m2.zel", "m3.zel", "M3.zel", "m&5.zel"}) {
        paths.push_back(MotorFile(name, "[Params]\r\nDc=10\r\n"));
        document.openMotorFile(paths.back());
    }
    const auto menuPaths = [this] {
        std::vector<std::string> shown;
        for (const RecentMenuItem& item : document.recentMenu().items) {
            shown.push_back(item.path);
        }
        return shown;
    };
    EXPECT_EQ(menuPaths(), (std::vector{paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(document.recentMenu().items[0].caption, dir.File("m&&5.zel"));
    const std::string ini = dir.File("config/Tarvo.ini");
    for (int key = 0; key < 4; ++key) {
        EXPECT_EQ(ReadIniStr(ini, "Files", std::to_string(key), ""), menuPaths()[key]);
    }

    document.recentItemClick(2);  // m3.zel moves to the top, once
    EXPECT_EQ(menuPaths(), (std::vector{paths[2], paths[4], paths[3], paths[1]}));

    std::filesystem::remove(paths[3]);
    document.recentItemClick(2);
    EXPECT_EQ(dialogs.messages, (std::vector{"Файл " + paths[3] + " не найден!"}));
    EXPECT_EQ(menuPaths(), (std::vector{paths[2], paths[4], paths[1]}));
    EXPECT_EQ(ReadIniStr(ini, "Files", "2", ""), paths[1]);
    EXPECT_EQ(ReadIniStr(ini, "Files", "3", ""), "");

    document.recentItemClick(1);  // the path with "&" opens
    EXPECT_EQ(document.currentFileName(), paths[4]);

    document.destroy();
    FormModel restarted;
    testing::ScriptedDialogs quiet;
    Document next(restarted, quiet, {dir.File("GRAINS.grn"), ini, true});
    next.create();
    next.activate();
    EXPECT_EQ(next.recentFiles().entries(), document.recentFiles().entries());
    EXPECT_TRUE(next.recentMenu().enabled);
}

TEST_F(DocumentTest, ViewsHearOfTheRecentMenuAndTheCurrentFile) {
    Start();
    std::vector<DocumentEvent> events;
    document.addObserver([&events](DocumentEvent event) { events.push_back(event); });
    form.setMemoText("x");
    dialogs.files = {dir.File("seen.zel")};
    ASSERT_TRUE(document.saveAs());
    EXPECT_EQ(events, (std::vector{DocumentEvent::kRecentMenu, DocumentEvent::kCurrentFile}));
    EXPECT_EQ(form.statusText(1), dir.File("seen.zel"));
    EXPECT_EQ(form.statusText(2), "seen.zel");
}

TEST_F(DocumentTest, RestoringThePropellantsChangesOnlyAnOpenedDocument) {
    for (const bool fileBacked : {false, true}) {
        Start();
        if (fileBacked) {
            document.openMotorFile(MotorFile("a.zel", "[Params]\r\nRoi/Ror=93\r\n"));
        }
        form.setLoadingGuard(true);
        form.setFieldText(EditId{14}, "2,5");
        form.selectPropellant(0);
        form.setLoadingGuard(false);
        document.restorePropellantDefaults();
        EXPECT_EQ(form.fieldText(EditId{14}), "1,879");
        EXPECT_EQ(form.fieldText(EditId{11}), "0,96");  // the steppers are reset too
        EXPECT_EQ(form.selectedPropellant(), 1);
        EXPECT_EQ(form.statusText(0), kPropellantDefaultsRestored);
        EXPECT_EQ(document.isDocumentChanged(), fileBacked);
    }
}

TEST_F(DocumentTest, LoadingAPropellantFile) {
    struct Case {
        const char* name;
        std::optional<std::string> chosen;
        const char* status;
        const char* k21;  // Edit39
    };
    WriteBytes(dir.File("set.grn"), "[Const&Vars_DX]\r\nK21=\r\nK11=0,7\r\n");
    const Case cases[] = {
        {"cancelled", std::nullopt, "", "5"},
        {"missing", dir.File("none.grn"), kPropellantFileMissing.data(), "5"},
        {"loaded", dir.File("set.grn"), kPropellantFileLoaded.data(), "-0,009"},
        {"a directory", dir.path(), kPropellantFileMissing.data(), "5"},
    };
    Start();
    for (const Case& c : cases) {
        form.setLoadingGuard(true);
        form.setFieldText(EditId{39}, "5");
        form.selectPropellant(0);
        form.setLoadingGuard(false);
        dialogs.files = {c.chosen};
        document.loadPropellantsCommand();
        EXPECT_EQ(form.statusText(0), c.status) << c.name;
        EXPECT_EQ(form.fieldText(EditId{39}), c.k21) << c.name;
        EXPECT_EQ(form.selectedPropellant(), std::string(c.name) == "loaded" ? 1 : 0) << c.name;
        EXPECT_FALSE(document.isDocumentChanged()) << c.name;  // an untitled document
    }
}

TEST_F(DocumentTest, SavingThePropellantsReplacesTheWholeFileOnlyWhenAllowed) {
    Start();
    const std::string target = dir.File("my.grn");
    WriteBytes(target, "[Extra]\r\nKeep=1\r\n");
    WriteBytes(dir.File("plain"), "");

    dialogs.files = {dir.File("my"), dir.File("my.txt"), dir.File("plain/x.grn")};
    dialogs.overwrite = {false, true};
    document.savePropellantsCommand();  // "my" is "my.grn": asked, No
    EXPECT_EQ(ReadBytes(target), "[Extra]\r\nKeep=1\r\n");
    document.savePropellantsCommand();  // Yes: the old keys vanish
    EXPECT_EQ(dialogs.questions,
              (std::vector<std::string>(2, "Файл " + target + " существует. Переписать?")));
    EXPECT_EQ(form.statusText(0), "Файл параметров топлив my.grn сохранён");
    EXPECT_EQ(ReadIniStr(target, "Extra", "Keep", ""), "");
    EXPECT_EQ(ReadIniStr(target, "Const&Vars_SB", "K10", ""), "10,708");
    EXPECT_EQ(dialogs.proposedNames, (std::vector<std::string>(2, "GRAINS.grn")));

    document.savePropellantsCommand();  // into a "directory" that is a file
    EXPECT_EQ(form.statusText(0), "");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find(dir.File("plain/x.grn")), std::string::npos);
}

}  // namespace
}  // namespace tarvo
