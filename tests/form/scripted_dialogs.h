#pragma once
// Dialogs that answer from a script and keep what they were asked and told.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "form/dialogs.h"

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
    EncodingAnswer askUnencodableCharacters(std::string_view text) override {
        questions.emplace_back(text);
        return Next(encodings, EncodingAnswer::kCancel);
    }
    bool askOverwriteChangedFile(std::string_view text) override {
        questions.emplace_back(text);
        return Next(overwriteChanged, false);
    }
    void showMessage(MessageIcon, std::string_view text) override { messages.emplace_back(text); }
    std::optional<std::string> chooseFile(FileDialog) override {
        return Next(files, std::optional<std::string>());
    }
    std::optional<std::string> chooseFileNamed(FileDialog dialog, std::string_view name) override {
        proposedNames.emplace_back(name);
        return chooseFile(dialog);
    }

    std::optional<int> chooseItem(std::string_view question,
                                  const std::vector<std::string>& choices) override {
        questions.emplace_back(question);
        offeredItems = choices;
        return Next(items, std::optional<int>());
    }

    std::deque<Answer> answers;                    // the Yes/No/Cancel prompts, in turn
    std::deque<bool> overwrite;                    // the Yes/No questions
    std::deque<EncodingAnswer> encodings;          // characters Windows-1251 cannot hold
    std::deque<bool> overwriteChanged;             // a file another program changed
    std::deque<std::optional<std::string>> files;  // file dialogs: a path, or cancelled
    std::deque<std::optional<int>> items;          // lists to choose from: an index, or cancelled
    std::vector<std::string> offeredItems;         // the last list offered
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

}  // namespace tarvo::testing
