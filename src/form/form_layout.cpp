#include "form/form_layout.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "form/checks_dialog.h"
#include "form/design_alerts.h"
#include "input/field_map.h"
#include "input/steppers.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr std::string_view kChamberGroup = "Камера сгорания";
constexpr std::string_view kChargeGroup = "Параметры топливного заряда";
constexpr std::string_view kBurningGroup = "Параметры горения";
constexpr std::string_view kResultsGroup = "Результаты расчёта";
constexpr std::string_view kTracerGroup = "Торцевая шашка-трассер";
constexpr std::string_view kGrainKindGroup = "Вид топливных шашек";
constexpr std::string_view kPressureGroup = "Давление в камере сгорания";
constexpr std::string_view kNozzleGroup = "Условия работы сопла";
constexpr std::string_view kMotorGroup = "Двигатель";

// The fields of tabs 1 to 3: edit, group, caption and design-time text; the field map names
// each and places it on its tab. A field beside a stepper shows the text of the stepper's
// default position instead.
struct MotorField {
    int edit;
    std::string_view group;
    std::string_view caption;
    std::string_view defaultText;
    bool enabled;
};

constexpr MotorField kMotorFields[] = {
    {1, kChamberGroup, "Диаметр (внутренний), [Dc], мм", "0", true},
    {2, kChamberGroup, "Длина (внутренняя), [Lc], мм", "0", true},
    {4, kChargeGroup, "Наружный диаметр шашки, [Do], мм", "0", true},
    {5, kChargeGroup, "Диаметр канала в шашке, [do], мм", "0", true},
    {6, kChargeGroup, "Длина шашки, [Lo], мм", "0", true},
    {7, kChargeGroup, "Количество шашек в двигателе, [N], шт.", "0", true},
    {8, kChargeGroup, "Внеш. поверхность: 0=бронировка,1=без", "", true},
    {9, kChargeGroup, "Канал: 0=бронировка, 1=без", "", true},
    {10, kChargeGroup, "Торцы шашки: 0=бронировка, 1=без", "", true},
    {11, kChargeGroup, "Плотность идеальная/реальная", "", true},
    {12, kBurningGroup, "Начальная площадь горения/площадь критического сечения сопла, [Kno]", "0",
     true},
    {13, kBurningGroup, "Эрозия сопла, [e], мм", "0", true},
    {29, kPressureGroup, "Эффективность горения, [uc]", "", true},
    {30, kPressureGroup, "Атмосферное давление, [Patm], МПа", "", true},
    {31, kPressureGroup, "Пороговый коэфф. эрозионного горения, [G*] ", "", true},
    {32, kPressureGroup, "Коэфф. увеличения скорости горения за счет эрозии\n[kv]", "", true},
    {93, kNozzleGroup, "Эффективность сопла, [unoz]", "", true},
    {94, kNozzleGroup, "Степень расширения сопла, [Ae/At]", "", true},
    {95, kTracerGroup, "Длина шашки, [Lto], мм", "0", false},
    {96, kTracerGroup, "Наружный диаметр шашки, [Dto], мм", "0", false},
};

constexpr std::array<std::string_view, kConstantColumns> kConstantSymbols = {"p'", "k2ph", "k", "M",
                                                                             "To"};
constexpr std::array<std::string_view, kBurnRateColumns> kBurnRateSymbols = {"lower", "upper", "a",
                                                                             "n"};

const StepperRule* StepperOfField(int edit) {
    for (const StepperRule& rule : kStepperRules) {
        if (rule.edit == edit) {
            return &rule;
        }
    }
    return nullptr;
}

// The names of the motor fields, kept for the layout's lifetime: the layout views them.
const std::map<int, FieldName>& MotorFieldNames() {
    static const std::map<int, FieldName> names = [] {
        std::map<int, FieldName> all;
        for (const MotorField& field : kMotorFields) {
            all[field.edit] = NameOfField(field.edit);
        }
        return all;
    }();
    return names;
}

FieldLayout MotorFieldLayout(const MotorField& f) {
    const StepperRule* stepper = StepperOfField(f.edit);
    const FieldName& name = MotorFieldNames().at(f.edit);
    return {
        f.edit,
        name.tab,
        f.group,
        f.caption,
        name.name,
        stepper ? StepperFieldText(*stepper, stepper->defaultPosition) : std::string(f.defaultText),
        f.enabled,
        stepper ? stepper->stepper : 0};
}

// A tab-5 field: a propellant's constant or a cell of its burn-rate grid.
std::optional<FieldLayout> PropellantField(int edit) {
    for (int type = 0; type < kPropellantCount; ++type) {
        const PropellantFields& f = kPropellantFields[type];
        const std::array<int, kConstantColumns> columns = {f.pPrime, f.k2ph, f.k, f.M, f.To};
        for (int c = 0; c < kConstantColumns; ++c) {
            if (columns[c] == edit) {
                return FieldLayout{edit,
                                   5,
                                   kPropellantGridGroup,
                                   "",
                                   kConstantSymbols[c],
                                   PublishedText(kPropellantDefaults[type].constants[c]),
                                   true,
                                   0};
            }
        }
        const BurnRateFields& b = kBurnRateFields[type];
        const std::array<int, kBurnRateColumns> firsts = {b.lower, b.upper, b.a, b.n};
        for (int c = 0; c < kBurnRateColumns; ++c) {
            const int row = edit - firsts[c];
            if (row >= 0 && row < kBurnRateRanges) {
                return FieldLayout{edit,
                                   5,
                                   kPropellantDefaults[type].shortName,
                                   "",
                                   kBurnRateSymbols[c],
                                   PublishedText(kPropellantDefaults[type].ranges[row][c]),
                                   true,
                                   0};
            }
        }
    }
    return std::nullopt;
}

FieldLayout FieldLayoutOf(int edit) {
    for (const MotorField& f : kMotorFields) {
        if (f.edit == edit) {
            return MotorFieldLayout(f);
        }
    }
    return PropellantField(edit).value_or(FieldLayout{edit, 0, "", "", "", "", true, 0});
}

std::vector<FieldLayout> BuildFieldTable() {
    std::vector<FieldLayout> table;
    for (int edit = 1; edit <= kLastEditNumber; ++edit) {
        if (IsEditNumber(edit)) {
            table.push_back(FieldLayoutOf(edit));
        }
    }
    return table;
}

const std::vector<FieldLayout>& Fields() {
    static const std::vector<FieldLayout> fields = BuildFieldTable();
    return fields;
}

constexpr LabelLayout kLabels[] = {
    // Tab 1
    {1, 1, kChamberGroup, "Внутренний объём камеры, [Vc], мм^3", "Vc", "0", LabelFormat::kInteger,
     0},
    {2, 1, kChargeGroup, "Общая длина заряда, [Lgo], мм", "Lgo", "0", LabelFormat::kGeneral, 0},
    {3, 1, kChargeGroup, "Объём заряда, [Vg], мм^3", "Vg", "0", LabelFormat::kInteger, 0},
    {4, 1, kChargeGroup, "Объёмная плотность заряда, [Vt]", "Vt", "0", LabelFormat::kFixed, 3},
    {5, 1, kChargeGroup, "Идеальная плотность, [p'], г/см^3", "p'", "0", LabelFormat::kFixed, 3},
    {6, 1, kChargeGroup, "Реальная плотность, [p], г/см^3", "p", "0", LabelFormat::kFixed, 3},
    {7, 1, kChargeGroup, "Масса заряда, [m], кг", "m", "0", LabelFormat::kFixed, 3},
    {8, 1, kChargeGroup, "Площадь горения торцов, [Abeo], мм^2", "Abeo", "0", LabelFormat::kInteger,
     0},
    {9, 1, kChargeGroup, "Площадь горения канала, [Abco], мм^2", "Abco", "0", LabelFormat::kInteger,
     0},
    {10, 1, kChargeGroup, "Площадь горения внеш. пов-ти, [Abso], мм^2", "Abso", "0",
     LabelFormat::kInteger, 0},
    {11, 1, kChargeGroup, "Общая площадь горения, [Abo], мм^2", "Abo", "0", LabelFormat::kInteger,
     0},
    {122, 1, kChargeGroup, "Площадь горения трассера, [Abtr], мм^2", "Abtr", "0",
     LabelFormat::kInteger, 0},
    {14, 1, kBurningGroup, "Диаметр критического сечения после эрозии, [Dtf], мм", "Dtf", "0",
     LabelFormat::kFixed, 3},
    {12, 1, kBurningGroup, "Площадь критического сечения сопла, [Ato], мм^2", "Ato", "0",
     LabelFormat::kInteger, 0},
    {19, 1, kResultsGroup, "Kn max для всего двигателя", "Kn max", "0", LabelFormat::kInteger, 0},
    {20, 1, kResultsGroup, "Kn min для всего двигателя", "Kn min", "0", LabelFormat::kInteger, 0},
    {21, 1, kResultsGroup, "Kn среднее для всего двигателя", "Kn avg", "0", LabelFormat::kInteger,
     0},
    {13, 1, kResultsGroup, "Диаметр критического сечения сопла, [Dto], мм", "Dt", "0",
     LabelFormat::kFixed, 3},
    {118, 1, kResultsGroup, "Kn только для торцевой шашки", "Kn end", "0", LabelFormat::kInteger,
     0},
    // Tab 2
    {26, 2, kPressureGroup, "Универс. газовая постоянная, [R'], Дж/моль-K", "R'", "8314",
     LabelFormat::kConstant, 0},
    {28, 2, kPressureGroup, "Сред. молярная масса топлива, [M], кг/kмоль", "M", "0",
     LabelFormat::kFixed, 2},
    {30, 2, kPressureGroup, "Газовая постоянная, [R], Дж/кг-K", "R", "0", LabelFormat::kFixed, 1},
    {32, 2, kPressureGroup, "Ratio of specific heats, mixture", "k", "0", LabelFormat::kFixed, 3},
    {35, 2, kPressureGroup, "Теоретическая температура сгорания, [To], K", "To", "0",
     LabelFormat::kFixed, 0},
    {37, 2, kPressureGroup, "Реальная температура сгорания, [To act], K", "To act", "0",
     LabelFormat::kFixed, 0},
    {40, 2, kPressureGroup, "Скорость истечения газов, [c*], м/с", "c*", "0", LabelFormat::kFixed,
     0},
    {141, 2, kResultsGroup, "Pmax, [МПа]", "Pmax", "0", LabelFormat::kFixed, 2},
    {144, 2, kResultsGroup, "Время горения, [с]", "BurnTime", "0", LabelFormat::kFixed, 2},
    {142, 2, kResultsGroup, "Время тяги, [с]", "ThrustTime", "0", LabelFormat::kFixed, 2},
    {129, 2, kResultsGroup, "Средняя скорость горения, [мм/с]", "AvgBurnRate", "0",
     LabelFormat::kFixed, 2},
    {128, 2, kResultsGroup, "Давление горения трассера, [МПа]", "TracerPressure", "0",
     LabelFormat::kFixed, 2},
    {121, 2, kResultsGroup, "Время горения трассера (хвост), [с]", "TracerTailTime", "0",
     LabelFormat::kFixed, 2},
    {119, 2, kResultsGroup, "Скорость горения трассера, [мм/с]", "TracerRate", "0",
     LabelFormat::kFixed, 2},
    // Tab 3
    {148, 3, kNozzleGroup, "Кр. сечение сопла (начальное), [Ato], мм^2", "Ato", "0",
     LabelFormat::kFixed, 1},
    {151, 3, kNozzleGroup, "Выходная площадь сопла, [Ae], мм^2", "Ae", "0", LabelFormat::kFixed, 1},
    {176, 3, kNozzleGroup, "Число Маха на выходе из сопла (начальное)", "Meo", "0",
     LabelFormat::kFixed, 3},
    {177, 3, kNozzleGroup, "Число Маха на выходе из сопла (конечное)", "Mef", "0",
     LabelFormat::kFixed, 3},
    {157, 3, kNozzleGroup, "Диаметр выхода сопла, [De], мм", "De", "0", LabelFormat::kFixed, 2},
    {159, 3, kNozzleGroup, "Опт. степень расширения сопла при Pmax,\n[Ae/At opt]", "Ae/At opt", "0",
     LabelFormat::kFixed, 3},
    {163, 3, kNozzleGroup, "Оптималная степень расширения сопла\nв среднем, [Ae/At opt mid]",
     "Ae/At opt mid", "0", LabelFormat::kFixed, 3},
    {165, 3, kNozzleGroup, "Толщина горения/диаметр шашки, [wf]", "wf", "0", LabelFormat::kFixed,
     3},
    {167, 3, kNozzleGroup, "Коэффициент тяги, максимальный", "Cf max", "0", LabelFormat::kFixed, 3},
    {169, 3, kResultsGroup, "Максимальная тяга, [Fmax], Н", "Fmax", "0", LabelFormat::kFixed, 0},
    {155, 3, kResultsGroup, "Средняя тяга, [Favg], Н", "Favg", "0", LabelFormat::kFixed, 0},
    {172, 3, kResultsGroup, "Полный импульс, [It], Н*с", "It", "0", LabelFormat::kFixed, 0},
    {173, 3, kResultsGroup, "Удельный импульс, [Isp], с", "Isp", "0", LabelFormat::kFixed, 1},
    {175, 3, kResultsGroup, "Время тяги, [с]", "ThrustTime", "0", LabelFormat::kFixed, 2},
    // Tab 4
    {179, 4, kMotorGroup, "Масса топлива, кг", "m", "0", LabelFormat::kFixed, 3},
    {181, 4, kMotorGroup, "Полный импульс (общий), Н*с", "It", "0", LabelFormat::kFixed, 1},
    {183, 4, kMotorGroup, "Средняя тяга, Н", "Favg", "0", LabelFormat::kFixed, 1},
    {185, 4, kMotorGroup, "Время работы мотора, с", "ThrustTime", "0", LabelFormat::kFixed, 2},
    {187, 4, kMotorGroup, "Удельный импульс, с", "Isp", "0", LabelFormat::kFixed, 1},
    {189, 4, kMotorGroup, "Класс мотора", "MotorClass", "--", LabelFormat::kClassAndThrust, 0},
    // Tab 5: the propellants' names beside their constants
    {92, 5, kPropellantGridGroup, "", "FuelName", kPropellantDefaults[0].name, LabelFormat::kName,
     0},
    {93, 5, kPropellantGridGroup, "", "FuelName", kPropellantDefaults[1].name, LabelFormat::kName,
     0},
    {94, 5, kPropellantGridGroup, "", "FuelName", kPropellantDefaults[2].name, LabelFormat::kName,
     0},
};

constexpr CheckBoxLayout kCheckBoxes[] = {
    {CheckBoxId::kChk, 1, kGrainKindGroup, "Торцевая шашка", false, true},
    {CheckBoxId::kChk1, 1, kGrainKindGroup, "Канальные шашки", true, true},
    {CheckBoxId::kChk2, 1, "", "Показать трассер", false, true},
    {CheckBoxId::kChk3, 2, "", "Показать трассер", false, true},
    {CheckBoxId::kChk4, 3, "", "Показать трассер", false, true},
    {CheckBoxId::kChk5, 4, "", "Показать трассер", false, true},
};

constexpr std::array<StepperLayout, kStepperRules.size()> BuildStepperTable() {
    std::array<StepperLayout, kStepperRules.size()> table{};
    for (std::size_t i = 0; i < kStepperRules.size(); ++i) {
        const StepperRule& r = kStepperRules[i];
        table[i] = {r.stepper, r.edit, r.min, r.max, r.increment, r.defaultPosition};
    }
    return table;
}

constexpr std::array<StepperLayout, kStepperRules.size()> kSteppers = BuildStepperTable();

constexpr SeriesLayout kChart1Series[] = {
    {"Series2", "Kn", SeriesKind::kFastLine, "red", ChartAxis::kLeft, true},
    {"Series1", "Web thickness", SeriesKind::kFastLine, "blue", ChartAxis::kRight, true},
    {"Series3", "", SeriesKind::kLine, "green", ChartAxis::kLeft, false},
};
// The series at kMeasuredSeries of charts 2 to 4 draws a loaded stand log; the legend shows
// only while one is loaded.
constexpr SeriesLayout kChart2Series[] = {
    {"FastLineSeries1", "Давление в камере, [MPa]", SeriesKind::kFastLine, "red", ChartAxis::kLeft,
     true},
    {"TestSeries2", "Испытание", SeriesKind::kLine, "blue", ChartAxis::kLeft, false},
};
constexpr SeriesLayout kChart3Series[] = {
    {"FastLineSeries3", "Расчёт", SeriesKind::kFastLine, "red", ChartAxis::kLeft, true},
    {"TestSeries3", "Испытание", SeriesKind::kLine, "blue", ChartAxis::kLeft, false},
};
constexpr SeriesLayout kChart4Series[] = {
    {"FastLineSeries5", "Расчёт", SeriesKind::kFastLine, "red", ChartAxis::kLeft, true},
    {"TestSeries4", "Испытание", SeriesKind::kLine, "blue", ChartAxis::kLeft, false},
};

constexpr AxisLayout kTimeAxis25{"Время, [с]", 25, ""};
constexpr AxisLayout kThrustAxis{"Тяга, [Н]", 300, ""};
constexpr AxisLayout kWebAxis{"Web thickness", 50, ""};

constexpr ChartLayout kCharts[] = {
    {1,
     1,
     {"Web Regression,  [мм]", 25, ""},
     {"Kn", 300, "red"},
     {"Web thickness", 50, "blue"},
     kChart1Series},
    {2, 2, {"Время, [с]", 2, ""}, {"Давление в камере, [МПа]", 12, ""}, kWebAxis, kChart2Series},
    {3, 3, kTimeAxis25, kThrustAxis, kWebAxis, kChart3Series},
    {4, 4, kTimeAxis25, kThrustAxis, kWebAxis, kChart4Series},
};

constexpr ButtonLayout kButtons[] = {
    {1, 0, "Рассчитать", true},
    {2, 4, "Экспорт в Excel", false},
    {3, 5, "Восстановить по умолчанию", true},
    {4, 5, "Загрузить топлива из файла", true},
    {5, 5, "Сохранить топлива в файл", true},
};

constexpr GroupBoxLayout kGroupBoxes[] = {
    {8, 5, kPropellantDefaults[0].shortName},
    {9, 5, kPropellantDefaults[1].shortName},
    {10, 5, kPropellantDefaults[2].shortName},
};

constexpr PropellantRowLayout kPropellantRows[] = {
    {1, 92, 8,
     "KN/DX-65/35 = Нитрат калия/Декстроза,\r\n                       отношение масс - 65/35"},
    {2, 93, 9,
     "KN/SB-65/35 = Нитрат калия/Сорбит,\r\n                       отношение масс - 65/35"},
    {3, 94, 10,
     "KN/SU-65/35 = Нитрат калия/Сахар,\r\n                       отношение масс - 65/35"},
};

constexpr MenuItemLayout kMenus[] = {
    {"Файл", "Новый", "N10", "Ctrl+N", true},
    {"Файл", "Открыть", "OpenFile_menu", "Ctrl+O", true},
    {"Файл", "Открыть из списка", "OpenFromList_menu", "", false},
    {"Файл", "Сохранить", "Save_menu", "F2; Ctrl+S", true},
    {"Файл", "Сохранить как ...", "SaveAs_menu", "Ctrl+Shift+S", true},
    {"Файл", "-", "", "", true},
    {"Файл", "Импорт…", "Import_menu", "", true},
    {"Файл", "Экспорт в openMotor (.ric)…", "ExportRic_menu", "", true},
    {"Файл", "Загрузить испытание…", "LoadTest_menu", "", true},
    {"Файл", "Убрать испытание", "UnloadTest_menu", "", false},
    {"Файл", "Подобрать…", "FitTest_menu", "", false},
    {"Файл", kChecksButtonCaption, kChecksMenu, "", true},
    {"Файл", "-", "", "", true},
    {"Файл", "Выход", "Exit_menu", "Ctrl+Q", true},
    {"Расчёт", "Подбор…", "Sweep_menu", "", true},
    {"Помощь", "Справка", "Help_menu", "F1", true},
    {"Помощь", kDesignChecksCaption, kChecksHelpMenu, "", true},
    {"Помощь", "-", "", "", true},
    {"Помощь", "О программе", "About_menu", "", true},
};

constexpr DialogLayout kDialogs[] = {
    {"od", "open a motor file", "*.zel", "Файлы двигателей ZEL (*.zel)|*.zel", false},
    {"sd", "save a motor file", "*.zel", "Файлы двигателей ZEL (*.zel)|*.zel", true},
    {"gopen", "open a propellant file", "*.grn", "Файлы топлив ZEL (*.grn)|*.grn", false},
    {"gsave", "save a propellant file", "*.grn", "Файлы топлив ZEL (*.grn)|*.grn", false},
    {"impd", "import a design of Meteor or openMotor", "*.json",
     "Конструкции Meteor и openMotor (*.json *.ric)|*.json;*.ric", false},
    {"ricd", "export the motor for openMotor", "*.ric", "Двигатели openMotor (*.ric)|*.ric", true},
    {"topen", "open a stand log", "*.csv",
     "Кривые испытаний (*.csv *.txt)|*.csv;*.txt|Все файлы (*)|*", false},
    {"swcsv", "export the table of a sweep", "*.csv", "Таблицы CSV (*.csv)|*.csv", true},
};

}  // namespace

std::span<const FieldLayout> FieldLayouts() {
    return Fields();
}

const FieldLayout* FindFieldLayout(int edit) {
    const std::vector<FieldLayout>& fields = Fields();
    const auto it = std::find_if(fields.begin(), fields.end(),
                                 [edit](const FieldLayout& f) { return f.edit == edit; });
    return it == fields.end() ? nullptr : &*it;
}

std::span<const LabelLayout> LabelLayouts() {
    return kLabels;
}

const LabelLayout* FindLabelLayout(int label) {
    for (const LabelLayout& layout : kLabels) {
        if (layout.label == label) {
            return &layout;
        }
    }
    return nullptr;
}

std::span<const CheckBoxLayout> CheckBoxLayouts() {
    return kCheckBoxes;
}

std::span<const StepperLayout> StepperLayouts() {
    return kSteppers;
}

std::span<const ChartLayout> ChartLayouts() {
    return kCharts;
}

std::span<const ButtonLayout> ButtonLayouts() {
    return kButtons;
}

std::span<const GroupBoxLayout> GroupBoxLayouts() {
    return kGroupBoxes;
}

std::span<const PropellantRowLayout> PropellantRowLayouts() {
    return kPropellantRows;
}

std::span<const MenuItemLayout> MenuLayouts() {
    return kMenus;
}

std::span<const DialogLayout> DialogLayouts() {
    return kDialogs;
}

}  // namespace tarvo
