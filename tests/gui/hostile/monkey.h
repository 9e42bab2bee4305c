#pragma once

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QWheelEvent>
#include <random>

#include "hostile/load_routes.h"
#include "hostile/watchdog.h"

namespace levywise::test {

// A user who does anything at all, in random order, over the three windows:
// clicks anywhere, keys, menu commands, scroll bars, check boxes, dialogs
// answered at random. The same seed gives the same run.
class Monkey {
public:
    Monkey(HostileRig& rig, unsigned seed, Watchdog& watchdog)
        : rig_(rig), random_(seed), watchdog_(watchdog) {
        goodFiles_ = {rig.write(QStringLiteral("county.tab"), WholeCounty()),
                      TestDataFile("main_estimate.tab"),
                      rig.write(QStringLiteral("header.tab"), kHostileHeader),
                      rig.write(QStringLiteral("many.tab"),
                                WholeCounty() + GeneratedUnits(120, 'S', "MORE", 30) +
                                    GeneratedUnits(40, 'C', "TOWN", 200))};
        badFiles_ = {
            rig.write(QStringLiteral("empty.tab"), QByteArray()),
            rig.write(QStringLiteral("binary.tab"), RandomBytes(4096, seed)),
            rig.write(QStringLiteral("old.tab"), "TaxRates v3.53\tOld\tOld\t\r\n"),
            rig.write(QStringLiteral("broken.tab"), WholeCounty() + "209\tBAD\tC\tN\t1\tx1\r\n"),
            rig.write(QStringLiteral("crowded.tab"),
                      kHostileHeader + GeneratedUnits(301, 'S', "CROWD")),
            rig.path(QStringLiteral("missing.tab")),
            rig.path(QStringLiteral("folder.tab"))};
        QDir().mkpath(rig.path(QStringLiteral("folder.tab")));
    }

    // Does one random thing and lets the program handle its events.
    void act(int number) {
        // Each action meets fresh answers: the next box, the next dialog.
        rig_.platform.saveAnswers.clear();
        rig_.platform.messageAnswers = {coin() ? MsgResult::Ok : MsgResult::Cancel};
        rig_.platform.openAnswers = {randomFile()};
        const int kind = pick(100);
        QString what;
        if (kind < 35)
            what = clickSomewhere();
        else if (kind < 60)
            what = pressKey();
        else if (kind < 72)
            what = menuCommand();
        else if (kind < 82)
            what = specialDistricts();
        else if (kind < 88)
            what = listing();
        else if (kind < 94)
            what = inputs();
        else
            what = wheel();
        remember(QStringLiteral("%1: %2").arg(number).arg(what));
        settle();
        if (!rig_.window.isVisible()) {
            // A click in the File menu may hit Exit; the user starts again.
            rig_.window.show();
            remember(QStringLiteral("%1: main window shown again after it closed").arg(number));
            settle();
        }
    }

    // Checks what must hold after any sequence of actions; returns what is
    // wrong, or nothing.
    QString brokenInvariant() {
        closePopups();
        if (QApplication::activeModalWidget())
            return "a modal window is open: " + QApplication::activeModalWidget()->objectName();
        const modMain& d = rig_.data;
        if (d.RateCount != d.LoadedCount || d.RateCount < 0 || d.RateCount > modMain::kRateSlots)
            return QStringLiteral("counts %1 and %2").arg(d.RateCount).arg(d.LoadedCount);
        if (d.SpclCount < 0 || d.SpclCount > modMain::kSpecialSlots)
            return QStringLiteral("%1 special districts").arg(d.SpclCount);
        if (d.RateCount > 0 && d.RateCount < 3)
            return QStringLiteral("a table without its three entries");
        int cities = 0, schools = 0, counties = 0, specials = 0;
        for (int k = 1; k <= d.RateCount; ++k) {
            const FixedText<1>& type = d.RateTbl[k].UnitType;
            cities += type.equals("C");
            schools += type.equals("I");
            counties += type.equals("K");
            specials += type.equals("S");
        }
        if (specials != d.SpclCount)
            return QStringLiteral("%1 special districts in the table, %2 counted")
                .arg(specials)
                .arg(d.SpclCount);
        const frmMain& w = rig_.window;
        if (w.comboCities->count() != cities || w.comboSchools->count() != schools ||
            w.comboCounties->count() != counties)
            return QStringLiteral("lists of %1/%2/%3 entries for a table of %4/%5/%6")
                .arg(w.comboCities->count())
                .arg(w.comboSchools->count())
                .arg(w.comboCounties->count())
                .arg(cities)
                .arg(schools)
                .arg(counties);
        if (const QString page = brokenSpecialPage(); !page.isEmpty()) return page;
        for (const char* name : {"lblCountyTRate", "lblCityTRate", "lblSchoolTRate"}) {
            const QString text = w.findChild<QLabel*>(QLatin1String(name))->text();
            bool number = false;
            text.toDouble(&number);
            if (!text.isEmpty() && !number)
                return QStringLiteral("%1 shows \"%2\"").arg(QLatin1String(name), text);
        }
        if (const QString bad = BadMoneyLabels(rig_.window); !bad.isEmpty())
            return "not money: " + bad;
        watchdog_.step("checking that Calculate answers");
        return CheckCalculateAnswers(rig_);
    }

    QString recentActions() const { return recent_.join('\n'); }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool coin() { return pick(2) == 0; }
    template <typename T>
    const T& oneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(pick(static_cast<int>(items.size())))];
    }

    std::optional<QString> randomFile() {
        const int r = pick(8);
        if (r < 2) return std::nullopt;
        return r < 5 ? oneOf(goodFiles_) : oneOf(badFiles_);
    }

    void remember(const QString& action) {
        watchdog_.step(action.toStdString());
        recent_ << action;
        if (recent_.size() > 40) recent_.removeFirst();
    }

    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void closePopups() {
        for (int i = 0; i < 10 && QApplication::activePopupWidget(); ++i) {
            QApplication::activePopupWidget()->close();
            settle();
        }
    }

    std::vector<QWidget*> visibleWidgets() const {
        std::vector<QWidget*> widgets;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible()) continue;
            widgets.push_back(top);
            for (QWidget* child : top->findChildren<QWidget*>())
                if (child->isVisible() && child->isEnabled()) widgets.push_back(child);
        }
        return widgets;
    }

    static QString nameOf(const QWidget* w) {
        return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                          : w->objectName()) +
               " in " + w->window()->objectName();
    }

    QPoint pointIn(const QWidget* w) {
        return {pick(std::max(1, w->width())), pick(std::max(1, w->height()))};
    }

    QString clickSomewhere() {
        const std::vector<QWidget*> widgets = visibleWidgets();
        if (widgets.empty()) return QStringLiteral("no widget to click");
        QWidget* target = oneOf(widgets);
        const QPoint at = pointIn(target);
        const QString name = nameOf(target);
        if (pick(6) == 0)
            QTest::mouseDClick(target, Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
        return QStringLiteral("click %1 at %2,%3").arg(name).arg(at.x()).arg(at.y());
    }

    QString pressKey() {
        static const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
            {Qt::Key_Tab, {}},
            {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Return, {}},
            {Qt::Key_Escape, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},
            {Qt::Key_Left, {}},
            {Qt::Key_Right, {}},
            {Qt::Key_PageUp, {}},
            {Qt::Key_PageDown, {}},
            {Qt::Key_Home, {}},
            {Qt::Key_End, {}},
            {Qt::Key_Backspace, {}},
            {Qt::Key_Delete, {}},
            {Qt::Key_O, Qt::ControlModifier},
            {Qt::Key_L, Qt::ControlModifier},
            {Qt::Key_C, Qt::ControlModifier},
            {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_V, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_F, Qt::AltModifier},
            {Qt::Key_Down, Qt::AltModifier}};
        static const QString typed = QStringLiteral("0123456789.,-$eEdD&HhO+ x");
        if (pick(3) == 0 && rig_.window.txtAprVal->isVisible())
            QTest::mouseClick(rig_.window.txtAprVal,
                              Qt::LeftButton); // most typing goes to the value
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        if (!target) target = &rig_.window;
        const QString name = nameOf(target);
        if (coin()) {
            const QChar c = typed[pick(static_cast<int>(typed.size()))];
            QTest::keyClick(target, c.toLatin1());
            return QStringLiteral("type '%1' into %2").arg(c).arg(name);
        }
        const auto& [key, modifiers] = oneOf(keys);
        QTest::keyClick(target, key, modifiers);
        return QStringLiteral("key %1 (modifiers %2) into %3")
            .arg(QKeySequence(key).toString())
            .arg(int(modifiers))
            .arg(name);
    }

    QString menuCommand() {
        frmMain& w = rig_.window;
        switch (pick(8)) {
        case 0:
        case 7: {
            const std::optional<QString> chosen = rig_.platform.openAnswers.front();
            w.menuOpen->trigger();
            return "Open, answering " + chosen.value_or(QStringLiteral("cancel"));
        }
        case 1: w.menuListTable->trigger(); return QStringLiteral("List table contents");
        case 2: w.menuCfgSpcl->trigger(); return QStringLiteral("Configure Special Districts");
        case 3: w.menuAbout->trigger(); return QStringLiteral("About");
        case 4: QTest::mouseClick(w.Command1, Qt::LeftButton); return QStringLiteral("Calculate");
        default: return print(w.cmdPrint);
        }
    }

    QString print(QPushButton* button) {
        rig_.platform.printerPresent = coin();
        rig_.platform.printError =
            pick(4) == 0 ? QStringLiteral("The printer is out of paper.") : QString();
        rig_.platform.pdfError = pick(4) == 0 ? QStringLiteral("The disk is full.") : QString();
        if (coin()) rig_.platform.saveAnswers = {rig_.path(QStringLiteral("window.pdf"))};
        if (button->isVisible())
            QTest::mouseClick(button, Qt::LeftButton);
        else
            button->click();
        return QStringLiteral("Print in %1, printer %2")
            .arg(button->window()->objectName())
            .arg(rig_.platform.printerPresent);
    }

    QString specialDistricts() {
        frmCfgSpcl& s = rig_.specials;
        if (!s.isVisible()) {
            rig_.window.menuCfgSpcl->trigger();
            return QStringLiteral("Configure Special Districts");
        }
        switch (pick(6)) {
        case 0: {
            const int value =
                s.VScroll1->minimum() + pick(s.VScroll1->maximum() - s.VScroll1->minimum() + 1);
            s.VScroll1->setValue(value);
            return QStringLiteral("scroll bar to %1").arg(value);
        }
        case 1: {
            const QScrollBar::SliderAction actions[] = {
                QScrollBar::SliderSingleStepAdd, QScrollBar::SliderSingleStepSub,
                QScrollBar::SliderPageStepAdd,   QScrollBar::SliderPageStepSub,
                QScrollBar::SliderToMinimum,     QScrollBar::SliderToMaximum};
            s.VScroll1->triggerAction(actions[pick(6)]);
            return QStringLiteral("scroll bar step");
        }
        case 2:
        case 3: {
            const int row = pick(frmCfgSpcl::kRows);
            QCheckBox* box = s.chkSpclDist[static_cast<std::size_t>(row)];
            if (!box->isVisible()) return QStringLiteral("row %1 is empty").arg(row);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            return QStringLiteral("toggle row %1").arg(row);
        }
        case 4:
            QTest::mouseClick(s.cmdRestore, Qt::LeftButton);
            return QStringLiteral("Restore Defaults");
        default:
            if (coin()) return print(s.cmdPrint);
            QTest::mouseClick(s.cmdFinish, Qt::LeftButton);
            return QStringLiteral("Finsh");
        }
    }

    QString listing() {
        frmRateTable* table = rig_.listing;
        if (!table || !table->isVisible()) {
            rig_.window.menuListTable->trigger();
            return QStringLiteral("List table contents");
        }
        switch (pick(4)) {
        case 0: {
            QHeaderView* header = table->MSFlexGrid1->horizontalHeader();
            const int column = pick(frmRateTable::kColumns);
            const QPoint at(
                header->sectionViewportPosition(column) + pick(header->sectionSize(column)),
                header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return QStringLiteral("listing header %1").arg(column);
        }
        case 1: {
            QWidget* cells = table->MSFlexGrid1->viewport();
            const QPoint at = pointIn(cells);
            QTest::mouseClick(cells, Qt::LeftButton, {}, at);
            return QStringLiteral("listing cell at %1,%2").arg(at.x()).arg(at.y());
        }
        case 2: return print(table->cmdPrint);
        default: QTest::mouseClick(table->cmdDone, Qt::LeftButton); return QStringLiteral("Done");
        }
    }

    QString inputs() {
        frmMain& w = rig_.window;
        switch (pick(4)) {
        case 0: {
            QComboBox* lists[] = {w.comboCounties, w.comboCities, w.comboSchools};
            QComboBox* list = lists[pick(3)];
            if (list->count() == 0) return list->objectName() + " is empty";
            list->setCurrentIndex(pick(list->count()));
            return QStringLiteral("%1 entry %2").arg(list->objectName()).arg(list->currentIndex());
        }
        case 1: {
            QAbstractButton* options[] = {w.chkGHS,  w.optO65,  w.optDP,   w.optNeither, w.optVet1,
                                          w.optVet2, w.optVet3, w.optVet4, w.optVetNone};
            QAbstractButton* option = options[pick(9)];
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            return "click " + option->objectName();
        }
        case 2: {
            static const QStringList values = {
                QStringLiteral("150000"),       QStringLiteral("1e400"),
                QStringLiteral("$-5,000"),      QStringLiteral("nan"),
                QStringLiteral("&HFFFF"),       QStringLiteral("922337203685477"),
                QString(300, QLatin1Char('9')), QString()};
            const QString value = values[pick(static_cast<int>(values.size()))];
            w.txtAprVal->setText(value);
            return "value " + value.left(20);
        }
        default:
            w.tabTaxes->setCurrentIndex(pick(4));
            return QStringLiteral("tab %1").arg(w.tabTaxes->currentIndex());
        }
    }

    QString wheel() {
        const std::vector<QWidget*> widgets = visibleWidgets();
        if (widgets.empty()) return QStringLiteral("no widget to scroll");
        QWidget* target = oneOf(widgets);
        const QPoint at = pointIn(target);
        const int delta = (pick(7) - 3) * 40;
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
        return QStringLiteral("wheel %1 over %2").arg(delta).arg(nameOf(target));
    }

    QString brokenSpecialPage() {
        const frmCfgSpcl& s = rig_.specials;
        const modMain& d = rig_.data;
        const int first = s.PageOffset();
        for (int r = 0; r < frmCfgSpcl::kRows; ++r) {
            const int district = first + r;
            const bool shown = !s.chkSpclDist[static_cast<std::size_t>(r)]->isHidden();
            if (shown != (district <= d.SpclCount))
                return QStringLiteral("row %1 %2 for district %3 of %4")
                    .arg(r)
                    .arg(shown ? "shown" : "hidden")
                    .arg(district)
                    .arg(d.SpclCount);
            if (!shown) continue;
            const bool selected =
                d.SpclSel[static_cast<std::size_t>(district)].Selected.equals("Y");
            if (s.chkSpclDist[static_cast<std::size_t>(r)]->isChecked() != selected)
                return QStringLiteral("row %1 shows district %2 %3")
                    .arg(r)
                    .arg(district)
                    .arg(selected ? "unticked" : "ticked");
            const QString name =
                FromCp1252(d.SpclTbl[static_cast<std::size_t>(district)].Name.str());
            if (s.txtSpclName[static_cast<std::size_t>(r)]->text() != name)
                return QStringLiteral("row %1 shows \"%2\" for \"%3\"")
                    .arg(r)
                    .arg(s.txtSpclName[static_cast<std::size_t>(r)]->text(), name);
        }
        return {};
    }

    HostileRig& rig_;
    std::mt19937 random_;
    Watchdog& watchdog_;
    std::vector<std::optional<QString>> goodFiles_, badFiles_;
    QStringList recent_;
};

} // namespace levywise::test
