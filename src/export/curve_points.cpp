#include "export/curve_points.h"

#include <algorithm>

namespace tarvo {

std::vector<int> TimeOrderedPoints(const TimeSeries& series) {
    std::vector<int> rows;
    const int count = std::min(static_cast<int>(series.size()), kLastTimePoint);
    for (int row = 0; row < count; ++row) {
        const double time = series[row].time;
        if (rows.empty() ? time >= 0 : time > series[rows.back()].time) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace tarvo
