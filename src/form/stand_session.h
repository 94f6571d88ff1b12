#pragma once
// The window's static test, without a toolkit: a stand log drawn beside the calculation on the
// charts of tabs 2 to 4 (thrust, and the chamber pressure when logged), its comparison with the
// last successful calculation, the fit of chosen inputs and applying the fitted values to the
// fields. It follows the form: every successful calculation is compared with the log again,
// and results that are no longer current ("Рассчитать" not yet pressed) compare with nothing.
// The motor file keeps the log's path in its section [Test].

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "form/dialogs.h"
#include "form/document.h"
#include "form/form_model.h"
#include "form/stand_report.h"
#include "form/stand_test.h"

namespace tarvo {

inline constexpr std::string_view kLoadTestMenu = "LoadTest_menu";
inline constexpr std::string_view kUnloadTestMenu = "UnloadTest_menu";
inline constexpr std::string_view kFitTestMenu = "FitTest_menu";

inline constexpr std::string_view kStaleResultsStatus =
    "Подобранные значения записаны в поля: нажмите «Рассчитать»";

// What "Применить" wrote, for the message that says so.
struct AppliedFit {
    bool applied = false;  // nothing to apply: no successful fit
    std::string message;   // each value as fitted and as written, and why they differ
};

class StandSession final : public MotorFileSection {
public:
    using Observer = std::function<void()>;

    StandSession(FormModel& form, Dialogs& dialogs);
    ~StandSession() override;
    StandSession(const StandSession&) = delete;
    StandSession& operator=(const StandSession&) = delete;

    int addObserver(Observer observer);  // told of every change of the session's state
    void removeObserver(int token);

    // ---- The log ----
    void loadCommand();  // "Загрузить испытание…": the file dialog, then load
    // A log that cannot be read is refused with a message; the log shown before stays.
    bool load(const std::string& path);
    void unloadCommand();  // "Убрать испытание"
    bool loaded() const { return run_.has_value(); }
    const std::string& path() const { return path_; }
    // "stand.csv: нуль стенда 12,30 Н, горение 1,576 с".
    std::string summary() const;

    // ---- The comparison with the last successful calculation ----
    bool current() const { return run_ && run_->comparison.has_value(); }
    std::vector<ComparisonRow> comparisonRows() const;

    // ---- The fit ("Подобрать…") ----
    bool canFit() const { return current(); }
    // Fits the chosen inputs of the last calculated design; nothing without a current one.
    const CurveFit* fit(std::span<const FitParameter> chosen);
    const CurveFit* lastFit() const;
    std::string fitReport() const;  // the values, RMS and fitted figures, or why none
    // "Применить": uc and unoz through their steppers (rounded and clamped to what they hold),
    // e rounded into its field, the burn-rate factor into the selected propellant's `a` fields
    // after a question. Marks the document changed and the results stale, and says what it
    // wrote.
    AppliedFit apply();

    // ---- The motor file ----
    void writeTo(IniDocument& document, const std::string& motorPath) override;
    void readFrom(const IniDocument& document, const std::string& motorPath) override;
    void clear() override;

private:
    bool loadFile(const std::string& path);
    void unload();
    void onFormChange(const Change& change);
    void compare();
    void drawCurves();
    void notify();
    std::string applyValue(FitParameter parameter, double value);
    std::string applyBurnRate(double factor);

    FormModel& form_;
    Dialogs& dialogs_;
    int formToken_ = 0;
    std::string path_;
    std::optional<StandTestRun> run_;
    std::map<int, Observer> observers_;
    int nextObserverToken_ = 1;
    bool drawing_ = false;
};

// Where the motor file at `motorPath` keeps the log: relative to its directory where the path
// can be written so, else as it is; and back.
std::string StoredTestPath(const std::string& logPath, const std::string& motorPath);
std::string ResolvedTestPath(const std::string& stored, const std::string& motorPath);

}  // namespace tarvo
