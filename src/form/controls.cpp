#include "form/controls.h"

#include <array>

#include "form/form_layout.h"
#include "input/field_map.h"
#include "input/steppers.h"

namespace tarvo {
namespace {

struct NumberedKind {
    std::string_view prefix;
    ControlKind kind;
};

// Longer prefixes first, so that "chk" does not swallow another name.
constexpr std::array<NumberedKind, 7> kNumberedKinds = {{
    {"GroupBox", ControlKind::kGroupBox},
    {"UpDown", ControlKind::kStepper},
    {"Button", ControlKind::kButton},
    {"Label", ControlKind::kLabel},
    {"Chart", ControlKind::kChart},
    {"Edit", ControlKind::kEdit},
    {"chk", ControlKind::kCheckBox},
}};

struct NamedControl {
    std::string_view name;
    ControlId id;
};

constexpr std::array<NamedControl, 7> kNamedControls = {{
    {"chk", ToControl(CheckBoxId::kChk)},
    {"fbox", kPropellantList},
    {"Memo1", kMemo},
    {"sb", StatusPanel(0)},
    {"pb", kProgressBar},
    {"lv", kResultTable},
    {"PageControl1", kPageControl},
}};

// Digits only, without a leading zero.
std::optional<int> ControlNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 4 || digits.front() == '0') {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

bool LabelExists(int number) {
    return FindLabelLayout(number) != nullptr;
}

bool GroupBoxExists(int number) {
    for (const GroupBoxLayout& group : GroupBoxLayouts()) {
        if (group.groupBox == number) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ControlName(ControlId id) {
    switch (id.kind) {
        case ControlKind::kPropellantList:
            return "fbox";
        case ControlKind::kMemo:
            return "Memo1";
        case ControlKind::kStatusBar:
            return "sb";
        case ControlKind::kProgressBar:
            return "pb";
        case ControlKind::kResultTable:
            return "lv";
        case ControlKind::kPageControl:
            return "PageControl1";
        case ControlKind::kDocument:
            return "Document";
        case ControlKind::kDesignChecks:
            return "DesignChecks";
        case ControlKind::kCheckBox:
            if (id.number == 0) {
                return "chk";
            }
            break;
        default:
            break;
    }
    for (const NumberedKind& kind : kNumberedKinds) {
        if (kind.kind == id.kind) {
            return std::string(kind.prefix) + std::to_string(id.number);
        }
    }
    return {};
}

bool ControlExists(ControlId id) {
    const int n = id.number;
    switch (id.kind) {
        case ControlKind::kEdit:
            return IsEditNumber(n);
        case ControlKind::kStepper:
            return FindStepperRule(n) != nullptr;
        case ControlKind::kCheckBox:
            return n >= 0 && n <= 5;
        case ControlKind::kLabel:
            return LabelExists(n);
        case ControlKind::kGroupBox:
            return GroupBoxExists(n);
        case ControlKind::kChart:
            return n >= 1 && n <= 4;
        case ControlKind::kButton:
            return n >= 1 && n <= 5;
        case ControlKind::kStatusBar:
            return n >= 0 && n < kStatusPanelCount;
        case ControlKind::kMemo:
        case ControlKind::kPageControl:
            return n == 1;
        default:
            return n == 0;
    }
}

std::optional<ControlId> FindControl(std::string_view name) {
    for (const NamedControl& named : kNamedControls) {
        if (named.name == name) {
            return named.id;
        }
    }
    for (const NumberedKind& kind : kNumberedKinds) {
        if (!name.starts_with(kind.prefix)) {
            continue;
        }
        const auto number = ControlNumber(name.substr(kind.prefix.size()));
        if (number && ControlExists({kind.kind, *number})) {
            return ControlId{kind.kind, *number};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tarvo
