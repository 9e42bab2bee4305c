#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/frmMain.h"
#include "fake_platform.h"
#include "listing/frmRateTable.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

namespace levywise::test {

// A desktop that answers as preset and can also act on a chosen file at the
// moment the user confirms the dialog, before the program gets to read it:
// the file can vanish, shrink or turn into a folder in between.
class HostilePlatform : public FakePlatform {
public:
    std::function<void(const QString&)> onFileChosen;

    std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& request) override {
        std::optional<QString> chosen = FakePlatform::openFile(parent, request);
        if (chosen && onFileChosen) onFileChosen(*chosen);
        return chosen;
    }
};

// The three windows of a running program over one set of tables, wired the
// way the program wires them: the listing is built by "List table contents"
// and discarded by its Done button. The current folder is a fresh
// temporary folder.
struct HostileRig {
    QTemporaryDir folder;
    modMain data;
    HostilePlatform platform;
    frmCfgSpcl specials{data, platform};
    frmMain window{data, platform, specials};
    QPointer<frmRateTable> listing;

    HostileRig() {
        data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
        platform.currentDir = folder.path();
        window.setShowRateTable([this] {
            if (!listing) listing = new frmRateTable(data, platform);
            listing->show();
            listing->raise();
        });
        window.setCloseRateTable([this] {
            if (listing) listing->close();
        });
    }

    ~HostileRig() { delete listing.data(); }

    HostileRig(const HostileRig&) = delete;
    HostileRig& operator=(const HostileRig&) = delete;

    QString path(const QString& name) const { return folder.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path(name)));
        if (file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path(name)));
        return path(name);
    }

    void writeSettings(const QByteArray& bytes) const {
        write(QStringLiteral("levywise.ini"), bytes);
    }

    // Starts the program with a settings file that names the rate file.
    void startWith(const QString& rateFile) {
        const QFileInfo info(rateFile);
        writeSettings("[general]\r\nTaxRateFile=" + QFile::encodeName(info.fileName()) +
                      "\r\nTaxRatePath=" + QFile::encodeName(info.absolutePath()) + "\r\n");
        window.Form_Load();
    }

    // "Open Tax Rate File" with the given answer of the dialog.
    void open(const std::optional<QString>& chosen) {
        platform.openAnswers.push_back(chosen);
        window.menuOpen->trigger();
    }

    void show() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 2000));
    }

    // Presses Calculate as the user does.
    void calculate() {
        if (window.Command1->isVisible())
            QTest::mouseClick(window.Command1, Qt::LeftButton);
        else
            window.Command1->click();
    }
};

inline QString TestDataFile(const char* name) {
    return QDir(QStringLiteral(LEVYWISE_TEST_DATA_DIR)).filePath(QLatin1String(name));
}

} // namespace levywise::test
