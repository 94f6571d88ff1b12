#pragma once
// The example motor files as sweep plans.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sweep/sweep_plan.h"

namespace tarvo::testing {

inline const std::string kExamples = TARVO_EXAMPLES_DIR;
inline const std::string kBates = kExamples + "/bates-kn-sb.zel";
inline const std::string kBoth = kExamples + "/cored-and-end-burner-kn-dx.zel";
inline const std::string kEndBurner = kExamples + "/end-burner-kn-dx.zel";

inline IniDocument Example(const std::string& path) {
    std::string error;
    std::optional<IniDocument> document = ReadMotorDocument(path, error);
    EXPECT_TRUE(document) << error;
    return document.value_or(IniDocument());
}

// A plan of the file with the axes "KEY=FROM:TO:STEP".
inline SweepPlan PlanOf(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<SweepAxis> axes;
    for (const std::string& argument : arguments) {
        AxisValues parsed = ParseSweepArgument(argument);
        EXPECT_TRUE(parsed.axis) << argument << ": " << parsed.error;
        if (parsed.axis) {
            axes.push_back(std::move(*parsed.axis));
        }
    }
    return SweepPlan(Example(path), path, std::move(axes));
}

}  // namespace tarvo::testing
