// The main window's own wiring: its state before any file, what screen
// readers hear, its keyboard and its shortcuts.
#include <QAccessible>
#include <QClipboard>
#include <QPushButton>
#include <QScreen>
#include <sys/stat.h>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

// The captions that label a control, as a screen reader hears them.
QStringList Captions(QAccessibleInterface* control) {
    QStringList captions;
    for (const auto& [label, relation] : control->relations(QAccessible::Label))
        captions << label->text(QAccessible::Name);
    return captions;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // No rate file (pipes where the settings file and the rate file would
    // be count as none, and nothing waits on them): "not found" is asked
    // over the place where the window then opens, empty, with nothing to list.
    void startsEmptyWithoutAFile() {
        Rig rig(nullptr);
        for (const char* name : {"levywise.ini", "taxrate.tab"})
            QVERIFY(mkfifo(QFile::encodeName(rig.path(name)).constData(), 0600) == 0);
        rig.start();
        const auto& notFound = rig.platform.messages.at(0);
        QCOMPARE(notFound.title, QStringLiteral("Required file not found"));
        QCOMPARE(notFound.over, rig.main().screen()->availableGeometry().center());
        QCOMPARE(rig.state({"txtAprVal", "comboCities", "optNeither", "tabTaxes"}),
                 "txtAprVal= comboCities=-1 optNeither=Neither,true tabTaxes=3");
        QCOMPARE(rig.main().windowTitle(), QStringLiteral("Levywise v3.54b"));
        rig.command(Qt::Key_L);
        rig.command(Qt::Key_A);
        QVERIFY(!rig.listing());
        QCOMPARE(rig.platform.messages.at(1).text, "No tax rate table loaded");
        QCOMPARE(rig.platform.messages.at(2).title + ": " +
                     rig.platform.messages.at(2).text.section(QStringLiteral("\r\n"), 0, 0),
                 "About Levywise: Levywise v3.54b");
        // A screen reader hears every control that takes the keyboard by a
        // caption or name of its own; the figures can be read and selected,
        // not changed.
        QSet<QString> names;
        for (QWidget* w : rig.main().findChildren<QWidget*>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&rig.main())) continue;
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            const QString heard = (Captions(i) << i->text(QAccessible::Name)).join(',');
            QVERIFY2(!heard.isEmpty() && !names.contains(heard), w->metaObject()->className());
            names << heard;
            if (w->objectName().startsWith("lbl")) QVERIFY(i->state().readOnly);
        }
    }

    // The unit tabs' controls come after the window's first painting; a tab
    // chosen before then is built at once, shown, with the estimate worked
    // out at the start.
    void unitTabChosenBeforeTheFirstPainting() {
        Rig rig;
        rig.app.start(false);
        QVERIFY(!rig.main().findChild<QLabel*>("lblCountyName"));
        rig.ctl<QTabWidget>("tabTaxes")->setCurrentIndex(0);
        QVERIFY(rig.ctl<QLineEdit>("lblCountyTax")->isVisible());
        QCOMPARE(rig.text("lblCountyName").trimmed() + ": " + rig.text("lblCountyTax"),
                 "No County: $0.00");
    }

    // Each list is heard by its caption and by the entry chosen, also after
    // the user chooses another.
    void listsAreHeardWithTheirEntry() {
        Rig rig;
        rig.start();
        for (const auto& [name, caption] : {std::pair{"comboCounties", "County"},
                                            {"comboCities", "City"},
                                            {"comboSchools", "School"}}) {
            auto* list = rig.ctl<QComboBox>(QLatin1String(name));
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(list);
            for (const Qt::Key choice : {Qt::Key_Home, Qt::Key_End}) {
                list->setFocus();
                QTest::keyClick(list, choice);
                QVERIFY(Captions(heard).contains(QLatin1String(caption)));
                QCOMPARE(heard->text(QAccessible::Name),
                         list->itemText(choice == Qt::Key_Home ? 0 : list->count() - 1));
            }
        }
    }

    // Tab goes the designed way, an option group one stop at its selected
    // button; Enter calculates from anywhere but a focused button, which
    // takes its own Enter.
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
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$150,000.00"));
        // Copy Estimate puts the estimate shown on the clipboard, as levywise-cli prints it.
        QTest::keyClick(&rig.main(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.startsWith("County Tax: ") && copied.contains("$150,000.00\n") &&
                copied.contains(rig.text("lblTotTax") + "\n*Special District Tax"));
        value->setText(QStringLiteral("7"));
        QTest::keyClick(value, Qt::Key_Escape);
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$150,000.00"));
        QTest::keyClick(rig.ctl<QComboBox>("comboCities"), Qt::Key_Enter, Qt::KeypadModifier);
        value->setText(QStringLiteral("8"));
        QTest::keyClick(rig.ctl<QPushButton>("cmdPrint"), Qt::Key_Return);
        QCOMPARE(rig.text("lblCountyAprVal") + QString::number(rig.platform.printed.size()),
                 "$7.001");
        // A value with no number is read as 0, and the window says so beside
        // it, to the eye and to screen readers, until the value changes.
        auto* note = rig.ctl<QLabel>("lblValueNote");
        for (const char* typed : {"x5", "0", "  ", "x"}) {
            value->setText(QLatin1String(typed));
            QTest::keyClick(value, Qt::Key_Return);
            QCOMPARE(note->isVisible(), typed[0] == 'x');
            QCOMPARE(value->accessibleDescription(), typed[0] == 'x' ? note->text() : QString());
        }
        QTest::keyClick(value, Qt::Key_1);
        QVERIFY(!note->isVisible() && value->accessibleDescription().isEmpty());
        // The menus' Ctrl+A, Ctrl+C and Ctrl+X reach their commands also from
        // the value box, whose own select-all, copy and cut they win over.
        QApplication::clipboard()->setText(QStringLiteral("before"));
        value->setText(QStringLiteral("125000"));
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_X}) {
            Rig::activate(&rig.main());
            value->setFocus();
            value->setSelection(1, 2);
            QTest::keyClick(value, key, Qt::ControlModifier);
        }
        QCOMPARE(value->selectedText() + value->text() + QApplication::clipboard()->text(),
                 "25125000before");
        QCOMPARE(rig.platform.messages.size(), std::size_t(1));
        QVERIFY(!rig.main().isVisible() && !rig.specials().isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
