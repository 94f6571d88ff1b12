// The save prompts of New, Open and closing, start-up, the recent list and the propellant
// commands.

#include <sys/stat.h>

#include <filesystem>

#include "document_test_support.h"
#include "files/ini_file.h"
#include "form/form_layout.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

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
        PromptCase{"NewYesSaveFails", C::kNew, true, A::kYes, {}, true, false, false},
        PromptCase{"OpenCancel", C::kOpen, true, A::kCancel, {}, false, false, false},
        PromptCase{"OpenNo", C::kOpen, false, A::kNo, {}, false, true, false},
        PromptCase{"OpenYes", C::kOpen, true, A::kYes, {}, false, true, true},
        PromptCase{"CloseNo", C::kClose, true, A::kNo, {}, false, true, false},
        PromptCase{"CloseYesDialogCancelled", C::kClose, false, A::kYes, false, false, false,
                   false},
        PromptCase{"CloseYesSaveFails", C::kClose, true, A::kYes, {}, true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, StartingWithoutGrainsShowsTheBuiltInPropellantsAndSaysSo) {
    EXPECT_EQ(form.statusText(0), kMissingGrainsNotice);
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
    EXPECT_EQ(dialogs.proposedNames, (std::vector<std::string>(2, "GRAINS.grn")));
    const std::string saved = ReadBytes(target);
    ::chmod(target.c_str(), 0444);
    document.savePropellantsCommand();  // refused: the old file is kept whole
    EXPECT_EQ(ReadBytes(target), saved);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvo
