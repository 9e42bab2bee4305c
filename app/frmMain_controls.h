#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace levywise {

// The controls of the main window, each named as its objectName. Only the
// window and the code that builds it see them.
struct frmMainControls {
    // Input area.
    QFrame* Frame7 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtAprVal = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* comboCounties = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* comboCities = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* comboSchools = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdPrint = nullptr;

    // Exemptions.
    QGroupBox* Frame3 = nullptr;
    QCheckBox* chkGHS = nullptr;
    QGroupBox* Frame4 = nullptr;
    QRadioButton* optO65 = nullptr;
    QRadioButton* optDP = nullptr;
    QRadioButton* optNeither = nullptr;
    QGroupBox* Frame5 = nullptr;
    QRadioButton* optVet1 = nullptr;
    QRadioButton* optVet2 = nullptr;
    QRadioButton* optVet3 = nullptr;
    QRadioButton* optVet4 = nullptr;
    QRadioButton* optVetNone = nullptr;

    QTabWidget* tabTaxes = nullptr;

    // "County Tax" tab.
    QLabel* lblCountyName = nullptr;
    QLabel* lblLabel1 = nullptr;
    QLabel* lblLabel2 = nullptr;
    QLabel* lblLabel3 = nullptr;
    QLabel* lblLabel4 = nullptr;
    QLabel* lblCountyAprVal = nullptr;
    QLabel* lblCountyHSVal = nullptr;
    QLabel* lblCountyO65Val = nullptr;
    QLabel* lblCountyVetVal = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* lblCountyNTV = nullptr;
    QLabel* lblCountyBase1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lblCountyBase2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lblCountyTRate = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblCountyTax = nullptr;

    // "City Tax" tab.
    QLabel* lblCityName = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* lblCityAprVal = nullptr;
    QLabel* lblCityHSVal = nullptr;
    QLabel* lblCityO65Val = nullptr;
    QLabel* lblCityVetVal = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label32 = nullptr;
    QLabel* lblCityNTV = nullptr;
    QLabel* lblCityBase1 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* lblCityBase2 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* lblCityTRate = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* lblCityTax = nullptr;

    // "School Tax" tab.
    QLabel* lblSchoolName = nullptr;
    QLabel* Label45 = nullptr;
    QLabel* Label44 = nullptr;
    QLabel* Label43 = nullptr;
    QLabel* Label42 = nullptr;
    QLabel* lblSchoolAprVal = nullptr;
    QLabel* lblSchoolHSVal = nullptr;
    QLabel* lblSchoolO65Val = nullptr;
    QLabel* lblSchoolVetVal = nullptr;
    QLabel* Label50 = nullptr;
    QLabel* Label51 = nullptr;
    QLabel* lblSchoolNTV = nullptr;
    QLabel* lblSchoolBase1 = nullptr;
    QLabel* Label47 = nullptr;
    QLabel* lblSchoolBase2 = nullptr;
    QLabel* Label34 = nullptr;
    QLabel* lblSchoolTRate = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* lblSchoolTax = nullptr;

    // "Total Tax" tab.
    QLabel* lblTotCountyName = nullptr;
    QLabel* lblTotCountyTax = nullptr;
    QLabel* lblTotCityName = nullptr;
    QLabel* lblTotCityTax = nullptr;
    QLabel* lblTotSchoolName = nullptr;
    QLabel* lblTotSchoolTax = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblTotSpclTax = nullptr;
    QGroupBox* Frame6 = nullptr;
    QLabel* Label59 = nullptr;
    QLabel* lblTotTax = nullptr;
    QLabel* Label60 = nullptr;

    // Menus.
    QMenu* menuFile = nullptr;
    QAction* menuOpen = nullptr;
    QAction* menuListTable = nullptr;
    QAction* menuKeepCompare = nullptr;
    QAction* menuShowCompare = nullptr;
    QAction* menuWorksheet = nullptr;
    QAction* menuSep1 = nullptr;
    QAction* menuExit = nullptr;
    QMenu* menuAdvCfg = nullptr;
    QAction* menuCfgSpcl = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* menuAbout = nullptr;
};

} // namespace levywise
