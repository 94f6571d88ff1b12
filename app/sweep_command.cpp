#include "sweep_command.h"

#include <cstdio>

#include "sweep/solve.h"
#include "sweep/sweep_output.h"

namespace tarvo {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitNotReached = 1;
constexpr int kExitUsageOrFile = 2;

void PrintError(const std::string& message) {
    std::fprintf(stderr, "tarvo-calc: %s\n", message.c_str());
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void PrintRows(const std::vector<const SweepKey*>& keys, const std::vector<SweepRow>& rows,
               bool json) {
    if (!json) {
        Print(CsvHeader(keys));
    }
    for (const SweepRow& row : rows) {
        Print(json ? JsonLine(keys, row) : CsvRow(row));
    }
}

int Sweep(const SweepCommand& command, IniDocument document) {
    std::vector<SweepAxis> axes;
    for (const std::string& argument : command.sweeps) {
        AxisValues parsed = ParseSweepArgument(argument);
        if (!parsed.axis) {
            PrintError(parsed.error);
            return kExitUsageOrFile;
        }
        axes.push_back(std::move(*parsed.axis));
    }
    if (const std::optional<std::string> refusal = CheckAxes(axes)) {
        PrintError(*refusal);
        return kExitUsageOrFile;
    }
    const SweepPlan plan(std::move(document), command.file, std::move(axes));
    RunControl control;
    control.threads = command.threads;
    const SweepResult result = RunSweep(plan, control);
    PrintRows(AxisKeys(plan), result.rows, command.json);
    return kExitSuccess;
}

int SolveTarget(const SweepCommand& command, IniDocument document) {
    const ParsedTarget target = ParseTarget(command.solve);
    if (!target.figure) {
        PrintError(target.error);
        return kExitUsageOrFile;
    }
    SolveRequest request;
    request.figure = *target.figure;
    request.target = target.target;
    const std::size_t equals = command.vary.find('=');
    const std::string name = command.vary.substr(0, equals);
    request.key = FindSweepKey(name);
    if (request.key == nullptr) {
        PrintError("нет такого ключа: " + name + " (можно: " + SweepKeyNames() + ")");
        return kExitUsageOrFile;
    }
    if (equals != std::string::npos) {
        const auto range = ParseRange(std::string_view(command.vary).substr(equals + 1), 2);
        if (!range) {
            PrintError(name + "=ОТ:ДО: нужны два числа через двоеточие");
            return kExitUsageOrFile;
        }
        request.from = (*range)[0];
        request.to = (*range)[1];
    }
    request.base = std::move(document);
    request.name = command.file;
    RunControl control;
    control.threads = command.threads;
    const SolveAnswer answer = Solve(request, control);
    switch (answer.outcome) {
        case SolveAnswer::Outcome::kFound:
            PrintRows({request.key}, answer.rows, command.json);
            return kExitSuccess;
        case SolveAnswer::Outcome::kUnreachable:
            PrintError(answer.message);
            if (!answer.rows.empty()) {
                PrintRows({request.key}, answer.rows, command.json);
            }
            return kExitNotReached;
        case SolveAnswer::Outcome::kRefused:
        case SolveAnswer::Outcome::kCancelled:
            break;
    }
    PrintError(answer.message);
    return kExitUsageOrFile;
}

}  // namespace

std::string SweepUsageError(const SweepCommand& command, std::size_t files) {
    const bool sweeping = !command.sweeps.empty();
    const bool solving = !command.solve.empty() || !command.vary.empty();
    if (sweeping && solving) {
        return "--sweep не сочетается с --solve и --vary";
    }
    if (solving && (command.solve.empty() || command.vary.empty())) {
        return "--solve и --vary действуют только вместе";
    }
    if (files != 1) {
        return std::string(sweeping ? "--sweep" : "--solve") + " принимает ровно один файл";
    }
    return "";
}

int RunSweepCommand(const SweepCommand& command) {
    std::string error;
    std::optional<IniDocument> document = ReadMotorDocument(command.file, error);
    if (!document) {
        PrintError(error);
        return kExitUsageOrFile;
    }
    return command.sweeps.empty() ? SolveTarget(command, std::move(*document))
                                  : Sweep(command, std::move(*document));
}

}  // namespace tarvo
