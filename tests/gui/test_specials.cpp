// The special-district window: which districts its 14 rows show, the
// selection it keeps in the flags, and how it is paged.
#include <QCheckBox>
#include <QScrollBar>
#include <QWheelEvent>

#include "common/rig.h"

using namespace levywise;
using namespace levywise::test;

namespace {

// The window over `count` districts, filled the way the rate file loader
// fills it: district k is "Dkk", taxes at k.25, selected by default when odd.
struct Specials {
    modMain data;
    FakePlatform platform;
    frmCfgSpcl window{data, platform};

    explicit Specials(int count) {
        window.setRecalculate([] { QFAIL("the window recalculated"); });
        QByteArray text = RateFile({});
        for (int k = 1; k <= count; ++k)
            text += QString::asprintf("%d\tD%02d\tS\t%c\t%d.25\t\r\n", 500 + k, k, "NY"[k % 2], k)
                        .toLatin1();
        Install(data, text);
        window.ShowLoadedTable();
    }
    QScrollBar* bar() const { return Ctl<QScrollBar>(&window, QStringLiteral("VScroll1")); }
    QCheckBox* box(int r) const {
        return Ctl<QCheckBox>(&window, QStringLiteral("chkSpclDist_%1").arg(r));
    }
    QString flags() const {
        QString f;
        for (int k = 1; k <= data.SpclCount; ++k) f += QChar(data.SpclSel[k].Selected[0]);
        return f;
    }
    // Whether the rows show the page from district `first` on: "D07xb 7.25"
    // (name, check mark, bold, rate), and blank hidden rows past the last.
    bool shows(int first) const {
        for (int r = 0, k = first; r < frmCfgSpcl::kRows; ++r, ++k) {
            auto* name = Ctl<QLineEdit>(&window, QStringLiteral("txtSpclName_%1").arg(r));
            auto* rate = Ctl<QLineEdit>(&window, QStringLiteral("txtTaxRate_%1").arg(r));
            const QString shown = name->text().trimmed() + (box(r)->isChecked() ? "x" : "") +
                                  (name->font().bold() ? "b" : "") + ' ' + rate->text() +
                                  (box(r)->isHidden() && name->isHidden() ? " hidden" : "");
            const QString expected =
                k > data.SpclCount
                    ? QStringLiteral("   hidden")
                    : QString::asprintf("D%02d%s%s %d.25", k,
                                        data.SpclSel[k].Selected[0] == 'Y' ? "x" : "",
                                        k % 2 ? "b" : "", k);
            if (shown != expected) return false;
        }
        return true;
    }
};

} // namespace

class SpecialsTest : public QObject {
    Q_OBJECT

private slots:
    // The rows show the page from the bar's value on; the bar shows when the
    // districts need more than one page and ends where the last one is shown.
    void pages() {
        for (const auto& [count, page, barMax] :
             {std::tuple{0, 1, 0}, {14, 1, 0}, {15, 2, 2}, {40, 27, 27}}) {
            Specials s(count);
            s.bar()->setValue(page);
            QCOMPARE(s.bar()->isVisibleTo(&s.window), barMax > 0);
            QCOMPARE(s.bar()->maximum(), std::max(barMax, 1));
            QVERIFY(s.shows(page));
        }
    }

    // A box writes the flag of the district its row shows, and only that; the
    // flag, not the box, keeps the choice across pages. "Restore Defaults" keeps the page.
    void boxesWriteTheirDistrictOnly() {
        for (const auto& [page, row] : {std::pair{1, 0}, {27, 13}}) {
            Specials s(40);
            s.bar()->setValue(page);
            QString expected = s.flags();
            expected[page + row - 1] = expected[page + row - 1] == u'Y' ? u'N' : u'Y';
            QTest::mouseClick(s.box(row), Qt::LeftButton);
            QCOMPARE(s.flags(), expected);
            s.bar()->setValue(page == 1 ? 27 : 1);
            s.bar()->setValue(page);
            QVERIFY(s.shows(page));
            Ctl<QAbstractButton>(&s.window, QStringLiteral("cmdRestore"))->click();
            QCOMPARE(s.flags(), QString("YN").repeated(20));
            QVERIFY(s.shows(page));
        }
    }

    // The page scrolls like a list: by the wheel and the page keys; Up and
    // Down move from box to box and scroll at the ends.
    void pageScrolls() {
        for (const auto& [key, fromRow, start, offset, focusRow] :
             {std::tuple{0, 3, 10, 10 + QApplication::wheelScrollLines(), 3}, // a wheel notch
              {Qt::Key_PageDown, 3, 10, 24, 3},
              {Qt::Key_Up, 0, 10, 9, 0},
              {Qt::Key_Up, 1, 10, 10, 0},
              {Qt::Key_Down, 13, 10, 11, 13}}) {
            Specials s(40);
            s.window.show();
            Rig::activate(&s.window);
            s.bar()->setValue(start);
            QWidget* target = s.box(fromRow);
            target->setFocus();
            QWheelEvent wheel({4, 4}, target->mapToGlobal(QPoint(4, 4)), {}, {0, -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            key ? QTest::keyClick(target, Qt::Key(key))
                : void(QApplication::sendEvent(target, &wheel));
            QVERIFY(s.shows(offset));
            QCOMPARE(QApplication::focusWidget(), s.box(focusRow));
        }
    }

    // A count beyond the tables (a damaged load) shows the slots they hold.
    void countBeyondTheTables() {
        Specials s(40);
        s.data.SpclCount = 400;
        s.window.ShowSpecialDistricts(1000);
        QCOMPARE(s.bar()->maximum(), 287);
    }
};

QTEST_MAIN(SpecialsTest)
#include "test_specials.moc"
