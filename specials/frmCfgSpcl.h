// The special-district selection window.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string_view>

class QCheckBox;
class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QCloseEvent;
class QShowEvent;
class QWheelEvent;

namespace levywise {

struct modMain;
class Platform;

// The window in which the user chooses the county's special districts, 14
// to a page. The selection lives in modMain::SpclSel, never in the controls.
//
// Every control's objectName is its member name; the rows of the three
// 14-row arrays are named with their index after an underscore:
// "chkSpclDist_0" .. "chkSpclDist_13", "txtSpclName_0" .. "txtSpclName_13",
// "txtTaxRate_0" .. "txtTaxRate_13". Row r shows district VScroll1 value + r.
//
// The window is created hidden and stays empty (no rows, no scroll bar)
// until the rate file loader fills it. "Finsh" hides it; it is never
// destroyed before the program ends, so it keeps its page between showings.
class frmCfgSpcl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 14;

    frmCfgSpcl(modMain& data, Platform& platform, QWidget* parent = nullptr);

    // Called by "Finsh" before the window hides: recalculates the estimate.
    void setRecalculate(std::function<void()> recalculate);

    void ShowSpecialDistricts(int offset);
    void ResetSpecialRows();
    void RestoreDefaults();

    // The caption, naming the county when the rate file has a label.
    void ShowCountyCaption(std::optional<std::string_view> county);
    // A freshly loaded table: every row blanked, then the first page, shown
    // without any flag being written.
    void ShowLoadedTable();

    // The district shown in row 0 (the scroll bar's value; 1 when the bar is hidden).
    int PageOffset() const;

public slots:
    void chkSpclDist_Click(int Index);
    void VScroll1_Change();
    void cmdRestore_Click();
    void cmdFinish_Click();
    void cmdPrint_Click();

protected:
    // The page scrolls like a list: the wheel anywhere over the window, and
    // Up, Down, PageUp, PageDown, Home and End. Escape leaves it as "Finsh".
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The first showing opens the window centred on its owner: its parent,
    // or the window that is active when it is shown.
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The wheel over any of the controls turns the page too. Up and
    // Down on a row's box move to the next box as in a list, and scroll the
    // page at its first and last row.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QCheckBox*, kRows> chkSpclDist{};
    std::array<QLineEdit*, kRows> txtSpclName{};
    std::array<QLineEdit*, kRows> txtTaxRate{};
    QScrollBar* VScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdFinish = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdRestore = nullptr;

    void BuildControls();
    // The districts the tables really hold: SpclCount, kept within the tables.
    int DistrictCount() const;
    void FillRow(int row, int district);
    void BlankRow(int row);
    void ScrollBy(int districts);
    bool MoveFromRow(int row, int step);
    void TurnWheel(QWheelEvent* event);

    modMain& data_;
    bool loading_ = false; // while the page is filled: the boxes write no flag
    Platform& platform_;
    std::function<void()> recalculate_;
    int wheelRemainder_ = 0; // eighths of a degree not yet turned into a step
    bool placedOnce_ = false;
};

} // namespace levywise
