#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/frmMain_controls.h"
#include "calc/record.h"
#include "levywise_version.h"
#include "report/labels.h"

namespace levywise {

struct modMain;
class Platform;
class frmCfgSpcl;
class WhatIf;
class MenuShortcutsFirst;
struct Error;
struct EstimateRecord;

// The main estimate window: the user types the property's value, picks the
// county, city and school district and the exemptions, presses Calculate
// and reads the estimate on the four tabs. Its controls are its own: other
// windows and the loader go through its methods.
class frmMain : public QMainWindow, private frmMainControls {
    Q_OBJECT
public:
    static constexpr const char* kVersionText = kProgramCaption;
    static constexpr const char* kDesignCaption = "Levywise v3.5.2";

    frmMain(modMain& data, Platform& platform, QWidget* parent = nullptr);
    ~frmMain() override;

    modMain& data() { return data_; }
    Platform& platform() { return platform_; }
    // The special-district window, built when first asked for, with the
    // loaded table's page and caption; it lives as long as this window.
    frmCfgSpcl& specials();
    // Null until the special-district window is first asked for.
    frmCfgSpcl* builtSpecials() const { return specials_.get(); }
    // The rate file last located; empty until the first load of the run.
    QString& RateFilePath() { return rateFilePath_; }

    // Shows the rate table listing window; set by the application.
    void setShowRateTable(std::function<void()> show) { showRateTable_ = std::move(show); }
    // Closes the rate table listing window when it is open; set by the application.
    void setCloseRateTable(std::function<void()> close) { closeRateTable_ = std::move(close); }

    // Recomputes the whole estimate from the controls and shows it. On a
    // failure the user is told why and every figure stays as it was.
    void CalculateTaxes();

    // The estimate of the controls' inputs on the loaded table; empty when
    // there is one, else why not.
    std::optional<Error> WorkOutEstimate(EstimateRecord& record) const;

    // Runs once, after creation and before the window is first shown.
    void Form_Load();

    // A freshly loaded table: the county, city and school lists filled from
    // it with their first entries chosen, the unit names and rates back to
    // their placeholders, the "Total Tax" tab shown and every input cleared;
    // the special-district window, once built, shows the table's first page.
    void ShowLoadedTable();
    // Gives the keyboard to the value box.
    void FocusValueBox();

    // The caption, composed here only: the version text; or the rate file
    // being opened, found through the settings file or chosen in the dialog;
    // or the loaded table, when its file gives it a label.
    void ShowVersionCaption();
    void ShowFileCaption(const QString& path, bool chosenInDialog);
    void ShowTableCaption(std::string_view tableLabel, std::string_view countyName);

    // The rate file whose table is being loaded: where the estimates kept and
    // put on paper from now on come from.
    void SetRateSource(const QString& path, const std::string& label);

public slots:
    void Command1_Click();
    void cmdPrint_Click();
    void menuOpen_Click();
    void menuListTable_Click();
    void menuKeepCompare_Click();
    void menuShowCompare_Click();
    void menuWorksheet_Click();
    void menuExit_Click();
    void menuCfgSpcl_Click();
    void menuAbout_Click();
    void menuCopyEstimate_Click();
    void menuWhereTaxGoes_Click();
    void menuTaxHistory_Click();

signals:
    // After each successful calculation, with the estimate now shown.
    void estimateShown(const EstimateRecord& record);
    // "Where the Tax Goes…" and "Tax History…", with the estimate shown.
    void whereTaxGoesAsked(const EstimateRecord& record);
    void taxHistoryAsked(const EstimateRecord& record);
    // The window is closing: the windows that follow its estimates go with it.
    void closing();

protected:
    // The window's unload: closing is never refused.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetKeyboardOrder();
    void ShowEstimate(const EstimateLabels& estimate);
    // Builds the unit tabs' controls, once, showing what they hold.
    void BuildUnitTabs();
    // Puts what the unit tabs hold on them, once they are built.
    void ShowUnitTabs();
    // Lets the result boxes under a widget offer Copy Estimate and yield to the menus' keys.
    void WireResultBoxes(QWidget* under);
    // Says beside the value box, until the value changes, that it holds no number.
    void ShowValueNote(bool shown);
    void ShowResultMenu(QLineEdit* box, QPoint at);
    // The estimate shown, for a window that pictures it; else the user is told.
    const EstimateRecord* EstimateToShow(const QString& title);
    void ShowTableInSpecials();

    modMain& data_;
    Platform& platform_;
    std::unique_ptr<frmCfgSpcl> specials_;
    bool tableLoaded_ = false; // a rate file has been loaded
    QString rateFilePath_;
    RateSource rateSource_; // where the loaded table came from
    QString estimateText_;  // the estimate shown, as Copy Estimate puts it on the clipboard
    std::function<void()> showRateTable_;
    std::function<void()> closeRateTable_;
    std::unique_ptr<WhatIf> whatIf_;
    MenuShortcutsFirst* shortcutsFirst_ = nullptr;
    bool unitTabsBuilt_ = false;
    // What the County, City and School tabs show (their Tot fields unused),
    // kept also while the tabs are not built.
    EstimateLabels unitTabsShown_;
};

} // namespace levywise
