#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/sample_county.h"

using namespace levywise;

class FirstRunTest : public QObject {
    Q_OBJECT

private slots:
    void proposesTheSampleCountyOnlyToANewUser() {
        const struct {
            QString missingName;
            bool settingsFilePresent, sampleInstalled, sampleProposed;
        } cases[] = {
            {"taxrate.tab", false, true, true},   // a new user
            {"taxrate.tab", true, true, false},   // the settings file named it
            {"taxrate.tab", false, false, false}, // no sample installed
            {"county.tab", false, true, false},   // the sample lacks that name
        };
        for (const auto& c : cases) {
            QTemporaryDir home, sample;
            QFile file(sample.filePath("taxrate.tab"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QString missing = QDir::toNativeSeparators(home.filePath(c.missingName));
            QCOMPARE(FirstRunProposal(missing, c.settingsFilePresent,
                                      c.sampleInstalled ? sample.path() : QString()),
                     c.sampleProposed ? QDir::toNativeSeparators(sample.filePath(c.missingName))
                                      : missing);
        }
    }
};

QTEST_APPLESS_MAIN(FirstRunTest)
#include "test_first_run.moc"
