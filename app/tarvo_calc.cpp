// tarvo-calc: runs a whole calculation without a window and prints its results as JSON.

#include <cstdio>
#include <cstring>
#include <string>

#include "model/calculation.h"
#include "model/example_motor.h"
#include "model/number_text.h"
#include "model/propellants.h"

namespace {

void PrintUsage() {
    std::puts(
        "Usage: tarvo-calc --example [cored|end-burner|combined]\n"
        "Calculates a built-in example motor and prints its results as JSON.");
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

void PrintNumber(const char* name, double value, bool comma = true) {
    // JSON numbers take a decimal point.
    std::string text = tarvo::FormatGeneral(value);
    for (char& c : text) {
        c = c == tarvo::kDecimalSeparator ? '.' : c;
    }
    std::printf("  \"%s\": %s%s\n", name, text.c_str(), comma ? "," : "");
}

void PrintResults(const tarvo::MotorModel& m, const tarvo::CalculationResult& result) {
    std::printf("{\n  \"status\": %s,\n", JsonString(result.status).c_str());
    std::printf("  \"succeeded\": %s,\n", result.succeeded ? "true" : "false");
    std::printf("  \"class\": %s,\n", JsonString(m.MotorClass).c_str());
    PrintNumber("m_kg", m.m);
    PrintNumber("Kn_max", m.KnMax);
    PrintNumber("Kn_min", m.KnMin);
    PrintNumber("Pmax_MPa", m.Pmax);
    PrintNumber("burn_time_s", m.BurnTime);
    PrintNumber("thrust_time_s", m.ThrustTime);
    PrintNumber("Fmax_N", m.Fmax);
    PrintNumber("Favg_N", m.Favg);
    PrintNumber("It_Ns", m.It);
    PrintNumber("Meo", m.Meo);
    PrintNumber("Mef", m.Mef);
    std::printf("  \"table\": [");
    if (result.thrust) {
        const auto& rows = result.thrust->rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::printf("%s\n    [\"%s\", \"%s\"]", i == 0 ? "" : ",",
                        tarvo::FormatFixed(rows[i].time, 2).c_str(),
                        tarvo::FormatFixed(rows[i].thrust, 1).c_str());
        }
    }
    std::printf("\n  ]\n}\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--example") != 0) {
        PrintUsage();
        return argc >= 2 && std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
    }
    const std::string which = argc > 2 ? argv[2] : "cored";
    tarvo::MotorModel model = which == "end-burner" ? tarvo::ExampleEndBurner()
                              : which == "combined" ? tarvo::ExampleMotorWithEndBurner()
                                                    : tarvo::ExampleCoredMotor();
    const auto table = tarvo::DefaultBurnRateTable(model.Ftype);
    const tarvo::CalculationResult result = tarvo::RunCalculation(model, table);
    PrintResults(model, result);
    return result.succeeded ? 0 : 1;
}
