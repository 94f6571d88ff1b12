#pragma once
// What the calculation stages have in common: chart points, their failure texts, the check
// that nothing non-finite leaves a stage, and the way out when memory runs short.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvo {

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
};

using ChartSeries = std::vector<ChartPoint>;

double LargestX(const ChartSeries& series);  // 0 for an empty series
double LargestY(const ChartSeries& series);  // 0 for an empty series

inline constexpr std::string_view kOutOfMemoryMessage = "Не могу выделить память для работы";

// Shows the message (the window installs a message box) and ends the program.
using FatalMessageHandler = void (*)(std::string_view message);
void SetFatalMessageHandler(FatalMessageHandler handler);
[[noreturn]] void FailOutOfMemory();

// Creates a working table of `rows` zeroed rows; ends the program when memory runs short.
template <typename Row>
std::vector<Row> CreateWorkingTable(std::size_t rows) {
    try {
        return std::vector<Row>(rows);
    } catch (const std::bad_alloc&) {
        FailOutOfMemory();
    }
}

// "Ошибка вычислений: <quantity> [вкладка N]".
std::string ComputationFaultMessage(std::string_view quantity, int tab);

// The first named value that is not finite, or an empty text when all are.
using NamedValue = std::pair<std::string_view, double>;
std::string_view FirstNonFinite(std::initializer_list<NamedValue> values);
bool AllFinite(const ChartSeries& series);

}  // namespace tarvo
