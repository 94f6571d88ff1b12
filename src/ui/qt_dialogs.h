#pragma once
// Message boxes and file dialogs with Qt: every box carries the main window's caption as its
// title and Russian buttons, and the file dialogs take their filters and default extensions
// from the window's layout tables.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "form/dialogs.h"

class QWidget;

namespace tarvo {

// "Файлы двигателей ZEL (*.zel)|*.zel" -> "Файлы двигателей ZEL (*.zel)"; more pairs are
// joined with ";;", and a description without its pattern gets it in parentheses.
QString QtFileFilter(std::string_view filter);

// "*.zel" -> "zel".
QString DefaultSuffix(std::string_view extension);

Answer AskYesNoCancel(QWidget* parent, std::string_view text);
bool AskYesNo(QWidget* parent, std::string_view text);
// "Сохранить в UTF-8", "Заменить на «?»", "Отмена" (the default).
EncodingAnswer AskUnencodableCharacters(QWidget* parent, std::string_view text);
// Да / Нет with a warning icon; Нет is the default.
bool AskOverwriteChangedFile(QWidget* parent, std::string_view text);
void ShowMessage(QWidget* parent, MessageIcon icon, std::string_view text);

// For SetFatalMessageHandler: the message with a stop icon, before the program ends.
void ShowFatalMessage(std::string_view message);

class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    Answer askYesNoCancel(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    EncodingAnswer askUnencodableCharacters(std::string_view text) override;
    bool askOverwriteChangedFile(std::string_view text) override;
    void showMessage(MessageIcon icon, std::string_view text) override;
    std::optional<std::string> chooseFile(FileDialog dialog) override;
    std::optional<std::string> chooseFileNamed(FileDialog dialog, std::string_view name) override;
    std::optional<int> chooseItem(std::string_view question,
                                  const std::vector<std::string>& items) override;

private:
    QWidget* parent_;
    QString lastDirectory_;  // where the previous dialog ended, so the next one starts there
};

}  // namespace tarvo
