#pragma once
// A started window in a temporary directory, with dialogs that answer from a script and keep
// what they were asked and told.

#include <gtest/gtest.h>

#include <deque>

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
    std::optional<std::string> chooseFile(FileDialog) override {
        return Next(files, std::optional<std::string>());
    }
    std::optional<std::string> chooseFileNamed(FileDialog dialog, std::string_view name) override {
        proposedNames.emplace_back(name);
        return chooseFile(dialog);
    }

    std::deque<Answer> answers;                    // the Yes/No/Cancel prompts, in turn
    std::deque<bool> overwrite;                    // the Yes/No questions
    std::deque<std::optional<std::string>> files;  // file dialogs: a path, or cancelled
    std::vector<std::string> questions, messages, proposedNames;

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

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : document(form, dialogs, Settings()) {
        document.create();
        document.activate();
    }
    DocumentSettings Settings() const {
        return {dir.File("GRAINS.grn"), dir.File("config/Tarvo.ini"), true};
    }
    // A motor file holding `text`, in Windows-1251 on disk.
    std::string MotorFile(const std::string& name, std::string_view text) const {
        WriteBytes(dir.File(name), Utf8ToWindows1251(text));
        return dir.File(name);
    }

    TempDir dir;
    FormModel form;
    ScriptedDialogs dialogs;
    Document document;
};

}  // namespace tarvo::testing
