// Appraised values no one should type, entered as a user would: key by key,
// pasted whole, or as characters no keyboard layout of the program's users
// has. Each ends in a whole estimate or in the "Calculate" box with every
// figure as it was; never in a crash or in figures from two estimates.
#include <QApplication>
#include <QKeyEvent>

#include "hostile/load_routes.h"
#include "hostile/watchdog.h"

using namespace levywise;
using namespace levywise::test;
using namespace std::chrono_literals;

namespace {

enum class Entry {
    Keys,  // typed key by key (Latin-1 text only)
    Paste, // set whole, as a paste does
    Typed, // typed as characters beyond Latin-1, one key event per character
};

const QString kRefused = QStringLiteral("refused");

// Sends each character (a surrogate pair as one) as a key press and release
// carrying that text, the way an input method delivers it.
void TypeCharacters(QWidget* box, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            length = 2;
        const QString character = text.mid(i, length);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
        i += length - 1;
    }
}

} // namespace

Q_DECLARE_METATYPE(Entry)

class HostileValuesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wildValueGivesAWholeEstimateOrTheBox_data();
    void wildValueGivesAWholeEstimateOrTheBox();
    void valueLongerThanTheBoxHolds();

private:
    std::unique_ptr<HostileRig> rig;
};

void HostileValuesTest::init() {
    rig = std::make_unique<HostileRig>();
    BusyProgram(*rig);
}

void HostileValuesTest::cleanup() { rig.reset(); }

void HostileValuesTest::wildValueGivesAWholeEstimateOrTheBox_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("appraised"); // the appraised value shown, or kRefused
    const QString zero = QStringLiteral("$0.00");
    QTest::newRow("1e400") << "1e400" << Entry::Keys << kRefused;
    QTest::newRow("-1e400") << "-1e400" << Entry::Keys << kRefused;
    QTest::newRow("1e-400") << "1e-400" << Entry::Keys << zero;
    QTest::newRow("4.9e-324") << "4.9e-324" << Entry::Keys << zero;
    QTest::newRow("-0") << "-0" << Entry::Keys << zero;
    QTest::newRow("nan") << "nan" << Entry::Keys << zero;
    QTest::newRow("inf") << "inf" << Entry::Keys << zero;
    QTest::newRow("-Infinity") << "-Infinity" << Entry::Keys << zero;
    QTest::newRow("&HFFFFFFFFF") << "&HFFFFFFFFF" << Entry::Keys << kRefused;
    QTest::newRow("&HFFFFFFFF") << "&HFFFFFFFF" << Entry::Keys << "-$1.00";
    QTest::newRow("&H alone") << "&H" << Entry::Keys << zero;
    QTest::newRow("&O17") << "&O17" << Entry::Keys << "$15.00";
    QTest::newRow("1d3") << "1d3" << Entry::Keys << "$1,000.00";
    QTest::newRow("$-5,000") << "$-5,000" << Entry::Keys << "-$5,000.00";
    QTest::newRow("1,2,3") << "1,2,3" << Entry::Keys << "$123.00";
    QTest::newRow("blanks inside") << "150 000" << Entry::Keys << "$150,000.00";
    QTest::newRow("1e15") << "1e15" << Entry::Keys << kRefused;
    QTest::newRow("10,000 digits") << QString(10000, QLatin1Char('9')) << Entry::Paste << kRefused;
    QTest::newRow("10,000 zeros, then 5")
        << QString(10000, QLatin1Char('0')) + '5' << Entry::Paste << "$5.00";
    QTest::newRow("10,000 decimals")
        << "0." + QString(10000, QLatin1Char('0')) + '7' << Entry::Paste << zero;
    QTest::newRow("10,000 spaces") << QString(10000, QLatin1Char(' ')) << Entry::Paste << zero;
    QTest::newRow("10,000 spaces, then 42")
        << QString(10000, QLatin1Char(' ')) + "42" << Entry::Paste << "$42.00";
    QTest::newRow("10,000 minus signs") << QString(10000, QLatin1Char('-')) << Entry::Paste << zero;
    QTest::newRow("emoji") << QStringLiteral("\U0001F3E0\U0001F4B0") << Entry::Typed << zero;
    QTest::newRow("emoji, then digits")
        << QStringLiteral("\U0001F3E0150000") << Entry::Typed << zero;
    QTest::newRow("digits, then emoji")
        << QStringLiteral("150000\U0001F3E0") << Entry::Typed << "$150,000.00";
    QTest::newRow("fullwidth digits")
        << QStringLiteral("\uFF11\uFF15\uFF10") << Entry::Typed << zero;
    QTest::newRow("Arabic-Indic digits")
        << QStringLiteral("\u0661\u0665\u0660") << Entry::Typed << zero;
    QTest::newRow("Cyrillic") << QStringLiteral("\u0441\u0442\u043E") << Entry::Typed << zero;
    QTest::newRow("euro sign after the value")
        << QStringLiteral("150000\u20AC") << Entry::Typed << "$150,000.00";
    QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) + "12" << Entry::Paste << zero;
    QTest::newRow("NUL inside") << QString::fromLatin1(
                                       "12\0"
                                       "34",
                                       5)
                                << Entry::Paste << "$12.00";
    QTest::newRow("largest money value")
        << "922337203685477" << Entry::Keys << "$922,337,203,685,477.00";
    QTest::newRow("beyond the largest money value") << "922337203685478" << Entry::Keys << kRefused;
}

void HostileValuesTest::wildValueGivesAWholeEstimateOrTheBox() {
    QFETCH(QString, value);
    QFETCH(Entry, entry);
    QFETCH(QString, appraised);
    QVERIFY(rig);
    Watchdog watchdog(30s, "wild appraised value");
    frmMain& w = rig->window;
    rig->platform.messages.clear();

    QTest::mouseClick(w.txtAprVal, Qt::LeftButton);
    w.txtAprVal->selectAll();
    QTest::keyClick(w.txtAprVal, Qt::Key_Backspace);
    QVERIFY(w.txtAprVal->text().isEmpty());
    switch (entry) {
    case Entry::Keys: QTest::keyClicks(w.txtAprVal, value); break;
    case Entry::Paste: w.txtAprVal->setText(value); break;
    case Entry::Typed: TypeCharacters(w.txtAprVal, value); break;
    }
    QCOMPARE(w.txtAprVal->text(), value);

    const QString answer = CheckCalculateAnswers(*rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
    if (appraised == kRefused) {
        QCOMPARE(rig->platform.messages.size(), std::size_t(1));
        QCOMPARE(rig->platform.messages[0].title, QStringLiteral("Calculate"));
    } else {
        QVERIFY(rig->platform.messages.empty());
        for (const char* label : {"lblCountyAprVal", "lblCityAprVal", "lblSchoolAprVal"})
            QCOMPARE(w.findChild<QLabel*>(QLatin1String(label))->text(), appraised);
    }
    // A net taxable value is never below nothing.
    for (const char* label : {"lblCountyNTV", "lblCityNTV", "lblSchoolNTV"})
        QVERIFY(!w.findChild<QLabel*>(QLatin1String(label))->text().startsWith(QLatin1Char('-')));
}

// The box holds at most 32,767 characters; a longer paste is cut, and what
// is left is still read as a value.
void HostileValuesTest::valueLongerThanTheBoxHolds() {
    QVERIFY(rig);
    Watchdog watchdog(30s, "overlong value");
    frmMain& w = rig->window;
    rig->platform.messages.clear();
    w.txtAprVal->setText(QString(100000, QLatin1Char('1')));
    QCOMPARE(w.txtAprVal->text().size(), w.txtAprVal->maxLength());
    const QString answer = CheckCalculateAnswers(*rig);
    QVERIFY2(answer.isEmpty(), qPrintable(answer));
    QCOMPARE(rig->platform.messages.size(), std::size_t(1));

    w.txtAprVal->setText(QString(100000, QLatin1Char(' ')) + QStringLiteral("7"));
    const QString second = CheckCalculateAnswers(*rig);
    QVERIFY2(second.isEmpty(), qPrintable(second));
    QCOMPARE(w.lblCountyAprVal->text(), QStringLiteral("$0.00"));
}

QTEST_MAIN(HostileValuesTest)
#include "test_hostile_values.moc"
