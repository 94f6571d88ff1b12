// Motor files through the document commands: what opening fills in, what saving writes, the
// older layout, and saves that cannot happen.

#include <sys/stat.h>

#include "document_test_support.h"
#include "files/encoding.h"
#include "form/form_layout.h"
#include "form_test_support.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

std::string Text(const FormModel& form, const char* control) {
    return form.text(*FindControl(control)).value_or("<no text>");
}

struct Expected {
    const char* control;
    const char* text;
};

void ExpectTexts(const FormModel& form, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected) {
        EXPECT_EQ(Text(form, e.control), e.text) << e.control;
    }
}

// A propellant file whose KN/SU entry has a Cyrillic name, as a user would rename it.
constexpr std::string_view kRenamedPropellants =
    "[Const&Vars_SU]\r\nFuelName=Карамель на сахаре\r\nK21=\r\n";

TEST_F(DocumentTest, SavingAndOpeningGivesBackEveryControl) {
    Start();
    WriteBytes(dir.File("renamed.grn"), Utf8ToWindows1251(kRenamedPropellants));
    ASSERT_TRUE(document.loadPropellantFile(dir.File("renamed.grn")));
    form.setLoadingGuard(true);
    int n = 0;
    for (const FieldLayout& field : FieldLayouts()) {
        if (field.tab == 5) {
            form.setFieldText(EditId{field.edit}, FormatGeneral(++n + 0.25));
        }
    }
    const std::pair<int, const char*> motor[] = {{1, "40"},  {2, "200"}, {4, "38"},   {5, "14"},
                                                 {6, "60"},  {7, "2"},   {12, "250"}, {13, "0,5"},
                                                 {95, "70"}, {96, "30"}};
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
    form.setMemoText("Мой двигатель №1\r\nвторая строка не сохраняется");
    dialogs.files = {dir.File("round.zel")};
    ASSERT_TRUE(document.saveAs());
    EXPECT_FALSE(document.isDocumentChanged());

    FormModel reopened;
    testing::ScriptedDialogs quiet;
    Document second(reopened, quiet, {dir.File("GRAINS.grn"), dir.File("other.ini"), true});
    second.create();
    second.activate();
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
    EXPECT_EQ(reopened.memoText(), "Мой двигатель №1");
    EXPECT_EQ(reopened.propellantItems(), form.propellantItems());
    ExpectTexts(reopened,
                {{"Label94", "Карамель на сахаре"}, {"GroupBox10", "Карамель на сахаре"}});
    EXPECT_FALSE(second.isDocumentChanged());
}

TEST_F(DocumentTest, AFileWithOnlyTheChamberDiameterOpensWithEveryDefault) {
    Start();
    const std::string path = MotorFile("dc.zel", "[Params]\r\nDc=30\r\n");
    document.openMotorFile(path);
    ExpectTexts(form, {{"Edit1", "30"},
                       {"Edit2", "0"},
                       {"Edit7", "1"},
                       {"Edit8", "0"},
                       {"Edit9", "1"},
                       {"Edit10", "1"},
                       {"Edit11", "0,96"},
                       {"Edit29", "0,95"},
                       {"Edit30", "0,101"},
                       {"Edit31", "6"},
                       {"Edit32", "0,0"},
                       {"Edit93", "0,85"},
                       {"Edit94", "1"},
                       {"Edit43", "0,100"},
                       {"Edit39", "-0,009"},
                       {"Memo1", "Описание двигателя:"},
                       {"Label93", "KN/SB - Нитрат калия - сорбит"}});
    EXPECT_EQ(form.statusText(1), path);
    EXPECT_EQ(form.statusText(2), "dc.zel");
    EXPECT_EQ(form.selectedPropellant(), 0);  // "Ftype" defaults to KN/DX
    EXPECT_FALSE(form.isChecked(kEndGrainBox));
    EXPECT_TRUE(form.isChecked(kCoredGrainsBox));
    EXPECT_EQ(form.activeTab(), 0);
    EXPECT_EQ(document.currentFileName(), path);
    EXPECT_FALSE(document.isDocumentChanged());
}

TEST_F(DocumentTest, TheFirstBadNumberEndsTheGuardedBlock) {
    struct Case {
        const char* params;
        int propellant;
        const char* os;      // Edit8, from "Os"
        const char* aeAt;    // Edit94, from "Ae/At"
        const char* active;  // "Active" of "Tab"
        int tab;
    };
    const Case cases[] = {
        {"Ftype=2\r\nOs=1\r\nAe/At=50", 1, "1", "5", "4", 4},
        {"Ftype=0\r\nOs=1\r\nAe/At=50", -1, "1", "5", "0", 0},
        {"Ftype=4\r\nOs=1\r\nAe/At=50", -1, "1", "5", "7", -1},
        {"Ftype=abc\r\nOs=1\r\nAe/At=50", 1, "0", "1", "x", 0},
        {"Ftype=3\r\nOs=x\r\nAe/At=50", 2, "0", "1", "", 0},
        {"Ftype=3\r\nOs=1\r\nuc=70000\r\nAe/At=50", 2, "1", "1", "1", 1},
        {"Ftype=99999999999\r\nOs=1", 1, "0", "1", "2", 2},
        {"Ftype=3\r\nAe/At=5000", 2, "0", "30", "3", 3},
    };
    Start();
    for (const Case& c : cases) {
        const std::string text =
            std::string("[Params]\r\n") + c.params + "\r\n[Tab]\r\nActive=" + c.active + "\r\n";
        document.openMotorFile(MotorFile("guarded.zel", text));
        EXPECT_EQ(form.selectedPropellant(), c.propellant) << c.params;
        EXPECT_EQ(form.fieldText(EditId{8}), c.os) << c.params;
        EXPECT_EQ(form.fieldText(EditId{94}), c.aeAt) << c.params;
        EXPECT_EQ(form.activeTab(), c.tab) << c.params;
    }
}

TEST_F(DocumentTest, GrainFlagsSetTheBoxesAndTheirSavedStates) {
    struct Case {
        const char* trasser;
        const char* channel;
        bool endGrain;
        bool coredGrains;
    };
    const Case cases[] = {
        {"-1", "0", true, false},   {"TRUE", "false", true, false}, {"0,5", "0", true, false},
        {"yes", "-1", false, true}, {"0", "", false, true},
    };
    Start();
    for (const Case& c : cases) {
        const std::string text =
            std::string("[Params]\r\nTrasser=") + c.trasser + "\r\nChannel=" + c.channel + "\r\n";
        document.openMotorFile(MotorFile("flags.zel", text));
        EXPECT_EQ(form.isChecked(kEndGrainBox), c.endGrain) << c.trasser;
        EXPECT_EQ(form.isChecked(kCoredGrainsBox), c.coredGrains) << c.channel;
        EXPECT_EQ(document.savedEndGrain(), c.endGrain) << c.trasser;
        EXPECT_EQ(document.savedCoredGrains(), c.coredGrains) << c.channel;
        EXPECT_FALSE(document.isDocumentChanged()) << c.trasser;
    }
}

TEST_F(DocumentTest, OlderFilesAreConvertedOnceAndWrittenBack) {
    struct Case {
        const char* name;
        const char* text;
        bool converted;
        int tab;
        const char* dc;
        int propellant;
    };
    const Case cases[] = {
        {"only tabs", "[Tabs]\r\nActive=3\r\n", true, 3, "0", 1},
        {"no active key", "[Tabs]\r\nOther=1\r\n[Const&Vars]\r\n11=35\r\n44=3\r\n", true, 1, "35",
         2},
        {"empty old value", "[Tabs]\r\nActive=2\r\n[Const&Vars]\r\n11=\r\n", true, 2, "0", 1},
        {"tabs without keys", "[Tabs]\r\n[Params]\r\nDc=25\r\n", false, 0, "25", 0},
    };
    Start();
    for (const Case& c : cases) {
        const std::string path = MotorFile("old.zel", c.text);
        const std::string before = ReadBytes(path);
        document.openMotorFile(path);
        EXPECT_EQ(form.activeTab(), c.tab) << c.name;
        EXPECT_EQ(form.fieldText(EditId{1}), c.dc) << c.name;
        EXPECT_EQ(form.selectedPropellant(), c.propellant) << c.name;
        const std::string after = ReadBytes(path);
        EXPECT_EQ(after != before, c.converted) << c.name;
        if (c.converted) {
            // Old defaults are written in the general format; the sections are gone.
            EXPECT_EQ(form.fieldText(EditId{43}), "0,1") << c.name;
            EXPECT_EQ(after.find("[Tabs]"), std::string::npos) << c.name;
            document.openMotorFile(path);
            EXPECT_EQ(ReadBytes(path), after) << c.name << ": converted again";
        }
    }
}

TEST_F(DocumentTest, SavingOverAnOlderFileDropsItsOldSections) {
    Start();
    const std::string path =
        MotorFile("old.zel", "[Tabs]\r\nActive=3\r\n[Const&Vars]\r\n11=99\r\n");
    testing::TypeCoredMotor(form);
    dialogs.files = {path};
    ASSERT_TRUE(document.saveAs());
    document.openMotorFile(path);
    EXPECT_EQ(form.fieldText(EditId{1}), "40");
    EXPECT_EQ(form.activeTab(), 0);
}

TEST_F(DocumentTest, SaveWritesTheChosenNameWithTheMotorExtension) {
    Start();
    form.setMemoText("x");
    dialogs.files = {dir.File("Design.txt")};
    ASSERT_TRUE(document.save());
    EXPECT_TRUE(FileExists(dir.File("Design.zel")));
    EXPECT_FALSE(FileExists(dir.File("Design.txt")));
    EXPECT_EQ(document.currentFileName(), dir.File("Design.txt"));
    EXPECT_EQ(document.recentFiles().entries().front(), dir.File("Design.zel"));
    form.setMemoText("y");
    ASSERT_TRUE(document.save());  // the same file again, without a dialog
    EXPECT_EQ(dialogs.dialogsShown.size(), 1u);
}

TEST_F(DocumentTest, AFailedSaveIsReportedAndTheDocumentStaysChanged) {
    Start();
    WriteBytes(dir.File("plain"), "not a directory");
    const std::string locked = MotorFile("locked.zel", "[Params]\r\nDc=12\r\n");
    struct Case {
        const char* name;
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {"directory is a file", dir.File("plain/motor.zel"), "не является папкой"},
        {"missing directory", dir.File("nowhere/motor.zel"), "папка не существует"},
        {"read-only file", locked, "только для чтения"},
    };
    ::chmod(locked.c_str(), 0444);
    for (const Case& c : cases) {
        dialogs.messages.clear();
        form.setMemoText(std::string("правка ") + c.name);
        dialogs.files = {c.path};
        EXPECT_FALSE(document.saveAs()) << c.name;
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
        EXPECT_NE(dialogs.messages[0].find(c.path), std::string::npos) << dialogs.messages[0];
        EXPECT_NE(dialogs.messages[0].find(c.reason), std::string::npos) << dialogs.messages[0];
        EXPECT_TRUE(document.isDocumentChanged()) << c.name;
        EXPECT_EQ(document.currentFileName(), "") << c.name;
        EXPECT_TRUE(document.recentFiles().entries().empty()) << c.name;
    }
    EXPECT_EQ(ReadBytes(locked), "[Params]\r\nDc=12\r\n");
}

TEST_F(DocumentTest, CyrillicTextsAreWindows1251OnDisk) {
    Start();
    WriteBytes(dir.File("names.grn"), Utf8ToWindows1251(kRenamedPropellants));
    ASSERT_TRUE(document.loadPropellantFile(dir.File("names.grn")));
    EXPECT_EQ(form.propellantItems()[2], "Карамель на сахаре");
    form.setMemoText("Описание: ракета «Ёж»");
    dialogs.files = {dir.File("cyr.zel")};
    ASSERT_TRUE(document.saveAs());
    const std::string bytes = ReadBytes(dir.File("cyr.zel"));
    for (const std::string_view line :
         {"FuelName=Карамель на сахаре\r\n", "FuelName=KN/DX - Нитрат калия - декстроза\r\n",
          "Motor=Описание: ракета «Ёж»\r\n"}) {
        EXPECT_NE(bytes.find(Utf8ToWindows1251(line)), std::string::npos) << line;
    }
    EXPECT_EQ(bytes.find("\xD0\x9E"), std::string::npos) << "UTF-8 in the file";
}

}  // namespace
}  // namespace tarvo
