#pragma once
// The "Подбор" dialog without a toolkit: it sweeps or searches the design the window shows, as
// saving and opening it would calculate it, and puts the values of a chosen design into the
// fields. The runs themselves belong to whoever runs them (the dialog's worker thread): the
// session only prepares them and reads the form on the thread that owns it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_model.h"
#include "sweep/solve.h"
#include "sweep/sweep.h"

namespace tarvo {

inline constexpr std::string_view kSweepMenu = "Sweep_menu";
inline constexpr std::string_view kSweepDocumentName = "Подбор";

// One key of a sweep as the dialog's fields give it.
struct AxisTexts {
    const SweepKey* key = nullptr;
    std::string from;
    std::string to;
    std::string step;
};

// A range the dialog proposes for a key, as the fields show numbers.
struct ProposedRange {
    std::string from;
    std::string to;
    std::string step;
};

// A figure as the window's result labels show it: their caption ("Pmax, [МПа]") and format.
std::string FigureCaption(std::size_t figure);
std::string FigureText(std::size_t figure, double value);

// A key's value with its field's text: "Kno = 287,3".
std::string KeyValueText(const SweepKey& key, const KeyValue& value);

// What the dialog says of a target search, with the window's decimal comma.
std::string AnswerText(const SolveRequest& request, const SolveAnswer& answer);

class SweepSession {
public:
    // Takes the window's design as Save writes it; the refresh that Save and "Рассчитать" run
    // first runs on the form.
    explicit SweepSession(FormModel& form);

    const IniDocument& base() const { return base_; }

    // The key's value in the window.
    std::optional<double> fieldValue(const SweepKey& key) const;
    // The whole range of a stepper, 1 to twice N, half to twice another field's value, in
    // about ten steps the key can hold.
    ProposedRange proposeRange(const SweepKey& key) const;

    // The sweep of up to three keys, or why the texts cannot be swept.
    struct Plan {
        std::optional<SweepPlan> plan;
        std::string error;
    };
    Plan plan(const std::vector<AxisTexts>& axes) const;

    // The target search, or why the texts cannot be searched.
    struct Search {
        std::optional<SolveRequest> request;
        std::string error;
    };
    Search search(const SweepKey& key, std::string_view from, std::string_view to,
                  std::size_t figure, std::string_view target) const;

    // Puts the values into their fields as opening the changed file would, without
    // calculating: the document is changed and the results shown are stale until "Рассчитать".
    // The description and the active tab stay as they are.
    void apply(const std::vector<const SweepKey*>& keys, const std::vector<KeyValue>& values);

private:
    FormModel& form_;
    IniDocument base_;
};

}  // namespace tarvo
