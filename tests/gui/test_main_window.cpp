// The main window's own wiring: its state before any file, its menu
// shortcuts and access keys, the keyboard, what screen readers hear, and
// how it looks.
#include <QAccessible>
#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // No rate file: the user cancels "not found", asked over the place where
    // the window then opens, empty.
    void startsEmptyWithoutAFile() {
        Rig rig(nullptr);
        rig.start();
        const auto& notFound = rig.platform.messages.at(0);
        QCOMPARE(notFound.title, QStringLiteral("Required file not found"));
        QCOMPARE(notFound.over, rig.main().screen()->availableGeometry().center());
        QCOMPARE(rig.state({"txtAprVal", "chkGHS", "optNeither", "optVetNone", "comboCities",
                            "tabTaxes"}),
                 "txtAprVal= comboCities=-1 chkGHS=off optNeither=on optVetNone=on tabTaxes=3");
        QCOMPARE(rig.main().windowTitle(), QStringLiteral("Levywise v3.54b"));
        rig.platform.messages.clear();
        rig.command(Qt::Key_L); // no table to list
        QCOMPARE(rig.platform.messages.at(0).title + ": " + rig.platform.messages.at(0).text,
                 QStringLiteral("List tax rate table: No tax rate table loaded"));
        QVERIFY(!rig.listing());
    }

    // Each menu shortcut reaches its command, also from the value box,
    // whose own copy, cut and select-all they win over.
    void shortcutsReachTheMenusFromTheValueBox() {
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_X, Qt::Key_A, Qt::Key_L, Qt::Key_O}) {
            Rig rig;
            rig.start();
            QApplication::clipboard()->setText(QStringLiteral("before"));
            auto* value = rig.ctl<QLineEdit>("txtAprVal");
            QTest::keyClicks(value, QStringLiteral("125000"));
            value->selectAll();
            QTest::keyClick(value, key, Qt::ControlModifier);
            QCOMPARE(value->text() + QApplication::clipboard()->text(), "125000before");
            QCOMPARE(rig.specials().isVisible(), key == Qt::Key_C);
            QCOMPARE(rig.main().isVisible(), key != Qt::Key_X);
            QCOMPARE(rig.platform.messages.size(), std::size_t(key == Qt::Key_A));
            QCOMPARE(rig.listing() != nullptr, key == Qt::Key_L);
            QCOMPARE(rig.platform.openRequests.size(), std::size_t(key == Qt::Key_O));
        }
    }

    // Each button has an access key, none the same as another's or a menu's.
    void accessKeysAreUnique() {
        Rig rig;
        rig.start();
        QStringList keys;
        for (auto* button : rig.main().findChildren<QPushButton*>()) keys << button->text();
        for (QAction* menu : rig.main().menuBar()->actions()) keys << menu->text();
        for (QString& key : keys) key = QKeySequence::mnemonic(key).toString();
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 5);
        QVERIFY(!keys.contains(QString()));
    }

    // Tab goes the designed way, an option group as one stop entered at its
    // selected button; Enter calculates from anywhere but a focused button,
    // which takes its own Enter.
    void keyboard() {
        Rig rig;
        rig.start();
        rig.ctl<QAbstractButton>("optDP")->click();
        auto* value = rig.ctl<QLineEdit>("txtAprVal");
        value->setFocus();
        QStringList reached;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(
            reached.join(' '),
            "comboCounties comboCities comboSchools chkGHS optDP optVetNone Command1 cmdPrint");
        QTest::keyClicks(value, QStringLiteral("150000"));
        QTest::keyClick(value, Qt::Key_Return);
        value->setText(QStringLiteral("7"));
        QTest::keyClick(rig.ctl<QComboBox>("comboCities"), Qt::Key_Enter, Qt::KeypadModifier);
        value->setText(QStringLiteral("8"));
        QTest::keyClick(rig.ctl<QPushButton>("cmdPrint"), Qt::Key_Return);
        QCOMPARE(rig.text("lblCountyAprVal") + QString::number(rig.platform.printed.size()),
                 "$7.001");
    }

    // A value with no number is read as 0, and the window says so beside
    // it, to the eye and to screen readers, until the value changes.
    void valueWithoutANumberIsPointedOut() {
        Rig rig;
        rig.start();
        auto* value = rig.ctl<QLineEdit>("txtAprVal");
        auto* note = rig.ctl<QLabel>("lblValueNote");
        for (const char* typed : {"abc", "0", "x5", "  ", "abc"}) {
            value->setText(QLatin1String(typed));
            rig.click("Command1");
            const bool noted = QByteArray(typed).contains('x') || QByteArray(typed).contains('a');
            QCOMPARE(note->isVisible(), noted);
            QCOMPARE(value->accessibleDescription(), noted ? note->text() : QString());
        }
        QCOMPARE(note->text(), QStringLiteral("not a number: read as 0"));
        QTest::keyClick(value, Qt::Key_1);
        QVERIFY(!note->isVisible() && value->accessibleDescription().isEmpty());
    }

    // A screen reader hears every control by name, with its role and value:
    // the lists by what they are for and their entries without padding, the
    // figures, which can be read and selected but not changed, by tab and row.
    void screenReadersHearEveryControl() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("123456"));
        QStringList heard, expected;
        const auto hear = [&](const QString& control, QAccessible::Role role, const QString& name,
                              const QString& value) {
            const QAccessibleInterface* i =
                QAccessible::queryAccessibleInterface(rig.ctl<QWidget>(control));
            const QString line = control + " %1 \"%2\" %3";
            heard << line.arg(i->role()).arg(i->text(QAccessible::Name),
                                             i->text(QAccessible::Value));
            expected << line.arg(role).arg(name, value);
            if (role == QAccessible::EditableText && control != "txtAprVal")
                QVERIFY(i->state().readOnly && i->state().focusable);
        };
        hear("txtAprVal", QAccessible::EditableText, "Appraised value", "123456");
        hear("comboCounties", QAccessible::ComboBox, "County", "MAPLE COUNTY 101");
        hear("comboCities", QAccessible::ComboBox, "City", "CITY OF ELM 201");
        hear("comboSchools", QAccessible::ComboBox, "School district", "ELM ISD 901");
        hear("Command1", QAccessible::Button, "Calculate", "");
        const std::pair<const char*, const char*> rows[] = {
            {"AprVal", "appraised value"},
            {"HSVal", "general homestead exemption"},
            {"O65Val", "over 65 or disabled person exemption"},
            {"VetVal", "veteran exemption"},
            {"NTV", "net taxable value"},
            {"Base1", "tax base"},
            {"Base2", "tax base, for the tax amount"},
            {"TRate", "tax rate"},
            {"Tax", "tax amount"}};
        for (const QString tab : {"County", "City", "School"})
            for (const auto& [box, row] : rows)
                hear("lbl" + tab + box, QAccessible::EditableText, tab + " tax: " + row,
                     rig.text("lbl" + tab + box));
        for (const QString total : {"County", "City", "School", "Spcl", ""})
            hear("lblTot" + total + "Tax", QAccessible::EditableText,
                 "Total tax: " + (total.isEmpty()   ? "total taxes"
                                  : total == "Spcl" ? "special district tax"
                                                    : total.toLower() + " tax"),
                 rig.text("lblTot" + total + "Tax"));
        QCOMPARE(heard, expected);
        QCOMPARE(rig.text("lblTotTax"), QStringLiteral("$2,345.66"));
        const QAccessibleInterface* cities =
            QAccessible::queryAccessibleInterface(rig.ctl<QComboBox>("comboCities"));
        QCOMPARE(cities->child(0)->child(1)->text(QAccessible::Name),
                 QStringLiteral("CITY OF ELM 201"));
        for (QWidget* w :
             rig.main().findChildren<QWidget*>()) // whatever else takes the keyboard has a name
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(&rig.main()))
                QVERIFY2(
                    !QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty(),
                    w->metaObject()->className());
    }

    void aboutBoxHasFiveLines() {
        Rig rig;
        rig.start();
        rig.command(Qt::Key_A);
        const auto& box = rig.platform.messages.at(0);
        QCOMPARE(box.title, QStringLiteral("About Levywise"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        const QStringList lines = box.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0] + '|' + lines[3],
                 "Levywise v3.54b|Not supported by Corvell Appraisal District");
        QVERIFY(
            lines[4].startsWith("The most current version of Levywise may be downloaded from "));
    }

    // Fixed captions fit their boxes in the windows' font; the window, its
    // frames and the tab control are pale yellow, the captions on the tabs
    // button face.
    void looks() {
        Rig rig(nullptr);
        rig.start();
        QStringList cut;
        for (auto* label : rig.main().findChildren<QLabel*>())
            if (QFontMetrics(label->font()).horizontalAdvance(label->text()) >
                label->contentsRect().width())
                cut << label->objectName();
        for (auto* button : rig.main().findChildren<QAbstractButton*>())
            if (button->isVisible() &&
                QFontMetrics(button->font()).horizontalAdvance(button->text()) +
                        (qobject_cast<QPushButton*>(button) ? 4 : 20) >
                    button->width())
                cut << button->objectName();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(' ')));
        const QImage image = rig.main().grab().toImage();
        QStringList colours;
        for (const char* inside : {"client", "Frame4", "tabTotal", "lblTotCountyName"})
            colours << image.pixelColor(rig.ctl<QWidget>(inside)->mapTo(&rig.main(), QPoint(4, 4)))
                           .name();
        QCOMPARE(colours.join(' '),
                 "#ffffc0 #ffffc0 #ffffc0 " + QApplication::palette().button().color().name());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
