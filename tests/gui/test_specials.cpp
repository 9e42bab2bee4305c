// The special-district window: which districts its 14 rows show, the
// selection it keeps in the flags, and how it is paged and left.
#include <QAccessible>
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
    // The rows show the page from the bar's value on; the bar shows when the
    // districts need more than one page and ends where the last one is shown.
    void pages() {
        for (const auto& [count, page, barMax] :
             {std::tuple{0, 1, 0}, {14, 1, 0}, {15, 2, 2}, {40, 27, 27}}) {
            Specials s(count);
            s.bar()->setValue(page);
            QCOMPARE(s.bar()->isVisibleTo(&s.window), barMax > 0);
            QCOMPARE(s.bar()->maximum(), std::max(barMax, 1));
            QCOMPARE(s.page(), s.expected(page));
        }
    }

    // A box writes the flag of the district its row shows, and only that,
    // but not while the loader fills the page; the flag, not the box, keeps
    // the choice across pages. "Restore Defaults" keeps the page.
    void boxesWriteTheirDistrictOnly() {
        for (const auto& [page, row] : {std::pair{1, 0}, {27, 13}}) {
            Specials s(40);
            s.bar()->setValue(page);
            QString expected = s.flags();
            expected[page + row - 1] = expected[page + row - 1] == u'Y' ? u'N' : u'Y';
            s.data.SpclLoading = true;
            s.box(row)->click();
            s.data.SpclLoading = false;
            QCOMPARE(s.flags(), QString("YN").repeated(20));
            s.box(row)->click(); // back to the flag
            QTest::mouseClick(s.box(row), Qt::LeftButton);
            QCOMPARE(s.flags(), expected);
            s.bar()->setValue(page == 1 ? 27 : 1);
            s.bar()->setValue(page);
            QCOMPARE(s.page(), s.expected(page));
            Ctl<QAbstractButton>(&s.window, QStringLiteral("cmdRestore"))->click();
            QCOMPARE(s.flags(), QString("YN").repeated(20));
            QCOMPARE(s.page(), s.expected(page));
            QCOMPARE(s.recalculations, 0);
        }
    }

    // The page scrolls like a list: wheel anywhere, arrows, page keys, Home
    // and End; Up and Down move from box to box and scroll at the ends.
    void pageScrolls() {
        const struct {
            int key; // 0: one wheel notch down
            int fromRow, start, offset, focusRow;
        } cases[] = {{0, 3, 10, 10 + QApplication::wheelScrollLines(), 3},
                     {Qt::Key_PageDown, -1, 10, 24, -1},
                     {Qt::Key_End, 3, 5, 27, 3},
                     {Qt::Key_Up, 0, 10, 9, 0},
                     {Qt::Key_Up, 1, 10, 10, 0},
                     {Qt::Key_Down, 13, 10, 11, 13}};
        for (const auto& c : cases) {
            Specials s(40);
            s.window.show();
            Rig::activate(&s.window);
            s.bar()->setValue(c.start);
            QWidget* target = c.fromRow < 0 ? static_cast<QWidget*>(&s.window) : s.box(c.fromRow);
            target->setFocus();
            QWheelEvent wheel({4, 4}, target->mapToGlobal(QPoint(4, 4)), {}, {0, -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            c.key ? QTest::keyClick(target, Qt::Key(c.key))
                  : void(QApplication::sendEvent(target, &wheel));
            QCOMPARE(s.page(), s.expected(c.offset));
            if (c.fromRow >= 0) QCOMPARE(QApplication::focusWidget(), s.box(c.focusRow));
        }
    }

    // A screen reader hears the window by its caption and each box by its
    // district and rate. The bar keeps the desktop's colours, so its handle
    // shows on pale yellow.
    void screenReadersHearTheRows() {
        Specials s(15);
        s.bar()->setValue(2);
        const auto heard = [](QWidget* w) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
            return QStringLiteral("%1 %2").arg(i->role()).arg(i->text(QAccessible::Name));
        };
        QCOMPARE(heard(&s.window) + '|' + heard(s.box(13)) + '|' + heard(Specials(3).box(5)),
                 QStringLiteral("%1 Configure Special Districts|%2 D15, tax rate 15.25|%2 ")
                     .arg(QAccessible::Window)
                     .arg(QAccessible::CheckBox));
        QCOMPARE(s.bar()->palette().color(QPalette::Button),
                 QApplication::palette().color(QPalette::Button));
    }

    // A count beyond the tables (a damaged load) shows the slots they hold.
    void countBeyondTheTables() {
        Specials s(40);
        s.data.SpclCount = 400;
        s.window.ShowSpecialDistricts(1000);
        QCOMPARE(s.bar()->maximum(), 287);
        QCOMPARE(s.page().section(QStringLiteral(" | "), 13), QStringLiteral(" 0")); // a blank slot
    }
};

QTEST_MAIN(SpecialsTest)
#include "test_specials.moc"
