#pragma once
// Which edit field holds which input, and how the messages name it.

#include <array>
#include <string>
#include <string_view>

#include "model/motor_design.h"

namespace tarvo {

// Edit field numbers (the N of "EditN") of the motor inputs.
namespace field {
inline constexpr int kDc = 1;
inline constexpr int kLc = 2;
inline constexpr int kDo = 4;
inline constexpr int kdo = 5;
inline constexpr int kLo = 6;
inline constexpr int kN = 7;
inline constexpr int kOs = 8;
inline constexpr int kCs = 9;
inline constexpr int kEs = 10;
inline constexpr int kRoiRor = 11;
inline constexpr int kKno = 12;
inline constexpr int ke = 13;
inline constexpr int kuc = 29;
inline constexpr int kPatm = 30;
inline constexpr int kGStar = 31;
inline constexpr int kkv = 32;
inline constexpr int kunoz = 93;
inline constexpr int kAeAt = 94;
inline constexpr int kLto = 95;
inline constexpr int kDto = 96;
}  // namespace field

inline constexpr int kLastEditNumber = 96;

// Edit3 was never placed on the window; every other number from 1 to 96 is a field.
constexpr bool IsEditNumber(int number) {
    return number >= 1 && number <= kLastEditNumber && number != 3;
}

// The five constants of one propellant on tab 5, by field number.
struct PropellantFields {
    int pPrime;
    int k2ph;
    int k;
    int M;
    int To;
};

// Indexed by Ftype - 1.
inline constexpr std::array<PropellantFields, kPropellantCount> kPropellantFields = {{
    {14, 15, 16, 17, 18},
    {19, 20, 21, 22, 23},
    {24, 25, 26, 27, 28},
}};

// The burn-rate grid of one propellant: the first of five consecutive fields (range 1 at the
// top) of each column.
struct BurnRateFields {
    int lower;
    int upper;
    int a;
    int n;
};

// Indexed by Ftype - 1.
inline constexpr std::array<BurnRateFields, kPropellantCount> kBurnRateFields = {{
    {43, 48, 33, 38},
    {53, 58, 63, 68},
    {83, 88, 73, 78},
}};

// How a field is named in a status message, and the tab it lies on (1 to 5).
struct FieldName {
    std::string name;
    int tab = 0;
};

// The name and tab of every field of a motor input or a propellant constant (the surface flags
// included); an empty name for the others.
FieldName NameOfField(int edit);

// "Должно быть больше 0 значение Dc [вкладка 1]".
std::string MustBePositiveMessage(const FieldName& field);

// "Должно быть больше 1 значение Ratio of specific heats, ... [вкладка 5]".
std::string MustExceedOneMessage(const FieldName& field);

// "Не число в поле Dc [вкладка 1]".
std::string NotANumberMessage(const FieldName& field);

}  // namespace tarvo
