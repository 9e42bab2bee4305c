// A long run of random clicks, keys and commands over the windows, with the
// program's invariants checked as it goes: no modal window stays open, and
// Calculate gives the core's estimate of the inputs shown, or refuses them
// changing nothing. LEVYWISE_MONKEY_SEED replays another run.
#include <random>

#include "common/rig.h"
#include "report/labels.h"

using namespace levywise;
using namespace levywise::test;

class MonkeyTest : public QObject {
    Q_OBJECT

    std::mt19937 random_;
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void act(Rig& rig, const QStringList& files) {
        rig.platform.messageAnswers = {pick(2) ? MsgResult::Ok : MsgResult::Cancel};
        rig.platform.openAnswers = {files[pick(int(files.size()))]};
        QList<QWidget*> widgets;
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QWidget* w : top->findChildren<QWidget*>() + QList<QWidget*>{top})
                if (top->isVisible() && w->isVisible() && w->isEnabled()) widgets << w;
        QWidget* target = widgets[pick(int(widgets.size()))];
        const QPoint at(pick(std::max(1, target->width())), pick(std::max(1, target->height())));
        static const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
                                       Qt::Key_Down, Qt::Key_End,    Qt::Key_1,      Qt::Key_0};
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        const int kind = pick(10); // clicks 6 in 10, keys 3, commands 1
        if (kind < 6)
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
        else if (kind < 9)
            QTest::keyClick(focus, keys[pick(int(std::size(keys)))]);
        else
            QTest::keyClick(&rig.main(), "olca"[pick(4)], Qt::ControlModifier);
        while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!rig.main().isVisible()) rig.main().show(); // after Exit the user starts again
    }

    // What must hold after any actions; empty when all is well.
    static QString broken(Rig& rig) {
        if (QApplication::activeModalWidget()) return QStringLiteral("a modal window is open");
        EstimateRecord expected;
        const auto error = rig.main().WorkOutEstimate(expected);
        const QStringList before = rig.state();
        rig.ctl<QAbstractButton>("Command1")->click();
        if (error)
            return rig.state() == before ? QString()
                                         : QStringLiteral("a refused estimate changed things");
        const QString shown = rig.text("lblTotSpclTax") + rig.text("lblTotTax");
        const EstimateLabels labels = LabelsOf(expected);
        const QString core = FromCp1252(labels.TotSpclTax + labels.TotTax);
        return shown == core ? QString() : "the window shows " + shown + ", the core " + core;
    }

private slots:
    void randomUseKeepsTheProgramWhole() {
        const auto seed = unsigned(qEnvironmentVariableIntValue("LEVYWISE_MONKEY_SEED"));
        random_.seed(seed);
        QApplication::setQuitOnLastWindowClosed(false);
        Rig rig;
        rig.start();
        const QStringList files = {TestData("maple_county.tab"), TestData("birch_county.tab"),
                                   TestData("main_estimate.tab"),
                                   rig.write("broken.tab", RateFile({"209\tBAD\tC\tN\t1\tx1"})),
                                   rig.path("missing.tab")};
        for (int n = 1; n <= 2000; ++n) {
            act(rig, files);
            const QString wrong = n % 25 ? QString() : broken(rig);
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("seed %1: ").arg(seed) + wrong));
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
