// tarvo-calc: calculates motor files the way the desktop program does when the user opens
// them, and prints the results as a readable Russian report or as JSON Lines, or writes them as
// a RASP .eng thrust curve, a RockSim .rse engine and a CSV of every curve; imports designs of
// Meteor and openMotor and writes a motor as an openMotor .ric.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/curves_csv.h"
#include "export/rasp_eng.h"
#include "export/rocksim_rse.h"
#include "files/encoding.h"
#include "files/ini_file.h"
#include "form/design_alerts.h"
#include "form/form_layout.h"
#include "form/form_model.h"
#include "form/motor_calculation.h"
#include "form/motor_interop.h"
#include "form/stand_report.h"
#include "model/number_text.h"
#include "model/quantities.h"
#include "sweep_command.h"

namespace tarvo {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitCalculationFailed = 1;
constexpr int kExitUsageOrFile = 2;

constexpr std::string_view kUsage =
    "Использование:\n"
    "  tarvo-calc [--json] ФАЙЛ...\n"
    "  tarvo-calc [--eng ВЫХОД.eng] [--rse ВЫХОД.rse] [--csv ВЫХОД.csv] ФАЙЛ\n"
    "  tarvo-calc --ric ВЫХОД.ric ФАЙЛ\n"
    "  tarvo-calc --import ВХОД [-o ВЫХОД.zel] [--config N] [--slot N]\n"
    "  tarvo-calc --test КРИВАЯ [--fit П1,П2,...] [--json] ФАЙЛ\n"
    "  tarvo-calc --sweep КЛЮЧ=ОТ:ДО:ШАГ [--sweep ...] [--json] [--threads N] ФАЙЛ\n"
    "  tarvo-calc --solve ВЕЛИЧИНА=ЗНАЧЕНИЕ --vary КЛЮЧ[=ОТ:ДО] [--json] [--threads N] ФАЙЛ\n"
    "  tarvo-calc --help\n"
    "\n"
    "Рассчитывает файлы двигателей (.zel) так же, как программа Tarvo при их открытии:\n"
    "каждый ФАЙЛ по очереди, каждый раз с нового запуска со встроенными параметрами топлив\n"
    "(без GRAINS.grn и без списка последних файлов), после команды \"Новый\". Файлы старого\n"
    "формата преобразуются только в памяти; tarvo-calc никогда не изменяет ФАЙЛ.\n"
    "\n"
    "Без ключей выводится отчёт по каждому файлу: подписи и значения вкладок 1-4, строка\n"
    "состояния и таблица тяги из 23 строк.\n"
    "  --json   по одному объекту JSON в строке на каждый ФАЙЛ (JSON Lines, UTF-8): ключи\n"
    "           file, success, status, labels, fields, checks, propellant, table, values,\n"
    "           series, description, file_warnings, alerts (проверка конструкции: code,\n"
    "           severity, text, value, limit); числа в values и series записаны с\n"
    "           точностью, достаточной для точного обратного чтения, нечисловые значения\n"
    "           опущены; file_warnings перечисляет повторённые разделы и ключи файла и\n"
    "           обрезанные значения.\n"
    "  --eng ВЫХОД.eng\n"
    "           записывает кривую тяги ФАЙЛА в формате RASP (.eng) для симуляторов полёта;\n"
    "           при успехе ничего не выводит.\n"
    "  --rse ВЫХОД.rse\n"
    "           записывает двигатель ФАЙЛА для RockSim и OpenRocket (.rse): тягу, массу и\n"
    "           центр масс по времени; масса корпуса 0.\n"
    "  --csv ВЫХОД.csv\n"
    "           записывает все кривые ФАЙЛА таблицей CSV: время, давление в камере, тяга,\n"
    "           Kn, остаток свода, масса топлива, массовый поток, с единицами в заголовке.\n"
    "           --eng, --rse и --csv можно задать вместе, для одного ФАЙЛА.\n"
    "  --ric ВЫХОД.ric\n"
    "           записывает двигатель ФАЙЛА для openMotor (.ric) и перечисляет, что в .ric\n"
    "           не вошло.\n"
    "  --import ВХОД\n"
    "           импортирует конструкцию Meteor (JSON) или openMotor (.ric), рассчитывает её\n"
    "           и выводит отчёт: что перенесено, что пересчитано, что не перенесено.\n"
    "           -o ВЫХОД.zel  записывает импортированный двигатель в файл двигателя;\n"
    "           --config N    конструкция файла Meteor, с 1 (по умолчанию 1);\n"
    "           --slot N      топливо 1-3, которое заменит топливо файла (по умолчанию 1).\n"
    "  --test КРИВАЯ\n"
    "           сравнивает расчёт ФАЙЛА с кривой тяги испытания на стенде (текстовый файл:\n"
    "           время, тяга и, если есть, давление в камере); с --json объект получает\n"
    "           ключ test с полями measured и calculated (It, Favg, Fmax, span, Isp, Pmax).\n"
    "  --fit П1,П2,...\n"
    "           подбирает к испытанию параметры burn-rate (множитель коэффициентов a\n"
    "           выбранного топлива), uc, unoz, e (эрозия, мм); в test появляется fit с\n"
    "           params, rms и fitted, или ambiguous, если параметры нельзя различить.\n"
    "  --sweep КЛЮЧ=ОТ:ДО:ШАГ\n"
    "           рассчитывает ФАЙЛ со всеми сочетаниями значений (до трёх ключей), каждый\n"
    "           вариант так, как если бы файл содержал эти значения. КЛЮЧ - ключ раздела\n"
    "           [Params]: Dc, Lc, D, do, Lo, N, Kno, e, Lto, Dto, Roi/Ror, uc, Patm, G*, kv,\n"
    "           unoz, Ae/At, Os, Cs, Es; значения - как их показывает поле (uc=0,8:0,95:0,05,\n"
    "           Ae/At=4:12:1), с запятой или точкой. Значение, которое поле не примет,\n"
    "           отклоняется до расчёта. Выводит CSV (или с --json по объекту JSON в строке):\n"
    "           ключи, success, Pmax, BurnTime, ThrustTime, Fmax, Favg, It, Isp, MotorClass,\n"
    "           alerts (коды замечаний проверки конструкции), status.\n"
    "  --solve ВЕЛИЧИНА=ЗНАЧЕНИЕ\n"
    "           ищет значение ключа из --vary, при котором ВЕЛИЧИНА (Pmax, Favg, Fmax, It,\n"
    "           Isp, BurnTime, ThrustTime) равна ЗНАЧЕНИЮ с точностью 0,5 %, и выводит этот\n"
    "           вариант; для ключей с шагом (ступенчатые поля, N) - два соседних значения.\n"
    "  --vary КЛЮЧ[=ОТ:ДО]\n"
    "           ключ и диапазон поиска для --solve; без диапазона - весь диапазон поля со\n"
    "           счётчиком, для N от 1 до 2N (не меньше 10), для других полей от половины до\n"
    "           удвоенного значения в файле.\n"
    "  --threads N\n"
    "           число потоков для --sweep и --solve (по умолчанию по одному на ядро).\n"
    "\n"
    "Код завершения:\n"
    "  0  все файлы рассчитаны успешно (все три этапа расчёта); для --sweep - перебор\n"
    "     выполнен (неудачные варианты - такие же строки), для --solve - цель найдена;\n"
    "  1  хотя бы один расчёт закончился сообщением об ошибке (для --eng, --rse и --csv\n"
    "     оно выводится, файлы не записываются), подобранные параметры нельзя различить\n"
    "     по испытанию, или цель --solve недостижима в диапазоне (сообщение называет\n"
    "     достижимые значения);\n"
    "  2  ошибка в аргументах, ФАЙЛ не существует, не читается или не является файлом\n"
    "     двигателя, ВХОД не импортирован, не читается КРИВАЯ, или не записан выходной\n"
    "     файл (сообщение с именем файла и, для КРИВОЙ, номером строки выводится в поток\n"
    "     ошибок).\n";

// ---- JSON ----

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : SanitizeUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Seventeen significant digits read back as the same double; the point never depends on the
// locale.
std::string JsonNumber(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

class JsonObject {
public:
    void add(std::string_view key, const std::string& json) {
        text_ += (text_.empty() ? "{" : ",") + JsonString(key) + ":" + json;
    }
    void addNumber(std::string_view key, double value) {
        if (std::isfinite(value)) {
            add(key, JsonNumber(value));
        }
    }
    std::string close() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

std::string JsonSeries(const ChartSeries& series) {
    std::string out = "[";
    for (const ChartPoint& point : series) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            continue;
        }
        out +=
            (out.size() > 1 ? ",[" : "[") + JsonNumber(point.x) + "," + JsonNumber(point.y) + "]";
    }
    return out + "]";
}

// Every value label of tabs 1 to 4, by number.
std::string JsonLabels(const FormModel& form) {
    std::vector<int> numbers;
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.tab >= 1 && label.tab <= 4) {
            numbers.push_back(label.label);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    JsonObject labels;
    for (const int label : numbers) {
        labels.add("Label" + std::to_string(label), JsonString(form.labelText(LabelId{label})));
    }
    return labels.close();
}

std::string JsonFields(const FormModel& form) {
    JsonObject fields;
    for (const FieldLayout& layout : FieldLayouts()) {
        fields.add("Edit" + std::to_string(layout.edit),
                   JsonString(form.fieldText(EditId{layout.edit})));
    }
    return fields.close();
}

std::string JsonChecks(const FormModel& form) {
    JsonObject checks;
    checks.add("chk", form.isChecked(kEndGrainBox) ? "true" : "false");
    checks.add("chk1", form.isChecked(kCoredGrainsBox) ? "true" : "false");
    return checks.close();
}

std::string JsonTable(const FormModel& form) {
    std::string out = "[";
    for (const ResultTableRow& row : form.resultTable()) {
        out += (out.size() > 1 ? ",[" : "[") + JsonString(row.time) + "," + JsonString(row.thrust) +
               "]";
    }
    return out + "]";
}

std::string JsonValues(const CalculationResult& result) {
    JsonObject object;
    for (const QuantityInfo& quantity : QuantityTable()) {
        object.addNumber(quantity.symbol, quantity.value(result));
    }
    object.add(kMotorClassSymbol, JsonString(result.figures.MotorClass));
    return object.close();
}

std::string JsonChartSeries(const FormModel& form) {
    const auto series = [&form](int chart, std::size_t index) {
        const std::vector<ChartSeries>& all = form.chart(ChartId{chart}).series;
        return index < all.size() ? JsonSeries(all[index]) : std::string("[]");
    };
    JsonObject object;
    object.add("kn", series(1, 0));
    object.add("web", series(1, 1));
    object.add("pressure", series(2, 0));
    object.add("thrust", series(3, 0));
    object.add("summary", series(4, 0));
    return object.close();
}

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (const std::string& text : texts) {
        out += (out.size() > 1 ? "," : "") + JsonString(text);
    }
    return out + "]";
}

// What the reading rules passed over in the file (repeated keys and sections, cut values): the
// window stays silent about them, as it always has, but a user can find out here.
std::string JsonFileWarnings(const std::string& file) {
    return JsonStrings(FileWarnings(IniFile::Open(file)));
}

// The design checks of the list "Проверка конструкции", in the units of their table.
std::string JsonAlerts(const FormModel& form) {
    std::string out = "[";
    for (const DesignAlert& alert : form.designAlerts()) {
        JsonObject object;
        object.add("code", JsonString(CodeName(alert.code)));
        object.add("severity", JsonString(SeverityName(alert.severity)));
        object.add("text", JsonString(alert.text));
        if (alert.value) {
            object.addNumber("value", *alert.value);
        }
        if (alert.limit) {
            object.addNumber("limit", *alert.limit);
        }
        out += (out.size() > 1 ? "," : "") + object.close();
    }
    return out + "]";
}

// The motor's description, as the memo shows it.
std::string JsonDescription(const FormModel& form) {
    return JsonString(form.memoText());
}

std::string JsonLine(const std::string& file, const FormModel& form, bool success,
                     const std::string& test = "") {
    JsonObject line;
    line.add("file", JsonString(file));
    line.add("success", success ? "true" : "false");
    line.add("status", JsonString(form.statusText(0)));
    line.add("labels", JsonLabels(form));
    line.add("fields", JsonFields(form));
    line.add("checks", JsonChecks(form));
    line.add("propellant", std::to_string(form.selectedPropellant() + 1));
    line.add("table", JsonTable(form));
    line.add("values", JsonValues(form.lastCalculation()));
    line.add("series", JsonChartSeries(form));
    line.add("description", JsonDescription(form));
    line.add("file_warnings", JsonFileWarnings(file));
    line.add("alerts", JsonAlerts(form));
    if (!test.empty()) {
        line.add("test", test);
    }
    return line.close() + "\n";
}

// ---- The readable report ----

// A caption on one line, without the blanks the window's layout left around it.
std::string OneLine(std::string_view caption) {
    std::string line;
    for (const char c : caption) {
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

// The groups of a tab in the order the window shows them: those of the fields first.
std::vector<std::string_view> GroupsOfTab(int tab) {
    std::vector<std::string_view> groups;
    const auto add = [&groups](std::string_view group) {
        if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
            groups.push_back(group);
        }
    };
    for (const FieldLayout& field : FieldLayouts()) {
        if (field.tab == tab) {
            add(field.group);
        }
    }
    for (const LabelLayout& label : LabelLayouts()) {
        if (label.tab == tab) {
            add(label.group);
        }
    }
    return groups;
}

std::string ReportLine(std::string_view caption, const std::string& value) {
    return "    " + OneLine(caption) + ": " + value + "\n";
}

std::string TabReport(const FormModel& form, int tab) {
    std::string out =
        "Вкладка " + std::to_string(tab) + ". " + std::string(kTabCaptions[tab - 1]) + "\n";
    for (const std::string_view group : GroupsOfTab(tab)) {
        out += "  " + std::string(group) + "\n";
        for (const FieldLayout& field : FieldLayouts()) {
            if (field.tab == tab && field.group == group) {
                out += ReportLine(field.caption, form.fieldText(EditId{field.edit}));
            }
        }
        for (const LabelLayout& label : LabelLayouts()) {
            if (label.tab == tab && label.group == group) {
                out += ReportLine(label.caption, form.labelText(LabelId{label.label}));
            }
        }
    }
    return out;
}

std::string Padded(std::string_view text, std::size_t width) {
    const std::size_t length = Utf8Length(text);
    return std::string(length < width ? width - length : 0, ' ') + std::string(text);
}

std::string TableReport(const FormModel& form) {
    std::string out = "Таблица тяги\n";
    out += Padded(kResultTableColumns[0].title, 4) + Padded(kResultTableColumns[1].title, 14) +
           Padded(kResultTableColumns[2].title, 14) + "\n";
    for (const ResultTableRow& row : form.resultTable()) {
        out += Padded(row.number, 4) + Padded(row.time, 14) + Padded(row.thrust, 14) + "\n";
    }
    if (form.resultTable().empty()) {
        out += "  (нет строк)\n";
    }
    return out;
}

std::string YesNo(bool value) {
    return value ? "да" : "нет";
}

std::string AlertsReport(const FormModel& form) {
    if (form.designAlerts().empty()) {
        return {};
    }
    std::string out = std::string(kDesignChecksCaption) + ":\n";
    for (const DesignAlert& alert : form.designAlerts()) {
        out += "  " + std::string(SeverityWord(alert.severity)) + ": " + alert.text + "\n";
    }
    return out;
}

std::string ReadableReport(const std::string& file, const FormModel& form) {
    const int selected = form.selectedPropellant();
    std::string out = "Файл: " + SanitizeUtf8(file) + "\n";
    out += "Состояние: " + form.statusText(0) + "\n";
    out += AlertsReport(form);
    out += std::string(kPropellantListCaption) + ": " +
           (selected >= 0 ? form.propellantItems()[selected] : std::string("не выбран")) + "\n";
    out += "Канальные шашки: " + YesNo(form.isChecked(kCoredGrainsBox)) +
           "; торцевая шашка: " + YesNo(form.isChecked(kEndGrainBox)) + "\n";
    out += "Описание: " + form.memoText() + "\n\n";
    for (int tab = 1; tab <= 4; ++tab) {
        out += TabReport(form, tab) + "\n";
    }
    return out + TableReport(form);
}

// ---- The stand test ----

std::string JsonFigures(const CurveFigures& figures) {
    JsonObject object;
    for (const FigureLayout& layout : kFigureLayouts) {
        if (const std::optional<double> value = FigureValue(figures, layout.figure)) {
            object.addNumber(layout.key, *value);
        }
    }
    return object.close();
}

std::string JsonFit(const StandTestRun& run) {
    const CurveFit& fit = *run.fit;
    JsonObject object;
    if (fit.outcome == FitOutcome::kFitted) {
        JsonObject params;
        for (const FitParameter parameter : run.chosen) {
            params.addNumber(FitParameterName(parameter), fit.values[parameter]);
        }
        object.add("params", params.close());
        object.addNumber("rms", fit.rms);
        if (const auto fitted = CalculatedFigures(*fit.fitted, run.curve.hasPressure())) {
            object.add("fitted", JsonFigures(*fitted));
        }
    } else if (fit.outcome == FitOutcome::kAmbiguous) {
        std::string names;
        for (const FitParameter parameter : fit.ambiguous) {
            names += (names.empty() ? "" : ",") + JsonString(FitParameterName(parameter));
        }
        object.add("ambiguous", "[" + names + "]");
    } else {
        object.add("error", JsonString(fit.message));
    }
    return object.close();
}

std::string JsonStandTest(const StandTestRun& run) {
    JsonObject test;
    test.add("measured", JsonFigures(run.comparison ? run.comparison->measured
                                                    : MeasuredFigures(run.curve, 0.0)));
    if (run.comparison) {
        test.add("calculated", JsonFigures(run.comparison->calculated));
    }
    if (run.fit) {
        test.add("fit", JsonFit(run));
    }
    return test.close();
}

// ---- The command ----

struct Options {
    bool json = false;
    std::string engTarget;    // --eng OUT.eng
    std::string rseTarget;    // --rse OUT.rse
    std::string csvTarget;    // --csv OUT.csv
    std::string ricTarget;    // --ric OUT.ric
    std::string importFile;   // --import IN
    std::string motorTarget;  // -o OUT.zel
    int config = 1;           // --config N
    int slot = 1;             // --slot N
    bool choiceGiven = false;
    std::string testCurve;                // --test CURVE
    std::optional<FitParameterList> fit;  // --fit P1,P2
    SweepCommand sweep;                   // --sweep, --solve, --vary, --threads
    std::vector<std::string> files;
    bool help = false;
    std::string error;  // a usage error

    bool curveExport() const {
        return !engTarget.empty() || !rseTarget.empty() || !csvTarget.empty();
    }
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if ((arg == "--eng" || arg == "--rse" || arg == "--csv") && i + 1 < argc &&
                   argv[i + 1][0] != '\0') {
            (arg == "--eng"   ? options.engTarget
             : arg == "--rse" ? options.rseTarget
                              : options.csvTarget) = argv[++i];
        } else if (arg == "--eng" || arg == "--rse" || arg == "--csv") {
            options.error = "после " + std::string(arg) + " нужно имя выходного файла";
        } else if ((arg == "--ric" || arg == "--import" || arg == "-o") && i + 1 < argc &&
                   argv[i + 1][0] != '\0') {
            (arg == "--ric" ? options.ricTarget
             : arg == "-o"  ? options.motorTarget
                            : options.importFile) = argv[++i];
        } else if (arg == "--config" || arg == "--slot") {
            const std::optional<int> number =
                i + 1 < argc ? ParseInteger(argv[i + 1]) : std::nullopt;
            const int highest = arg == "--slot" ? kPropellantCount : 1 << 16;
            if (!number || *number < 1 || *number > highest) {
                options.error = "после " + std::string(arg) + " нужен номер от 1" +
                                (arg == "--slot" ? std::string(" до 3") : std::string());
            } else {
                (arg == "--slot" ? options.slot : options.config) = *number;
                options.choiceGiven = true;
                ++i;
            }
        } else if (arg == "--ric" || arg == "--import" || arg == "-o") {
            options.error = "после " + std::string(arg) + " нужно имя файла";
        } else if (arg == "--test" && i + 1 < argc && argv[i + 1][0] != '\0') {
            options.testCurve = argv[++i];
        } else if (arg == "--test") {
            options.error = "после --test нужно имя файла с кривой испытания";
        } else if (arg == "--fit" && i + 1 < argc) {
            options.fit = ParseFitParameters(argv[++i]);
            if (!options.fit->error.empty()) {
                options.error = options.fit->error;
            }
        } else if (arg == "--fit") {
            options.error = "после --fit нужны имена параметров через запятую";
        } else if ((arg == "--sweep" || arg == "--solve" || arg == "--vary") && i + 1 < argc) {
            const std::string value = argv[++i];
            (arg == "--sweep"   ? options.sweep.sweeps.emplace_back()
             : arg == "--solve" ? options.sweep.solve
                                : options.sweep.vary) = value;
        } else if (arg == "--sweep" || arg == "--solve" || arg == "--vary") {
            options.error = "после " + std::string(arg) + " нужно значение";
        } else if (arg == "--threads") {
            const std::optional<int> number =
                i + 1 < argc ? ParseInteger(argv[i + 1]) : std::nullopt;
            if (!number || *number < 1 || *number > 256) {
                options.error = "после --threads нужно число потоков от 1 до 256";
            } else {
                options.sweep.threads = *number;
                ++i;
            }
        } else {
            options.error = "неизвестный ключ " + std::string(arg);
        }
    }
    const bool sweeping = !options.sweep.sweeps.empty() || !options.sweep.solve.empty() ||
                          !options.sweep.vary.empty();
    if (options.error.empty() && !options.help && sweeping) {
        options.sweep.json = options.json;
        options.error = SweepUsageError(options.sweep, options.files.size());
        if (options.error.empty() &&
            (!options.importFile.empty() || !options.motorTarget.empty() || options.choiceGiven ||
             !options.engTarget.empty() || !options.ricTarget.empty() ||
             !options.testCurve.empty() || options.fit)) {
            options.error = "--sweep и --solve не сочетаются с --eng, --ric, --import и --test";
        }
        if (options.error.empty()) {
            options.sweep.file = options.files.front();
        }
        return options;
    }
    if (options.error.empty() && !options.help && options.sweep.threads > 0) {
        options.error = "--threads действует только с --sweep и --solve";
    }
    const bool importing = !options.importFile.empty();
    const bool curves = options.curveExport();
    if (options.error.empty() && !options.help &&
        (importing || !options.motorTarget.empty() || options.choiceGiven)) {
        if (!importing) {
            options.error = "-o, --config и --slot действуют только с --import";
        } else if (!options.files.empty() || options.json || curves || !options.ricTarget.empty()) {
            options.error = "--import не сочетается с другими файлами и ключами";
        }
        return options;
    }
    if (options.error.empty() && !options.help) {
        if (options.files.empty()) {
            options.error = "не указан ни один файл двигателя";
        } else if (curves && (options.json || options.files.size() != 1)) {
            options.error =
                "--eng, --rse и --csv принимают ровно один файл и не сочетаются с --json";
        } else if (!options.ricTarget.empty() &&
                   (options.json || curves || options.files.size() != 1)) {
            options.error =
                "--ric принимает ровно один файл и не сочетается с --json, --eng, --rse и --csv";
        } else if (!options.testCurve.empty() && (curves || options.files.size() != 1)) {
            options.error =
                "--test принимает ровно один файл и не сочетается с --eng, --rse и --csv";
        } else if (options.fit && options.testCurve.empty()) {
            options.error = "--fit действует только вместе с --test";
        }
    }
    return options;
}

void PrintError(const std::string& message) {
    std::fprintf(stderr, "tarvo-calc: %s\n", message.c_str());
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int ExportCurves(const Options& options) {
    const std::string& file = options.files.front();
    FormModel form;
    const MotorFileCalculation run = CalculateMotorFile(form, file);
    if (run.outcome == MotorFileCalculation::Outcome::kUnreadable) {
        PrintError(run.message);
        return kExitUsageOrFile;
    }
    if (run.outcome == MotorFileCalculation::Outcome::kFailed) {
        PrintError(form.statusText(0));
        return kExitCalculationFailed;
    }
    const CalculationResult& result = form.lastCalculation();
    const EngSource source{result, result.design.propellantName, run.fileName};
    // Every file that can be written is, and each failure is named.
    int exitCode = kExitSuccess;
    const auto report = [&exitCode](const ExportStatus& status) {
        if (!status.ok()) {
            PrintError(status.error);
            exitCode = kExitUsageOrFile;
        }
    };
    if (!options.engTarget.empty()) {
        report(ExportEngFile(options.engTarget, source, DefaultEngOptions(result)));
    }
    if (!options.rseTarget.empty()) {
        report(ExportRseFile(options.rseTarget, source, DefaultRseOptions(result)));
    }
    if (!options.csvTarget.empty()) {
        report(ExportCurvesCsv(options.csvTarget, result));
    }
    return exitCode;
}

int ExportRic(const Options& options) {
    const std::string& file = options.files.front();
    FormModel form;
    const MotorFileCalculation run = CalculateMotorFile(form, file);
    if (run.outcome == MotorFileCalculation::Outcome::kUnreadable) {
        PrintError(run.message);
        return kExitUsageOrFile;
    }
    const RicExport exported = ExportMotorAsRic(form, options.ricTarget);
    if (exported.error) {
        PrintError(*exported.error);
        return kExitUsageOrFile;
    }
    if (!exported.notWritten.empty()) {
        Print(RicNotWrittenMessage(exported.notWritten));
    }
    return kExitSuccess;
}

int ImportDesign(const Options& options) {
    FormModel form;
    FixedImportQuestions questions(options.config - 1, options.slot - 1);
    const MotorFileImport run =
        ImportMotorFileUnattended(form, options.importFile, questions, options.motorTarget);
    if (run.outcome.status != ImportOutcome::Status::kImported) {
        PrintError(run.outcome.message);
        return kExitUsageOrFile;
    }
    Print(run.outcome.reportText() + "\nСостояние: " + run.status + "\n" + AlertsReport(form));
    if (run.saveError) {
        PrintError(*run.saveError);
        return kExitUsageOrFile;
    }
    return run.succeeded ? kExitSuccess : kExitCalculationFailed;
}

int TestMotorFile(const Options& options) {
    LoadedCurve loaded = LoadMeasuredCurve(options.testCurve);
    if (!loaded.curve) {
        PrintError(SanitizeUtf8(loaded.message));
        return kExitUsageOrFile;
    }
    const std::string& file = options.files.front();
    FormModel form;
    const MotorFileCalculation calculation = CalculateMotorFile(form, file);
    if (calculation.outcome == MotorFileCalculation::Outcome::kUnreadable) {
        PrintError(calculation.message);
        return kExitUsageOrFile;
    }
    const bool success = calculation.outcome == MotorFileCalculation::Outcome::kSucceeded;
    StandTestRun run = CompareWithDesign(std::move(*loaded.curve),
                                         success ? DesignOfFields(form).design : std::nullopt);
    if (options.fit) {
        FitDesign(run, options.fit->parameters);
    }
    if (options.json) {
        Print(JsonLine(file, form, success, JsonStandTest(run)));
    } else {
        Print(ReadableReport(file, form) + StandTestReport(options.testCurve, run));
    }
    return success && run.fitSucceeded() ? kExitSuccess : kExitCalculationFailed;
}

int CalculateFiles(const Options& options) {
    int exitCode = kExitSuccess;
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        const std::string& file = options.files[i];
        FormModel form;
        const MotorFileCalculation run = CalculateMotorFile(form, file);
        if (run.outcome == MotorFileCalculation::Outcome::kUnreadable) {
            PrintError(run.message);
            exitCode = kExitUsageOrFile;
            continue;
        }
        const bool success = run.outcome == MotorFileCalculation::Outcome::kSucceeded;
        if (!success && exitCode == kExitSuccess) {
            exitCode = kExitCalculationFailed;
        }
        if (options.json) {
            Print(JsonLine(file, form, success));
        } else {
            Print((i > 0 ? "\n" : "") + ReadableReport(file, form));
        }
        std::fflush(stdout);
    }
    return exitCode;
}

}  // namespace
}  // namespace tarvo

int main(int argc, char** argv) {
    using namespace tarvo;
    const Options options = ParseOptions(argc, argv);
    if (options.help) {
        Print(std::string(kUsage));
        return kExitSuccess;
    }
    if (!options.error.empty()) {
        PrintError(options.error);
        std::fputs("Подробнее: tarvo-calc --help\n", stderr);
        return kExitUsageOrFile;
    }
    if (!options.sweep.file.empty()) {
        return RunSweepCommand(options.sweep);
    }
    if (!options.importFile.empty()) {
        return ImportDesign(options);
    }
    if (!options.ricTarget.empty()) {
        return ExportRic(options);
    }
    if (!options.testCurve.empty()) {
        return TestMotorFile(options);
    }
    return options.curveExport() ? ExportCurves(options) : CalculateFiles(options);
}
