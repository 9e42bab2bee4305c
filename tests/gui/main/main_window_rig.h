#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/frmMain.h"
#include "fake_platform.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

namespace levywise::test {

// A main window with its own tables, special-district window and a desktop
// that answers as the test presets it. The current folder is a fresh
// temporary folder.
struct MainWindowRig {
    QTemporaryDir folder;
    modMain data;
    FakePlatform platform;
    frmCfgSpcl specials{data, platform};
    frmMain window{data, platform, specials};

    MainWindowRig() {
        data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
        platform.currentDir = folder.path();
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path(name)));
        file.write(bytes);
        return path(name);
    }

    // Starts the window the way the program does, with a settings file
    // that names the rate file.
    void startWith(const QString& rateFile) {
        const QFileInfo info(rateFile);
        write(QStringLiteral("levywise.ini"),
              "[general]\r\nTaxRateFile=" + QFile::encodeName(info.fileName()) +
                  "\r\nTaxRatePath=" + QFile::encodeName(info.absolutePath()) + "\r\n");
        window.Form_Load();
    }

    // Loads a file through "Open Tax Rate File", choosing it in the dialog.
    void open(const std::optional<QString>& chosen) {
        platform.openAnswers.push_back(chosen);
        window.menuOpen->trigger();
    }

    void showAndActivate() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window, 2000));
    }
};

inline QString SampleFile(const char* name) {
    return QDir(QStringLiteral(LEVYWISE_TEST_DATA_DIR)).filePath(QLatin1String(name));
}

} // namespace levywise::test
