#pragma once

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>

#include "hostile/rate_file_text.h"
#include "hostile/window_state.h"

namespace levywise::test {

// How a hostile file reaches the loader: named by the settings file at
// start-up, or chosen in the dialog of "Open Tax Rate File".
enum class Route { Startup, Open };

inline void ChooseCode(QComboBox* list, const char* code) {
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).endsWith(QLatin1String(code))) {
            list->setCurrentIndex(i);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no entry with code %1").arg(QLatin1String(code))));
}

// A program in the middle of its work: a county loaded, an estimate on the
// screen with every kind of input set, a special district toggled on the
// second page and the listing open, sorted by rate.
inline void BusyProgram(HostileRig& rig) {
    frmMain& w = rig.window;
    rig.startWith(rig.write(QStringLiteral("county.tab"), WholeCounty()));
    rig.show();
    QTest::mouseClick(w.txtAprVal, Qt::LeftButton);
    QTest::keyClicks(w.txtAprVal, QStringLiteral("250000"));
    ChooseCode(w.comboCounties, "101");
    ChooseCode(w.comboCities, "201");
    ChooseCode(w.comboSchools, "901");
    w.chkGHS->click();
    w.optO65->click();
    w.optVet2->click();
    rig.calculate();

    w.menuCfgSpcl->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.specials, 2000));
    rig.specials.VScroll1->setValue(4);
    QTest::mouseClick(rig.specials.chkSpclDist[2], Qt::LeftButton, {},
                      QPoint(4, rig.specials.chkSpclDist[2]->height() / 2));
    QCOMPARE(rig.data.SpclSel[6].Selected.str(), std::string("Y")); // district 6 was "N"

    w.menuListTable->trigger();
    QVERIFY(rig.listing);
    QVERIFY(QTest::qWaitForWindowExposed(rig.listing, 2000));
    rig.listing->SortByHeader(0, frmRateTable::kRateColumn);
    rig.calculate();
    QVERIFY2(rig.platform.messages.empty(),
             qPrintable(rig.platform.messages.empty() ? QString() : rig.platform.messages[0].text));
    QVERIFY(w.lblTotTax->text() != QStringLiteral("$0.00"));
}

// The state of a program whose start-up loaded nothing: the user cancelled
// the "not found" message.
inline QStringList StateAfterStartingWithoutFile() {
    HostileRig rig;
    rig.window.Form_Load();
    return StateOf(rig);
}

// Checks the one message a refused file must give: the expected title, the
// file's path, the problem in words and nothing unreadable. Returns what
// is wrong, or nothing.
inline QString CheckRefusalMessage(const HostileRig& rig, const QString& path, const QString& title,
                                   const QStringList& words) {
    const auto& asked = rig.platform.messages;
    if (asked.size() != 1)
        return QStringLiteral("%1 messages instead of one%2")
            .arg(asked.size())
            .arg(asked.empty() ? QString()
                               : ": " + asked.back().title + " / " + asked.back().text.left(300));
    const auto& box = asked[0];
    if (box.title != title) return "title \"" + box.title + "\", not \"" + title + '"';
    if (!box.text.contains(path))
        return "the message does not name the file: " + box.text.left(300);
    for (const QString& word : words)
        if (!box.text.contains(word))
            return "the message does not say \"" + word + "\": " + box.text.left(300);
    if (!IsReadableMessage(box.text))
        return "an unreadable message: " + box.text.left(300).toUtf8().toHex();
    return {};
}

} // namespace levywise::test

Q_DECLARE_METATYPE(levywise::test::Route)
