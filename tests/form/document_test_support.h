#pragma once
// A document in a temporary directory, with dialogs that answer from a script and remember
// what they were asked and told.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "../files/temp_dir.h"
#include "files/encoding.h"
#include "form/document.h"

namespace tarvo::testing {

class ScriptedDialogs : public Dialogs {
public:
    Answer askYesNoCancel(std::string_view text) override {
        questions.emplace_back(text);
        return Next(answers, Answer::kCancel);
    }
    bool askYesNo(std::string_view text) override {
        questions.emplace_back(text);
        return Next(overwrite, false);
    }
    void showMessage(MessageIcon, std::string_view text) override { messages.emplace_back(text); }
    std::optional<std::string> chooseFile(FileDialog dialog) override {
        dialogsShown.push_back(dialog);
        return Next(files, std::optional<std::string>());
    }
    std::optional<std::string> chooseFileNamed(FileDialog dialog, std::string_view name) override {
        proposedNames.emplace_back(name);
        return chooseFile(dialog);
    }

    std::deque<Answer> answers;                    // Yes/No/Cancel prompts, in turn
    std::deque<bool> overwrite;                    // Yes/No questions
    std::deque<std::optional<std::string>> files;  // file dialogs: a path or cancelled
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<FileDialog> dialogsShown;
    std::vector<std::string> proposedNames;

private:
    template <typename T>
    static T Next(std::deque<T>& script, T fallback) {
        if (script.empty()) {
            return fallback;
        }
        T next = script.front();
        script.pop_front();
        return next;
    }
};

// A started window: created and activated, with GRAINS.grn and Tarvo.ini in a fresh directory.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest()
        : document(form, dialogs, {dir.File("GRAINS.grn"), dir.File("config/Tarvo.ini"), true}) {}

    void Start() {
        document.create();
        document.activate();
    }

    // A motor file holding `text` (UTF-8 here, Windows-1251 on disk).
    std::string MotorFile(const std::string& name, std::string_view text) {
        const std::string path = dir.File(name);
        WriteBytes(path, Utf8ToWindows1251(text));
        return path;
    }

    TempDir dir;
    FormModel form;
    ScriptedDialogs dialogs;
    Document document;
};

}  // namespace tarvo::testing
