#include "app/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <iterator>

#include "app/about_box.h"
#include "app/frmMain_layout.h"
#include "app/menu_shortcuts_first.h"
#include "app/rate_file_loading.h"
#include "app/unit_lists.h"
#include "app/what_if.h"
#include "calc/estimate.h"
#include "platform/caption_text.h"
#include "platform/platform.h"
#include "platform/print_window.h"
#include "platform/text.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "report/estimate_text.h"
#include "report/labels.h"
#include "specials/frmCfgSpcl.h"

namespace levywise {
namespace {

constexpr int kTotalTaxTab = 3;

void Show(QLabel* label, const std::string& text) { label->setText(FromCp1252(text)); }
void Show(QLineEdit* box, const std::string& text) { box->setText(FromCp1252(text)); }

struct UnitTabWidgets {
    QLineEdit *AprVal, *TRate;
    QLabel* Name;
    QLineEdit *HSVal, *O65Val, *VetVal, *NTV, *Base1, *Base2, *Tax;
};

void ShowUnitTab(const UnitTabWidgets& w, const UnitLabels& l) {
    Show(w.AprVal, l.AprVal);
    Show(w.TRate, l.TRate);
    Show(w.Name, l.Name);
    Show(w.HSVal, l.HSVal);
    Show(w.O65Val, l.O65Val);
    Show(w.VetVal, l.VetVal);
    Show(w.NTV, l.NTV);
    Show(w.Base1, l.Base1);
    Show(w.Base2, l.Base2);
    Show(w.Tax, l.Tax);
}

// The unit tabs' captions before a table is loaded or a unit chosen.
void ShowPlaceholders(EstimateLabels& shown) {
    shown.County.Name = "Your County";
    shown.City.Name = "Your City";
    shown.School.Name = "Your School";
}

} // namespace

frmMain::frmMain(modMain& data, Platform& platform, QWidget* parent)
    : QMainWindow(parent), data_(data), platform_(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kDesignCaption));
    BuildMainWindowControls(*this, *this);
    SetKeyboardOrder();
    whatIf_ = std::make_unique<WhatIf>(*this, platform_);
    const WhatIfMenuItems whatIfItems = AddWhatIfMenuItems(menuFile, menuSep1);
    menuKeepCompare = whatIfItems.Keep;
    menuShowCompare = whatIfItems.ShowCompare;
    menuWorksheet = whatIfItems.Worksheet;
    menuWhereTaxGoes =
        MenuItemBefore(menuFile, menuSep1, "menuWhereTaxGoes",
                       QStringLiteral("Where the Tax &Goes\u2026"), Qt::CTRL | Qt::Key_G);
    menuTaxHistory = MenuItemBefore(menuFile, menuSep1, "menuTaxHistory",
                                    QStringLiteral("Tax &History\u2026"), Qt::CTRL | Qt::Key_H);

    auto* shortcutsFirst = new MenuShortcutsFirst(
        {menuOpen, menuListTable, menuKeepCompare, menuShowCompare, menuWorksheet, menuWhereTaxGoes,
         menuTaxHistory, menuExit, menuCfgSpcl, menuAbout, menuCopyEstimate},
        this);
    shortcutsFirst->watch(txtAprVal);
    shortcutsFirst_ = shortcutsFirst;
    WireResultBoxes(this);
    // The unit tabs are hidden at start: their controls are built right
    // after the window is first painted, or at once should one of them be
    // chosen before. Building them with the rest would add a sixteenth to
    // the work done before the window first appears.
    ShowPlaceholders(unitTabsShown_);
    tabTaxes->installEventFilter(this);
    connect(tabTaxes, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != kTotalTaxTab) BuildUnitTabs();
    });
    connect(txtAprVal, &QLineEdit::textChanged, this, [this] { ShowValueNote(false); });

    for (QRadioButton* option :
         {optO65, optDP, optNeither, optVet1, optVet2, optVet3, optVet4, optVetNone})
        connect(option, &QRadioButton::toggled, this, [this] { SetKeyboardOrder(); });

    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(menuOpen, &QAction::triggered, this, &frmMain::menuOpen_Click);
    connect(menuListTable, &QAction::triggered, this, &frmMain::menuListTable_Click);
    connect(menuKeepCompare, &QAction::triggered, this, &frmMain::menuKeepCompare_Click);
    connect(menuShowCompare, &QAction::triggered, this, &frmMain::menuShowCompare_Click);
    connect(menuWorksheet, &QAction::triggered, this, &frmMain::menuWorksheet_Click);
    connect(menuExit, &QAction::triggered, this, &frmMain::menuExit_Click);
    connect(menuCfgSpcl, &QAction::triggered, this, &frmMain::menuCfgSpcl_Click);
    connect(menuAbout, &QAction::triggered, this, &frmMain::menuAbout_Click);
    connect(menuCopyEstimate, &QAction::triggered, this, &frmMain::menuCopyEstimate_Click);
    connect(menuWhereTaxGoes, &QAction::triggered, this, &frmMain::menuWhereTaxGoes_Click);
    connect(menuTaxHistory, &QAction::triggered, this, &frmMain::menuTaxHistory_Click);
}

frmMain::~frmMain() {
    if (specials_) specials_->setRecalculate({});
}

void frmMain::WireResultBoxes(QWidget* under) {
    for (QLineEdit* box : under->findChildren<QLineEdit*>()) {
        if (!box->isReadOnly()) continue;
        shortcutsFirst_->watch(box);
        connect(box, &QLineEdit::customContextMenuRequested, this,
                [this, box](QPoint at) { ShowResultMenu(box, at); });
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabTaxes && event->type() == QEvent::Paint) {
        tabTaxes->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { BuildUnitTabs(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::BuildUnitTabs() {
    if (unitTabsBuilt_) return;
    unitTabsBuilt_ = true;
    BuildUnitTabControls(*this);
    for (int tab = 0; tab < kTotalTaxTab; ++tab) WireResultBoxes(tabTaxes->widget(tab));
    ShowUnitTabs();
}

void frmMain::ShowUnitTabs() {
    if (!unitTabsBuilt_) return;
    ShowUnitTab({lblCountyAprVal, lblCountyTRate, lblCountyName, lblCountyHSVal, lblCountyO65Val,
                 lblCountyVetVal, lblCountyNTV, lblCountyBase1, lblCountyBase2, lblCountyTax},
                unitTabsShown_.County);
    ShowUnitTab({lblCityAprVal, lblCityTRate, lblCityName, lblCityHSVal, lblCityO65Val,
                 lblCityVetVal, lblCityNTV, lblCityBase1, lblCityBase2, lblCityTax},
                unitTabsShown_.City);
    ShowUnitTab({lblSchoolAprVal, lblSchoolTRate, lblSchoolName, lblSchoolHSVal, lblSchoolO65Val,
                 lblSchoolVetVal, lblSchoolNTV, lblSchoolBase1, lblSchoolBase2, lblSchoolTax},
                unitTabsShown_.School);
}

frmCfgSpcl& frmMain::specials() {
    if (!specials_) {
        specials_ = std::make_unique<frmCfgSpcl>(data_, platform_);
        specials_->setRecalculate([this] { CalculateTaxes(); });
        if (tableLoaded_) ShowTableInSpecials();
    }
    return *specials_;
}

void frmMain::ShowTableInSpecials() {
    specials_->ShowCountyCaption(rateSource_.Label.empty() ? std::nullopt
                                                           : std::optional(data_.CountyName));
    specials_->ShowLoadedTable();
}

// An option group is a single stop of the Tab key, taken by its selected
// button at the group's place in the order (the arrow keys move within the
// group), as in a Windows dialog.
void frmMain::SetKeyboardOrder() {
    QRadioButton* const ageGroup[] = {optO65, optDP, optNeither};
    QRadioButton* const vetGroup[] = {optVet1, optVet2, optVet3, optVet4, optVetNone};
    const auto selected = [](auto& group) {
        for (QRadioButton* option : group)
            if (option->isChecked()) return option;
        return group[0];
    };
    QList<QWidget*> chain{txtAprVal,          comboCounties,      comboCities, comboSchools, chkGHS,
                          selected(ageGroup), selected(vetGroup), Command1,    cmdPrint};
    for (QRadioButton* option : ageGroup)
        if (!chain.contains(option)) chain << option;
    for (QRadioButton* option : vetGroup)
        if (!chain.contains(option)) chain << option;
    chain << tabTaxes;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
    for (QRadioButton* option : ageGroup)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    for (QRadioButton* option : vetGroup)
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void frmMain::Form_Load() {
    txtAprVal->setText(QString());
    tabTaxes->setCurrentIndex(kTotalTaxTab);
    LoadRateFile(*this);
    ShowVersionCaption();
}

void frmMain::ShowLoadedTable() {
    FillUnitList(comboCities, ListItemsOfType(data_, kCityUnit), ListOrder::SortedByText);
    FillUnitList(comboSchools, ListItemsOfType(data_, kSchoolUnit), ListOrder::SortedByText);
    FillUnitList(comboCounties, ListItemsOfType(data_, kCountyUnit), ListOrder::AsAdded);
    comboCities->setCurrentIndex(0);
    comboSchools->setCurrentIndex(0);
    comboCounties->setCurrentIndex(0);

    ShowPlaceholders(unitTabsShown_);
    for (UnitLabels* unit : {&unitTabsShown_.County, &unitTabsShown_.City, &unitTabsShown_.School})
        unit->TRate = "0";
    ShowUnitTabs();
    lblTotCityName->setText(QStringLiteral("Your City"));
    lblTotCountyName->setText(QStringLiteral("Your County"));
    lblTotSchoolName->setText(QStringLiteral("Your School"));

    tabTaxes->setCurrentIndex(kTotalTaxTab);
    txtAprVal->clear();
    chkGHS->setChecked(false);
    optNeither->setChecked(true);
    optVetNone->setChecked(true);
    tableLoaded_ = true;
    if (specials_) ShowTableInSpecials();
}

void frmMain::FocusValueBox() { txtAprVal->setFocus(); }

void frmMain::ShowVersionCaption() { setWindowTitle(QString::fromLatin1(kVersionText)); }

// The settings route writes the path right after the version text; the
// dialog route after an older version text and a blank.
void frmMain::ShowFileCaption(const QString& path, bool chosenInDialog) {
    setWindowTitle(
        (chosenInDialog ? QStringLiteral("Levywise v3.5 ") : QString::fromLatin1(kVersionText)) +
        path);
}

void frmMain::ShowTableCaption(std::string_view tableLabel, std::string_view countyName) {
    if (tableLabel.empty()) return ShowVersionCaption();
    setWindowTitle(QString::fromLatin1(kVersionText) + QStringLiteral(" - ") +
                   CaptionPart(tableLabel) + QStringLiteral(" Tax Rates for ") +
                   CaptionPart(countyName) + QStringLiteral(" County"));
}

std::optional<Error> frmMain::WorkOutEstimate(EstimateRecord& record) const {
    const std::string value = ToCp1252(txtAprVal->text());
    const std::string county = SelectedUnitCode(comboCounties);
    const std::string city = SelectedUnitCode(comboCities);
    const std::string school = SelectedUnitCode(comboSchools);
    EstimateRequest in;
    in.Value = value;
    in.County = county;
    in.City = city;
    in.School = school;
    in.Districts = DistrictChoice::Selected;
    in.GHS = chkGHS->isChecked();
    in.Age = optNeither->isChecked() ? AgeOption::Neither
             : optO65->isChecked()   ? AgeOption::O65
             : optDP->isChecked()    ? AgeOption::DP
                                     : AgeOption::Neither;
    in.Vet = optVetNone->isChecked() ? VetOption::None
             : optVet1->isChecked()  ? VetOption::Vet1
             : optVet2->isChecked()  ? VetOption::Vet2
             : optVet3->isChecked()  ? VetOption::Vet3
             : optVet4->isChecked()  ? VetOption::Vet4
                                     : VetOption::None;
    return Estimate(LoadedTable(data_, rateSource_), in, record);
}

void frmMain::CalculateTaxes() {
    EstimateRecord record;
    if (const auto error = WorkOutEstimate(record)) {
        platform_.messageBox(this, QStringLiteral("Calculate"),
                             QString::fromStdString(error->problem), MsgButtons::Ok);
        return;
    }
    ShowEstimate(LabelsOf(record));
    ShowValueNote(HoldsNoNumber(ToCp1252(txtAprVal->text())));
    // The estimate as "levywise-cli estimate" prints it, for Copy Estimate.
    estimateText_ = QString::fromStdString(EstimateText(record));
    whatIf_->Shown(std::move(record));
    emit estimateShown(*whatIf_->shown());
}

void frmMain::ShowValueNote(bool shown) {
    lblValueNote->setVisible(shown);
    if (shown) lblValueNote->raise();
    txtAprVal->setAccessibleDescription(shown ? lblValueNote->text() : QString());
}

void frmMain::ShowResultMenu(QLineEdit* box, QPoint at) {
    QMenu* menu = box->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(menuCopyEstimate);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(box->mapToGlobal(at));
}

void frmMain::menuCopyEstimate_Click() {
    if (!estimateText_.isEmpty()) QGuiApplication::clipboard()->setText(estimateText_);
}

// Enter anywhere in the window presses Calculate, the default button; a
// focused button takes its own Enter first.
void frmMain::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Command1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::SetRateSource(const QString& path, const std::string& label) {
    rateSource_.Path = QDir::toNativeSeparators(path).toStdString();
    rateSource_.Label = label;
}

void frmMain::ShowEstimate(const EstimateLabels& e) {
    unitTabsShown_.County = e.County;
    unitTabsShown_.City = e.City;
    unitTabsShown_.School = e.School;
    ShowUnitTabs();
    Show(lblTotCountyName, e.County.TotName);
    Show(lblTotCountyTax, e.County.TotTax);
    Show(lblTotCityName, e.City.TotName);
    Show(lblTotCityTax, e.City.TotTax);
    Show(lblTotSchoolName, e.School.TotName);
    Show(lblTotSchoolTax, e.School.TotTax);
    Show(lblTotSpclTax, e.TotSpclTax);
    Show(lblTotTax, e.TotTax);
}

void frmMain::Command1_Click() { CalculateTaxes(); }

void frmMain::cmdPrint_Click() { PrintWindowImage(centralWidget(), platform_); }

void frmMain::menuOpen_Click() {
    // Rate files are read whole and closed at once, so none is open here.
    LoadRateFile(*this);
}

void frmMain::menuListTable_Click() {
    if (data_.LoadedCount == 0) {
        platform_.messageBox(this, QStringLiteral("List tax rate table"),
                             QStringLiteral("No tax rate table loaded"), MsgButtons::Ok);
        return;
    }
    if (showRateTable_) showRateTable_();
}

void frmMain::menuKeepCompare_Click() { whatIf_->Keep(); }

void frmMain::menuShowCompare_Click() { whatIf_->ShowComparison(); }

void frmMain::menuWorksheet_Click() { whatIf_->ShowWorksheet(); }

const EstimateRecord* frmMain::EstimateToShow(const QString& title) {
    const EstimateRecord* shown = whatIf_->shown();
    if (!shown)
        platform_.messageBox(this, title, QStringLiteral("There is no estimate to show yet."),
                             MsgButtons::Ok);
    return shown;
}

void frmMain::menuWhereTaxGoes_Click() {
    if (const EstimateRecord* shown = EstimateToShow(QStringLiteral("Where the Tax Goes")))
        emit whereTaxGoesAsked(*shown);
}

void frmMain::menuTaxHistory_Click() {
    if (const EstimateRecord* shown = EstimateToShow(QStringLiteral("Tax History")))
        emit taxHistoryAsked(*shown);
}

void frmMain::menuCfgSpcl_Click() {
    frmCfgSpcl& window = specials();
    // A window the user minimized comes back as it was.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void frmMain::menuAbout_Click() {
    platform_.messageBox(this, QLatin1String(kAboutTitle), AboutText(), MsgButtons::Ok);
}

void frmMain::menuExit_Click() {
    close();
    if (specials_) specials_->close();
    if (closeRateTable_) closeRateTable_();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (specials_) specials_->close();
    whatIf_->CloseComparison();
    emit closing();
    event->accept();
}

} // namespace levywise
