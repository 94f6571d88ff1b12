// tarvo-calc end to end: exit codes, the JSON Lines it prints (read back by Python's strict JSON
// reader), the .eng file it writes, and that it never writes anything else.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../stand/stand_test_support.h"
#include "calc_run.h"
#include "files/encoding.h"
#include "form/motor_calculation.h"
#include "form/stand_calculation.h"

namespace tarvo {
namespace {

using testing::CalcRun;
using testing::ReadBytes;
using testing::RunCalc;
using testing::TempDir;
using testing::WriteBytes;

const std::string kExamples = TARVO_EXAMPLES_DIR;
const std::string kBates = kExamples + "/bates-kn-sb.zel";
const std::string kBoth = kExamples + "/cored-and-end-burner-kn-dx.zel";

// Three KN/SB grains of Meteor's with a propellant of their own, which calculate.
constexpr std::string_view kMeteorDesign = R"({"version": 2, "configs": [{
  "name": "Три шашки", "propellantType": "CUSTOM_KNSB",
  "chamberInnerDiameter": 40, "chamberLength": 200, "throatDiameter": 8.4,
  "extraConfig": {"nozzleExpansionRatio": 8, "nozzleErosionInMillimeter": 0.5},
  "grainType": "HOLLOW",
  "grainConfig": {"outerDiameter": 38, "coreDiameter": 14, "segmentLength": 60,
    "numberOfSegment": 3, "outerSurface": "INHIBITED", "endsSurface": "EXPOSED",
    "coreSurface": "EXPOSED"},
  "customPropellant": {"name": "Сорбит", "density": 1.841, "k": 1.1361, "k2ph": 1.042,
    "chamberTemperature": 1600, "molarMass": 39.9, "burnRateDataSet": [
      {"fromPressureIncluded": 0.091, "toPressureExcluded": 0.807,
       "burnRateCoefficient": 10.708, "pressureExponent": 0.625},
      {"fromPressureIncluded": 0.807, "toPressureExcluded": 1.503,
       "burnRateCoefficient": 8.763, "pressureExponent": -0.314},
      {"fromPressureIncluded": 1.503, "toPressureExcluded": 3.792,
       "burnRateCoefficient": 7.852, "pressureExponent": -0.013},
      {"fromPressureIncluded": 3.792, "toPressureExcluded": 7.033,
       "burnRateCoefficient": 3.907, "pressureExponent": 0.535},
      {"fromPressureIncluded": 7.033, "toPressureExcluded": 10.67,
       "burnRateCoefficient": 9.653, "pressureExponent": 0.064}]}}]})";

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
    WriteBytes(dir.File("failing.zel"), "[Params]\r\nDc=30\r\n");
    WriteBytes(dir.File("design.json"), kMeteorDesign);
    struct Case {
        std::string args;
        int exitCode;
        const char* err;  // part of stderr
    };
    const Case cases[] = {
        {"--help", 0, ""},
        {kBates + " " + kBoth, 0, ""},
        {"--json " + kBates + " failing.zel", 1, ""},
        {"failing.zel missing.zel", 2, "missing.zel не найден"},
        {"", 2, "не указан"},
        {"--frobnicate " + kBates, 2, "--frobnicate"},
        {"--eng x.eng " + kBates + " " + kBoth, 2, "ровно один"},
        {"--eng x.eng failing.zel", 1, "Должно быть больше 0 значение"},
        {"--rse x.rse --csv no/dir.csv " + kBates, 2, "no/dir.csv"},
        {"--csv", 2, "после --csv нужно имя"},
        {"--ric x.ric --rse y.rse " + kBates, 2, "не сочетается"},
        {"--import design.json --config 2", 2, "design.json не импортирован: конструкции 2 нет"},
        {"--import design.json --slot 4", 2, "--slot нужен номер от 1 до 3"},
        {"--import design.json " + kBates, 2, "не сочетается"},
        {"-o x.zel " + kBates, 2, "только с --import"},
        {"--import design.json -o no/dir.zel", 2, "no/dir.zel"},
        {"--ric no/dir.ric " + kBates, 2, "no/dir.ric"},
    };
    for (const Case& c : cases) {
        const CalcRun run = RunCalc(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.eng")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.csv")));
    // One output that cannot be written does not hold back the others.
    EXPECT_TRUE(std::filesystem::exists(dir.File("x.rse")));
}

// What Python's reader finds in each line: the top keys, the number of labels and fields, the
// value keys, and Favg and Pmax as the shortest texts that read back as the same doubles.
constexpr const char* kJsonDigest =
    " | python3 -c \"import json,sys\n"
    "for l in sys.stdin:\n"
    "  d=json.loads(l); v=d['values']\n"
    "  print(','.join(d), len(d['labels']), len(d['fields']), ','.join(v), repr(v['Favg']),"
    " repr(v['Pmax']), d['status'], sep='|')\"";

TEST(TarvoCalc, PrintsOneJsonLinePerFileWithExactNumbers) {
    TempDir dir;
    const std::vector<std::string> files = {kBates, kExamples + "/end-burner-kn-dx.zel", kBoth};
    const CalcRun run =
        RunCalc(dir, "--json " + files[0] + " " + files[1] + " " + files[2], kJsonDigest);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), files.size()) << run.out;
    for (std::size_t i = 0; i < files.size(); ++i) {
        FormModel form;
        CalculateMotorFile(form, files[i]);
        std::vector<std::string> digest;
        std::istringstream parts(lines[i]);
        for (std::string part; std::getline(parts, part, '|');) {
            digest.push_back(part);
        }
        ASSERT_EQ(digest.size(), 7u) << lines[i];
        const std::string& valueKeys = digest[3];
        EXPECT_EQ(digest[0],
                  "file,success,status,labels,fields,checks,propellant,table,values,"
                  "series,description,file_warnings,alerts");
        EXPECT_EQ(digest[1], "53");
        EXPECT_EQ(digest[2], "95");
        EXPECT_TRUE(valueKeys.starts_with("Vc,Lgo,Vg,Vt,p',p,m,Abeo")) << valueKeys;
        EXPECT_TRUE(valueKeys.ends_with("Favg,It,Isp,MotorClass")) << valueKeys;
        EXPECT_EQ(std::strtod(digest[4].c_str(), nullptr), form.lastCalculation().figures.Favg)
            << digest[4];
        EXPECT_EQ(std::strtod(digest[5].c_str(), nullptr), form.lastCalculation().figures.Pmax)
            << digest[5];
        EXPECT_EQ(digest[6], form.statusText(0));
    }
}

// The window reads the first of repeated keys and cuts long values without a word; the JSON
// says so, and carries the description.
TEST(TarvoCalc, JsonListsWhatTheFileRulesPassedOverAndTheDescription) {
    TempDir dir;
    const std::string description = "Мотор " + std::string(2100, 'x');
    WriteBytes(dir.File("twice.zel"),
               Utf8ToWindows1251("[Params]\r\nDc=30\r\nDc=40\r\n[Description]\r\nMotor=" +
                                 description + "\r\n[params]\r\nLc=1\r\n"));
    const CalcRun run = RunCalc(dir, "--json twice.zel " + kBates,
                                " | python3 -c \"import json,sys\n"
                                "for l in sys.stdin:\n"
                                "  d=json.loads(l)\n"
                                "  print(len(d['description']), *d['file_warnings'], sep='|')\"");
    EXPECT_EQ(run.out,
              "2047|Строка 3: ключ Dc раздела [Params] повторяется, действует первое значение "
              "(строка 2)|Строка 5: значение ключа Motor раздела [Description] длиной 2106 "
              "символов обрезано до 2047|Строка 6: раздел [params] повторяется (впервые в "
              "строке 1)\n"
              "55\n");
}

// The design checks: objects of `alerts` (empty when the calculation stopped before them) and
// lines after the report's status; they do not change the exit status.
TEST(TarvoCalc, ListsTheDesignChecks) {
    TempDir dir;
    WriteBytes(dir.File("weak.zel"),
               ReadBytes(kBates) + "[Checks]\r\nMaterial=PVC-U\r\nWall=1\r\nMaxPressure=3\r\n");
    WriteBytes(dir.File("failing.zel"), "[Params]\r\nDc=30\r\n");
    const CalcRun json = RunCalc(dir, "--json " + kBates + " weak.zel failing.zel",
                                 " | python3 -c \"import json,sys\n"
                                 "for l in sys.stdin:\n"
                                 "  print(*[':'.join([a['code'], a['severity'], str(a['value']>0),"
                                 " str('limit' in a), str(bool(a['text']))])"
                                 " for a in json.loads(l)['alerts']])\"");
    EXPECT_EQ(json.out,
              "casing-missing:note:True:False:True\n"
              "casing:error:True:True:True max-pressure:warning:True:True:True\n"
              "\n");

    const CalcRun report = RunCalc(dir, "weak.zel");
    EXPECT_EQ(report.exitCode, 0) << report.err;
    EXPECT_NE(report.out.find("Состояние: Расчёт проведён успешно\n"
                              "Проверка конструкции:\n"
                              "  ошибка: Корпус не выдержит давления: запас прочности = 0,67 "
                              "(не меньше 2,00)\n"
                              "  предупреждение: Высокое давление: Pmax = 3,31 МПа (не больше "
                              "3,00 МПа)\n"),
              std::string::npos)
        << report.out;
}

// The three curve files of one calculation: the .rse read back by Python's XML parser, the CSV
// by its csv reader, the .eng as a simulator splits it (the writer's rules are the export's
// tests).
TEST(TarvoCalc, WritesTheCurveFilesOfOneCalculation) {
    TempDir dir;
    const CalcRun run = RunCalc(
        dir, "--csv m.csv --eng m.eng --rse m.rse " + kBoth,
        " && python3 -c \"import csv, xml.etree.ElementTree as T\n"
        "e = T.parse('m.rse').getroot().find('engine-list/engine')\n"
        "rows = list(csv.reader(open('m.csv')))\n"
        "eng = [l.split() for l in open('m.eng') if not l.startswith(';')]\n"
        "print(e.get('mfg'), e.get('code')[0], len(e.find('data')), len(rows[0]), len(rows),"
        " eng[0][0][0], len(eng[0]), eng[0][3], len(eng), float(eng[-1][1]))\"");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Tarvo H 882 7 883 H 7 P 23 0.0\n");
}

// An imported design is printed with its report and, with -o, saved as a motor file that
// calculates as the import did; the same motor goes out as a .ric (that it comes back the same
// is the .ric's own test).
TEST(TarvoCalc, ImportsADesignAndWritesMotorAndRicFiles) {
    TempDir dir;
    WriteBytes(dir.File("design.json"), kMeteorDesign);
    const CalcRun imported = RunCalc(dir, "--import design.json --slot 2 -o motor");
    ASSERT_EQ(imported.exitCode, 0) << imported.out << imported.err;
    EXPECT_TRUE(
        imported.out.starts_with("Импорт из Meteor: design.json, конструкция «Три шашки»\n"))
        << imported.out;
    EXPECT_NE(imported.out.find("Состояние: Расчёт проведён успешно"), std::string::npos);
    EXPECT_NE(ReadBytes(dir.File("motor.zel")).find("FuelName=" + Utf8ToWindows1251("Сорбит")),
              std::string::npos);
    const CalcRun reopened = RunCalc(dir, "motor.zel");
    EXPECT_EQ(reopened.exitCode, 0) << reopened.out;
    EXPECT_NE(reopened.out.find("[Kno]: 249"), std::string::npos) << reopened.out;

    const CalcRun ric = RunCalc(dir, "--ric motor.ric motor.zel");
    ASSERT_EQ(ric.exitCode, 0) << ric.err;
    EXPECT_NE(ric.out.find("эрозия критического сечения e 0,5 мм"), std::string::npos) << ric.out;
}

TEST(TarvoCalc, ConvertsAnOlderFileWithoutWritingAnything) {
    TempDir dir;
    const std::string bytes =
        "[Tabs]\r\nActive=3\r\n[Const&Vars]\r\n11=40\r\n12=200\r\n45=38\r\n46=14\r\n47=60\r\n"
        "48=3\r\n64=250\r\n65=0,5\r\n";
    WriteBytes(dir.File("old.zel"), bytes);
    const CalcRun run = RunCalc(dir, "old.zel");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("Состояние: Расчёт проведён успешно"), std::string::npos);
    EXPECT_NE(run.out.find("Диаметр (внутренний), [Dc], мм: 40"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.File("old.zel")), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

// What Python's reader finds in the test object tarvo-calc printed into stdout.txt: its keys,
// the fit's keys, and the fitted values or the ambiguous names.
std::string TestDigest(const TempDir& dir) {
    const std::string command =
        "cd " + dir.path() +
        " && python3 -c \"import json,sys\n"
        "t=json.loads(sys.stdin.readline())['test']; f=t.get('fit',{})\n"
        "print(','.join(t), ','.join(t['measured']), ','.join(f), "
        "' '.join('%s=%.3f' % p for p in f.get('params',{}).items()), "
        "','.join(f.get('ambiguous',[])), ','.join(f.get('fitted',{})), sep='|')\" "
        "<stdout.txt >digest.txt";
    return std::system(command.c_str()) == 0 ? ReadBytes(dir.File("digest.txt")) : "";
}

TEST(TarvoCalc, ComparesAndFitsAStandLog) {
    TempDir dir;
    FormModel form;
    CalculateMotorFile(form, kBates);
    const StandDesign design = *DesignOfFields(form).design;
    FitValues truth = design.nominal();
    truth[FitParameter::kBurnRate] = 1.15;
    truth[FitParameter::kUnoz] = 0.80;
    WriteBytes(dir.File("stand.csv"), testing::StandLog(design.calculate(truth), {}));
    WriteBytes(dir.File("bad.csv"), "t;F\r\n0;1\r\n0,1;x\r\n");
    WriteBytes(dir.File("failing.zel"), "[Params]\r\nDc=30\r\n");
    struct Case {
        std::string args;
        int exitCode;
        std::string out;  // the digest, or a part of the report
        const char* err;  // part of stderr
    };
    const std::string figures = "It,Favg,Fmax,span,Isp";
    const Case cases[] = {
        {"--json --test stand.csv --fit burn-rate,unoz " + kBates, 0,
         "measured,calculated,fit|" + figures + "|params,rms,fitted|burn-rate=1.150 unoz=0.800||" +
             figures,
         ""},
        {"--json --test stand.csv --fit unoz,uc " + kBates, 1,
         "measured,calculated,fit|" + figures + "|ambiguous||uc,unoz|", ""},
        {"--json --test stand.csv " + kBates, 0, "measured,calculated|" + figures + "||||", ""},
        {"--json --test stand.csv failing.zel", 1, "measured|It,Favg,Fmax,span||||", ""},
        {"--test stand.csv --fit burn-rate " + kBates, 0, "Подбор: burn-rate", ""},
        {"--test stand.csv " + kBates, 0, "Величина", ""},
        {"--test bad.csv " + kBates, 2, "", "Файл испытания bad.csv: строка 3: «x» не число"},
        {"--test stand.csv missing.zel", 2, "", "missing.zel не найден"},
        {"--fit uc " + kBates, 2, "", "--fit действует только вместе с --test"},
        {"--test stand.csv " + kBates + " " + kBoth, 2, "", "--test принимает ровно один файл"},
    };
    for (const Case& c : cases) {
        const bool json = c.args.starts_with("--json");
        const CalcRun run = RunCalc(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        if (json) {
            EXPECT_EQ(TestDigest(dir), c.out + "\n") << c.args;
        } else {
            EXPECT_NE(run.out.find(c.out), std::string::npos) << c.args << "\n" << run.out;
        }
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
    }
}

}  // namespace
}  // namespace tarvo
