#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QThread>
#include <array>
#include <cstdio>

#include "form/form_layout.h"
#include "ui/qt_text.h"

namespace tarvo {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kInformation:
            return QMessageBox::Information;
        case MessageIcon::kWarning:
            return QMessageBox::Warning;
        case MessageIcon::kError:
        case MessageIcon::kStop:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A box with the window's caption as title; the buttons are added by the caller.
class CaptionedBox : public QMessageBox {
public:
    CaptionedBox(QWidget* parent, QMessageBox::Icon icon, std::string_view text)
        : QMessageBox(icon, ToQString(kWindowCaption), ToQString(text), QMessageBox::NoButton,
                      parent) {}
};

struct DialogRole {
    FileDialog dialog;
    std::string_view layoutName;
    bool save;
    const char* title;
};

constexpr std::array<DialogRole, 8> kDialogRoles = {{
    {FileDialog::kOpenMotor, "od", false, "Открыть файл двигателя"},
    {FileDialog::kSaveMotor, "sd", true, "Сохранить файл двигателя"},
    {FileDialog::kOpenPropellants, "gopen", false, "Загрузить топлива из файла"},
    {FileDialog::kSavePropellants, "gsave", true, "Сохранить топлива в файл"},
    {FileDialog::kImportMotor, "impd", false, "Импорт конструкции Meteor или openMotor"},
    {FileDialog::kExportRic, "ricd", true, "Экспорт двигателя в openMotor (.ric)"},
    {FileDialog::kOpenTest, "topen", false, "Загрузить испытание"},
    {FileDialog::kExportSweep, "swcsv", true, "Экспорт таблицы подбора (CSV)"},
}};

const DialogLayout* LayoutOf(std::string_view name) {
    for (const DialogLayout& layout : DialogLayouts()) {
        if (layout.name == name) {
            return &layout;
        }
    }
    return nullptr;
}

void UseRussianLabels(QFileDialog& box, bool save) {
    box.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    box.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    box.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    box.setLabelText(QFileDialog::Accept,
                     save ? QStringLiteral("Сохранить") : QStringLiteral("Открыть"));
    box.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
}

// A bare name is proposed in the dialog's directory; a path opens the dialog in its directory,
// and a path ending in "/" proposes only that directory.
void ProposeName(QFileDialog& box, std::string_view name) {
    const QString proposed = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (proposed.endsWith(QLatin1Char('/'))) {
        box.setDirectory(proposed);
    } else if (!proposed.isEmpty()) {
        box.selectFile(proposed);
    }
}

}  // namespace

QString QtFileFilter(std::string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (pattern.isEmpty() || description.contains(QLatin1Char('('))) {
            filters << description;
        } else {
            QString patterns = pattern;
            filters << description + QStringLiteral(" (") +
                           patterns.replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
        }
    }
    return filters.join(QStringLiteral(";;"));
}

QString DefaultSuffix(std::string_view extension) {
    QString suffix = ToQString(extension).trimmed();
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    return suffix;
}

Answer AskYesNoCancel(QWidget* parent, std::string_view text) {
    CaptionedBox box(parent, QMessageBox::Question, text);
    QAbstractButton* yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
    QAbstractButton* no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("&Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) {
        return Answer::kYes;
    }
    return box.clickedButton() == no ? Answer::kNo : Answer::kCancel;
}

namespace {

// A question with Yes and No, No the default: nothing happens unless the user says so.
bool YesOrNo(QWidget* parent, QMessageBox::Icon icon, std::string_view text) {
    CaptionedBox box(parent, icon, text);
    QAbstractButton* yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace

bool AskYesNo(QWidget* parent, std::string_view text) {
    return YesOrNo(parent, QMessageBox::Question, text);
}

EncodingAnswer AskUnencodableCharacters(QWidget* parent, std::string_view text) {
    CaptionedBox box(parent, QMessageBox::Question, text);
    QAbstractButton* utf8 =
        box.addButton(QStringLiteral("&Сохранить в UTF-8"), QMessageBox::AcceptRole);
    QAbstractButton* replace =
        box.addButton(QStringLiteral("&Заменить на «?»"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("&Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == utf8) {
        return EncodingAnswer::kSaveAsUtf8;
    }
    return box.clickedButton() == replace ? EncodingAnswer::kReplaceWithQuestionMarks
                                          : EncodingAnswer::kCancel;
}

bool AskOverwriteChangedFile(QWidget* parent, std::string_view text) {
    return YesOrNo(parent, QMessageBox::Warning, text);
}

void ShowMessage(QWidget* parent, MessageIcon icon, std::string_view text) {
    CaptionedBox box(parent, ToQtIcon(icon), text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void ShowFatalMessage(std::string_view message) {
    // Memory can run out on a sweep's worker thread too, which cannot show a window.
    const QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || QThread::currentThread() != application->thread()) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
        return;
    }
    ShowMessage(QApplication::activeWindow(), MessageIcon::kStop, message);
}

Answer QtDialogs::askYesNoCancel(std::string_view text) {
    return AskYesNoCancel(parent_, text);
}

bool QtDialogs::askYesNo(std::string_view text) {
    return AskYesNo(parent_, text);
}

EncodingAnswer QtDialogs::askUnencodableCharacters(std::string_view text) {
    return AskUnencodableCharacters(parent_, text);
}

bool QtDialogs::askOverwriteChangedFile(std::string_view text) {
    return AskOverwriteChangedFile(parent_, text);
}

void QtDialogs::showMessage(MessageIcon icon, std::string_view text) {
    ShowMessage(parent_, icon, text);
}

std::optional<int> QtDialogs::chooseItem(std::string_view question,
                                         const std::vector<std::string>& items) {
    QInputDialog box(parent_);
    box.setWindowTitle(ToQString(kWindowCaption));
    box.setLabelText(ToQString(question));
    QStringList names;
    for (const std::string& item : items) {
        names << ToQString(item);
    }
    box.setComboBoxItems(names);
    box.setComboBoxEditable(false);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Отмена"));
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const qsizetype index = names.indexOf(box.textValue());
    return index < 0 ? std::nullopt : std::optional<int>(static_cast<int>(index));
}

std::optional<std::string> QtDialogs::chooseFile(FileDialog dialog) {
    return chooseFileNamed(dialog, {});
}

std::optional<std::string> QtDialogs::chooseFileNamed(FileDialog dialog, std::string_view name) {
    for (const DialogRole& role : kDialogRoles) {
        const DialogLayout* layout = LayoutOf(role.layoutName);
        if (role.dialog != dialog || layout == nullptr) {
            continue;
        }
        QFileDialog box(parent_, QString::fromUtf8(role.title), lastDirectory_);
        box.setNameFilter(QtFileFilter(layout->filter));
        box.setDefaultSuffix(DefaultSuffix(layout->defaultExtension));
        box.setAcceptMode(role.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        box.setFileMode(role.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        box.setOption(QFileDialog::DontConfirmOverwrite, !layout->promptOverwrite);
        UseRussianLabels(box, role.save);
        ProposeName(box, name);
        if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString chosen = box.selectedFiles().front();
        lastDirectory_ = QFileInfo(chosen).absolutePath();
        return ToStdString(chosen);
    }
    return std::nullopt;
}

}  // namespace tarvo
