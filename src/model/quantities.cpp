#include "model/quantities.h"

#include <algorithm>

namespace tarvo {
namespace {

template <double tarvo::Quantities::*Member>
double Figure(const CalculationResult& r) {
    return r.figures.*Member;
}

template <double PropellantSpec::*Member>
double Constant(const CalculationResult& r) {
    return r.design.propellant.*Member;
}

double Isp(const CalculationResult& r) {
    return SpecificImpulse(r.figures);
}

using Q = tarvo::Quantities;
constexpr Stage kGeo = Stage::kGeometry;
constexpr Stage kKn = Stage::kKn;
constexpr Stage kPre = Stage::kPressure;
constexpr Stage kThr = Stage::kThrust;

constexpr QuantityInfo kQuantities[] = {
    {"Vc", &Figure<&Q::Vc>, "mm^3", kGeo},
    {"Lgo", &Figure<&Q::Lgo>, "mm", kGeo},
    {"Vg", &Figure<&Q::Vg>, "mm^3", kGeo},
    {"Vt", &Figure<&Q::Vt>, "-", kGeo},
    {"p'", &Constant<&PropellantSpec::pPrime>, "g/cm^3", kGeo},
    {"p", &Figure<&Q::p>, "g/cm^3", kGeo},
    {"m", &Figure<&Q::m>, "kg", kGeo},
    {"Abeo", &Figure<&Q::Abeo>, "mm^2", kGeo},
    {"Abco", &Figure<&Q::Abco>, "mm^2", kGeo},
    {"Abso", &Figure<&Q::Abso>, "mm^2", kGeo},
    {"Abo", &Figure<&Q::Abo>, "mm^2", kGeo},
    {"Abtr", &Figure<&Q::Abtr>, "mm^2", kGeo},
    {"Ato", &Figure<&Q::Ato>, "mm^2", kGeo},
    {"Dt", &Figure<&Q::Dt>, "mm", kGeo},
    {"Dtf", &Figure<&Q::Dtf>, "mm", kGeo},
    {"w", &Figure<&Q::w>, "mm", kGeo},
    {"Kn max", &Figure<&Q::KnMax>, "-", kKn},
    {"Kn min", &Figure<&Q::KnMin>, "-", kKn},
    {"Kn avg", &Figure<&Q::KnAvg>, "-", kKn},
    {"Kn end", &Figure<&Q::KnEnd>, "-", kKn},
    {"WebTotal", &Figure<&Q::WebTotal>, "mm", kKn},
    {"R'", &Figure<&Q::RPrime>, "J/(kmol*K)", kGeo},
    {"M", &Constant<&PropellantSpec::M>, "kg/kmol", kGeo},
    {"R", &Figure<&Q::R>, "J/(kg*K)", kGeo},
    {"k", &Constant<&PropellantSpec::k>, "-", kGeo},
    {"To", &Constant<&PropellantSpec::To>, "K", kGeo},
    {"To act", &Figure<&Q::ToAct>, "K", kGeo},
    {"c*", &Figure<&Q::cStar>, "m/s", kGeo},
    {"Pmax", &Figure<&Q::Pmax>, "MPa", kPre},
    {"BurnTime", &Figure<&Q::BurnTime>, "s", kPre},
    {"ThrustTime", &Figure<&Q::ThrustTime>, "s", kPre},
    {"AvgBurnRate", &Figure<&Q::AvgBurnRate>, "mm/s", kPre},
    {"StepRateMean", &Figure<&Q::StepRateMean>, "mm/s", kPre},
    {"TracerPressure", &Figure<&Q::TracerPressure>, "MPa", kPre},
    {"TracerPmax", &Figure<&Q::TracerPmax>, "MPa", kPre},
    {"TracerEnd", &Figure<&Q::TracerEnd>, "s", kPre},
    {"TracerTailEnd", &Figure<&Q::TracerTailEnd>, "s", kPre},
    {"TracerRate", &Figure<&Q::TracerRate>, "mm/s", kPre},
    {"TracerTailTime", &Figure<&Q::TracerTailTime>, "s", kPre},
    {"TailStep", &Figure<&Q::TailStep>, "s", kPre},
    {"PortThroatRatio", &Figure<&Q::PortThroatRatio>, "-", kPre},
    {"PeakMassFlux", &Figure<&Q::PeakMassFlux>, "kg/(m^2*s)", kPre},
    {"Ae", &Figure<&Q::Ae>, "mm^2", kThr},
    {"De", &Figure<&Q::De>, "mm", kThr},
    {"Meo", &Figure<&Q::Meo>, "-", kThr},
    {"Mef", &Figure<&Q::Mef>, "-", kThr},
    {"Ae/At opt", &Figure<&Q::AeAtOpt>, "-", kThr},
    {"Ae/At opt mid", &Figure<&Q::AeAtOptMid>, "-", kThr},
    {"wf", &Figure<&Q::wf>, "-", kThr},
    {"Cf max", &Figure<&Q::CfMax>, "-", kThr},
    {"Fmax", &Figure<&Q::Fmax>, "N", kThr},
    {"Favg", &Figure<&Q::Favg>, "N", kThr},
    {"It", &Figure<&Q::It>, "N*s", kThr},
    {"Isp", &Isp, "s", kThr},
};

}  // namespace

std::span<const QuantityInfo> QuantityTable() {
    return kQuantities;
}

const QuantityInfo* FindQuantity(std::string_view symbol) {
    const auto it = std::find_if(std::begin(kQuantities), std::end(kQuantities),
                                 [symbol](const QuantityInfo& q) { return q.symbol == symbol; });
    return it == std::end(kQuantities) ? nullptr : &*it;
}

}  // namespace tarvo
