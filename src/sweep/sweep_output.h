#pragma once
// A sweep's rows as tarvo-calc prints them and the dialog exports them: CSV with a decimal
// point, or one JSON object per line, with the same columns: the varied keys, success, the
// figures, MotorClass, alerts (the codes of the design checks) and status.

#include <string>
#include <vector>

#include "sweep/sweep.h"

namespace tarvo {

// The column names, in order.
std::vector<std::string> SweepColumns(const std::vector<const SweepKey*>& keys);

std::string CsvHeader(const std::vector<const SweepKey*>& keys);
std::string CsvRow(const SweepRow& row);  // with its line end
std::string JsonLine(const std::vector<const SweepKey*>& keys, const SweepRow& row);

// The header and every calculated row.
std::string SweepCsv(const std::vector<const SweepKey*>& keys, const std::vector<SweepRow>& rows);

// The codes of the alerts, space-separated: "port-throat mass-flux".
std::string AlertText(const DesignOutcome& outcome);

// A number with a decimal point, as short as reads back as the same double.
std::string PointNumber(double value);

// The keys of a plan's axes.
std::vector<const SweepKey*> AxisKeys(const SweepPlan& plan);

}  // namespace tarvo
