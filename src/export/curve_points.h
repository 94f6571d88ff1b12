#pragma once
// The points of a calculation that the curve exports write, in time order.

#include <vector>

#include "model/calculation_result.h"

namespace tarvo {

// The pressure stage's points (rows 0..881 of the time series) as one curve of increasing
// time: the rows in the order the calculation made them, leaving out each row whose time does
// not pass the last one taken. A motor whose end-burning grain outlasts its cored grains has
// the tail-off after the cores (rows 417..463) and the first part of that grain's own phase
// (rows 464..) at overlapping times; the curve keeps the tail-off, which decays towards that
// grain's pressure, and goes on with the grain's phase after it, rather than interleaving the
// two into a saw-tooth. Row indices; empty for an empty series.
std::vector<int> TimeOrderedPoints(const TimeSeries& series);

}  // namespace tarvo
