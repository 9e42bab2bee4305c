// The main window's own wiring: its state before any file, its menu
// shortcuts, the keyboard order and the small commands.
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QRadioButton>

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

    void enterInTheValueBoxDoesNotCalculate() {
        Rig rig;
        rig.start();
        QTest::keyClicks(rig.ctl<QLineEdit>("txtAprVal"), QStringLiteral("150000"));
        QTest::keyClick(rig.ctl<QLineEdit>("txtAprVal"), Qt::Key_Return);
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$0.00"));
        rig.click("Command1");
        QCOMPARE(rig.text("lblCountyAprVal"), QStringLiteral("$150,000.00"));
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

    // Fixed captions fit their boxes in the windows' font; the window and
    // its frames are pale yellow, the captions on the tabs button face.
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
        QVERIFY(at("lblTotCountyName", 2, 2) != QColor(255, 255, 192));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
