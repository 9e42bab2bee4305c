#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/sample_county.h"

using namespace levywise;

class FirstRunTest : public QObject {
    Q_OBJECT

private slots:
    void proposesTheSampleCountyOnlyToANewUser_data() {
        QTest::addColumn<QString>("missingName");
        QTest::addColumn<bool>("settingsFilePresent");
        QTest::addColumn<bool>("sampleInstalled");
        QTest::addColumn<bool>("sampleProposed");
        QTest::newRow("new user") << "taxrate.tab" << false << true << true;
        QTest::newRow("settings file named it") << "taxrate.tab" << true << true << false;
        QTest::newRow("no sample installed") << "taxrate.tab" << false << false << false;
        QTest::newRow("sample lacks that name") << "county.tab" << false << true << false;
    }
    void proposesTheSampleCountyOnlyToANewUser() {
        QFETCH(QString, missingName);
        QFETCH(bool, settingsFilePresent);
        QFETCH(bool, sampleInstalled);
        QFETCH(bool, sampleProposed);
        QTemporaryDir home;
        QTemporaryDir sample;
        QFile file(sample.filePath("taxrate.tab"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString missing = QDir::toNativeSeparators(home.filePath(missingName));
        const QString expected =
            sampleProposed ? QDir::toNativeSeparators(sample.filePath(missingName)) : missing;
        QCOMPARE(FirstRunProposal(missing, settingsFilePresent,
                                  sampleInstalled ? sample.path() : QString()),
                 expected);
    }
};

QTEST_APPLESS_MAIN(FirstRunTest)
#include "test_first_run.moc"
