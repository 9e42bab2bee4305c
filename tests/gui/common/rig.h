#pragma once

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/application.h"
#include "app/frmMain.h"
#include "common/fake_platform.h"
#include "listing/frmRateTable.h"
#include "platform/text.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"
#include "specials/frmCfgSpcl.h"

namespace levywise::test {

inline QString TestData(const char* name) {
    return QDir(QStringLiteral(LEVYWISE_TEST_DATA_DIR)).filePath(QLatin1String(name));
}

// A window's control by its object name. A test that names a control the
// window lacks stops at once.
template <class T = QWidget>
T* Ctl(const QObject* window, const QString& name) {
    T* control = window ? window->findChild<T*>(name) : nullptr;
    if (!control) qFatal("no control named %s", qPrintable(name));
    return control;
}

// A rate file: its header, then one line per unit, each given as its first
// columns ("code\tname\ttype\tdefault\trate") and padded to 21 columns.
inline QByteArray RateFile(std::initializer_list<QByteArray> units,
                           const QByteArray& header = "TaxRates v3.54\tTest 2026\tTestcounty\t") {
    QByteArray text = header + "\r\n";
    for (const QByteArray& unit : units)
        text += unit + QByteArray(20 - unit.count('\t'), '\t') + "\r\n";
    return text;
}

// Tables loaded from rate file text, as the loader installs them.
inline void Install(modMain& data, const QByteArray& text) {
    const RateFileRead read = ParseRateFile(text.toStdString(), "test.tab");
    if (read.status != RateFileStatus::Loaded) qFatal("%s", read.error.message().c_str());
    InstallRateTable(data, read.contents);
}

// The whole program on a desktop that answers as the test presets it. Its
// current folder is a fresh temporary folder; a rate file of the tests,
// when named, lies there as taxrate.tab, where start-up finds it.
struct Rig {
    QTemporaryDir folder;
    FakePlatform platform;
    modMain data;
    Application app{data, platform};

    explicit Rig(const char* rateFile = "maple_county.tab") {
        platform.currentDir = folder.path();
        if (rateFile && !QFile::copy(TestData(rateFile), path(QStringLiteral("taxrate.tab"))))
            qFatal("cannot copy %s", rateFile);
    }

    QString path(const QString& name) const { return folder.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path(name)));
        return path(name);
    }

    // Starts without the splash and gives the main window the keyboard.
    // The unit tabs' controls follow the window's first painting.
    void start() {
        app.start(false);
        activate(&main());
        if (!QTest::qWaitFor([this] { return main().findChild<QWidget*>("lblCountyName"); }, 2000))
            qFatal("the unit tabs were not built");
    }
    static void activate(QWidget* window) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 2000)) qFatal("the window did not come up");
    }

    frmMain& main() const { return *app.mainWindow(); }
    frmCfgSpcl& specials() const { return main().specials(); }
    frmRateTable* listing() const { return app.rateTable(); }
    // A control of the main window, or of the window given.
    template <class T = QLabel>
    T* ctl(const QString& name, const QWidget* window = nullptr) const {
        return Ctl<T>(window ? window : app.mainWindow(), name);
    }
    // What a label or a result box of the main window shows.
    QString text(const QString& name) const {
        return ctl<QWidget>(name)->property("text").toString();
    }

    // A menu command by its shortcut, typed into the main window.
    void command(Qt::Key key) {
        activate(&main());
        QTest::keyClick(&main(), key, Qt::ControlModifier);
    }
    // "Open Tax Rate File", with the dialog's answer.
    void open(const std::optional<QString>& chosen) {
        platform.openAnswers.push_back(chosen);
        command(Qt::Key_O);
    }

    // Types the value, picks the three units by their codes and presses Calculate.
    void estimate(const QString& value, const char* county = "101", const char* city = "201",
                  const char* school = "901") const {
        auto* box = ctl<QLineEdit>("txtAprVal");
        box->clear();
        QTest::keyClicks(box, value);
        for (const auto& [name, code] : {std::pair{"comboCounties", county},
                                         {"comboCities", city},
                                         {"comboSchools", school}}) {
            auto* list = ctl<QComboBox>(QLatin1String(name));
            list->setCurrentIndex(list->findText(QLatin1String(code), Qt::MatchEndsWith));
            if (list->currentIndex() < 0) qFatal("%s has no unit %s", name, code);
        }
        click(QStringLiteral("Command1"));
    }

    void click(const QString& button, const QWidget* window = nullptr) const {
        QTest::mouseClick(ctl<QAbstractButton>(button, window), Qt::LeftButton);
    }
    // Lines of the state of the named controls, "optNeither=on chkGHS=off ...".
    QString state(const QStringList& names) const {
        QStringList lines;
        for (const QString& line : state())
            if (names.contains(line.section('=', 0, 0))) lines << line;
        return lines.join(' ');
    }
    // Everything a user can see in the windows and everything the
    // calculation reads, as text, so that "nothing changed" is one comparison.
    QStringList state() const {
        QStringList state;
        for (const QWidget* window : std::initializer_list<const QWidget*>{
                 app.mainWindow(), app.specialsWindow(), listing()}) {
            if (!window) continue;
            state << window->objectName() + '=' + window->windowTitle();
            for (const QWidget* c : window->findChildren<QWidget*>()) {
                QStringList v;
                for (const char* p : {"text", "checked", "value", "maximum", "currentIndex"})
                    if (const QVariant x = c->property(p); x.isValid()) v << x.toString();
                if (auto* list = qobject_cast<const QComboBox*>(c))
                    for (int i = 0; i < list->count(); ++i) v << list->itemText(i);
                if (auto* grid = qobject_cast<const QTableWidget*>(c))
                    for (const QTableWidgetItem* item : grid->findItems({}, Qt::MatchContains))
                        v << QStringLiteral("%1,%2:").arg(item->row()).arg(item->column()) +
                                 item->text();
                if (c->font().bold()) v << "bold";
                if (c->isHidden()) v << "hidden";
                state << c->objectName() + '=' + v.join(',');
            }
        }
        state << QStringLiteral("counts %1/%2/%3")
                     .arg(data.RateCount)
                     .arg(data.LoadedCount)
                     .arg(data.SpclCount);
        for (const Jurisdiction& u : data.RateTbl)
            state << FromCp1252(u.Code.str() + u.Name.str()) + QString::number(u.TaxRate);
        for (std::size_t i = 0; i < data.SpclSel.size(); ++i)
            state << FromCp1252(data.SpclTbl[i].Name.str() + data.SpclSel[i].Selected.str());
        return state;
    }
};

} // namespace levywise::test
