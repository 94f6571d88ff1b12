#include "calc_options.h"

#include "model/motor_design.h"
#include "model/number_text.h"

namespace tarvo {

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
            // 0 is no number here either.
            const int number = i + 1 < argc ? ParseInteger(argv[i + 1]).value_or(0) : 0;
            const int highest = arg == "--slot" ? kPropellantCount : 1 << 16;
            if (number < 1 || number > highest) {
                options.error = "после " + std::string(arg) + " нужен номер от 1" +
                                (arg == "--slot" ? std::string(" до 3") : std::string());
            } else {
                (arg == "--slot" ? options.slot : options.config) = number;
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

}  // namespace tarvo
