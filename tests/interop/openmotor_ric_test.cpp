// openMotor's .ric files: a design read in, written out again, and read back to the same
// document.

#include "interop/openmotor_ric.h"

#include <gtest/gtest.h>

#include "interop_test_support.h"

namespace tarvo {
namespace {

using testing::Import;
using testing::kRic;
using testing::Mentions;
using testing::MotorKeys;
using testing::SlotValues;

// The whole motor document an import opens: the motor keys and the replaced slot.
IniDocument WholeDocument(const ImportOutcome& outcome) {
    IniDocument document = outcome.motor.motor;
    if (outcome.motor.propellant) {
        outcome.motor.propellant->WriteTo(document);
    }
    return document;
}

TEST(RicImport, TheGrainsMakeTheChamberAndTheMissingFiguresGetTheirFieldLimits) {
    const ImportOutcome outcome = Import("m.ric", kRic, 0, 1);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported) << outcome.message;
    // Two BATES of 30 x 10 x 60 (core and ends: 2 * 1885,0 + 4 * 628,3) and the end burner's
    // face (706,9) over the 8 mm throat (50,27 mm^2): Kno 139,1.
    EXPECT_EQ(MotorKeys(outcome.motor.motor),
              "Dc=30\nLc=170\nD=30\ndo=10\nLo=60\nN=2\nKno=139\ne=0\nLto=50\nDto=30\nFtype=2\n"
              "Os=0\nCs=1\nEs=1\nRoi/Ror=98\nuc=99\nPatm=81\nG*=6\nkv=0\nunoz=85\nAe/At=63\n"
              "Trasser=-1\nChannel=-1\nActive=0\nMotor=Импорт из openMotor: Sorbitol\n");
    EXPECT_EQ(SlotValues(outcome),
              "1 Sorbitol\n1=1,8\n3=1,14\n4=39,9\n5=1600\nP10=0,1\nP20=5\nP30=0\nP40=0\n"
              "P50=0\nP11=5\nP21=10\nP31=0\nP41=0\nP51=0\nK10=8\nK20=1\nK30=0\nK40=0\nK50=0\n"
              "K11=0,5\nK21=0\nK31=0\nK41=0\nK51=0\n");
    const ImportReport& report = outcome.motor.report;
    EXPECT_TRUE(Mentions(report.converted, "unoz 0,9 → 0,85"));
    EXPECT_TRUE(Mentions(report.converted, "Ae/At 6,25 = (exit 20 мм / throat 8 мм)²"));
    EXPECT_TRUE(Mentions(report.converted, "Lc 170 мм по их общей длине"));
    EXPECT_TRUE(Mentions(report.converted, "плотность 1,764 г/см³ = 0,98 × идеальная 1,8"));
    EXPECT_TRUE(Mentions(report.converted, "k2ph в файле нет"));
    EXPECT_TRUE(Mentions(report.notTaken, "data.nozzle: convAngle, divAngle"));
    EXPECT_TRUE(Mentions(report.notTaken, "data.config: burnoutWebThres"));
}

// Export, import: the same fields. A design that came from a .ric goes out and in unchanged.
TEST(RicRoundTrip, ExportAndImportGiveTheSameFields) {
    const ImportOutcome first = Import("m.ric", kRic, 0, 1);
    ASSERT_EQ(first.status, ImportOutcome::Status::kImported) << first.message;
    const RicText written = FormatRic(DraftFromMotorDocument(WholeDocument(first)));
    const ImportOutcome second = Import("again.ric", written.text, 0, 1);
    ASSERT_EQ(second.status, ImportOutcome::Status::kImported) << second.message << written.text;
    EXPECT_EQ(MotorKeys(second.motor.motor), MotorKeys(first.motor.motor));
    EXPECT_EQ(SlotValues(second), SlotValues(first));
    // What a .ric cannot hold is listed, never silently dropped.
    EXPECT_TRUE(Mentions(written.notWritten, "камера Dc 30 мм, Lc 170 мм"));
    EXPECT_TRUE(Mentions(written.notWritten, "k2ph 1,042"));
}

TEST(RicExport, RefusesGrainsThatOpenMotorsBatesCannotHold) {
    IniDocument document = WholeDocument(Import("m.ric", kRic, 0, 1));
    const struct {
        const char* key;
        const char* value;
        const char* message;
    } cases[] = {
        {"Os", "1", "внешняя поверхность"},
        {"Cs", "0", "внешняя поверхность"},
        {"Kno", "0", "поле Kno"},
        {"Dc", "сорок", "поле Dc: «сорок» не число"},
        {"Ftype", "0", "не выбрано топливо"},
        {"N", "2,5", "поле N: «2,5» не целое"},
    };
    for (const auto& c : cases) {
        IniDocument changed = document;
        changed.WriteIniStr("Params", c.key, c.value);
        try {
            FormatRic(DraftFromMotorDocument(changed));
            ADD_FAILURE() << c.key << " was written";
        } catch (const ImportRefusal& refusal) {
            EXPECT_NE(std::string(refusal.what()).find(c.message), std::string::npos)
                << refusal.what();
        }
    }
}

}  // namespace
}  // namespace tarvo
