#pragma once
// The impulse class letter and the 23 points of the result table.

#include <array>
#include <string>

namespace tarvo {

struct ClassRow {
    double lower;  // N s, excluded
    double upper;  // N s, included
    const char* letter;
};

inline constexpr std::array<ClassRow, 18> kClassTable = {{
    {0, 1.26, "x"},
    {1.26, 2.5, "A"},
    {2.5, 5, "B"},
    {5, 10, "C"},
    {10, 20, "D"},
    {20, 40, "E"},
    {40, 80, "F"},
    {80, 160, "G"},
    {160, 320, "H"},
    {320, 640, "I"},
    {640, 1280, "J"},
    {1280, 2560, "K"},
    {2560, 5120, "L"},
    {5120, 10240, "M"},
    {10240, 20480, "N"},
    {20480, 40960, "O"},
    {40960, 81920, "P"},
    {81920, 163840, "Q"},
}};
inline constexpr const char* kOpenEndedClass = "X";  // above the last row
inline constexpr const char* kNoClass = "--";

// The class letter for a total impulse, or "--" when the impulse is not above 0.
std::string MotorClassFor(double It);

}  // namespace tarvo
