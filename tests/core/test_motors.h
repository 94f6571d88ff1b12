#pragma once
// Motors the core tests share.

#include "ballistics/geometry.h"
#include "model/example_motor.h"
#include "model/motor_model.h"

namespace tarvo::test {

// One KN/DX grain Do 30, do 10, Lo 60 with every surface burning, Kno 50, e 1.
inline MotorModel WorkedExampleMotor() {
    MotorModel m;
    m.grainKind = kCoredOnly;
    SelectDefaultPropellant(m, 1);
    m.Dc = 32;
    m.Lc = 100;
    m.Vc = ChamberVolume(m.Dc, m.Lc);
    m.Do = 30;
    m.do_ = 10;
    m.Lo = 60;
    m.N = 1;
    m.Os = 1;
    m.Cs = 1;
    m.Es = 1;
    m.RoiRor = 0.96;
    m.Kno = 50;
    m.e = 1;
    m.uc = 0.95;
    m.Patm = 0.101;
    m.GStar = 6;
    m.unoz = 0.85;
    m.AeAt = 5;
    return m;
}

}  // namespace tarvo::test
