// tarvo: the desktop window of the calculator.

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "form/document.h"
#include "form/fatal.h"
#include "form/form_model.h"
#include "form/stand_session.h"
#include "ui/document_binding.h"
#include "ui/info_windows.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_text.h"
#include "ui/startup.h"

namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

std::vector<std::string> Arguments(const QStringList& arguments) {
    std::vector<std::string> result;
    for (const QString& argument : arguments) {
        result.push_back(tarvo::ToStdString(argument));
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (tarvo::AsksForHelp(std::vector<std::string>(argv, argv + argc))) {
        std::fputs(tarvo::UsageText().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (!tarvo::HasDisplay(&Environment)) {
        std::fputs(std::string(tarvo::kNoDisplayMessage).c_str(), stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo"));
    QApplication::setWindowIcon(tarvo::EmblemIcon());
    tarvo::UseRussianQtTexts(application);
    const tarvo::CommandLine line = tarvo::ParseCommandLine(Arguments(application.arguments()));
    if (line.action == tarvo::CommandLine::Action::kRefuse) {
        std::fprintf(stderr, "%s\n\n%s", line.error.c_str(), tarvo::UsageText().c_str());
        return 2;
    }
    if (!tarvo::ScreenSupported(QGuiApplication::primaryScreen())) {
        tarvo::ShowMessage(nullptr, tarvo::MessageIcon::kWarning, tarvo::kScreenSizeMessage);
        return EXIT_FAILURE;
    }
    tarvo::SetFatalMessageHandler(&tarvo::ShowFatalMessage);

    tarvo::FormModel form;
    tarvo::MainWindow window(form);
    tarvo::DesktopUrlOpener browser;
    tarvo::AboutBox about(browser, &window);
    tarvo::HelpWindow help(&window);
    window.setInfoWindows(&about, &help);
    window.setStartupFile(line.motorFile);

    tarvo::QtDialogs dialogs(&window);
    tarvo::Document document(form, dialogs, tarvo::DesktopDocumentSettings());
    // Window creation: the propellants from GRAINS.grn beside the program, or the defaults.
    document.create();
    tarvo::DocumentBinding binding(window, document, dialogs);
    tarvo::StandSession stand(form, dialogs);
    document.addSection(stand);
    window.setStandSession(&stand);

    window.show();
    window.centreOnScreen();
    const int status = application.exec();
    window.setStandSession(nullptr);
    document.removeSection(stand);
    return status;
}
