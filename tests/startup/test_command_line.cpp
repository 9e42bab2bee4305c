#include <QTest>
#include <QTextStream>

#include "app/command_line.h"

using namespace levywise;

constexpr int kStart = -1; // the windows should start

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    // What the program does with its arguments: start (with or without the
    // splash), answer help or version, or name the wrong argument with the
    // usage line. The measuring option is never shown as the user's.
    void readsTheArguments() {
        const QString usage = QStringLiteral("Usage: levywise [options]\n");
        const struct {
            QStringList arguments;
            int status;
            QString options;  // splash, then exit when shown
            QString out, err; // what the two streams must hold, parts between bars
        } cases[] = {
            {{}, kStart, "10", "", ""},
            {{"--no-splash", "--exit-when-shown"}, kStart, "01", "", ""},
            {{"--no-splash", "--splashless"}, 2, "10", "", "levywise: |'splashless'|\n" + usage},
            {{"taxrate.tab"}, 2, "10", "", "levywise: |'taxrate.tab'|\n" + usage},
            {{"-h"}, 0, "10", usage + "|--help|--version|--no-splash|levywise.ini", ""},
            {{"--version"}, 0, "10", "levywise " LEVYWISE_EXPECTED_VERSION "\n", ""},
        };
        for (const auto& c : cases) {
            QString shown, errors;
            QTextStream outStream(&shown), errStream(&errors);
            StartOptions o;
            QCOMPARE(
                ReadStartOptions(QStringList{"levywise"} + c.arguments, o, outStream, errStream)
                    .value_or(kStart),
                c.status);
            QCOMPARE(QString::number(o.splash) + QString::number(o.exitWhenShown), c.options);
            for (const auto& [text, expected] : {std::pair{shown, c.out}, {errors, c.err}}) {
                QCOMPARE(text.isEmpty(), expected.isEmpty());
                for (const QString& part : expected.split('|'))
                    QVERIFY2(text.contains(part), qPrintable(text));
            }
            QVERIFY(!shown.contains("exit-when-shown"));
        }
    }

    // Before Qt has taken its options out, they pass, and only help and
    // version are answered.
    void firstLookAnswersOnlyHelpAndVersion() {
        QString shown;
        QTextStream out(&shown);
        const QStringList qtOptions{"levywise", "-platform", "offscreen", "-style=fusion"};
        QCOMPARE(AnswerWithoutWindows(qtOptions + QStringList{"--bogus"}, out), std::nullopt);
        QVERIFY(shown.isEmpty());
        QCOMPARE(AnswerWithoutWindows(qtOptions + QStringList{"--version"}, out), 0);
        QCOMPARE(shown, "levywise " LEVYWISE_EXPECTED_VERSION "\n");
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
