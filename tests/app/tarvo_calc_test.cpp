// tarvo-calc end to end: exit codes, the JSON Lines it prints (read back by Python's strict JSON
// reader), the .eng file it writes, and that it never writes anything else.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "../files/temp_dir.h"
#include "files/encoding.h"
#include "form/motor_calculation.h"

namespace tarvo {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kExamples = TARVO_EXAMPLES_DIR;
const std::string kBates = kExamples + "/bates-kn-sb.zel";
const std::string kBoth = kExamples + "/cored-and-end-burner-kn-dx.zel";

struct CalcRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs tarvo-calc in `dir` with a home of its own, so that a stray Tarvo.ini would show there.
CalcRun RunCalc(const TempDir& dir, const std::string& args, const std::string& pipe = "") {
    const std::string command = "cd " + dir.path() + " && HOME=" + dir.path() +
                                " XDG_CONFIG_HOME= " + TARVO_CALC + " " + args + " 2>stderr.txt" +
                                pipe + " >stdout.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir.File("stdout.txt")),
            ReadBytes(dir.File("stderr.txt"))};
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
    WriteBytes(dir.File("failing.zel"), "[Params]\r\nDc=30\r\n");
    WriteBytes(dir.File("junk.zel"),
               "\x7F"
               "ELF\x02\x01\x01");
    WriteBytes(dir.File("empty.zel"), "");
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
        {".", 2, "папка"},
        {"junk.zel " + kBates, 2, "junk.zel не является файлом двигателя Tarvo"},
        {"empty.zel", 2, "empty.zel не является файлом двигателя Tarvo"},
        {"", 2, "не указан"},
        {"--frobnicate " + kBates, 2, "--frobnicate"},
        {"--eng x.eng " + kBates + " " + kBoth, 2, "ровно один"},
        {"--eng x.eng failing.zel", 1, "Должно быть больше 0 значение"},
        {"--eng no/dir.eng " + kBates, 2, "no/dir.eng"},
    };
    for (const Case& c : cases) {
        const CalcRun run = RunCalc(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.eng")));
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
                  "series,description,file_warnings");
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

TEST(TarvoCalc, WritesAThrustCurveFlightSimulatorsRead) {
    for (const std::string& motor : {kBates, kBoth}) {
        TempDir dir;
        const CalcRun run = RunCalc(dir, "--eng motor.eng " + motor);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        std::vector<std::string> lines = Lines(ReadBytes(dir.File("motor.eng")));
        std::erase_if(lines, [](const std::string& line) { return line.starts_with(";"); });
        ASSERT_GE(lines.size(), 2u);
        std::istringstream header(lines.front());
        std::vector<std::string> fields{std::istream_iterator<std::string>(header), {}};
        ASSERT_EQ(fields.size(), 7u) << lines.front();
        EXPECT_EQ(fields[3], "P");
        EXPECT_LE(lines.size() - 1, 32u);
        double previousTime = 0.0;
        double thrust = -1.0;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            double time = 0.0;
            char rest = 0;
            ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf %lf %c", &time, &thrust, &rest), 2);
            EXPECT_EQ(lines[i].find(','), std::string::npos) << lines[i];
            EXPECT_GT(time, previousTime) << lines[i];
            previousTime = time;
        }
        EXPECT_EQ(thrust, 0.0);
    }
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

}  // namespace
}  // namespace tarvo
