#pragma once
// The design checks of a calculation as the window's list "Проверка конструкции", tarvo-calc's
// `alerts` and the help show them: one line per check with its severity, value and limit in the
// motor's units, and what each check means, where its limit comes from and what to do about it.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/calculation_result.h"
#include "model/diagnostic.h"

namespace tarvo {

inline constexpr std::string_view kDesignChecksCaption = "Проверка конструкции";
// The page that shows the list: tab 4, "Результаты расчёта".
inline constexpr int kDesignChecksTab = 3;

// How a check's limit bounds its value.
enum class LimitKind {
    kNone,      // the check has no limit
    kAtMost,    // "не больше", "≤"
    kAtLeast,   // "не меньше", "≥"
    kTableTop,  // the burn-rate table's upper bound: "таблица до", "≤"
};

// What the program knows of one check: how its line reads and what the help says of it.
struct DesignCheckInfo {
    DiagnosticCode code;
    std::string_view title;       // the line's start
    std::string_view errorTitle;  // for its error, when it has one of its own ("" otherwise)
    std::string_view quantity;    // what the value is ("Pmax")
    std::string_view unit;        // after value and limit ("" for a ratio)
    int decimals;
    double scale;  // the value shown is value * scale (a fraction as per cent)
    LimitKind limitKind;
    std::string_view meaning;  // help: what the check looks at and why it matters
    std::string_view source;   // help: where the definition and the limit come from
    std::string_view advice;   // help and tooltip: what to do about it
};

// The checks in the order the help explains them.
std::span<const DesignCheckInfo> DesignCheckInfos();
const DesignCheckInfo* FindDesignCheck(DiagnosticCode code);

// One line of the list.
struct DesignAlert {
    DiagnosticCode code = DiagnosticCode::kNotFinite;
    Severity severity = Severity::kNote;
    std::string title;      // "Узкий канал"
    std::string quantity;   // "Aкан/Aкр"
    std::string valueText;  // "1,52", "11,20 МПа"
    std::string limitText;  // "≥ 2,00"; "" without a limit
    std::string text;  // the whole line: "Узкий канал: Aкан/Aкр = 1,52 (не меньше 2,00)"
    std::string advice;
    std::optional<double> value;  // as the calculation gave it: the units of DesignCheckInfo
    std::optional<double> limit;  // without the scale (a fraction stays a fraction)
};

DesignAlert MakeDesignAlert(const Diagnostic& diagnostic);

// The lines of a calculation: every design check, and the pressure that left the burn-rate
// table when that stopped it. Errors first, then warnings, then notes, each in the order found.
std::vector<DesignAlert> DesignAlerts(const CalculationResult& result);

struct AlertCounts {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
};
AlertCounts CountAlerts(std::span<const DesignAlert> alerts);

// "error", "warning", "note".
std::string_view SeverityName(Severity severity);
// "ошибка", "предупреждение", "замечание".
std::string_view SeverityWord(Severity severity);

// The status bar's indicator: "2 ошибки, 1 предупреждение"; "" when there are none.
std::string AlertCountsText(const AlertCounts& counts);

// The help on the checks: each check with its meaning, source and advice, and the casing's
// materials with the strength each uses.
std::string DesignChecksHelpText();

}  // namespace tarvo
