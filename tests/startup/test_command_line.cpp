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
    void readsTheArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("options"); // splash, then exit when shown
        QTest::addColumn<QString>("out");     // what standard output must hold
        QTest::addColumn<QString>("err");     // what standard error must hold
        const QString usage = QStringLiteral("Usage: levywise [options]\n");
        QTest::newRow("none") << QStringList{} << kStart << "10"
                              << ""
                              << "";
        QTest::newRow("both options")
            << QStringList{"--no-splash", "--exit-when-shown"} << kStart << "01"
            << ""
            << "";
        QTest::newRow("unknown option") << QStringList{"--no-splash", "--splashless"} << 2 << "10"
                                        << ""
                                        << "levywise: |'splashless'|\n" + usage;
        QTest::newRow("stray argument") << QStringList{"taxrate.tab"} << 2 << "10"
                                        << ""
                                        << "levywise: |'taxrate.tab'|\n" + usage;
        QTest::newRow("help") << QStringList{"-h"} << 0 << "10"
                              << usage + "|--help|--version|--no-splash|levywise.ini"
                              << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "10"
                                 << "levywise " LEVYWISE_EXPECTED_VERSION "\n"
                                 << "";
    }
    void readsTheArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, options);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QString shown, errors;
        QTextStream outStream(&shown), errStream(&errors);
        StartOptions o;
        QCOMPARE(ReadStartOptions(QStringList{"levywise"} + arguments, o, outStream, errStream)
                     .value_or(kStart),
                 status);
        QCOMPARE(QString::number(o.splash) + QString::number(o.exitWhenShown), options);
        for (const auto& [text, expected] : {std::pair{shown, out}, {errors, err}}) {
            QCOMPARE(text.isEmpty(), expected.isEmpty());
            for (const QString& part : expected.split('|'))
                QVERIFY2(text.contains(part), qPrintable(text));
        }
        QVERIFY(!shown.contains("exit-when-shown"));
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
