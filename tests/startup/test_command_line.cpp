#include <QTest>
#include <QTextStream>

#include "app/command_line.h"

using namespace levywise;

namespace {

constexpr int kStart = -1; // the windows should start

struct Outcome {
    int status = kStart;
    QString out;
    QString err;
    StartOptions options;
};

Outcome Read(const QStringList& arguments) {
    Outcome o;
    QTextStream out(&o.out);
    QTextStream err(&o.err);
    o.status =
        ReadStartOptions(QStringList{QStringLiteral("levywise")} + arguments, o.options, out, err)
            .value_or(kStart);
    return o;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("splash");
        QTest::addColumn<bool>("exitWhenShown");
        QTest::addColumn<QString>("errorNames");
        QTest::newRow("none") << QStringList{} << kStart << true << false << QString();
        QTest::newRow("no splash")
            << QStringList{"--no-splash"} << kStart << false << false << QString();
        QTest::newRow("measurement")
            << QStringList{"--exit-when-shown"} << kStart << true << true << QString();
        QTest::newRow("unknown option")
            << QStringList{"--no-splash", "--splashless"} << 2 << true << false << "'splashless'";
        QTest::newRow("stray argument")
            << QStringList{"taxrate.tab"} << 2 << true << false << "'taxrate.tab'";
    }
    void readsTheArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(bool, splash);
        QFETCH(bool, exitWhenShown);
        const Outcome o = Read(arguments);
        QCOMPARE(o.status, status);
        QVERIFY(o.out.isEmpty());
        QCOMPARE(o.options.splash, splash);
        QCOMPARE(o.options.exitWhenShown, exitWhenShown);
        QFETCH(QString, errorNames);
        if (errorNames.isEmpty()) {
            QVERIFY(o.err.isEmpty());
        } else {
            QVERIFY2(o.err.startsWith("levywise: ") && o.err.contains(errorNames),
                     qPrintable(o.err));
            QVERIFY2(o.err.contains("\nUsage: levywise [options]\n"), qPrintable(o.err));
        }
    }

    void answersHelpAndVersion_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("shown");
        const QStringList help{"Usage: levywise [options]\n", "--help", "--version", "--no-splash",
                               "levywise.ini"};
        const QStringList version{"levywise " LEVYWISE_EXPECTED_VERSION "\n"};
        QTest::newRow("--help") << QStringList{"--help"} << help;
        QTest::newRow("-h") << QStringList{"-h"} << help;
        QTest::newRow("--version") << QStringList{"--version"} << version;
        QTest::newRow("-v") << QStringList{"-v"} << version;
    }
    void answersHelpAndVersion() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, shown);
        const Outcome o = Read(arguments);
        QCOMPARE(o.status, 0);
        QVERIFY(o.err.isEmpty());
        for (const QString& text : shown) QVERIFY2(o.out.contains(text), qPrintable(text));
        if (shown.size() == 1) QCOMPARE(o.out, shown[0]);
        QVERIFY2(!o.out.contains("exit-when-shown"), "a measuring option shown as the user's");
    }

    // Before Qt has taken its options out, they pass, and only help and
    // version are answered.
    void firstLookAnswersOnlyHelpAndVersion() {
        QString shown;
        QTextStream out(&shown);
        const QStringList qtOptions{"levywise", "-platform", "offscreen", "-style=fusion"};
        QCOMPARE(AnswerWithoutWindows(qtOptions, out), std::nullopt);
        QCOMPARE(AnswerWithoutWindows(qtOptions + QStringList{"--bogus"}, out), std::nullopt);
        QVERIFY(shown.isEmpty());
        QCOMPARE(AnswerWithoutWindows(qtOptions + QStringList{"--version"}, out), 0);
        QCOMPARE(shown, "levywise " LEVYWISE_EXPECTED_VERSION "\n");
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
