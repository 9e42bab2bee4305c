#include "specials/frmCfgSpcl.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "platform/accessibility.h"
#include "platform/caption_text.h"
#include "platform/platform.h"
#include "platform/print_window.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "platform/window_fonts.h"
#include "ratedata/formats.h"
#include "ratedata/mod_main.h"

namespace levywise {
namespace {

constexpr int kRowTop = 480;   // twips: top of row 0
constexpr int kRowPitch = 360; // twips from one row to the next

// Text boxes paint their face with the Base colour, the rest with Window/Button.
void PaleYellowBox(QLineEdit* box) {
    SetBackground(box, kPaleYellow);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, kPaleYellow);
    box->setPalette(p);
}

QLineEdit* DisplayField(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    // Display only: focus stays with the boxes and buttons, so the page keys scroll.
    box->setFocusPolicy(Qt::NoFocus);
    PaleYellowBox(box);
    return box;
}

void SetBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

QString RowName(const char* array, int row) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(row);
}

} // namespace

frmCfgSpcl::frmCfgSpcl(modMain& data, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), data_(data), platform_(platform) {
    setObjectName(QStringLiteral("frmCfgSpcl"));
    setWindowTitle(QStringLiteral("Configure Special Districts"));
    setFont(DefaultDesignFont());
    SetBackground(this, kPaleYellow);
    ExposeAsWindow(this);
    setFixedSize(TwipsRect(0, 0, 6240, 6690, this).size());
    // A click on the bare window gives it the keyboard, for the page keys.
    setFocusPolicy(Qt::ClickFocus);
    BuildControls();
}

void frmCfgSpcl::BuildControls() {
    auto label = [this](const char* name, const QString& text, int left, int top, int width) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        SetBackground(l, kPaleYellow);
        PlaceTwips(l, left, top, width, 255);
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Jurisdiction"), 600, 120, 3135);
    Label1->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 9.75, QFont::Bold));
    Label2 = label("Label2", QStringLiteral("Tax Rate"), 3720, 120, 2055);
    Label2->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 9.75, QFont::Bold));

    for (int r = 0; r < kRows; ++r) {
        const int top = kRowTop + kRowPitch * r;
        auto* box = new QCheckBox(this);
        box->setObjectName(RowName("chkSpclDist", r));
        box->setToolTip(QStringLiteral("Click to toggle this jurisdiction"));
        SetBackground(box, kPaleYellow);
        PlaceTwips(box, 360, top, 255, 255);
        connect(box, &QCheckBox::toggled, this, [this, r] { chkSpclDist_Click(r); });
        chkSpclDist[r] = box;

        txtSpclName[r] = DisplayField(this, RowName("txtSpclName", r));
        txtSpclName[r]->setAccessibleName(QStringLiteral("Jurisdiction"));
        PlaceTwips(txtSpclName[r], 600, top, 3135, 285);
        txtTaxRate[r] = DisplayField(this, RowName("txtTaxRate", r));
        txtTaxRate[r]->setAccessibleName(QStringLiteral("Tax Rate"));
        PlaceTwips(txtTaxRate[r], 3720, top, 2055, 285);
        BlankRow(r);
    }

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    // The desktop's colours: a handle the colour of the window would not show.
    QPalette desktop = VScroll1->palette();
    for (const auto role : {QPalette::Window, QPalette::Button})
        desktop.setColor(role, QApplication::palette().color(role));
    VScroll1->setPalette(desktop);
    VScroll1->setAccessibleName(QStringLiteral("First district shown"));
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setRange(1, 1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    PlaceTwips(VScroll1, 5760, kRowTop, 255, 4935);
    VScroll1->hide();
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmCfgSpcl::VScroll1_Change);

    Label3 =
        label("Label3", QStringLiteral("Jurisdictions shown in BOLD are Defaults for the county"),
              360, 5640, 4215);

    auto button = [this](const char* name, const QString& caption, int left, int width) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        SetBackground(b, kPaleYellow);
        PlaceTwips(b, left, 6120, width, 495);
        return b;
    };
    cmdFinish = button("cmdFinish", QStringLiteral("&Finsh"), 240, 1455);
    cmdPrint = button("cmdPrint", QStringLiteral("&Print"), 2400, 1455);
    cmdRestore = button("cmdRestore", QStringLiteral("&Restore Defaults"), 4560, 1335);
    connect(cmdFinish, &QPushButton::clicked, this, &frmCfgSpcl::cmdFinish_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmCfgSpcl::cmdPrint_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmCfgSpcl::cmdRestore_Click);

    // The wheel over any control turns the page, the bar included: left to
    // itself the bar would move one district per notch, as its page step is one.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

void frmCfgSpcl::setRecalculate(std::function<void()> recalculate) {
    recalculate_ = std::move(recalculate);
}

int frmCfgSpcl::PageOffset() const { return VScroll1->value(); }

int frmCfgSpcl::DistrictCount() const {
    const auto slotCount = std::min(data_.SpclTbl.size(), data_.SpclSel.size());
    const int capacity = std::max(0, static_cast<int>(slotCount) - 1);
    return std::clamp(data_.SpclCount, 0, capacity);
}

void frmCfgSpcl::FillRow(int row, int district) {
    const Jurisdiction& unit = data_.SpclTbl[district];
    const SpclFlags& flags = data_.SpclSel[district];

    // A never-written slot holds NULs: it shows as a blank name.
    QString name = FromCp1252(unit.Name.view());
    name.replace(QChar(u'\0'), QChar(u' '));
    txtSpclName[row]->setText(name);
    txtSpclName[row]->setCursorPosition(0); // long names show their start
    SetBold(txtSpclName[row], flags.Default.equals("Y"));
    {
        // Showing the flag must never write it back.
        const QSignalBlocker quiet(chkSpclDist[row]);
        chkSpclDist[row]->setChecked(flags.Selected.equals("Y"));
    }
    txtTaxRate[row]->setText(QString::fromStdString(PlainNumberText(unit.TaxRate)));
    // A screen reader says which district a box toggles.
    chkSpclDist[row]->setAccessibleName(name.trimmed() + QStringLiteral(", tax rate ") +
                                        txtTaxRate[row]->text());
    txtTaxRate[row]->setCursorPosition(0);
    chkSpclDist[row]->show();
    txtSpclName[row]->show();
    txtTaxRate[row]->show();
}

void frmCfgSpcl::BlankRow(int row) {
    txtSpclName[row]->setText(QStringLiteral(" "));
    {
        const QSignalBlocker quiet(chkSpclDist[row]);
        chkSpclDist[row]->setChecked(false);
    }
    SetBold(txtSpclName[row], false);
    txtTaxRate[row]->setText(QStringLiteral(" "));
    chkSpclDist[row]->setAccessibleName(QString());
    chkSpclDist[row]->hide();
    txtSpclName[row]->hide();
    txtTaxRate[row]->hide();
}

void frmCfgSpcl::ShowSpecialDistricts(int offset) {
    const int count = DistrictCount();
    const int lastPage = std::max(1, count - kRows + 1);
    const int first = std::clamp(offset, 1, lastPage);
    {
        // The page is filled right below; a nested refill would only repeat it.
        const QSignalBlocker quiet(VScroll1);
        VScroll1->setRange(1, lastPage);
        VScroll1->setValue(first);
        VScroll1->setVisible(count > kRows);
    }
    for (int r = 0; r < kRows; ++r) {
        const int district = first + r;
        if (district <= count)
            FillRow(r, district);
        else
            BlankRow(r); // no district behind this row: nothing to show or click
    }
    if (isVisible()) repaint(TwipsRect(360, kRowTop, 5415, kRowPitch * kRows, this));
}

void frmCfgSpcl::ResetSpecialRows() {
    for (int r = 0; r < kRows; ++r) BlankRow(r);
}

void frmCfgSpcl::ShowCountyCaption(std::optional<std::string_view> county) {
    setWindowTitle(county ? QStringLiteral("Configure Special Districts for ") +
                                CaptionPart(*county) + QStringLiteral(" County")
                          : QStringLiteral("Configure Special Districts"));
}

void frmCfgSpcl::ShowLoadedTable() {
    ResetSpecialRows();
    loading_ = true;
    ShowSpecialDistricts(1);
    loading_ = false;
}

void frmCfgSpcl::RestoreDefaults() {
    const int count = DistrictCount();
    for (int i = 1; i <= count; ++i) {
        SpclFlags& flags = data_.SpclSel[i];
        flags.Selected.assign(flags.Default.equals("Y") ? "Y" : "N");
    }
    ShowSpecialDistricts(VScroll1->value());
}

void frmCfgSpcl::chkSpclDist_Click(int Index) {
    if (Index < 0 || Index >= kRows || loading_) return;
    const int district = VScroll1->value() + Index;
    if (district < 1 || district > DistrictCount()) return;
    data_.SpclSel[district].Selected.assign(chkSpclDist[Index]->isChecked() ? "Y" : "N");
}

void frmCfgSpcl::VScroll1_Change() { ShowSpecialDistricts(VScroll1->value()); }

void frmCfgSpcl::cmdRestore_Click() { RestoreDefaults(); }

void frmCfgSpcl::cmdFinish_Click() {
    if (recalculate_) recalculate_();
    hide();
}

void frmCfgSpcl::cmdPrint_Click() { PrintWindowImage(this, platform_); }

void frmCfgSpcl::ScrollBy(int districts) {
    if (VScroll1->isHidden()) return;
    VScroll1->setValue(VScroll1->value() + districts); // the bar keeps it in range
}

void frmCfgSpcl::wheelEvent(QWheelEvent* event) { TurnWheel(event); }

void frmCfgSpcl::TurnWheel(QWheelEvent* event) {
    // One notch scrolls as many districts as the desktop scrolls lines of a
    // list; the small turns of fine-grained wheels add up.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) ScrollBy(-notches * QApplication::wheelScrollLines());
    event->accept();
}

void frmCfgSpcl::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up: ScrollBy(-1); break;
    case Qt::Key_Down: ScrollBy(1); break;
    case Qt::Key_PageUp: ScrollBy(-kRows); break;
    case Qt::Key_PageDown: ScrollBy(kRows); break;
    case Qt::Key_Home: ScrollBy(VScroll1->minimum() - VScroll1->value()); break;
    case Qt::Key_End: ScrollBy(VScroll1->maximum() - VScroll1->value()); break;
    case Qt::Key_Escape: cmdFinish_Click(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

bool frmCfgSpcl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        TurnWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QWidget::eventFilter(watched, event);
    const auto row = std::find(chkSpclDist.begin(), chkSpclDist.end(), watched);
    if (row == chkSpclDist.end()) return QWidget::eventFilter(watched, event);
    const int r = static_cast<int>(row - chkSpclDist.begin());
    switch (key->key()) {
    case Qt::Key_Up: return MoveFromRow(r, -1);
    case Qt::Key_Down: return MoveFromRow(r, +1);
    default: return QWidget::eventFilter(watched, event);
    }
}

bool frmCfgSpcl::MoveFromRow(int row, int step) {
    const int next = row + step;
    if (next >= 0 && next < kRows && !chkSpclDist[next]->isHidden())
        chkSpclDist[next]->setFocus(Qt::OtherFocusReason);
    else
        ScrollBy(step);
    return true;
}

// The close box leaves the window as "Finsh" does; closing it from the
// program (at shutdown) does not recalculate.
void frmCfgSpcl::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) cmdFinish_Click();
    event->accept();
}

void frmCfgSpcl::showEvent(QShowEvent* event) {
    if (!placedOnce_ && !event->spontaneous()) {
        placedOnce_ = true;
        // Its owner is its parent's window, or else the window it is opened from.
        QWidget* owner = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
        if (owner && owner != this) {
            QRect frame(QPoint(0, 0), frameGeometry().size());
            frame.moveCenter(owner->frameGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

} // namespace levywise
