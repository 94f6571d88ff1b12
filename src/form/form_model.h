#pragma once
// The state of every control of the main window and the window's behaviour, without a
// toolkit. A view draws this state and forwards the user's actions; the file layer and the
// command-line tool drive it directly. Every change is announced to the observers.
//
// Event semantics follow the window's controls: a field's change handler runs only when its
// text really changes (typing and program writes alike), a check box's click handler runs on
// every change of its checked state, and handlers re-enter one another through such changes.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/controls.h"
#include "form/design_alerts.h"
#include "input/check_settings.h"
#include "input/field_map.h"
#include "model/calculation_result.h"

namespace tarvo {

// What changed: the kind of change and the control it happened to.
enum class ChangeKind {
    kText,           // field, label, memo, status panel or group caption text
    kEnabled,        // enabled state of a field, stepper, check box or button
    kChecked,        // check box state
    kPosition,       // stepper position
    kValidity,       // a field's validity mark
    kItems,          // propellant list entries
    kSelection,      // propellant list selection
    kSeries,         // points of a chart's series
    kAxes,           // axis maxima of a chart
    kRows,           // rows of the result table or lines of the design checks' list
    kProgress,       // progress bar visibility, range or position
    kFocus,          // the control is to take the keyboard focus
    kActiveTab,      // page of the page control
    kDocumentState,  // LoadingGuard or Modified
    kStaleResults,   // which tabs show results that no longer match the inputs
};

struct Change {
    ChangeKind kind;
    ControlId control;
};

struct ChartState {
    std::vector<ChartSeries> series;
    double bottomMax = 0.0;
    double leftMax = 0.0;
    double rightMax = 0.0;
    bool legend = false;  // shown while a stand log is drawn beside the calculation
};

struct ProgressBarState {
    bool visible = false;
    int min = 0;
    int max = 0;
    int position = 0;
};

struct ResultTableRow {
    std::string number;  // "1" to "23"
    std::string time;    // s, 2 decimals
    std::string thrust;  // N, 1 decimal
};

enum class StepDirection { kUp, kDown };

// The line a view shows beside results that no longer match the inputs.
inline constexpr std::string_view kStaleResultsNotice =
    "Исходные данные изменены — нажмите «Рассчитать»";

class FormModel {
public:
    using Observer = std::function<void(const Change&)>;

    // The window as it is created: design-time texts and states, no propellants listed.
    FormModel();
    // Observers hold on to the form they watch: a form is neither copied nor moved.
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    int addObserver(Observer observer);  // returns a token for removeObserver
    void removeObserver(int token);

    // Edit fields "Edit1" to "Edit96".
    const std::string& fieldText(EditId id) const;
    bool isFieldEnabled(EditId id) const;
    void setFieldText(EditId id, std::string_view text);
    void setFieldEnabled(EditId id, bool enabled);
    // The entry filter keeps what the user typed and marks a field whose text it does not take,
    // until the text becomes one it takes; the program's own writes while loading clear the
    // mark. The hint says what the field takes; "" for an unmarked field.
    bool isFieldMarked(EditId id) const;
    std::string fieldHint(EditId id) const;
    void clearFieldMarks();  // a new document: nothing typed to mark

    // Steppers "UpDown2" to "UpDown11".
    int stepperPosition(StepperId id) const;
    bool isStepperEnabled(StepperId id) const;
    // Clamps into the stepper's range; refuses (false, nothing changes) a position outside the
    // 16-bit range. Runs no handler.
    bool setStepperPosition(StepperId id, int position);
    void setStepperEnabled(StepperId id, bool enabled);
    // The stepper's click handler: writes its field from its position.
    void clickStepper(StepperId id);
    // A click on the control's arrow: moves by the increment within the range, then clicks.
    void stepStepper(StepperId id, StepDirection direction);

    // Check boxes "chk", "chk1" to "chk5".
    bool isChecked(CheckBoxId id) const;
    bool isCheckBoxEnabled(CheckBoxId id) const;
    void setChecked(CheckBoxId id, bool checked);
    void setCheckBoxEnabled(CheckBoxId id, bool enabled);

    // The propellant list "fbox". Replacing the entries leaves no selection and runs no
    // handler; selecting an index outside the entries leaves no selection (and returns false).
    // A real change of the selection runs the list's change handler.
    const std::vector<std::string>& propellantItems() const;
    int selectedPropellant() const;  // -1 for none
    void setPropellantItems(std::vector<std::string> items);
    bool selectPropellant(int index);

    // Value labels and the propellant names of tab 5 ("Label92" to "Label94", "GroupBox8" to
    // "GroupBox10").
    const std::string& labelText(LabelId id) const;
    void setLabelText(LabelId id, std::string_view text);
    const std::string& groupCaption(int groupBox) const;
    void setGroupCaption(int groupBox, std::string_view text);

    // Lower panel and tabs.
    const std::string& memoText() const;
    void setMemoText(std::string_view text);  // marks the document changed unless loading
    int activeTab() const;                    // 0..4, -1 for none
    void setActiveTab(int index);
    const std::string& statusText(int panel = 0) const;
    void setStatusText(int panel, std::string_view text);
    bool isButtonEnabled(ButtonId id) const;
    void setButtonEnabled(ButtonId id, bool enabled);
    const ProgressBarState& progressBar() const { return progress_; }
    const std::vector<ResultTableRow>& resultTable() const { return rows_; }
    void clearResultTable();
    const ChartState& chart(ChartId id) const;
    // A curve beside the calculated ones (a stand log), and the legend that names them; the
    // axes are raised, never lowered, so that it fits.
    void setSeriesPoints(ChartId id, std::size_t series, ChartSeries points);
    void setLegendVisible(ChartId id, bool visible);
    void raiseAxes(ChartId id, double bottom, double left);

    // Any control by id: its text, and whether it is enabled (nothing for controls without).
    std::optional<std::string> text(ControlId id) const;
    std::optional<bool> enabled(ControlId id) const;

    // Document state.
    bool loadingGuard() const { return loadingGuard_; }
    void setLoadingGuard(bool on);
    bool modified() const { return modified_; }
    void setModified(bool on);

    // Commands.
    // The "Рассчитать" button. Running out of memory ends the program with its message.
    void calculate();
    void refreshStepperFields();
    void clearKnResults();
    void clearPressureResults();
    void clearThrustResults();
    // Forgets the last calculation (New).
    void clearCalculation();

    // The last calculation: the design as far as it was read and checked, and what the stages
    // produced. Empty before the first and after New.
    const CalculationResult& lastCalculation() const { return lastRun_; }
    // Whether the window shows the last calculation's results on every tab: all stages
    // succeeded and their charts could be drawn.
    bool calculationSucceeded() const { return shown_.thrust; }
    // Whether tab 1 to 4 shows results that no longer match the inputs: an input changed
    // since they were calculated (a field, a stepper, a grain-kind box, the propellant), or
    // the last calculation failed before it reached them. Cleared results are not stale.
    bool showsStaleResults(int tab) const;
    bool anyResultsStale() const;

    // "Корпус и пределы": the casing and the limits "Рассчитать" checks the design against.
    // A change marks the document changed unless a file is loading (kText of
    // kDesignCheckList).
    const CheckSettings& checkSettings() const { return checkSettings_; }
    void setCheckSettings(const CheckSettings& settings);
    // The list "Проверка конструкции" of tab 4: the design checks of the last calculation,
    // set when "Рассчитать" ends and emptied by New (kRows of kDesignCheckList).
    const std::vector<DesignAlert>& designAlerts() const { return alerts_; }

private:
    struct FieldState {
        std::string text;
        bool enabled = true;
    };
    struct StepperState {
        int position = 0;
        bool enabled = true;
    };
    struct CheckBoxState {
        bool checked = false;
        bool enabled = true;
    };

    void notify(ChangeKind kind, ControlId control);
    FieldState* field(EditId id);
    const FieldState* field(EditId id) const;
    StepperState* stepper(StepperId id);
    const StepperState* stepper(StepperId id) const;
    std::optional<double> numberIn(EditId id) const;

    // Change handlers.
    void fieldChanged(EditId id);
    void checkEdit(EditId id);
    void edit94Change();
    void edit95Change();
    void edit96Change();
    void checkBoxClicked(CheckBoxId id);
    void chkClick();
    void chk1Click();
    void showTracerClick(CheckBoxId id);
    void fboxChange();
    std::optional<double> freeChamberLength() const;
    void setBottomAxis(int chart, double largestX);

    void setMark(EditId id, bool marked);

    // What each stage's tabs show: the Kn stage tab 1, the pressure stage tab 2, the thrust
    // stage tabs 3 and 4.
    enum class Display { kKn, kPressure, kThrust };
    enum class DisplayState { kEmpty, kCurrent, kStale };
    void setDisplay(Display display, DisplayState state);
    void inputChanged();  // what the tabs show becomes stale

    // The calculation.
    // Which stages' results the window shows after the last calculation.
    struct ShownStages {
        bool kn = false;
        bool pressure = false;
        bool thrust = false;
    };
    void runCommand();
    static bool GrainKindAccepted(const CalculationResult& result);
    void applyTracerBoxes(GrainKind kind);
    void showStages(int Ftype);
    void showResultTable();
    void writeLabels(int chart);
    void clearLabels(int chart);
    void setSeries(int chart, std::size_t index, ChartSeries points);
    void setAxes(int chart, double bottom, double left, std::optional<double> right);
    void setProgress(bool visible, int max, int position);
    void finishCommand();
    void showDesignAlerts(std::vector<DesignAlert> alerts);

    CalculationResult lastRun_;
    ShownStages shown_;
    std::array<FieldState, kLastEditNumber + 1> fields_{};
    std::array<bool, kLastEditNumber + 1> marked_{};
    std::array<DisplayState, 3> displays_{};
    std::array<StepperState, 12> steppers_{};
    std::array<CheckBoxState, 6> checkBoxes_{};
    std::map<int, std::string> labels_;
    std::map<int, std::string> groupCaptions_;
    std::vector<std::string> propellantItems_;
    int selectedPropellant_ = -1;
    std::string memo_;
    int activeTab_ = 0;
    std::array<std::string, 3> status_{};
    std::array<bool, 6> buttons_{};
    ProgressBarState progress_;
    std::vector<ResultTableRow> rows_;
    std::array<ChartState, 5> charts_{};
    CheckSettings checkSettings_;
    std::vector<DesignAlert> alerts_;
    bool loadingGuard_ = false;
    bool modified_ = false;
    std::map<int, Observer> observers_;
    int nextObserverToken_ = 1;
};

}  // namespace tarvo
