// Designs of Meteor and openMotor read into motor documents: what is mapped, converted and
// reported, and every refusal with the value it names.

#include <gtest/gtest.h>

#include "interop/meteor_json.h"
#include "interop_test_support.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

using testing::Import;
using testing::kMeteorSi;
using testing::kRic;
using testing::Mentions;
using testing::MeteorImperial;
using testing::MotorKeys;
using testing::Replaced;
using testing::SlotValues;

TEST(MeteorImport, SiAndImperialGiveTheSameMotor) {
    const ImportOutcome si = Import("a.json", kMeteorSi);
    const ImportOutcome imperial = Import("b.json", MeteorImperial());
    ASSERT_EQ(si.status, ImportOutcome::Status::kImported) << si.message;
    ASSERT_EQ(imperial.status, ImportOutcome::Status::kImported) << imperial.message;
    EXPECT_EQ(MotorKeys(imperial.motor.motor), MotorKeys(si.motor.motor));
    EXPECT_EQ(SlotValues(imperial), SlotValues(si));
    EXPECT_EQ(MotorKeys(si.motor.motor),
              "Dc=38,1\nLc=203,2\nD=31,75\ndo=12,7\nLo=63,5\nN=3\nKno=143\ne=0,5\nLto=0\n"
              "Dto=0\nFtype=3\nOs=0\nCs=1\nEs=1\nRoi/Ror=95\nuc=97\nPatm=81\nG*=6\nkv=0\n"
              "unoz=85\nAe/At=80\nTrasser=0\nChannel=-1\nActive=0\n"
              "Motor=Импорт из Meteor: Тест\n");
    EXPECT_EQ(SlotValues(si),
              "2 KNSB мой\n1=1,841\n2=1,042\n3=1,1361\n4=39,9\n5=1600\n"
              "P10=0,1\nP20=0,807\nP30=0\nP40=0\nP50=0\nP11=0,807\nP21=1,503\nP31=0\nP41=0\n"
              "P51=0\nK10=10,708\nK20=8,763\nK30=0\nK40=0\nK50=0\nK11=0,625\nK21=-0,314\n"
              "K31=0\nK41=0\nK51=0\n");
    EXPECT_TRUE(Mentions(imperial.motor.report.converted, "IMPERIAL"));
    EXPECT_TRUE(Mentions(si.motor.report.notTaken, "convergenceAngle, divergenceAngle"));
    EXPECT_NE(si.reportText().find("конструкция «Тест»"), std::string::npos);
}

// Kno is the rounded ratio of the initial burning area to the file's throat, and the report
// gives the throat that the rounded Kno means.
TEST(MeteorImport, KnoIsRoundedAndTheThroatItGivesIsReported) {
    // One grain 30 x 10 x 60 burning everywhere: 8796,5 mm^2; a 15 mm throat is 176,71 mm^2.
    const std::string text =
        Replaced(kMeteorSi, {{R"("outerDiameter": 31.75)", R"("outerDiameter": 30)"},
                             {R"("coreDiameter": 12.7)", R"("coreDiameter": 10)"},
                             {R"("segmentLength": 63.5)", R"("segmentLength": 60)"},
                             {R"("numberOfSegment": 3)", R"("numberOfSegment": 1)"},
                             {R"("outerSurface": "INHIBITED")", R"("outerSurface": "EXPOSED")"},
                             {R"("throatDiameter": 10.16)", R"("throatDiameter": 15)"},
                             {R"("chamberInnerDiameter": 38.1)", R"("chamberInnerDiameter": 40)"}});
    const ImportOutcome outcome = Import("k.json", text);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported) << outcome.message;
    EXPECT_EQ(outcome.motor.motor.ReadIniStr("Params", "Kno", ""), "50");
    EXPECT_TRUE(Mentions(outcome.motor.report.converted,
                         "Kno = 50 (начальная площадь горения 8796 мм² / площадь критического "
                         "сечения 176,71 мм² = 49,78); диаметр критического сечения по Kno "
                         "14,967 мм, в файле 15,000 мм"));
}

// Values the steppers hold are put to the nearest position within the field's range; a value
// that changes on the way is reported.
TEST(MeteorImport, StepperValuesAreRoundedToTheirFieldAndReported) {
    const struct {
        const char* key;
        const char* motorKey;
        const char* value;
        const char* stored;  // the position in the motor document
        const char* report;  // a converted line, or "" when the value is taken as it is
    } cases[] = {
        {"combustionEfficiencyRatio", "uc", "0.987", "99", "uc 0,987 → 0,99"},
        {"ambiantPressureInMPa", "Patm", "0.1013", "81", "Patm 0,1013 → 0,101"},
        {"ambiantPressureInMPa", "Patm", "0.095", "75", ""},
        {"densityRatio", "Roi/Ror", "0.9", "92", "Roi/Ror 0,9 → 0,92"},
        {"erosiveBurningVelocityCoefficient", "kv", "0.26", "30", "kv 0,26 → 0,3"},
        {"nozzleEfficiency", "unoz", "0.95", "85", "unoz 0,95 → 0,85"},
        {"nozzleExpansionRatio", "Ae/At", "45", "300", "Ae/At 45 → 30"},
        {"erosiveBurningAreaRatioThreshold", "G*", "null", "6", "G*: нет в файле, оставлено 6"},
    };
    for (const auto& c : cases) {
        std::string text(kMeteorSi);
        const std::size_t at = text.find("\"" + std::string(c.key) + "\": ");
        const std::size_t begin = at + std::string(c.key).size() + 4;
        text.replace(begin, text.find_first_of(",\n", begin) - begin, c.value);
        const ImportOutcome outcome = Import("s.json", text);
        ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported) << outcome.message;
        EXPECT_EQ(outcome.motor.motor.ReadIniStr("Params", c.motorKey, ""), c.stored) << c.value;
        const std::string wanted = *c.report ? c.report : c.motorKey;
        EXPECT_EQ(Mentions(outcome.motor.report.converted, wanted), *c.report != '\0')
            << c.key << " " << c.value;
    }
}

// The flame temperature a custom propellant's slot was given, in K.
double SlotTemperature(const ImportOutcome& outcome) {
    const std::string slot = SlotValues(outcome);
    const std::size_t at = slot.find("\n5=") + 3;
    return ParseNumber(slot.substr(at, slot.find('\n', at) - at)).value_or(0);
}

TEST(MeteorImport, PropellantsAndNozzleChoices) {
    // A built-in propellant: no slot question, the list entry is chosen.
    const struct {
        const char* type;
        const char* ftype;
        bool sorbitolNote;  // Meteor's two KN/SB grades both take Tarvo's one
    } builtIns[] = {
        {"KNDX", "1", false},
        {"KNSB_COARSE", "2", true},
        {"KNSB_FINE", "2", true},
        {"KNSU", "3", false},
    };
    for (const auto& b : builtIns) {
        testing::Answers answers;
        answers.slot = std::nullopt;  // asking would cancel
        const ImportOutcome builtIn =
            ImportMotorText("p.json", Replaced(kMeteorSi, "CUSTOM_KNSB", b.type), answers);
        ASSERT_EQ(builtIn.status, ImportOutcome::Status::kImported) << builtIn.message;
        EXPECT_EQ(builtIn.motor.motor.ReadIniStr("Params", "Ftype", ""), b.ftype) << b.type;
        EXPECT_FALSE(builtIn.motor.propellant);
        EXPECT_EQ(
            Mentions(builtIn.motor.report.converted, "константы и таблица скорости горения KN/SB"),
            b.sorbitolNote)
            << b.type;
    }

    // One burn-rate law from Patm to 20 MPa; c* instead of a temperature; no k2ph.
    std::string single =
        Replaced(kMeteorSi, R"("burnRateDataSet": [)",
                 R"("burnRateCoefficient": 8, "pressureExponent": 0.5, "unused": [)");
    single = Replaced(single, R"("chamberTemperature": 1600, "molarMass": 39.9, "cstar": null)",
                      R"("molarMass": 39.9, "cstar": 908)");
    single = Replaced(single, R"("k2ph": 1.042,)", "");
    const ImportOutcome law = Import("l.json", single, 0, 0);
    ASSERT_EQ(law.status, ImportOutcome::Status::kImported) << law.message;
    const std::string slot = SlotValues(law);
    for (const char* line : {"P10=0,101\n", "P11=20\n", "K10=8\n", "K11=0,5\n", "P20=0\n"}) {
        EXPECT_NE(slot.find(line), std::string::npos) << line << slot;
    }
    EXPECT_EQ(slot.find("\n2="), std::string::npos) << "k2ph stays the slot's";
    EXPECT_TRUE(Mentions(law.motor.report.converted, "рассчитана из cstar 908"));
    EXPECT_TRUE(Mentions(law.motor.report.converted, "k2ph нет в файле"));
    // c* of 908 m/s with k 1.1361 and M 39.9 is a flame near 1600 K; so is 2979 ft/s.
    EXPECT_NEAR(SlotTemperature(law), 1600, 10);
    const ImportOutcome feet =
        Import("f.json",
               Replaced(MeteorImperial(), R"("chamberTemperature": 1600,)", R"("cstar": 2979,)"));
    ASSERT_EQ(feet.status, ImportOutcome::Status::kImported) << feet.message;
    EXPECT_NEAR(SlotTemperature(feet), 1600, 10);

    const std::string optimal = Replaced(
        kMeteorSi, {{R"("nozzleExpansionRatio": 8)", R"("nozzleExpansionRatio": null)"},
                    {R"("optimalNozzleDesign": false)", R"("optimalNozzleDesign": true)"}});
    EXPECT_TRUE(Import("o.json", optimal).motor.optimalNozzle);
}

TEST(MeteorImport, SeveralDesignsAreChosenFrom) {
    std::string two(kMeteorSi);
    const std::size_t open = two.find("[{") + 1;
    const std::size_t close = two.rfind("}]") + 1;
    const std::string design = two.substr(open, close - open);
    two.insert(close, "," + Replaced(design, R"("name": "Тест")", R"("name": "Второй")"));
    testing::Answers answers;
    answers.design = 1;
    const ImportOutcome second = ImportMotorText("two.json", two, answers);
    EXPECT_EQ(answers.designNames, (std::vector<std::string>{"Тест", "Второй"}));
    EXPECT_EQ(second.motor.motor.ReadIniStr("Description", "Motor", ""),
              "Импорт из Meteor: Второй");
    EXPECT_EQ(Import("two.json", two, std::nullopt).status, ImportOutcome::Status::kCancelled);

    // A design without a name is called by its number, and a refusal names it so too.
    std::string unnamed(kMeteorSi);
    unnamed.insert(
        close, "," + Replaced(Replaced(design, R"("name": "Тест",)", ""), "INHIBITED", "PARTLY"));
    EXPECT_EQ(MeteorDesignNames(unnamed), (std::vector<std::string>{"Тест", "Конструкция 2"}));
    const ImportOutcome refused = Import("u.json", unnamed, 1);
    EXPECT_EQ(refused.status, ImportOutcome::Status::kRefused);
    EXPECT_TRUE(refused.message.find("configs[2]") != std::string::npos) << refused.message;
    EXPECT_EQ(Import("two.json", two, 0, std::nullopt).status, ImportOutcome::Status::kCancelled);
}

// Whatever Tarvo cannot represent is refused, and the message names it.
TEST(MotorImport, RefusalsNameWhatIsRefused) {
    const std::string hollow = R"("grainType": "HOLLOW")";
    const struct {
        std::string file;
        std::string text;
        std::string message;
    } cases[] = {
        {"a.json", Replaced(kMeteorSi, hollow, R"("grainType": "STAR")"),
         "configs[1].grainType «STAR»"},
        {"a.json",
         Replaced(Replaced(kMeteorSi, hollow, R"("grainType": "END_BURNER")"),
                  R"("outerDiameter": 31.75,)", R"("outerDiameter": 31.75, "holeDiameter": 5,)"),
         "configs[1].grainConfig.holeDiameter 5: торцевая шашка с отверстием"},
        {"a.json", Replaced(kMeteorSi, "CUSTOM_KNSB", "RCANDY"),
         "configs[1].propellantType «RCANDY»"},
        {"a.json", Replaced(kMeteorSi, R"("version": 2)", R"("version": 3)"), "version 3"},
        {"a.json", Replaced(kMeteorSi, R"("SI")", R"("CGS")"), "measureUnit «CGS»"},
        {"a.json",
         Replaced(kMeteorSi, R"("outerSurface": "INHIBITED")", R"("outerSurface": "HALF")"),
         "grainConfig.outerSurface: «HALF»"},
        {"a.json",
         Replaced(kMeteorSi, R"("chamberLength": "203.2")", R"("chamberLength": "2,0,3")"),
         "configs[1].chamberLength: «2,0,3» не число"},
        {"a.json", Replaced(kMeteorSi, R"("throatDiameter": 10.16)", R"("throatDiameter": -1)"),
         "throatDiameter: нужно число больше 0"},
        {"a.json", Replaced(kMeteorSi, R"("throatDiameter": 10.16)", R"("throatDiameter": 1000)"),
         "не даёт Kno"},
        {"a.json", Replaced(kMeteorSi, R"("numberOfSegment": 3)", R"("numberOfSegment": 2.5)"),
         "numberOfSegment: 2,5 не целое"},
        {"a.json", R"({"configs": []})", "ни одной конструкции"},
        {"a.json", R"({"configs": [{}, 5]})", "configs[2]: ожидался объект JSON"},
        {"a.json", R"({"version": 2, "configs": [)", "не JSON"},
        {"a.json", std::string(100, '[') + std::string(100, ']'), "вложенность"},
        {"a.json",
         Replaced(kMeteorSi, R"("burnRateDataSet": [)",
                  R"("burnRateDataSet": [{}, {}, {}, {}, {},)"),
         "burnRateDataSet: 7 диапазонов, Tarvo хранит не больше 5"},
        {"b.ric", Replaced(kRic, "type: End Burner", "type: Finocyl"),
         "data.grains[1].type «Finocyl»"},
        {"b.ric",
         Replaced(Replaced(kRic, "type: End Burner", "type: BATES"),
                  "{diameter: 0.03, length: 0.05}",
                  "{coreDiameter: 0.01, diameter: 0.03, length: 0.05}"),
         "data.grains[2]: шашки BATES разных размеров"},
        {"b.ric", Replaced(kRic, "inhibitedEnds: Neither", "inhibitedEnds: Top"),
         "inhibitedEnds «Top»"},
        {"b.ric",
         Replaced(kRic, "k: 1.14, m: 39.9, maxPressure: 10000000",
                  "k: 1.2, m: 39.9, maxPressure: 10000000"),
         "data.propellant.tabs[2]: k, t и m отличаются"},
        {"b.ric", Replaced(kRic, "nozzle: {", "nozzle: {throat: x, "),
         "data.nozzle.throat: не число"},
        {"b.ric", "data: [1, 2]", "data: ожидался раздел"},
        {"b.ric", "data: {grains: [", "не YAML"},
        {"c.zel", "[Params]\nDc=1\n", "нет раздела data"},
    };
    for (const auto& c : cases) {
        const ImportOutcome outcome = Import(c.file, c.text);
        EXPECT_EQ(outcome.status, ImportOutcome::Status::kRefused) << c.message;
        EXPECT_NE(outcome.message.find("Файл " + c.file + " не импортирован: "), std::string::npos)
            << outcome.message;
        EXPECT_NE(outcome.message.find(c.message), std::string::npos) << outcome.message;
    }
    EXPECT_NE(Import("a.json", kMeteorSi, 1).message.find("конструкции 2 нет: в файле их 1"),
              std::string::npos);
    EXPECT_NE(Import("a.json", kMeteorSi, 0, 3).message.find("ячейки топлива 4 нет"),
              std::string::npos);
}

}  // namespace
}  // namespace tarvo
