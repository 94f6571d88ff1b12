#pragma once
// Example motors with every input filled, shared by the tests and the benchmarks.

#include "model/motor_design.h"
#include "model/propellants.h"

namespace tarvo::example {

// The common inputs of the steppers at their defaults.
inline MotorDesign WithPropellant(GrainKind kind, int Ftype) {
    MotorDesign d;
    d.grainKind = kind;
    d.propellantName = PropellantName(Ftype);
    d.propellant = DefaultPropellant(Ftype);
    d.burnRate = DefaultBurnRateTable(Ftype);
    d.RoiRor = 0.96;
    d.uc = 0.95;
    d.Patm = 0.101;
    d.GStar = 6;
    d.kv = 0;
    d.unoz = 0.85;
    return d;
}

// Three equal cored grains of KN/SB with inhibited outer surfaces (a BATES-like motor).
inline MotorDesign CoredMotor() {
    MotorDesign d = WithPropellant(kCoredOnly, 2);
    d.Dc = 40;
    d.Lc = 200;
    d.Do = 38;
    d.do_ = 14;
    d.Lo = 60;
    d.N = 3;
    d.Os = 0;
    d.Cs = 1;
    d.Es = 1;
    d.Kno = 250;
    d.e = 0.5;
    d.AeAt = 8;
    return d;
}

// Two cored grains of KN/DX with an end-burning grain that outlasts them.
inline MotorDesign MotorWithEndBurner() {
    MotorDesign d = WithPropellant(kCoredAndEndBurner, 1);
    d.Dc = 30;
    d.Lc = 200;
    d.Do = 28;
    d.do_ = 10;
    d.Lo = 50;
    d.N = 2;
    d.Os = 0;
    d.Cs = 1;
    d.Es = 1;
    d.Lto = 60;
    d.Dto = 28;
    d.Kno = 200;
    d.e = 0.3;
    d.AeAt = 6;
    return d;
}

// A single end-burning grain of KN/DX.
inline MotorDesign EndBurner() {
    MotorDesign d = WithPropellant(kEndBurnerOnly, 1);
    d.Dc = 30;
    d.Lc = 150;
    d.Lto = 40;
    d.Dto = 28;
    d.Kno = 60;
    d.AeAt = 4;
    return d;
}

}  // namespace tarvo::example
