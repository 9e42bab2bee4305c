#include "pictures/frmTaxHistory.h"

#include <QClipboard>
#include <QCollator>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "calc/estimate.h"
#include "pictures/estimate_inputs.h"
#include "platform/picture_view.h"
#include "platform/platform.h"
#include "platform/print_document.h"
#include "platform/rate_file_refusal.h"
#include "platform/twips.h"
#include "ratedata/formats.h"
#include "ratedata/rate_file.h"
#include "report/pictures.h"

namespace levywise {
namespace {

constexpr const char* kTitle = "Tax History";

OpenFileRequest RateFilesDialog(const QString& current) {
    OpenFileRequest request;
    request.proposedName = current;
    request.filters = {{QStringLiteral("TAB Files (*.tab)"), QStringLiteral("*.tab")},
                       {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}};
    return request;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

frmTaxHistory::frmTaxHistory(Platform& platform, QWidget* parent)
    : PictureWindow("frmTaxHistory", QLatin1String(kTitle), parent), platform_(platform) {
    grdHistory = new QTableWidget(this);
    grdHistory->setObjectName(QStringLiteral("grdHistory"));
    grdHistory->verticalHeader()->hide();
    grdHistory->verticalHeader()->setDefaultSectionSize(TwipsToPixels(300, this));
    grdHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdHistory->setWordWrap(false);
    grdHistory->setTabKeyNavigation(false); // Tab leaves the grid for the picture
    grdHistory->setAccessibleName(QStringLiteral("Tax under each rate file"));
    grdHistory->setAccessibleDescription(
        QStringLiteral("A column for each rate file, then the change from the first to the last. "
                       "A blank: the file has no such unit or district."));
    picOverTheYears = new PictureView(this);
    picOverTheYears->setObjectName(QStringLiteral("picOverTheYears"));

    cmdFiles = Button("cmdFiles", QStringLiteral("Rate &Files\u2026"));
    cmdPrint = Button("cmdPrint", QStringLiteral("&Print"));
    cmdCopy = Button("cmdCopy", QStringLiteral("&Copy"));
    cmdClose = Button("cmdClose", QStringLiteral("C&lose"));
    cmdCopy->setAccessibleDescription(
        QStringLiteral("Puts the table on the clipboard as tab-separated text"));

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splHistory"));
    split->setChildrenCollapsible(false);
    split->addWidget(grdHistory);
    split->addWidget(picOverTheYears);
    split->setSizes({1, 1});
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdFiles, cmdPrint, cmdCopy}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(buttons);
    resize(TwipsRect(0, 0, 11520, 8640, this).size());

    connect(cmdFiles, &QPushButton::clicked, this, &frmTaxHistory::cmdFiles_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmTaxHistory::cmdPrint_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmTaxHistory::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmTaxHistory::cmdClose_Click);
}

frmTaxHistory::~frmTaxHistory() = default;

bool frmTaxHistory::ChooseFiles(const EstimateRecord& record) {
    const auto chosen = platform_.openFiles(
        this, RateFilesDialog(QString::fromStdString(record.Rates->Source.Path)));
    if (!chosen) return false;
    // A file dialog gives no order the user chose: the files go by their
    // names, numbers in them by value ("2025.tab" before "2026.tab").
    QStringList paths = *chosen;
    QCollator byName;
    byName.setNumericMode(true);
    std::stable_sort(paths.begin(), paths.end(), [&byName](const QString& a, const QString& b) {
        return byName.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    std::vector<std::unique_ptr<LoadedTable>> tables;
    for (const QString& path : paths) {
        const RateFileRead read = ReadRateFile(QFile::encodeName(path).toStdString());
        if (read.status != RateFileStatus::Loaded) {
            TellRateFileRefused(this, platform_, path, read);
            return false;
        }
        modMain data;
        InstallRateTable(data, read.contents);
        tables.push_back(std::make_unique<LoadedTable>(
            std::move(data), RateSource{path.toStdString(), read.contents.TableLabel}));
    }
    if (!Show(record, tables)) return false;
    tables_ = std::move(tables);
    return true;
}

void frmTaxHistory::ShowEstimate(const EstimateRecord& record) { Show(record, tables_); }

bool frmTaxHistory::Show(const EstimateRecord& record,
                         const std::vector<std::unique_ptr<LoadedTable>>& tables) {
    std::vector<const LoadedTable*> in;
    for (const auto& table : tables) in.push_back(table.get());
    const EstimateInputs inputs(record);
    History history;
    if (const auto error = HistoryOf(in, inputs.Request(), history)) {
        platform_.messageBox(this, QLatin1String(kTitle), QString::fromStdString(error->message()),
                             MsgButtons::Ok);
        return false;
    }
    history_ = std::move(history);
    shown_ = std::make_unique<EstimateRecord>(record);

    const int files = static_cast<int>(history_.FileLabels.size());
    QStringList headings{QString()};
    for (const std::string& label : history_.FileLabels) headings << QString::fromStdString(label);
    headings << QStringLiteral("Change");
    grdHistory->clear();
    grdHistory->setColumnCount(files + 2);
    grdHistory->setHorizontalHeaderLabels(headings);
    grdHistory->setRowCount(static_cast<int>(history_.Rows.size()));
    for (int r = 0; r < grdHistory->rowCount(); ++r) {
        const HistoryRow& row = history_.Rows[static_cast<std::size_t>(r)];
        grdHistory->setItem(r, 0, Cell(QString::fromStdString(row.Label), Qt::AlignLeft));
        for (int f = 0; f < files; ++f) {
            const auto& cents = row.Cents.at(static_cast<std::size_t>(f));
            grdHistory->setItem(r, f + 1,
                                Cell(cents ? QString::fromStdString(MoneyText(*cents)) : QString(),
                                     Qt::AlignRight));
        }
        grdHistory->setItem(
            r, files + 1,
            Cell(row.Change ? QString::fromStdString(ChangeText(*row.Change)) : QString(),
                 Qt::AlignRight));
    }
    grdHistory->resizeColumnsToContents();
    ShowPicture(picOverTheYears, OverTheYearsOf(history_));
    return true;
}

void frmTaxHistory::cmdFiles_Click() {
    if (shown_) ChooseFiles(*shown_);
}

void frmTaxHistory::cmdPrint_Click() {
    const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    PrintDocument(this, platform_, QString::fromStdString(HistoryHtml(history_, date)),
                  QLatin1String(kTitle));
}

void frmTaxHistory::cmdCopy_Click() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(HistoryTsv(history_)));
}

void frmTaxHistory::cmdClose_Click() { close(); }

} // namespace levywise
