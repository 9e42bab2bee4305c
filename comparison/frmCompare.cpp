#include "comparison/frmCompare.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/accessibility.h"
#include "platform/picture_view.h"
#include "platform/print_window.h"
#include "platform/twips.h"
#include "platform/window_fonts.h"
#include "report/comparison.h"
#include "report/pictures.h"

namespace levywise {
namespace {

// The colour of a marked input: the eye finds it at once, on screen and on paper.
const QColor kDiffersColour(255, 210, 127);

enum Column { kLabelColumn, kKeptColumn, kNowColumn, kChangeColumn, kColumns };

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmCompare::frmCompare(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("frmCompare"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Comparison"));
    setFont(DefaultDesignFont());
    SetBackground(this, kPaleYellow);
    ExposeAsWindow(this);

    grdCompare = new QTableWidget(0, kColumns, this);
    grdCompare->setObjectName(QStringLiteral("grdCompare"));
    grdCompare->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Kept"), QStringLiteral("Now"), QStringLiteral("Change")});
    grdCompare->verticalHeader()->hide();
    grdCompare->verticalHeader()->setDefaultSectionSize(TwipsToPixels(300, this));
    grdCompare->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCompare->setWordWrap(false);
    grdCompare->horizontalHeader()->setStretchLastSection(true);
    grdCompare->setTabKeyNavigation(false); // Tab leaves the grid for the buttons
    grdCompare->setAccessibleName(QStringLiteral("Kept and current estimates"));
    grdCompare->setAccessibleDescription(
        QStringLiteral("Columns: Kept, Now, Change. Inputs that differ are shown in bold."));

    picWhatChanged = new PictureView(this);
    picWhatChanged->setObjectName(QStringLiteral("picWhatChanged"));

    cmdPrint = button("cmdPrint", QStringLiteral("&Print"), this);
    cmdCopy = button("cmdCopy", QStringLiteral("&Copy"), this);
    cmdClose = button("cmdClose", QStringLiteral("C&lose"), this);
    cmdCopy->setAccessibleDescription(
        QStringLiteral("Puts the comparison on the clipboard as tab-separated text"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdCopy);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splCompare"));
    split->setChildrenCollapsible(false);
    split->addWidget(grdCompare);
    split->addWidget(picWhatChanged);
    split->setSizes({3, 2}); // the table first: it holds every figure
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(buttons);
    resize(TwipsRect(0, 0, 11520, 9360, this).size());

    connect(cmdPrint, &QPushButton::clicked, this, &frmCompare::cmdPrint_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmCompare::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmCompare::cmdClose_Click);
}

void frmCompare::ShowComparison(const Comparison& comparison, const Picture& whatChanged) {
    picWhatChanged->setPicture(QString::fromStdString(whatChanged.Title),
                               QString::fromStdString(whatChanged.Description),
                               QByteArray::fromStdString(whatChanged.Svg));
    copied_ = ComparisonTsv(comparison);
    grdCompare->setRowCount(static_cast<int>(comparison.Rows.size()));
    for (int r = 0; r < grdCompare->rowCount(); ++r) {
        const ComparisonRow& row = comparison.Rows[static_cast<std::size_t>(r)];
        const std::string* texts[kColumns] = {&row.Label, &row.Kept, &row.Now, &row.Change};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(*texts[c]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            const bool figure = c != kLabelColumn && row.Kind != RowKind::Input;
            item->setTextAlignment((figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (row.Differs) {
                QFont bold = grdCompare->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(kDiffersColour);
            }
            grdCompare->setItem(r, c, item);
        }
    }
    grdCompare->resizeColumnsToContents();
}

void frmCompare::cmdPrint_Click() { PrintWindowImage(this, platform_); }

void frmCompare::cmdCopy_Click() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(copied_));
}

void frmCompare::cmdClose_Click() { close(); }

void frmCompare::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        cmdClose_Click();
    else
        QWidget::keyPressEvent(event);
}

} // namespace levywise
