#include "listing/frmRateTable.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <algorithm>
#include <vector>

#include "platform/accessibility.h"
#include "platform/caption_text.h"
#include "platform/print_window.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "platform/window_fonts.h"
#include "ratedata/listing_rows.h"
#include "ratedata/mod_main.h"

namespace levywise {
namespace {

const QColor kHeaderOrange(255, 192, 128); // &H0080C0FF&
constexpr int kColumnTwips[frmRateTable::kColumns] = {2480, 1000, 700, 700, 700};
const char* const kHeaders[frmRateTable::kColumns] = {"Jurisdiction Name", "Tax Rate", "Opt HS",
                                                      "Opt O65", "Opt DP"};
// The keyboard's way to the sorts that clicks on the headers give.
constexpr const char* kSortKeys = "Alt+N sorts by name, Alt+R by tax rate.";
const char* const kHeaderTips[frmRateTable::kColumns] = {
    "Click, or press Alt+N, to sort by name", "Click, or press Alt+R, to sort by tax rate", "", "",
    ""};

QString shown(const std::string& bytes) { return FromCp1252(bytes); }

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    item->setBackground(Qt::white);
    return item;
}

} // namespace

frmRateTable::frmRateTable(modMain& data, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), data_(data),
      platform_(platform) {
    setObjectName(QStringLiteral("frmRateTable"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Rate Table"));
    SetBackground(this, kPaleYellow);
    ExposeAsWindow(this);
    setFixedSize(TwipsRect(0, 0, 6210, 6690, this).size());

    MSFlexGrid1 = new QTableWidget(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    PlaceTwips(MSFlexGrid1, 120, 120, 5895, 5895);
    MSFlexGrid1->setFont(DefaultDesignFont());
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSortingEnabled(false);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setTabKeyNavigation(false); // Tab leaves the grid for the buttons
    MSFlexGrid1->setAccessibleName(QStringLiteral("Jurisdictions and tax rates"));
    MSFlexGrid1->setAccessibleDescription(QLatin1String(kSortKeys));
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(TwipsToPixels(240, this));
    MSFlexGrid1->horizontalHeader()->setSectionsClickable(true);
    MSFlexGrid1->horizontalHeader()->setHighlightSections(false);
    MSFlexGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexGrid1->setStyleSheet(
        QStringLiteral("QTableWidget { gridline-color: #c0c0c0; background-color: white; }"
                       "QHeaderView::section { background-color: %1; color: black;"
                       " border: 0px; border-right: 1px solid #c0c0c0;"
                       " border-bottom: 1px solid #c0c0c0; padding: 1px 2px; }")
            .arg(kHeaderOrange.name()));

    cmdDone = new QPushButton(QStringLiteral("&Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    PlaceTwips(cmdDone, 480, 6240, 975, 375);
    cmdPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    PlaceTwips(cmdPrint, 4680, 6240, 975, 375);

    connect(MSFlexGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortByHeader(0, column); });
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { SortByHeader(row + 1, column); });
    connect(cmdDone, &QPushButton::clicked, this, &frmRateTable::cmdDone_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmRateTable::cmdPrint_Click);
    for (const auto& [column, key] :
         {std::pair{kNameColumn, Qt::Key_N}, {kRateColumn, Qt::Key_R}}) {
        auto* sort = new QAction(this);
        sort->setShortcut(QKeySequence(Qt::ALT | key));
        addAction(sort);
        connect(sort, &QAction::triggered, this, [this, column] { SortByHeader(0, column); });
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Form_Load();
}

void frmRateTable::Form_Load() { BuildListing(); }

void frmRateTable::BuildListing() {
    nameSortedAsc_ = false;
    rateSortedAsc_ = true;

    const QString county = CaptionPart(data_.CountyName);
    setWindowTitle(county.isEmpty() ? QStringLiteral("Jurisdictions and Tax Rates")
                                    : QStringLiteral("Jurisdictions and Tax Rates for ") + county +
                                          QStringLiteral(" County"));

    MSFlexGrid1->clear();
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(kColumns);
    for (int c = 0; c < kColumns; ++c) {
        auto* header = new QTableWidgetItem(QString::fromLatin1(kHeaders[c]));
        header->setToolTip(QString::fromLatin1(kHeaderTips[c]));
        MSFlexGrid1->setHorizontalHeaderItem(c, header);
        MSFlexGrid1->setColumnWidth(c, TwipsToPixels(kColumnTwips[c], this));
    }

    // One row per listed unit, from the slots the table really holds.
    const std::vector<ListingRow> rows = BuildListingRows(data_);
    MSFlexGrid1->setRowCount(static_cast<int>(rows.size()));
    const Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment rightCentre = Qt::AlignRight | Qt::AlignVCenter;
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        const ListingRow& row = rows[static_cast<std::size_t>(r)];
        QTableWidgetItem* name = cell(shown(row.Name), leftCentre);
        name->setBackground(kPaleYellow);
        MSFlexGrid1->setItem(r, kNameColumn, name);
        MSFlexGrid1->setItem(r, kRateColumn, cell(shown(row.TaxRate), leftCentre));
        MSFlexGrid1->setItem(r, kOptHSColumn, cell(shown(row.OptHS), rightCentre));
        MSFlexGrid1->setItem(r, kOptO65Column, cell(shown(row.OptO65), rightCentre));
        MSFlexGrid1->setItem(r, kOptDPColumn, cell(shown(row.OptDP), rightCentre));
    }
}

void frmRateTable::SortByHeader(int row, int column) {
    if (row != 0) return;
    if (column == kNameColumn) {
        nameSortedAsc_ = !nameSortedAsc_;
        sortRows(column, nameSortedAsc_);
    } else if (column == kRateColumn) {
        rateSortedAsc_ = !rateSortedAsc_;
        sortRows(column, rateSortedAsc_);
    }
}

// Rows move whole: every cell, with its colour and alignment, goes along.
// The order is the listing's own (numbers as numbers), on the cells' bytes.
void frmRateTable::sortRows(int column, bool ascending) {
    struct Row {
        std::string key;
        std::vector<QTableWidgetItem*> items;
    };
    std::vector<Row> rows(static_cast<std::size_t>(MSFlexGrid1->rowCount()));
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        Row& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < kColumns; ++c) row.items.push_back(MSFlexGrid1->takeItem(r, c));
        if (QTableWidgetItem* key = row.items[static_cast<std::size_t>(column)])
            row.key = ToCp1252(key->text());
    }
    std::stable_sort(rows.begin(), rows.end(), [ascending](const Row& a, const Row& b) {
        const int c = CompareListingCells(a.key, b.key);
        return ascending ? c < 0 : c > 0;
    });
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r)
        for (int c = 0; c < kColumns; ++c)
            MSFlexGrid1->setItem(
                r, c, rows[static_cast<std::size_t>(r)].items[static_cast<std::size_t>(c)]);
}

void frmRateTable::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        cmdDone_Click();
    else
        QWidget::keyPressEvent(event);
}

void frmRateTable::cmdDone_Click() { close(); }

void frmRateTable::cmdPrint_Click() { PrintWindowImage(this, platform_); }

} // namespace levywise
