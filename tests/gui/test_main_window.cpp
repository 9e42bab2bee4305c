// The main window's own wiring: its state before any file, its menu
// shortcuts, the keyboard order and the small commands.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // No rate file: the user cancels "not found"; the window opens empty.
    void startsEmptyWithoutAFile() {
        Rig rig(nullptr);
        rig.start();
        QCOMPARE(rig.platform.messages.at(0).title, QStringLiteral("Required file not found"));
        // Asked before the window shows, over the place where it will show.
        QCOMPARE(rig.platform.messages.at(0).over,
                 rig.main().screen()->availableGeometry().center());
        QVERIFY(rig.ctl<QRadioButton>("optNeither")->isChecked() &&
                rig.ctl<QRadioButton>("optVetNone")->isChecked());
        QVERIFY(!rig.ctl<QCheckBox>("chkGHS")->isChecked() &&
                rig.ctl<QLineEdit>("txtAprVal")->text().isEmpty());
        QCOMPARE(rig.ctl<QComboBox>("comboCounties")->count() +
                     rig.ctl<QComboBox>("comboSchools")->count(),
                 0);
        QCOMPARE(rig.ctl<QTabWidget>("tabTaxes")->currentIndex(), 3);
        QCOMPARE(rig.main().windowTitle(), QStringLiteral("Levywise v3.54b"));
        rig.platform.messages.clear();
        rig.command(Qt::Key_L); // no table to list
        QCOMPARE(rig.platform.messages.at(0).title, QStringLiteral("List tax rate table"));
        QCOMPARE(rig.platform.messages.at(0).text, QStringLiteral("No tax rate table loaded"));
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
            QCOMPARE(value->text() + QApplication::clipboard()->text(),
                     QStringLiteral("125000before"));
            QCOMPARE(rig.specials().isVisible(), key == Qt::Key_C);
            QCOMPARE(rig.main().isVisible(), key != Qt::Key_X);
            QCOMPARE(rig.platform.messages.size(), std::size_t(key == Qt::Key_A));
            QCOMPARE(rig.listing() != nullptr, key == Qt::Key_L);
            QCOMPARE(rig.platform.openRequests.size(), std::size_t(key == Qt::Key_O));
        }
    }

    // An option group is one stop, entered at its selected button.
    void tabKeyFollowsTheDesignedOrder() {
        Rig rig;
        rig.start();
        rig.ctl<QRadioButton>("optDP")->setChecked(true);
        rig.ctl<QLineEdit>("txtAprVal")->setFocus();
        QStringList reached;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached, (QStringList{"comboCounties", "comboCities", "comboSchools", "chkGHS",
                                       "optDP", "optVetNone", "Command1", "cmdPrint"}));
    }

    // Enter calculates from anywhere but a focused button, which takes its
    // own Enter.
    void enterCalculates() {
        Rig rig;
        rig.start();
        QTest::keyClicks(rig.ctl<QLineEdit>("txtAprVal"), QStringLiteral("150000"));
        QTest::keyClick(rig.ctl<QLineEdit>("txtAprVal"), Qt::Key_Return);
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$150,000.00"));
        rig.ctl<QLineEdit>("txtAprVal")->setText(QStringLiteral("7"));
        QTest::keyClick(rig.ctl<QComboBox>("comboCities"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$7.00"));
        rig.ctl<QLineEdit>("txtAprVal")->setText(QStringLiteral("8"));
        QTest::keyClick(rig.ctl<QPushButton>("cmdPrint"), Qt::Key_Return);
        QCOMPARE(rig.text("lblCountyAprVal") + QString::number(rig.platform.printed.size()),
                 QStringLiteral("$7.001"));
    }

    // A value with no number is read as 0, and the window says so beside
    // it, to the eye and to screen readers, until the value changes.
    void valueWithoutANumberIsPointedOut() {
        Rig rig;
        rig.start();
        auto* value = rig.ctl<QLineEdit>("txtAprVal");
        auto* note = rig.ctl<QLabel>("lblValueNote");
        for (const auto& [typed, noted] :
             {std::pair{"abc", true}, {"0", false}, {"x5", true}, {"  ", false}}) {
            value->setText(QLatin1String(typed));
            rig.click("Command1");
            QCOMPARE(note->isVisible(), noted);
            QCOMPARE(value->accessibleDescription(),
                     noted ? QStringLiteral("not a number: read as 0") : QString());
        }
        value->setText(QStringLiteral("abc"));
        rig.click("Command1");
        QTest::keyClick(value, Qt::Key_1);
        QVERIFY(!note->isVisible() && value->accessibleDescription().isEmpty());
        QCOMPARE(note->text(), QStringLiteral("not a number: read as 0"));
    }

    // A screen reader hears every control by name, with its role and value:
    // the lists by what they are for and their entries without padding, the
    // figures by their tab and row.
    void screenReadersHearEveryControl() {
        Rig rig;
        rig.start();
        rig.estimate(QStringLiteral("123456"));
        const auto heard = [&](const QString& control) {
            QAccessibleInterface* i =
                QAccessible::queryAccessibleInterface(rig.ctl<QWidget>(control));
            return QStringLiteral("%1 %2 \"%3\" %4")
                .arg(control)
                .arg(i->role())
                .arg(i->text(QAccessible::Name), i->text(QAccessible::Value));
        };
        const auto expected = [](const QString& control, QAccessible::Role role,
                                 const QString& name, const QString& value) {
            return QStringLiteral("%1 %2 \"%3\" %4").arg(control).arg(role).arg(name, value);
        };
        QStringList got, want;
        const auto check = [&](const QString& control, QAccessible::Role role, const QString& name,
                               const QString& value) {
            got << heard(control);
            want << expected(control, role, name, value);
        };
        check("txtAprVal", QAccessible::EditableText, "Appraised value", "123456");
        check("comboCounties", QAccessible::ComboBox, "County", "MAPLE COUNTY 101");
        check("comboCities", QAccessible::ComboBox, "City", "CITY OF ELM 201");
        check("comboSchools", QAccessible::ComboBox, "School district", "ELM ISD 901");
        check("Command1", QAccessible::Button, "Calculate", "");
        for (const char* tab : {"County", "City", "School"})
            for (const auto& [box, row] : {std::pair{"AprVal", "appraised value"},
                                           {"HSVal", "general homestead exemption"},
                                           {"O65Val", "over 65 or disabled person exemption"},
                                           {"VetVal", "veteran exemption"},
                                           {"NTV", "net taxable value"},
                                           {"Base1", "tax base"},
                                           {"Base2", "tax base, for the tax amount"},
                                           {"TRate", "tax rate"},
                                           {"Tax", "tax amount"}}) {
                const QString control = QStringLiteral("lbl%1%2").arg(tab, box);
                check(control, QAccessible::EditableText,
                      QStringLiteral("%1 tax: %2").arg(tab, row), rig.text(control));
            }
        for (const auto& [box, row] : {std::pair{"lblTotCountyTax", "county tax"},
                                       {"lblTotCityTax", "city tax"},
                                       {"lblTotSchoolTax", "school tax"},
                                       {"lblTotSpclTax", "special district tax"},
                                       {"lblTotTax", "total taxes"}})
            check(box, QAccessible::EditableText, QStringLiteral("Total tax: ") + row,
                  rig.text(box));
        QCOMPARE(got, want);
        QCOMPARE(rig.text("lblTotTax"), QStringLiteral("$2,345.66"));

        // The entries of a list, each the unit's name and code.
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(rig.ctl<QComboBox>("comboCities"))->child(0);
        QCOMPARE(list->child(1)->text(QAccessible::Name), QStringLiteral("CITY OF ELM 201"));
        // Every control that takes the keyboard has a name; the figures can
        // be read and selected but not changed.
        for (QWidget* w : rig.main().findChildren<QWidget*>()) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(&rig.main()))
                QVERIFY2(!i->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
            if (auto* box = qobject_cast<QLineEdit*>(w);
                box && box != rig.ctl<QLineEdit>("txtAprVal"))
                QVERIFY(i->state().readOnly && i->state().focusable &&
                        box->alignment() == (Qt::AlignRight | Qt::AlignVCenter));
        }
    }

    // Each button has an access key, none the same as another's or a menu's.
    void accessKeysAreUnique() {
        Rig rig;
        rig.start();
        QStringList keys;
        for (auto* button : rig.main().findChildren<QPushButton*>())
            keys << QKeySequence::mnemonic(button->text()).toString();
        for (QAction* menu : rig.main().menuBar()->actions())
            keys << QKeySequence::mnemonic(menu->text()).toString();
        QCOMPARE(keys.size(), 5);
        QVERIFY(!keys.contains(QString()));
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
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
        QCOMPARE(lines[0], QStringLiteral("Levywise v3.54b"));
        QCOMPARE(lines[3], QStringLiteral("Not supported by Corvell Appraisal District"));
        QVERIFY(lines[4].startsWith(
            QStringLiteral("The most current version of Levywise may be downloaded from ")));
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
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        const QImage image = rig.main().grab().toImage();
        const auto at = [&](const char* inside, int x, int y) {
            QWidget* w = rig.ctl<QWidget>(QLatin1String(inside));
            return image.pixelColor(w->mapTo(&rig.main(), QPoint(x, y)) *
                                    rig.main().devicePixelRatio());
        };
        QCOMPARE(at("client", 4, 30), QColor(255, 255, 192));
        QCOMPARE(at("Frame4", 230, 20), QColor(255, 255, 192));
        QCOMPARE(at("tabTotal", 4, 4), QColor(255, 255, 192));
        QVERIFY(at("lblTotCountyName", 2, 2) != QColor(255, 255, 192));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
