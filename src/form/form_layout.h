#pragma once
// The main window as data: every control with its tab, group, caption, design-time text and
// state, the stepper ranges, the value-label formats, the charts, menus and dialogs. The view
// builds itself from these tables; the form model starts from them.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "files/file_values.h"
#include "form/controls.h"
#include "model/motor_design.h"

namespace tarvo {

inline constexpr std::string_view kWindowCaption = "Tarvo+ [Версия 2.21]";
inline constexpr int kClientWidth = 859;
inline constexpr int kClientHeight = 625;
inline constexpr int kPageControlHeight = 537;
inline constexpr int kLowerPanelHeight = 88;

inline constexpr std::array<std::string_view, kTabCount> kTabCaptions = {
    "Исходные данные двигателя и Kn", "Давление в двигателе", "Характеристики двигателя",
    "Результаты расчёта", "Характеристики топлива"};
inline constexpr int kDesignActiveTab = 1;  // "Давление в двигателе"

// Lower panel.
inline constexpr std::string_view kMemoFirstLine = "Описание двигателя:";
inline constexpr int kMemoMaxLength = 512;
inline constexpr int kStatusPanelCount = 3;
inline constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths = {600, 1, 50};
inline constexpr int kProgressBarMin = 0;
inline constexpr int kProgressBarMax = 100;
inline constexpr std::string_view kPropellantListCaption = "Тип топлива";

struct FieldLayout {
    int edit;                  // EditN
    int tab;                   // 1..5
    std::string_view group;    // caption of the group box around it
    std::string_view caption;  // the row's label text ("" inside the tab-5 grids)
    std::string_view symbol;   // the quantity it holds
    std::string defaultText;   // design-time text
    bool enabled;              // at design time
    int stepper;               // UpDownN beside it, 0 for none
};

// Every edit field, in component order (by number).
std::span<const FieldLayout> FieldLayouts();
const FieldLayout* FindFieldLayout(int edit);

// How a value label shows its number.
enum class LabelFormat {
    kConstant,        // a fixed text (R' on tab 2)
    kInteger,         // rounded to a whole number, halves to even
    kFixed,           // fixed-point with `decimals` decimals
    kGeneral,         // shortest general form, up to 15 significant digits
    kClassAndThrust,  // the class letter, a blank, the average thrust with 0 decimals
    kName,            // a propellant's name (tab 5 row labels)
};

struct LabelLayout {
    int label;  // LabelN
    int tab;
    std::string_view group;
    std::string_view caption;  // the row's caption; lines separated by '\n'
    std::string_view symbol;
    std::string_view defaultText;
    LabelFormat format;
    int decimals;
};

// Every label whose text the program writes.
std::span<const LabelLayout> LabelLayouts();
const LabelLayout* FindLabelLayout(int label);

struct CheckBoxLayout {
    CheckBoxId id;
    int tab;
    std::string_view group;
    std::string_view caption;
    bool checked;
    bool enabled;
};
std::span<const CheckBoxLayout> CheckBoxLayouts();

struct StepperLayout {
    int stepper;
    int edit;
    int min;
    int max;
    int increment;
    int position;
};
std::span<const StepperLayout> StepperLayouts();

enum class ChartAxis { kBottom, kLeft, kRight };
enum class SeriesKind { kFastLine, kLine };

struct AxisLayout {
    std::string_view title;
    double max;
    std::string_view titleColor;  // "" for the default colour
};

struct SeriesLayout {
    std::string_view name;
    std::string_view title;
    SeriesKind kind;
    std::string_view color;
    ChartAxis verticalAxis;
    bool active;
};

// Every axis starts at 0 with a fixed range; the bottom and left axes step their labels by 0.1.
struct ChartLayout {
    int chart;
    int tab;
    AxisLayout bottom;
    AxisLayout left;
    AxisLayout right;
    std::span<const SeriesLayout> series;
};
std::span<const ChartLayout> ChartLayouts();
inline constexpr double kAxisLabelIncrement = 0.1;
// Charts 2 to 4: the series that draws a loaded stand log.
inline constexpr std::size_t kMeasuredSeries = 1;

struct ButtonLayout {
    int button;
    int tab;  // 0 for the lower panel
    std::string_view caption;
    bool enabled;
};
std::span<const ButtonLayout> ButtonLayouts();

struct ColumnLayout {
    std::string_view title;
    int width;
    bool centred;
};
inline constexpr std::array<ColumnLayout, 3> kResultTableColumns = {{
    {"n", 25, false},
    {"Время, [с]", 140, true},
    {"Тяга, [Н]", 140, true},
}};

struct GroupBoxLayout {
    int groupBox;  // GroupBoxN, for the groups whose caption the program rewrites; else 0
    int tab;
    std::string_view caption;
};
std::span<const GroupBoxLayout> GroupBoxLayouts();

// Tab 5: the grid of propellant constants and the three burn-rate grids.
struct PropellantRowLayout {
    int ftype;
    int rowLabel;       // LabelN showing the propellant's name (design time: "KN/DX-65/35")
    int burnRateGroup;  // GroupBoxN of its burn-rate grid (design time: "KN/DX")
    std::string_view legend;
};
std::span<const PropellantRowLayout> PropellantRowLayouts();

inline constexpr std::string_view kPropellantGridGroup = "Физические константы для топлива";
inline constexpr std::string_view kUnitRowCaption = "Размерность";
inline constexpr std::string_view kNoteRowCaption = "Примечание";
// Columns in field order: ideal density, k 2-phase, k mixture, molar mass, temperature.
inline constexpr std::array<std::string_view, 5> kPropellantColumnHeaders = {
    "     Массовая\r\nплотность, идеал", "Ratio of specific\r\n   heats, 2-ph.",
    "Ratio of specific\r\n heats, mixture", "    Эффективная\r\nмолекулярная масса",
    "Температура\r\n    горения"};
inline constexpr std::array<std::string_view, 5> kPropellantColumnUnits = {"г/см^3", "-", "-",
                                                                           "кг/кмоль", "K"};
inline constexpr std::array<std::string_view, 4> kPropellantNotes = {
    "[1] - For the dynamic (zero lag)\r\n       gas-particle mixture.",
    "[2] - For the static gas-particle mixture.",
    "[3] - Given by system mass divided by number\r\n       of gas moles in system.",
    "[4] - Adiabatic flame temperature."};
inline constexpr std::array<std::string_view, 5> kBurnRateHeaders = {
    "Диапазоны давления", "Давление, MPa", "MPa, mm/sec", "a", "n"};
inline constexpr std::string_view kBurnRateRangeWord = "до";

struct MenuItemLayout {
    std::string_view menu;
    std::string_view caption;  // "-" for a separator
    std::string_view control;
    std::string_view shortcut;  // keys in Qt's portable form, several separated by "; "
    bool enabled;
};
std::span<const MenuItemLayout> MenuLayouts();

// "Рассчитать" from anywhere in the window; Enter in a field calculates too.
inline constexpr std::string_view kCalculateShortcuts = "Ctrl+Return; Ctrl+Enter";

struct DialogLayout {
    std::string_view name;
    std::string_view use;
    std::string_view defaultExtension;
    std::string_view filter;
    bool promptOverwrite;
};
std::span<const DialogLayout> DialogLayouts();

}  // namespace tarvo
