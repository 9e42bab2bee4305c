// Where the program finds its settings and its rate file at start-up, in
// the order of the rules, and how it remembers the rate file last opened.
#include "app/user_settings.h"
#include "common/rig.h"
#include "ratedata/settings_file.h"

using namespace levywise;
using namespace levywise::test;

class FirstRunTest : public QObject {
    Q_OBJECT

private slots:
    // A settings file in the current folder rules and is never written;
    // else the user's own; else taxrate.tab here, else the sample county,
    // else the user is asked. The user's file then names what was opened.
    void rulesInOrder() {
        const struct {
            const char* name;
            bool here, users, rateHere, sample;
            QString loaded, remembered; // relative to the test's folder
        } cases[] = {
            {"settings here first", true, true, true, true, "a.tab", "rates/b.tab"},
            {"then the user's", false, true, true, true, "rates/b.tab", "rates/b.tab"},
            {"then taxrate.tab here", false, false, true, true, "taxrate.tab", "taxrate.tab"},
            {"then the sample", false, false, false, true, "sample/taxrate.tab",
             "sample/taxrate.tab"},
            {"else the user is asked", false, false, false, false, "rates/b.tab", "rates/b.tab"},
        };
        for (const auto& c : cases) {
            Rig rig(nullptr);
            for (const char* folder : {"rates", "sample", "config"})
                QVERIFY(QDir(rig.folder.path()).mkpath(folder));
            rig.write("a.tab", RateFile({}));
            rig.write("rates/b.tab", RateFile({}));
            if (c.here) rig.write("levywise.ini", "[general]\nTaxRateFile=a.tab\n");
            if (c.users)
                rig.write("config/levywise.ini",
                          "[general]\nTaxRatePath=" + rig.path("rates").toUtf8() +
                              "\nTaxRateFile=b.tab\n");
            if (c.rateHere) rig.write("taxrate.tab", RateFile({}));
            if (c.sample) {
                rig.write("sample/taxrate.tab", RateFile({}));
                rig.platform.sampleFolder = rig.path("sample");
            }
            rig.platform.configFolder = rig.path("config");
            rig.platform.messageAnswers = {MsgResult::Ok};
            rig.platform.openAnswers = {rig.path("rates/b.tab")};
            rig.start();
            QCOMPARE(rig.platform.messages.size(),
                     std::size_t(!(c.here || c.users || c.rateHere || c.sample)));
            QCOMPARE(rig.main().RateFilePath(), rig.path(c.loaded));
            QCOMPARE(QString::fromStdString(RateFilePathFromSettings(
                         rig.path("config/levywise.ini").toStdString(), "", '/')),
                     rig.path(c.remembered));
        }
    }

    // The rate file's keys are set in the first "general" section, found
    // as the reader finds it; every other line stays, with its line ends. A
    // value the reader would trim or unquote goes between quotes; one it
    // could not read back whole is not written.
    void remembersWhatTheReaderReadsBack() {
        const QByteArray longName(120, 'n');
        const struct {
            QByteArray before, folder, name, after;
        } cases[] = {
            {"", "/r", "t.tab", "[general]\nTaxRateFile=t.tab\nTaxRatePath=/r\n"},
            {"; mine\r\n[Other]\r\nx=1\r\n[ GENERAL ]\r\ntaxratefile = old\r\n[general]\r\n", "/r",
             "t.tab",
             "; mine\r\n[Other]\r\nx=1\r\n[ GENERAL ]\r\nTaxRateFile=t.tab\r\nTaxRatePath=/r\r\n"
             "[general]\r\n"},
            {"[general]\n;TaxRatePath=/old\n", "/r ", "\"t\"",
             "[general]\n;TaxRatePath=/old\nTaxRateFile=\"\"t\"\"\nTaxRatePath=\"/r \"\n"},
            {"[general]\n", "/r", longName, {}},
            {"[general]\n", "/r\n", "t.tab", {}},
        };
        for (const auto& c : cases) {
            const auto after = SettingsWithRateFile(c.before, c.folder, c.name);
            QCOMPARE(after.value_or(QByteArray()), c.after);
            if (!after) continue;
            QCOMPARE(ProfileStringFromText(after->toStdString(), "general", "TaxRateFile", ""),
                     c.name.toStdString());
            QCOMPARE(ProfileStringFromText(after->toStdString(), "general", "TaxRatePath", ""),
                     c.folder.toStdString());
        }
    }
};

QTEST_MAIN(FirstRunTest)
#include "test_first_run.moc"
