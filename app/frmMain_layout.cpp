#include "app/frmMain_layout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "app/frmMain_controls.h"
#include "platform/accessibility.h"
#include "platform/flat_frame_style.h"
#include "platform/twips.h"
#include "platform/twips_tab_widget.h"
#include "platform/window_fonts.h"

namespace levywise {
namespace {

constexpr int kClientWidth = 7215;
constexpr int kClientHeight = 6360;

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Captions are fixed texts and figures are data: neither may be taken for
// markup or an access key.
QLabel* Caption(QWidget* parent, const char* name, const QString& text,
                Qt::Alignment horizontal = Qt::AlignLeft) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

// A read-only box with a single black line around it, drawn here: a style
// sheet on each of the window's forty boxes would cost the start a
// noticeable part of its time.
class BorderedBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// A text box lays out its empty text in the application's font while it is
// built, before it takes its window's. Built with its window's font standing
// in for the application's, the window's start loads one font, not two (a
// twentieth of its work). The application's font is put back as it was; Qt then
// holds it as set by the program, so a change of the desktop's font while
// the program runs reaches its dialogs and menus only on the next start.
template <class Box>
Box* NewTextBox(QWidget* parent) {
    const QFont desktop = QGuiApplication::font();
    QGuiApplication::setFont(parent->font());
    auto* box = new Box(parent);
    QGuiApplication::setFont(desktop);
    return box;
}

// A box the calculation fills: a single-line border and the figure at the
// right; the user can select and copy the figure. Screen readers name it
// by its tab and row.
QLineEdit* ValueBox(QWidget* parent, const char* name, const QString& spoken) {
    auto* box = Named(NewTextBox<BorderedBox>(parent), name);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(2, 0, 2, 0); // inside the line, one pixel apart from it
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
    box->setPalette(palette);
    box->setAccessibleName(spoken);
    return box;
}

QRect Twips(int left, int top, int width, int height) { return {left, top, width, height}; }

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* frame = Named(new QGroupBox(caption, parent), name);
    QWidget* window = parent->window();
    auto* style = window->findChild<FlatFrameStyle*>();
    if (!style) {
        style = new FlatFrameStyle;
        style->setParent(window);
    }
    frame->setStyle(style);
    return frame;
}

QRadioButton* Option(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height) {
    auto* option = Named(new QRadioButton(caption, parent), name);
    PlaceTwips(option, left, top, width, height);
    return option;
}

// The rows of the three unit tabs: the same layout, each with its own names.
struct UnitTabNames {
    QLabel* frmMainControls::*member;
    const char* name;
};
#define LW_LABEL(x)                                                                                \
    UnitTabNames { &frmMainControls::x, #x }
struct ValueNames {
    QLineEdit* frmMainControls::*member;
    const char* name;
};
#define LW_VALUE(x)                                                                                \
    ValueNames { &frmMainControls::x, #x }

struct UnitTab {
    const char* spoken; // the tab, as screen readers name its boxes
    const char* placeholder;
    int nameWidth;
    int hsLeft, hsWidth;   // "- Value of gen. HS"
    int o65Left, o65Width; // "- Value of O65 or DP HS"
    UnitTabNames name, aprCaption, hsCaption, o65Caption, vetCaption;
    ValueNames aprVal, hsVal, o65Val, vetVal;
    UnitTabNames ntvCaption, ntvEquals;
    ValueNames ntv, base1;
    UnitTabNames taxCaption;
    ValueNames base2;
    UnitTabNames times;
    ValueNames tRate;
    UnitTabNames equals;
    ValueNames tax;
};

const UnitTab kCountyTab{"County tax",
                         "Your County",
                         1452,
                         120,
                         2052,
                         240,
                         1932,
                         LW_LABEL(lblCountyName),
                         LW_LABEL(lblLabel1),
                         LW_LABEL(lblLabel2),
                         LW_LABEL(lblLabel3),
                         LW_LABEL(lblLabel4),
                         LW_VALUE(lblCountyAprVal),
                         LW_VALUE(lblCountyHSVal),
                         LW_VALUE(lblCountyO65Val),
                         LW_VALUE(lblCountyVetVal),
                         LW_LABEL(Label12),
                         LW_LABEL(Label13),
                         LW_VALUE(lblCountyNTV),
                         LW_VALUE(lblCountyBase1),
                         LW_LABEL(Label9),
                         LW_VALUE(lblCountyBase2),
                         LW_LABEL(Label7),
                         LW_VALUE(lblCountyTRate),
                         LW_LABEL(Label8),
                         LW_VALUE(lblCountyTax)};

const UnitTab kCityTab{"City tax",
                       "Your City",
                       3252,
                       480,
                       1692,
                       120,
                       2052,
                       LW_LABEL(lblCityName),
                       LW_LABEL(Label26),
                       LW_LABEL(Label25),
                       LW_LABEL(Label24),
                       LW_LABEL(Label23),
                       LW_VALUE(lblCityAprVal),
                       LW_VALUE(lblCityHSVal),
                       LW_VALUE(lblCityO65Val),
                       LW_VALUE(lblCityVetVal),
                       LW_LABEL(Label31),
                       LW_LABEL(Label32),
                       LW_VALUE(lblCityNTV),
                       LW_VALUE(lblCityBase1),
                       LW_LABEL(Label28),
                       LW_VALUE(lblCityBase2),
                       LW_LABEL(Label15),
                       LW_VALUE(lblCityTRate),
                       LW_LABEL(Label14),
                       LW_VALUE(lblCityTax)};

const UnitTab kSchoolTab{"School tax",
                         "Your School",
                         3252,
                         480,
                         1692,
                         120,
                         2052,
                         LW_LABEL(lblSchoolName),
                         LW_LABEL(Label45),
                         LW_LABEL(Label44),
                         LW_LABEL(Label43),
                         LW_LABEL(Label42),
                         LW_VALUE(lblSchoolAprVal),
                         LW_VALUE(lblSchoolHSVal),
                         LW_VALUE(lblSchoolO65Val),
                         LW_VALUE(lblSchoolVetVal),
                         LW_LABEL(Label50),
                         LW_LABEL(Label51),
                         LW_VALUE(lblSchoolNTV),
                         LW_VALUE(lblSchoolBase1),
                         LW_LABEL(Label47),
                         LW_VALUE(lblSchoolBase2),
                         LW_LABEL(Label34),
                         LW_VALUE(lblSchoolTRate),
                         LW_LABEL(Label33),
                         LW_VALUE(lblSchoolTax)};

#undef LW_LABEL
#undef LW_VALUE

constexpr int kValueWidth = 1212;
constexpr int kValueHeight = 252;

void BuildInputArea(frmMainControls& w, QWidget* client) {
    w.Frame7 = Named(new QFrame(client), "Frame7");
    w.Frame7->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    PlaceTwips(w.Frame7, 0, 0, kClientWidth, 30);

    w.Frame1 =
        Frame(client, "Frame1", QStringLiteral("Enter value and select county, city and school"));
    PlaceTwips(w.Frame1, 120, 240, 6975, 2892);
    w.Frame2 = Frame(client, "Frame2");
    w.Frame2->setAccessibleName(QStringLiteral("Estimate"));
    PlaceTwips(w.Frame2, 120, 3120, 6975, 3135);

    QWidget* f = w.Frame1;
    w.txtAprVal = Named(NewTextBox<QLineEdit>(f), "txtAprVal");
    w.txtAprVal->setToolTip(QStringLiteral("Enter the value of the property here"));
    w.txtAprVal->setAccessibleName(QStringLiteral("Appraised value"));
    PlaceTwips(w.txtAprVal, 240, 240, 2055, 285);

    // A list is heard by its caption, the label whose buddy it is, and by the
    // entry chosen, as the toolkit names it.
    w.Label3 = Caption(f, "Label3", QStringLiteral("County"));
    PlaceTwips(w.Label3, 240, 600, 1095, 255);
    w.comboCounties = Named(new QComboBox(f), "comboCounties");
    w.Label3->setBuddy(w.comboCounties);
    w.comboCounties->setToolTip(QStringLiteral("Select the county here"));
    PlaceTwips(w.comboCounties, 240, 840, 2055, 315);

    w.Label1 = Caption(f, "Label1", QStringLiteral("City"));
    PlaceTwips(w.Label1, 240, 1200, 975, 255);
    w.comboCities = Named(new QComboBox(f), "comboCities");
    w.Label1->setBuddy(w.comboCities);
    w.comboCities->setToolTip(QStringLiteral("Select the city here"));
    PlaceTwips(w.comboCities, 240, 1440, 2055, 315);

    w.Label2 = Caption(f, "Label2", QStringLiteral("School"));
    PlaceTwips(w.Label2, 240, 1800, 855, 255);
    w.comboSchools = Named(new QComboBox(f), "comboSchools");
    w.Label2->setBuddy(w.comboSchools);
    w.comboSchools->setToolTip(QStringLiteral("Select the school district here"));
    PlaceTwips(w.comboSchools, 240, 2040, 2055, 315);

    // Calculate is the default button: Enter calculates (the window does it,
    // as a main window has no default button of its own). Enter on Print
    // prints.
    w.Command1 = Named(new QPushButton(QStringLiteral("&Calculate"), f), "Command1");
    w.Command1->setToolTip(QStringLiteral("Press to calculate taxes"));
    w.Command1->setDefault(true);
    PlaceTwips(w.Command1, 240, 2520, 1092, 255);
    w.cmdPrint = Named(new QPushButton(QStringLiteral("&Print"), f), "cmdPrint");
    w.cmdPrint->setAutoDefault(true);
    PlaceTwips(w.cmdPrint, 1440, 2520, 975, 255);

    w.Frame3 = Frame(f, "Frame3", QStringLiteral("Then select applicable exemptions"));
    PlaceTwips(w.Frame3, 2520, 240, 4215, 2532);

    // Beside the value box, over the start of the exemptions' frame while it shows.
    w.lblValueNote = Caption(f, "lblValueNote", QStringLiteral("not a number: read as 0"));
    w.lblValueNote->setFrameStyle(QFrame::Box | QFrame::Plain);
    w.lblValueNote->setAlignment(Qt::AlignCenter);
    SetBackground(w.lblValueNote, kPaleYellow);
    PlaceTwips(w.lblValueNote, 2355, 240, 2055, 285);
    w.lblValueNote->hide();
}

void BuildExemptions(frmMainControls& w) {
    w.chkGHS = Named(new QCheckBox(QStringLiteral("General Homestead"), w.Frame3), "chkGHS");
    w.chkGHS->setToolTip(QStringLiteral("Click on the box to select a general homestead"));
    PlaceTwips(w.chkGHS, 360, 240, 1815, 255);

    w.Frame4 = Frame(w.Frame3, "Frame4");
    w.Frame4->setAccessibleName(QStringLiteral("Over 65 or disabled person"));
    w.Frame4->setToolTip(QStringLiteral("You may select Over 65 or Disabled Person, but not both"));
    PlaceTwips(w.Frame4, 240, 480, 3855, 972);
    w.Frame5 = Frame(w.Frame3, "Frame5");
    w.Frame5->setAccessibleName(QStringLiteral("Veterans exemption"));
    w.Frame5->setToolTip(QStringLiteral("Only one veterans exemption may be selected"));
    PlaceTwips(w.Frame5, 240, 1440, 3855, 972);

    // Option buttons that share a frame exclude each other.
    w.optO65 = Option(w.Frame4, "optO65", QStringLiteral("Over 65 or Surviving Spouse"), 120, 120,
                      2415, 255);
    w.optDP = Option(w.Frame4, "optDP", QStringLiteral("Disabled Person"), 120, 360, 1572, 255);
    w.optNeither = Option(w.Frame4, "optNeither", QStringLiteral("Neither"), 120, 600, 1572, 252);
    w.optNeither->setChecked(true);

    w.optVet1 = Option(w.Frame5, "optVet1", QStringLiteral("Veterans 10-30%"), 120, 120, 1575, 255);
    w.optVet2 = Option(w.Frame5, "optVet2", QStringLiteral("Veterans 31-50%"), 120, 360, 1575, 255);
    w.optVet3 =
        Option(w.Frame5, "optVet3", QStringLiteral("Veterans 51-70%"), 1920, 120, 1815, 255);
    w.optVet4 =
        Option(w.Frame5, "optVet4", QStringLiteral("Veterans 71-100%"), 1920, 360, 1695, 255);
    w.optVetNone = Option(w.Frame5, "optVetNone", QStringLiteral("None"), 120, 600, 1332, 252);
    w.optVetNone->setChecked(true);
}

// The tab control's pages are pale yellow, as the control is; the labels
// and the frame on them show the system's button face.
QWidget* TabPage(const char* name) {
    auto* page = Named(new QWidget, name);
    SetBackground(page, kPaleYellow);
    return page;
}

void BuildUnitTab(frmMainControls& w, QWidget* page, const UnitTab& t) {
    const auto caption = [&](const UnitTabNames& n, const char* text, QRect twips,
                             Qt::Alignment align = Qt::AlignLeft) {
        QLabel* label = Caption(page, n.name, QString::fromLatin1(text), align);
        TwipsTabWidget::Place(label, twips);
        w.*n.member = label;
        return label;
    };
    const auto value = [&](const ValueNames& n, int left, int top, const char* row,
                           int width = kValueWidth) {
        QLineEdit* box =
            ValueBox(page, n.name,
                     QStringLiteral("%1: %2").arg(QLatin1String(t.spoken), QLatin1String(row)));
        TwipsTabWidget::Place(box, Twips(left, top, width, kValueHeight));
        w.*n.member = box;
        return box;
    };

    ExposeTextAsShown(caption(t.name, t.placeholder, Twips(240, 540, t.nameWidth, 252)));
    (w.*t.name.member)->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::Bold));
    caption(t.aprCaption, "Appraised Value", Twips(480, 780, 1452, 252))
        ->setBuddy(value(t.aprVal, 2280, 780, "appraised value"));
    caption(t.hsCaption, "- Value of gen. HS", Twips(t.hsLeft, 1020, t.hsWidth, 252),
            Qt::AlignRight)
        ->setBuddy(value(t.hsVal, 2280, 1020, "general homestead exemption"));
    caption(t.o65Caption, "- Value of O65 or DP HS", Twips(t.o65Left, 1260, t.o65Width, 252),
            Qt::AlignRight)
        ->setBuddy(value(t.o65Val, 2280, 1260, "over 65 or disabled person exemption"));
    caption(t.vetCaption, "- Value of Vet Exemption", Twips(120, 1500, 2052, 252), Qt::AlignRight)
        ->setBuddy(value(t.vetVal, 2280, 1500, "veteran exemption"));
    caption(t.ntvCaption, "Net taxable value/100 = tax base", Twips(3600, 1260, 2532, 252));
    caption(t.ntvEquals, "=", Twips(3480, 1500, 252, 252), Qt::AlignHCenter);
    value(t.ntv, 3720, 1500, "net taxable value", 1092);
    value(t.base1, 5040, 1500, "tax base");
    caption(t.taxCaption, "Tax base              x  tax rate              =  tax amout",
            Twips(2280, 1980, 3972, 252));
    value(t.base2, 2280, 2220, "tax base, for the tax amount");
    caption(t.times, "x", Twips(3480, 2220, 252, 252), Qt::AlignHCenter);
    value(t.tRate, 3720, 2220, "tax rate", 1092);
    caption(t.equals, "=", Twips(4800, 2220, 252, 252), Qt::AlignHCenter);
    value(t.tax, 5040, 2220, "tax amount");
}

void BuildTotalTab(frmMainControls& w, QWidget* page) {
    struct Row {
        QLabel* frmMainControls::*name;
        const char* nameId;
        const char* caption;
        QLineEdit* frmMainControls::*tax;
        const char* taxId;
        const char* tooltip;
        const char* spoken;
        int top;
    };
    const Row rows[] = {
        {&frmMainControls::lblTotCountyName, "lblTotCountyName", "County Tax",
         &frmMainControls::lblTotCountyTax, "lblTotCountyTax", "For details, select County Tax tab",
         "county tax", 480},
        {&frmMainControls::lblTotCityName, "lblTotCityName", "City Tax",
         &frmMainControls::lblTotCityTax, "lblTotCityTax", "For details, select City Tax tab",
         "city tax", 840},
        {&frmMainControls::lblTotSchoolName, "lblTotSchoolName", "School Tax",
         &frmMainControls::lblTotSchoolTax, "lblTotSchoolTax", "For details, select School Tax tab",
         "school tax", 1200},
        {&frmMainControls::Label4, "Label4", "Special District Tax*",
         &frmMainControls::lblTotSpclTax, "lblTotSpclTax",
         "Details of this calculation are not available", "special district tax", 1560},
    };
    const auto spoken = [](const char* row) {
        return QStringLiteral("Total tax: ") + QLatin1String(row);
    };
    // A unit's name shows its "&" as it is: the names have no buddy, whose
    // access key it would become (the figures have names of their own).
    for (const Row& row : rows) {
        QLabel* name = Caption(page, row.nameId, QString::fromLatin1(row.caption), Qt::AlignRight);
        ExposeTextAsShown(name);
        TwipsTabWidget::Place(name, Twips(720, row.top, 2655, 255));
        QLineEdit* tax = ValueBox(page, row.taxId, spoken(row.spoken));
        tax->setToolTip(QString::fromLatin1(row.tooltip));
        TwipsTabWidget::Place(tax, Twips(3840, row.top, 1215, 255));
        w.*row.name = name;
        w.*row.tax = tax;
    }

    w.Frame6 = Frame(page, "Frame6");
    w.Frame6->setAccessibleName(QStringLiteral("Total"));
    SetBackground(w.Frame6, ButtonFace());
    TwipsTabWidget::Place(w.Frame6, Twips(1680, 1800, 3615, 615));
    w.Label59 = Caption(w.Frame6, "Label59", QStringLiteral("Total Taxes"));
    PlaceTwips(w.Label59, 120, 240, 1575, 255);
    w.lblTotTax = ValueBox(w.Frame6, "lblTotTax", spoken("total taxes"));
    w.lblTotTax->setToolTip(QStringLiteral("Total estimated tax"));
    PlaceTwips(w.lblTotTax, 2160, 240, 1215, 255);
    w.Label59->setBuddy(w.lblTotTax);

    w.Label60 =
        Caption(page, "Label60",
                QStringLiteral("*Special District Tax includes all special districts selected"));
    TwipsTabWidget::Place(w.Label60, Twips(360, 2400, 4935, 255));
}

void ButtonFaceLabels(QWidget* page) {
    for (QLabel* label : page->findChildren<QLabel*>()) SetBackground(label, ButtonFace());
}

void BuildTabs(frmMainControls& w) {
    auto* tabs = Named(new TwipsTabWidget(w.Frame2), "tabTaxes");
    w.tabTaxes = tabs;
    tabs->setAccessibleName(QStringLiteral("Taxes"));
    SetBackground(tabs, kPaleYellow);
    PlaceTwips(tabs, 240, 240, 6495, 2775);

    tabs->addTab(TabPage("tabCounty"), QStringLiteral("County Tax"));
    tabs->addTab(TabPage("tabCity"), QStringLiteral("City Tax"));
    tabs->addTab(TabPage("tabSchool"), QStringLiteral("School Tax"));
    QWidget* total = TabPage("tabTotal");
    tabs->addTab(total, QStringLiteral("Total Tax"));
    // Built on its page in place, its controls take the window's font and
    // colours once.
    BuildTotalTab(w, total);
    ButtonFaceLabels(total);
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, QKeyCombination key) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(QKeySequence(key));
    return action;
}

void BuildMenus(QMainWindow& window, frmMainControls& w) {
    QMenuBar* bar = window.menuBar();
    // The menu bar keeps the desktop's colours; only the window is yellow.
    QPalette desktop = bar->palette();
    for (auto role : {QPalette::Window, QPalette::Button})
        desktop.setColor(role, QApplication::palette().color(role));
    bar->setPalette(desktop);
    bar->setAutoFillBackground(true);

    w.menuFile = Named(bar->addMenu(QStringLiteral("&File")), "menuFile");
    w.menuOpen = MenuItem(w.menuFile, "menuOpen", QStringLiteral("&Open Tax Rate File"),
                          Qt::CTRL | Qt::Key_O);
    w.menuListTable = MenuItem(w.menuFile, "menuListTable", QStringLiteral("&List table contents"),
                               Qt::CTRL | Qt::Key_L);
    w.menuSep1 = w.menuFile->addSeparator();
    w.menuSep1->setObjectName(QStringLiteral("menuSep1"));
    w.menuExit = MenuItem(w.menuFile, "menuExit", QStringLiteral("E&xit"), Qt::CTRL | Qt::Key_X);

    w.menuAdvCfg = Named(bar->addMenu(QStringLiteral("&Advanced Config")), "menuAdvCfg");
    w.menuCfgSpcl = MenuItem(w.menuAdvCfg, "menuCfgSpcl",
                             QStringLiteral("&Configure Special Districts"), Qt::CTRL | Qt::Key_C);

    w.menuHelp = Named(bar->addMenu(QStringLiteral("&Help")), "menuHelp");
    w.menuAbout = MenuItem(w.menuHelp, "menuAbout", QStringLiteral("&About"), Qt::CTRL | Qt::Key_A);

    // Not in the menu bar, which stays as it was designed: in the results'
    // context menu, and its shortcut works anywhere in the window.
    w.menuCopyEstimate =
        Named(new QAction(QStringLiteral("Copy &Estimate"), &window), "menuCopyEstimate");
    w.menuCopyEstimate->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    window.addAction(w.menuCopyEstimate);
}

} // namespace

void BuildUnitTabControls(frmMainControls& controls) {
    auto* tabs = static_cast<TwipsTabWidget*>(controls.tabTaxes);
    for (const auto& [index, tab] :
         {std::pair{0, &kCountyTab}, std::pair{1, &kCityTab}, std::pair{2, &kSchoolTab}}) {
        QWidget* page = tabs->widget(index);
        BuildUnitTab(controls, page, *tab);
        ButtonFaceLabels(page);
        // Controls added to a page on screen stay hidden until shown.
        if (page->isVisible())
            for (QWidget* control : page->findChildren<QWidget*>()) control->show();
    }
    tabs->placePageControls();
}

void BuildMainWindowControls(QMainWindow& window, frmMainControls& controls) {
    window.setFont(DefaultDesignFont());
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kPaleYellow);
    window.setPalette(palette);

    auto* client = Named(new QWidget(&window), "client");
    window.setCentralWidget(client);

    BuildInputArea(controls, client);
    BuildExemptions(controls);
    BuildTabs(controls);
    BuildMenus(window, controls);

    // The layout does not grow with the window; the window starts at the
    // size of its design and may be made larger but not smaller.
    client->setMinimumSize(TwipsToPixels(kClientWidth, client),
                           TwipsToPixels(kClientHeight, client));
    window.resize(client->minimumWidth(),
                  client->minimumHeight() + window.menuBar()->sizeHint().height());
}

} // namespace levywise
