// What the document does with files that could lose or garble the user's work: files that are
// no motor files, encodings, characters Windows-1251 cannot hold, a file another window saved,
// and the start-up files GRAINS.grn and Tarvo.ini in their places or unreadable.

#include <filesystem>

#include "document_test_support.h"
#include "files/key_maps.h"
#include "form_test_support.h"

namespace tarvo {
namespace {

using testing::DocumentTest;
using testing::ReadBytes;
using testing::WriteBytes;

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// A refused file changes nothing: no save prompt, the document, its file and the recent list
// stay. A UTF-16 file whose text is a motor file opens.
TEST_F(DocumentTest, OpensMotorFilesInAnyEncodingAndRefusesEverythingElse) {
    const std::string motor = "[Params]\r\nDc=30\r\n";
    std::filesystem::create_directory(dir.File("folder.zel"));
    const std::string notMotor = "не является файлом двигателя Tarvo";
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // nothing: no file is written
        std::string message;               // empty: the file opens
    } cases[] = {
        {"junk.zel", std::string("\x00\x01\x7F\x80 \xFF\n\x1B[0m", 11), notMotor},
        {"empty.zel", "", notMotor},
        {"readme.zel", "# Tarvo\n\nA calculator [for motors].\nkey=value\n", notMotor},
        {"text16.zel", EncodeFileText("[Other]\r\nkey=value\r\n", TextEncoding::Utf16Le), notMotor},
        {"be.zel", EncodeFileText(motor, TextEncoding::Utf16Be), ""},
        {"folder.zel", std::nullopt, "по этому пути находится папка"},
        {"missing.zel", std::nullopt, "не найден!"},
    };
    const std::string current = MotorFile("current.zel", "[Params]\r\nDc=11\r\n");
    for (const auto& c : cases) {
        const std::string path = dir.File(c.name);
        if (c.bytes) {
            WriteBytes(path, *c.bytes);
        }
        document.openMotorFile(current);
        form.setMemoText("несохранённая правка");
        const auto recent = document.recentFiles().entries();
        dialogs.questions.clear();
        dialogs.messages.clear();
        dialogs.answers = {Answer::kNo};
        document.openMotorFile(path);
        if (c.message.empty()) {
            EXPECT_EQ(form.fieldText(EditId{1}), "30") << c.name;
            EXPECT_EQ(document.currentFileName(), path);
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
        EXPECT_TRUE(Contains(dialogs.messages[0], path)) << dialogs.messages[0];
        EXPECT_TRUE(Contains(dialogs.messages[0], c.message)) << dialogs.messages[0];
        EXPECT_TRUE(dialogs.questions.empty()) << c.name;
        EXPECT_EQ(document.currentFileName(), current) << c.name;
        EXPECT_EQ(form.memoText(), "несохранённая правка") << c.name;
        EXPECT_EQ(form.fieldText(EditId{1}), "11") << c.name;
        EXPECT_TRUE(document.isDocumentChanged()) << c.name;
        EXPECT_EQ(document.recentFiles().entries(), recent) << c.name;
    }
}

// Opened in any encoding, saved unchanged: the same bytes.
TEST_F(DocumentTest, SavesAFileInTheEncodingItWasReadIn) {
    testing::TypeCoredMotor(form);
    form.setMemoText("Двигатель «Ёж» №1");
    dialogs.files = {dir.File("written.zel")};
    ASSERT_TRUE(document.saveAs());
    const std::string text = Windows1251ToUtf8(ReadBytes(dir.File("written.zel")));
    for (const TextEncoding encoding :
         {TextEncoding::Utf8, TextEncoding::Utf8WithBom, TextEncoding::Utf16Le,
          TextEncoding::Utf16Be, TextEncoding::Windows1251}) {
        const std::string bytes = EncodeFileText(text, encoding);
        WriteBytes(dir.File("copy.zel"), bytes);
        document.openMotorFile(dir.File("copy.zel"));
        EXPECT_EQ(form.memoText(), "Двигатель «Ёж» №1") << int(encoding);
        ASSERT_TRUE(document.save());
        EXPECT_EQ(ReadBytes(dir.File("copy.zel")), bytes) << int(encoding);
    }
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(DocumentTest, AsksBeforeCharactersWindows1251CannotHoldAreSaved) {
    const std::string typed = "Тяга λ ≈ 5";
    const struct {
        EncodingAnswer answer;
        bool saved;
        std::string shown;  // the memo afterwards, and after reopening the file
        std::string line;   // the description's line on disk
    } cases[] = {
        {EncodingAnswer::kSaveAsUtf8, true, typed, "Motor=" + typed + "\r\n"},
        {EncodingAnswer::kReplaceWithQuestionMarks, true, "Тяга ? ? 5",
         Utf8ToWindows1251("Motor=Тяга ? ? 5\r\n")},
        {EncodingAnswer::kCancel, false, typed, ""},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File("lambda" + std::to_string(int(c.answer)) + ".zel");
        dialogs.answers = {Answer::kNo};
        document.newDocument();
        form.setMemoText(typed);
        dialogs.questions.clear();
        dialogs.files = {path};
        dialogs.encodings = {c.answer};
        EXPECT_EQ(document.saveAs(), c.saved);
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_TRUE(Contains(dialogs.questions[0], "Windows-1251: λ≈.")) << dialogs.questions[0];
        EXPECT_EQ(form.memoText(), c.shown);
        EXPECT_EQ(document.isDocumentChanged(), !c.saved);
        EXPECT_EQ(FileExists(path), c.saved);
        if (!c.saved) {
            continue;
        }
        const std::string bytes = ReadBytes(path);
        EXPECT_TRUE(Contains(bytes, c.line)) << bytes;
        EXPECT_FALSE(bytes.starts_with(kUtf8Bom));
        form.setMemoText(c.shown + "!");  // saved again as it now is: no second question
        ASSERT_TRUE(document.save());
        EXPECT_EQ(dialogs.questions.size(), 1u);
        document.openMotorFile(path);
        EXPECT_EQ(form.memoText(), c.shown + "!");
    }
}

// Two windows on one file: the second save of the first window would silently undo the other
// window's save.
TEST_F(DocumentTest, AFileAnotherWindowSavedIsNotWrittenOverWithoutAsking) {
    const std::string path = MotorFile("shared.zel", "[Params]\r\nDc=10\r\n");
    document.openMotorFile(path);
    testing::StartedDocument started({{}, "", true});
    auto& [otherForm, otherDialogs, other] = started;
    other.openMotorFile(path);
    otherForm.setMemoText("правка второго окна");
    ASSERT_TRUE(other.save());

    form.setMemoText("правка первого окна");
    dialogs.overwriteChanged = {false, true};
    EXPECT_FALSE(document.save());
    EXPECT_EQ(dialogs.questions,
              std::vector{"Файл " + path + " изменён другой программой. Перезаписать?"});
    EXPECT_TRUE(document.isDocumentChanged());
    EXPECT_TRUE(Contains(ReadBytes(path), Utf8ToWindows1251("второго")));
    EXPECT_TRUE(document.save());  // asked again: Да
    EXPECT_TRUE(Contains(ReadBytes(path), Utf8ToWindows1251("первого")));
    form.setMemoText("и ещё");
    EXPECT_TRUE(document.save());  // its own last save: nothing to ask
    EXPECT_EQ(dialogs.questions.size(), 2u);
}

// GRAINS.grn is looked for in the user's configuration, beside the program and in the installed
// data directory; the first that exists is the one, even when it cannot be read.
TEST(DocumentStartUp, FindsGrainsInItsPlacesAndSaysWhenItCannot) {
    const std::string readFailure =
        "по этому пути находится папка. " + std::string(kPropellantDefaultsRestored);
    const struct {
        std::vector<int> files;  // the places that hold a GRAINS.grn naming its place
        int folder;              // a place with a folder named GRAINS.grn, or -1
        std::string name;        // the first propellant's name
        bool missingNotice;
    } cases[] = {
        {{}, -1, std::string(kDefaultFuelNames[0]), true},
        {{2}, -1, "Place 2", false},
        {{1, 2}, -1, "Place 1", false},
        {{0, 1, 2}, -1, "Place 0", false},
        {{1}, 0, std::string(kDefaultFuelNames[0]), false},
    };
    for (const auto& c : cases) {
        testing::TempDir dir;
        const std::vector<std::string> places =
            PropellantFileLocations(dir.File("config/Tarvo"), dir.File("bin"));
        ASSERT_EQ(places,
                  (std::vector{dir.File("config/Tarvo/GRAINS.grn"), dir.File("bin/GRAINS.grn"),
                               dir.File("share/tarvo/GRAINS.grn")}));
        for (const std::string& place : places) {
            std::filesystem::create_directories(DirectoryOf(place));
        }
        for (const int i : c.files) {
            WriteBytes(places[i], "[Const&Vars_DX]\r\nFuelName=Place " + std::to_string(i));
        }
        if (c.folder >= 0) {
            std::filesystem::create_directory(places[c.folder]);
        }
        testing::StartedDocument started({places, "", true});
        auto& [form, dialogs, document] = started;
        EXPECT_EQ(form.propellantItems()[0], c.name);
        const std::string status = form.statusText(0);
        EXPECT_EQ(status == MissingGrainsNotice(places), c.missingNotice) << status;
        EXPECT_EQ(Contains(status, places[0] + ": " + readFailure), c.folder == 0) << status;
        EXPECT_EQ(status.empty(), !c.missingNotice && c.folder < 0) << status;

        document.savePropellantsCommand();  // proposed in the configuration directory
        EXPECT_EQ(dialogs.proposedNames,
                  std::vector{dir.File("config/Tarvo/") + (c.missingNotice ? "GRAINS.grn" : "")});
    }
}

// A Tarvo.ini that cannot be read is said once at start-up, and never written over.
TEST(DocumentStartUp, ATarvoIniThatCannotBeReadIsToldAndKept) {
    const std::string oversized =
        "[Files]\r\n0=/a.zel\r\n" + std::string(kMaxReadableFileBytes, ';');
    for (const bool folder : {true, false}) {
        testing::TempDir dir;
        const std::string ini = dir.File("Tarvo.ini");
        if (folder) {
            std::filesystem::create_directory(ini);
        } else {
            WriteBytes(ini, oversized);
        }
        testing::StartedDocument started({{}, ini, true});
        auto& [form, dialogs, document] = started;
        const std::string reason = folder ? "по этому пути находится папка"
                                          : "файл слишком велик, прочитано только начало";
        EXPECT_TRUE(Contains(form.statusText(0), "Не удалось прочитать файл " + ini + ": " +
                                                     reason + ". " +
                                                     std::string(kRecentListNotSaved)))
            << form.statusText(0);
        WriteBytes(dir.File("m.zel"), "[Params]\r\nDc=1\r\n");
        document.openMotorFile(dir.File("m.zel"));
        document.newDocument();
        EXPECT_EQ(form.statusText(0), "");  // told once
        document.destroy();
        if (folder) {
            EXPECT_TRUE(std::filesystem::is_directory(ini));
        } else {
            EXPECT_EQ(ReadBytes(ini), oversized);
        }
    }
}

}  // namespace
}  // namespace tarvo
