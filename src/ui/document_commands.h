#pragma once
// The document commands the window offers but does not carry out itself: the "Файл" menu,
// the propellant buttons of tab 5, start-up and the close request. The document layer
// implements them; until it is installed every command does nothing and the window may close.

#include <string>

namespace tarvo {

class DocumentCommands {
public:
    virtual ~DocumentCommands() = default;

    // Once, right after the window has first appeared (the start-up sequence). Later
    // activations of the window, such as after the about box closes, do not repeat it.
    virtual void startUp() {}

    virtual void newDocument() {}                                           // "Новый"
    virtual void openDocument() {}                                          // "Открыть"
    virtual void openRecent(int /*index*/, const std::string& /*path*/) {}  // "Открыть из списка"
    virtual void saveDocument() {}    // "Сохранить" (F2)
    virtual void saveDocumentAs() {}  // "Сохранить как ..."
    virtual void importDesign() {}    // "Импорт…"
    virtual void exportRic() {}       // "Экспорт в openMotor (.ric)…"

    virtual void restorePropellantDefaults() {}  // "Восстановить по умолчанию"
    virtual void loadPropellants() {}  // "Загрузить топлива из файла"
    virtual void savePropellants() {}  // "Сохранить топлива в файл"

    // Any request to close the window ("Выход", the close box): false keeps it open. This is
    // where a changed document is offered for saving.
    virtual bool mayClose() { return true; }

    // The window is being destroyed at program end (the recent list is written here).
    virtual void windowDestroyed() {}

    // The motor file the document came from, "" while it is unsaved.
    virtual std::string currentFileName() const { return {}; }
};

}  // namespace tarvo
