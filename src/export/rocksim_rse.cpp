#include "export/rocksim_rse.h"

#include <libxml/xmlwriter.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "export/curve_points.h"
#include "export/point_numbers.h"
#include "files/encoding.h"
#include "model/number_text.h"

namespace tarvo {

namespace {

// Tens of microseconds keep the closely spaced tail-off points of a small motor apart.
constexpr int kTimeDecimals = 5;
constexpr int kThrustDecimals = 3;
constexpr int kMassDecimals = 3;    // g: milligrams
constexpr int kLengthDecimals = 2;  // mm
constexpr double kGramsPerKilogram = 1000;
constexpr double kKilogramsPerMillimetreCubed = 1e-6;  // per g/cm^3

// What the centre of gravity needs of the design, in mm and kg.
struct ChargeLayout {
    double length = 0.0;        // the chamber, from the forward end to the nozzle end
    double coredCentre = 0.0;   // of the cored grains stacked against the nozzle end
    double endGrainArea = 0.0;  // cross-section of the end-burning grain, mm^2
    double density = 0.0;       // kg/mm^3
    double casingMass = 0.0;
};

ChargeLayout LayoutOf(const CalculationResult& result, double casingMass) {
    const MotorDesign& d = result.design;
    return {d.Lc, d.Lc - result.figures.Lg / 2, std::numbers::pi / 4 * d.Dto * d.Dto,
            result.figures.p * kKilogramsPerMillimetreCubed, casingMass};
}

// The end-burning grain burns from its aft face towards the forward closure, so its centre
// is half its remaining length from the forward end; the rest of the charge is cored grains.
double CentreOfGravity(const ChargeLayout& layout, const ChargeState& charge, double previous) {
    const double endGrainLength = std::max(0.0, charge.tracerLength);
    const double endGrainMass =
        std::clamp(layout.density * layout.endGrainArea * endGrainLength, 0.0, charge.mass);
    const double coredMass = std::max(0.0, charge.mass - endGrainMass);
    const double total = endGrainMass + coredMass + layout.casingMass;
    if (!(total > 0)) {
        return previous;  // nothing left to weigh: the centre stays where it was
    }
    return (endGrainMass * endGrainLength / 2 + coredMass * layout.coredCentre +
            layout.casingMass * layout.length / 2) /
           total;
}

std::optional<std::string> ChargeFault(const CalculationResult& result) {
    const double charge = result.figures.Lgo;
    const double chamber = result.design.Lc;
    if (charge > chamber) {
        return "Заряд длиннее камеры: Lgo = " + FormatGeneral(charge) +
               " мм, Lc = " + FormatGeneral(chamber) + " мм; центр масс двигателя не определить";
    }
    return std::nullopt;
}

bool AllFinite(const RsePoint& point) {
    return std::isfinite(point.time) && std::isfinite(point.thrust) && std::isfinite(point.mass) &&
           std::isfinite(point.cg);
}

// A simulator takes the curve to end where the thrust is zero: the thrust stage's closing
// point when it comes later, else one written time step after the last point.
void CloseAtZeroThrust(const TimeSeries& series, RseCurve& curve) {
    const RsePoint last = curve.points.back();
    if (last.thrust == 0.0 && curve.points.size() > 1) {
        return;
    }
    const double step = std::pow(10.0, -kTimeDecimals);
    const double closing = AsWritten(series[kLastTimePoint].time, kTimeDecimals);
    const double time = std::isfinite(closing) && closing > last.time
                            ? closing
                            : AsWritten(last.time + step, kTimeDecimals);
    curve.points.push_back({time, 0.0, last.mass, last.cg});
}

// ---- XML ----

// Text that XML 1.0 can hold: valid UTF-8, control characters as blanks, the two
// non-characters U+FFFE and U+FFFF as "?", blanks at either end dropped.
std::string XmlText(std::string_view text) {
    std::string out = SanitizeUtf8(text);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        c = byte < ' ' || byte == 0x7F ? ' ' : c;
    }
    for (const std::string_view nonCharacter : {"\xEF\xBF\xBE", "\xEF\xBF\xBF"}) {
        for (std::size_t at = out.find(nonCharacter); at != std::string::npos;
             at = out.find(nonCharacter, at)) {
            out.replace(at, nonCharacter.size(), "?");
        }
    }
    const std::size_t first = out.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : out.substr(first, out.find_last_not_of(' ') - first + 1);
}

const xmlChar* Xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// libxml2's writer into memory; it escapes what it writes. A failed call makes text() empty.
class XmlDocument {
public:
    XmlDocument()
        : buffer_(xmlBufferCreate()),
          writer_(buffer_ != nullptr ? xmlNewTextWriterMemory(buffer_, 0) : nullptr) {
        ok_ = writer_ != nullptr && xmlTextWriterSetIndent(writer_, 1) >= 0 &&
              xmlTextWriterSetIndentString(writer_, Xml("  ")) >= 0 &&
              xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr) >= 0;
    }
    ~XmlDocument() {
        if (writer_ != nullptr) {
            xmlFreeTextWriter(writer_);
        }
        if (buffer_ != nullptr) {
            xmlBufferFree(buffer_);
        }
    }
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    void start(const char* element) {
        ok_ = ok_ && xmlTextWriterStartElement(writer_, Xml(element)) >= 0;
    }
    void attribute(const char* name, const std::string& value) {
        ok_ = ok_ && xmlTextWriterWriteAttribute(writer_, Xml(name), Xml(value.c_str())) >= 0;
    }
    void text(const std::string& value) {
        ok_ = ok_ && xmlTextWriterWriteString(writer_, Xml(value.c_str())) >= 0;
    }
    void end() { ok_ = ok_ && xmlTextWriterEndElement(writer_) >= 0; }

    std::optional<std::string> finish() {
        ok_ = ok_ && xmlTextWriterEndDocument(writer_) >= 0 && xmlTextWriterFlush(writer_) >= 0;
        if (!ok_) {
            return std::nullopt;
        }
        return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer_)),
                           static_cast<std::size_t>(xmlBufferLength(buffer_)));
    }

private:
    xmlBufferPtr buffer_;
    xmlTextWriterPtr writer_;
    bool ok_ = false;
};

std::string TextOr(std::string_view text, std::string_view fallback) {
    std::string value = XmlText(text);
    return value.empty() ? XmlText(fallback) : value;
}

EngCurve ThrustCurve(const RseCurve& curve) {
    EngCurve thrust;
    for (const RsePoint& point : curve.points) {
        thrust.points.push_back({point.time, point.thrust});
    }
    return thrust;
}

void WriteEngine(XmlDocument& xml, const EngSource& source, const EngOptions& options,
                 const RseCurve& curve) {
    const CalculationResult& result = source.result;
    const EngCurve thrust = ThrustCurve(curve);
    double peak = 0.0;
    for (const EngPoint& point : thrust.points) {
        peak = std::max(peak, point.thrust);
    }
    const EngImpulse impulse = CurveImpulse(thrust);
    const double propellant = result.figures.m * kGramsPerKilogram;
    const double casing = options.casingMass * kGramsPerKilogram;
    xml.start("engine");
    xml.attribute("mfg", TextOr(options.manufacturer, kEngDefaultManufacturer));
    xml.attribute("code", TextOr(options.name, CurveDesignation(thrust)));
    xml.attribute("Type", std::string(kRseMotorType));
    xml.attribute("dia", PlainNumber(result.design.Dc, kLengthDecimals));
    xml.attribute("len", PlainNumber(result.design.Lc, kLengthDecimals));
    xml.attribute("initWt", PlainNumber(propellant + casing, kMassDecimals));
    xml.attribute("propWt", PlainNumber(propellant, kMassDecimals));
    xml.attribute("delays", std::string(kEngPluggedDelay));
    xml.attribute("auto-calc-mass", "0");
    xml.attribute("auto-calc-cg", "0");
    xml.attribute("avgThrust", PlainNumber(impulse.averageThrust, kThrustDecimals));
    xml.attribute("peakThrust", PlainNumber(peak, kThrustDecimals));
    xml.attribute("throatDia", PlainNumber(result.figures.Dt, kLengthDecimals));
    xml.attribute("exitDia", PlainNumber(result.figures.De, kLengthDecimals));
    xml.attribute("Itot", PlainNumber(impulse.impulse, kThrustDecimals));
    xml.attribute("burn-time", PlainNumber(curve.points.back().time, kTimeDecimals));
    xml.start("comments");
    xml.text(XmlText("Tarvo: " + SourceDescription(source)));
    xml.end();
    xml.start("data");
    for (const RsePoint& point : curve.points) {
        xml.start("eng-data");
        xml.attribute("t", PlainNumber(point.time, kTimeDecimals));
        xml.attribute("f", PlainNumber(point.thrust, kThrustDecimals));
        xml.attribute("m", PlainNumber(point.mass, kMassDecimals));
        xml.attribute("cg", PlainNumber(point.cg, kLengthDecimals));
        xml.end();
    }
    xml.end();
    xml.end();
}

}  // namespace

RseCurve RseCurveOf(const CalculationResult& result, double casingMass) {
    const TimeSeries& series = result.timeSeries;
    if (!result.succeeded() || series.size() < kTimeSeriesRows) {
        return {{}, "Нет результатов расчёта для кривой тяги"};
    }
    if (std::optional<std::string> fault = ChargeFault(result)) {
        return {{}, *fault};
    }
    const ChargeLayout layout = LayoutOf(result, casingMass);
    RseCurve curve;
    double cg = layout.length / 2;
    for (const int row : TimeOrderedPoints(series)) {
        const TimePoint& at = series[row];
        cg = CentreOfGravity(layout, at.charge, cg);
        const RsePoint point{
            AsWritten(at.time, kTimeDecimals),
            std::max(0.0, AsWritten(at.thrust, kThrustDecimals)),  // no pulling motor
            AsWritten((at.charge.mass + casingMass) * kGramsPerKilogram, kMassDecimals),
            AsWritten(cg, kLengthDecimals)};
        if (!AllFinite(point)) {
            return {{},
                    "Кривая тяги содержит нечисловое значение (точка " + std::to_string(row) +
                        " расчёта)"};
        }
        if (curve.points.empty() || point.time > curve.points.back().time) {
            curve.points.push_back(point);
        }
    }
    if (curve.points.empty()) {
        return {{}, "Нет результатов расчёта для кривой тяги"};
    }
    CloseAtZeroThrust(series, curve);
    return curve;
}

std::string DefaultRseMotorName(const CalculationResult& result) {
    return CurveDesignation(ThrustCurve(RseCurveOf(result, 0.0)));
}

EngOptions DefaultRseOptions(const CalculationResult& result) {
    return {DefaultRseMotorName(result), 0.0, std::string(kEngDefaultManufacturer)};
}

EngDocument FormatRseDocument(const EngSource& source, const EngOptions& options) {
    if (std::optional<std::string> fault = CurveHeaderFault(source.result, options)) {
        return {{}, *fault};
    }
    const RseCurve curve = RseCurveOf(source.result, options.casingMass);
    if (!curve.ok()) {
        return {{}, curve.error};
    }
    XmlDocument xml;
    xml.start("engine-database");
    xml.start("engine-list");
    WriteEngine(xml, source, options, curve);
    xml.end();
    xml.end();
    std::optional<std::string> text = xml.finish();
    if (!text) {
        return {{}, "не удалось составить XML"};
    }
    return {std::move(*text), {}};
}

ExportStatus ExportRseFile(const std::filesystem::path& target, const EngSource& source,
                           const EngOptions& options) {
    return WriteExportDocument(target, FormatRseDocument(source, options));
}

}  // namespace tarvo
