#pragma once
// Scratch directories, calculated example motors and file helpers for the export tests.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "export/system_access.h"
#include "model/calculation.h"
#include "model/example_motor.h"
#include "model/propellants.h"

namespace tarvo::testing {

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = std::filesystem::temp_directory_path() / "tarvo-export-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDirectory() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

// The built-in motors: cored grains, cored grains with an end-burning grain phase, and an
// end-burning grain alone.
struct Example {
    const char* name;
    MotorModel (*make)();
    friend void PrintTo(const Example& example, std::ostream* out) { *out << example.name; }
};
inline constexpr Example kExamples[] = {{"Cored", &ExampleCoredMotor},
                                        {"CoredWithEndBurner", &ExampleMotorWithEndBurner},
                                        {"EndBurner", &ExampleEndBurner}};
inline std::string ExampleName(const ::testing::TestParamInfo<Example>& info) {
    return info.param.name;
}

struct CalculatedMotor {
    MotorModel model;
    CalculationResult result;
};
inline CalculatedMotor Calculate(const Example& example) {
    CalculatedMotor motor{example.make(), {}};
    motor.result = RunCalculation(motor.model, DefaultBurnRateTable(motor.model.Ftype));
    return motor;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// One member of a zip archive, read with python3's zipfile (which also checks the CRCs).
inline std::string ZipMember(const std::filesystem::path& zip, const std::string& member) {
    HostSystem system(std::chrono::seconds(30));
    return system
        .RunForOutput({"python3", "-c",
                       "import sys, zipfile; sys.stdout.buffer.write("
                       "zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))",
                       zip.string(), member})
        .value_or("(unreadable)");
}

}  // namespace tarvo::testing
