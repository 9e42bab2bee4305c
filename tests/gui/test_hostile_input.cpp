// Input no one should give, through the real ways in: rate files the
// program must refuse while the user is in the middle of an estimate, pipes
// where files should be, and appraised values from any keyboard. A refused
// file is named in a message and changes nothing at all.
#include <QCheckBox>
#include <sys/stat.h>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

enum class Kind { File, Missing, Folder, Pipe, Device };

void MakePipe(const QString& path) {
    if (mkfifo(QFile::encodeName(path).constData(), 0600) != 0) qFatal("mkfifo failed");
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void refusedFileChangesNothing() {
        const QString refused = QStringLiteral("Tax rate file not loaded");
        const QByteArray county = RateFile({"101\tC\tK\tN\t1"});
        const struct {
            const char* name;
            Kind kind;
            QByteArray bytes;
            QString title; // empty: the dialog is cancelled
            QStringList words;
        } cases[] = {
            {"cancelled", Kind::File, {}, {}, {}},
            {"older version",
             Kind::File,
             "TaxRates v3.53\tOld\tOld\t\r\n",
             "Tax Rate File Version error",
             {"chosen.tab", "\"TaxRates v3.53\"", "V3.54"}},
            {"picture",
             Kind::File,
             QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
             "Tax Rate File Version error",
             {"chosen.tab"}},
            {"not a number",
             Kind::File,
             county + "102\tBAD\tK\tN\t1\t12x\t\r\n",
             refused,
             {"line 3", "column 6", "12x"}},
            {"control characters",
             Kind::File,
             county + "102\tB\tK\tN\t1\t\x01\x1b\t\r\n",
             refused,
             {"\uFFFD\uFFFD"}},
            {"empty", Kind::File, "", refused, {"chosen.tab", "empty"}},
            {"missing", Kind::Missing, {}, refused, {"chosen.tab", "does not exist"}},
            {"folder", Kind::Folder, {}, refused, {"chosen.tab", "folder"}},
            {"named pipe", Kind::Pipe, {}, refused, {"chosen.tab", "not an ordinary file"}},
            {"endless device", Kind::Device, {}, refused, {"/dev/zero", "not an ordinary file"}},
        };
        for (const auto& c : cases) {
            // A user in the middle of an estimate: inputs set, a district of
            // the second page toggled, the listing open and sorted by rate.
            Rig rig;
            rig.start();
            rig.open(TestData("maple_county.tab")); // the long caption of a reload
            rig.estimate(QStringLiteral("123456"));
            rig.ctl<QCheckBox>("chkGHS")->setChecked(true);
            rig.command(Qt::Key_C);
            rig.ctl<QAbstractSlider>("VScroll1", &rig.specials())->setValue(3);
            rig.ctl<QCheckBox>("chkSpclDist_2", &rig.specials())->click();
            rig.command(Qt::Key_L);
            rig.listing()->SortByHeader(0, frmRateTable::kRateColumn);
            const QStringList before = rig.state();

            QString path = rig.path(QStringLiteral("chosen.tab"));
            if (c.kind == Kind::File && !c.title.isEmpty())
                rig.write(QStringLiteral("chosen.tab"), c.bytes);
            if (c.kind == Kind::Folder) QDir().mkpath(path);
            if (c.kind == Kind::Pipe) MakePipe(path);
            if (c.kind == Kind::Device) path = QStringLiteral("/dev/zero");
            rig.open(c.title.isEmpty() ? std::nullopt : std::optional<QString>(path));
            QVERIFY2(rig.state() == before, c.name);
            QCOMPARE(rig.platform.messages.size(), std::size_t(!c.title.isEmpty()));
            if (c.title.isEmpty()) continue;
            QCOMPARE(rig.platform.messages[0].title, c.title);
            for (const QString& word : c.words)
                QVERIFY2(rig.platform.messages[0].text.contains(word),
                         qPrintable(rig.platform.messages[0].text));
        }
    }

    // Anything but an ordinary file counts as not found at start-up, and a
    // settings file that is no file counts as none: nothing waits on either.
    void startUpCopesWithPipes() {
        Rig rig(nullptr);
        MakePipe(rig.path(QStringLiteral("levywise.ini")));
        MakePipe(rig.path(QStringLiteral("taxrate.tab")));
        rig.start();
        QCOMPARE(rig.platform.messages.at(0).title, QStringLiteral("Required file not found"));
        QCOMPARE(rig.data.LoadedCount, 0);
    }

    // Values from any keyboard end in an estimate or in the "Calculate" box.
    void wildValues() {
        const std::pair<QString, QString> cases[] = {
            // value, appraised value shown ("": refused)
            {QStringLiteral("\U0001F3E0150000"), "$0.00"},
            {QStringLiteral("150000\u20AC"), "$150,000.00"},
            {QString(10000, QLatin1Char('9')), ""},
        };
        for (const auto& [value, appraised] : cases) {
            Rig rig;
            rig.start();
            rig.ctl<QLineEdit>("txtAprVal")->setText(value);
            rig.click("Command1");
            QCOMPARE(rig.platform.messages.size(), std::size_t(appraised.isEmpty()));
            QCOMPARE(rig.text("lblCountyAprVal"),
                     appraised.isEmpty() ? QStringLiteral("$0.00") : appraised);
        }
    }
};

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
