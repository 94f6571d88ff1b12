#pragma once
// tarvo-calc's command line: the usage text and the options.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stand/fit_parameters.h"
#include "sweep_command.h"

namespace tarvo {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCalculationFailed = 1;
inline constexpr int kExitUsageOrFile = 2;

inline constexpr std::string_view kUsage =
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

// The options, or the usage error they hold.
Options ParseOptions(int argc, char** argv);

}  // namespace tarvo
