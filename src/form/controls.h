#pragma once
// Names of the window's controls. Each kind has a typed id for the form model's methods; a
// ControlId names any control, for observers and for lookups by name ("Edit1", "UpDown7",
// "chk1", "Label141", "Chart2", "Button1", "fbox", "Memo1", "sb", "pb", "lv").

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

enum class ControlKind {
    kEdit,            // EditN
    kStepper,         // UpDownN
    kCheckBox,        // chk (number 0), chk1 ... chk5
    kLabel,           // LabelN
    kGroupBox,        // GroupBoxN (the burn-rate groups of tab 5 carry propellant names)
    kChart,           // ChartN
    kButton,          // ButtonN
    kPropellantList,  // fbox
    kMemo,            // Memo1
    kStatusBar,       // sb; number = panel
    kProgressBar,     // pb
    kResultTable,     // lv
    kPageControl,     // PageControl1
    kDocument,        // LoadingGuard and Modified
    kDesignChecks,  // the list "Проверка конструкции" of tab 4 and the values behind it
};

struct ControlId {
    ControlKind kind = ControlKind::kEdit;
    int number = 0;

    friend bool operator==(const ControlId&, const ControlId&) = default;
};

struct EditId {
    int number = 0;
    friend bool operator==(const EditId&, const EditId&) = default;
};
struct StepperId {
    int number = 0;
    friend bool operator==(const StepperId&, const StepperId&) = default;
};
struct LabelId {
    int number = 0;
    friend bool operator==(const LabelId&, const LabelId&) = default;
};
struct ChartId {
    int number = 0;
    friend bool operator==(const ChartId&, const ChartId&) = default;
};
struct ButtonId {
    int number = 0;
    friend bool operator==(const ButtonId&, const ButtonId&) = default;
};

// The grain-kind boxes and the four "Показать трассер" boxes of tabs 1 to 4.
enum class CheckBoxId { kChk = 0, kChk1, kChk2, kChk3, kChk4, kChk5 };

inline constexpr CheckBoxId kEndGrainBox = CheckBoxId::kChk;      // "Торцевая шашка"
inline constexpr CheckBoxId kCoredGrainsBox = CheckBoxId::kChk1;  // "Канальные шашки"
inline constexpr ButtonId kCalculateButton{1};
inline constexpr ButtonId kExportButton{2};

constexpr ControlId ToControl(EditId id) {
    return {ControlKind::kEdit, id.number};
}
constexpr ControlId ToControl(StepperId id) {
    return {ControlKind::kStepper, id.number};
}
constexpr ControlId ToControl(LabelId id) {
    return {ControlKind::kLabel, id.number};
}
constexpr ControlId ToControl(ChartId id) {
    return {ControlKind::kChart, id.number};
}
constexpr ControlId ToControl(ButtonId id) {
    return {ControlKind::kButton, id.number};
}
constexpr ControlId ToControl(CheckBoxId id) {
    return {ControlKind::kCheckBox, static_cast<int>(id)};
}

inline constexpr ControlId kPropellantList{ControlKind::kPropellantList, 0};
inline constexpr ControlId kMemo{ControlKind::kMemo, 1};
inline constexpr ControlId kProgressBar{ControlKind::kProgressBar, 0};
inline constexpr ControlId kResultTable{ControlKind::kResultTable, 0};
inline constexpr ControlId kPageControl{ControlKind::kPageControl, 1};
inline constexpr ControlId kDocumentState{ControlKind::kDocument, 0};
inline constexpr ControlId kDesignCheckList{ControlKind::kDesignChecks, 0};
constexpr ControlId StatusPanel(int panel) {
    return {ControlKind::kStatusBar, panel};
}

// "Edit1", "UpDown7", "chk", "chk1", "sb0" (panel 0) ...
std::string ControlName(ControlId id);

// The control of a name, when the window has such a control.
std::optional<ControlId> FindControl(std::string_view name);

// Whether the window has this control.
bool ControlExists(ControlId id);

}  // namespace tarvo
