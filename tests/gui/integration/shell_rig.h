#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "app/application.h"
#include "app/frmMain.h"
#include "fake_platform.h"
#include "listing/frmRateTable.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

namespace levywise::test {

inline QString TestDataFile(const char* name) {
    return QDir(QStringLiteral(LEVYWISE_TEST_DATA_DIR)).filePath(QLatin1String(name));
}

// The whole program on a desktop that answers as the test presets it. Its
// current folder is a fresh temporary folder holding, when asked, a copy
// of one of the tests' rate files under the default name taxrate.tab, so
// start-up finds it without a settings file.
struct ShellRig {
    QTemporaryDir folder;
    FakePlatform platform;
    modMain data;
    Application app{data, platform};

    explicit ShellRig(const char* rateFile = "maple_county.tab") {
        platform.currentDir = folder.path();
        if (rateFile && !QFile::copy(TestDataFile(rateFile), path(QStringLiteral("taxrate.tab"))))
            qFatal("cannot copy %s", rateFile);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path(name)));
        file.write(bytes);
        return path(name);
    }

    frmMain& main() const { return *app.mainWindow(); }
    frmCfgSpcl& specials() const { return *app.specialsWindow(); }

    // Starts without the splash and waits until the main window has the keyboard.
    bool startAndActivate() {
        app.start(false);
        return app.mainWindow() && activate(app.mainWindow());
    }

    static bool activate(QWidget* window) {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window, 2000);
    }

    // A menu command by its shortcut, typed into the main window.
    void press(Qt::Key key) {
        QVERIFY(activate(app.mainWindow()));
        QTest::keyClick(app.mainWindow(), key, Qt::ControlModifier);
    }

    // Picks the unit whose list item ends with its three-character code.
    static void choose(QComboBox* list, const char* code) {
        const int index = list->findText(QLatin1String(code), Qt::MatchEndsWith);
        QVERIFY2(index >= 0, code);
        list->setCurrentIndex(index);
    }

    // Types the value, picks Maple County's three units and presses Calculate.
    void estimateMaple(const QString& value) {
        frmMain& w = main();
        w.txtAprVal->clear();
        QTest::keyClicks(w.txtAprVal, value);
        choose(w.comboCounties, "101");
        choose(w.comboCities, "201");
        choose(w.comboSchools, "901");
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }

    // The row of the special-district window that shows the district, or -1.
    int rowOf(const char* name) const {
        for (int r = 0; r < frmCfgSpcl::kRows; ++r)
            if (specials().txtSpclName[r]->isVisible() &&
                specials().txtSpclName[r]->text().trimmed() == QLatin1String(name))
                return r;
        return -1;
    }

    // A click on the district's box, which must be on the page shown.
    void toggle(const char* name) {
        const int row = rowOf(name);
        QVERIFY2(row >= 0, name);
        QCheckBox* box = specials().chkSpclDist[row];
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    }

    // The district's Selected flag, found by name in the tables.
    std::string selected(const char* name) const {
        for (int i = 1; i <= data.SpclCount; ++i)
            if (QString::fromLatin1(data.SpclTbl[i].Name.view()).trimmed() == QLatin1String(name))
                return std::string(data.SpclSel[i].Selected.view());
        return "missing";
    }

    // Every text the main window shows, by control name.
    std::map<QString, QString> figures() const {
        std::map<QString, QString> texts;
        for (const QLabel* label : main().findChildren<QLabel*>())
            if (!label->objectName().isEmpty()) texts[label->objectName()] = label->text();
        return texts;
    }

    // Deletes the windows that were closed and asked to be discarded.
    static void discardClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// The program's windows that are on screen; the program ends when there is none.
inline QStringList VisibleWindows() {
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) names << widget->objectName() + QLatin1Char('/') + widget->windowTitle();
    return names;
}

} // namespace levywise::test
