#pragma once
// Connects the window's document commands (the "Файл" menu, the propellant buttons, start-up
// and the close request) to the document layer, and keeps the recent-files submenu in step
// with the document's list.

#include "form/dialogs.h"
#include "form/document.h"
#include "ui/document_commands.h"

namespace tarvo {

class MainWindow;

class DocumentBinding final : public DocumentCommands {
public:
    DocumentBinding(MainWindow& window, Document& document, Dialogs& dialogs);
    // Writes the recent list and detaches from the window, which outlives the binding.
    ~DocumentBinding() override;
    DocumentBinding(const DocumentBinding&) = delete;
    DocumentBinding& operator=(const DocumentBinding&) = delete;

    void startUp() override;
    void newDocument() override;
    void openDocument() override;
    void openRecent(int index, const std::string& path) override;
    void saveDocument() override;
    void saveDocumentAs() override;
    void importDesign() override;
    void exportRic() override;
    void restorePropellantDefaults() override;
    void loadPropellants() override;
    void savePropellants() override;
    bool mayClose() override;
    void windowDestroyed() override;
    std::string currentFileName() const override;

private:
    void showRecentMenu();
    void showTitle();
    void openStartupFile();

    MainWindow& window_;
    Document& document_;
    Dialogs& dialogs_;
    int observerToken_ = 0;
    bool destroyed_ = false;
};

}  // namespace tarvo
