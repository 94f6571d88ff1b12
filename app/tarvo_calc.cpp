// tarvo-calc: calculates motor files the way the desktop program does when the user opens
// them, and prints the results as a readable Russian report or as JSON Lines, or writes them as
// a RASP .eng thrust curve, a RockSim .rse engine and a CSV of every curve; imports designs of
// Meteor and openMotor and writes a motor as an openMotor .ric; compares a motor with a stand
// log and fits it; sweeps and solves over the values of one motor.

#include <cstdio>
#include <string>

#include "calc_json.h"
#include "calc_options.h"
#include "calc_report.h"
#include "export/curves_csv.h"
#include "export/rasp_eng.h"
#include "export/rocksim_rse.h"
#include "files/encoding.h"
#include "form/motor_calculation.h"
#include "form/motor_interop.h"
#include "form/stand_report.h"
#include "form/stand_test.h"
#include "sweep_command.h"

namespace tarvo {
namespace {

void PrintError(const std::string& message) {
    std::fprintf(stderr, "tarvo-calc: %s\n", message.c_str());
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The first FILE opened and calculated in `form`; false, with the reason printed, when it
// cannot be read.
bool CalculateFirstFile(const Options& options, FormModel& form, MotorFileCalculation& run) {
    run = CalculateMotorFile(form, options.files.front());
    if (run.outcome == MotorFileCalculation::Outcome::kUnreadable) {
        PrintError(run.message);
        return false;
    }
    return true;
}

int ExportCurves(const Options& options) {
    FormModel form;
    MotorFileCalculation run;
    if (!CalculateFirstFile(options, form, run)) {
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
    FormModel form;
    MotorFileCalculation run;
    if (!CalculateFirstFile(options, form, run)) {
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
