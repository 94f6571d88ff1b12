// tarvo-calc end to end: exit codes, the JSON Lines it prints, the .eng file it writes, and
// that it never writes anything else.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "../files/temp_dir.h"
#include "form/form_layout.h"
#include "form/motor_calculation.h"
#include "json_reader.h"

namespace tarvo {
namespace {

using testing::Json;
using testing::JsonReader;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kExamples = TARVO_EXAMPLES_DIR;
const std::string kBates = kExamples + "/bates-kn-sb.zel";
const std::string kEndBurner = kExamples + "/end-burner-kn-dx.zel";
const std::string kBoth = kExamples + "/cored-and-end-burner-kn-dx.zel";

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

struct CalcRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tarvo-calc with a home of its own, so that a stray Tarvo.ini would show up there.
CalcRun RunCalc(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "HOME=" + Quoted(dir.path()) + " XDG_CONFIG_HOME= " + TARVO_CALC;
    for (const std::string& arg : args) {
        command += " " + Quoted(arg);
    }
    command += " 2>" + Quoted(dir.File("stderr.txt"));
    CalcRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.out.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadBytes(dir.File("stderr.txt"));
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TarvoCalc, ExitCodesSayHowTheFilesWent) {
    TempDir dir;
    const std::string failing = dir.File("failing.zel");
    WriteBytes(failing, "[Params]\r\nDc=30\r\n");
    const std::string missing = dir.File("missing.zel");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* err;  // part of stderr; "" for none
    };
    const Case cases[] = {
        {{"--help"}, 0, ""},
        {{kBates, kEndBurner, kBoth}, 0, ""},
        {{"--json", kBates, failing}, 1, ""},
        {{failing, missing}, 2, "missing.zel не найден"},
        {{dir.path()}, 2, "папка"},
        {{}, 2, "не указан"},
        {{"--frobnicate", kBates}, 2, "--frobnicate"},
        {{"--eng"}, 2, "--eng"},
        {{"--eng", dir.File("x.eng"), kBates, kBoth}, 2, "ровно один"},
        {{"--eng", dir.File("x.eng"), failing}, 1, "Должно быть больше 0 значение"},
        {{"--eng", dir.File("no/dir.eng"), kBates}, 2, "no/dir.eng"},
    };
    for (const Case& c : cases) {
        const CalcRun run = RunCalc(dir, c.args);
        const std::string label = c.args.empty() ? "(no arguments)" : c.args.front();
        EXPECT_EQ(run.exitCode, c.exitCode) << label << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << label << "\n" << run.err;
        if (c.err[0] == '\0') {
            EXPECT_EQ(run.err, "") << label;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.eng")));
    EXPECT_NE(RunCalc(dir, {"--help"}).out.find("tarvo-calc [--json]"), std::string::npos);
}

const std::vector<std::string> kTopKeys = {"file",   "success",    "status", "labels", "fields",
                                           "checks", "propellant", "table",  "values", "series"};
const std::vector<std::string> kValueKeys = {"Vc",
                                             "Lgo",
                                             "Vg",
                                             "Vt",
                                             "p'",
                                             "p",
                                             "m",
                                             "Abeo",
                                             "Abco",
                                             "Abso",
                                             "Abo",
                                             "Abtr",
                                             "Ato",
                                             "Dt",
                                             "Dtf",
                                             "w",
                                             "Kn max",
                                             "Kn min",
                                             "Kn avg",
                                             "Kn end",
                                             "WebTotal",
                                             "R'",
                                             "R",
                                             "To act",
                                             "c*",
                                             "Pmax",
                                             "BurnTime",
                                             "ThrustTime",
                                             "AvgBurnRate",
                                             "StepRateMean",
                                             "TracerPressure",
                                             "TracerPmax",
                                             "TracerEnd",
                                             "TracerTailEnd",
                                             "TailStep",
                                             "Ae",
                                             "De",
                                             "Meo",
                                             "Mef",
                                             "Ae/At opt",
                                             "Ae/At opt mid",
                                             "wf",
                                             "Cf max",
                                             "Fmax",
                                             "Favg",
                                             "It",
                                             "Isp",
                                             "MotorClass"};

// The line must show what the same calculation shows in this process, to the last bit.
void ExpectLineMatches(const Json& line, const std::string& file) {
    FormModel form;
    const MotorFileCalculation run = CalculateMotorFile(form, file);
    const MotorModel& m = form.motorModel();
    EXPECT_EQ(line.keys(), kTopKeys);
    EXPECT_EQ(line.find("file")->text, file);
    EXPECT_EQ(line.find("success")->boolean,
              run.outcome == MotorFileCalculation::Outcome::kSucceeded);
    EXPECT_EQ(line.find("status")->text, form.statusText(0));
    const Json& labels = *line.find("labels");
    EXPECT_EQ(labels.members.size(), 53u);
    for (const auto& [name, text] : labels.members) {
        EXPECT_EQ(text.text, form.text(*FindControl(name))) << name;
    }
    EXPECT_EQ(line.find("fields")->members.size(), FieldLayouts().size());
    EXPECT_EQ(line.find("fields")->find("Edit1")->text, form.fieldText(EditId{1}));
    EXPECT_EQ(line.find("checks")->keys(), (std::vector<std::string>{"chk", "chk1"}));
    EXPECT_EQ(line.find("propellant")->number, form.selectedPropellant() + 1);
    const Json& table = *line.find("table");
    ASSERT_EQ(table.items.size(), form.resultTable().size());
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        EXPECT_EQ(table.items[i].items[1].text, form.resultTable()[i].thrust) << i;
    }
    const Json& values = *line.find("values");
    // A value that is not finite is left out: the Isp of a motor without mass.
    std::vector<std::string> expectedKeys = kValueKeys;
    if (!std::isfinite(SpecificImpulse(m))) {
        std::erase(expectedKeys, "Isp");
    }
    EXPECT_EQ(values.keys(), expectedKeys);
    const std::pair<const char*, double> exact[] = {
        {"Vc", m.Vc},     {"p'", m.pPrime}, {"To act", m.ToAct}, {"c*", m.cStar},
        {"Pmax", m.Pmax}, {"Favg", m.Favg}, {"It", m.It},        {"Fmax", m.Fmax}};
    for (const auto& [key, value] : exact) {
        EXPECT_EQ(values.find(key)->number, value) << key << " " << values.find(key)->text;
        EXPECT_EQ(values.find(key)->text.find(','), std::string::npos) << key;
    }
    EXPECT_EQ(values.find("MotorClass")->text, m.MotorClass);
    const Json& series = *line.find("series");
    EXPECT_EQ(series.keys(),
              (std::vector<std::string>{"kn", "web", "pressure", "thrust", "summary"}));
    const ChartSeries& thrust = form.chart(ChartId{3}).series[0];
    ASSERT_EQ(series.find("thrust")->items.size(), thrust.size());
    if (!thrust.empty()) {
        EXPECT_EQ(series.find("thrust")->items.back().items[1].number, thrust.back().y);
    }
}

TEST(TarvoCalc, PrintsOneExactJsonLinePerFile) {
    TempDir dir;
    const std::string failing = dir.File("failing.zel");
    WriteBytes(failing, "[Params]\r\nDc=30\r\n");
    const std::vector<std::string> files = {kBates, kEndBurner, kBoth, failing};
    std::vector<std::string> args = {"--json"};
    args.insert(args.end(), files.begin(), files.end());
    const CalcRun run = RunCalc(dir, args);
    EXPECT_EQ(run.exitCode, 1);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::optional<Json> line = JsonReader::Read(lines[i]);
        ASSERT_TRUE(line) << lines[i].substr(0, 200);
        ExpectLineMatches(*line, files[i]);
    }
}

TEST(TarvoCalc, WritesAThrustCurveFlightSimulatorsRead) {
    for (const std::string& motor : {kBates, kBoth}) {
        TempDir dir;
        const std::string target = dir.File("motor.eng");
        const CalcRun run = RunCalc(dir, {"--eng", target, motor});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        std::vector<std::string> lines = Lines(ReadBytes(target));
        while (!lines.empty() && lines.front().starts_with(";")) {
            lines.erase(lines.begin());
        }
        ASSERT_GE(lines.size(), 2u);
        std::istringstream header(lines.front());
        std::vector<std::string> fields;
        for (std::string field; header >> field;) {
            fields.push_back(field);
        }
        ASSERT_EQ(fields.size(), 7u) << lines.front();
        EXPECT_EQ(fields[3], "P");
        EXPECT_EQ(fields[6], "Tarvo");
        EXPECT_LE(lines.size() - 1, 32u);
        double previousTime = 0.0;
        double lastThrust = -1.0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].find(','), std::string::npos) << lines[i];
            double time = 0.0;
            char rest = 0;
            ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf %lf %c", &time, &lastThrust, &rest), 2)
                << lines[i];
            EXPECT_GT(time, previousTime) << lines[i];
            previousTime = time;
        }
        EXPECT_EQ(lastThrust, 0.0);
    }
}

TEST(TarvoCalc, ConvertsAnOlderFileWithoutWritingAnything) {
    TempDir dir;
    const std::string old = dir.File("old.zel");
    const std::string bytes =
        "[Tabs]\r\nActive=3\r\n[Const&Vars]\r\n11=40\r\n12=200\r\n45=38\r\n46=14\r\n47=60\r\n"
        "48=3\r\n64=250\r\n65=0,5\r\n";
    WriteBytes(old, bytes);
    const CalcRun run = RunCalc(dir, {"--json", old});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    const std::optional<Json> line = JsonReader::Read(run.out);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->find("fields")->find("Edit1")->text, "40");
    EXPECT_EQ(line->find("propellant")->number, 2);
    EXPECT_EQ(ReadBytes(old), bytes);
    EXPECT_FALSE(std::filesystem::exists(dir.File(".config")));
    const CalcRun report = RunCalc(dir, {old});
    EXPECT_NE(report.out.find("Состояние: Расчёт проведён успешно"), std::string::npos);
    EXPECT_NE(report.out.find("Таблица тяги"), std::string::npos);
}

}  // namespace
}  // namespace tarvo
