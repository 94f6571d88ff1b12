#pragma once
// Built-in example motors with every input filled, for the demo run, tests and benchmarks.

#include "model/motor_model.h"

namespace tarvo {

// Three equal cored grains of KN/SB with inhibited outer surfaces (a BATES-like motor).
MotorModel ExampleCoredMotor();

// Two cored grains of KN/DX with an end-burning grain that outlasts them.
MotorModel ExampleMotorWithEndBurner();

// A single end-burning grain of KN/DX.
MotorModel ExampleEndBurner();

// Fills the constants of all three propellants with the built-in defaults and copies the
// selected one's.
void SelectDefaultPropellant(MotorModel& model, int Ftype);

}  // namespace tarvo
