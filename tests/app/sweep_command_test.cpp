// tarvo-calc --sweep and --solve as a user runs them: the rows against single runs of the
// changed files, the exit codes and the refusals.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "calc_run.h"
#include "files/ini_file.h"

namespace tarvo {
namespace {

using testing::CalcRun;
using testing::RunCalc;
using testing::TempDir;

const std::string kBates = std::string(TARVO_EXAMPLES_DIR) + "/bates-kn-sb.zel";

std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line));
    }
    return lines;
}

// Ae/At is swept in the field's units; the changed file holds the stepper position. That the
// rows do not depend on the threads is the sweep's own test.
TEST(SweepCommand, RowsEqualWhatTarvoCalcPrintsForTheChangedFile) {
    TempDir dir;
    const CalcRun sweep =
        RunCalc(dir, "--sweep Kno=150:350:100 --sweep Ae/At=2:8:6 --threads 3 --json " + kBates);
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err;
    const std::vector<nlohmann::json> rows = JsonLines(sweep.out);
    ASSERT_EQ(rows.size(), 6u);
    for (const nlohmann::json& row : rows) {
        IniFile changed = IniFile::Open(kBates);
        changed.document().WriteIniStr("Params", "Kno", std::to_string(row["Kno"].get<int>()));
        changed.document().WriteIniStr(
            "Params", "Ae/At", std::to_string(std::lround(row["Ae/At"].get<double>() * 10)));
        testing::WriteBytes(dir.File("changed.zel"), changed.document().Serialize());
        const CalcRun single = RunCalc(dir, "--json changed.zel");
        const nlohmann::json expected = nlohmann::json::parse(single.out);
        EXPECT_EQ(row["success"], expected["success"]) << row;
        EXPECT_EQ(row["status"], expected["status"]) << row;
        for (const char* figure :
             {"Pmax", "BurnTime", "ThrustTime", "Fmax", "Favg", "It", "Isp", "MotorClass"}) {
            EXPECT_EQ(row[figure], expected["values"][figure]) << figure << " " << row;
        }
    }
}

// The CSV's columns and rows are the sweep's own test; here, that it is what tarvo-calc prints.
TEST(SweepCommand, PrintsCsvWithoutJson) {
    TempDir dir;
    const CalcRun run = RunCalc(dir, "--sweep uc=0,80:0,95:0,05 " + kBates);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("uc,success,Pmax,")) << run.out;
    EXPECT_NE(run.out.find("\n0.85,true,"), std::string::npos) << run.out;
}

TEST(SweepCommand, ExitCodesAndRefusals) {
    TempDir dir;
    const struct {
        std::string args;
        int exitCode;
        std::string_view says;  // on standard error
    } cases[] = {
        {"--solve Pmax=3 --vary Kno " + kBates, 0, ""},
        {"--solve Pmax=40 --vary Kno " + kBates, 1, "Pmax от "},
        {"--sweep Kno=1:2:1 " + kBates + " " + kBates, 2, "ровно один файл"},
        {"--sweep Kno=1:2:1 --eng out.eng " + kBates, 2, "не сочетаются"},
        {"--sweep Kno=1:2:1 --solve Pmax=3 --vary Kno " + kBates, 2, "не сочетается"},
        {"--solve Pmax=3 " + kBates, 2, "только вместе"},
        {"--threads 2 " + kBates, 2, "только с --sweep"},
        {"--sweep Kno=1:2:1 missing.zel", 2, "missing.zel"},
        {"--sweep", 2, "нужно значение"},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
        if (c.exitCode == 2) {
            EXPECT_EQ(run.out, "") << c.args;
        }
    }
}

}  // namespace
}  // namespace tarvo
