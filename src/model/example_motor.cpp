#include "model/example_motor.h"

#include "ballistics/geometry.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

void SetChamber(MotorModel& m, double Dc, double Lc) {
    m.Dc = Dc;
    m.Lc = Lc;
    m.Vc = ChamberVolume(Dc, Lc);
}

void SetCommonInputs(MotorModel& m) {
    m.RoiRor = 0.96;
    m.uc = 0.95;
    m.Patm = 0.101;
    m.GStar = 6;
    m.kv = 0;
    m.unoz = 0.85;
}

}  // namespace

void SelectDefaultPropellant(MotorModel& m, int Ftype) {
    for (int type = 1; type <= kPropellantCount; ++type) {
        m.propellants[type - 1] = DefaultPropellant(type);
    }
    m.Ftype = Ftype;
    const PropellantSpec selected = DefaultPropellant(Ftype);
    m.pPrime = selected.pPrime;
    m.k2ph = selected.k2ph;
    m.k = selected.k;
    m.M = selected.M;
    m.To = selected.To;
}

MotorModel ExampleCoredMotor() {
    MotorModel m;
    m.grainKind = kCoredOnly;
    SelectDefaultPropellant(m, 2);
    SetChamber(m, 40, 200);
    SetCommonInputs(m);
    m.Do = 38;
    m.do_ = 14;
    m.Lo = 60;
    m.N = 3;
    m.Os = 0;
    m.Cs = 1;
    m.Es = 1;
    m.Kno = 250;
    m.e = 0.5;
    m.AeAt = 8;
    return m;
}

MotorModel ExampleMotorWithEndBurner() {
    MotorModel m;
    m.grainKind = kCoredAndEndBurner;
    SelectDefaultPropellant(m, 1);
    SetChamber(m, 30, 200);
    SetCommonInputs(m);
    m.Do = 28;
    m.do_ = 10;
    m.Lo = 50;
    m.N = 2;
    m.Os = 0;
    m.Cs = 1;
    m.Es = 1;
    m.Lto = 60;
    m.Dto = 28;
    m.Kno = 200;
    m.e = 0.3;
    m.AeAt = 6;
    return m;
}

MotorModel ExampleEndBurner() {
    MotorModel m;
    m.grainKind = kEndBurnerOnly;
    SelectDefaultPropellant(m, 1);
    SetChamber(m, 30, 150);
    SetCommonInputs(m);
    m.Lto = 40;
    m.Dto = 28;
    m.Kno = 60;
    m.AeAt = 4;
    return m;
}

}  // namespace tarvo
