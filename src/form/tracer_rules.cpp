// The grain-kind boxes, the end-burning grain ("трассер") fields, the "Показать трассер" boxes
// and the propellant list. The rules work on the field texts; a text that is no number makes
// the comparison that needs it false, so that loading a file never stops half-way.

#include "form/form_model.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr EditId kLtoField{field::kLto};
constexpr EditId kDtoField{field::kDto};
constexpr EditId kDcField{field::kDc};
constexpr EditId kLcField{field::kLc};

// A proposed or clamped size as a whole number; "0" when there is no number to write.
std::string WholeNumberText(std::optional<double> value) {
    return value ? FormatInteger(*value) : std::string("0");
}

// A limit written back into a field is never negative: a negative limit would make the two
// rules of one field rewrite each other forever.
std::string LimitText(double limit) {
    return limit < 0 ? std::string("0") : FormatInteger(limit);
}

bool Exceeds(std::optional<double> value, std::optional<double> limit) {
    return value && limit && *value > *limit;
}

// A negative size becomes "0", and so does a text that is no number when a file brings it. A
// typed one stays, marked, for the user to finish or correct: backspacing over a length must
// not throw the end-burning grain away.
bool BecomesZero(std::optional<double> size, bool loading) {
    return size ? *size < 0 : loading;
}

}  // namespace

// The chamber length the cored grains leave over: Lc - N * Lo.
std::optional<double> FormModel::freeChamberLength() const {
    const auto Lc = numberIn(kLcField);
    const auto N = numberIn(EditId{field::kN});
    const auto Lo = numberIn(EditId{field::kLo});
    if (!Lc || !N || !Lo) {
        return std::nullopt;
    }
    return *Lc - *N * *Lo;
}

// "Торцевая шашка": enables the grain's fields and proposes a size that fills the free
// chamber, for each dimension that is still 0; a dimension that does not fit becomes "0".
void FormModel::chkClick() {
    if (!isChecked(kEndGrainBox)) {
        setFieldEnabled(kLtoField, false);
        setFieldEnabled(kDtoField, false);
        return;
    }
    setFieldEnabled(kDtoField, true);
    setFieldEnabled(kLtoField, true);

    const auto free = freeChamberLength();
    const auto length = numberIn(kLtoField);
    if (free && (*free <= 0 || (length && *free < *length))) {
        setFieldText(kLtoField, "0");
    } else if (length && FormatInteger(*length) == "0") {
        setFieldText(kLtoField, WholeNumberText(free));
    }
    // The diameter rule runs even when the length rule has just cleared the box.
    const auto Dc = numberIn(kDcField);
    const auto diameter = numberIn(kDtoField);
    if (Dc && (*Dc <= 0 || (diameter && *Dc < *diameter))) {
        setFieldText(kDtoField, "0");
    } else if (diameter && FormatInteger(*diameter) == "0") {
        setFieldText(kDtoField, WholeNumberText(Dc));
    }
}

// "Канальные шашки": the cored-grain fields, their surface steppers and the nozzle erosion.
void FormModel::chk1Click() {
    const bool on = isChecked(kCoredGrainsBox);
    for (const int edit : {field::kDo, field::kdo, field::kLo, field::kN, field::kOs, field::kCs,
                           field::kEs, field::ke}) {
        setFieldEnabled(EditId{edit}, on);
    }
    for (const int number : {2, 3, 4}) {
        setStepperEnabled(StepperId{number}, on);
    }
}

// The tracer length stays within the free chamber length (or within Lc without cored grains);
// a length of 0 means there is no end-burning grain.
void FormModel::edit95Change() {
    checkEdit(kLtoField);
    if (isChecked(kCoredGrainsBox)) {
        const auto free = freeChamberLength();
        if (Exceeds(numberIn(kLtoField), free)) {
            setFieldText(kLtoField, LimitText(*free));
        }
    } else {
        const auto Lc = numberIn(kLcField);
        if (Exceeds(numberIn(kLtoField), Lc)) {
            setFieldText(kLtoField, LimitText(*Lc));
        }
    }
    if (BecomesZero(numberIn(kLtoField), loadingGuard_)) {
        setFieldText(kLtoField, "0");
    }
    if (numberIn(kLtoField) == 0.0) {
        setChecked(kEndGrainBox, false);
    }
}

// The tracer diameter stays within the chamber diameter.
void FormModel::edit96Change() {
    checkEdit(kDtoField);
    const auto Dc = numberIn(kDcField);
    if (Exceeds(numberIn(kDtoField), Dc)) {
        setFieldText(kDtoField, LimitText(*Dc));
    }
    if (BecomesZero(numberIn(kDtoField), loadingGuard_)) {
        setFieldText(kDtoField, "0");
    }
    if (numberIn(kDtoField) == 0.0) {
        setChecked(kEndGrainBox, false);
    }
}

// "Показать трассер": the time (or web regression) axis reaches to the end of the whole
// curve, or only to the end of the cored grains' part of it.
void FormModel::showTracerClick(CheckBoxId id) {
    const int chart = static_cast<int>(id) - 1;  // chk2 shows on Chart1 ... chk5 on Chart4
    const ChartState& state = charts_[chart];
    const bool show = isChecked(id);
    if (chart == 1) {
        setBottomAxis(chart, LargestX(state.series[show ? 0 : 1]));
        return;
    }
    setBottomAxis(chart, show ? LargestX(state.series[0]) : lastRun_.figures.ThrustTime);
}

// An axis keeps its maximum when there is nothing to reach to (no thrust time yet, or an
// empty curve), rather than collapsing to nothing.
void FormModel::setBottomAxis(int chart, double largestX) {
    if (largestX > 0) {
        setAxes(chart, largestX + 0.1 * largestX, charts_[chart].leftMax, std::nullopt);
    }
}

void FormModel::fboxChange() {
    if (!loadingGuard_) {
        setModified(true);
    }
    if (isButtonEnabled(kCalculateButton)) {
        notify(ChangeKind::kFocus, ToControl(kCalculateButton));
    }
}

}  // namespace tarvo
