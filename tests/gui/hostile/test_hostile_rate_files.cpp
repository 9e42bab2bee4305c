// Rate files no one should ever load, fed through the real ways in: the
// settings file at start-up and the dialog of "Open Tax Rate File". A file
// the program refuses gets a message naming the file and the problem and
// changes nothing at all; a strange but readable file loads whole; the
// program answers afterwards either way.
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/estimate.h"
#include "hostile/load_routes.h"
#include "hostile/watchdog.h"

using namespace levywise;
using namespace levywise::test;
using namespace std::chrono_literals;

namespace {

constexpr qsizetype kTenMegabytes = 10 * 1024 * 1024;
constexpr qsizetype kLongestCaption = 1000;
const QString kRefusedTitle = QStringLiteral("Tax rate file not loaded");
const QString kVersionTitle = QStringLiteral("Tax Rate File Version error");
const QString kNotFoundTitle = QStringLiteral("Required file not found");

enum class Kind { File, Folder, Pipe, Device, LinkLoop, Sparse };

struct RefusedCase {
    const char* name;
    Kind kind;
    QByteArray (*contents)();
    QString title;
    QStringList words;
};

QByteArray TenMegabyteLine() { return QByteArray(kTenMegabytes, 'x'); }

QByteArray TenMegabyteNumber() {
    return kHostileHeader + "101\tBIG\tK\tN\t1\t" + QByteArray(kTenMegabytes, '9') + "\r\n";
}

QByteArray TenMegabytesOfUnits() {
    QByteArray lines = kHostileHeader;
    const QByteArray unit = UnitLine("201", "CITY", 'C');
    lines.reserve(kTenMegabytes + unit.size());
    while (lines.size() < kTenMegabytes) lines += unit;
    return lines;
}

QByteArray Utf16File() {
    const QString text = QString::fromLatin1(WholeCounty());
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const RefusedCase kRefused[] = {
    {"empty", Kind::File, [] { return QByteArray(); }, kRefusedTitle, {"empty"}},
    {"random bytes", Kind::File, [] { return RandomBytes(64 * 1024, 7); }, kVersionTitle, {}},
    {"NULs", Kind::File, [] { return QByteArray(4096, '\0'); }, kVersionTitle, {}},
    {"NULs and tabs",
     Kind::File,
     [] { return QByteArray("\0\0\t\0\t\0\0\t\r\n\0\t", 12); },
     kVersionTitle,
     {}},
    {"UTF-16 with byte order mark", Kind::File, Utf16File, kVersionTitle, {}},
    {"older version",
     Kind::File,
     [] { return QByteArray("TaxRates v3.53\tOld\tOld\t\r\n"); },
     kVersionTitle,
     {"TaxRates v3.53"}},
    {"10 MB line", Kind::File, TenMegabyteLine, kVersionTitle, {}},
    {"10 MB number",
     Kind::File,
     TenMegabyteNumber,
     kRefusedTitle,
     {"line 2", "column 6", "not a number"}},
    {"10 MB of units", Kind::File, TenMegabytesOfUnits, kRefusedTitle, {"line 499", "497"}},
    {"501 slots",
     Kind::File,
     [] { return kHostileHeader + GeneratedUnits(498, 'C', "CITY"); },
     kRefusedTitle,
     {"line 499", "497"}},
    {"301 special districts",
     Kind::File,
     [] { return kHostileHeader + GeneratedUnits(301, 'S', "DISTRICT"); },
     kRefusedTitle,
     {"line 302", "300 special districts"}},
    {"CR line ends, bad third line",
     Kind::File,
     [] { return QByteArray("TaxRates v3.54\tL\tC\t\r201\tA\tC\r202\tB\tC\tN\t1\tten\r"); },
     kRefusedTitle,
     {"line 3", "column 6", "\"ten\""}},
    {"control characters in a column",
     Kind::File,
     [] { return kHostileHeader + QByteArray("201\tA\tC\tN\t1\t\x01\x02\0\x1b\x7f", 17) + "\r\n"; },
     kRefusedTitle,
     {"line 2", "column 6"}},
    {"folder", Kind::Folder, nullptr, kRefusedTitle, {"folder"}},
    {"named pipe", Kind::Pipe, nullptr, kRefusedTitle, {"not an ordinary file"}},
    {"endless device", Kind::Device, nullptr, kRefusedTitle, {"not an ordinary file"}},
    {"link to itself", Kind::LinkLoop, nullptr, kRefusedTitle, {}},
    {"65 MB with holes", Kind::Sparse, nullptr, kRefusedTitle, {"far too large"}},
};

// Puts the case's file into the rig's folder; returns its path.
QString Make(HostileRig& rig, const RefusedCase& c) {
    const QString path = rig.path(QStringLiteral("hostile.tab"));
    switch (c.kind) {
    case Kind::File: rig.write(QStringLiteral("hostile.tab"), c.contents()); break;
    case Kind::Folder: QDir().mkpath(path); break;
    case Kind::Pipe:
        if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0) qFatal("mkfifo failed");
        break;
    case Kind::Device: return QStringLiteral("/dev/zero");
    case Kind::LinkLoop:
        if (symlink("hostile.tab", QFile::encodeName(path).constData()) != 0)
            qFatal("symlink failed");
        break;
    case Kind::Sparse: {
        QFile file(rig.write(QStringLiteral("hostile.tab"), kHostileHeader));
        if (!file.resize(65 * 1024 * 1024)) qFatal("cannot grow %s", qPrintable(path));
        break;
    }
    }
    return path;
}

struct LoadedCase {
    const char* name;
    QByteArray (*contents)();
    int rateCount, specialCount, cities;
};

QByteArray WithCrLineEnds() { return WholeCounty().replace("\r\n", "\r"); }

const LoadedCase kLoaded[] = {
    {"header only", [] { return kHostileHeader; }, 3, 0, 1},
    {"header without line end", [] { return QByteArray("TaxRates v3.54\tL\tC\t"); }, 3, 0, 1},
    {"CR line ends", WithCrLineEnds, 27, 20, 3},
    {"500 slots", [] { return kHostileHeader + GeneratedUnits(497, 'C', "CITY"); }, 500, 0, 498},
    {"300 special districts", [] { return kHostileHeader + GeneratedUnits(300, 'S', "DISTRICT"); },
     303, 300, 1},
    {"10 MB name",
     [] { return kHostileHeader + "201\t" + QByteArray(kTenMegabytes, 'N') + "\tC\r\n"; }, 4, 0, 2},
    {"10 MB table label and county name",
     [] {
         return "TaxRates v3.54\t" + QByteArray(kTenMegabytes, 'L') + '\t' +
                QByteArray(kTenMegabytes, 'C') + "\t\r\n" + UnitLine("201", "CITY", 'C');
     },
     4, 0, 2},
    {"10 MB of blank lines",
     [] { return kHostileHeader + UnitLine("201", "CITY", 'C') + QByteArray(kTenMegabytes, '\n'); },
     4, 0, 2},
};

} // namespace

class HostileRateFilesTest : public QObject {
    Q_OBJECT

private slots:
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void oddButReadableFileLoadsWhole_data();
    void oddButReadableFileLoadsWhole();
    void outOfRangeColumnIsRefused_data();
    void outOfRangeColumnIsRefused();
    void columnAtItsLimitLoads_data();
    void columnAtItsLimitLoads();
    void fileChangedWhileChosen_data();
    void fileChangedWhileChosen();
    void unreadableFileIsRefused();
};

void HostileRateFilesTest::refusedFileChangesNothing_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<Route>("route");
    for (int i = 0; i < int(std::size(kRefused)); ++i) {
        QTest::addRow("start-up: %s", kRefused[i].name) << i << Route::Startup;
        QTest::addRow("open: %s", kRefused[i].name) << i << Route::Open;
    }
}

void HostileRateFilesTest::refusedFileChangesNothing() {
    QFETCH(int, index);
    QFETCH(Route, route);
    const RefusedCase& c = kRefused[index];
    Watchdog watchdog(30s, std::string("refused file ") + c.name);
    HostileRig rig;
    QStringList before;
    if (route == Route::Startup) {
        before = StateAfterStartingWithoutFile();
    } else {
        BusyProgram(rig);
        if (QTest::currentTestFailed()) return;
        before = StateOf(rig);
        rig.platform.messages.clear();
    }

    const QString path = Make(rig, c);
    watchdog.step("loading");
    if (route == Route::Startup)
        rig.startWith(path);
    else
        rig.open(path);
    watchdog.step("checking");

    // At start-up only ordinary files count as found; anything else leads
    // to the "not found" message, which the user cancels here.
    const bool notFound = route == Route::Startup && c.kind != Kind::File && c.kind != Kind::Sparse;
    const QString problem = notFound
                                ? CheckRefusalMessage(rig, path, kNotFoundTitle, {"was not found"})
                                : CheckRefusalMessage(rig, path, c.title, c.words);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QStringList after = StateOf(rig);
    QVERIFY2(after == before, qPrintable(StateDifference(before, after)));

    rig.platform.messages.clear();
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
    if (route == Route::Open) {
        // The estimate on the screen was made from these very inputs.
        const QStringList calculated = StateOf(rig);
        QVERIFY2(calculated == before, qPrintable(StateDifference(before, calculated)));
    }
}

void HostileRateFilesTest::oddButReadableFileLoadsWhole_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<Route>("route");
    for (int i = 0; i < int(std::size(kLoaded)); ++i) {
        QTest::addRow("start-up: %s", kLoaded[i].name) << i << Route::Startup;
        QTest::addRow("open: %s", kLoaded[i].name) << i << Route::Open;
    }
}

void HostileRateFilesTest::oddButReadableFileLoadsWhole() {
    QFETCH(int, index);
    QFETCH(Route, route);
    const LoadedCase& c = kLoaded[index];
    Watchdog watchdog(30s, std::string("readable file ") + c.name);
    HostileRig rig;
    if (route == Route::Open) {
        BusyProgram(rig);
        if (QTest::currentTestFailed()) return;
        rig.platform.messages.clear();
    }
    const QString path = rig.write(QStringLiteral("odd.tab"), c.contents());
    if (route == Route::Startup)
        rig.startWith(path);
    else
        rig.open(path);

    QVERIFY2(rig.platform.messages.empty(),
             qPrintable(rig.platform.messages.empty() ? QString()
                                                      : rig.platform.messages[0].text.left(300)));
    QCOMPARE(rig.data.RateCount, c.rateCount);
    QCOMPARE(rig.data.LoadedCount, c.rateCount);
    QCOMPARE(rig.data.SpclCount, c.specialCount);
    QCOMPARE(rig.window.comboCities->count(), c.cities);
    for (int k = 2; k <= rig.data.RateCount; ++k)
        QVERIFY(!(rig.data.RateTbl[k].Name < rig.data.RateTbl[k - 1].Name));
    // The special-district page starts at the first district and reaches the last.
    frmCfgSpcl& s = rig.specials;
    QCOMPARE(s.VScroll1->value(), 1);
    QCOMPARE(s.chkSpclDist[0]->isHidden(), c.specialCount == 0);
    if (c.specialCount > frmCfgSpcl::kRows) {
        s.VScroll1->setValue(s.VScroll1->maximum());
        QCOMPARE(s.txtSpclName[frmCfgSpcl::kRows - 1]->text(),
                 FromCp1252(rig.data.SpclTbl[c.specialCount].Name.str()));
    }
    if (c.specialCount > 0) {
        // The last district of the file can be ticked like the first.
        rig.window.menuCfgSpcl->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&s, 2000));
        s.VScroll1->setValue(s.VScroll1->maximum());
        const int row = std::min(c.specialCount, frmCfgSpcl::kRows) - 1;
        const bool wasSelected = rig.data.SpclSel[c.specialCount].Selected.equals("Y");
        QTest::mouseClick(s.chkSpclDist[row], Qt::LeftButton, {},
                          QPoint(4, s.chkSpclDist[row]->height() / 2));
        QCOMPARE(rig.data.SpclSel[c.specialCount].Selected.equals("Y"), !wasSelected);
        QTest::mouseClick(s.cmdFinish, Qt::LeftButton);
        QVERIFY(s.isHidden());
    }

    // The listing, built afresh, holds every unit but the three "no unit" entries.
    if (rig.listing) {
        QTest::mouseClick(rig.listing->cmdDone, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!rig.listing);
    }
    rig.window.menuListTable->trigger();
    QVERIFY(rig.listing);
    QVERIFY(QTest::qWaitForWindowExposed(rig.listing, 2000));
    QCOMPARE(rig.listing->MSFlexGrid1->rowCount(), c.rateCount - 3);
    QHeaderView* header = rig.listing->MSFlexGrid1->horizontalHeader();
    for (int column :
         {frmRateTable::kRateColumn, frmRateTable::kNameColumn, frmRateTable::kRateColumn})
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                   header->height() / 2));
    // A title of megabytes breaks the connection to an X11 display; every
    // caption stays within what a title bar can show.
    for (const QWidget* window :
         {static_cast<QWidget*>(&rig.window), static_cast<QWidget*>(&rig.specials),
          static_cast<QWidget*>(rig.listing.data())})
        QVERIFY2(window->windowTitle().size() <= kLongestCaption,
                 qPrintable(window->windowTitle().left(100) + "..."));

    const QTableWidget* grid = rig.listing->MSFlexGrid1;
    QCOMPARE(grid->rowCount(), c.rateCount - 3);
    // The last click sorted by rate, lowest first.
    for (int r = 1; r < grid->rowCount(); ++r)
        QVERIFY2(grid->item(r - 1, frmRateTable::kRateColumn)->text().toDouble() <=
                     grid->item(r, frmRateTable::kRateColumn)->text().toDouble(),
                 qPrintable(grid->item(r, frmRateTable::kRateColumn)->text()));

    // A name longer than its column is cut, never refused: every entry is
    // the 30-character name, 20 blanks and the code.
    for (QComboBox* list :
         {rig.window.comboCounties, rig.window.comboCities, rig.window.comboSchools})
        for (int i = 0; i < list->count(); ++i) QCOMPARE(list->itemText(i).size(), 53);

    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
    QVERIFY(rig.window.comboCities->count() > 0);
    rig.window.comboCities->setCurrentIndex(rig.window.comboCities->count() - 1);
    rig.window.txtAprVal->setText(QStringLiteral("100000"));
    const QString second = CheckCalculateAnswers(rig);
    QVERIFY2(second.isEmpty(), qPrintable(second));
}

// A county whose last line holds the given text in one column.
QByteArray CountyWithColumn(int column, const QByteArray& text) {
    QList<QByteArray> columns{"203", "EDGE CITY", "C", "N", "0.5"};
    while (columns.size() < column) columns << QByteArray();
    columns[column - 1] = text;
    return WholeCounty() + RecordLine(columns);
}

void HostileRateFilesTest::outOfRangeColumnIsRefused_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");
    const QString amount = QStringLiteral("amount is too large");
    const QString number = QStringLiteral("not a number");
    const QString whole = QStringLiteral("between -32768 and 32767");
    const struct {
        int column;
        const char* text;
        QString problem;
    } rows[] = {
        {6, "1e300", amount},
        {6, "-1e300", amount},
        {7, "922337203685478", amount},
        {7, "nan", number},
        {8, "inf", number},
        {8, "1e400", number},
        {9, "1e400", number},
        {9, "1e400%", QStringLiteral("percentage is too large")},
        {10, "1e300", amount},
        {10, "1e300%", amount},
        {11, "-1e300%", amount},
        {11, "1e400", number},
        {12, "1e400", number},
        {13, "-1e400", number},
        {14, "32768", whole},
        {15, "32767.5", whole},
        {16, "-32769", whole},
        {17, "1e9", whole},
        {18, "-1e400", number},
        {19, "65536", whole},
        {20, "-40000", whole},
    };
    for (const auto& row : rows)
        QTest::addRow("column %d: %s", row.column, row.text)
            << row.column << QByteArray(row.text) << row.problem;
}

void HostileRateFilesTest::outOfRangeColumnIsRefused() {
    QFETCH(int, column);
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    Watchdog watchdog(30s, "out-of-range column");
    HostileRig rig;
    BusyProgram(rig);
    if (QTest::currentTestFailed()) return;
    const QStringList before = StateOf(rig);
    rig.platform.messages.clear();

    const QString path = rig.write(QStringLiteral("range.tab"), CountyWithColumn(column, text));
    rig.open(path);
    const QString wrong =
        CheckRefusalMessage(rig, path, kRefusedTitle,
                            {QStringLiteral("line 26"), QStringLiteral("column %1").arg(column),
                             '"' + QString::fromLatin1(text) + '"', problem});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const QStringList after = StateOf(rig);
    QVERIFY2(after == before, qPrintable(StateDifference(before, after)));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

void HostileRateFilesTest::columnAtItsLimitLoads_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("taxRate"); // the stored rate
    const struct {
        int column;
        const char* text;
        double taxRate;
    } rows[] = {
        // Whatever column 5 holds, a rate that is not a number counts as 0.
        {5, "1e400", 0},
        {5, "nan", 0},
        {5, "-1e400", 0},
        {5, "abc", 0},
        {5, "1e300", 1e300},
        {6, "922337203685477", 0.5},
        {7, "-922337203685477", 0.5},
        {9, "1e300%", 0.5},
        {9, "-1e300", 0.5},
        {12, "1.7976931348623157e308", 0.5},
        {14, "32767", 0.5},
        {15, "32767.4", 0.5},
        {20, "-32768.5", 0.5},
        {17, "-32768", 0.5},
    };
    for (const auto& row : rows)
        QTest::addRow("column %d: %s", row.column, row.text)
            << row.column << QByteArray(row.text) << row.taxRate;
}

// A value at the very edge of what its column holds loads, and an estimate
// with that unit is either made or refused with a message, never wrong.
void HostileRateFilesTest::columnAtItsLimitLoads() {
    QFETCH(int, column);
    QFETCH(QByteArray, text);
    QFETCH(double, taxRate);
    Watchdog watchdog(30s, "column at its limit");
    HostileRig rig;
    BusyProgram(rig);
    if (QTest::currentTestFailed()) return;
    rig.platform.messages.clear();
    rig.open(rig.write(QStringLiteral("limit.tab"), CountyWithColumn(column, text)));
    QVERIFY2(rig.platform.messages.empty(),
             qPrintable(rig.platform.messages.empty() ? QString() : rig.platform.messages[0].text));
    QCOMPARE(rig.data.RateCount, 28);
    const Jurisdiction& unit = FindUnit(rig.data, "203");
    QCOMPARE(unit.Name.trimmedRight(), std::string_view("EDGE CITY"));
    QCOMPARE(unit.TaxRate, taxRate);

    frmMain& w = rig.window;
    ChooseCode(w.comboCities, "203");
    for (const char* value : {"150000", "1", "0", "922337203685477"}) {
        for (QAbstractButton* option :
             {static_cast<QAbstractButton*>(w.optNeither), static_cast<QAbstractButton*>(w.optO65),
              static_cast<QAbstractButton*>(w.optDP)}) {
            option->click();
            w.txtAprVal->setText(QLatin1String(value));
            const QString answer = CheckCalculateAnswers(rig);
            QVERIFY2(answer.isEmpty(), qPrintable(value + (": " + answer)));
        }
        w.chkGHS->click();
    }
}

void HostileRateFilesTest::fileChangedWhileChosen_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("problem");
    for (Route route : {Route::Startup, Route::Open}) {
        const char* where = route == Route::Startup ? "start-up" : "open";
        QTest::addRow("%s: vanished", where) << "remove" << route << "does not exist";
        QTest::addRow("%s: emptied", where) << "empty" << route << "empty";
        QTest::addRow("%s: turned into a folder", where) << "folder" << route << "folder";
    }
}

// The user chooses a good file in the dialog; before the program reads it,
// something else removes, empties or replaces it.
void HostileRateFilesTest::fileChangedWhileChosen() {
    QFETCH(QString, change);
    QFETCH(Route, route);
    QFETCH(QString, problem);
    Watchdog watchdog(30s, "changed file");
    HostileRig rig;
    QStringList before;
    if (route == Route::Startup) {
        before = StateAfterStartingWithoutFile();
        // The settings file names a missing file; the user presses OK and
        // picks one in the dialog.
        rig.writeSettings("[general]\r\nTaxRateFile=missing.tab\r\n");
        rig.platform.messageAnswers = {MsgResult::Ok};
    } else {
        BusyProgram(rig);
        if (QTest::currentTestFailed()) return;
        before = StateOf(rig);
        rig.platform.messages.clear();
    }
    const QString path = rig.write(QStringLiteral("chosen.tab"), WholeCounty());
    rig.platform.onFileChosen = [change](const QString& chosen) {
        QFile::remove(chosen);
        if (change == QLatin1String("empty")) QFile(chosen).open(QIODevice::WriteOnly);
        if (change == QLatin1String("folder")) QDir().mkpath(chosen);
    };
    rig.platform.openAnswers = {path};
    if (route == Route::Startup)
        rig.window.Form_Load();
    else
        rig.window.menuOpen->trigger();

    if (route == Route::Startup) {
        QCOMPARE(rig.platform.messages.size(), std::size_t(2));
        QCOMPARE(rig.platform.messages[0].title, kNotFoundTitle);
        rig.platform.messages.erase(rig.platform.messages.begin());
    }
    const QString wrong = CheckRefusalMessage(rig, path, kRefusedTitle, {problem});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const QStringList after = StateOf(rig);
    QVERIFY2(after == before, qPrintable(StateDifference(before, after)));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

void HostileRateFilesTest::unreadableFileIsRefused() {
    if (geteuid() == 0) QSKIP("permissions do not keep the superuser from reading a file");
    Watchdog watchdog(30s, "unreadable file");
    HostileRig rig;
    BusyProgram(rig);
    if (QTest::currentTestFailed()) return;
    const QStringList before = StateOf(rig);
    rig.platform.messages.clear();
    const QString path = rig.write(QStringLiteral("locked.tab"), WholeCounty());
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    rig.open(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QString wrong = CheckRefusalMessage(rig, path, kRefusedTitle, {"cannot be opened"});
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const QStringList after = StateOf(rig);
    QVERIFY2(after == before, qPrintable(StateDifference(before, after)));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

QTEST_MAIN(HostileRateFilesTest)
#include "test_hostile_rate_files.moc"
