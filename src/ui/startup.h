#pragma once
// What the desktop program decides before and right after its window exists: whether it can
// run at all (a display, a large enough screen), what its command line asks for, and the
// propellants the form starts with.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_model.h"

class QCoreApplication;
class QScreen;

namespace tarvo {

inline constexpr std::string_view kScreenSizeMessage =
    "Поддерживаемое разрешение экрана: не хуже 1024x768";

// The window needs more than 800 x 600 pixels: a screen of 801 x 601 passes.
constexpr bool ScreenSizeSupported(int width, int height) {
    return width > 800 && height > 600;
}

// The check of the screen the window opens on; a missing screen is not refused.
bool ScreenSupported(const QScreen* screen);

// Whether a window can be shown at all: an X or Wayland display, or a Qt platform chosen
// explicitly (such as "offscreen").
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
bool HasDisplay(const EnvironmentLookup& environment);

inline constexpr std::string_view kNoDisplayMessage =
    "tarvo: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
    "Start it from a desktop session, or headless with:\n"
    "  xvfb-run -s \"-screen 0 1280x1024x24\" tarvo\n";

// The command line after Qt has taken its own options: nothing, or one file to open (a motor,
// or a propellant file to load).
struct CommandLine {
    enum class Action { kRun, kShowHelp, kRefuse };
    Action action = Action::kRun;
    std::optional<std::string> motorFile;  // opened after start-up
    std::string error;                     // why the line is refused
};

// Qt's own texts (file dialogs and their questions, standard buttons, context menus) in
// Russian, from the translations installed with Qt; Russian dates and sizes in its dialogs.
// False when the translations are not installed: Qt's texts then stay English.
bool UseRussianQtTexts(QCoreApplication& application);

bool AsksForHelp(const std::vector<std::string>& arguments);
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();

}  // namespace tarvo
