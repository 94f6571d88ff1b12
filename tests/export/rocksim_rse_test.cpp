#include "export/rocksim_rse.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <map>
#include <memory>

#include "test_support.h"

namespace tarvo {
namespace {

using testing::Calculate;
using testing::Example;
using testing::ReadBytes;
using testing::TempDir;

// The file as a reader following the format sees it, read with libxml2's parser.
struct ReadRse {
    std::map<std::string, std::string> engine;  // its attributes
    std::string comments;
    std::vector<RsePoint> points;
    std::string error;
};

std::string Text(xmlChar* text) {
    const std::string copy = text == nullptr ? "" : reinterpret_cast<const char*>(text);
    xmlFree(text);
    return copy;
}

std::vector<xmlNode*> Find(xmlDoc* document, const char* path) {
    xmlXPathContext* context = xmlXPathNewContext(document);
    xmlXPathObject* found = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path), context);
    std::vector<xmlNode*> nodes;
    for (int i = 0;
         found != nullptr && found->nodesetval != nullptr && i < found->nodesetval->nodeNr; ++i) {
        nodes.push_back(found->nodesetval->nodeTab[i]);
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    return nodes;
}

double Number(xmlNode* node, const char* name) {
    const std::string text = Text(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << name << "=" << text;
    return value;
}

ReadRse ReadRseFile(const std::string& file) {
    constexpr const char* kEngine = "/engine-database/engine-list/engine";
    ReadRse read;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET), &xmlFreeDoc);
    const std::vector<xmlNode*> engines =
        document ? Find(document.get(), kEngine) : std::vector<xmlNode*>{};
    if (engines.size() != 1) {
        read.error = "not one " + std::string(kEngine);
        return read;
    }
    for (xmlAttr* attribute = engines[0]->properties; attribute != nullptr;
         attribute = attribute->next) {
        read.engine[reinterpret_cast<const char*>(attribute->name)] =
            Text(xmlGetProp(engines[0], attribute->name));
    }
    for (xmlNode* comments : Find(document.get(), "/engine-database/engine-list/engine/comments")) {
        read.comments += Text(xmlNodeGetContent(comments));
    }
    for (xmlNode* point :
         Find(document.get(), "/engine-database/engine-list/engine/data/eng-data")) {
        read.points.push_back(
            {Number(point, "t"), Number(point, "f"), Number(point, "m"), Number(point, "cg")});
    }
    return read;
}

EngCurve ThrustOf(const std::vector<RsePoint>& points) {
    EngCurve curve;
    for (const RsePoint& point : points) {
        curve.points.push_back({point.time, point.thrust});
    }
    return curve;
}

class RseOfExample : public ::testing::TestWithParam<Example> {};

// What a simulator relies on: times rising from 0 to a zero thrust, the mass falling from the
// loaded mass to the casing, the centre of gravity inside the motor, and a name that agrees
// with the impulse of the curve.
TEST_P(RseOfExample, ReadsBackAsTheFormatDescribesIt) {
    const CalculationResult motor = Calculate(GetParam());
    ASSERT_TRUE(motor.succeeded());
    TempDir directory;
    const std::string file = directory.File("motor.rse");
    constexpr double kCasing = 0.25;  // kg
    EngOptions options = DefaultRseOptions(motor);
    options.casingMass = kCasing;
    ASSERT_TRUE(ExportRseFile(file, {motor, "KN/DX", "/tmp/мотор.zel"}, options).ok());
    const ReadRse read = ReadRseFile(file);
    ASSERT_EQ(read.error, "");
    EXPECT_TRUE(ReadBytes(file).starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_EQ(read.comments, "Tarvo: мотор.zel, propellant KN/DX");
    EXPECT_EQ(std::stod(read.engine.at("dia")), motor.design.Dc);
    const double length = std::stod(read.engine.at("len"));
    EXPECT_EQ(length, motor.design.Lc);
    EXPECT_EQ(read.engine.at("delays"), "P");
    const double propellant = std::stod(read.engine.at("propWt"));
    EXPECT_NEAR(propellant, motor.figures.m * 1000, 1e-3);
    EXPECT_NEAR(std::stod(read.engine.at("initWt")), propellant + kCasing * 1000, 1e-9);

    const std::vector<RsePoint>& points = read.points;
    ASSERT_GT(points.size(), 100u);
    EXPECT_EQ(points.front().time, 0.0);
    EXPECT_EQ(points.front().thrust, 0.0);
    EXPECT_EQ(points.front().mass, std::stod(read.engine.at("initWt")));
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_GT(points[i].time, points[i - 1].time) << i;
        EXPECT_LE(points[i].mass, points[i - 1].mass) << i;
        EXPECT_GE(points[i].thrust, 0.0) << i;
    }
    for (const RsePoint& point : points) {
        EXPECT_GE(point.cg, 0.0);
        EXPECT_LE(point.cg, length);
    }
    EXPECT_EQ(points.back().thrust, 0.0);
    EXPECT_NEAR(points.back().mass, kCasing * 1000, 0.5);  // the propellant is gone
    // The end-burning grain that outlasts the cores is in the curve, after their tail-off.
    const double end = std::max(motor.figures.ThrustTime, motor.figures.TracerTailEnd);
    EXPECT_NEAR(points.back().time, end, 0.01);

    const EngImpulse impulse = CurveImpulse(ThrustOf(points));
    EXPECT_EQ(read.engine.at("code"), CurveDesignation(ThrustOf(points)));
    EXPECT_NEAR(std::stod(read.engine.at("Itot")), impulse.impulse, 1e-3);
    EXPECT_NEAR(std::stod(read.engine.at("peakThrust")), motor.figures.Fmax, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Examples, RseOfExample, ::testing::ValuesIn(testing::kExamples),
                         testing::ExampleName);

// Where the grains sit: cored grains against the nozzle end keep their centre; an end-burning
// grain against the forward closure takes its centre forward as it burns; a casing pulls the
// centre towards the middle of the chamber once the propellant is gone.
TEST(RseCurveOf, PlacesTheGrainsInTheChamber) {
    const struct {
        const char* name;
        MotorDesign (*make)();
        double casing;
        double firstCg;
        double lastCg;
    } cases[] = {
        {"cored, 3 x 60 mm in 200 mm", &example::CoredMotor, 0, 110, 110},
        {"end burner, 40 mm in 150 mm", &example::EndBurner, 0, 20, 0},
        {"cored with a casing", &example::CoredMotor, 0.3, (0.3118 * 110 + 0.3 * 100) / 0.6118,
         100},
    };
    for (const auto& c : cases) {
        const RseCurve curve = RseCurveOf(tarvo::Calculate(c.make()), c.casing);
        ASSERT_TRUE(curve.ok()) << c.name << ": " << curve.error;
        EXPECT_NEAR(curve.points.front().cg, c.firstCg, 0.05) << c.name;
        EXPECT_NEAR(curve.points.back().cg, c.lastCg, 0.05) << c.name;
    }
}

TEST(FormatRseDocument, WritesTheUsersTextsSafelyAndRefusesWhatItCannotPlace) {
    const CalculationResult motor = tarvo::Calculate(example::CoredMotor());
    CalculationResult longCharge = motor;
    longCharge.design.Lc = motor.figures.Lgo - 1;
    CalculationResult notCalculated = motor;
    notCalculated.thrust = StageState::kFailed;
    const struct {
        const CalculationResult& motor;
        EngOptions options;
        std::string code;  // as read back; empty: refused
        std::string mfg;
        std::string error;
    } cases[] = {
        {motor, {" <Мотор & \"Ко\">\x01 ", 0, "Клуб\xFF"}, "<Мотор & \"Ко\">", "Клуб?", ""},
        {motor, {"\x7F", 0, ""}, DefaultRseMotorName(motor), "Tarvo", ""},
        {longCharge, DefaultRseOptions(motor), "", "", "Заряд длиннее камеры"},
        {notCalculated, DefaultRseOptions(motor), "", "", "Нет результатов расчёта"},
        {motor, {"E15", -1, ""}, "", "", "Масса корпуса"},
    };
    for (const auto& c : cases) {
        TempDir directory;
        const std::string file = directory.File("x.rse");
        const ExportStatus status = ExportRseFile(file, {c.motor, "", "a&b<c>.zel"}, c.options);
        if (!c.error.empty()) {
            EXPECT_NE(status.error.find(c.error), std::string::npos) << status.error;
            EXPECT_FALSE(std::filesystem::exists(file));
            continue;
        }
        ASSERT_TRUE(status.ok()) << status.error;
        const ReadRse read = ReadRseFile(file);
        ASSERT_EQ(read.error, "");
        EXPECT_EQ(read.engine.at("code"), c.code);
        EXPECT_EQ(read.engine.at("mfg"), c.mfg);
        EXPECT_EQ(read.comments, "Tarvo: a&b<c>.zel, propellant unknown propellant");
    }
}

}  // namespace
}  // namespace tarvo
