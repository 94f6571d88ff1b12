#pragma once
// Typing as a user types, a typed motor, scratch directories and the readability check for
// the window's tests.

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <string>

#include "files/key_maps.h"
#include "form/motor_file.h"
#include "ui/main_window.h"

namespace tarvo::testing {

// The built-in propellants in a form without a document around it: the three names listed,
// KN/SB selected and the tab-5 fields at their default texts, without marking a change.
inline void PutBuiltInPropellants(FormModel& form) {
    form.setLoadingGuard(true);
    FillDefaultPropellants(form);
    form.selectPropellant(kDefaultPropellantIndex);
    form.setLoadingGuard(false);
}

// Keys typed into a field as a user types them: the whole text replaced.
inline void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Three KN/SB grains with inhibited outer surfaces in a 40 x 200 chamber, typed into the
// window's fields.
inline void TypeCoredMotor(MainWindow& window) {
    const std::pair<int, const char*> texts[] = {{1, "40"}, {2, "200"}, {4, "38"},  {5, "14"},
                                                 {6, "60"}, {7, "3"},   {12, "250"}};
    for (const auto& [edit, text] : texts) {
        TypeInto(window.field(edit), QString::fromUtf8(text));
    }
    TypeInto(window.field(13), QStringLiteral("0,5"));
    TypeInto(window.field(94), QStringLiteral("8"));
}

// The widget as <name>.png under the build directory, for a person to look at.
inline bool SaveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(TARVO_SCREENSHOT_DIR));
    return widget->grab().save(QStringLiteral(TARVO_SCREENSHOT_DIR "/") + name + ".png");
}

// The texts of the widgets on the page that do not fit in them, "" when all fit.
inline QString ClippedTexts(QWidget* page) {
    QStringList clipped;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) {
            continue;
        }
        const QRect room = label->contentsRect();
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(room.width()) <= room.height() + 1
                              : label->fontMetrics().size(0, label->text()).width() <=
                                    room.width() - 2 * label->margin();
        if (!fits) {
            clipped << label->text();
        }
    }
    for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
        if (edit->isVisible() &&
            edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 8) {
            clipped << edit->objectName() + ": " + edit->text();
        }
    }
    return clipped.join(" | ");
}

inline std::filesystem::path PathOf(const QTemporaryDir& directory) {
    return std::filesystem::path(directory.path().toStdString());
}

}  // namespace tarvo::testing
