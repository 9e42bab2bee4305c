// The special-district window: which districts its 14 rows show, the
// selection it keeps in the flags, and how it is paged and left.
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
    int recalculations = 0;

    explicit Specials(int count) {
        window.setRecalculate([this] { ++recalculations; });
        QByteArray text = RateFile({});
        for (int k = 1; k <= count; ++k)
            text += QByteArray::number(500 + k) + "\tD" +
                    QByteArray::number(k).rightJustified(2, '0') + "\tS\t" + (k % 2 ? "Y" : "N") +
                    '\t' + QByteArray::number(k) + ".25\t\r\n";
        Install(data, text);
        window.ShowLoadedTable();
    }
    QScrollBar* bar() const { return Ctl<QScrollBar>(&window, QStringLiteral("VScroll1")); }
    template <class T>
    T* row(const char* array, int r) const {
        return Ctl<T>(&window, QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(r));
    }
    QCheckBox* box(int r) const { return row<QCheckBox>("chkSpclDist", r); }
    QString flags() const {
        QString f;
        for (int k = 1; k <= data.SpclCount; ++k) f += QChar(data.SpclSel[k].Selected[0]);
        return f;
    }
    // The rows as shown: "D07xb 7.25" (name, check mark, bold, rate), "-" when blank and hidden.
    QString page() const {
        QStringList rows;
        for (int r = 0; r < frmCfgSpcl::kRows; ++r) {
            auto* name = row<QLineEdit>("txtSpclName", r);
            auto* rate = row<QLineEdit>("txtTaxRate", r);
            const QString mark =
                QString(box(r)->isChecked() ? "x" : "") + (name->font().bold() ? "b" : "");
            if (name->isHidden() && box(r)->isHidden() && rate->isHidden())
                rows << (name->text() + rate->text() + mark == "  " ? "-" : "dirty");
            else
                rows << name->text().trimmed() + mark + ' ' + rate->text();
        }
        return rows.join(QStringLiteral(" | "));
    }
    // What the page from district `first` on should show.
    QString expected(int first) const {
        QStringList rows;
        for (int k = first; k < first + frmCfgSpcl::kRows; ++k)
            rows << (k > data.SpclCount
                         ? QStringLiteral("-")
                         : QString::asprintf("D%02d%s%s %d.25", k,
                                             data.SpclSel[k].Selected.equals("Y") ? "x" : "",
                                             k % 2 ? "b" : "", k));
        return rows.join(QStringLiteral(" | "));
    }
};

} // namespace

class SpecialsTest : public QObject {
    Q_OBJECT

private slots:
    void pages_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("barMax"); // 0: no bar
        QTest::newRow("none") << 0 << 1 << 0;
        QTest::newRow("5") << 5 << 1 << 0;
        QTest::newRow("14 on one page") << 14 << 1 << 0;
        QTest::newRow("15, last page") << 15 << 2 << 2;
        QTest::newRow("40, last page") << 40 << 27 << 27;
    }
    void pages() {
        QFETCH(int, count);
        QFETCH(int, page);
        QFETCH(int, barMax);
        Specials s(count);
        s.bar()->setValue(page);
        QCOMPARE(s.bar()->isVisibleTo(&s.window), barMax > 0);
        if (barMax)
            QCOMPARE(std::pair(s.bar()->minimum(), s.bar()->maximum()), std::pair(1, barMax));
        QCOMPARE(s.window.PageOffset(), page);
        QCOMPARE(s.page(), s.expected(page));
    }

    // A box writes the flag of the district its row shows, and only that;
    // the flag, not the box, keeps the choice across pages.
    void toggleWritesItsDistrictOnly_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("row");
        QTest::newRow("first row") << 1 << 0;
        QTest::newRow("last row of the last page") << 27 << 13;
    }
    void toggleWritesItsDistrictOnly() {
        QFETCH(int, page);
        QFETCH(int, row);
        Specials s(40);
        s.bar()->setValue(page);
        QString expected = s.flags();
        expected[page + row - 1] = expected[page + row - 1] == u'Y' ? u'N' : u'Y';
        QTest::mouseClick(s.box(row), Qt::LeftButton);
        QCOMPARE(s.flags(), expected);
        s.bar()->setValue(page == 1 ? 27 : 1);
        s.bar()->setValue(page);
        QCOMPARE(s.page(), s.expected(page));
        QCOMPARE(s.recalculations, 0);
    }

    // While the loader fills the page, a box changes no flag.
    void boxesWriteNothingWhileLoading() {
        Specials s(5);
        s.data.SpclLoading = true;
        s.box(1)->setChecked(true);
        QCOMPARE(s.flags(), QStringLiteral("YNYNY"));
        s.data.SpclLoading = false;
        s.box(3)->setChecked(true);
        QCOMPARE(s.flags(), QStringLiteral("YNYYY"));
    }

    void restoreDefaultsKeepsThePage() {
        Specials s(40);
        s.bar()->setValue(20);
        s.box(1)->click(); // district 21, selected by default
        s.data.SpclSel[40].Selected.assign("Y");
        QTest::mouseClick(Ctl<QAbstractButton>(&s.window, QStringLiteral("cmdRestore")),
                          Qt::LeftButton);
        QCOMPARE(s.flags(), QString("YN").repeated(20));
        QCOMPARE(s.page(), s.expected(20));
        QCOMPARE(s.recalculations, 0);
    }

    // The page scrolls like a list: wheel anywhere, arrows, page keys, Home, End.
    void pageScrolls_data() {
        QTest::addColumn<int>("key");     // 0: one wheel notch down
        QTest::addColumn<int>("fromRow"); // -1: the window itself
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("focusRow");
        QTest::newRow("wheel over a box")
            << 0 << 3 << 10 << 10 + QApplication::wheelScrollLines() << 3;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << -1 << 10 << 24 << -1;
        QTest::newRow("End") << int(Qt::Key_End) << 3 << 5 << 27 << 3;
        QTest::newRow("Up from the first row scrolls") << int(Qt::Key_Up) << 0 << 10 << 9 << 0;
        QTest::newRow("Up moves to the box above") << int(Qt::Key_Up) << 3 << 10 << 10 << 2;
    }
    void pageScrolls() {
        QFETCH(int, key);
        QFETCH(int, fromRow);
        QFETCH(int, start);
        QFETCH(int, offset);
        QFETCH(int, focusRow);
        Specials s(40);
        s.window.show();
        Rig::activate(&s.window);
        s.bar()->setValue(start);
        QWidget* target = fromRow < 0 ? static_cast<QWidget*>(&s.window) : s.box(fromRow);
        target->setFocus();
        const QString flags = s.flags();
        if (key) {
            QTest::keyClick(target, Qt::Key(key));
        } else {
            QWheelEvent wheel({4, 4}, target->mapToGlobal(QPoint(4, 4)), {}, {0, -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        }
        QCOMPARE(s.window.PageOffset(), offset);
        QCOMPARE(s.page(), s.expected(offset));
        if (focusRow >= 0) QCOMPARE(QApplication::focusWidget(), s.box(focusRow));
        QCOMPARE(s.flags(), flags);
    }

    // A count the tables cannot back shows the slots they hold and no more.
    void countBeyondTheTables() {
        Specials s(40);
        s.data.SpclCount = 400;
        s.window.ShowSpecialDistricts(1000);
        QCOMPARE(s.bar()->maximum(), 287);
        QCOMPARE(s.page().split(QStringLiteral(" | ")).last(),
                 QStringLiteral(" 0")); // a blank name
        s.box(13)->click();
        QCOMPARE(s.data.SpclSel[300].Selected.str(), std::string("Y"));
    }
};

QTEST_MAIN(SpecialsTest)
#include "test_specials.moc"
