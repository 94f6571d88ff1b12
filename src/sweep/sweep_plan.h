#pragma once
// What a sweep calculates: a motor document and up to three keys, each with its values. Every
// combination of the values is one design: the document with those keys changed, calculated
// as if a motor file held it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ini_document.h"
#include "sweep/sweep_keys.h"

namespace tarvo {

inline constexpr std::size_t kMaxSweepKeys = 3;
inline constexpr std::size_t kMaxSweepDesigns = 100000;

struct SweepAxis {
    const SweepKey* key = nullptr;
    std::vector<KeyValue> values;  // ascending
};

// The values FROM, FROM + STEP, ... up to TO of a key, each as its field holds it; or why they
// cannot be taken (a bad range, a value the field cannot hold).
struct AxisValues {
    std::optional<SweepAxis> axis;
    std::string error;
};
AxisValues MakeAxis(const SweepKey& key, double from, double to, double step);

// "KEY=FROM:TO:STEP" as the command line gives it; numbers with a comma or a point.
AxisValues ParseSweepArgument(std::string_view argument);

// Three numbers "FROM:TO:STEP" or two "FROM:TO"; nothing when the text is not that.
std::optional<std::vector<double>> ParseRange(std::string_view text, std::size_t count);

class SweepPlan {
public:
    // `base` is a motor document of the current layout; `name` the file it came from.
    SweepPlan(IniDocument base, std::string name, std::vector<SweepAxis> axes);

    const IniDocument& base() const { return base_; }
    const std::string& name() const { return name_; }
    const std::vector<SweepAxis>& axes() const { return axes_; }
    // The number of designs: the product of the axes' value counts.
    std::size_t size() const;

    // The values of design `index` (one per axis): the first axis changes slowest.
    std::vector<const KeyValue*> valuesAt(std::size_t index) const;
    // The base document with the keys of design `index` changed.
    IniDocument documentAt(std::size_t index) const;

private:
    IniDocument base_;
    std::string name_;
    std::vector<SweepAxis> axes_;
};

// Refuses more than kMaxSweepKeys axes, a key given twice and more than kMaxSweepDesigns
// designs; the message, or nothing when the axes can be swept.
std::optional<std::string> CheckAxes(const std::vector<SweepAxis>& axes);

// The base document with `values` written into their keys.
IniDocument ChangedDocument(const IniDocument& base, const std::vector<const SweepKey*>& keys,
                            const std::vector<const KeyValue*>& values);

// A motor file read for sweeping: converted in memory when it has the older layout. Nothing,
// with the reason in `error`, when it cannot be opened as a motor file.
std::optional<IniDocument> ReadMotorDocument(const std::string& path, std::string& error);

}  // namespace tarvo
