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

    QLabel* lblValueNote = nullptr; // says when the value is not a number

    QTabWidget* tabTaxes = nullptr;

    // "County Tax" tab.
    QLabel* lblCountyName = nullptr;
    QLabel* lblLabel1 = nullptr;
    QLabel* lblLabel2 = nullptr;
    QLabel* lblLabel3 = nullptr;
    QLabel* lblLabel4 = nullptr;
    QLineEdit* lblCountyAprVal = nullptr;
    QLineEdit* lblCountyHSVal = nullptr;
    QLineEdit* lblCountyO65Val = nullptr;
    QLineEdit* lblCountyVetVal = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* lblCountyNTV = nullptr;
    QLineEdit* lblCountyBase1 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* lblCountyBase2 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* lblCountyTRate = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* lblCountyTax = nullptr;

    // "City Tax" tab.
    QLabel* lblCityName = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label23 = nullptr;
    QLineEdit* lblCityAprVal = nullptr;
    QLineEdit* lblCityHSVal = nullptr;
    QLineEdit* lblCityO65Val = nullptr;
    QLineEdit* lblCityVetVal = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label32 = nullptr;
    QLineEdit* lblCityNTV = nullptr;
    QLineEdit* lblCityBase1 = nullptr;
    QLabel* Label28 = nullptr;
    QLineEdit* lblCityBase2 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* lblCityTRate = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* lblCityTax = nullptr;

    // "School Tax" tab.
    QLabel* lblSchoolName = nullptr;
    QLabel* Label45 = nullptr;
    QLabel* Label44 = nullptr;
    QLabel* Label43 = nullptr;
    QLabel* Label42 = nullptr;
    QLineEdit* lblSchoolAprVal = nullptr;
    QLineEdit* lblSchoolHSVal = nullptr;
    QLineEdit* lblSchoolO65Val = nullptr;
    QLineEdit* lblSchoolVetVal = nullptr;
    QLabel* Label50 = nullptr;
    QLabel* Label51 = nullptr;
    QLineEdit* lblSchoolNTV = nullptr;
    QLineEdit* lblSchoolBase1 = nullptr;
    QLabel* Label47 = nullptr;
    QLineEdit* lblSchoolBase2 = nullptr;
    QLabel* Label34 = nullptr;
    QLineEdit* lblSchoolTRate = nullptr;
    QLabel* Label33 = nullptr;
    QLineEdit* lblSchoolTax = nullptr;

    // "Total Tax" tab.
    QLabel* lblTotCountyName = nullptr;
    QLineEdit* lblTotCountyTax = nullptr;
    QLabel* lblTotCityName = nullptr;
    QLineEdit* lblTotCityTax = nullptr;
    QLabel* lblTotSchoolName = nullptr;
    QLineEdit* lblTotSchoolTax = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* lblTotSpclTax = nullptr;
    QGroupBox* Frame6 = nullptr;
    QLabel* Label59 = nullptr;
    QLineEdit* lblTotTax = nullptr;
    QLabel* Label60 = nullptr;

    // Menus.
    QMenu* menuFile = nullptr;
    QAction* menuOpen = nullptr;
    QAction* menuListTable = nullptr;
    QAction* menuKeepCompare = nullptr;
    QAction* menuShowCompare = nullptr;
    QAction* menuWorksheet = nullptr;
    QAction* menuWhereTaxGoes = nullptr;
    QAction* menuTaxHistory = nullptr;
    QAction* menuSep1 = nullptr;
    QAction* menuExit = nullptr;
    QMenu* menuAdvCfg = nullptr;
    QAction* menuCfgSpcl = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* menuAbout = nullptr;
    QAction* menuCopyEstimate = nullptr; // in the results' context menu
};

} // namespace levywise
