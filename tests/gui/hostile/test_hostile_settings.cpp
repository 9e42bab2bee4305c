// Settings files no one wrote by hand: huge values, odd encodings, NULs,
// binary junk, a folder or a pipe where the file should be. The program
// starts whatever it finds, falls back to its defaults when it cannot
// understand the file, and never crashes or waits forever.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

#include "hostile/rate_file_text.h"
#include "hostile/watchdog.h"
#include "hostile/window_state.h"

using namespace levywise;
using namespace levywise::test;
using namespace std::chrono_literals;

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

// What start-up should come to.
enum class Outcome {
    Default,  // the default file, taxrate.tab in the current folder, loads
    Named,    // the file the settings name, named.tab, loads
    NotFound, // the "not found" message, which the user cancels
};

QByteArray Settings(const QByteArray& body) { return "[general]\r\n" + body + "\r\n"; }

QByteArray Utf16(const QByteArray& latin1, bool bigEndian) {
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (char c : latin1) {
        if (bigEndian) bytes += '\0';
        bytes += c;
        if (!bigEndian) bytes += '\0';
    }
    return bytes;
}

QByteArray RateFile(const QByteArray& county, const QByteArray& city = "A CITY") {
    return "TaxRates v3.54\tSettings\t" + county + "\t\r\n" + UnitLine("201", city, 'C', "0.5");
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class HostileSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void startUpCopesWithTheSettingsFile_data();
    void startUpCopesWithTheSettingsFile();
    void settingsFileThatIsNoFile_data();
    void settingsFileThatIsNoFile();
    void latin1NameLeadsToTheDialog();
};

void HostileSettingsTest::startUpCopesWithTheSettingsFile_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<Outcome>("outcome");
    const QByteArray huge(kMegabyte, 'a');
    QTest::newRow("empty") << QByteArray() << Outcome::Default;
    QTest::newRow("plain") << Settings("TaxRateFile=named.tab") << Outcome::Named;
    QTest::newRow("1 MB file name, cut to the first 119 characters")
        << Settings("TaxRateFile=" + huge) << Outcome::Named;
    QTest::newRow("1 MB folder name") << Settings("TaxRatePath=" + huge) << Outcome::NotFound;
    QTest::newRow("1 MB key name")
        << Settings(huge + "=named.tab\r\nTaxRateFile=named.tab") << Outcome::Named;
    QTest::newRow("1 MB line before the section")
        << QByteArray(kMegabyte, 'x') + "\r\n" + Settings("TaxRateFile=named.tab")
        << Outcome::Named;
    QTest::newRow("1 MB section name") << "[" + huge + "]\r\nTaxRateFile=named.tab\r\n"
                                       << Outcome::Default;
    QTest::newRow("1 MB of line ends")
        << QByteArray(kMegabyte, '\n') + Settings("TaxRateFile=named.tab") << Outcome::Named;
    QTest::newRow("UTF-8 byte order mark")
        << "\xEF\xBB\xBF" + Settings("TaxRateFile=named.tab") << Outcome::Named;
    // Read as single bytes, a UTF-16 file holds no "[general]": defaults.
    QTest::newRow("UTF-16 little-endian with byte order mark")
        << Utf16(Settings("TaxRateFile=other.tab"), false) << Outcome::Default;
    QTest::newRow("UTF-16 big-endian with byte order mark")
        << Utf16(Settings("TaxRateFile=other.tab"), true) << Outcome::Default;
    QTest::newRow("NUL ends the value")
        << Settings(QByteArray("TaxRateFile=named.tab\0junk", 26)) << Outcome::Named;
    QTest::newRow("NUL in the section name")
        << QByteArray("[gen\0eral]\r\nTaxRateFile=named.tab\r\n", 35) << Outcome::Default;
    QTest::newRow("NULs only") << QByteArray(4096, '\0') << Outcome::Default;
    QTest::newRow("random bytes") << RandomBytes(64 * 1024, 11) << Outcome::Default;
    QTest::newRow("empty file name") << Settings("TaxRateFile=") << Outcome::NotFound;
    QTest::newRow("control characters in the name")
        << Settings("TaxRateFile=na\x01\x1bmed.tab") << Outcome::NotFound;
    QTest::newRow("CR line ends") << QByteArray("[general]\rTaxRateFile=named.tab\r")
                                  << Outcome::Named;
}

void HostileSettingsTest::startUpCopesWithTheSettingsFile() {
    QFETCH(QByteArray, settings);
    QFETCH(Outcome, outcome);
    Watchdog watchdog(30s, "start-up with a strange settings file");
    HostileRig rig;
    rig.write(QStringLiteral("taxrate.tab"), RateFile("Default"));
    rig.write(QStringLiteral("named.tab"), RateFile("Named"));
    rig.write(QString(119, QLatin1Char('a')), RateFile("Named"));
    if (!settings.isEmpty()) rig.writeSettings(settings);
    rig.window.Form_Load();

    const auto& asked = rig.platform.messages;
    switch (outcome) {
    case Outcome::Default:
    case Outcome::Named:
        QVERIFY2(asked.empty(), qPrintable(asked.empty() ? QString() : asked[0].text.left(300)));
        QCOMPARE(QString::fromStdString(rig.data.CountyName),
                 outcome == Outcome::Default ? QStringLiteral("Default") : QStringLiteral("Named"));
        QCOMPARE(rig.window.comboCities->count(), 2);
        break;
    case Outcome::NotFound:
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked[0].title, QStringLiteral("Required file not found"));
        QVERIFY2(IsReadableMessage(asked[0].text), qPrintable(asked[0].text.left(300)));
        QCOMPARE(rig.data.LoadedCount, 0);
        QCOMPARE(rig.window.comboCities->count(), 0);
        break;
    }
    QCOMPARE(rig.window.windowTitle(), QStringLiteral("Levywise v3.54b"));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

void HostileSettingsTest::settingsFileThatIsNoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("dangling link") << "link";
}

// Something named levywise.ini that cannot be read as a file counts as no
// settings file: the defaults apply, without waiting on it.
void HostileSettingsTest::settingsFileThatIsNoFile() {
    QFETCH(QString, kind);
    Watchdog watchdog(30s, "settings file that is no file");
    HostileRig rig;
    rig.write(QStringLiteral("taxrate.tab"), RateFile("Default"));
    const QString settings = rig.path(QStringLiteral("levywise.ini"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(settings + QStringLiteral("/inside")));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(rig.path(QStringLiteral("gone")), settings));
    rig.window.Form_Load();

    QVERIFY(rig.platform.messages.empty());
    QCOMPARE(QString::fromStdString(rig.data.CountyName), QStringLiteral("Default"));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

// A settings file written in a single-byte code page names a file whose
// name this system spells in UTF-8: the program says it cannot find it,
// with a readable name, and the user picks the file in the dialog.
void HostileSettingsTest::latin1NameLeadsToTheDialog() {
    Watchdog watchdog(30s, "Latin-1 settings file");
    HostileRig rig;
    const QString file =
        rig.write(QStringLiteral("caf\u00e9.tab"), RateFile("Caf\xe9", "CAF\xc9 CITY"));
    rig.writeSettings(Settings("TaxRateFile=caf\xe9.tab"));
    rig.platform.messageAnswers = {MsgResult::Ok};
    rig.platform.openAnswers = {file};
    rig.window.Form_Load();

    const auto& asked = rig.platform.messages;
    QCOMPARE(asked.size(), std::size_t(1));
    QCOMPARE(asked[0].title, QStringLiteral("Required file not found"));
    QVERIFY2(IsReadableMessage(asked[0].text), qPrintable(asked[0].text));
    QVERIFY(asked[0].text.contains(QStringLiteral("caf")));
    QCOMPARE(rig.platform.openRequests.size(), std::size_t(1));
    QCOMPARE(rig.window.comboCities->count(), 2);
    QCOMPARE(rig.window.comboCities->itemText(1).left(9), QStringLiteral("CAF\u00c9 CITY"));
    const QString answer = CheckCalculateAnswers(rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
}

QTEST_MAIN(HostileSettingsTest)
#include "test_hostile_settings.moc"
