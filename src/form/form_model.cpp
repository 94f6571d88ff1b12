#include "form/form_model.h"

#include <algorithm>

#include "form/form_layout.h"
#include "input/field_text.h"
#include "input/steppers.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

const std::string kNoText;

bool IsValidCheckBox(CheckBoxId id) {
    const int n = static_cast<int>(id);
    return n >= 0 && n <= 5;
}

}  // namespace

FormModel::FormModel() {
    for (const FieldLayout& layout : FieldLayouts()) {
        fields_[layout.edit] = {std::string(layout.defaultText), layout.enabled};
    }
    for (const StepperLayout& layout : StepperLayouts()) {
        steppers_[layout.stepper] = {layout.position, true};
    }
    for (const CheckBoxLayout& layout : CheckBoxLayouts()) {
        checkBoxes_[static_cast<int>(layout.id)] = {layout.checked, layout.enabled};
    }
    for (const LabelLayout& layout : LabelLayouts()) {
        labels_[layout.label] = std::string(layout.defaultText);
    }
    for (const GroupBoxLayout& layout : GroupBoxLayouts()) {
        groupCaptions_[layout.groupBox] = std::string(layout.caption);
    }
    for (const ButtonLayout& layout : ButtonLayouts()) {
        buttons_[layout.button] = layout.enabled;
    }
    for (const ChartLayout& layout : ChartLayouts()) {
        ChartState& chart = charts_[layout.chart];
        chart.series.resize(layout.series.size());
        chart.bottomMax = layout.bottom.max;
        chart.leftMax = layout.left.max;
        chart.rightMax = layout.right.max;
    }
    progress_ = {false, kProgressBarMin, kProgressBarMax, kProgressBarMin};
    memo_ = std::string(kMemoFirstLine);
    activeTab_ = kDesignActiveTab;
}

int FormModel::addObserver(Observer observer) {
    const int token = nextObserverToken_++;
    observers_[token] = std::move(observer);
    return token;
}

void FormModel::removeObserver(int token) {
    observers_.erase(token);
}

void FormModel::notify(ChangeKind kind, ControlId control) {
    if (observers_.empty()) {
        return;
    }
    // An observer may add or remove observers while it is told.
    std::vector<Observer> current;
    current.reserve(observers_.size());
    for (const auto& [token, observer] : observers_) {
        current.push_back(observer);
    }
    const Change change{kind, control};
    for (const Observer& observer : current) {
        observer(change);
    }
}

// ---- Edit fields ----

FormModel::FieldState* FormModel::field(EditId id) {
    return IsEditNumber(id.number) ? &fields_[id.number] : nullptr;
}

const FormModel::FieldState* FormModel::field(EditId id) const {
    return IsEditNumber(id.number) ? &fields_[id.number] : nullptr;
}

const std::string& FormModel::fieldText(EditId id) const {
    const FieldState* f = field(id);
    return f ? f->text : kNoText;
}

bool FormModel::isFieldEnabled(EditId id) const {
    const FieldState* f = field(id);
    return f && f->enabled;
}

std::optional<double> FormModel::numberIn(EditId id) const {
    return ParseNumber(fieldText(id));
}

void FormModel::setFieldText(EditId id, std::string_view text) {
    FieldState* f = field(id);
    if (!f || f->text == text) {
        return;
    }
    f->text = std::string(text);
    notify(ChangeKind::kText, ToControl(id));
    inputChanged();
    fieldChanged(id);
}

void FormModel::setFieldEnabled(EditId id, bool enabled) {
    FieldState* f = field(id);
    if (!f || f->enabled == enabled) {
        return;
    }
    f->enabled = enabled;
    notify(ChangeKind::kEnabled, ToControl(id));
}

void FormModel::fieldChanged(EditId id) {
    switch (id.number) {
        case field::kDc:
        case field::kLc:
        case field::kLo:
        case field::kN:
            // A new chamber or cored charge invalidates the proposed end-burning grain.
            checkEdit(id);
            setChecked(kEndGrainBox, false);
            return;
        case field::kAeAt:
            edit94Change();
            return;
        case field::kLto:
            edit95Change();
            return;
        case field::kDto:
            edit96Change();
            return;
        default:
            checkEdit(id);
    }
}

// The entry filter: the text stays as typed; one the field does not take marks the field and
// puts the hint into the status bar, so that a number is never changed behind the user's back.
void FormModel::checkEdit(EditId id) {
    if (loadingGuard_) {
        setMark(id, false);
        return;
    }
    setModified(true);
    const bool accepted = IsAcceptedEntry(id.number, fieldText(id));
    setMark(id, !accepted);
    if (!accepted) {
        setStatusText(0, EntryHint());
    }
}

bool FormModel::isFieldMarked(EditId id) const {
    return IsEditNumber(id.number) && marked_[id.number];
}

std::string FormModel::fieldHint(EditId id) const {
    return isFieldMarked(id) ? FieldEntryHint(id.number) : std::string();
}

void FormModel::setMark(EditId id, bool marked) {
    if (IsEditNumber(id.number) && marked_[id.number] != marked) {
        marked_[id.number] = marked;
        notify(ChangeKind::kValidity, ToControl(id));
    }
}

void FormModel::clearFieldMarks() {
    for (int edit = 1; edit <= kLastEditNumber; ++edit) {
        setMark(EditId{edit}, false);
    }
}

// The one field whose typed value moves its stepper.
void FormModel::edit94Change() {
    const EditId id{field::kAeAt};
    checkEdit(id);
    if (fieldText(id) == "0") {
        setFieldText(id, "10");
    }
    if (const auto position = ExpansionRatioPosition(fieldText(id))) {
        setStepperPosition(StepperId{kExpansionRatioStepper}, *position);
    }
}

// ---- Steppers ----

FormModel::StepperState* FormModel::stepper(StepperId id) {
    return FindStepperRule(id.number) ? &steppers_[id.number] : nullptr;
}

const FormModel::StepperState* FormModel::stepper(StepperId id) const {
    return FindStepperRule(id.number) ? &steppers_[id.number] : nullptr;
}

int FormModel::stepperPosition(StepperId id) const {
    const StepperState* s = stepper(id);
    return s ? s->position : 0;
}

bool FormModel::isStepperEnabled(StepperId id) const {
    const StepperState* s = stepper(id);
    return s && s->enabled;
}

bool FormModel::setStepperPosition(StepperId id, int position) {
    StepperState* s = stepper(id);
    if (!s || !FitsStepperPosition(position)) {
        return false;
    }
    const int clamped = ClampToStepperRange(*FindStepperRule(id.number), position);
    if (s->position != clamped) {
        s->position = clamped;
        notify(ChangeKind::kPosition, ToControl(id));
        inputChanged();
    }
    return true;
}

void FormModel::setStepperEnabled(StepperId id, bool enabled) {
    StepperState* s = stepper(id);
    if (s && s->enabled != enabled) {
        s->enabled = enabled;
        notify(ChangeKind::kEnabled, ToControl(id));
    }
}

void FormModel::clickStepper(StepperId id) {
    const StepperRule* rule = FindStepperRule(id.number);
    if (!rule) {
        return;
    }
    setFieldText(EditId{rule->edit}, StepperFieldText(*rule, stepperPosition(id)));
}

void FormModel::stepStepper(StepperId id, StepDirection direction) {
    const StepperRule* rule = FindStepperRule(id.number);
    if (!rule || !isStepperEnabled(id)) {
        return;
    }
    const int step = direction == StepDirection::kUp ? rule->increment : -rule->increment;
    setStepperPosition(id, stepperPosition(id) + step);
    clickStepper(id);
}

// Tidies every field's text, then rewrites the fields that only their steppers may set.
void FormModel::refreshStepperFields() {
    for (const FieldLayout& layout : FieldLayouts()) {
        const EditId id{layout.edit};
        std::string normalised = NormaliseFieldText(fieldText(id));
        if (!normalised.empty()) {
            setFieldText(id, normalised);
        }
    }
    for (const int number : kRefreshedSteppers) {
        clickStepper(StepperId{number});
    }
}

// ---- Check boxes ----

bool FormModel::isChecked(CheckBoxId id) const {
    return IsValidCheckBox(id) && checkBoxes_[static_cast<int>(id)].checked;
}

bool FormModel::isCheckBoxEnabled(CheckBoxId id) const {
    return IsValidCheckBox(id) && checkBoxes_[static_cast<int>(id)].enabled;
}

void FormModel::setChecked(CheckBoxId id, bool checked) {
    if (!IsValidCheckBox(id) || checkBoxes_[static_cast<int>(id)].checked == checked) {
        return;
    }
    checkBoxes_[static_cast<int>(id)].checked = checked;
    notify(ChangeKind::kChecked, ToControl(id));
    if (id == kEndGrainBox || id == kCoredGrainsBox) {
        inputChanged();  // the "Показать трассер" boxes only change what a chart shows
    }
    checkBoxClicked(id);
}

void FormModel::setCheckBoxEnabled(CheckBoxId id, bool enabled) {
    if (!IsValidCheckBox(id) || checkBoxes_[static_cast<int>(id)].enabled == enabled) {
        return;
    }
    checkBoxes_[static_cast<int>(id)].enabled = enabled;
    notify(ChangeKind::kEnabled, ToControl(id));
}

void FormModel::checkBoxClicked(CheckBoxId id) {
    switch (id) {
        case CheckBoxId::kChk:
            chkClick();
            return;
        case CheckBoxId::kChk1:
            chk1Click();
            return;
        default:
            showTracerClick(id);
    }
}

// ---- Propellant list ----

const std::vector<std::string>& FormModel::propellantItems() const {
    return propellantItems_;
}

int FormModel::selectedPropellant() const {
    return selectedPropellant_;
}

void FormModel::setPropellantItems(std::vector<std::string> items) {
    propellantItems_ = std::move(items);
    notify(ChangeKind::kItems, kPropellantList);
    if (selectedPropellant_ != -1) {
        selectedPropellant_ = -1;
        notify(ChangeKind::kSelection, kPropellantList);
        inputChanged();
    }
}

bool FormModel::selectPropellant(int index) {
    const bool valid = index >= -1 && index < static_cast<int>(propellantItems_.size());
    const int selection = valid ? index : -1;
    if (selection != selectedPropellant_) {
        selectedPropellant_ = selection;
        notify(ChangeKind::kSelection, kPropellantList);
        inputChanged();
        fboxChange();
    }
    return valid;
}

// ---- Labels, memo, tabs, status, buttons ----

const std::string& FormModel::labelText(LabelId id) const {
    const auto it = labels_.find(id.number);
    return it == labels_.end() ? kNoText : it->second;
}

void FormModel::setLabelText(LabelId id, std::string_view text) {
    const auto it = labels_.find(id.number);
    if (it == labels_.end() || it->second == text) {
        return;
    }
    it->second = std::string(text);
    notify(ChangeKind::kText, ToControl(id));
}

const std::string& FormModel::groupCaption(int groupBox) const {
    const auto it = groupCaptions_.find(groupBox);
    return it == groupCaptions_.end() ? kNoText : it->second;
}

void FormModel::setGroupCaption(int groupBox, std::string_view text) {
    const auto it = groupCaptions_.find(groupBox);
    if (it == groupCaptions_.end() || it->second == text) {
        return;
    }
    it->second = std::string(text);
    notify(ChangeKind::kText, {ControlKind::kGroupBox, groupBox});
}

const std::string& FormModel::memoText() const {
    return memo_;
}

void FormModel::setMemoText(std::string_view text) {
    if (memo_ == text) {
        return;
    }
    memo_ = std::string(text);
    notify(ChangeKind::kText, kMemo);
    if (!loadingGuard_) {
        setModified(true);
    }
}

int FormModel::activeTab() const {
    return activeTab_;
}

void FormModel::setActiveTab(int index) {
    const int tab = index >= 0 && index < kTabCount ? index : -1;
    if (tab != activeTab_) {
        activeTab_ = tab;
        notify(ChangeKind::kActiveTab, kPageControl);
    }
}

const std::string& FormModel::statusText(int panel) const {
    return panel >= 0 && panel < kStatusPanelCount ? status_[panel] : kNoText;
}

void FormModel::setStatusText(int panel, std::string_view text) {
    if (panel < 0 || panel >= kStatusPanelCount || status_[panel] == text) {
        return;
    }
    status_[panel] = std::string(text);
    notify(ChangeKind::kText, StatusPanel(panel));
}

bool FormModel::isButtonEnabled(ButtonId id) const {
    return id.number >= 1 && id.number <= 5 && buttons_[id.number];
}

void FormModel::setButtonEnabled(ButtonId id, bool enabled) {
    if (id.number < 1 || id.number > 5 || buttons_[id.number] == enabled) {
        return;
    }
    buttons_[id.number] = enabled;
    notify(ChangeKind::kEnabled, ToControl(id));
}

void FormModel::clearResultTable() {
    if (!rows_.empty()) {
        rows_.clear();
        notify(ChangeKind::kRows, kResultTable);
    }
}

const ChartState& FormModel::chart(ChartId id) const {
    static const ChartState kNoChart;
    return id.number >= 1 && id.number <= 4 ? charts_[id.number] : kNoChart;
}

std::optional<std::string> FormModel::text(ControlId id) const {
    switch (id.kind) {
        case ControlKind::kEdit:
            return field(EditId{id.number}) ? std::optional(fieldText(EditId{id.number}))
                                            : std::nullopt;
        case ControlKind::kLabel:
            return labels_.contains(id.number) ? std::optional(labelText(LabelId{id.number}))
                                               : std::nullopt;
        case ControlKind::kGroupBox:
            return groupCaptions_.contains(id.number) ? std::optional(groupCaption(id.number))
                                                      : std::nullopt;
        case ControlKind::kMemo:
            return memo_;
        case ControlKind::kStatusBar:
            return ControlExists(id) ? std::optional(statusText(id.number)) : std::nullopt;
        case ControlKind::kPropellantList:
            return selectedPropellant_ >= 0 ? propellantItems_[selectedPropellant_] : "";
        default:
            return std::nullopt;
    }
}

std::optional<bool> FormModel::enabled(ControlId id) const {
    if (!ControlExists(id)) {
        return std::nullopt;
    }
    switch (id.kind) {
        case ControlKind::kEdit:
            return isFieldEnabled(EditId{id.number});
        case ControlKind::kStepper:
            return isStepperEnabled(StepperId{id.number});
        case ControlKind::kCheckBox:
            return isCheckBoxEnabled(static_cast<CheckBoxId>(id.number));
        case ControlKind::kButton:
            return isButtonEnabled(ButtonId{id.number});
        default:
            return std::nullopt;
    }
}

void FormModel::setLoadingGuard(bool on) {
    if (loadingGuard_ != on) {
        loadingGuard_ = on;
        notify(ChangeKind::kDocumentState, kDocumentState);
    }
}

void FormModel::setCheckSettings(const CheckSettings& settings) {
    if (settings == checkSettings_) {
        return;
    }
    checkSettings_ = settings;
    notify(ChangeKind::kText, kDesignCheckList);
    if (!loadingGuard_) {
        setModified(true);
    }
}

void FormModel::showDesignAlerts(std::vector<DesignAlert> alerts) {
    if (alerts.empty() && alerts_.empty()) {
        return;
    }
    alerts_ = std::move(alerts);
    notify(ChangeKind::kRows, kDesignCheckList);
}

void FormModel::setModified(bool on) {
    if (modified_ != on) {
        modified_ = on;
        notify(ChangeKind::kDocumentState, kDocumentState);
    }
}

}  // namespace tarvo
