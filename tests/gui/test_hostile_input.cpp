// Input no one should give, through the real ways in: rate files the
// program must refuse while the user is in the middle of an estimate, and
// appraised values from any keyboard. A refused file is named in a message
// and changes nothing at all.
#include <QCheckBox>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    // What the core refuses reaches the window through one message per
    // kind; the path is shown printable, the file's text as its characters
    // (never as markup) and the message keeps all its lines.
    void refusedFileChangesNothing() {
        const struct {
            QByteArray bytes;
            QString title; // of the message; none: the dialog is cancelled
            QString words; // what the message must say, between bars
        } cases[] = {
            {{}, {}, {}},
            {"TaxRates v3.53\tOld\tOld\t\r\n", "Tax Rate File Version error",
             "chosen\uFFFD.tab|\"TaxRates v3.53\"|V3.54"},
            {RateFile({"101\tC\tK\tN\t1", "102\tB\tK\tN\t1\t\x01\x1b"}), "Tax rate file not loaded",
             "chosen\uFFFD.tab|line 3|\uFFFD\uFFFD"},
            {RateFile({"101\tC\tK\tN\t1\t<font size=7 color=red>HACKED</font>"}),
             "Tax rate file not loaded", "(\"<font size=7 color=red>HACKED</font>\")"},
            {"<a href=x>TaxRates</a>\tT\tT\t\r\n", "Tax Rate File Version error",
             "\"<a href=x>TaxRates</a>\""},
        };
        // A user in the middle of an estimate: inputs set, a district of the
        // second page toggled, the listing open and sorted by rate.
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
        for (const auto& c : cases) {
            const QString path = rig.write(QStringLiteral("chosen\u0007.tab"), c.bytes);
            rig.platform.messages.clear();
            rig.open(c.title.isEmpty() ? std::nullopt : std::optional<QString>(path));
            QVERIFY2(rig.state() == before, qPrintable(c.title));
            QCOMPARE(rig.platform.messages.size(), std::size_t(!c.title.isEmpty()));
            for (const auto& m : rig.platform.messages) {
                QCOMPARE(m.title, c.title);
                for (const QString& word : c.words.split('|'))
                    QVERIFY2(m.shown.contains(word), qPrintable(m.shown));
            }
        }
    }

    // Values from any keyboard end in an estimate or in the "Calculate" box:
    // a character the rate files' code page lacks is no digit.
    void wildValues() {
        Rig rig;
        rig.start();
        for (const QString& value :
             {QString(10000, QLatin1Char('9')), QStringLiteral("\U0001F3E0150000")}) {
            rig.ctl<QLineEdit>("txtAprVal")->setText(value);
            rig.click("Command1");
        }
        QCOMPARE(rig.platform.messages.size(), std::size_t(1));
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$0.00"));
    }
};

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
