// The recent files: read at start, moved by every open and save, written whenever it changes
// and when the window goes away, and shown as the "Открыть из списка" submenu.

#include "form/document.h"

namespace tarvo {

RecentMenuState Document::recentMenu() const {
    return {recent_.MenuEnabled(), recent_.MenuItems()};
}

void Document::loadRecentList() {
    if (!settings_.recentListFile.empty()) {
        recent_ = LoadRecentFiles(settings_.recentListFile, &recentListError_);
    }
    rebuildRecentMenu();
}

// A list that cannot be written is kept in memory all the same; nagging about it at every
// open would stand in the user's way, and the menu still shows it.
void Document::saveRecentList() const {
    const std::string& path = settings_.recentListFile;
    if (!settings_.writeFiles || path.empty()) {
        return;
    }
    // Nothing to keep and nothing kept: a first start leaves no empty file behind.
    if (recent_.entries().empty() && !FileExists(path)) {
        return;
    }
    (void)SaveRecentFiles(recent_, path);
}

void Document::rebuildRecentMenu() {
    saveRecentList();
    form_.setStatusText(1, currentFileName_);
    form_.setStatusText(2, FileNameOf(currentFileName_));
    notify(DocumentEvent::kRecentMenu);
    notify(DocumentEvent::kCurrentFile);
}

void Document::recentItemClick(std::size_t index) {
    const RecentClick click = RecentItemClick(recent_, index);
    switch (click.action) {
        case RecentClick::Action::Open:
            openMotorFile(click.path);
            return;
        case RecentClick::Action::Missing:
            rebuildRecentMenu();
            dialogs_.showMessage(MessageIcon::kError, click.message);
            return;
        case RecentClick::Action::None:
            return;
    }
}

}  // namespace tarvo
