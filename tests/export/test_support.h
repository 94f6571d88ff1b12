#pragma once
// Calculated example motors, the files in a directory and the members of a zip archive, for
// the export tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "../files/temp_dir.h"
#include "../support/example_motors.h"
#include "ballistics/calculation.h"
#include "export/system_access.h"

namespace tarvo::testing {

// The built-in motors: cored grains, cored grains with an end-burning grain phase, and an
// end-burning grain alone.
struct Example {
    const char* name;
    MotorDesign (*make)();
    friend void PrintTo(const Example& example, std::ostream* out) { *out << example.name; }
};
inline constexpr Example kExamples[] = {{"Cored", &example::CoredMotor},
                                        {"CoredWithEndBurner", &example::MotorWithEndBurner},
                                        {"EndBurner", &example::EndBurner}};
inline std::string ExampleName(const ::testing::TestParamInfo<Example>& info) {
    return info.param.name;
}

inline CalculationResult Calculate(const Example& example) {
    return tarvo::Calculate(example.make());
}

inline std::set<std::string> FileNames(const std::string& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.insert(entry.path().filename().string());
    }
    return names;
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
