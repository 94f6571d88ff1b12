#pragma once
// The main window: a view of the form model. Every widget shows the model's state and is
// redrawn when the model announces a change; every user action is forwarded to the model (or,
// for document commands, to DocumentCommands). The window keeps no state of the design.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_layout.h"
#include "form/form_model.h"
#include "ui/desktop_services.h"
#include "ui/document_commands.h"
#include "ui/eng_export.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;

namespace tarvo {

class AlertIndicator;
class ChartPanel;
class ChartWindow;
class DescriptionMemo;
class DesignChecksPanel;
class StandPanel;
class StandSession;
class StepperButtons;

inline constexpr std::string_view kSweepButtonCaption = "Подбор…";

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(FormModel& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- Wiring ----
    // The document layer; nullptr brings back the commands that do nothing.
    void setDocumentCommands(DocumentCommands* commands);
    // The "Открыть из списка" submenu, newest first; the item is enabled when it has entries.
    void setRecentFiles(const std::vector<std::string>& paths);
    // The about box and the help window, created once by the program and shown from "Помощь".
    void setInfoWindows(QDialog* about, QDialog* help);
    // What the exports use of the desktop; the window's own desktop services otherwise.
    void setSpreadsheetServices(SystemAccess& system, SpreadsheetLauncher& launcher,
                                ClipboardSink& clipboard, MessageSink& messages);
    // The questions of every curve export (.eng, .rse, .csv); the window's dialogs otherwise.
    void setEngExportPrompts(EngExportPrompts& prompts);
    // The motor file named on the command line, kept for the document layer to open after
    // start-up.
    void setStartupFile(std::optional<std::string> path) { startupFile_ = std::move(path); }
    const std::optional<std::string>& startupFile() const { return startupFile_; }
    // The static test ("Загрузить испытание…", the comparison on tab 4, "Подобрать…");
    // nullptr detaches it, which must happen before the session goes.
    void setStandSession(StandSession* session);
    void openFitDialog();
    // "Корпус и пределы…" (the button on tab 1 and the "Файл" menu) and the help on the
    // design checks.
    void openChecksDialog();
    void openChecksHelp();
    // "Подбор…": sweeps and the target search on the design the window shows.
    void openSweepDialog();

    void centreOnScreen();

    // ---- The controls, by the names of the layout tables ----
    QAction* action(std::string_view control) const;  // "N10", "Save_menu", "About_menu" ...
    QMenu* recentMenu() const { return recentMenu_; }
    QLineEdit* field(int edit) const;
    StepperButtons* stepper(int number) const;
    QLabel* valueLabel(int label) const;
    QGroupBox* groupBox(int number) const;
    QCheckBox* checkBox(CheckBoxId id) const;
    QPushButton* button(int number) const;
    QPushButton* engExportButton() const { return curveExportButton(kEngExport); }
    QPushButton* curveExportButton(const CurveExportKind& kind) const;
    QPushButton* sweepButton() const { return sweepButton_; }
    ChartPanel* chartPanel(int chart) const;
    ChartWindow* chartWindow(int chart) const;  // nullptr until it was first opened
    QComboBox* propellantList() const { return propellants_; }
    DescriptionMemo* memo() const { return memo_; }
    QTabWidget* tabs() const { return tabs_; }
    QTableWidget* resultTable() const { return table_; }
    StandPanel* standPanel() const { return standPanel_; }
    DesignChecksPanel* designChecksPanel() const { return checksPanel_; }
    AlertIndicator* alertIndicator() const { return alertIndicator_; }
    QPushButton* checksButton() const { return checksButton_; }
    QLabel* statusPanel(int panel) const;
    QProgressBar* progressBar() const { return progress_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Building (main_window_tabs.cpp builds the five pages).
    void buildMenus();
    QWidget* buildLowerPanel();
    QWidget* buildMotorTab();
    QWidget* buildPressureTab();
    QWidget* buildPerformanceTab();
    QWidget* buildResultsTab();
    QWidget* buildPropellantTab();
    QWidget* buildPropellantConstants();
    QWidget* buildBurnRateGroup(int propellant);
    QGroupBox* buildGroup(int tab, std::string_view group);
    void addFieldRow(QGridLayout* grid, int row, const FieldLayout& layout);
    void addLabelRow(QGridLayout* grid, int row, const LabelLayout& layout);
    void addPropellantListRow(QGridLayout* grid, int row);
    QLineEdit* makeField(int edit, QWidget* parent);
    QCheckBox* makeCheckBox(const CheckBoxLayout& layout, QWidget* parent);
    QPushButton* makeButton(int number, QWidget* parent);
    QWidget* chartWithCheckBox(int chart, CheckBoxId box, QWidget* beside = nullptr);
    QTableWidget* makeResultTable(QWidget* parent);

    // Model -> widgets.
    void onChange(const Change& change);
    void showAll();
    void showText(ControlId control);
    void showEnabled(ControlId control);
    void showField(int edit);
    void showFieldMark(int edit);
    void showStaleResults();
    void showCheckBox(CheckBoxId id);
    void showPropellantItems();
    void showPropellantSelection();
    void showMemo();
    void showActiveTab();
    void showRows();
    void showProgress();
    void showChart(int chart, ChangeKind kind);
    void focus(ControlId control);

    // Widgets -> model and commands.
    void addCalculateShortcuts();
    void connectField(int edit, QLineEdit* edit_widget);
    void onMemoEdited();
    void onTabChosen(int index);
    void exportToSpreadsheet();
    void exportCurveFile(const CurveExportKind& kind);
    void showStandMenus();
    void showInfoWindow(QDialog* window);
    void openChartWindow(int chart);
    DocumentCommands& commands();
    void guarded(const std::function<void()>& action);

    FormModel& form_;
    int observerToken_ = 0;
    bool showingModel_ = false;  // set while the model's state is put into widgets
    bool startedUp_ = false;

    DocumentCommands noCommands_;
    DocumentCommands* commands_ = &noCommands_;
    std::optional<std::string> startupFile_;
    QDialog* about_ = nullptr;
    QDialog* help_ = nullptr;

    std::unique_ptr<SystemAccess> ownSystem_;
    DesktopSpreadsheetLauncher ownLauncher_;
    DesktopClipboard ownClipboard_;
    MessageBoxSink ownMessages_;
    SystemAccess* system_;
    SpreadsheetLauncher* launcher_ = &ownLauncher_;
    ClipboardSink* clipboard_ = &ownClipboard_;
    MessageSink* messages_ = &ownMessages_;
    EngExportPrompts* curvePrompts_ = nullptr;  // the window's dialogs when none

    std::map<std::string, QAction*, std::less<>> actions_;
    QMenu* recentMenu_ = nullptr;
    std::map<int, QLineEdit*> fields_;
    std::map<int, StepperButtons*> steppers_;
    std::map<int, QLabel*> labels_;
    std::map<int, QGroupBox*> groups_;
    std::array<QCheckBox*, 6> checkBoxes_{};
    std::map<int, QPushButton*> buttons_;
    std::map<const CurveExportKind*, QPushButton*> curveButtons_;
    QPushButton* sweepButton_ = nullptr;
    std::map<int, ChartPanel*> charts_;
    std::map<int, ChartWindow*> chartWindows_;
    QComboBox* propellants_ = nullptr;
    DescriptionMemo* memo_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* table_ = nullptr;
    StandPanel* standPanel_ = nullptr;
    DesignChecksPanel* checksPanel_ = nullptr;
    AlertIndicator* alertIndicator_ = nullptr;
    QPushButton* checksButton_ = nullptr;
    StandSession* stand_ = nullptr;
    int standToken_ = 0;
    std::array<QLabel*, kStatusPanelCount> statusPanels_{};
    QProgressBar* progress_ = nullptr;
};

}  // namespace tarvo
