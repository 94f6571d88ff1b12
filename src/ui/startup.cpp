#include "ui/startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace tarvo {

namespace {

bool IsSet(const EnvironmentLookup& environment, const char* name) {
    const std::optional<std::string> value = environment(name);
    return value && !value->empty();
}

bool IsHelpOption(std::string_view argument) {
    return argument == "--help" || argument == "-h";
}

CommandLine Refuse(std::string error) {
    return {CommandLine::Action::kRefuse, std::nullopt, std::move(error)};
}

}  // namespace

bool ScreenSupported(const QScreen* screen) {
    if (screen == nullptr) {
        return true;
    }
    return ScreenSizeSupported(screen->size().width(), screen->size().height());
}

bool UseRussianQtTexts(QCoreApplication& application) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    auto* translator = new QTranslator(&application);
    if (!translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool HasDisplay(const EnvironmentLookup& environment) {
    return IsSet(environment, "DISPLAY") || IsSet(environment, "WAYLAND_DISPLAY") ||
           IsSet(environment, "QT_QPA_PLATFORM");
}

bool AsksForHelp(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            return false;
        }
        if (IsHelpOption(arguments[i])) {
            return true;
        }
    }
    return false;
}

// arguments[0] is the program. "--" ends the options, so that a file named "-x.zel" can be
// opened too.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && IsHelpOption(argument)) {
            line.action = CommandLine::Action::kShowHelp;
            continue;
        }
        if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            return Refuse("tarvo: unknown option " + argument);
        }
        if (argument.empty()) {
            return Refuse("tarvo: an empty file name");
        }
        if (line.motorFile) {
            return Refuse("tarvo: only one motor file can be opened at a time");
        }
        line.motorFile = argument;
    }
    return line;
}

std::string UsageText() {
    return "Usage: tarvo [MOTOR.zel | PROPELLANTS.grn]\n"
           "Opens the Tarvo+ window, the internal-ballistics calculator for KN/sugar rocket\n"
           "motors. With a motor file (.zel) it opens that file after start-up, as a desktop\n"
           "file association does; a propellant file (.grn) is loaded into tab 5 instead.\n"
           "\n"
           "Options:\n"
           "  -h, --help   show this text and exit\n"
           "\n"
           "The program reads no other options; Qt's own (such as -platform) are passed to Qt.\n";
}

}  // namespace tarvo
