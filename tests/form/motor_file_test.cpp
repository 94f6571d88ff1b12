// Motor files through the document commands: what opening fills in, what saving writes, the
// older layout, and saves that cannot happen.

#include <sys/stat.h>

#include "document_test_support.h"
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

    FormModel reopened;
    testing::ScriptedDialogs quiet;
    Document second(reopened, quiet, {dir.File("GRAINS.grn"), "", true});
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
    EXPECT_EQ(reopened.memoText(), "Мой двигатель «Ёж» №1");
    EXPECT_EQ(reopened.groupCaption(10), "Карамель на сахаре");
    EXPECT_FALSE(second.isDocumentChanged());
}

TEST_F(DocumentTest, AFileWithOnlyTheChamberDiameterOpensWithEveryDefault) {
    const std::string path = MotorFile("dc.zel", "[Params]\r\nDc=30\r\n");
    document.openMotorFile(path);
    // clang-format off
    const std::pair<const char*, const char*> texts[] = {
        {"Edit1", "30"}, {"Edit2", "0"}, {"Edit7", "1"}, {"Edit8", "0"}, {"Edit9", "1"},
        {"Edit11", "0,96"}, {"Edit30", "0,101"}, {"Edit32", "0,0"}, {"Edit94", "1"},
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
        {"Ftype=99999999999\nOs=1", 1, "0", "1", 0, false},
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
        {"[Tabs]\nOther=1\n[Const&Vars]\n11=35\n44=3\n", true, 1, "35", 2},
        {"[Tabs]\nActive=2\n[Const&Vars]\n11=\n", true, 2, "0", 1},
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
            EXPECT_EQ(form.fieldText(EditId{43}), "0,1") << c.text;  // old default format
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

TEST_F(DocumentTest, AFailedSaveIsReportedAndTheDocumentStaysChanged) {
    WriteBytes(dir.File("plain"), "not a directory");
    const std::string locked = MotorFile("locked.zel", "[Params]\r\nDc=12\r\n");
    ::chmod(locked.c_str(), 0444);
    const std::pair<std::string, const char*> cases[] = {
        {dir.File("plain/motor.zel"), "не является папкой"},
        {dir.File("nowhere/motor.zel"), "папка не существует"},
        {locked, "только для чтения"},
    };
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
        EXPECT_TRUE(document.recentFiles().entries().empty()) << path;
    }
    EXPECT_EQ(ReadBytes(locked), Utf8ToWindows1251("[Params]\r\nDc=12\r\n"));
}

}  // namespace
}  // namespace tarvo
