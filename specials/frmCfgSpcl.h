#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace levywise {

struct modMain;
class Platform;

// The window in which the user chooses the county's special districts, 14
// to a page. The selection lives in modMain::SpclSel, never in the controls.
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

public slots:
    void chkSpclDist_Click(int Index);
    void VScroll1_Change();
    void cmdRestore_Click();
    void cmdFinish_Click();
    void cmdPrint_Click();

private:
    modMain& data_;
    Platform& platform_;
    std::function<void()> recalculate_;
};

} // namespace levywise
