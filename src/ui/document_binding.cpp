#include "ui/document_binding.h"

#include <vector>

#include "files/recent_files.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace tarvo {

DocumentBinding::DocumentBinding(MainWindow& window, Document& document, Dialogs& dialogs)
    : window_(window), document_(document), dialogs_(dialogs) {
    observerToken_ = document_.addObserver([this](DocumentEvent event) {
        if (event == DocumentEvent::kRecentMenu) {
            showRecentMenu();
        } else if (event == DocumentEvent::kTitle) {
            showTitle();
        }
    });
    window_.setDocumentCommands(this);
    showRecentMenu();
    showTitle();
}

DocumentBinding::~DocumentBinding() {
    windowDestroyed();
    window_.setDocumentCommands(nullptr);
    document_.removeObserver(observerToken_);
}

void DocumentBinding::showRecentMenu() {
    std::vector<std::string> paths;
    for (const RecentMenuItem& item : document_.recentMenu().items) {
        paths.push_back(item.path);
    }
    window_.setRecentFiles(paths);
}

// Qt puts the changed mark where the title has "[*]".
void DocumentBinding::showTitle() {
    window_.setWindowTitle(ToQString(document_.windowTitle()));
    window_.setWindowModified(document_.isDocumentChanged());
}

void DocumentBinding::startUp() {
    document_.activate();
    openStartupFile();
}

// The file named on the command line opens once start-up is done, as "Открыть" would (a file
// that is missing, a folder or no motor file is refused there with its message); a propellant
// file (a double click on it in a file manager) loads into tab 5 instead, as "Загрузить топлива
// из файла" would, and the new document stays as it was.
void DocumentBinding::openStartupFile() {
    const std::optional<std::string>& path = window_.startupFile();
    if (!path || path->empty()) {
        return;
    }
    if (!IsPropellantFileName(*path)) {
        document_.openMotorFile(*path);
    } else if (!FileExists(*path)) {
        dialogs_.showMessage(MessageIcon::kError, FileNotFoundMessage(*path));
    } else {
        document_.loadPropellantsFrom(*path);
    }
}

void DocumentBinding::newDocument() {
    document_.newDocument();
}

void DocumentBinding::openDocument() {
    document_.openCommand();
}

void DocumentBinding::openRecent(int index, const std::string& /*path*/) {
    if (index >= 0) {
        document_.recentItemClick(static_cast<std::size_t>(index));
    }
}

void DocumentBinding::saveDocument() {
    document_.save();
}

void DocumentBinding::saveDocumentAs() {
    document_.saveAs();
}

void DocumentBinding::importDesign() {
    document_.importCommand();
}

void DocumentBinding::exportRic() {
    document_.exportRicCommand();
}

void DocumentBinding::restorePropellantDefaults() {
    document_.restorePropellantDefaults();
}

void DocumentBinding::loadPropellants() {
    document_.loadPropellantsCommand();
}

void DocumentBinding::savePropellants() {
    document_.savePropellantsCommand();
}

bool DocumentBinding::mayClose() {
    return document_.closeQuery();
}

void DocumentBinding::windowDestroyed() {
    if (!destroyed_) {
        destroyed_ = true;
        document_.destroy();
    }
}

std::string DocumentBinding::currentFileName() const {
    return document_.currentFileName();
}

}  // namespace tarvo
