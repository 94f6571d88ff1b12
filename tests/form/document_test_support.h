#pragma once
// A started window in a temporary directory, with dialogs that answer from a script.

#include <gtest/gtest.h>

#include "../files/temp_dir.h"
#include "files/encoding.h"
#include "form/document.h"
#include "scripted_dialogs.h"

namespace tarvo::testing {

// A form with its scripted dialogs and a started document on them.
struct StartedDocument {
    explicit StartedDocument(DocumentSettings settings)
        : document(form, dialogs, std::move(settings)) {
        document.create();
        document.activate();
    }
    FormModel form;
    ScriptedDialogs dialogs;
    Document document;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : document(form, dialogs, Settings()) {
        document.create();
        document.activate();
    }
    DocumentSettings Settings() const {
        return {{dir.File("GRAINS.grn")}, dir.File("config/Tarvo.ini"), true};
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
