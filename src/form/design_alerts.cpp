#include "form/design_alerts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ballistics/design_checks.h"
#include "input/check_settings.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using C = DiagnosticCode;
using L = LimitKind;

// clang-format off
constexpr std::array<DesignCheckInfo, 9> kChecks = {{
    {C::kPortThroat, "Узкий канал", "Канал уже критического сечения", "Aкан/Aкр", "", 2, 1,
     L::kAtLeast,
     "Отношение площади свободного канала в начале горения к площади критического сечения. "
     "Узкий канал разгоняет газ вдоль шашек: они горят эрозионно, и в начале работы бывает "
     "скачок давления. Если канал уже критического сечения (отношение меньше 1), "
     "критическим сечением становится сам канал - это ошибка.",
     "Распространённое правило проектирования любительских двигателей: не меньше {port} "
     "(можно задать от {port-min} до {port-max}). Считается только для канальных шашек.",
     "Увеличьте диаметр канала do или уменьшите критическое сечение (больше Kno; давление "
     "при этом вырастет)."},
    {C::kMassFlux, "Большой массовый поток через канал", "", "G", " кг/(м²·с)", 0, 1,
     L::kAtMost,
     "Наибольший за основную фазу горения расход газа через свободный канал, отнесённый к "
     "площади канала. Большой поток усиливает эрозионное горение и скачок давления в начале.",
     "Обычный предел для карамельных топлив - {flux-imperial} фунта/(дюйм²·с), то есть {flux} "
     "кг/(м²·с); его можно изменить. Только для канальных шашек.",
     "Увеличьте диаметр канала или уменьшите число шашек, которые горят в одном канале."},
    {C::kCasing, "Малый запас прочности корпуса", "Корпус не выдержит давления",
     "запас прочности", "", 2, 1, L::kAtLeast,
     "Давление разрушения корпуса по формуле Барлоу для наружного диаметра: "
     "Pb = 2·σ·t / (Dc + 2t), где σ - прочность материала, t - толщина стенки, Dc - внутренний "
     "диаметр камеры. Запас прочности равен Pb / (Pmax - Patm). Запас меньше 1 - ошибка: "
     "корпус не выдержит наибольшего давления.",
     "Формула Барлоу (тонкостенная труба); требуемый запас {factor} - обычная практика для "
     "любительских корпусов, его можно изменить.",
     "Возьмите стенку толще или материал прочнее, либо снизьте давление: меньше Kno (больше "
     "критическое сечение)."},
    {C::kCasingMissing, "Прочность корпуса не проверена", "", "Pmax - Patm", " МПа", 2, 1, L::kNone,
     "Корпус не задан, поэтому программа только сообщает наибольшее избыточное давление, "
     "которое он должен выдержать.",
     "Замечание, а не предупреждение: проверка корпуса возможна только с его материалом и "
     "стенкой.",
     "Задайте материал и толщину стенки в окне «Корпус и пределы» (кнопка на вкладке 1 или "
     "меню «Файл»)."},
    {C::kMaxPressure, "Высокое давление", "", "Pmax", " МПа", 2, 1, L::kAtMost,
     "Наибольшее давление в камере выше предела. Любительские корпуса и сопла обычно не "
     "рассчитаны на большее, а таблицы скорости горения карамельных топлив кончаются около "
     "11 МПа.",
     "Предел по умолчанию - {pmax-psi} фунтов на дюйм², то есть {pmax} МПа; его можно "
     "изменить.",
     "Уменьшите Kno (больше критическое сечение) или выберите шашки с более ровной кривой "
     "Kn (вкладка 1); задайте корпус и проверьте его запас прочности."},
    {C::kFlowSeparation, "Сопло перерасширено: отрыв потока", "",
     "доля времени тяги с давлением на срезе ниже {sep}·Patm", " %", 0, 100, L::kAtMost,
     "Давление газа на срезе сопла (давление в камере при числе Маха на выходе) ниже {sep} "
     "атмосферного дольше {sep-time} % времени тяги. Тогда поток отрывается от стенок раструба: "
     "тяга становится неустойчивой и меньше расчётной.",
     "Критерий отрыва Саммерфилда: давление на срезе меньше примерно {sep} атмосферного.",
     "Уменьшите степень расширения сопла Ae/At (вкладка 3), ближе к «Ae/At opt mid»."},
    {C::kUnderExpanded, "Сопло недорасширено: потеря тяги", "", "Ae/At", "", 1, 1,
     L::kAtLeast,
     "Степень расширения сопла меньше половины оптимальной в среднем: газ выходит с давлением "
     "много выше атмосферного, и часть его энергии не превращается в тягу.",
     "Предел - половина «Ae/At opt mid» на вкладке 3. «Новый» ставит Ae/At = 1: сопло без "
     "раструба.",
     "Увеличьте Ae/At (вкладка 3) до «Ae/At opt mid»."},
    {C::kShortBurn, "Слишком короткое горение", "", "время горения", " с", 3, 1, L::kAtLeast,
     "Время горения меньше {short} с. У работающего двигателя такого не бывает: это признак "
     "ошибки в размерах шашек, бронировке или Kno.",
     "Граница {short} с отделяет заведомо неверную конструкцию; изменить её нельзя.",
     "Проверьте размеры шашек и канала, бронировку поверхностей и Kno (вкладка 1)."},
    {C::kPressureOutOfTable, "Давление выше таблицы топлива", "", "P", " МПа", 2, 1,
     L::kTableTop,
     "Давление в камере поднялось выше верхней границы таблицы скорости горения выбранного "
     "топлива (вкладка 5), и расчёт остановлен: за таблицей скорость горения неизвестна.",
     "Таблица скорости горения выбранного топлива на вкладке 5.",
     "Уменьшите Kno (больше критическое сечение) или дополните таблицу диапазоном измерений "
     "при более высоком давлении."},
}};
// clang-format on

// The imperial units the default limits were set in.
constexpr double kMassFluxPerImperial =
    0.45359237 / (0.0254 * 0.0254);  // kg/(m^2 s) per lb/(in^2 s)
constexpr double kMegapascalsPerPsi = 0.45359237 * 9.80665 / (0.0254 * 0.0254) / 1e6;

// The texts name the limits by placeholders, so that each number is written once: in
// DesignLimits, in the dialog's rules or beside the checks.
std::string Expanded(std::string_view text) {
    const DesignLimits defaults;
    const CheckFieldRule& port = RuleOf(CheckField::kMinPortThroat);
    const std::pair<std::string_view, std::string> values[] = {
        {"{port}", FormatGeneral(defaults.minPortThroat)},
        {"{port-min}", FormatGeneral(port.min)},
        {"{port-max}", FormatGeneral(port.max)},
        {"{flux}", FormatGeneral(defaults.maxMassFlux)},
        {"{flux-imperial}", FormatFixed(defaults.maxMassFlux / kMassFluxPerImperial, 0)},
        {"{factor}", FormatGeneral(defaults.safetyFactor)},
        {"{pmax}", FormatGeneral(defaults.maxPressure)},
        {"{pmax-psi}", FormatFixed(defaults.maxPressure / kMegapascalsPerPsi, 0)},
        {"{sep}", FormatGeneral(kSeparationPressureRatio)},
        {"{sep-time}", FormatGeneral(kSeparationTimeLimit * 100)},
        {"{short}", FormatGeneral(kShortestBurn)},
    };
    std::string expanded(text);
    for (const auto& [name, value] : values) {
        for (std::size_t at = expanded.find(name); at != std::string::npos;
             at = expanded.find(name, at + value.size())) {
            expanded.replace(at, name.size(), value);
        }
    }
    return expanded;
}

std::string Formatted(const DesignCheckInfo& info, std::optional<double> value) {
    if (!value || !std::isfinite(*value)) {
        return "-";
    }
    return FormatFixed(*value * info.scale, info.decimals) + std::string(info.unit);
}

// The limit as the line's text says it, and as the list's column shows it.
std::string_view LimitWords(LimitKind kind) {
    switch (kind) {
        case LimitKind::kAtMost:
            return "не больше";
        case LimitKind::kAtLeast:
            return "не меньше";
        case LimitKind::kTableTop:
            return "таблица до";
        case LimitKind::kNone:
            break;
    }
    return "";
}

std::string_view LimitSign(LimitKind kind) {
    return kind == LimitKind::kAtLeast ? "≥" : "≤";
}

int SeverityOrder(Severity severity) {
    switch (severity) {
        case Severity::kError:
            return 0;
        case Severity::kWarning:
            return 1;
        case Severity::kNote:
            return 2;
    }
    return 2;
}

// Russian plural of a count: 1 ошибка, 2 ошибки, 5 ошибок.
std::string Counted(int count, std::string_view one, std::string_view few, std::string_view many) {
    const int lastTwo = count % 100;
    const int last = count % 10;
    std::string_view word = many;
    if (last == 1 && lastTwo != 11) {
        word = one;
    } else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) {
        word = few;
    }
    return std::to_string(count) + " " + std::string(word);
}

std::string MaterialsHelp() {
    std::string text = std::string(kChecksDialogCaption) +
                       ": материалы корпуса и прочность, которую программа для них берёт.\n";
    for (const MaterialPreset& preset : kMaterialPresets) {
        text += "- " + std::string(preset.name) + ": " + std::string(preset.basis) + ".\n";
    }
    text += "- " + std::string(kOtherMaterialName) +
            ": прочность σ вводится вручную (в МПа, с десятичной запятой).\n";
    return text + std::string(kStrengthBasis) + "\n";
}

}  // namespace

std::span<const DesignCheckInfo> DesignCheckInfos() {
    return kChecks;
}

const DesignCheckInfo* FindDesignCheck(DiagnosticCode code) {
    for (const DesignCheckInfo& info : kChecks) {
        if (info.code == code) {
            return &info;
        }
    }
    return nullptr;
}

DesignAlert MakeDesignAlert(const Diagnostic& d) {
    DesignAlert alert;
    alert.code = d.code;
    alert.severity = d.severity;
    alert.value = d.value;
    alert.limit = d.limit;
    const DesignCheckInfo* info = FindDesignCheck(d.code);
    if (info == nullptr) {
        alert.title = CodeName(d.code);
        alert.text = alert.title;
        return alert;
    }
    const bool ownError = d.severity == Severity::kError && !info->errorTitle.empty();
    alert.title = ownError ? info->errorTitle : info->title;
    alert.quantity = Expanded(info->quantity);
    alert.valueText = Formatted(*info, d.value);
    alert.text = alert.title + ": " + alert.quantity + " = " + alert.valueText;
    if (d.at && std::isfinite(*d.at)) {
        alert.text += " при t = " + FormatFixed(*d.at, 3) + " с";
    }
    if (d.limit && info->limitKind != LimitKind::kNone) {
        const std::string limit = Formatted(*info, d.limit);
        alert.limitText = std::string(LimitSign(info->limitKind)) + " " + limit;
        alert.text += " (" + std::string(LimitWords(info->limitKind)) + " " + limit + ")";
    }
    alert.advice = Expanded(info->advice);
    return alert;
}

std::vector<DesignAlert> DesignAlerts(const CalculationResult& result) {
    std::vector<DesignAlert> alerts;
    for (const Diagnostic& diagnostic : result.diagnostics) {
        if (FindDesignCheck(diagnostic.code) != nullptr) {
            alerts.push_back(MakeDesignAlert(diagnostic));
        }
    }
    std::stable_sort(alerts.begin(), alerts.end(), [](const DesignAlert& a, const DesignAlert& b) {
        return SeverityOrder(a.severity) < SeverityOrder(b.severity);
    });
    return alerts;
}

AlertCounts CountAlerts(std::span<const DesignAlert> alerts) {
    AlertCounts counts;
    for (const DesignAlert& alert : alerts) {
        switch (alert.severity) {
            case Severity::kError:
                ++counts.errors;
                break;
            case Severity::kWarning:
                ++counts.warnings;
                break;
            case Severity::kNote:
                ++counts.notes;
                break;
        }
    }
    return counts;
}

namespace {

// Each severity as `--json` names it and as a line of the report calls it.
struct SeverityTexts {
    Severity severity;
    std::string_view name;
    std::string_view word;
};
constexpr SeverityTexts kSeverityTexts[] = {
    {Severity::kError, "error", "ошибка"},
    {Severity::kWarning, "warning", "предупреждение"},
    {Severity::kNote, "note", "замечание"},
};

const SeverityTexts& TextsOf(Severity severity) {
    for (const SeverityTexts& texts : kSeverityTexts) {
        if (texts.severity == severity) {
            return texts;
        }
    }
    return kSeverityTexts[2];
}

}  // namespace

std::string_view SeverityName(Severity severity) {
    return TextsOf(severity).name;
}

std::string_view SeverityWord(Severity severity) {
    return TextsOf(severity).word;
}

std::string AlertCountsText(const AlertCounts& counts) {
    std::vector<std::string> parts;
    if (counts.errors > 0) {
        parts.push_back(Counted(counts.errors, "ошибка", "ошибки", "ошибок"));
    }
    if (counts.warnings > 0) {
        parts.push_back(
            Counted(counts.warnings, "предупреждение", "предупреждения", "предупреждений"));
    }
    if (parts.empty() && counts.notes > 0) {
        parts.push_back(Counted(counts.notes, "замечание", "замечания", "замечаний"));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}

std::string DesignChecksHelpText() {
    std::string text =
        "После каждого расчёта программа проверяет конструкцию и показывает итог в списке «" +
        std::string(kDesignChecksCaption) +
        "» на вкладке 4, а число ошибок и предупреждений - в строке состояния (щелчок по нему "
        "открывает вкладку 4). Ошибка означает, что двигатель не будет работать, как "
        "рассчитан; предупреждение - что он опасен или плох; замечание - что стоит знать. "
        "Проверки не останавливают расчёт. Пределы задаются в окне «" +
        std::string(kChecksDialogCaption) +
        "» (кнопка на вкладке 1 или меню «Файл») и хранятся в файле двигателя.\n\n";
    for (const DesignCheckInfo& info : kChecks) {
        text += std::string(info.title) + " (" + std::string(CodeName(info.code)) + ")\n";
        text += Expanded(info.meaning) + "\n";
        text += "Источник: " + Expanded(info.source) + "\n";
        text += "Что делать: " + Expanded(info.advice) + "\n\n";
    }
    return text + MaterialsHelp();
}

}  // namespace tarvo
